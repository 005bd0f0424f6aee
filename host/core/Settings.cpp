#include "hostapi/Settings.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

// The settings file is UTF-8 text: "[section]" lines and "key=value" lines; sections and keys match
// without regard to case, as the platform's INI files do. Lines the host does not understand are kept.

namespace {

// `readable` false: the file is there but cannot be read whole (a folder, unreadable, past its bound),
// so nothing may be written over it.
std::vector<std::string> ReadLines(const std::filesystem::path& path, bool* readable = nullptr) {
    std::vector<std::string> lines;
    std::string text, why;
    int error = 0;
    if (!host::ReadFileBounded(path, host::kMaxSettingsBytes, text, &why, &error) && error != ENOENT) {
        if (readable)
            *readable = false;
        if (error == EFBIG)
            host::NotifyInput(path.string() + ": " + why + "; le impostazioni non sono lette né salvate");
        return lines;
    }
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const WString& b) {
    return WString::FromUtf8(a).CompareNoCase(b) == 0;
}

// Index of the "[section]" line, or -1.
int FindSection(const std::vector<std::string>& lines, const WString& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string t = Trimmed(lines[i]);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']' &&
            SameName(t.substr(1, t.size() - 2), section))
            return static_cast<int>(i);
    }
    return -1;
}

bool IsSectionLine(const std::string& line) {
    const std::string t = Trimmed(line);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']';
}

// Index of the key's line within the section starting at `start`, or -1; `end` gets the section's end.
int FindKey(const std::vector<std::string>& lines, int start, const WString& key, int& end) {
    end = static_cast<int>(lines.size());
    for (int i = start + 1; i < static_cast<int>(lines.size()); ++i) {
        if (IsSectionLine(lines[static_cast<std::size_t>(i)])) {
            end = i;
            return -1;
        }
        const std::string& line = lines[static_cast<std::size_t>(i)];
        const auto eq = line.find('=');
        if (eq != std::string::npos && SameName(Trimmed(line.substr(0, eq)), key))
            return i;
    }
    return -1;
}

bool ParseInteger(const std::string& text, long long& value) {
    const std::string t = Trimmed(text);
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

CIniFile::CIniFile() : m_Path(WString::FromUtf8(host::GetFolders().settings.string())) {}

CIniFile::CIniFile(const WString& path) : m_Path(path) {}

bool CIniFile::Find(const WString& section, const WString& key, WString& value) const {
    if (const auto it = FindOverride(section, key); it != Overrides().end()) {
        value = it->value;
        return true;
    }
    const auto lines = ReadLines(host::ResolvePath(m_Path));
    const int start = FindSection(lines, section);
    if (start < 0)
        return false;
    int end = 0;
    const int at = FindKey(lines, start, key, end);
    if (at < 0)
        return false;
    const std::string& line = lines[static_cast<std::size_t>(at)];
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
    const std::string t = Trimmed(text.ToUtf8());
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
    if (const auto it = FindOverride(section, key); it != Overrides().end())
        Overrides().erase(it);
    const std::filesystem::path path = host::ResolvePath(m_Path);
    bool readable = true;
    auto lines = ReadLines(path, &readable);
    if (!readable)
        return false; // writing would lose every other value
    std::string clean = value.ToUtf8();
    for (char& c : clean)
        if (c == '\r' || c == '\n')
            c = ' ';
    const std::string entry = key.ToUtf8() + "=" + clean;
    const int start = FindSection(lines, section);
    if (start < 0) {
        lines.push_back("[" + section.ToUtf8() + "]");
        lines.push_back(entry);
    } else {
        int end = 0;
        const int at = FindKey(lines, start, key, end);
        if (at >= 0)
            lines[static_cast<std::size_t>(at)] = entry;
        else
            lines.insert(lines.begin() + end, entry);
    }
    std::ostringstream out;
    for (const auto& line : lines)
        out << line << '\n';
    return host::WriteFileAtomic(path, out.str());
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
