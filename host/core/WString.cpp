#include "hostapi/WString.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Windows-1252 bytes 0x80..0x9F; the undefined ones map to themselves as the platform does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::size_t Clamp(int value, std::size_t limit) {
    if (value < 0)
        return 0;
    return std::min(static_cast<std::size_t>(value), limit);
}

bool InSet(char16_t c, std::u16string_view set) {
    return set.find(c) != std::u16string_view::npos;
}

} // namespace

char16_t CharFromCp1252(unsigned char b) {
    return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : static_cast<char16_t>(b);
}

bool IsWhiteSpace(char16_t c) {
    return c == u' ' || (c >= 0x09 && c <= 0x0D);
}

char16_t CharToUpper(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<char16_t>(c - 32);
    if (c == 0xFF)
        return 0x178;
    if (c == 0x161 || c == 0x153 || c == 0x17E)
        return static_cast<char16_t>(c - 1);
    return c;
}

char16_t CharToLower(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 32);
    if (c == 0x178)
        return 0xFF;
    if (c == 0x160 || c == 0x152 || c == 0x17D)
        return static_cast<char16_t>(c + 1);
    return c;
}

WString::WString(const char16_t* text, int length) {
    if (text && length > 0)
        m_s.assign(text, static_cast<std::size_t>(length));
}

WString WString::FromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        char32_t cp = 0xFFFD;
        std::size_t need = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            need = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            need = 2;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            need = 3;
        } else {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        std::size_t j = 1;
        for (; j <= need && i + j < bytes.size(); ++j) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + j]);
            if ((c & 0xC0) != 0x80)
                break;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (j <= need) {
            out += u'\uFFFD';
            i += j;
            continue;
        }
        i += need + 1;
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += u'\uFFFD';
        }
    }
    return WString(std::move(out));
}

std::string WString::ToUtf8() const {
    std::string out;
    out.reserve(m_s.size());
    for (std::size_t i = 0; i < m_s.size(); ++i) {
        char32_t cp = m_s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < m_s.size() && m_s[i + 1] >= 0xDC00 &&
            m_s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (m_s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

WString WString::FromCp1252(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out[i] = CharFromCp1252(static_cast<unsigned char>(bytes[i]));
    return WString(std::move(out));
}

std::string WString::ToCp1252() const {
    std::string out(m_s.size(), '?');
    for (std::size_t i = 0; i < m_s.size(); ++i) {
        const char16_t c = m_s[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out[i] = static_cast<char>(c);
            continue;
        }
        const auto it = std::find(kCp1252High.begin(), kCp1252High.end(), c);
        if (it != kCp1252High.end())
            out[i] = static_cast<char>(0x80 + (it - kCp1252High.begin()));
    }
    return out;
}

char16_t WString::GetAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_s.size())
        return 0;
    return m_s[static_cast<std::size_t>(index)];
}

void WString::SetAt(int index, char16_t c) {
    if (index >= 0 && static_cast<std::size_t>(index) < m_s.size())
        m_s[static_cast<std::size_t>(index)] = c;
}

WString WString::Left(int count) const {
    return WString(m_s.substr(0, Clamp(count, m_s.size())));
}

WString WString::Right(int count) const {
    const std::size_t n = Clamp(count, m_s.size());
    return WString(m_s.substr(m_s.size() - n));
}

WString WString::Mid(int first) const {
    return WString(m_s.substr(Clamp(first, m_s.size())));
}

WString WString::Mid(int first, int count) const {
    const std::size_t start = Clamp(first, m_s.size());
    return WString(m_s.substr(start, Clamp(count, m_s.size() - start)));
}

int WString::Find(char16_t c, int start) const {
    if (start < 0 || static_cast<std::size_t>(start) >= m_s.size())
        return -1;
    const auto pos = m_s.find(c, static_cast<std::size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int WString::Find(const WString& sub, int start) const {
    if (start < 0 || static_cast<std::size_t>(start) > m_s.size())
        return -1;
    const auto pos = m_s.find(sub.m_s, static_cast<std::size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int WString::ReverseFind(char16_t c) const {
    const auto pos = m_s.rfind(c);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int WString::FindOneOf(const WString& chars) const {
    const auto pos = m_s.find_first_of(chars.m_s);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int WString::Compare(const WString& other) const {
    const int r = m_s.compare(other.m_s);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int WString::CompareNoCase(const WString& other) const {
    const std::size_t n = std::min(m_s.size(), other.m_s.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t a = CharToLower(m_s[i]);
        const char16_t b = CharToLower(other.m_s[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (m_s.size() == other.m_s.size())
        return 0;
    return m_s.size() < other.m_s.size() ? -1 : 1;
}

WString& WString::MakeUpper() {
    for (auto& c : m_s)
        c = CharToUpper(c);
    return *this;
}

WString& WString::MakeLower() {
    for (auto& c : m_s)
        c = CharToLower(c);
    return *this;
}

WString& WString::TrimLeft() {
    std::size_t i = 0;
    while (i < m_s.size() && IsWhiteSpace(m_s[i]))
        ++i;
    m_s.erase(0, i);
    return *this;
}

WString& WString::TrimRight() {
    std::size_t n = m_s.size();
    while (n > 0 && IsWhiteSpace(m_s[n - 1]))
        --n;
    m_s.resize(n);
    return *this;
}

WString& WString::Trim() {
    return TrimRight().TrimLeft();
}

WString& WString::TrimLeft(char16_t c) {
    return TrimLeft(WString(c));
}

WString& WString::TrimRight(char16_t c) {
    return TrimRight(WString(c));
}

WString& WString::TrimLeft(const WString& chars) {
    std::size_t i = 0;
    while (i < m_s.size() && InSet(m_s[i], chars.m_s))
        ++i;
    m_s.erase(0, i);
    return *this;
}

WString& WString::TrimRight(const WString& chars) {
    std::size_t n = m_s.size();
    while (n > 0 && InSet(m_s[n - 1], chars.m_s))
        --n;
    m_s.resize(n);
    return *this;
}

int WString::Replace(char16_t from, char16_t to) {
    int count = 0;
    for (auto& c : m_s) {
        if (c == from) {
            c = to;
            ++count;
        }
    }
    return count;
}

int WString::Replace(const WString& from, const WString& to) {
    if (from.m_s.empty())
        return 0;
    int count = 0;
    std::u16string out;
    std::size_t pos = 0;
    for (;;) {
        const auto hit = m_s.find(from.m_s, pos);
        if (hit == std::u16string::npos)
            break;
        out.append(m_s, pos, hit - pos);
        out += to.m_s;
        pos = hit + from.m_s.size();
        ++count;
    }
    out.append(m_s, pos);
    m_s = std::move(out);
    return count;
}

int WString::Remove(char16_t c) {
    const auto before = m_s.size();
    std::erase(m_s, c);
    return static_cast<int>(before - m_s.size());
}

int WString::Insert(int index, const WString& text) {
    m_s.insert(Clamp(index, m_s.size()), text.m_s);
    return GetLength();
}

int WString::Delete(int index, int count) {
    const std::size_t start = Clamp(index, m_s.size());
    m_s.erase(start, Clamp(count, m_s.size() - start));
    return GetLength();
}

namespace {

struct Formato {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = 0;
    int precision = -1;
};

void Pad(std::u16string& out, std::u16string body, const Formato& fmt, bool numeric) {
    const std::size_t width = fmt.width > 0 ? static_cast<std::size_t>(fmt.width) : 0;
    if (body.size() >= width) {
        out += body;
        return;
    }
    const std::size_t fill = width - body.size();
    if (fmt.left) {
        out += body;
        out.append(fill, u' ');
    } else if (fmt.zero && numeric) {
        std::size_t signLen =
            (!body.empty() && (body[0] == u'-' || body[0] == u'+' || body[0] == u' ')) ? 1 : 0;
        if (body.size() > signLen + 1 && body[signLen] == u'0' &&
            (body[signLen + 1] == u'x' || body[signLen + 1] == u'X'))
            signLen += 2;
        out.append(body, 0, signLen);
        out.append(fill, u'0');
        out.append(body, signLen);
    } else {
        out.append(fill, u' ');
        out += body;
    }
}

std::u16string Widen(const char* text) {
    std::u16string out;
    for (; *text; ++text)
        out += static_cast<char16_t>(static_cast<unsigned char>(*text));
    return out;
}

// Numbers go through the C library so that rounding and exponent forms match printf exactly.
std::u16string FormatNumber(char conv, const Formato& fmt, const FormatArg& arg) {
    std::string pattern = "%";
    if (fmt.plus)
        pattern += '+';
    if (fmt.space)
        pattern += ' ';
    if (fmt.alt)
        pattern += '#';
    if (fmt.precision >= 0) {
        pattern += '.';
        pattern += std::to_string(fmt.precision);
    }
    char buffer[512];
    switch (conv) {
    case 'd':
    case 'i': {
        long long v = arg.kind == FormatArg::Kind::Real  ? static_cast<long long>(arg.d)
                      : arg.kind == FormatArg::Kind::Int ? arg.i
                                                         : static_cast<long long>(arg.u);
        pattern += "lld";
        std::snprintf(buffer, sizeof buffer, pattern.c_str(), v);
        break;
    }
    case 'u':
    case 'x':
    case 'X':
    case 'o': {
        unsigned long long v = arg.kind == FormatArg::Kind::Int    ? static_cast<unsigned long long>(arg.i)
                               : arg.kind == FormatArg::Kind::Real ? static_cast<unsigned long long>(arg.d)
                                                                   : arg.u;
        pattern += "ll";
        pattern += conv;
        std::snprintf(buffer, sizeof buffer, pattern.c_str(), v);
        break;
    }
    default: {
        double v = arg.kind == FormatArg::Kind::Real  ? arg.d
                   : arg.kind == FormatArg::Kind::Int ? static_cast<double>(arg.i)
                                                      : static_cast<double>(arg.u);
        // Finite values whose %f form would not fit are shown in exponent form instead of truncated.
        if ((conv == 'f' || conv == 'F') && std::isfinite(v) && std::fabs(v) >= 1e100)
            conv = 'e';
        pattern += conv;
        std::snprintf(buffer, sizeof buffer, pattern.c_str(), v);
        break;
    }
    }
    return Widen(buffer);
}

} // namespace

WString WString::FormatList(const char16_t* pattern, const FormatArg* args, std::size_t count) {
    std::u16string out;
    std::size_t next = 0;
    auto take = [&]() -> const FormatArg* { return next < count ? &args[next++] : nullptr; };
    auto takeInt = [&]() -> int {
        const FormatArg* a = take();
        if (!a)
            return 0;
        return a->kind == FormatArg::Kind::Int ? static_cast<int>(a->i) : static_cast<int>(a->u);
    };
    for (const char16_t* p = pattern ? pattern : u""; *p; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == u'%') {
            out += u'%';
            continue;
        }
        Formato fmt;
        for (;; ++p) {
            if (*p == u'-')
                fmt.left = true;
            else if (*p == u'+')
                fmt.plus = true;
            else if (*p == u' ')
                fmt.space = true;
            else if (*p == u'0')
                fmt.zero = true;
            else if (*p == u'#')
                fmt.alt = true;
            else
                break;
        }
        if (*p == u'*') {
            fmt.width = takeInt();
            if (fmt.width < 0) {
                fmt.left = true;
                fmt.width = -fmt.width;
            }
            ++p;
        } else {
            while (*p >= u'0' && *p <= u'9')
                fmt.width = std::min(fmt.width * 10 + (*p++ - u'0'), 4096);
        }
        if (*p == u'.') {
            ++p;
            fmt.precision = 0;
            if (*p == u'*') {
                fmt.precision = takeInt();
                ++p;
            } else {
                while (*p >= u'0' && *p <= u'9')
                    fmt.precision = std::min(fmt.precision * 10 + (*p++ - u'0'), 400);
            }
        }
        while (*p == u'h' || *p == u'l' || *p == u'L' || *p == u'I')
            ++p;
        if (!*p)
            break;
        const char16_t conv = *p;
        const FormatArg* arg = take();
        const FormatArg none(0);
        if (!arg)
            arg = &none;
        switch (conv) {
        case u's':
        case u'S': {
            std::u16string body(arg->kind == FormatArg::Kind::Text ? std::u16string(arg->s)
                                                                   : std::u16string());
            if (fmt.precision >= 0 && body.size() > static_cast<std::size_t>(fmt.precision))
                body.resize(static_cast<std::size_t>(fmt.precision));
            Pad(out, std::move(body), fmt, false);
            break;
        }
        case u'c':
        case u'C': {
            const char16_t c = arg->kind == FormatArg::Kind::Int ? static_cast<char16_t>(arg->i)
                                                                 : static_cast<char16_t>(arg->u);
            Pad(out, std::u16string(1, c), fmt, false);
            break;
        }
        case u'd':
        case u'i':
        case u'u':
        case u'x':
        case u'X':
        case u'o':
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
            Pad(out, FormatNumber(static_cast<char>(conv), fmt, *arg), fmt, true);
            break;
        default:
            out += u'%';
            out += conv;
            break;
        }
    }
    return WString(std::move(out));
}
