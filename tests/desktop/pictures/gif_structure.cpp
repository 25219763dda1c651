#include "desktop/pictures/gif_structure.h"

#include <stdexcept>

namespace munyura::testing {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  int Byte() {
    if (offset_ >= bytes_.size()) {
      throw std::runtime_error("GIF ends early");
    }
    return bytes_[offset_++];
  }
  int Word() {
    const int low = Byte();
    return low | Byte() << 8;
  }
  std::string Text(int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
      text += static_cast<char>(Byte());
    }
    return text;
  }
  void Skip(int length) {
    for (int i = 0; i < length; ++i) {
      Byte();
    }
  }
  // The data sub-blocks up to the terminating empty one, each on its own.
  std::vector<std::vector<std::uint8_t>> SubBlocks() {
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int size = Byte(); size != 0; size = Byte()) {
      std::vector<std::uint8_t>& block = blocks.emplace_back();
      for (int i = 0; i < size; ++i) {
        block.push_back(static_cast<std::uint8_t>(Byte()));
      }
    }
    return blocks;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
};

int ColourTableSize(int packed) {
  return (packed & 0x80) != 0 ? 2 << (packed & 0x07) : 0;
}

}  // namespace

GifStructure ReadGifStructure(std::span<const std::uint8_t> bytes) {
  Reader in(bytes);
  GifStructure gif;
  if (in.Text(3) != "GIF") {
    throw std::runtime_error("not a GIF");
  }
  gif.version = in.Text(3);
  gif.width = in.Word();
  gif.height = in.Word();
  const int packed = in.Byte();
  in.Skip(2);  // background colour, aspect ratio
  gif.global_colours = ColourTableSize(packed);
  in.Skip(3 * gif.global_colours);

  for (;;) {
    switch (in.Byte()) {
      case 0x3B:  // trailer
        return gif;
      case 0x2C: {  // image
        in.Skip(8);
        in.Skip(3 * ColourTableSize(in.Byte()));
        in.Byte();  // LZW minimum code size
        in.SubBlocks();
        ++gif.frames;
        break;
      }
      case 0x21: {  // extension
        const int label = in.Byte();
        const std::vector<std::vector<std::uint8_t>> blocks = in.SubBlocks();
        if (label == 0xF9 && blocks.size() == 1 && blocks[0].size() == 4) {
          const std::vector<std::uint8_t>& control = blocks[0];
          gif.delays.push_back(control[1] | control[2] << 8);
          gif.transparent_indices.push_back((control[0] & 1) != 0 ? std::optional<int>(control[3])
                                                                  : std::nullopt);
        } else if (label == 0xFF && blocks.size() == 2 &&
                   std::string(blocks[0].begin(), blocks[0].end()) == "NETSCAPE2.0" &&
                   blocks[1].size() == 3 && blocks[1][0] == 1) {
          gif.loop_count = blocks[1][1] | blocks[1][2] << 8;
        }
        break;
      }
      default:
        throw std::runtime_error("unknown GIF block");
    }
  }
}

}  // namespace munyura::testing
