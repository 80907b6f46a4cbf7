// A 5 x 7 pixel font of our own for the titles drawn into pictures (no system fonts, so every
// build draws the same pixels), with two rows below the baseline for the descenders of g j p q y.
#pragma once

#include <functional>
#include <string>

namespace korvan::art {

inline constexpr int GlyphW = 5, GlyphH = 9;  // rows 0..6 sit on the baseline

// Calls plot(x, y) for every set pixel of text at scale, glyphs one column apart (times scale).
// Returns the width drawn.
int DrawText(const std::string& text, int x, int y, int scale, const std::function<void(int, int)>& plot);
int TextWidth(const std::string& text, int scale);

}  // namespace korvan::art
