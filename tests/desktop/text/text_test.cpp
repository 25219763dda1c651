// The desktop's text; at the window's own scale the golden images pin its looks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/text/control_painter.h"
#include "desktop/text/font_setup.h"
#include "desktop/text/text_handles.h"
#include "world/inscriptions.h"

namespace munyura::desktop {
namespace {

using testing::DesignedWindow;
using testing::Fonts;

// The caption face's antialias, hint style, subpixel order, embedded bitmaps (-1: unsaid).
std::vector<int> RenderingOf(FcConfig* config) {
  const FcPatternPtr request(FcPatternCreate());
  FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("ＭＳ Ｐゴシック"));
  FcConfigSubstitute(config, request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  FcResult result = FcResultNoMatch;
  const FcPatternPtr font(FcFontMatch(config, request.get(), &result));
  std::vector<int> rendering;
  for (const char* setting : {FC_ANTIALIAS, FC_HINT_STYLE, FC_RGBA, FC_EMBEDDED_BITMAP}) {
    FcValue value{};
    const bool set = FcPatternGet(font.get(), setting, 0, &value) == FcResultMatch;
    rendering.push_back(!set ? -1 : value.type == FcTypeBool ? value.u.b : value.u.i);
  }
  return rendering;
}

TEST(FontSetup, PinsTheRenderingWhateverTheUserAsksFor) {
  // A user configuration that asks for the opposite of every pinned setting.
  const std::string path = ::testing::TempDir() + "munyura-fonts-" + std::to_string(getpid());
  std::ofstream(path) << R"(<?xml version="1.0"?><fontconfig>
    <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
    <match target="font">
      <edit name="antialias" mode="assign"><bool>false</bool></edit>
      <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
      <edit name="rgba" mode="assign"><const>rgb</const></edit>
      <edit name="embeddedbitmap" mode="assign"><bool>true</bool></edit>
    </match></fontconfig>)";
  const char* const before = getenv("FONTCONFIG_FILE");
  const std::string previous = before ? before : "";
  setenv("FONTCONFIG_FILE", path.c_str(), 1);
  const FcConfigPtr users_own(FcInitLoadConfigAndFonts());
  const FontSetup game;
  before ? setenv("FONTCONFIG_FILE", previous.c_str(), 1) : unsetenv("FONTCONFIG_FILE");
  std::filesystem::remove(path);
  ASSERT_EQ(RenderingOf(users_own.get()), (std::vector{FcFalse, FC_HINT_FULL, FC_RGBA_RGB, FcTrue}))
      << "the user's settings were not read";
  EXPECT_EQ(RenderingOf(game.Config()),
            (std::vector{FcTrue, FC_HINT_SLIGHT, FC_RGBA_NONE, FcFalse}));
}

// Fontconfig's process state is released at exit only once every font map has
// ended, or FcFini aborts; the leak checks of the sanitizer build see the rest.
TEST(FontLibrary, AMapStillSearchedOnPangosThreadHasEndedWhenItsFontsAre) {
  FontLibrary& library = testing::TheFontLibrary();
  const int alive_before = library.MapsAlive();
  for (int i = 0; i < 10; ++i) {
    {
      const CaptionFonts fonts(library);
      // Leaves Pango's thread searching the rest of the fallback list.
      LoadFont(fonts, DesignedWindow().Label1().Font);
    }
    ASSERT_EQ(library.MapsAlive(), alive_before) << "round " << i;
  }
}

// Each inscription, laid out as Label1 shows it, fits the band; the longest wrap.
TEST(CaptionLayout, EveryInscriptionFitsLabel1) {
  scene::SceneControl label = DesignedWindow().Label1();
  int wrapped = 0;
  for (std::int16_t monument = 0; monument < 30; ++monument) {
    SCOPED_TRACE(monument);
    label.Caption = world::Inscription(monument);
    const LaidOutText text = LabelCaption(Fonts(), label);
    EXPECT_EQ(text.width, std::ranges::max(text.lines, {}, &BrokenLine::width).width);
    EXPECT_EQ(text.height, text.line_height * static_cast<float>(text.lines.size()));
    EXPECT_LE(text.height, label.Height);
    wrapped += text.lines.size() > 1;
  }
  EXPECT_GE(wrapped, 3) << "the longest are wider than the band";
}

// The box of black ink (red below half) on white or the red button, `inset` px in.
struct Ink {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Ink InkOf(const PaintedImage& image, int inset = 0) {
  Ink ink;
  for (int y = inset; y < image.Height() - inset; ++y) {
    for (int x = inset; x < image.Width() - inset; ++x) {
      if ((image.PixelAt(x, y) >> 16 & 0xFF) < 128) {
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
               std::max(ink.bottom, y)};
      }
    }
  }
  return ink;
}

TEST(PaintControls, PaintAtTwiceTheResolutionOnADenseDisplay) {
  const scene::SceneControl& label = DesignedWindow().Label2();
  const Ink one = InkOf(PaintLabel(Fonts(), label, 1));
  const Ink two = InkOf(PaintLabel(Fonts(), label, 2));
  // Advances are whole pixels of either image, so the widths differ a little.
  const int width = 2 * (one.right - one.left);
  EXPECT_NEAR(two.right - two.left, width, width / 10);
  EXPECT_NEAR(two.bottom - two.top, 2 * (one.bottom - one.top), 3);

  // The button keeps edges of two pixels each and its caption centred.
  scene::SceneControl wide = DesignedWindow().Command1();
  wide.Width = 397;
  const PaintedImage button = PaintButton(Fonts(), wide, true, false, 2);
  ASSERT_EQ(std::pair(button.Width(), button.Height()), std::pair(794, 98));
  std::vector<std::uint32_t> row;
  for (const int x : {0, 1, 2, 791, 792, 793}) {
    row.push_back(button.PixelAt(x, 40));
  }
  EXPECT_EQ(row, (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFFFFFFFF, 0xFFDFDFDF, 0xFF808080,
                                             0xFF000000, 0xFF000000}));
  const Ink caption = InkOf(button, 20);
  EXPECT_NEAR((caption.left + caption.right) / 2.0, 397, 3);

  EXPECT_THROW(PaintLabel(Fonts(), label, 0), std::invalid_argument);
  EXPECT_THROW(PaintButton(Fonts(), wide, false, false, -1), std::invalid_argument);
}

}  // namespace
}  // namespace munyura::desktop
