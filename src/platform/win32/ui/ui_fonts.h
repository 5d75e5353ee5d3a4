// The font of the native controls.
#pragma once

#include <windows.h>

#include <utility>

namespace netquill {

// The system's message font. The captions are Chinese: where that font has no Chinese glyphs
// of its own (an English system, Wine), a Chinese font of the same size that also has the Latin
// letters takes its place, so that no caption shows as empty boxes.
// Returns the captions' font, and the message font itself when that was replaced (or nothing).
std::pair<HFONT, HFONT> CreateUiFonts();

}  // namespace netquill
