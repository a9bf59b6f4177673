// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/cp1252.h"

#include <array>
#include <cstdint>

namespace KolvErkl {

namespace {

// The characters of 0x80..0x9F; the rest of windows-1252 is Latin-1.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char Unmappable = '?';

char32_t CodePoint(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControls[byte - 0x80];
    return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == c)
            return static_cast<char>(0x80 + i);
    return Unmappable;
}

// Decodes one UTF-8 sequence at text[i]; advances i. Returns false for a
// broken or overlong sequence (i then moves past its first byte only).
bool NextCodePoint(std::string_view text, std::size_t& i, char32_t& c) {
    const auto lead = static_cast<uint8_t>(text[i++]);
    int more = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        c = lead;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        c = lead & 0x1F, more = 1, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        c = lead & 0x0F, more = 2, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        c = lead & 0x07, more = 3, least = 0x10000;
    } else {
        return false;
    }
    std::size_t j = i;
    for (int k = 0; k < more; ++k, ++j) {
        if (j >= text.size() || (static_cast<uint8_t>(text[j]) & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (static_cast<uint8_t>(text[j]) & 0x3F);
    }
    if (c < least || c > 0x10FFFF)
        return false;
    i = j;
    return true;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char b : bytes)
        AppendUtf8(out, CodePoint(static_cast<uint8_t>(b)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        out += NextCodePoint(text, i, c) ? ToCp1252(c) : Unmappable;
    }
    return out;
}

} // namespace KolvErkl
