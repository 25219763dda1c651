// The game's fonts on this machine: its aliases for "ＭＳ Ｐゴシック", the
// warning when nothing covers Japanese, and rendering settings that no user
// setting changes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "desktop/text/caption_fonts.h"
#include "desktop/text/caption_fonts_for_tests.h"
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

// The settings fontconfig hands the renderer for the caption face.
struct Rendering {
  FcBool antialias = FcFalse;
  int hint_style = -1;
  int rgba = -1;
  FcBool embedded_bitmap = FcTrue;
};

Rendering RenderingOf(const FontSetup& fonts) {
  const FcPatternPtr request(FcPatternCreate());
  FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("ＭＳ Ｐゴシック"));
  FcConfigSubstitute(fonts.Config(), request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  FcResult result = FcResultNoMatch;
  const FcPatternPtr font(FcFontMatch(fonts.Config(), request.get(), &result));
  Rendering rendering;
  if (font) {
    FcPatternGetBool(font.get(), FC_ANTIALIAS, 0, &rendering.antialias);
    FcPatternGetInteger(font.get(), FC_HINT_STYLE, 0, &rendering.hint_style);
    FcPatternGetInteger(font.get(), FC_RGBA, 0, &rendering.rgba);
    FcPatternGetBool(font.get(), FC_EMBEDDED_BITMAP, 0, &rendering.embedded_bitmap);
  }
  return rendering;
}

void ExpectPinned(const Rendering& rendering) {
  EXPECT_EQ(rendering.antialias, FcTrue);
  EXPECT_EQ(rendering.hint_style, FC_HINT_SLIGHT);
  EXPECT_EQ(rendering.rgba, FC_RGBA_NONE);
  EXPECT_EQ(rendering.embedded_bitmap, FcFalse);
}

// A user configuration that asks for the opposite of every pinned setting.
class UserFontSettings {
 public:
  UserFontSettings() {
    std::ofstream(path_) << R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>false</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
    <edit name="rgba" mode="assign"><const>rgb</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>true</bool></edit>
  </match>
</fontconfig>
)";
    const char* const previous = std::getenv("FONTCONFIG_FILE");
    if (previous != nullptr) {
      previous_ = previous;
    }
    setenv("FONTCONFIG_FILE", path_.c_str(), 1);
  }
  ~UserFontSettings() {
    if (previous_) {
      setenv("FONTCONFIG_FILE", previous_->c_str(), 1);
    } else {
      unsetenv("FONTCONFIG_FILE");
    }
    std::filesystem::remove(path_);
  }
  UserFontSettings(const UserFontSettings&) = delete;
  UserFontSettings& operator=(const UserFontSettings&) = delete;

 private:
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("munyura-fonts-" + std::to_string(getpid()) + ".conf");
  std::optional<std::string> previous_;
};

TEST(FontSetup, PinsTheRenderingWhateverTheUserAsksFor) {
  ExpectPinned(RenderingOf(FontSetup()));
  const UserFontSettings contrary;
  const FcConfigPtr users_own(FcInitLoadConfigAndFonts());
  ASSERT_TRUE(users_own);
  FcPatternPtr request(FcPatternCreate());
  FcConfigSubstitute(users_own.get(), request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  FcResult result = FcResultNoMatch;
  const FcPatternPtr font(FcFontMatch(users_own.get(), request.get(), &result));
  FcBool antialias = FcTrue;
  FcPatternGetBool(font.get(), FC_ANTIALIAS, 0, &antialias);
  ASSERT_EQ(antialias, FcFalse) << "the user's settings were not read";
  ExpectPinned(RenderingOf(FontSetup()));
}

TEST(CaptionFonts, GiveTheLabelsAndTheButtonIpaPGothicAtTheirPixelSizes) {
  struct Case {
    scene::FontSpec font;
    double pixel_size;
  };
  const Case cases[] = {
      {{u"ＭＳ Ｐゴシック", 20.25F, false}, 27},  // Label1
      {{u"ＭＳ Ｐゴシック", 11.25F, true}, 15},   // Label2
      {{u"ＭＳ Ｐゴシック", 21.75F, false}, 29},  // the start button
  };
  for (const Case& c : cases) {
    const LoadedFont loaded = LoadFont(testing::Fonts(), c.font);
    EXPECT_EQ(loaded.family, "IPAPGothic") << kInstallHint;
    EXPECT_EQ(loaded.pixel_size, c.pixel_size) << c.font.Size << " pt";
    EXPECT_EQ(loaded.bold, c.font.Bold) << c.font.Size << " pt";
  }
}

}  // namespace
}  // namespace munyura::desktop
