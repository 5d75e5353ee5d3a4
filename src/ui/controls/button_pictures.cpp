#include "ui/controls/button_pictures.h"

#include <algorithm>
#include <cmath>

namespace netquill {
namespace {

// Shapes are described in design pixels by their signed distance: negative inside, positive
// outside. Drawing samples every device pixel several times and mixes the colours found, which
// smooths the edges at every scale.
struct Point {
    double x = 0;
    double y = 0;
};

double Length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

double DistanceToSegment(Point p, Point a, Point b) {
    const double ex = b.x - a.x;
    const double ey = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * ex + (p.y - a.y) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
    return Length(p.x - (a.x + t * ex), p.y - (a.y + t * ey));
}

double Cross(Point a, Point b, Point p) {
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

double Triangle(Point p, Point a, Point b, Point c) {
    const double edge = std::min(
        {DistanceToSegment(p, a, b), DistanceToSegment(p, b, c), DistanceToSegment(p, c, a)});
    const double ab = Cross(a, b, p);
    const double bc = Cross(b, c, p);
    const double ca = Cross(c, a, p);
    const bool inside = (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
    return inside ? -edge : edge;
}

// A rectangle from (left, top) to (right, bottom) with corners rounded by `radius`.
double RoundedBox(Point p, double left, double top, double right, double bottom, double radius) {
    const double qx = std::abs(p.x - (left + right) / 2) - ((right - left) / 2 - radius);
    const double qy = std::abs(p.y - (top + bottom) / 2) - ((bottom - top) / 2 - radius);
    return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

// The arrow pointing up: a head, a shaft down from it, and a quarter bend to the right ending
// in a short tail.
double UpArrow(Point p) {
    const double head = Triangle(p, {10.5, 4}, {4.5, 11}, {16.5, 11});
    const double shaft = RoundedBox(p, 8.5, 10.5, 12.5, 15, 0);
    // The band between two circles around the bend's centre, in its lower left quarter only.
    constexpr Point centre{15, 15};
    constexpr double inner = 2.5;
    constexpr double outer = 6.5;
    const double ring = std::abs(Length(p.x - centre.x, p.y - centre.y) - (inner + outer) / 2) -
                        (outer - inner) / 2;
    const double bend = std::max({ring, p.x - centre.x, centre.y - p.y});
    const double tail = RoundedBox(p, 15, 17.5, 21.5, 21.5, 0);
    return std::min({head, shaft, bend, tail});
}

struct Colour {
    double red = 0;
    double green = 0;
    double blue = 0;
};

Colour Of(Rgb rgb) {
    return {double(rgb.red), double(rgb.green), double(rgb.blue)};
}

Colour Mix(Colour from, Colour to, double amount) {
    return {from.red + (to.red - from.red) * amount, from.green + (to.green - from.green) * amount,
            from.blue + (to.blue - from.blue) * amount};
}

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};

struct Palette {
    Colour faceTop;
    Colour faceBottom;
    Colour border;
    Colour arrowTop;
    Colour arrowBottom;
    Colour arrowOutline;
};

Palette PaletteFor(ButtonFaceState state, Colour background) {
    switch (state) {
        case ButtonFaceState::kHot:
            return {kWhite,        Mix(background, kWhite, 0.6),
                    {0, 120, 215}, {128, 224, 96},
                    {24, 176, 24}, {0, 112, 0}};
        case ButtonFaceState::kPressed:
            return {Mix(background, kBlack, 0.16),
                    Mix(background, kBlack, 0.08),
                    {0, 84, 153},
                    {80, 200, 60},
                    {0, 150, 0},
                    {0, 100, 0}};
        case ButtonFaceState::kDisabled:
            return {background,      background,      {173, 173, 173},
                    {176, 176, 176}, {160, 160, 160}, {128, 128, 128}};
        case ButtonFaceState::kNormal:
            break;
    }
    return {Mix(background, kWhite, 0.8),
            Mix(background, kWhite, 0.2),
            {112, 112, 112},
            {80, 200, 60},
            {0, 150, 0},
            {0, 100, 0}};
}

constexpr int kSamples = 4;  // per device pixel and direction
constexpr double kBorder = 1;
constexpr double kOutline = 1;

// The colour at one point of the face, in design pixels.
Colour ColourAt(Point p, ButtonPicture picture, ButtonFaceState state, const Palette& palette,
                Colour background) {
    const double face = RoundedBox(p, 0, 0, kButtonPictureWidth, kButtonPictureHeight, 3);
    if (face > 0) {
        return background;
    }
    const double down = p.y / kButtonPictureHeight;
    Colour colour =
        face > -kBorder ? palette.border : Mix(palette.faceTop, palette.faceBottom, down);
    if (picture == ButtonPicture::kNone) {
        return colour;
    }
    const double shift = state == ButtonFaceState::kPressed ? 1 : 0;
    Point arrowPoint{p.x - shift, p.y - shift};
    if (picture == ButtonPicture::kGreenArrowDown) {
        arrowPoint.y = kButtonPictureHeight - arrowPoint.y;
    }
    const double arrow = UpArrow(arrowPoint);
    if (arrow <= 0) {
        colour = Mix(palette.arrowTop, palette.arrowBottom, down);
    } else if (arrow <= kOutline) {
        colour = palette.arrowOutline;
    }
    return colour;
}

std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

PictureImage DrawButtonPicture(ButtonPicture picture, ButtonFaceState state, int width, int height,
                               Rgb background) {
    PictureImage image;
    if (width < 1 || height < 1) {
        return image;
    }
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const Colour behind = Of(background);
    const Palette palette = PaletteFor(state, behind);
    const double scaleX = double(kButtonPictureWidth) / width;
    const double scaleY = double(kButtonPictureHeight) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const Point p{(x + (i + 0.5) / kSamples) * scaleX,
                                  (y + (j + 0.5) / kSamples) * scaleY};
                    const Colour c = ColourAt(p, picture, state, palette, behind);
                    sum = {sum.red + c.red, sum.green + c.green, sum.blue + c.blue};
                }
            }
            constexpr double kCount = kSamples * kSamples;
            image.pixels.push_back({Channel(sum.red / kCount), Channel(sum.green / kCount),
                                    Channel(sum.blue / kCount)});
        }
    }
    return image;
}

}  // namespace netquill
