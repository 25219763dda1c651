// The game's fonts on this machine: its aliases for "ＭＳ Ｐゴシック", the
// warning when nothing covers Japanese, and rendering settings that no user
// setting changes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>

#include "desktop/text/font_setup.h"
#include "desktop/text/text_handles.h"

namespace munyura::desktop {
namespace {

constexpr const char* kInstallHint = "install the package fonts-ipafont-gothic";

TEST(FontSetup, DrawsTheWindowsFaceWithIpaPGothic) {
  const FontSetup fonts;
  ASSERT_TRUE(fonts.CoversJapanese()) << kInstallHint;
  EXPECT_EQ(fonts.FamilyFor(u"ＭＳ Ｐゴシック"), "IPAPGothic") << kInstallHint;
  EXPECT_EQ(fonts.FamilyFor(u"MS PGothic"), "IPAPGothic") << kInstallHint;
  EXPECT_EQ(fonts.MissingFontWarning(), std::nullopt);
}

TEST(FontSetup, WarnsAndNamesThePackageWhenNoFontCoversJapanese) {
  // Hides every Japanese font from the configuration, as if none were installed.
  const FontSetup fonts(
      "<selectfont><rejectfont><pattern><patelt name=\"lang\"><string>ja</string></patelt>"
      "</pattern></rejectfont></selectfont>");
  EXPECT_FALSE(fonts.CoversJapanese());
  EXPECT_NE(fonts.FamilyFor(u"ＭＳ Ｐゴシック"), "IPAPGothic");
  const std::optional<std::string> warning = fonts.MissingFontWarning();
  ASSERT_TRUE(warning.has_value());
  EXPECT_NE(warning->find("fonts-ipafont-gothic"), std::string::npos) << *warning;
  EXPECT_EQ(warning->find('\n'), std::string::npos) << "one line";
}

// The settings fontconfig hands the renderer for the caption face: antialias,
// hint style, subpixel order, embedded bitmaps.
using Rendering = std::tuple<FcBool, int, int, FcBool>;
constexpr Rendering kPinned{FcTrue, FC_HINT_SLIGHT, FC_RGBA_NONE, FcFalse};

Rendering RenderingOf(FcConfig* config) {
  const FcPatternPtr request(FcPatternCreate());
  FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("ＭＳ Ｐゴシック"));
  FcConfigSubstitute(config, request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  FcResult result = FcResultNoMatch;
  const FcPatternPtr font(FcFontMatch(config, request.get(), &result));
  Rendering rendering{FcFalse, -1, -1, FcTrue};
  if (font) {
    FcPatternGetBool(font.get(), FC_ANTIALIAS, 0, &std::get<0>(rendering));
    FcPatternGetInteger(font.get(), FC_HINT_STYLE, 0, &std::get<1>(rendering));
    FcPatternGetInteger(font.get(), FC_RGBA, 0, &std::get<2>(rendering));
    FcPatternGetBool(font.get(), FC_EMBEDDED_BITMAP, 0, &std::get<3>(rendering));
  }
  return rendering;
}

TEST(FontSetup, PinsTheRenderingWhateverTheUserAsksFor) {
  EXPECT_EQ(RenderingOf(FontSetup().Config()), kPinned);
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
  ASSERT_EQ(RenderingOf(users_own.get()), (Rendering{FcFalse, FC_HINT_FULL, FC_RGBA_RGB, FcTrue}))
      << "the user's settings were not read";
  EXPECT_EQ(RenderingOf(game.Config()), kPinned);
}

}  // namespace
}  // namespace munyura::desktop
