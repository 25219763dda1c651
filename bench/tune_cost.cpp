// What a tune costs the synthesiser at the most messages a second the player
// accepts: the worst songs that pass its check (bursts of notes, held chords
// under pitch bends and controllers, program changes), each rendered through
// the game's own playback for ten seconds, timed on the processor.
//
// Usage: tune_cost [messages a second, default the player's limit]
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "desktop/music/audio_output.h"
#include "desktop/music/tune_playback.h"
#include "window_rules/song_cursor.h"

namespace {

using namespace munyura;
using window_rules::MidiMessage;
using window_rules::MidiSong;

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// `count` messages over one second, made by `make(i)`, at times from `spread`.
MidiSong OneSecond(std::int64_t count, bool spread, const std::function<MidiMessage(int)>& make) {
  MidiSong song{{}, 1'000'000};
  for (std::int64_t i = 0; i < count; ++i) {
    song.messages.push_back({spread ? i * 1'000'000 / count : 0, make(static_cast<int>(i))});
  }
  return song;
}

MidiMessage Note(int i) {
  return {static_cast<std::uint8_t>(0x90 | (i % 16)), static_cast<std::uint8_t>(i / 16 % 128), 127};
}

// A held chord on every channel first, so that each message touches voices.
MidiSong UnderAChord(std::int64_t count, const std::function<MidiMessage(int)>& make) {
  MidiSong song = OneSecond(count - 256, true, make);
  for (int i = 0; i < 256; ++i) {
    song.messages.insert(song.messages.begin(), {0, Note(i * 7)});
  }
  return song;
}

double CoreShare(const MidiSong& song) {
  const int rate = desktop::AudioOutput::kFrameRate;
  desktop::TuneSynth synth(desktop::SystemSoundfont(), rate, desktop::kTuneGain);
  synth.KeepInstrumentsLoaded(song);
  desktop::TunePlayback playback(song, std::move(synth), rate);
  std::vector<float> buffer(2 * 1024);
  constexpr int kSeconds = 10;
  const double began = ThreadSeconds();
  for (std::int64_t frames = 0; frames < std::int64_t{kSeconds} * rate; frames += 1024) {
    playback.Render(buffer);
  }
  return 100 * (ThreadSeconds() - began) / kSeconds;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::int64_t limit = argc > 1 ? std::stoll(argv[1]) : window_rules::kMostMessagesPerSecond;
  const struct {
    const char* name;
    MidiSong song;
  } songs[] = {
      {"no messages", OneSecond(0, true, Note)},
      {"every note at once", OneSecond(limit, false, Note)},
      {"notes spread out", OneSecond(limit, true, Note)},
      {"notes on and off", OneSecond(limit, true,
                                     [](int i) {
                                       MidiMessage m = Note(i / 2);
                                       m.data2 = i % 2 ? 0 : 127;
                                       return m;
                                     })},
      {"pitch bends on a chord", UnderAChord(limit,
                                             [](int i) {
                                               return MidiMessage{
                                                   static_cast<std::uint8_t>(0xE0 | (i % 16)),
                                                   static_cast<std::uint8_t>(i % 128), 64};
                                             })},
      {"controllers on a chord", UnderAChord(limit,
                                             [](int i) {
                                               return MidiMessage{
                                                   static_cast<std::uint8_t>(0xB0 | (i % 16)),
                                                   static_cast<std::uint8_t>(i % 2 ? 7 : 10),
                                                   static_cast<std::uint8_t>(i % 128)};
                                             })},
      {"program changes", OneSecond(limit, true,
                                    [](int i) {
                                      return MidiMessage{static_cast<std::uint8_t>(0xC0 | (i % 16)),
                                                         static_cast<std::uint8_t>(i % 128), 0};
                                    })},
  };
  std::printf("%lld messages a second at most\n", static_cast<long long>(limit));
  for (const auto& [name, song] : songs) {
    std::printf("%-24s %5.1f %% of one core\n", name, CoreShare(song));
  }
}
