// pregeo-rc: converts a resource script into the C++ tables a module registers at attach.
//   pregeo-rc --root DIR --prefix NAME --output FILE.cpp [--depfile FILE.d] SCRIPT.rc
#include "tools/rc/RcScript.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Writes only when the text changed, so that an unchanged script does not rebuild the module.
bool WriteIfChanged(const std::string& path, const std::string& text) {
    if (ReadFile(path) == text)
        return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

} // namespace

int main(int argc, char** argv) {
    std::string root, prefix = "Module", output, depfile, script;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc)
                return false;
            target = argv[++i];
            return true;
        };
        bool ok = true;
        if (a == "--root")
            ok = value(root);
        else if (a == "--prefix")
            ok = value(prefix);
        else if (a == "--output")
            ok = value(output);
        else if (a == "--depfile")
            ok = value(depfile);
        else if (!a.empty() && a[0] != '-' && script.empty())
            script = a;
        else
            ok = false;
        if (!ok) {
            std::cerr << "usage: pregeo-rc --root DIR [--prefix NAME] --output FILE.cpp [--depfile FILE.d] "
                         "SCRIPT.rc\n";
            return 2;
        }
    }
    if (script.empty() || output.empty()) {
        std::cerr << "pregeo-rc: a script and --output are required\n";
        return 2;
    }
    try {
        const rc::Script parsed = rc::Parse(script, root, ReadFile);
        if (!WriteIfChanged(output, rc::GenerateCpp(parsed, prefix, script))) {
            std::cerr << "pregeo-rc: cannot write " << output << "\n";
            return 1;
        }
        if (!depfile.empty()) {
            std::string deps = output + ":";
            for (const auto& f : parsed.files)
                deps += " " + std::filesystem::absolute(f).string();
            WriteIfChanged(depfile, deps + "\n");
        }
    } catch (const rc::Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
