// The game's music player: it takes the same command strings as the old
// platform's multimedia player. `play <file>` opens the file as a device of
// its own on first use and starts it; later plays of a tune that is playing
// leave it alone, and the tune starts again from the top when it ends.
#pragma once

#include <SDL.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/music/tune_device.h"
#include "desktop/music/tune_file.h"
#include "desktop/music/tune_synth.h"
#include "window_rules/command_string.h"

namespace munyura::desktop {

using window_rules::CommandError;
using window_rules::ParseCommandString;
using window_rules::ParsedCommand;

class CommandStringPlayer {
 public:
  // Says once on `messages`, in one line, why there is no music, or which
  // command it could not carry out.
  explicit CommandStringPlayer(std::ostream& messages, std::string soundfont = SystemSoundfont());

  // Returns 0 or a CommandError. The first play of a file answers 0 while
  // the file opens; if the opening fails, the plays after it answer
  // kCannotPlay. No command returns text: a returned_text with room in it
  // gets an empty string, an empty one is never touched. Notifications are
  // not offered, so notify_window is never used. Never waits for files or
  // the sound card, and never throws.
  int SendString(std::string_view command, std::span<char> returned_text,
                 SDL_Window* notify_window);

  // Silences every tune, or lets it be heard again; the tunes keep their
  // place meanwhile. Takes effect within one block of sound.
  void SetMuted(bool muted) { muted_.store(muted, std::memory_order_relaxed); }

  // For the tests and the benchmark: the open devices, and how they play.
  std::vector<std::string> DeviceNames() const;
  std::optional<DeviceState> State(std::string_view file) const;
  std::optional<PlaybackPosition> Position(std::string_view file) const;

 private:
  struct Device {
    FileIdentity identity;  // what the file was when it was opened
    std::unique_ptr<TuneDevice> tune;
  };

  CommandError Play(const std::string& file);
  void ReportOnce(std::string line);

  std::ostream* messages_;
  const std::string soundfont_;
  bool reported_ = false;
  std::mutex sdl_audio_;
  std::atomic<bool> muted_ = false;
  std::map<std::string, Device, std::less<>> devices_;  // destroyed before the mutex
};

}  // namespace munyura::desktop
