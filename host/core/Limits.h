// What the host accepts of its inputs: a bound for each kind of file it reads, and the coordinates a survey
// can have. Past its bound an input is refused whole, so that one that never ends (a link to /dev/zero)
// ends, and nothing is built or saved from half of it. See docs/architecture.md, "Bounds of the inputs".
#pragma once

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace host {

inline constexpr std::size_t kMiB = 1024 * 1024;

inline constexpr std::size_t kMaxProjectBytes = 128 * kMiB; // progetto.json
inline constexpr std::size_t kMaxSettingsBytes = 1 * kMiB;  // impostazioni.ini
inline constexpr std::size_t kMaxSupportBytes = 4 * kMiB;   // Support\ text files
inline constexpr std::size_t kMaxBitmapBytes = 16 * kMiB;   // Support\ bitmaps
inline constexpr std::size_t kMaxScriptBytes = 4 * kMiB;    // --script
inline constexpr std::size_t kMaxTerminalLine = 64 * 1024;  // one line typed at the terminal
inline constexpr std::size_t kMaxTafBytes = 128 * kMiB;     // TAF and OUT files, and any other file
inline constexpr std::size_t kMaxDistanceBytes = 16 * kMiB; // .dis files

// No survey has a coordinate beyond a million kilometres; a geometry library given one overflows.
inline constexpr double kMaxCoordinate = 1e9;

inline bool IsUsableCoordinate(double v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate;
}

// "il file supera il limite di 128 MiB"
std::string OverLimitText(std::size_t limit);

// The whole file, to its end or to `limit` bytes, whatever it is: pipes and devices have no size to look
// at beforehand, and a named pipe is read as it comes. False with `error` (an errno value: ENOENT when
// there is no such file, EFBIG past the limit) and `why` (Italian) when it cannot be read whole.
bool ReadFileBounded(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                     std::string* why = nullptr, int* error = nullptr);

// A refused input is told through this notice (pregeo-host writes it to stderr), once per text.
void SetInputNotice(std::function<void(const std::string& text)> notice);
void NotifyInput(const std::string& text);

} // namespace host
