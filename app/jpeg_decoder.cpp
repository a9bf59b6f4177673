// SPDX-License-Identifier: GPL-3.0-or-later
// Runs libjpeg on bytes in memory with an error manager that never lets the
// library end the process or print.
#include "app/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <utility>

namespace KolvErkl {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// We jump back to DecodeJpegRgb instead of letting the library end the
// process. Jumping over C frames is what the library is made for; no C++
// object with a destructor is created between the setjmp and the longjmp.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// A warning (a file cut short, which libjpeg pads with grey; corrupt data
// that it would skip) ends the decoding at once: such a picture is refused
// anyway, and going on could cost a damaged file much time. Trace messages
// (levels 0 and up) are ignored.
void StopAtWarning(j_common_ptr info, int level) {
    if (level < 0)
        ErrorExit(info);
}

void NoOutput(j_common_ptr) {}

// The decoding itself. The picture belongs to the caller: after a jump back
// to the setjmp here, only this frame's own variables are in doubt, and the
// library keeps those in memory through the pointers it was given.
bool Decode(const unsigned char* bytes, std::size_t size, RgbPicture& decoded) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    errors.base.emit_message = StopAtWarning;
    errors.base.output_message = NoOutput;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // The header alone decides how much memory the decoder asks for next.
    if (info.image_width > MaxPictureSide || info.image_height > MaxPictureSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    decoded.Width = info.output_width;
    decoded.Height = info.output_height;
    const std::size_t rowBytes = std::size_t{3} * decoded.Width;
    decoded.Pixels.resize(rowBytes * decoded.Height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.Pixels.data() + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

bool DecodeJpegRgb(const unsigned char* bytes, std::size_t size, RgbPicture& picture) {
    if (size == 0)
        return false;
    RgbPicture decoded;
    if (!Decode(bytes, size, decoded))
        return false;
    picture = std::move(decoded);
    return true;
}

} // namespace KolvErkl
