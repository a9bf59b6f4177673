// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary folder of a test's own, on every system the tests run on.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace KolvTest {

// A new empty folder under the system's temporary folder, named from `stem`.
inline std::filesystem::path NewScratchFolder(const std::string& stem) {
    std::random_device random;
    for (;;) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                             (stem + "-" + std::to_string(random() % 1000000000u));
        if (std::filesystem::create_directory(folder))
            return folder;
    }
}

} // namespace KolvTest
