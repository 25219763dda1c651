// Reads the block structure of a GIF file (not its pixels), to check what the
// decoder does not report: the version, the number of frames, the looping
// block and the frame delays.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace munyura::testing {

struct GifStructure {
  std::string version;  // "87a" or "89a"
  int width = 0;
  int height = 0;
  int global_colours = 0;  // 0 without a global colour table
  int frames = 0;
  std::optional<int> loop_count;                        // from a NETSCAPE2.0 block
  std::vector<int> delays;                              // hundredths, one per control block
  std::vector<std::optional<int>> transparent_indices;  // one per control block
};

// Throws std::runtime_error when the bytes do not follow the GIF grammar.
GifStructure ReadGifStructure(std::span<const std::uint8_t> bytes);

}  // namespace munyura::testing
