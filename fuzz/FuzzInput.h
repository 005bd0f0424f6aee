// Shared by the fuzz targets: the readers under test take files, so each input is written to a scratch
// folder of this process first, laid out as a project (Support/, lavori/, impostazioni.ini). The folder
// is in memory where the system offers one: saves flush to the disk, which would slow every run.
#pragma once

#include "host/core/HostContext.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fuzz {

inline const std::filesystem::path& Folder() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        const std::filesystem::path base =
            ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::filesystem::temp_directory_path();
        auto d = base / ("pregeo-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d / "Support", ec);
        std::filesystem::create_directories(d / "lavori", ec);
        host::SetFolders({d, d / "lavori", d / "impostazioni.ini"});
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(Folder(), ec);
        });
        return d;
    }();
    return dir;
}

// Writes the input as a file of the scratch folder and answers its path.
inline std::filesystem::path Write(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const auto path = Folder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// A broken promise: libFuzzer keeps the input that led here.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

} // namespace fuzz
