#include "form1.h"

#include "key_codes.h"
#include "play/held_keys.h"
#include "play/play_tick.h"
#include "scene/element_table.h"
#include "scene/screens.h"
#include "sound/music_command.h"
#include "world/read_monument.h"
#include "world/special_keys.h"

namespace munyura {

Form1::Form1(const scene::PictureSet& pictures, Host& host)
    : scene_(scene::BuildScene(pictures)), host_(&host) {}

void Form1::Form_Load() {
  state_.RoomX = 0;
  state_.RoomY = 0;
  state_.MoveKey.fill(kFalse);
  scene_.Sekihi().SetPicture(scene_.Image2(0).Picture());
  state_.ComboKey.fill(kFalse);
  scene::ShowTitleScreen(scene_);
}

void Form1::Command1_Click() {
  scene::ShowPlayScreen(scene_);
}

void Form1::Label2_Click() {
  Form_Load();
}

void Form1::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/) {
  if (play::PressArrowKey(KeyCode, state_)) {
    return;
  }
  if (KeyCode == kKeyZ) {
    world::ReadMonument(state_, scene_);
    return;
  }
  world::PressSpecialKey(KeyCode, state_, scene_);
}

void Form1::Form_KeyUp(std::int16_t KeyCode, std::int16_t /*Shift*/) {
  play::ReleaseKey(KeyCode, state_);
}

void Form1::Timer1_Timer() {
  if (scene_.Command1().Visible == kTrue) {
    scene::SlideStartButton(scene_);
  } else {
    play::RunPlayTick(state_, scene_);
  }
  sound::SendMusicCommand(*host_);
}

}  // namespace munyura
