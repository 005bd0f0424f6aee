// Shared by the fuzz targets: the readers under test take files, so each input becomes a file of a
// project folder (Support/, lavori/, impostazioni.ini) that the host holds in memory. The readers open it
// through the host's own file functions as they would on the disk; no run touches the disk, which would
// cost more than most readers.
#pragma once

#include "host/core/HostContext.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <unistd.h>

namespace fuzz {

// The project folder; it does not exist on the disk.
inline const std::filesystem::path& Folder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("pregeo-fuzz-" + std::to_string(::getpid()));
        host::SetFolders({d, d / "lavori", d / "impostazioni.ini"});
        host::SetMemoryFile(d / "impostazioni.ini", std::string());
        return d;
    }();
    return dir;
}

// Makes the input a file of the project folder and answers its path.
inline std::filesystem::path Write(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const auto path = Folder() / name;
    host::SetMemoryFile(path, std::string(reinterpret_cast<const char*>(data), size));
    return path;
}

// One reader a run, so that a run costs one read: the first byte chooses the reader (the seeds lead with
// '0', '1', '2'...), the rest is its input.
using Lettore = void (*)(const std::uint8_t* data, std::size_t size);
inline void UnoAllaVolta(const std::uint8_t* data, std::size_t size, std::initializer_list<Lettore> lettori) {
    if (size == 0 || lettori.size() == 0)
        return;
    lettori.begin()[data[0] % lettori.size()](data + 1, size - 1);
}

// A broken promise: libFuzzer keeps the input that led here.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

} // namespace fuzz
