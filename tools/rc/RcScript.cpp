#include "tools/rc/RcScript.h"

#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <sstream>

namespace rc {

Error::Error(std::string file, int line, const std::string& reason)
    : std::runtime_error(file + ":" + std::to_string(line) + ": error: " + reason), m_File(std::move(file)),
      m_Line(line), m_Reason(reason) {}

namespace {

// ---------------------------------------------------------------------------------------------------
// Styles: the names a script may use, their values, and the controls they belong to.

enum Family : unsigned { kAny = 0, kWindowOnly, kEdit, kCombo, kList, kButton, kStatic };

struct Style {
    std::uint32_t value;
    Family family;
};

const std::map<std::string, Style>& Styles() {
    static const std::map<std::string, Style> styles = {
        {"WS_CHILD", {0x40000000, kAny}},
        {"WS_VISIBLE", {0x10000000, kAny}},
        {"WS_DISABLED", {0x08000000, kAny}},
        {"WS_BORDER", {0x00800000, kAny}},
        {"WS_GROUP", {0x00020000, kAny}},
        {"WS_TABSTOP", {0x00010000, kAny}},
        {"WS_VSCROLL", {0x00200000, kAny}},
        {"WS_HSCROLL", {0x00100000, kAny}},
        {"WS_POPUP", {0x80000000, kWindowOnly}},
        {"WS_CAPTION", {0x00C00000, kWindowOnly}},
        {"WS_SYSMENU", {0x00080000, kWindowOnly}},
        {"DS_MODALFRAME", {0x80, kWindowOnly}},
        {"DS_SETFONT", {0x40, kWindowOnly}},
        {"DS_CONTROL", {0x400, kWindowOnly}},
        {"DS_CENTER", {0x800, kWindowOnly}},
        {"DS_SETFOREGROUND", {0x200, kWindowOnly}},
        {"ES_LEFT", {0x0, kEdit}},
        {"ES_CENTER", {0x1, kEdit}},
        {"ES_RIGHT", {0x2, kEdit}},
        {"ES_MULTILINE", {0x4, kEdit}},
        {"ES_UPPERCASE", {0x8, kEdit}},
        {"ES_AUTOVSCROLL", {0x40, kEdit}},
        {"ES_AUTOHSCROLL", {0x80, kEdit}},
        {"ES_READONLY", {0x800, kEdit}},
        {"ES_NUMBER", {0x2000, kEdit}},
        {"CBS_DROPDOWN", {0x2, kCombo}},
        {"CBS_DROPDOWNLIST", {0x3, kCombo}},
        {"CBS_AUTOHSCROLL", {0x40, kCombo}},
        {"CBS_SORT", {0x100, kCombo}},
        {"LBS_NOTIFY", {0x1, kList}},
        {"LBS_SORT", {0x2, kList}},
        {"LBS_NOINTEGRALHEIGHT", {0x100, kList}},
        {"BS_PUSHBUTTON", {0x0, kButton}},
        {"BS_DEFPUSHBUTTON", {0x1, kButton}},
        {"BS_CHECKBOX", {0x2, kButton}},
        {"BS_AUTOCHECKBOX", {0x3, kButton}},
        {"BS_RADIOBUTTON", {0x4, kButton}},
        {"BS_GROUPBOX", {0x7, kButton}},
        {"BS_AUTORADIOBUTTON", {0x9, kButton}},
        {"SS_LEFT", {0x0, kStatic}},
        {"SS_CENTER", {0x1, kStatic}},
        {"SS_RIGHT", {0x2, kStatic}},
        {"SS_NOTIFY", {0x100, kStatic}},
    };
    return styles;
}

constexpr std::uint32_t kChildVisible = 0x40000000 | 0x10000000;
constexpr std::uint32_t kStaticId = 0xFFFF; // IDC_STATIC, as the device stores -1

Family FamilyOfKind(const std::string& kind) {
    if (kind == "Edit")
        return kEdit;
    if (kind == "ComboList" || kind == "ComboEdit" || kind == "Combo")
        return kCombo;
    if (kind == "ListBox")
        return kList;
    if (kind == "Button" || kind == "ButtonClass" || kind == "CheckBox" || kind == "Radio" ||
        kind == "GroupBox")
        return kButton;
    if (kind == "Static")
        return kStatic;
    return kAny; // tab, grid: window styles only
}

// ---------------------------------------------------------------------------------------------------
// Text

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at `i`; false on a malformed, overlong or surrogate sequence.
bool DecodeUtf8(const std::string& s, std::size_t& i, char32_t& c) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t min = 0;
    if (b < 0x80) {
        c = b;
    } else if ((b & 0xE0) == 0xC0) {
        c = b & 0x1F, extra = 1, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        c = b & 0x0F, extra = 2, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        c = b & 0x07, extra = 3, min = 0x10000;
    } else {
        return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size())
        return false;
    for (int k = 1; k <= extra; ++k) {
        const auto n = static_cast<unsigned char>(s[i + k]);
        if ((n & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (n & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    i += static_cast<std::size_t>(extra) + 1;
    return true;
}

std::string Utf8(const std::u32string& text) {
    std::string out;
    for (char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

bool ParseNumber(const std::string& text, std::int64_t& value) {
    std::string t = text;
    while (!t.empty() && (t.back() == 'u' || t.back() == 'U' || t.back() == 'l' || t.back() == 'L'))
        t.pop_back();
    if (t.empty())
        return false;
    int base = 10;
    std::size_t start = 0;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        base = 16, start = 2;
    std::int64_t v = 0;
    for (std::size_t i = start; i < t.size(); ++i) {
        const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(t[i])));
        int d;
        if (ch >= '0' && ch <= '9')
            d = ch - '0';
        else if (base == 16 && ch >= 'a' && ch <= 'f')
            d = ch - 'a' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL)
            return false;
    }
    value = v;
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Tokens

struct Token {
    enum Kind { Ident, Number, Text, Punct, End } kind = End;
    std::string text;     // identifier, number or punctuation as written
    std::u32string value; // a string's characters
    int line = 0;
};

struct Symbol {
    std::int64_t value;
    std::string file;
    int line;
};

class Parser {
public:
    Parser(std::string root, const FileReader& read) : m_Root(std::move(root)), m_Read(read) {
        m_Symbols["IDOK"] = {1, "", 0};
        m_Symbols["IDCANCEL"] = {2, "", 0};
        m_Symbols["IDC_STATIC"] = {kStaticId, "", 0};
    }

    Script Run(const std::string& path) {
        const auto text = m_Read(path);
        if (!text)
            throw Error(path, 0, "cannot read the script");
        m_File = path;
        m_Script.files.push_back(path);
        Tokenize(*text);
        while (Peek().kind != Token::End)
            Resource();
        BuildSets();
        CheckDeclared();
        return std::move(m_Script);
    }

private:
    // --- reading -----------------------------------------------------------------------------

    [[noreturn]] void Fail(int line, const std::string& reason) const { throw Error(m_File, line, reason); }

    void Tokenize(const std::string& text) {
        std::size_t i = 0;
        int line = 1;
        bool lineStart = true;
        while (i < text.size()) {
            const char c = text[i];
            if (c == '\n') {
                ++line, ++i, lineStart = true;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
                continue;
            }
            if (c == '#' && lineStart) {
                std::size_t end = text.find('\n', i);
                if (end == std::string::npos)
                    end = text.size();
                Directive(text.substr(i, end - i), line);
                i = end;
                continue;
            }
            lineStart = false;
            if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
                while (i < text.size() && text[i] != '\n')
                    ++i;
                continue;
            }
            if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
                const std::size_t end = text.find("*/", i + 2);
                if (end == std::string::npos)
                    Fail(line, "comment without its end");
                line += static_cast<int>(std::count(text.begin() + static_cast<long>(i),
                                                    text.begin() + static_cast<long>(end), '\n'));
                i = end + 2;
                continue;
            }
            Token t;
            t.line = line;
            if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                t.kind = Token::Ident;
                while (i < text.size() &&
                       (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                    t.text += text[i++];
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                t.kind = Token::Number;
                while (i < text.size() && std::isalnum(static_cast<unsigned char>(text[i])))
                    t.text += text[i++];
            } else if (c == '"') {
                t.kind = Token::Text;
                i = ReadString(text, i + 1, line, t.value);
            } else if (std::string(",|+-(){}").find(c) != std::string::npos) {
                t.kind = Token::Punct;
                t.text = std::string(1, c);
                ++i;
            } else {
                Fail(line, std::string("unexpected character '") + c + "'");
            }
            m_Tokens.push_back(std::move(t));
        }
        Token end;
        end.line = line;
        m_Tokens.push_back(end);
    }

    // A string after its opening quote; "" is a quote, and \n \r \t \\ \" are the usual escapes.
    std::size_t ReadString(const std::string& text, std::size_t i, int line, std::u32string& out) {
        while (true) {
            if (i >= text.size() || text[i] == '\n')
                Fail(line, "text without its closing quote");
            const char c = text[i];
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    out += U'"';
                    i += 2;
                    continue;
                }
                return i + 1;
            }
            if (c == '\\') {
                const char e = i + 1 < text.size() ? text[i + 1] : '\0';
                static const std::map<char, char32_t> escapes = {
                    {'n', U'\n'}, {'r', U'\r'}, {'t', U'\t'}, {'\\', U'\\'}, {'"', U'"'}};
                const auto it = escapes.find(e);
                if (it == escapes.end())
                    Fail(line, std::string("unknown escape \\") + e + " in a text");
                out += it->second;
                i += 2;
                continue;
            }
            char32_t ch;
            if (!DecodeUtf8(text, i, ch))
                Fail(line, "a text is not valid UTF-8");
            out += ch;
        }
    }

    void Directive(const std::string& line, int lineNo) {
        static const std::regex include(R"re(^#\s*include\s*"([^"]+)"\s*(//.*)?$)re");
        static const std::regex pragma(R"re(^#\s*pragma\s+code_page\s*\(\s*(\d+)\s*\)\s*(//.*)?$)re");
        static const std::regex define(R"re(^#\s*define\s+([A-Za-z_]\w*)\s+(\w+)\s*(//.*)?$)re");
        std::string l = line;
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        std::smatch m;
        if (std::regex_match(l, m, include)) {
            Header(m[1], lineNo);
        } else if (std::regex_match(l, m, pragma)) {
            if (m[1] != "65001")
                Fail(lineNo, "the script must be UTF-8: code_page(65001)");
        } else if (std::regex_match(l, m, define)) {
            std::int64_t v;
            if (!ParseNumber(m[2], v))
                Fail(lineNo, "#define " + std::string(m[1]) + " needs a number");
            Define(m[1], v, m_File, lineNo);
        } else {
            Fail(lineNo, "directive not understood: " + l);
        }
    }

    void Define(const std::string& name, std::int64_t value, const std::string& file, int line) {
        const auto it = m_Symbols.find(name);
        if (it != m_Symbols.end() && it->second.value != value)
            throw Error(file, line, name + " is already " + std::to_string(it->second.value));
        m_Symbols[name] = {value, file, line};
    }

    // Symbols of a C++ header: macros, constants and enumerators with a number as their value.
    void Header(const std::string& rel, int lineNo) {
        const std::string path = m_Root.empty() ? rel : m_Root + "/" + rel;
        const auto text = m_Read(path);
        if (!text)
            Fail(lineNo, "cannot read the header " + rel);
        m_Script.files.push_back(path);
        static const std::regex define(
            R"re(^\s*#\s*define\s+([A-Za-z_]\w*)\s+(0[xX][0-9A-Fa-f]+|\d+)[uUlL]*\s*(//.*)?$)re");
        static const std::regex constant(
            R"re(\bconstexpr\s+[\w:\s]+?\b([A-Za-z_]\w*)\s*=\s*(0[xX][0-9A-Fa-f]+|\d+)[uUlL]*\s*;)re");
        static const std::regex enumerator(
            R"re(^\s*([A-Za-z_]\w*)\s*=\s*(0[xX][0-9A-Fa-f]+|\d+)[uUlL]*\s*,?\s*(//.*)?$)re");
        std::istringstream in(*text);
        std::string l;
        int n = 0;
        while (std::getline(in, l)) {
            ++n;
            std::smatch m;
            if (std::regex_search(l, m, define) || std::regex_search(l, m, constant) ||
                std::regex_search(l, m, enumerator)) {
                std::int64_t v;
                if (ParseNumber(m[2], v))
                    Define(m[1], v, rel, n);
            }
        }
    }

    const Token& Peek() const { return m_Tokens[m_Pos]; }
    Token Next() { return m_Tokens[m_Pos < m_Tokens.size() - 1 ? m_Pos++ : m_Pos]; }

    bool IsIdent(const char* word) const { return Peek().kind == Token::Ident && Peek().text == word; }
    bool IsPunct(char c) const { return Peek().kind == Token::Punct && Peek().text[0] == c; }

    void Expect(char c, const char* what) {
        if (!IsPunct(c))
            Fail(Peek().line, std::string("expected '") + c + "' " + what + Found());
        Next();
    }

    std::string Found() const {
        const Token& t = Peek();
        switch (t.kind) {
        case Token::End:
            return ", found the end of the script";
        case Token::Text:
            return ", found the text \"" + Utf8(t.value) + "\"";
        default:
            return ", found " + t.text;
        }
    }

    bool Begin() {
        if (IsIdent("BEGIN") || IsPunct('{')) {
            Next();
            return true;
        }
        return false;
    }
    bool AtEnd() const { return IsIdent("END") || IsPunct('}'); }

    // A number, a symbol, or either plus or minus a number.
    std::int64_t Value(const char* what, std::string* base = nullptr, int* offset = nullptr) {
        auto term = [&](std::string* name) -> std::int64_t {
            const Token t = Next();
            std::int64_t v;
            if (t.kind == Token::Number && ParseNumber(t.text, v))
                return v;
            if (t.kind == Token::Ident) {
                const auto it = m_Symbols.find(t.text);
                if (it == m_Symbols.end())
                    Fail(t.line, "unknown symbol " + t.text);
                if (name)
                    *name = t.text;
                return it->second.value;
            }
            --m_Pos;
            Fail(t.line, std::string("expected ") + what + Found());
        };
        bool negative = false;
        if (IsPunct('-')) {
            Next();
            negative = true;
        }
        std::string name;
        std::int64_t v = term(&name);
        if (negative)
            v = -v;
        while (IsPunct('+') || IsPunct('-')) {
            const bool plus = Next().text == "+";
            const std::int64_t d = term(nullptr);
            v = plus ? v + d : v - d;
            if (base && !name.empty() && offset)
                *offset += static_cast<int>(plus ? d : -d);
        }
        if (base)
            *base = name;
        return v;
    }

    std::uint32_t Id(const char* what) {
        const int line = Peek().line;
        const std::int64_t v = Value(what);
        if (v == -1)
            return kStaticId;
        if (v < 1 || v > 0xFFFF)
            Fail(line, std::string(what) + " must be between 1 and 65535");
        return static_cast<std::uint32_t>(v);
    }

    int Coordinate(const char* what) {
        Expect(',', "before the control's position");
        const int line = Peek().line;
        const std::int64_t v = Value(what);
        if (v < -32768 || v > 32767)
            Fail(line, std::string(what) + " out of range");
        return static_cast<int>(v);
    }

    Rect Position() {
        Rect r;
        r.x = Coordinate("x");
        r.y = Coordinate("y");
        r.cx = Coordinate("width");
        r.cy = Coordinate("height");
        return r;
    }

    std::u32string Text(const char* what) {
        if (Peek().kind != Token::Text)
            Fail(Peek().line, std::string("expected ") + what + Found());
        return Next().value;
    }

    // Style names joined with '|'; NOT takes a style away from the statement's defaults.
    std::uint32_t StyleExpr(std::uint32_t style, Family family) {
        do {
            if (IsPunct('|'))
                Next();
            bool remove = false;
            if (IsIdent("NOT")) {
                Next();
                remove = true;
            }
            const Token t = Next();
            std::uint32_t v = 0;
            if (t.kind == Token::Number && t.text == "0") {
                v = 0;
            } else if (t.kind == Token::Ident) {
                const auto it = Styles().find(t.text);
                if (it == Styles().end())
                    Fail(t.line, "unknown style " + t.text);
                const Family f = it->second.family;
                if (f != kAny && f != family)
                    Fail(t.line, t.text + " does not belong to this " +
                                     std::string(family == kWindowOnly ? "dialog" : "control"));
                v = it->second.value;
            } else {
                --m_Pos;
                Fail(t.line, "expected a style name" + Found());
            }
            style = remove ? (style & ~v) : (style | v);
        } while (IsPunct('|'));
        return style;
    }

    // --- resources ---------------------------------------------------------------------------

    void SkipMemoryFlags() {
        static const std::set<std::string> flags = {"DISCARDABLE", "MOVEABLE",   "PURE", "IMPURE",
                                                    "PRELOAD",     "LOADONCALL", "FIXED"};
        while (Peek().kind == Token::Ident && flags.count(Peek().text))
            Next();
    }

    void Resource() {
        if (IsIdent("STRINGTABLE")) {
            Next();
            StringTable();
            return;
        }
        if (IsIdent("LANGUAGE")) {
            Next();
            Value("a language");
            Expect(',', "in LANGUAGE");
            Value("a sublanguage");
            return;
        }
        const int line = Peek().line;
        std::string base;
        int offset = 0;
        const std::int64_t id = Value("a resource identifier", &base, &offset);
        if (!IsIdent("DIALOG") && !IsIdent("DIALOGEX"))
            Fail(Peek().line, "only DIALOG, DIALOGEX and STRINGTABLE resources are understood" + Found());
        const bool ex = Next().text == "DIALOGEX";
        if (id < 1 || id > 0xFFFF)
            Fail(line, "a dialog identifier must be between 1 and 65535");
        DialogTemplate(static_cast<std::uint32_t>(id), ex, line, offset >= 1 && offset <= 3 ? base : "",
                       offset);
    }

    void StringTable() {
        SkipMemoryFlags();
        if (!Begin())
            Fail(Peek().line, "expected BEGIN after STRINGTABLE" + Found());
        while (!AtEnd()) {
            if (Peek().kind == Token::End)
                Fail(Peek().line, "STRINGTABLE without END");
            const int line = Peek().line;
            String s;
            s.id = Id("a string identifier");
            if (IsPunct(','))
                Next();
            s.text = Text("the string's text");
            for (const auto& other : m_Script.strings)
                if (other.id == s.id)
                    Fail(line, "string " + std::to_string(s.id) + " is defined twice");
            m_Script.strings.push_back(std::move(s));
        }
        Next();
    }

    struct Pending {
        Dialog dialog;
        std::string base; // for an explicit variant: the symbol of its set's first template
        int variant = 0;
    };

    void DialogTemplate(std::uint32_t id, bool ex, int line, const std::string& base, int variant) {
        Pending p;
        p.dialog.id = id;
        p.dialog.file = m_File;
        p.dialog.line = line;
        p.base = base;
        p.variant = base.empty() ? 0 : variant;
        SkipMemoryFlags();
        Value("x");
        Expect(',', "after the dialog's x");
        Value("y");
        Expect(',', "after the dialog's y");
        const int sizeLine = Peek().line;
        p.dialog.cx = static_cast<int>(Value("the dialog's width"));
        Expect(',', "after the dialog's width");
        p.dialog.cy = static_cast<int>(Value("the dialog's height"));
        if (p.dialog.cx <= 0 || p.dialog.cy <= 0 || p.dialog.cx > 1000 || p.dialog.cy > 1000)
            Fail(sizeLine, "the dialog's size must be between 1 and 1000");
        if (ex && IsPunct(',')) { // help identifier
            Next();
            Value("a help identifier");
        }
        while (!Begin()) {
            const Token t = Peek();
            if (t.kind != Token::Ident)
                Fail(t.line, "expected BEGIN" + Found());
            Next();
            if (t.text == "CAPTION") {
                p.dialog.caption = Text("the caption");
            } else if (t.text == "STYLE" || t.text == "EXSTYLE") {
                StyleExpr(0, kWindowOnly);
            } else if (t.text == "FONT") {
                Value("a font size");
                Expect(',', "after the font size");
                Text("a font name");
                while (IsPunct(',')) {
                    Next();
                    Value("a font attribute");
                }
            } else {
                Fail(t.line, "dialog statement " + t.text + " is not understood");
            }
        }
        while (!AtEnd()) {
            if (Peek().kind == Token::End)
                Fail(Peek().line, "dialog without END");
            p.dialog.controls.push_back(ControlStatement());
        }
        Next();
        CheckDialog(p.dialog);
        m_Pending.push_back(std::move(p));
    }

    Control ControlStatement() {
        const Token t = Next();
        if (t.kind != Token::Ident)
            Fail(t.line, "expected a control statement" + Found());
        struct Kind {
            const char* kind;
            bool hasText;
            std::uint32_t defaults;
        };
        constexpr std::uint32_t tab = 0x00010000, group = 0x00020000, border = 0x00800000;
        static const std::map<std::string, Kind> statements = {
            {"LTEXT", {"Static", true, group}},
            {"RTEXT", {"Static", true, 0x2 | group}},
            {"CTEXT", {"Static", true, 0x1 | group}},
            {"EDITTEXT", {"Edit", false, border | tab}},
            {"COMBOBOX", {"Combo", false, tab}},
            {"LISTBOX", {"ListBox", false, 0x1 | border}},
            {"PUSHBUTTON", {"Button", true, tab}},
            {"DEFPUSHBUTTON", {"Button", true, 0x1 | tab}},
            {"GROUPBOX", {"GroupBox", true, 0x7}},
            {"CHECKBOX", {"CheckBox", true, 0x2 | tab}},
            {"AUTOCHECKBOX", {"CheckBox", true, 0x3 | tab}},
            {"RADIOBUTTON", {"Radio", true, 0x4}},
            {"AUTORADIOBUTTON", {"Radio", true, 0x9}},
        };
        Control c;
        c.line = t.line;
        if (t.text == "CONTROL") {
            c.text = Text("the control's text");
            Expect(',', "after the control's text");
            c.id = Id("a control identifier");
            Expect(',', "after the control's identifier");
            const int classLine = Peek().line;
            const std::string cls = Utf8(Text("a control class"));
            Expect(',', "after the control's class");
            const int styleLine = Peek().line;
            c.kind = KindOfClass(cls, classLine);
            c.style = StyleExpr(kChildVisible, FamilyOfKind(c.kind));
            c.kind = Refine(c.kind, c.style, styleLine);
            c.rect = Position();
            if (IsPunct(',')) {
                Next();
                StyleExpr(0, kAny);
            }
            return c;
        }
        const auto it = statements.find(t.text);
        if (it == statements.end())
            Fail(t.line, "control statement " + t.text + " is not understood");
        const Kind& k = it->second;
        if (k.hasText) {
            c.text = Text("the control's text");
            Expect(',', "after the control's text");
        }
        c.id = Id("a control identifier");
        c.kind = k.kind;
        c.rect = Position();
        c.style = kChildVisible | k.defaults;
        if (IsPunct(',')) {
            Next();
            const int styleLine = Peek().line;
            c.style = StyleExpr(c.style, FamilyOfKind(c.kind));
            if (IsPunct(',')) {
                Next();
                StyleExpr(0, kAny);
            }
            c.kind = Refine(c.kind, c.style, styleLine);
        } else {
            c.kind = Refine(c.kind, c.style, t.line);
        }
        return c;
    }

    std::string KindOfClass(const std::string& cls, int line) const {
        static const std::map<std::string, std::string> classes = {
            {"STATIC", "Static"},   {"BUTTON", "ButtonClass"},  {"EDIT", "Edit"},       {"COMBOBOX", "Combo"},
            {"LISTBOX", "ListBox"}, {"SYSTABCONTROL32", "Tab"}, {"CEGRIDCTRL", "Grid"},
        };
        std::string upper = cls;
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        const auto it = classes.find(upper);
        if (it == classes.end())
            Fail(line, "unknown control class \"" + cls + "\"");
        return it->second;
    }

    // The kind a style makes of a generic statement: a combo's type, a button's type.
    std::string Refine(const std::string& kind, std::uint32_t style, int line) const {
        if (kind == "Combo") {
            switch (style & 0x3) {
            case 0x3:
                return "ComboList";
            case 0x2:
                return "ComboEdit";
            default:
                Fail(line, "a combo box must be CBS_DROPDOWNLIST or CBS_DROPDOWN");
            }
        }
        if (kind == "ButtonClass" || kind == "Button" || kind == "CheckBox" || kind == "Radio" ||
            kind == "GroupBox") {
            switch (style & 0xF) {
            case 0x0:
            case 0x1:
                return "Button";
            case 0x2:
            case 0x3:
                return "CheckBox";
            case 0x4:
            case 0x9:
                return "Radio";
            case 0x7:
                return "GroupBox";
            default:
                Fail(line, "this button type is not understood");
            }
        }
        return kind;
    }

    void CheckDialog(const Dialog& d) const {
        std::set<std::uint32_t> ids;
        for (const Control& c : d.controls) {
            const Rect& r = c.rect;
            if (r.cx <= 0 || r.cy <= 0)
                Fail(c.line, "control " + std::to_string(c.id) + " has no size");
            // A combo's height is its open list, which may pass the bottom; its top may not.
            const bool combo = c.kind == "ComboList" || c.kind == "ComboEdit";
            if (r.x < 0 || r.y < 0 || r.x + r.cx > d.cx || (combo ? r.y >= d.cy : r.y + r.cy > d.cy))
                Fail(c.line, "control " + std::to_string(c.id) + " lies outside the dialog (" +
                                 std::to_string(d.cx) + " x " + std::to_string(d.cy) + ")");
            if (c.id != kStaticId && !ids.insert(c.id).second)
                Fail(c.line, "control " + std::to_string(c.id) + " appears twice in the dialog");
            if (c.id == kStaticId && c.kind != "Static" && c.kind != "GroupBox")
                Fail(c.line, "only labels and group boxes may use IDC_STATIC");
        }
    }

    // --- template sets -----------------------------------------------------------------------

    void BuildSets() {
        std::map<std::uint32_t, std::size_t> setOf; // first id -> index in m_Script.sets
        for (auto& p : m_Pending) {
            if (!p.base.empty())
                continue;
            for (const auto& [first, index] : setOf)
                if (p.dialog.id < first + 4 && first < p.dialog.id + 4) {
                    m_File = p.dialog.file;
                    Fail(p.dialog.line, "template set " + std::to_string(p.dialog.id) + " to " +
                                            std::to_string(p.dialog.id + 3) + " overlaps set " +
                                            std::to_string(first) + " to " + std::to_string(first + 3));
                }
            TemplateSet set;
            set.variants[0] = p.dialog;
            set.explicitVariant[0] = true;
            setOf[p.dialog.id] = m_Script.sets.size();
            m_Script.sets.push_back(std::move(set));
        }
        for (auto& p : m_Pending) {
            if (p.base.empty())
                continue;
            m_File = p.dialog.file;
            const std::uint32_t first = p.dialog.id - static_cast<std::uint32_t>(p.variant);
            const auto it = setOf.find(first);
            if (it == setOf.end())
                Fail(p.dialog.line, p.base + " has no first template in the script");
            TemplateSet& set = m_Script.sets[it->second];
            if (set.explicitVariant[static_cast<std::size_t>(p.variant)])
                Fail(p.dialog.line,
                     "variant " + std::to_string(p.variant) + " of " + p.base + " is given twice");
            CheckSameControls(set.variants[0], p.dialog, p.base, p.variant);
            set.variants[static_cast<std::size_t>(p.variant)] = std::move(p.dialog);
            set.explicitVariant[static_cast<std::size_t>(p.variant)] = true;
        }
        for (auto& set : m_Script.sets)
            for (int v = 1; v < 4; ++v)
                if (!set.explicitVariant[static_cast<std::size_t>(v)])
                    set.variants[static_cast<std::size_t>(v)] = DeriveVariant(set.variants[0], v);
    }

    void CheckSameControls(const Dialog& first, const Dialog& other, const std::string& base,
                           int variant) const {
        const std::string which = "variant " + std::to_string(variant) + " of " + base;
        if (other.caption != first.caption)
            Fail(other.line, which + " has another caption than its first template");
        const std::size_t n = std::max(first.controls.size(), other.controls.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (i >= other.controls.size())
                Fail(other.line, which + " lacks control " + std::to_string(first.controls[i].id));
            const Control& b = other.controls[i];
            if (i >= first.controls.size())
                Fail(b.line,
                     which + " has control " + std::to_string(b.id) + " that its first template lacks");
            const Control& a = first.controls[i];
            if (a.id != b.id || a.kind != b.kind || a.text != b.text || a.style != b.style)
                Fail(b.line, which + ": control " + std::to_string(i + 1) + " is " + std::to_string(b.id) +
                                 " " + b.kind + ", in the first template " + std::to_string(a.id) + " " +
                                 a.kind +
                                 (a.id == b.id && a.kind == b.kind ? " with another text or style" : ""));
        }
    }

    // A header that declares a dialog or a string the script lacks is a build error: the module
    // would ask the host for a template or text that does not exist.
    void CheckDeclared() {
        std::set<std::uint32_t> dialogs, strings;
        for (const auto& s : m_Script.sets)
            dialogs.insert(s.variants[0].id);
        for (const auto& s : m_Script.strings)
            strings.insert(s.id);
        for (const auto& [name, sym] : m_Symbols) {
            if (sym.file.empty() || sym.file == m_Script.files.front())
                continue;
            const auto v = static_cast<std::uint32_t>(sym.value);
            if (name.rfind("IDD_", 0) == 0 && !dialogs.count(v))
                throw Error(sym.file, sym.line,
                            name + " (" + std::to_string(v) + ") has no template in the script");
            if (name.rfind("IDS_", 0) == 0 && !strings.count(v))
                throw Error(sym.file, sym.line,
                            name + " (" + std::to_string(v) + ") has no text in the script");
        }
    }

    std::string m_Root;
    const FileReader& m_Read;
    std::string m_File;
    std::vector<Token> m_Tokens;
    std::size_t m_Pos = 0;
    std::map<std::string, Symbol> m_Symbols;
    std::vector<Pending> m_Pending;
    Script m_Script;
};

// round(a * num / den), halves away from zero, in integers.
int Scale(int a, int num, int den) {
    const long long p = static_cast<long long>(a) * num * 2;
    return static_cast<int>(p >= 0 ? (p + den) / (2LL * den) : -((-p + den) / (2LL * den)));
}

std::string CppText(const std::u32string& text) {
    std::string out = "u\"";
    char buf[16];
    for (char32_t c : text) {
        switch (c) {
        case U'"':
            out += "\\\"";
            break;
        case U'\\':
            out += "\\\\";
            break;
        case U'\n':
            out += "\\n";
            break;
        case U'\r':
            out += "\\r";
            break;
        case U'\t':
            out += "\\t";
            break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else {
                std::snprintf(buf, sizeof buf, c > 0xFFFF ? "\\U%08X" : "\\u%04X", static_cast<unsigned>(c));
                out += buf;
            }
        }
    }
    return out + "\"";
}

} // namespace

Script Parse(const std::string& path, const std::string& root, const FileReader& read) {
    return Parser(root, read).Run(path);
}

Dialog DeriveVariant(const Dialog& first, int variant) {
    const Screen& from = kScreens[0];
    const Screen& to = kScreens[variant];
    Dialog d = first;
    d.id = first.id + static_cast<std::uint32_t>(variant);
    d.cx = Scale(first.cx, to.cx, from.cx);
    d.cy = Scale(first.cy, to.cy, from.cy);
    for (Control& c : d.controls) {
        const Rect r = c.rect;
        const int left = Scale(r.x, to.cx, from.cx), right = Scale(r.x + r.cx, to.cx, from.cx);
        const int top = Scale(r.y, to.cy, from.cy), bottom = Scale(r.y + r.cy, to.cy, from.cy);
        c.rect = {left, top, std::max(1, right - left), std::max(1, bottom - top)};
    }
    return d;
}

std::string GenerateCpp(const Script& script, const std::string& prefix, const std::string& source) {
    std::ostringstream out;
    out << "// Generated from " << source << " by pregeo-rc: edit the script, not this file.\n"
        << "#include \"hostapi/Dialog.h\"\n#include \"hostapi/Resources.h\"\n\n#include <cstddef>\n\n"
        << "const DialogTemplate* const* " << prefix << "Dialogs(std::size_t& count);\n"
        << "const StringResource* " << prefix << "Strings(std::size_t& count);\n\nnamespace {\n\n";
    std::vector<std::string> names;
    for (const auto& set : script.sets) {
        for (const Dialog& d : set.variants) {
            const std::string name = "k" + std::to_string(d.id);
            if (!d.controls.empty()) {
                out << "const ControlTemplate " << name << "Controls[] = {\n";
                for (const Control& c : d.controls) {
                    const Rect& r = c.rect;
                    out << "    {" << c.id << "u, ControlKind::" << c.kind << ", " << CppText(c.text)
                        << ", 0x" << std::hex << c.style << std::dec << "u, {" << r.x << ", " << r.y << ", "
                        << r.x + r.cx << ", " << r.y + r.cy << "}},\n";
                }
                out << "};\n";
            }
            out << "const DialogTemplate " << name << " = {" << d.id << "u, " << CppText(d.caption) << ", "
                << d.cx << ", " << d.cy << ", " << (d.controls.empty() ? "nullptr" : name + "Controls")
                << ", " << d.controls.size() << "};\n\n";
            names.push_back(name);
        }
    }
    out << "const DialogTemplate* const kDialogs[] = {";
    for (const auto& n : names)
        out << "&" << n << ", ";
    out << (names.empty() ? "nullptr" : "") << "};\n";
    out << "const StringResource kStrings[] = {\n";
    for (const auto& s : script.strings)
        out << "    {" << s.id << "u, " << CppText(s.text) << "},\n";
    out << (script.strings.empty() ? "    {0u, nullptr},\n" : "") << "};\n\n} // namespace\n\n";
    out << "const DialogTemplate* const* " << prefix
        << "Dialogs(std::size_t& count) {\n    count = " << names.size() << ";\n    return kDialogs;\n}\n\n";
    out << "const StringResource* " << prefix
        << "Strings(std::size_t& count) {\n    count = " << script.strings.size()
        << ";\n    return kStrings;\n}\n";
    return out.str();
}

} // namespace rc
