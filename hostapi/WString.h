// The host's wide string: UTF-16 text as the device keeps it.
#pragma once

#include "hostapi/Platform.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

class WString;

// One argument of WString::Format, kept by value or by reference for the duration of the call.
struct HOSTAPI FormatArg {
    enum class Kind { Int, UInt, Real, Text, Char };
    Kind kind;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0;
    std::u16string_view s;

    FormatArg(int v) : kind(Kind::Int), i(v) {}
    FormatArg(long v) : kind(Kind::Int), i(v) {}
    FormatArg(long long v) : kind(Kind::Int), i(v) {}
    FormatArg(short v) : kind(Kind::Int), i(v) {}
    FormatArg(unsigned v) : kind(Kind::UInt), u(v) {}
    FormatArg(unsigned long v) : kind(Kind::UInt), u(v) {}
    FormatArg(unsigned long long v) : kind(Kind::UInt), u(v) {}
    FormatArg(double v) : kind(Kind::Real), d(v) {}
    FormatArg(char16_t c) : kind(Kind::Char), u(c) {}
    FormatArg(const char16_t* t) : kind(Kind::Text), s(t ? std::u16string_view(t) : std::u16string_view()) {}
    FormatArg(const WString& t);
};

class HOSTAPI WString {
public:
    WString() = default;
    WString(const char16_t* text) : m_s(text ? text : u"") {}
    WString(const char16_t* text, int length);
    WString(char16_t c, int count = 1) : m_s(count > 0 ? static_cast<std::size_t>(count) : 0, c) {}
    WString(std::u16string text) : m_s(std::move(text)) {}
    WString(std::u16string_view text) : m_s(text) {}

    // Host-side bridges to 8-bit text: UTF-8 for the terminal and project files, the device code page
    // (Windows-1252) for support and data files. Bytes that do not decode become U+FFFD.
    static WString FromUtf8(std::string_view bytes);
    std::string ToUtf8() const;
    static WString FromCp1252(std::string_view bytes);
    std::string ToCp1252() const; // characters outside the code page become '?'

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    // Out-of-range positions read as 0 and are ignored on write, as a fixed-column reader expects.
    char16_t GetAt(int index) const;
    void SetAt(int index, char16_t c);
    char16_t operator[](int index) const { return GetAt(index); }
    const char16_t* c_str() const { return m_s.c_str(); }
    const std::u16string& str() const { return m_s; }
    std::u16string_view view() const { return m_s; }

    // Positions and counts are clamped to the text, never out of bounds.
    WString Left(int count) const;
    WString Right(int count) const;
    WString Mid(int first) const;
    WString Mid(int first, int count) const;

    int Find(char16_t c, int start = 0) const;
    int Find(const WString& sub, int start = 0) const;
    int ReverseFind(char16_t c) const;
    int FindOneOf(const WString& chars) const;

    int Compare(const WString& other) const;
    int CompareNoCase(const WString& other) const;

    WString& MakeUpper();
    WString& MakeLower();
    // Without arguments, white space (blank, tab, CR, LF, VT, FF) is trimmed, as the platform's CString does.
    WString& TrimLeft();
    WString& TrimRight();
    WString& Trim();
    WString& TrimLeft(char16_t c);
    WString& TrimRight(char16_t c);
    WString& TrimLeft(const WString& chars);
    WString& TrimRight(const WString& chars);

    int Replace(char16_t from, char16_t to);
    int Replace(const WString& from, const WString& to);
    int Remove(char16_t c);
    int Insert(int index, const WString& text);
    int Delete(int index, int count = 1);

    // printf-style formatting: flags "-+ 0#", width, precision (also '*'), conversions d i u x X o c s S f F
    // e E g G and %%, with length modifiers h l ll ignored. %s and %S take WString or char16_t texts.
    template <typename... Args> void Format(const char16_t* pattern, const Args&... args) {
        const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
        m_s = FormatList(pattern, list, sizeof...(Args)).m_s;
    }
    template <typename... Args> static WString Formatted(const char16_t* pattern, const Args&... args) {
        WString out;
        out.Format(pattern, args...);
        return out;
    }
    static WString FormatList(const char16_t* pattern, const FormatArg* args, std::size_t count);

    WString& operator+=(const WString& other) {
        m_s += other.m_s;
        return *this;
    }
    WString& operator+=(char16_t c) {
        m_s += c;
        return *this;
    }
    WString& operator+=(const char16_t* text) {
        m_s += text ? text : u"";
        return *this;
    }
    friend WString operator+(WString a, const WString& b) { return a += b; }
    friend WString operator+(WString a, const char16_t* b) { return a += b; }
    friend WString operator+(const char16_t* a, const WString& b) { return WString(a) += b; }
    friend WString operator+(WString a, char16_t b) { return a += b; }
    friend bool operator==(const WString& a, const WString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const WString& a, const char16_t* b) { return a.m_s == (b ? b : u""); }
    friend std::strong_ordering operator<=>(const WString& a, const WString& b) { return a.m_s <=> b.m_s; }

private:
    std::u16string m_s;
};

inline FormatArg::FormatArg(const WString& t) : kind(Kind::Text), s(t.view()) {}

// Readable text in test failures and host logs.
inline std::ostream& operator<<(std::ostream& os, const WString& s) {
    return os << '"' << s.ToUtf8() << '"';
}

HOSTAPI bool IsWhiteSpace(char16_t c);
// One byte of the device code page (Windows-1252) as a wide character.
HOSTAPI char16_t CharFromCp1252(unsigned char byte);
HOSTAPI char16_t CharToUpper(char16_t c);
HOSTAPI char16_t CharToLower(char16_t c);
