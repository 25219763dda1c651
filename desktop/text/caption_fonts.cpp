#include "desktop/text/caption_fonts.h"

#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "desktop/messages/messages.h"
#include "window_rules/utf16_text.h"

namespace munyura::desktop {

using window_rules::Utf8FromUtf16;

namespace {

// The end of a font map as it finishes, on whichever thread it comes: Pango's
// fontconfig thread holds the map while a font search it was given runs, and
// the map ends on the thread that lets go of it last.
class MapEnd {
 public:
  explicit MapEnd(PangoFontMap& map) {
    // Object data is released last of all when an object ends, after Pango
    // has put away every fontconfig object the map held.
    g_object_set_qdata_full(G_OBJECT(&map), g_quark_from_static_string("munyura-map-end"),
                            std::make_unique<std::shared_ptr<State>>(state_).release(), &Ended);
  }

  bool WaitFor(std::chrono::milliseconds limit) const {
    std::unique_lock lock(state_->mutex);
    return state_->ended_cv.wait_for(lock, limit, [this] { return state_->ended; });
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable ended_cv;
    bool ended = false;
  };

  static void Ended(gpointer data) {
    const std::unique_ptr<std::shared_ptr<State>> state(static_cast<std::shared_ptr<State>*>(data));
    {
      const std::lock_guard lock((*state)->mutex);
      (*state)->ended = true;
    }
    (*state)->ended_cv.notify_all();
  }

  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace

CaptionFonts::CaptionFonts(FontLibrary& library)
    : library_(library),
      font_map_(pango_cairo_font_map_new()),
      options_(cairo_font_options_create()) {
  library_.MapMade();
  // On this system Pango's cairo font maps are fontconfig ones; the game's
  // map reads the game's configuration, with its alias for the face.
  if (!PANGO_IS_FC_FONT_MAP(font_map_.get())) {
    throw std::runtime_error(Translated("Pango does not take its fonts from fontconfig here"));
  }
  pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(font_map_.get()), setup_.Config());
  cairo_font_options_set_antialias(options_.get(), CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_subpixel_order(options_.get(), CAIRO_SUBPIXEL_ORDER_DEFAULT);
  cairo_font_options_set_hint_style(options_.get(), CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options_.get(), CAIRO_HINT_METRICS_ON);
}

CaptionFonts::~CaptionFonts() {
  PangoFcFontMap* const map = PANGO_FC_FONT_MAP(font_map_.get());
  // Asking for the configuration waits for Pango's thread to finish loading
  // the default one, so that fontconfig is not still building it at exit.
  pango_fc_font_map_get_config(map);
  // Pango 1.50 keeps the reference it took on the game's configuration when
  // the map ends; hand it back, so that the configuration goes with setup_.
  pango_fc_font_map_set_config(map, nullptr);
  // A font search Pango's thread still runs takes milliseconds; wait that
  // long rather than leave the map to a thread that may be using fontconfig
  // when the library is released.
  const MapEnd end(*font_map_);
  font_map_.reset();
  if (end.WaitFor(std::chrono::milliseconds(500))) {
    library_.MapGone();
  }
}

GObjectPtr<PangoContext> CaptionFonts::NewContext() const {
  GObjectPtr<PangoContext> context(pango_font_map_create_context(font_map_.get()));
  pango_cairo_context_set_font_options(context.get(), options_.get());
  pango_cairo_context_set_resolution(context.get(), 96);
  pango_context_set_round_glyph_positions(context.get(), TRUE);
  pango_context_set_language(context.get(), pango_language_from_string("ja"));
  return context;
}

FontDescriptionPtr DescribeFont(scene::FontSpec font) {
  FontDescriptionPtr description(pango_font_description_new());
  pango_font_description_set_family(description.get(), Utf8FromUtf16(font.Face).c_str());
  pango_font_description_set_weight(description.get(),
                                    font.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(description.get(),
                                           PixelsOfPoints(font.Size) * PANGO_SCALE);
  return description;
}

LoadedFont LoadFont(const CaptionFonts& fonts, scene::FontSpec font) {
  const GObjectPtr<PangoContext> context = fonts.NewContext();
  const FontDescriptionPtr wanted = DescribeFont(font);
  const GObjectPtr<PangoFontset> fontset(pango_context_load_fontset(
      context.get(), wanted.get(), pango_context_get_language(context.get())));
  if (!fontset) {
    return {};
  }
  const GObjectPtr<PangoFont> kana(pango_fontset_get_font(fontset.get(), U'あ'));
  const FontDescriptionPtr loaded(pango_font_describe_with_absolute_size(kana.get()));
  const char* const family = pango_font_description_get_family(loaded.get());
  return {family ? family : "",
          static_cast<double>(pango_font_description_get_size(loaded.get())) / PANGO_SCALE,
          pango_font_description_get_weight(loaded.get()) >= PANGO_WEIGHT_BOLD};
}

}  // namespace munyura::desktop
