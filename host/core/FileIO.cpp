#include "hostapi/FileIO.h"

#include "host/core/HostContext.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

struct PlatformFile {
    std::FILE* file = nullptr;
    bool text = true;
};

struct HostFind {
    std::vector<std::string> names;
    std::size_t next = 0;
};

namespace {

// One byte as text mode delivers it: -1 at the end, a CR before LF swallowed.
int ReadByte(PlatformFile* f) {
    int c = getc_unlocked(f->file);
    if (c == '\r' && f->text) {
        const int after = getc_unlocked(f->file);
        if (after == '\n')
            return '\n';
        if (after != EOF)
            std::ungetc(after, f->file);
    }
    return c;
}

bool Matches(const char16_t* pattern, std::u16string_view name) {
    // Wildcards without regard to case, as on the device.
    std::size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    const std::u16string_view pat(pattern);
    while (n < name.size()) {
        if (p < pat.size() && (pat[p] == u'?' || CharToLower(pat[p]) == CharToLower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pat.size() && pat[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == u'*')
        ++p;
    return p == pat.size();
}

void Fill(WIN32_FIND_DATAW* data, const std::string& name) {
    const WString wide = WString::FromUtf8(name);
    const int n = std::min(wide.GetLength(), 259);
    for (int i = 0; i < n; ++i)
        data->cFileName[i] = wide.GetAt(i);
    data->cFileName[n] = 0;
    data->dwFileAttributes = 0;
}

} // namespace

PlatformFile* _wfopen(const char16_t* path, const char16_t* mode) {
    if (!path || !mode)
        return nullptr;
    const WString m(mode);
    if (m.Find(u'w') >= 0 || m.Find(u'a') >= 0 || m.Find(u'+') >= 0)
        return nullptr; // the module only reads files
    const std::filesystem::path resolved = host::ResolvePath(WString(path));
    std::error_code ec;
    if (resolved.empty() || std::filesystem::is_directory(resolved, ec))
        return nullptr;
    std::FILE* file = std::fopen(resolved.c_str(), "rb");
    if (!file)
        return nullptr;
    host::RegistraFileAperto();
    return new PlatformFile{file, m.Find(u'b') < 0};
}

char16_t* fgetws(char16_t* buffer, int count, PlatformFile* file) {
    if (!buffer || !file || count <= 0)
        return nullptr;
    int n = 0;
    while (n < count - 1) {
        const int c = ReadByte(file);
        if (c == EOF)
            break;
        buffer[n++] = CharFromCp1252(static_cast<unsigned char>(c));
        if (c == '\n')
            break;
    }
    buffer[n] = 0;
    return n == 0 ? nullptr : buffer;
}

char* fgets(char* buffer, int count, PlatformFile* file) {
    if (!buffer || !file || count <= 0)
        return nullptr;
    int n = 0;
    while (n < count - 1) {
        const int c = ReadByte(file);
        if (c == EOF)
            break;
        buffer[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buffer[n] = 0;
    return n == 0 ? nullptr : buffer;
}

int fclose(PlatformFile* file) {
    if (!file)
        return EOF;
    const int r = std::fclose(file->file);
    delete file;
    return r;
}

HANDLE FindFirstFileW(const char16_t* pattern, WIN32_FIND_DATAW* data) {
    if (!pattern || !data)
        return INVALID_HANDLE_VALUE;
    const WString full(pattern);
    int cut = std::max(full.ReverseFind(u'\\'), full.ReverseFind(u'/'));
    const std::filesystem::path folder = host::ResolvePath(cut >= 0 ? full.Left(cut) : WString(u"."));
    const WString filePattern = full.Mid(cut + 1);
    auto* find = new HostFind;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (Matches(filePattern.c_str(), WString::FromUtf8(name).view()))
            find->names.push_back(name);
    }
    std::sort(find->names.begin(), find->names.end());
    if (find->names.empty()) {
        delete find;
        return INVALID_HANDLE_VALUE;
    }
    Fill(data, find->names[find->next++]);
    return find;
}

BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data) {
    if (!find || !data || find->next >= find->names.size())
        return FALSE;
    Fill(data, find->names[find->next++]);
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    delete find;
    return find ? TRUE : FALSE;
}
