// What tests build the game with: pictures (sizes, Handles, no pixels), music hosts, a play screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game_state.h"
#include "host.h"
#include "scene/scene.h"

namespace munyura::testing {

// Chick pictures take Handles 101 to 104, monument n takes 200 + n.
scene::PictureSet TestPictures();

struct RecordingHost : Host {
  std::string ExecutableFolder() override { return folder; }
  void SendMusicCommand(std::string_view command) override { commands.emplace_back(command); }

  std::string folder = "/opt/munyura";
  std::vector<std::string> commands;
};

// Counts the music commands, and those that are not the tune of /opt/munyura.
struct CountingHost : Host {
  std::string ExecutableFolder() override { return "/opt/munyura"; }
  void SendMusicCommand(std::string_view command) override {
    ++sent;
    different += command != R"(play "/opt/munyura\bdmidi.mid")";
  }
  long sent = 0;
  long different = 0;
};

// Room (0, 0)'s play screen as the start button leaves it, Picture1(facing) at (left, top).
scene::Scene PlayScene(float left = 280, float top = 192, std::int16_t facing = 2);

}  // namespace munyura::testing
