// Fontconfig's state for the whole process: the default configuration Pango
// loads on a thread of its own when the first font map is made, and the font
// caches that every configuration shares. FcFini gives all of it back, but
// aborts if any font object is still alive; so one FontLibrary outlives every
// font map a program makes, and lets go of that state only once each map has
// gone.
#pragma once

namespace munyura::desktop {

class FontLibrary {
 public:
  FontLibrary() = default;
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;
  ~FontLibrary();

  void MapMade() noexcept { ++maps_alive_; }
  void MapGone() noexcept { --maps_alive_; }
  int MapsAlive() const noexcept { return maps_alive_; }

 private:
  // Maps made and not known to be gone: one that Pango's thread still held
  // when its owner let go keeps the state for the exit to free.
  int maps_alive_ = 0;
};

}  // namespace munyura::desktop
