// SPDX-License-Identifier: GPL-3.0-or-later
// Text bytes in task files and extra-task files are windows-1252. These two
// conversions sit at the file boundary, for the windows and the companion.
#pragma once

#include <string>
#include <string_view>

namespace KolvErkl {

// Every byte has a meaning: the five bytes that windows-1252 leaves unused
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, so that any record text converts and converts back unchanged.
std::string Cp1252ToUtf8(std::string_view bytes);

// A character that windows-1252 cannot hold, and a broken UTF-8 sequence,
// become '?'.
std::string Utf8ToCp1252(std::string_view text);

} // namespace KolvErkl
