#include "screens.h"

namespace munyura::scene {
namespace {

constexpr float kButtonStep = 10;
constexpr float kButtonTurnback = 500;
constexpr float kButtonRestartLeft = 0;
constexpr float kButtonRestartWidth = 20;
constexpr float kChickStartLeft = 280;
constexpr float kChickStartTop = 192;
constexpr std::int16_t kChickFacingDown = 2;

void ShowAllPosts(Scene& scene, Bool16 visible) {
  for (int array = 1; array <= 4; ++array) {
    scene.Line(array, 0).Visible = visible;
    scene.Line(array, 1).Visible = visible;
  }
}

}  // namespace

void ShowTitleScreen(Scene& scene) {
  scene.Label1().Visible = kTrue;
  scene.Label2().Visible = kFalse;
  scene.Command1().Visible = kTrue;
  scene.Shape1().Visible = kTrue;
  ShowAllPosts(scene, kFalse);
  scene.Sekihi().Visible = kFalse;
  scene.Munyu().SetPicture(nullptr);
  scene.Label1().Caption = kInstructions;
  scene.Munyu().Left = kChickStartLeft;
  scene.Munyu().Top = kChickStartTop;
}

void ShowPlayScreen(Scene& scene) {
  scene.Label1().Visible = kFalse;
  scene.Command1().Visible = kFalse;
  scene.Label2().Visible = kTrue;
  scene.Shape1().Visible = kFalse;
  ShowAllPosts(scene, kTrue);
  scene.Sekihi().Visible = kTrue;
  scene.Munyu().SetPicture(scene.Picture1(kChickFacingDown).Picture());
}

void SlideStartButton(Scene& scene) {
  SceneControl& button = scene.Command1();
  if (button.Left < kButtonTurnback) {
    button.Left = SingleSum(button.Left, kButtonStep);
    button.Width = SingleSum(button.Width, kButtonStep);
  } else {
    button.Left = kButtonRestartLeft;
    button.Width = kButtonRestartWidth;
  }
}

}  // namespace munyura::scene
