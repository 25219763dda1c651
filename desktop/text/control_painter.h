// The labels and the start button painted into pixels for the window, which
// uploads them as textures: Windows 9x looks, Japanese text in the game's
// fonts. Each call lays the caption out and paints it afresh (a few
// milliseconds); the window keeps what it painted until a property changes.
#pragma once

#include "desktop/text/painted_image.h"
#include "desktop/text/text_layout.h"
#include "scene/scene_control.h"

namespace munyura::desktop {

// A label's caption as it is painted: wrapped inside the label's width.
LaidOutText LabelCaption(const CaptionFonts& fonts, const scene::SceneControl& label);

// The button's caption as it is painted: on one line, however narrow the
// button (only explicit line breaks part it).
LaidOutText ButtonCaption(const CaptionFonts& fonts, const scene::SceneControl& button);

// `scale` is image pixels per window pixel: 1 normally, 2 on a high-density
// display. The image is the control's rounded Width x Height times the
// scale. Throws std::invalid_argument for a scale that is not positive or a
// size that is not finite or too large for an image.

// The label's back colour with its caption in black, left-aligned from its
// top-left corner and cut off at its edges.
PaintedImage PaintLabel(const CaptionFonts& fonts, const scene::SceneControl& label,
                        float scale = 1);

// A push button in its back colour with a raised edge and its caption
// centred, cut by the edge where it is wider than the button; sunken with the caption one pixel
// down and right while `pressed`, with a dotted rectangle inside while `focused`.
PaintedImage PaintButton(const CaptionFonts& fonts, const scene::SceneControl& button, bool focused,
                         bool pressed, float scale = 1);

}  // namespace munyura::desktop
