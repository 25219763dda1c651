// The synthesiser the tune plays on: FluidSynth with a General MIDI
// soundfont, fed one MIDI message at a time and rendering float stereo.
#pragma once

#include <fluidsynth.h>

#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "desktop/music/tune_file.h"
#include "window_rules/midi_song.h"

namespace munyura::desktop {

using window_rules::MidiMessage;
using window_rules::MidiSong;
using window_rules::TimedMessage;

class SynthError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The soundfont named by $MUNYURA_SOUNDFONT, else FluidSynth's default: on
// Debian /usr/share/sounds/sf2/default-GM.sf2, which points at the largest
// General MIDI soundfont installed.
std::string SystemSoundfont();

// The largest General MIDI soundfonts are well under this; anything larger is
// not handed to the synthesiser.
inline constexpr std::int64_t kLargestSoundfont = std::int64_t{2} << 30;

// The most voices that sound at once (FluidSynth's default is 256).
inline constexpr int kMostVoices = 64;

// The tune's loudness: its peaks reach -4.6 dBFS with the small TimGM6mb
// soundfont, -4.3 dBFS with FluidR3.
inline constexpr double kTuneGain = 1.05;

struct FluidSettingsDeleter {
  void operator()(fluid_settings_t* settings) const noexcept { delete_fluid_settings(settings); }
};
using FluidSettingsPtr = std::unique_ptr<fluid_settings_t, FluidSettingsDeleter>;

class TuneSynth {
 public:
  // Loads the soundfont's preset list only; a preset's samples are read
  // when a channel first selects it (see KeepInstrumentsLoaded). The file is
  // opened as warily as the tune and must say it is a soundfont before the
  // synthesiser's loaders see it. Throws SynthError when it cannot be loaded.
  TuneSynth(const std::string& soundfont, int frame_rate, double gain);

  // Reads the samples of every instrument the song selects and keeps them,
  // so that playing never waits for the disk.
  void KeepInstrumentsLoaded(const MidiSong& song);

  void Send(const MidiMessage& message);
  // Ends every sounding note at once, without its release.
  void SilenceAll();

  // Fills interleaved left/right frames.
  void Render(std::span<float> stereo);

 private:
  struct SynthDeleter {
    void operator()(fluid_synth_t* synth) const noexcept { delete_fluid_synth(synth); }
  };

  std::unique_ptr<WaryFile> soundfont_file_;  // the loader reads it again by its descriptor
  FluidSettingsPtr settings_;                 // outlives the synth
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth_;
  int soundfont_id_ = -1;
};

}  // namespace munyura::desktop
