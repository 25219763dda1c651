// The game's entry points for the page's JavaScript: plain C functions over a
// PageGame that the page creates once and keeps, with numbers and UTF-8 or
// UTF-16 text crossing the boundary. The page's own functions (measuring
// text, starting the tune) are called back through Module.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "page_game.h"
#include "scene/scene.h"
#include "window_rules/caption_size.h"
#include "window_rules/control_mapping.h"
#include "window_rules/held_controls.h"
#include "window_rules/key_names.h"
#include "window_rules/letter_picker.h"
#include "window_rules/letterbox.h"
#include "window_rules/picture_files.h"
#include "window_rules/pointed_directions.h"

// NOLINTBEGIN: the page's entry points are C functions by nature.
EM_JS(double, munyura_measure_caption, (const char16_t* text, int length),
      { return Module.measureCaption(UTF16ToString(text, 2 * length)); });

EM_JS(void, munyura_play_page_tune, (), {
  if (Module.playTune) {
    Module.playTune();
  }
});

namespace {

using munyura::scene::ControlKind;
using munyura::web::PageGame;
using munyura::web::PageTime;
namespace rules = munyura::window_rules;

// What a PageGame hands back to the page: one control's numbers, one text,
// or where the game lies on the canvas's area.
struct PageGameAndViews {
  std::unique_ptr<PageGame> game;
  std::array<double, 14> record{};
  std::u16string text;
  munyura::window_rules::Letterbox box;
  std::array<double, 5> fit{};
};

static_assert(static_cast<int>(ControlKind::kPictureBox) == 0 &&
                  static_cast<int>(ControlKind::kTimer) == 6,
              "the page numbers the kinds the same way (scene_drawing.js)");

int Pixel(float position) {
  return static_cast<int>(std::lround(position));
}

bool ValidPosition(const PageGameAndViews& page, int position) {
  return position >= 0 && static_cast<std::size_t>(position) < page.game->Scene().Controls().size();
}

std::int16_t Shift(int shift, int control, int alt) {
  return munyura::window_rules::ShiftStateOf(shift != 0, control != 0, alt != 0);
}

const std::vector<std::string>& PictureFiles() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> names(munyura::window_rules::kChickFiles.begin(),
                                   munyura::window_rules::kChickFiles.end());
    for (int n = 0; n < munyura::window_rules::kMonumentCount; ++n) {
      names.push_back(munyura::window_rules::MonumentFile(n));
    }
    return names;
  }();
  return files;
}

// Known and redraw in the two lowest bits, the virtual key above them.
int KeyBits(munyura::web::KeyResult result) {
  return (result.known ? 1 : 0) | (result.redraw ? 2 : 0) | (result.virtual_key << 2);
}

constexpr int kActionCount = static_cast<int>(rules::Action::kClosePicker) + 1;

bool ValidAction(int action) {
  return action >= 0 && action < kActionCount;
}

bool ValidPadButton(int button) {
  return button >= 0 && button <= 0xFF;
}

}  // namespace

extern "C" {

// The chick's four pictures, then the thirty monuments: the order PageGame
// takes their sizes in.
EMSCRIPTEN_KEEPALIVE int munyura_picture_count() {
  return static_cast<int>(PictureFiles().size());
}

EMSCRIPTEN_KEEPALIVE const char* munyura_picture_file(int n) {
  return PictureFiles().at(static_cast<std::size_t>(n)).c_str();
}

EMSCRIPTEN_KEEPALIVE std::uint32_t munyura_window_back_colour() {
  return munyura::scene::kWindowBackColour;
}

// The window's inner area, the game's own coordinate space.
EMSCRIPTEN_KEEPALIVE float munyura_scale_width() {
  return munyura::scene::kScaleWidth;
}

EMSCRIPTEN_KEEPALIVE float munyura_scale_height() {
  return munyura::scene::kScaleHeight;
}

// The window's caption, UTF-16, kWindowCaption.size() units long.
EMSCRIPTEN_KEEPALIVE const char16_t* munyura_window_caption() {
  return munyura::scene::kWindowCaption.data();
}

EMSCRIPTEN_KEEPALIVE int munyura_window_caption_length() {
  return static_cast<int>(munyura::scene::kWindowCaption.size());
}

// `sizes` holds width, height pairs.
EMSCRIPTEN_KEEPALIVE PageGameAndViews* munyura_new_game(const char* folder, const int* sizes,
                                                        int count) {
  std::vector<munyura::web::PictureSize> pictures;
  for (int n = 0; n < count; ++n) {
    pictures.push_back({sizes[2 * n], sizes[2 * n + 1]});
  }
  auto page = std::make_unique<PageGameAndViews>();
  page->game = std::make_unique<PageGame>(
      folder, pictures, [] { munyura_play_page_tune(); }, std::cerr);
  return page.release();
}

EMSCRIPTEN_KEEPALIVE void munyura_delete_game(PageGameAndViews* page) {
  std::unique_ptr<PageGameAndViews> owned(page);
}

EMSCRIPTEN_KEEPALIVE std::uint32_t munyura_picture_handle(PageGameAndViews* page, int n) {
  return page->game->PictureHandle(static_cast<std::size_t>(n));
}

// Where the game lies in an area of this many device pixels: scale, left,
// top, width, height. The page sizes its canvas by it and maps the pointer
// back through munyura_output_to_game.
EMSCRIPTEN_KEEPALIVE const double* munyura_fit_game(PageGameAndViews* page, int area_width,
                                                    int area_height) {
  const auto box = munyura::window_rules::FitGame(area_width, area_height);
  page->box = box;
  page->fit = {box.scale, static_cast<double>(box.left), static_cast<double>(box.top),
               static_cast<double>(box.width), static_cast<double>(box.height)};
  return page->fit.data();
}

// A device pixel of the canvas (the game's own, from its corner) at the last
// fit's scale: the whole game pixel it lies in, as x, y.
EMSCRIPTEN_KEEPALIVE const double* munyura_output_to_game(PageGameAndViews* page, float x,
                                                          float y) {
  auto canvas = page->box;
  canvas.left = canvas.top = 0;
  const auto point = munyura::window_rules::GameCoordinates(canvas, x, y);
  page->fit = {point.x, point.y, 0, 0, 0};
  return page->fit.data();
}

// Where whole game pixel `game` begins on the canvas at `scale`.
EMSCRIPTEN_KEEPALIVE int munyura_output_pixel(int game, float scale) {
  return munyura::window_rules::OutputPixel(game, scale);
}

EMSCRIPTEN_KEEPALIVE int munyura_load(PageGameAndViews* page, double now_ms) {
  return page->game->Load(now_ms);
}

EMSCRIPTEN_KEEPALIVE int munyura_take_due_tick(PageGameAndViews* page, double now_ms) {
  return page->game->TakeDueTick(now_ms);
}

EMSCRIPTEN_KEEPALIVE int munyura_tick(PageGameAndViews* page) {
  return page->game->Tick();
}

EMSCRIPTEN_KEEPALIVE int munyura_milliseconds_until_next_tick(PageGameAndViews* page,
                                                              double now_ms) {
  return page->game->MillisecondsUntilNextTick(now_ms);
}

EMSCRIPTEN_KEEPALIVE int munyura_key_down(PageGameAndViews* page, const char* code, const char* key,
                                          int shift, int control, int alt) {
  return KeyBits(page->game->KeyDown(code, key, Shift(shift, control, alt)));
}

EMSCRIPTEN_KEEPALIVE int munyura_key_up(PageGameAndViews* page, const char* code, const char* key,
                                        int shift, int control, int alt) {
  return KeyBits(page->game->KeyUp(code, key, Shift(shift, control, alt)));
}

EMSCRIPTEN_KEEPALIVE int munyura_label1_position(PageGameAndViews* page) {
  return static_cast<int>(page->game->Label1Position());
}

EMSCRIPTEN_KEEPALIVE int munyura_mouse_press(PageGameAndViews* page, float x, float y) {
  return page->game->MousePress(x, y);
}

EMSCRIPTEN_KEEPALIVE int munyura_mouse_release(PageGameAndViews* page, float x, float y) {
  return page->game->MouseRelease(x, y);
}

EMSCRIPTEN_KEEPALIVE int munyura_mouse_move(PageGameAndViews* page, float x, float y) {
  return page->game->MouseMove(x, y);
}

EMSCRIPTEN_KEEPALIVE int munyura_focus_lost(PageGameAndViews* page) {
  return page->game->FocusLost();
}

EMSCRIPTEN_KEEPALIVE int munyura_start_button_look(PageGameAndViews* page) {
  const auto look = page->game->StartButtonLook();
  return (look.focused ? 1 : 0) | (look.pressed ? 2 : 0);
}

EMSCRIPTEN_KEEPALIVE int munyura_room_x(PageGameAndViews* page) {
  return page->game->State().RoomX;
}

EMSCRIPTEN_KEEPALIVE int munyura_room_y(PageGameAndViews* page) {
  return page->game->State().RoomY;
}

EMSCRIPTEN_KEEPALIVE int munyura_control_count(PageGameAndViews* page) {
  return static_cast<int>(page->game->Scene().Controls().size());
}

// kind, visible, left, top, width, height, x1, y1, x2, y2 (whole pixels),
// picture Handle (0 for none), back colour, font pixels, bold.
EMSCRIPTEN_KEEPALIVE const double* munyura_control_record(PageGameAndViews* page, int position) {
  page->record.fill(0);
  if (!ValidPosition(*page, position)) {
    return page->record.data();
  }
  const auto& c = page->game->Scene().Controls()[static_cast<std::size_t>(position)];
  const auto picture = c.Picture();
  page->record = {static_cast<double>(c.Kind),
                  c.Visible == munyura::kTrue ? 1.0 : 0.0,
                  static_cast<double>(Pixel(c.Left)),
                  static_cast<double>(Pixel(c.Top)),
                  static_cast<double>(Pixel(c.Width)),
                  static_cast<double>(Pixel(c.Height)),
                  static_cast<double>(Pixel(c.X1)),
                  static_cast<double>(Pixel(c.Y1)),
                  static_cast<double>(Pixel(c.X2)),
                  static_cast<double>(Pixel(c.Y2)),
                  picture ? static_cast<double>(picture->Handle()) : 0.0,
                  static_cast<double>(c.BackColour),
                  munyura::window_rules::PixelsOfPoints(c.Font.Size),
                  c.Font.Bold ? 1.0 : 0.0};
  return page->record.data();
}

// The caption's UTF-16 text; its length is munyura_text_length's.
EMSCRIPTEN_KEEPALIVE const char16_t* munyura_control_caption(PageGameAndViews* page, int position) {
  page->text.clear();
  if (ValidPosition(*page, position)) {
    page->text = page->game->Scene().Controls()[static_cast<std::size_t>(position)].Caption;
  }
  return page->text.c_str();
}

EMSCRIPTEN_KEEPALIVE int munyura_text_length(PageGameAndViews* page) {
  return static_cast<int>(page->text.size());
}

// Breaks the caption into lines, measured by the page's Module.measureCaption.
EMSCRIPTEN_KEEPALIVE int munyura_caption_line_count(PageGameAndViews* page, int position,
                                                    float width) {
  if (!ValidPosition(*page, position)) {
    return 0;
  }
  const auto measure = [](std::u16string_view line) {
    return static_cast<float>(munyura_measure_caption(line.data(), static_cast<int>(line.size())));
  };
  return static_cast<int>(
      page->game->CaptionLines(static_cast<std::size_t>(position), width, measure).size());
}

EMSCRIPTEN_KEEPALIVE const char16_t* munyura_caption_line(PageGameAndViews* page, int n) {
  page->text = page->game->Lines().at(static_cast<std::size_t>(n)).text;
  return page->text.c_str();
}

EMSCRIPTEN_KEEPALIVE double munyura_caption_line_width(PageGameAndViews* page, int n) {
  return page->game->Lines().at(static_cast<std::size_t>(n)).width;
}

// Held controls: the page's touch controls and pads. `device` is the page's
// own number for each (a pad's Gamepad.index, a number for each touch
// control); `action` counts Action's values from kLeft = 0, `button` the
// standard mapping's buttons. Each returns whether the window may look
// different.
EMSCRIPTEN_KEEPALIVE int munyura_press_action(PageGameAndViews* page, int device, int action,
                                              double now_ms) {
  return ValidAction(action) && page->game->Held().PressAction(
                                    device, static_cast<rules::Action>(action), PageTime(now_ms));
}

EMSCRIPTEN_KEEPALIVE int munyura_release_action(PageGameAndViews* page, int device, int action) {
  return ValidAction(action) &&
         page->game->Held().ReleaseAction(device, static_cast<rules::Action>(action));
}

EMSCRIPTEN_KEEPALIVE int munyura_press_pad_button(PageGameAndViews* page, int device, int button,
                                                  double now_ms) {
  return ValidPadButton(button) &&
         page->game->Held().PressPadButton(device, static_cast<rules::PadButton>(button),
                                           PageTime(now_ms));
}

EMSCRIPTEN_KEEPALIVE int munyura_release_pad_button(PageGameAndViews* page, int device,
                                                    int button) {
  return ValidPadButton(button) &&
         page->game->Held().ReleasePadButton(device, static_cast<rules::PadButton>(button));
}

// Where a stick or the touch d-pad of `device` points: x rightward, y
// downward, both -1 ... 1 across the stick's travel or the d-pad's radius,
// inside the stick's dead zone nothing.
EMSCRIPTEN_KEEPALIVE int munyura_point_vector(PageGameAndViews* page, int device, float x, float y,
                                              double now_ms) {
  return page->game->Held().PointDirections(
      device, rules::DirectionsFromVector(x, y, rules::kStickDeadZone), PageTime(now_ms));
}

EMSCRIPTEN_KEEPALIVE int munyura_press_letter(PageGameAndViews* page, int device, int letter,
                                              double now_ms) {
  return page->game->Held().PressLetter(device, letter, PageTime(now_ms));
}

EMSCRIPTEN_KEEPALIVE int munyura_release_letter(PageGameAndViews* page, int device, int letter) {
  return page->game->Held().ReleaseLetter(device, letter);
}

EMSCRIPTEN_KEEPALIVE int munyura_unplug(PageGameAndViews* page, int device) {
  return page->game->Held().Unplug(device);
}

EMSCRIPTEN_KEEPALIVE int munyura_held_focus_lost(PageGameAndViews* page) {
  return page->game->Held().FocusLost();
}

EMSCRIPTEN_KEEPALIVE int munyura_advance_held(PageGameAndViews* page, double now_ms) {
  return page->game->AdvanceHeld(now_ms);
}

EMSCRIPTEN_KEEPALIVE int munyura_milliseconds_until_next_repeat(PageGameAndViews* page,
                                                                double now_ms) {
  return page->game->MillisecondsUntilNextRepeat(now_ms);
}

// Whether a control holds virtual key `key` down now.
EMSCRIPTEN_KEEPALIVE int munyura_key_held(PageGameAndViews* page, int key) {
  const auto held = page->game->Held().HeldKeys();
  return std::find(held.begin(), held.end(), key) != held.end();
}

// Whether a control holds down the key that `action` holds (an arrow, Z):
// for drawing the on-screen controls pressed.
EMSCRIPTEN_KEEPALIVE int munyura_action_held(PageGameAndViews* page, int action) {
  if (!ValidAction(action)) {
    return 0;
  }
  const auto key = rules::HeldKeyOf(static_cast<rules::Action>(action));
  return key && munyura_key_held(page, *key);
}

// The letter picker: open in the lowest bit, the highlighted letter above.
EMSCRIPTEN_KEEPALIVE int munyura_picker_state(PageGameAndViews* page) {
  const auto& picker = page->game->Held().Picker();
  return (picker.IsOpen() ? 1 : 0) | (picker.Highlighted() << 1);
}

EMSCRIPTEN_KEEPALIVE int munyura_letter_count() {
  return rules::kLetterCount;
}

EMSCRIPTEN_KEEPALIVE int munyura_picker_columns() {
  return rules::kPickerColumns;
}

EMSCRIPTEN_KEEPALIVE int munyura_picker_column(int letter) {
  return rules::PickerColumn(letter);
}

EMSCRIPTEN_KEEPALIVE int munyura_picker_row(int letter) {
  return rules::PickerRow(letter);
}

EMSCRIPTEN_KEEPALIVE int munyura_letter_key(int letter) {
  return rules::LetterKey(letter);
}

}  // extern "C"
// NOLINTEND
