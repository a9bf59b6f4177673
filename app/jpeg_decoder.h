// SPDX-License-Identifier: GPL-3.0-or-later
// The libjpeg part of the title picture's decoder, plain C++: JPEG bytes to
// rows of RGB pixels, refusing anything damaged, foreign or too large.
#pragma once

#include <cstddef>
#include <vector>

namespace KolvErkl {

// The largest width and height accepted. The title picture is 270 x 220;
// the limit keeps the memory a header can ask for at 48 MiB.
inline constexpr unsigned MaxPictureSide = 4096;

struct RgbPicture {
    unsigned Width = 0, Height = 0;
    std::vector<unsigned char> Pixels; // Height rows of 3 * Width bytes
};

// Decodes a whole JPEG. False, with picture untouched, after any error or
// warning of the decoder, and for a picture wider or taller than
// MaxPictureSide; it never ends the program.
bool DecodeJpegRgb(const unsigned char* bytes, std::size_t size, RgbPicture& picture);

} // namespace KolvErkl
