#include "host/core/Limits.h"

#include "host/core/HostContext.h"

#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

std::function<void(const std::string&)>& Notice() {
    static std::function<void(const std::string&)> notice;
    return notice;
}

} // namespace

std::string OverLimitText(std::size_t limit) {
    const std::string size =
        limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MiB" : std::to_string(limit / 1024) + " KiB";
    return "il file supera il limite di " + size;
}

bool ReadFileBounded(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                     std::string* why, int* error) {
    bytes.clear();
    const auto fail = [&](int e, const std::string& reason) {
        bytes.clear();
        if (error)
            *error = e;
        if (why)
            *why = reason;
        return false;
    };
    if (const std::string* memory = FindMemoryFile(path)) {
        if (memory->size() > limit)
            return fail(EFBIG, OverLimitText(limit));
        bytes = *memory;
        return true;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno, "il file non si può leggere");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(EISDIR, "il file non si può leggere");
    }
    // A regular file says its size: one that is too big is refused without reading it.
    if (S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > limit) {
        ::close(fd);
        return fail(EFBIG, OverLimitText(limit));
    }
    if (S_ISREG(st.st_mode))
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            return fail(e, "il file non si può leggere");
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            ::close(fd);
            return fail(EFBIG, OverLimitText(limit));
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

void SetInputNotice(std::function<void(const std::string&)> notice) {
    Notice() = std::move(notice);
}

void NotifyInput(const std::string& text) {
    // A settings file is read once per key: its refusal is told once.
    static std::set<std::string> told;
    if (Notice() && told.insert(text).second)
        Notice()(text);
}

} // namespace host
