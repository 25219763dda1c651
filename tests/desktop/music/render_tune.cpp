// Renders a MIDI file straight to raw sound, through the same synthesiser and
// blocks the game plays it with: the reference the game's own output is
// compared with, and the measure of the tune's length and loudness.
//
//   render_tune TUNE.mid SECONDS OUT.raw   float stereo at 44.1 kHz
//   render_tune TUNE.mid --level            length and peak of one loop
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "desktop/music/audio_output.h"
#include "desktop/music/tune_playback.h"
#include "desktop/music/tune_synth.h"

namespace {

using munyura::desktop::AudioOutput;

std::unique_ptr<munyura::desktop::TunePlayback> OpenTune(const std::string& path) {
  return munyura::desktop::LoadTune(path, munyura::desktop::SystemSoundfont(),
                                    AudioOutput::kFrameRate);
}

int RenderToFile(const std::string& tune, double seconds, const std::string& output) {
  auto playback = OpenTune(tune);
  std::ofstream out(output, std::ios::binary);
  std::vector<float> buffer(2 * 1024);
  auto frames_left = static_cast<std::int64_t>(seconds * AudioOutput::kFrameRate);
  while (frames_left > 0) {
    const auto frames = std::min<std::int64_t>(frames_left, 1024);
    const std::span<float> part(buffer.data(), static_cast<std::size_t>(2 * frames));
    playback->Render(part);
    out.write(reinterpret_cast<const char*>(part.data()),
              static_cast<std::streamsize>(part.size_bytes()));
    frames_left -= frames;
  }
  return out ? 0 : 1;
}

int ReportLevel(const std::string& tune) {
  auto playback = OpenTune(tune);
  std::vector<float> buffer(2 * 1024);
  float peak = 0;
  while (playback->Position().loops == 0) {
    playback->Render(buffer);
    for (const float sample : buffer) {
      peak = std::max(peak, std::abs(sample));
    }
  }
  std::cout << "length_seconds "
            << static_cast<double>(playback->LoopFrames()) / AudioOutput::kFrameRate
            << "\npeak_dbfs " << 20 * std::log10(peak) << '\n';
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    if (argc == 3 && std::string(argv[2]) == "--level") {
      return ReportLevel(argv[1]);
    }
    if (argc == 4) {
      return RenderToFile(argv[1], std::stod(argv[2]), argv[3]);
    }
    std::cerr << "usage: render_tune TUNE.mid SECONDS OUT.raw | render_tune TUNE.mid --level\n";
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "render_tune: " << error.what() << '\n';
    return 1;
  }
}
