// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: a scratch folder of their own for the file
// paths, and reading the input as a few fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace KolvaneFuzz {

// A fresh folder, made once per process and removed at its end: in memory
// where the system has /dev/shm (a save waits for the disk), else under the
// temporary folder.
inline const std::filesystem::path& ScratchFolder() {
    // Never destroyed, so that it is still there for the removal at exit.
    static const std::filesystem::path* const folder = [] {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "kolvane-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return new std::filesystem::path(pattern);
    }();
    static const int removal = std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(*folder, error);
    });
    (void)removal;
    return *folder;
}

inline std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
    const std::filesystem::path path = ScratchFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

inline std::string ReadScratchFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Takes fields from the front of the input; past its end every field is 0.
class Input {
public:
    Input(const uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    uint8_t Byte() {
        if (rest_.empty())
            return 0;
        const auto byte = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }
    int32_t Int32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= uint32_t{Byte()} << (8 * i);
        return static_cast<int32_t>(value);
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

} // namespace KolvaneFuzz
