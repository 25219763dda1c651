#include "sound/music_command.h"

#include <gtest/gtest.h>

namespace munyura::sound {
namespace {

TEST(MusicCommand, QuotesTheFolderAsItIsAndAppendsTheTune) {
  for (const auto& [folder, command] : {
           std::pair<std::string, std::string>{"/opt/munyura", R"(play "/opt/munyura\bdmidi.mid")"},
           {"/home/a b/My Games", R"(play "/home/a b/My Games\bdmidi.mid")"},
           {"/home/ひよこ/ムニュラ", "play \"/home/ひよこ/ムニュラ\\bdmidi.mid\""},
           {"", R"(play "\bdmidi.mid")"},
           {"/srv/\xff\xfe", "play \"/srv/\xff\xfe\\bdmidi.mid\""},  // not UTF-8: byte for byte
       }) {
    EXPECT_EQ(MusicCommand(folder), command);
  }
}

}  // namespace
}  // namespace munyura::sound
