// Renders a MIDI file straight to raw sound, through the same synthesiser and
// blocks the game plays it with: the reference the game's own output is
// compared with, and the measure of the tune's length and loudness; or the
// song as the game reads it.
//
//   render_tune TUNE.mid SECONDS OUT.raw   float stereo at 44.1 kHz
//   render_tune TUNE.mid --level            length and peak of one loop
//   render_tune TUNE.mid --messages         the song's length in microseconds,
//                                           then each message's time and bytes
#include <cmath>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "desktop/music/audio_output.h"
#include "desktop/music/tune_file.h"
#include "desktop/music/tune_playback.h"

int main(int argc, char* argv[]) {
  using munyura::desktop::AudioOutput;
  const bool level = argc == 3 && std::string(argv[2]) == "--level";
  if (argc == 3 && std::string(argv[2]) == "--messages") {
    const auto song = munyura::window_rules::ReadMidiSong(munyura::desktop::ReadTuneFile(argv[1]));
    std::cout << song.length_microseconds << '\n';
    for (const auto& [time, m] : song.messages) {
      std::cout << time << ' ' << +m.status << ' ' << +m.data1 << ' ' << +m.data2 << '\n';
    }
    return 0;
  }
  if (argc != 4 && !level) {
    std::cerr << "usage: render_tune TUNE.mid SECONDS OUT.raw | TUNE.mid --level | TUNE.mid "
                 "--messages\n";
    return 2;
  }
  // A tune that cannot be loaded ends the program with its reason.
  const auto playback = munyura::desktop::LoadTune(argv[1], munyura::desktop::SystemSoundfont(),
                                                   AudioOutput::kFrameRate);
  const auto frames = level
                          ? playback->LoopFrames()
                          : static_cast<std::int64_t>(std::stod(argv[2]) * AudioOutput::kFrameRate);
  std::vector<float> sound(2 * static_cast<std::size_t>(frames));
  playback->Render(sound);
  if (level) {
    float peak = 0;
    for (const float sample : sound) {
      peak = std::max(peak, std::abs(sample));
    }
    std::cout << "length_seconds " << static_cast<double>(frames) / AudioOutput::kFrameRate
              << "\npeak_dbfs " << 20 * std::log10(peak) << '\n';
    return 0;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out.write(reinterpret_cast<const char*>(sound.data()),
            static_cast<std::streamsize>(sound.size() * sizeof(float)));
  return out ? 0 : 1;
}
