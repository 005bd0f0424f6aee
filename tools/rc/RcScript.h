// Reads the subset of the resource-script language that the module's dialogs and string table use,
// derives the screen variants a script does not give, checks every template set and writes the C++
// tables the module registers at attach.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace rc {

// A fault in a script or in a header it includes: where, and why.
class Error : public std::runtime_error {
public:
    Error(std::string file, int line, const std::string& reason);
    const std::string& File() const { return m_File; }
    int Line() const { return m_Line; }
    const std::string& Reason() const { return m_Reason; }

private:
    std::string m_File;
    int m_Line;
    std::string m_Reason;
};

struct Rect {
    int x = 0, y = 0, cx = 0, cy = 0;
    bool operator==(const Rect&) const = default;
};

struct Control {
    std::uint32_t id = 0;
    std::string kind; // a ControlKind name of the host toolkit: "Static", "Edit", ...
    std::u32string text;
    std::uint32_t style = 0;
    Rect rect;
    int line = 0;
};

struct Dialog {
    std::uint32_t id = 0;
    std::u32string caption; // empty for pages
    int cx = 0, cy = 0;
    std::vector<Control> controls;
    std::string file;
    int line = 0;
};

struct String {
    std::uint32_t id = 0;
    std::u32string text;
};

// Four templates n..n+3 of one dialog; variants a script does not give are derived from the first.
struct TemplateSet {
    std::array<Dialog, 4> variants;
    std::array<bool, 4> explicitVariant{};
};

struct Script {
    std::vector<TemplateSet> sets;  // in script order
    std::vector<String> strings;    // in script order
    std::vector<std::string> files; // the script and every header it included
};

// Reads a file's text; nullopt when it cannot be read.
using FileReader = std::function<std::optional<std::string>(const std::string& path)>;

// Parses a script. Included headers are looked up under `root` (paths such as "resources/Ids.h");
// their `#define NAME number`, `constexpr ... NAME = number;` and enumerators `NAME = number,`
// become symbols. Throws Error on anything it does not understand.
Script Parse(const std::string& path, const std::string& root, const FileReader& read);

// The screen of each variant, and the rule that derives variants 1 to 3 from variant 0.
struct Screen {
    int cx, cy;
};
constexpr Screen kScreens[4] = {{138, 167}, {138, 217}, {179, 120}, {229, 120}};
Dialog DeriveVariant(const Dialog& first, int variant);

// The C++ source of the tables: functions `<prefix>Dialogs` and `<prefix>Strings` as
// resources/ModuleResources.h declares them for the module.
std::string GenerateCpp(const Script& script, const std::string& prefix, const std::string& source);

} // namespace rc
