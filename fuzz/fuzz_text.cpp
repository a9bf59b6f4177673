// SPDX-License-Identifier: GPL-3.0-or-later
// windows-1252 text and the task folder. Every byte string converts to
// UTF-8 and back unchanged; any text converts to windows-1252 and back to
// valid UTF-8; the folder taken from a file name is a prefix of it of at
// most 60 bytes, never cut inside a character.
#include "catalogue/cp1252.h"
#include "catalogue/task_catalogue.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace KolvErkl;

namespace {

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, surrogates or code points past U+10FFFF.
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<uint8_t>(text[i]);
        std::size_t count = 0;
        uint32_t code = 0, least = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            count = 1, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            count = 2, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            count = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + count >= text.size())
            return false;
        for (std::size_t k = 1; k <= count; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += count + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = Cp1252ToUtf8(bytes);
    if (!IsUtf8(utf8) || Utf8ToCp1252(utf8) != bytes)
        std::abort();
    if (!IsUtf8(Cp1252ToUtf8(Utf8ToCp1252(bytes))))
        std::abort();

    const std::string name(bytes);
    UpdateTaskFolder(name);
    if (TaskFolder.size() > 60 || name.compare(0, TaskFolder.size(), TaskFolder) != 0)
        std::abort();
    // A folder taken from a well-formed name is well-formed too.
    if (IsUtf8(name) && !IsUtf8(TaskFolder))
        std::abort();
    return 0;
}
