// Owning handles for the fontconfig, GLib, Pango and Cairo objects the text
// code creates: each releases its object with the library's own call when it
// goes out of scope.
#pragma once

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace munyura::desktop {

template <auto Release>
struct ReleaseWith {
  template <typename T>
  void operator()(T* object) const noexcept {
    Release(object);
  }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, ReleaseWith<g_object_unref>>;
using FcConfigPtr = std::unique_ptr<FcConfig, ReleaseWith<FcConfigDestroy>>;
using FcPatternPtr = std::unique_ptr<FcPattern, ReleaseWith<FcPatternDestroy>>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, ReleaseWith<FcFontSetDestroy>>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, ReleaseWith<FcObjectSetDestroy>>;
using FcLangSetPtr = std::unique_ptr<FcLangSet, ReleaseWith<FcLangSetDestroy>>;
using FontDescriptionPtr =
    std::unique_ptr<PangoFontDescription, ReleaseWith<pango_font_description_free>>;
using CairoPtr = std::unique_ptr<cairo_t, ReleaseWith<cairo_destroy>>;
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, ReleaseWith<cairo_surface_destroy>>;
using FontOptionsPtr =
    std::unique_ptr<cairo_font_options_t, ReleaseWith<cairo_font_options_destroy>>;

}  // namespace munyura::desktop
