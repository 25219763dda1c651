// The tune rendered straight to raw sound through the synthesiser and blocks
// the game plays it with: the reference for the game's own output, and the
// tune's length and loudness; or the song as the game reads it.
//
//   render_tune TUNE.mid SECONDS OUT.raw   float stereo at 44.1 kHz
//   render_tune TUNE.mid --level            length and peak of one loop
//   render_tune TUNE.mid --messages         the song's length in microseconds,
//                                           then each message's time and bytes
#include <cmath>
#include <fstream>
#include <iostream>
#include <numeric>
#include <string>
#include <vector>

#include "desktop/music/audio_output.h"
#include "desktop/music/tune_file.h"
#include "desktop/music/tune_playback.h"

using namespace munyura::desktop;

int main(int argc, char* argv[]) {
  const std::string option = argc == 3 ? argv[2] : "";
  if (option == "--messages") {
    const auto song = munyura::window_rules::ReadMidiSong(ReadTuneFile(argv[1]));
    std::cout << song.length_microseconds << '\n';
    for (const auto& [time, m] : song.messages) {
      std::cout << time << ' ' << +m.status << ' ' << +m.data1 << ' ' << +m.data2 << '\n';
    }
    return 0;
  }
  const bool level = option == "--level";
  if (argc != 4 && !level) {
    std::cerr << "usage: render_tune TUNE.mid SECONDS OUT.raw | TUNE.mid --level | TUNE.mid "
                 "--messages\n";
    return 2;
  }
  // A tune that cannot be loaded ends the program with its reason.
  const auto playback = LoadTune(argv[1], SystemSoundfont(), AudioOutput::kFrameRate);
  const auto frames =
      level ? playback->LoopFrames() : std::int64_t(std::stod(argv[2]) * AudioOutput::kFrameRate);
  std::vector<float> sound(2 * static_cast<std::size_t>(frames));
  playback->Render(sound);
  if (level) {
    const float peak = std::accumulate(sound.begin(), sound.end(), 0.0F,
                                       [](float m, float s) { return std::max(m, std::abs(s)); });
    std::cout << "length_seconds " << static_cast<double>(frames) / AudioOutput::kFrameRate
              << "\npeak_dbfs " << 20 * std::log10(peak) << '\n';
    return 0;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out.write(reinterpret_cast<const char*>(sound.data()),
            static_cast<std::streamsize>(sound.size() * sizeof(float)));
  return out ? 0 : 1;
}
