#include "host/core/HostContext.h"

#include "hostapi/Settings.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace host {

namespace {
Folders g_folders;
std::size_t g_fileAperti = 0;

std::map<std::string, std::string>& MemoryFiles() {
    static std::map<std::string, std::string> files;
    return files;
}

// What the user is told of a failed file operation.
std::string Causa(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "accesso negato";
    case EISDIR:
        return "è una cartella";
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case ENOENT:
        return "la cartella non esiste";
    case ENOSPC:
    case EDQUOT:
        return "spazio su disco esaurito";
    case EFBIG:
        return "il file supera la dimensione consentita";
    case EROFS:
        return "il disco è di sola lettura";
    default:
        return "errore di sistema " + std::to_string(error) + " (" + std::strerror(error) + ")";
    }
}
} // namespace

std::string CausaErrore(int error) {
    return Causa(error);
}

void SetMemoryFile(const std::filesystem::path& path, std::string bytes) {
    MemoryFiles()[path.lexically_normal().string()] = std::move(bytes);
}

std::string* FindMemoryFile(const std::filesystem::path& path) {
    auto& files = MemoryFiles();
    if (files.empty())
        return nullptr;
    auto it = files.find(path.native());
    if (it == files.end())
        it = files.find(path.lexically_normal().native());
    return it == files.end() ? nullptr : &it->second;
}

void ClearMemoryFiles() {
    MemoryFiles().clear();
}

std::size_t FileAperti() {
    return g_fileAperti;
}

void RegistraFileAperto() {
    ++g_fileAperti;
}

void SetFolders(const Folders& folders) {
    g_folders = folders;
}

const Folders& GetFolders() {
    return g_folders;
}

bool IsOnline() {
    return CIniFile().GetString(u"Host", u"Connessione", u"online").CompareNoCase(u"offline") != 0;
}

std::filesystem::path ResolvePath(const WString& devicePath) {
    std::string text = devicePath.ToUtf8();
    for (char& c : text)
        if (c == '\\')
            c = '/';
    std::filesystem::path path(text);
    if (path.empty())
        return path;
    // The device has no working folder: a relative path starts from the install folder.
    if (path.is_relative() && g_folders.install.is_absolute())
        path = g_folders.install / path;
    if (FindMemoryFile(path))
        return path;
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return path;
    std::filesystem::path resolved = path.root_path();
    for (const auto& part : path.relative_path()) {
        std::filesystem::path next = resolved / part;
        if (!std::filesystem::exists(next, ec)) {
            const std::filesystem::path folder = resolved.empty() ? std::filesystem::path(".") : resolved;
            const WString wanted = WString::FromUtf8(part.string());
            for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
                const WString name = WString::FromUtf8(entry.path().filename().string());
                if (name.CompareNoCase(wanted) == 0) {
                    next = resolved / entry.path().filename();
                    break;
                }
            }
        }
        resolved = next;
    }
    return resolved;
}

namespace {

// A save killed half way leaves its temporary file behind (the target's name, ".tmp" and the saving
// process's id): the next save of that target removes those of processes that no longer run, and nothing
// else.
void RemoveLeftovers(const std::filesystem::path& target) {
    const std::string prefix = target.filename().string() + ".tmp";
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 ||
            name.compare(0, prefix.size(), prefix) != 0 ||
            !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                         [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const auto pid = static_cast<pid_t>(std::stol(name.substr(prefix.size())));
        // Another process's save may be under way; our own file is truncated anyway.
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM)
            continue;
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(entry.path().c_str());
    }
}

} // namespace

bool WriteFileAtomic(const std::filesystem::path& target, const std::string& bytes, std::string* why) {
    if (std::string* memory = FindMemoryFile(target)) {
        *memory = bytes;
        return true;
    }
    const auto fail = [&](const std::string& reason) {
        if (why)
            *why = reason;
        return false;
    };
    // Renaming over a read-only file would replace it and leave it writable.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(Causa(EISDIR));
    if (exists && ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0))
        return fail("il file è di sola lettura");
    RemoveLeftovers(target);
    std::filesystem::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, exists ? old.st_mode & 07777 : 0666);
    if (fd < 0)
        return fail(Causa(errno));
    const auto discard = [&]() {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(Causa(error));
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return discard();
        done += static_cast<std::size_t>(n);
    }
    // The new text is on the disk before it takes the old one's place.
    if (::fsync(fd) != 0)
        return discard();
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return fail(Causa(error));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return fail(Causa(error));
    }
    return true;
}

} // namespace host
