#include "hostapi/FileIO.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

// Text mode works on blocks: a line end is found with a block search and the bytes before it are
// converted in one pass, instead of a call per byte. A file held in memory (host::SetMemoryFile) fills
// the same blocks from there.
struct PlatformFile {
    static constexpr std::size_t kBlock = 64 * 1024;
    std::FILE* file = nullptr;
    const std::string* memory = nullptr;
    std::size_t memoryPos = 0;
    bool text = true;
    std::size_t capacity = kBlock;
    std::unique_ptr<unsigned char[]> block;
    std::size_t pos = 0;
    std::size_t end = 0;
    bool eof = false;
    // A pipe or a device is read whole when it opens, to its bound, and is then served as memory.
    std::string held;
    // A regular file that grows while it is read ends at its bound.
    std::size_t left = 0;
};

struct HostFind {
    std::vector<std::string> names;
    std::size_t next = 0;
};

namespace {

const std::array<char16_t, 256> kCp1252 = [] {
    std::array<char16_t, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = CharFromCp1252(static_cast<unsigned char>(b));
    return table;
}();

bool Fill(PlatformFile& f) {
    if (f.eof)
        return false;
    f.pos = 0;
    if (f.memory) {
        f.end = std::min(f.capacity, f.memory->size() - f.memoryPos);
        if (f.end > 0)
            std::memcpy(f.block.get(), f.memory->data() + f.memoryPos, f.end);
        f.memoryPos += f.end;
    } else {
        f.end = std::fread(f.block.get(), 1, std::min(f.capacity, f.left), f.file);
        f.left -= f.end;
    }
    f.eof = f.end == 0;
    return !f.eof;
}

// At most count - 1 characters, stopping after a line end, which is kept. Text mode drops a CR only when
// an LF follows it (the pair may straddle two blocks); a lone CR is text. NUL bytes are stored as they
// come, so a C reader sees the text end there. Null when nothing was read.
template <typename Char, typename Convert>
Char* ReadLine(Char* buffer, int count, PlatformFile* f, Convert convert) {
    if (!buffer || !f || count <= 0)
        return nullptr;
    const std::size_t room = static_cast<std::size_t>(count) - 1;
    std::size_t n = 0;
    while (n < room) {
        if (f->pos == f->end && !Fill(*f))
            break;
        const unsigned char* from = f->block.get() + f->pos;
        const std::size_t avail = std::min(f->end - f->pos, room - n);
        const auto* lf = static_cast<const unsigned char*>(std::memchr(from, '\n', avail));
        std::size_t take = lf ? static_cast<std::size_t>(lf - from) + 1 : avail;
        const auto* cr = f->text ? static_cast<const unsigned char*>(std::memchr(from, '\r', take)) : nullptr;
        if (cr)
            take = static_cast<std::size_t>(cr - from);
        convert(from, take, buffer + n);
        n += take;
        f->pos += take;
        if (cr) {
            ++f->pos;
            if ((f->pos < f->end || Fill(*f)) && f->block[f->pos] == '\n') {
                ++f->pos;
                buffer[n++] = static_cast<Char>('\n');
                break;
            }
            buffer[n++] = static_cast<Char>('\r');
        } else if (lf) {
            break;
        }
    }
    buffer[n] = 0;
    return n == 0 ? nullptr : buffer;
}

// The bound of a file the module reads, by its kind: the support files of the install folder, distance
// files, and TAF and OUT files (or whatever else the user chose).
std::size_t Limite(const std::filesystem::path& file) {
    const std::filesystem::path support = host::GetFolders().install / "Support";
    const auto same = [](const std::filesystem::path& a, const std::filesystem::path& b) {
        return WString::FromUtf8(a.lexically_normal().string())
                   .CompareNoCase(WString::FromUtf8(b.lexically_normal().string())) == 0;
    };
    if (!host::GetFolders().install.empty() && same(file.parent_path(), support))
        return host::kMaxSupportBytes;
    if (WString::FromUtf8(file.extension().string()).CompareNoCase(u".dis") == 0)
        return host::kMaxDistanceBytes;
    return host::kMaxTafBytes;
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
    if (const std::string* memory = host::FindMemoryFile(resolved)) {
        host::RegistraFileAperto();
        auto* opened = new PlatformFile;
        opened->memory = memory;
        opened->capacity = std::clamp<std::size_t>(memory->size(), 1, PlatformFile::kBlock);
        opened->block = std::make_unique_for_overwrite<unsigned char[]>(opened->capacity);
        opened->text = m.Find(u'b') < 0;
        return opened;
    }
    std::error_code ec;
    if (resolved.empty() || std::filesystem::is_directory(resolved, ec))
        return nullptr;
    std::FILE* file = std::fopen(resolved.c_str(), "rb");
    if (!file)
        return nullptr;
    host::RegistraFileAperto();
    // Past its bound a file does not open, as one that cannot be read: the module says so, and nothing
    // is built from half of it.
    const std::size_t limit = Limite(resolved);
    struct stat st {};
    auto opened = std::make_unique<PlatformFile>();
    if (::fstat(::fileno(file), &st) != 0) {
        std::fclose(file);
        return nullptr;
    }
    if (S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > limit) {
        std::fclose(file);
        host::NotifyInput(resolved.string() + ": " + host::OverLimitText(limit));
        return nullptr;
    }
    std::setvbuf(file, nullptr, _IONBF, 0); // the blocks are the buffer
    if (S_ISREG(st.st_mode)) {
        opened->file = file;
        opened->left = limit;
    } else {
        // Read from this very opening: a pipe's writer must not see its reader go away.
        auto& held = opened->held;
        for (std::size_t n = 1; n > 0 && held.size() <= limit;) {
            held.resize(held.size() + PlatformFile::kBlock);
            n = std::fread(held.data() + held.size() - PlatformFile::kBlock, 1, PlatformFile::kBlock, file);
            held.resize(held.size() - PlatformFile::kBlock + n);
        }
        const bool bad = std::ferror(file) != 0;
        std::fclose(file);
        if (bad || held.size() > limit) {
            if (!bad)
                host::NotifyInput(resolved.string() + ": " + host::OverLimitText(limit));
            return nullptr;
        }
        opened->memory = &opened->held;
    }
    opened->block = std::make_unique_for_overwrite<unsigned char[]>(opened->capacity);
    opened->text = m.Find(u'b') < 0;
    return opened.release();
}

char16_t* fgetws(char16_t* buffer, int count, PlatformFile* file) {
    // Windows-1252 is Latin-1 but for 0x80-0x9F: every byte is widened in one pass that the compiler
    // vectorises and that notes whether any of those 32 is there; only then does the table mend them.
    return ReadLine(buffer, count, file, [](const unsigned char* from, std::size_t n, char16_t* to) {
        unsigned char diversi = 0;
        for (std::size_t i = 0; i < n; ++i) {
            to[i] = from[i];
            diversi |= (from[i] & 0xE0) == 0x80;
        }
        if (diversi)
            for (std::size_t i = 0; i < n; ++i)
                to[i] = kCp1252[from[i]];
    });
}

char* fgets(char* buffer, int count, PlatformFile* file) {
    return ReadLine(buffer, count, file, [](const unsigned char* from, std::size_t n, char* to) {
        if (n > 0)
            std::memcpy(to, from, n);
    });
}

int fclose(PlatformFile* file) {
    if (!file)
        return EOF;
    const int r = file->file ? std::fclose(file->file) : 0;
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
