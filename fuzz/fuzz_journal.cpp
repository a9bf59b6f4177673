// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson journals of any bytes: the reader never fails badly, and a journal
// that it reads encodes back to the very bytes it came from and reads again
// to the same lesson. Each input is tried as it comes and once more sealed
// with the check sum it needs (in place of a closing line it carries), so
// that the lines behind the check sum are tried too.
#include "exercise/journal_format.h"

#include <cstdlib>
#include <string>
#include <string_view>

using namespace KolvErkl;

namespace {

void readBack(std::string_view bytes) {
    const std::optional<JournalLesson> lesson = DecodeJournal(bytes);
    if (!lesson)
        return;
    const std::string again = EncodeJournal(*lesson);
    const std::optional<JournalLesson> back = DecodeJournal(again);
    if (again != bytes || !back || !(*back == *lesson))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readBack(bytes);
    const std::size_t end = bytes.rfind("\nend ");
    const std::string_view body = end == std::string_view::npos ? bytes : bytes.substr(0, end + 1);
    readBack(std::string(body) + SealJournal(body));
    return 0;
}
