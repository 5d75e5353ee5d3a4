// The pictures of a picture button, one per state of the button, drawn in code: the Win32 peer
// needs no image files, draws them at any scale, and what they show can be checked on every
// platform.
#pragma once

#include <vector>

#include "ui/controls/control.h"

namespace netquill {

enum class ButtonFaceState { kNormal, kHot, kPressed, kDisabled };

// Design size of a picture, in pixels at 96 DPI.
inline constexpr int kButtonPictureWidth = 27;
inline constexpr int kButtonPictureHeight = 26;

struct PictureImage {
    int width = 0;
    int height = 0;
    // Row by row from the top, left to right.
    std::vector<Rgb> pixels;

    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The whole face of a picture button, `width` × `height` device pixels (the design size scaled),
// with rounded corners over `background`, the colour of what lies behind the button. The green
// arrow hooks from its head down and to the right (up) or mirrored top to bottom (down); the hot
// face is lighter, the pressed face darker with the arrow one pixel down and to the right, the
// disabled arrow grey. kNone gives the face alone. A size below 1 gives an empty image.
PictureImage DrawButtonPicture(ButtonPicture picture, ButtonFaceState state, int width, int height,
                               Rgb background);

}  // namespace netquill
