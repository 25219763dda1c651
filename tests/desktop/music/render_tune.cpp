// Renders a MIDI file straight to raw sound, through the same synthesiser and
// blocks the game plays it with: the reference the game's own output is
// compared with, and the measure of the tune's length and loudness.
//
//   render_tune TUNE.mid SECONDS OUT.raw   float stereo at 44.1 kHz
//   render_tune TUNE.mid --level            length and peak of one loop
#include <cmath>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "desktop/music/audio_output.h"
#include "desktop/music/tune_playback.h"

int main(int argc, char* argv[]) {
  using munyura::desktop::AudioOutput;
  const bool level = argc == 3 && std::string(argv[2]) == "--level";
  if (argc != 4 && !level) {
    std::cerr << "usage: render_tune TUNE.mid SECONDS OUT.raw | render_tune TUNE.mid --level\n";
    return 2;
  }
  try {
    const auto playback = munyura::desktop::LoadTune(argv[1], munyura::desktop::SystemSoundfont(),
                                                     AudioOutput::kFrameRate);
    std::ofstream out(level ? "/dev/null" : argv[3], std::ios::binary);
    auto frames_left =
        level ? playback->LoopFrames()
              : static_cast<std::int64_t>(std::stod(argv[2]) * AudioOutput::kFrameRate);
    std::vector<float> buffer(2 * 1024);
    float peak = 0;
    for (; frames_left > 0; frames_left -= 1024) {
      buffer.resize(2 * static_cast<std::size_t>(std::min<std::int64_t>(frames_left, 1024)));
      playback->Render(buffer);
      out.write(reinterpret_cast<const char*>(buffer.data()),
                static_cast<std::streamsize>(buffer.size() * sizeof(float)));
      for (const float sample : buffer) {
        peak = std::max(peak, std::abs(sample));
      }
    }
    if (level) {
      std::cout << "length_seconds "
                << static_cast<double>(playback->LoopFrames()) / AudioOutput::kFrameRate
                << "\npeak_dbfs " << 20 * std::log10(peak) << '\n';
    }
    return out ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "render_tune: " << error.what() << '\n';
    return 1;
  }
}
