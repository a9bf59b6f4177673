// SPDX-License-Identifier: GPL-3.0-or-later
// The title picture's decoder on any bytes: it refuses or gives a picture
// within the size limit, never more memory than that asks for.
#include "app/jpeg_decoder.h"

#include <cstdint>
#include <cstdlib>

using namespace KolvErkl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    RgbPicture picture;
    if (DecodeJpegRgb(data, size, picture) &&
        (picture.Width > MaxPictureSide || picture.Height > MaxPictureSide ||
         picture.Pixels.size() != std::size_t{3} * picture.Width * picture.Height))
        std::abort();
    return 0;
}
