#include "hostapi/Settings.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

// The settings file is UTF-8 text: "[section]" lines and "key=value" lines; sections and keys match
// without regard to case, as the platform's INI files do. People edit it with whatever their editor
// does: lines may end with LF, CR LF or a CR alone, mixed, and a byte-order mark may lead. Reading and
// writing split lines alike, and a write changes only the line of its key (or adds lines), leaving every
// other byte as it was.

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct Line {
    std::string_view text; // without its end
    std::string_view end;  // "\n", "\r\n", "\r", or nothing on a last line
};

struct Text {
    bool bom = false;
    std::vector<Line> lines;
};

std::string_view WithoutBom(std::string_view all) {
    return all.starts_with(kBom) ? all.substr(kBom.size()) : all;
}

// The lines of a text one at a time, so that a lookup stops at its key and keeps no list. The ends are
// found with the C library's search, a pass per kind of end.
class Lines {
public:
    explicit Lines(std::string_view body)
        : m_p(body.data()), m_stop(body.data() + body.size()), m_cr(Search(m_p, '\r')),
          m_lf(Search(m_p, '\n')) {}

    bool Next(Line& line) {
        if (m_p >= m_stop)
            return false;
        if (m_cr < m_p)
            m_cr = Search(m_p, '\r');
        if (m_lf < m_p)
            m_lf = Search(m_p, '\n');
        const char* e = std::min(m_cr, m_lf);
        const char* after = e == m_stop ? m_stop : e + (e == m_cr && e + 1 < m_stop && e[1] == '\n' ? 2 : 1);
        line = {std::string_view(m_p, static_cast<std::size_t>(e - m_p)),
                std::string_view(e, static_cast<std::size_t>(after - e))};
        m_p = after;
        return true;
    }

private:
    const char* Search(const char* from, char c) const {
        const void* at =
            from < m_stop ? std::memchr(from, c, static_cast<std::size_t>(m_stop - from)) : nullptr;
        return at ? static_cast<const char*>(at) : m_stop;
    }

    const char* m_p;
    const char* m_stop;
    const char* m_cr;
    const char* m_lf;
};

Text Split(std::string_view all) {
    Text t;
    t.bom = all.starts_with(kBom);
    Lines lines(WithoutBom(all));
    for (Line line; lines.Next(line);)
        t.lines.push_back(line);
    return t;
}

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, const WString& b) {
    const std::u16string_view w = b.view();
    // UTF-8 never takes fewer bytes than UTF-16 takes units.
    if (a.size() < w.size())
        return false;
    if (std::all_of(a.begin(), a.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return a.size() == w.size() && std::equal(a.begin(), a.end(), w.begin(), [](char x, char16_t y) {
                   return CharToLower(static_cast<char16_t>(x)) == CharToLower(y);
               });
    return WString::FromUtf8(a).CompareNoCase(b) == 0;
}

bool IsSection(const Line& line) {
    const std::string_view t = Trimmed(line.text);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']';
}

// Where a key stands: its section's line, its own line (or -1) and its text, and the line the section
// ends before (the number of lines when it is the last).
struct Place {
    int section = -1;
    int key = -1;
    int end = 0;
    std::string_view keyText;
};

Place Locate(std::string_view body, const WString& section, const WString& key) {
    Place p;
    Lines lines(body);
    int i = 0;
    for (Line line; lines.Next(line); ++i) {
        if (IsSection(line)) {
            if (p.section >= 0) {
                p.end = i;
                return p;
            }
            const std::string_view t = Trimmed(line.text);
            if (SameName(t.substr(1, t.size() - 2), section))
                p.section = i;
            continue;
        }
        if (p.section < 0)
            continue;
        const auto eq = line.text.find('=');
        if (eq != std::string_view::npos && SameName(Trimmed(line.text.substr(0, eq)), key)) {
            p.key = i;
            p.keyText = line.text;
            return p;
        }
    }
    p.end = i;
    return p;
}

// The text with the key set to the value: its line keeps the key as spelled and the blanks around '=';
// a new key goes at the end of its section, a new section at the end of the file, with the line end of
// the line before them (or the file's first, or LF).
std::string WithValue(std::string_view all, const WString& section, const WString& key,
                      const std::string& value) {
    const Text t = Split(all);
    const auto& lines = t.lines;
    const Place p = Locate(WithoutBom(all), section, key);
    const int n = static_cast<int>(lines.size());
    std::string replaced;
    if (p.key >= 0) {
        const std::string_view old = lines[static_cast<std::size_t>(p.key)].text;
        std::size_t keep = old.find('=') + 1;
        while (keep < old.size() && (old[keep] == ' ' || old[keep] == '\t'))
            ++keep;
        replaced = std::string(old.substr(0, keep)) + value;
    }
    const int at = p.key >= 0 ? -1 : (p.section >= 0 ? p.end : n);
    std::string_view eol = "\n";
    if (at > 0 && !lines[static_cast<std::size_t>(at - 1)].end.empty()) {
        eol = lines[static_cast<std::size_t>(at - 1)].end;
    } else {
        for (const Line& line : lines)
            if (!line.end.empty()) {
                eol = line.end;
                break;
            }
    }
    std::string added;
    if (p.section < 0)
        added += "[" + section.ToUtf8() + "]" + std::string(eol);
    added += key.ToUtf8() + "=" + value + std::string(eol);

    std::string out;
    out.reserve(all.size() + added.size() + replaced.size());
    if (t.bom)
        out += kBom;
    for (int i = 0; i < n; ++i) {
        const Line& line = lines[static_cast<std::size_t>(i)];
        if (i == at)
            out += added;
        out += i == p.key ? std::string_view(replaced) : line.text;
        // A last line without its end gets one before what follows it.
        out += line.end.empty() && at == n ? eol : line.end;
    }
    if (at == n)
        out += added;
    return out;
}

bool ParseInteger(const std::string& text, long long& value) {
    const std::string t(Trimmed(text));
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(t.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

struct Override {
    WString section;
    WString key;
    WString value;
};

std::vector<Override>& Overrides() {
    static std::vector<Override> overrides;
    return overrides;
}

std::vector<Override>::iterator FindOverride(const WString& section, const WString& key) {
    auto& all = Overrides();
    return std::find_if(all.begin(), all.end(), [&](const Override& o) {
        return o.section.CompareNoCase(section) == 0 && o.key.CompareNoCase(key) == 0;
    });
}

std::function<void(const WString&)>& Notice() {
    static std::function<void(const WString&)> notice;
    return notice;
}

// Values whose last write failed, by file, section and key (without regard to case), with their file.
std::map<std::u16string, std::filesystem::path>& NotKept() {
    static std::map<std::u16string, std::filesystem::path> notKept;
    return notKept;
}

void Remember(const std::filesystem::path& path, const WString& section, const WString& key, bool kept) {
    WString id = WString::FromUtf8(path.string()) + u'\n' + section + u'\n' + key;
    id.MakeLower();
    if (kept)
        NotKept().erase(std::u16string(id.view()));
    else
        NotKept()[std::u16string(id.view())] = path;
}

} // namespace

void host::SetSettingOverride(const WString& section, const WString& key, const WString& value) {
    const auto it = FindOverride(section, key);
    if (it != Overrides().end())
        it->value = value;
    else
        Overrides().push_back({section, key, value});
}

void host::ClearSettingOverrides() {
    Overrides().clear();
}

void host::SetSettingsWriteNotice(std::function<void(const WString&)> notice) {
    Notice() = std::move(notice);
}

std::vector<std::filesystem::path> host::SettingsNotKept() {
    std::vector<std::filesystem::path> files;
    for (const auto& [id, file] : NotKept())
        if (std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    return files;
}

namespace {

// Up to its bound: past it the file counts as unreadable, so it is neither read nor written over.
bool ReadSettings(const std::filesystem::path& path, std::string& all, int* error = nullptr,
                  std::string* why = nullptr) {
    int e = 0;
    std::string reason;
    const bool read = host::ReadFileBounded(path, host::kMaxSettingsBytes, all, &reason, &e);
    if (!read && e == EFBIG)
        host::NotifyInput(path.string() + ": " + reason + "; le impostazioni non sono lette né salvate");
    if (error)
        *error = e;
    if (why)
        *why = reason;
    return read;
}

} // namespace

CIniFile::CIniFile() : m_Path(WString::FromUtf8(host::GetFolders().settings.string())) {}

CIniFile::CIniFile(const WString& path) : m_Path(path) {}

bool CIniFile::Find(const WString& section, const WString& key, WString& value) const {
    if (const auto it = FindOverride(section, key); it != Overrides().end()) {
        value = it->value;
        return true;
    }
    std::string all;
    ReadSettings(host::ResolvePath(m_Path), all);
    const Place p = Locate(WithoutBom(all), section, key);
    if (p.key < 0)
        return false;
    const std::string_view line = p.keyText;
    value = WString::FromUtf8(Trimmed(line.substr(line.find('=') + 1)));
    return true;
}

short CIniFile::GetShort(const WString& section, const WString& key, short def) const {
    WString text;
    long long v = 0;
    if (!Find(section, key, text) || !ParseInteger(text.ToUtf8(), v) || v < -32768 || v > 32767)
        return def;
    return static_cast<short>(v);
}

std::int32_t CIniFile::GetLong(const WString& section, const WString& key, std::int32_t def) const {
    WString text;
    long long v = 0;
    if (!Find(section, key, text) || !ParseInteger(text.ToUtf8(), v) || v < INT32_MIN || v > INT32_MAX)
        return def;
    return static_cast<std::int32_t>(v);
}

bool CIniFile::GetBool(const WString& section, const WString& key, bool def) const {
    WString text;
    if (!Find(section, key, text))
        return def;
    if (text == u"1" || text.CompareNoCase(u"true") == 0)
        return true;
    if (text == u"0" || text.CompareNoCase(u"false") == 0)
        return false;
    return def;
}

double CIniFile::GetDouble(const WString& section, const WString& key, double def) const {
    WString text;
    if (!Find(section, key, text))
        return def;
    const std::string t(Trimmed(text.ToUtf8()));
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    // "nan", "inf" and overflowing values are no coordinates.
    if (t.empty() || !end || *end != '\0' || !std::isfinite(v))
        return def;
    return v;
}

WString CIniFile::GetString(const WString& section, const WString& key, const WString& def) const {
    WString text;
    return Find(section, key, text) ? text : def;
}

bool CIniFile::Write(const WString& section, const WString& key, const WString& value) {
    const std::filesystem::path path = host::ResolvePath(m_Path);
    std::string clean = value.ToUtf8();
    for (char& c : clean)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::string old;
    int error = 0;
    std::string why;
    bool kept = false;
    if (path.empty())
        why = "nessun file delle impostazioni";
    // A file that is there but cannot be read whole is not written over: every other value would be lost.
    else if (ReadSettings(path, old, &error, &why) || error == ENOENT || error == ENOTDIR || error == EISDIR)
        kept = host::WriteFileAtomic(path, WithValue(old, section, key, clean), &why);
    Remember(path, section, key, kept);
    if (kept) {
        if (const auto it = FindOverride(section, key); it != Overrides().end())
            Overrides().erase(it);
    } else if (Notice()) {
        Notice()(WString::FromUtf8("Impossibile salvare le impostazioni nel file " + path.string() + ": " +
                                   why + "."));
    }
    return kept;
}

bool CIniFile::WriteShort(const WString& section, const WString& key, short value) {
    return Write(section, key, WString::Formatted(u"%d", value));
}

bool CIniFile::WriteLong(const WString& section, const WString& key, std::int32_t value) {
    return Write(section, key, WString::Formatted(u"%d", value));
}

bool CIniFile::WriteBool(const WString& section, const WString& key, bool value) {
    return Write(section, key, value ? WString(u"1") : WString(u"0"));
}

bool CIniFile::WriteDouble(const WString& section, const WString& key, double value) {
    return Write(section, key, WString::Formatted(u"%.17g", value));
}

bool CIniFile::WriteString(const WString& section, const WString& key, const WString& value) {
    return Write(section, key, value);
}
