#include "host/core/HostContext.h"

#include "hostapi/Settings.h"

#include <fstream>
#include <system_error>
#include <unistd.h>

namespace host {

namespace {
Folders g_folders;
} // namespace

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

bool WriteFileAtomic(const std::filesystem::path& target, const std::string& bytes) {
    std::filesystem::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace host
