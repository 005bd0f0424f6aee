// Runs one of the build's programs as a person would, for the command-line tests: its exit status and
// what it wrote (standard error too, when asked).
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace prova {

struct Esito {
    int status;
    std::string out;
};

inline Esito Esegui(const std::string& programma, const std::string& args, bool conErrori = true) {
    const char* bin = std::getenv("PREGEO_BIN");
    const std::string cmd = std::string(bin ? bin : "build/test/bin") + "/" + programma + " " + args +
                            (conErrori ? " 2>&1" : " 2>/dev/null");
    Esito r{0, {}};
    FILE* p = ::popen(cmd.c_str(), "r");
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace prova
