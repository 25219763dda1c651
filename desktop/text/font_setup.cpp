#include "desktop/text/font_setup.h"

#include <array>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

#include "desktop/messages/messages.h"
#include "window_rules/utf16_text.h"

namespace munyura::desktop {

using window_rules::Utf8FromUtf16;
namespace {

// Both spellings of the face: the full-width one the captions use and the
// ASCII one it is also known by.
constexpr std::array<std::string_view, 2> kFaceNames{"ＭＳ Ｐゴシック", "MS PGothic"};

std::string AliasRules() {
  std::string rules;
  for (const std::string_view name : kFaceNames) {
    // Strong, so the stand-ins outrank the fonts fontconfig would pick for
    // the language; the language still decides among the rest.
    rules += "<alias binding=\"strong\"><family>";
    rules += name;
    rules +=
        "</family><prefer><family>IPAPGothic</family><family>VL PGothic</family></prefer>"
        "</alias>";
    // Failing both stand-ins, a Japanese font for Latin letters too, so that
    // a caption is not drawn in two faces.
    rules += "<match target=\"pattern\"><test name=\"family\"><string>";
    rules += name;
    rules +=
        "</string></test><edit name=\"lang\" mode=\"assign\"><string>ja</string></edit></match>";
  }
  return rules;
}

// Grey antialiasing with slight hinting for every font, set on both the
// request and the chosen font so that no user rule read before these wins.
constexpr std::string_view kRenderingEdits =
    "<edit name=\"antialias\" mode=\"assign\"><bool>true</bool></edit>"
    "<edit name=\"hinting\" mode=\"assign\"><bool>true</bool></edit>"
    "<edit name=\"hintstyle\" mode=\"assign\"><const>hintslight</const></edit>"
    "<edit name=\"autohint\" mode=\"assign\"><bool>false</bool></edit>"
    "<edit name=\"rgba\" mode=\"assign\"><const>none</const></edit>"
    "<edit name=\"lcdfilter\" mode=\"assign\"><const>lcdnone</const></edit>"
    "<edit name=\"embeddedbitmap\" mode=\"assign\"><bool>false</bool></edit>";

// The stand-ins have no bold face; bold captions are emboldened instead.
constexpr std::string_view kSyntheticBold =
    "<match target=\"font\">"
    "<test name=\"weight\" compare=\"less_eq\"><const>medium</const></test>"
    "<test target=\"pattern\" name=\"weight\" compare=\"more_eq\"><const>bold</const></test>"
    "<edit name=\"embolden\" mode=\"assign\"><bool>true</bool></edit>"
    "<edit name=\"weight\" mode=\"assign\"><const>bold</const></edit>"
    "</match>";

std::string GameRules(std::string_view extra_rules) {
  std::string rules =
      "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">"
      "<fontconfig>";
  rules += AliasRules();
  for (const std::string_view target : {"pattern", "font"}) {
    rules += "<match target=\"";
    rules += target;
    rules += "\">";
    rules += kRenderingEdits;
    rules += "</match>";
  }
  rules += kSyntheticBold;
  rules += extra_rules;
  rules += "</fontconfig>";
  return rules;
}

// Pango draws only with TrueType and OpenType (CFF) fonts and skips others.
bool PangoDrawsWith(const FcPattern& font) {
  FcChar8* format = nullptr;
  if (FcPatternGetString(&font, FC_FONTFORMAT, 0, &format) != FcResultMatch) {
    return false;
  }
  const std::string_view name(reinterpret_cast<const char*>(format));
  return name == "TrueType" || name == "CFF";
}

std::string FamilyOf(const FcPattern& font) {
  FcChar8* family = nullptr;
  if (FcPatternGetString(&font, FC_FAMILY, 0, &family) != FcResultMatch) {
    return {};
  }
  return reinterpret_cast<const char*>(family);
}

bool HasCharacter(const FcPattern& font, char32_t c) {
  FcCharSet* characters = nullptr;
  return FcPatternGetCharSet(&font, FC_CHARSET, 0, &characters) == FcResultMatch &&
         FcCharSetHasChar(characters, c);
}

const FcChar8* FcText(const char* text) {
  return reinterpret_cast<const FcChar8*>(text);
}

}  // namespace

FontSetup::FontSetup(std::string_view extra_rules) : config_(FcInitLoadConfig()) {
  if (!config_) {
    throw std::runtime_error(Translated("cannot read the font configuration"));
  }
  const std::string rules = GameRules(extra_rules);
  if (FcConfigParseAndLoadFromMemory(config_.get(), FcText(rules.c_str()), FcTrue) != FcTrue) {
    throw std::invalid_argument("the font rules do not parse");
  }
  if (FcConfigBuildFonts(config_.get()) != FcTrue) {
    throw std::runtime_error(Translated("cannot list the installed fonts"));
  }
}

bool FontSetup::CoversJapanese() const {
  const FcPatternPtr japanese(FcPatternCreate());
  const FcLangSetPtr languages(FcLangSetCreate());
  FcLangSetAdd(languages.get(), FcText("ja"));
  FcPatternAddLangSet(japanese.get(), FC_LANG, languages.get());
  const FcObjectSetPtr wanted(FcObjectSetBuild(FC_FAMILY, FC_FONTFORMAT, nullptr));
  const FcFontSetPtr fonts(FcFontList(config_.get(), japanese.get(), wanted.get()));
  if (!fonts) {
    return false;
  }
  for (int i = 0; i < fonts->nfont; ++i) {
    if (PangoDrawsWith(*fonts->fonts[i])) {
      return true;
    }
  }
  return false;
}

std::string FontSetup::FamilyFor(std::u16string_view face) const {
  const FcPatternPtr request(FcPatternCreate());
  FcPatternAddString(request.get(), FC_FAMILY, FcText(Utf8FromUtf16(face).c_str()));
  FcPatternAddString(request.get(), FC_LANG, FcText("ja"));
  FcConfigSubstitute(config_.get(), request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  FcResult result = FcResultNoMatch;
  const FcFontSetPtr sorted(FcFontSort(config_.get(), request.get(), FcFalse, nullptr, &result));
  if (!sorted) {
    return {};
  }
  std::string first;
  for (int i = 0; i < sorted->nfont; ++i) {
    const FcPattern& font = *sorted->fonts[i];
    if (!PangoDrawsWith(font)) {
      continue;
    }
    if (HasCharacter(font, U'あ')) {
      return FamilyOf(font);
    }
    if (first.empty()) {
      first = FamilyOf(font);
    }
  }
  return first;
}

std::optional<std::string> FontSetup::MissingFontWarning() const {
  if (CoversJapanese()) {
    return std::nullopt;
  }
  return Translated(
      "no installed font covers Japanese, so the game's text shows as boxes; install the "
      "package fonts-ipafont-gothic");
}

}  // namespace munyura::desktop
