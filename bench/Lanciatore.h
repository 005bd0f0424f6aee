// Measuring processes started fresh, each with its own peak resident size: a small process forked before
// the bench generates its files starts them (a started process's peak counts from its starter's) and
// reports each one's wall and processor time, peak and exit status. Shared by the benches.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

extern char** environ;

namespace lanciatore {

struct Processo {
    double murMs = 0; // wall time of the whole process
    double cpuMs = 0; // user and system time
    double piccoMb = 0;
    int stato = -1;
};

inline bool LeggiTutto(int fd, void* dati, std::size_t n) {
    auto* p = static_cast<char*>(dati);
    while (n > 0) {
        const ssize_t r = ::read(fd, p, n);
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

// The output goes to the file `uscita` (its errors to uscita.err) when one is named.
inline Processo Avvia(const std::vector<std::string>& argomenti, const std::string& uscita = {}) {
    std::vector<char*> argv;
    for (const std::string& a : argomenti)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Processo p;
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    if (!uscita.empty()) {
        posix_spawn_file_actions_addopen(&azioni, 1, uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&azioni, 2, (uscita + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
    }
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int errore = posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    if (errore != 0)
        return p;
    int stato = 0;
    rusage uso{};
    ::wait4(pid, &stato, 0, &uso);
    const std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - t0;
    p.murMs = d.count();
    p.cpuMs = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3 +
              static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
    p.piccoMb = static_cast<double>(uso.ru_maxrss) / 1024.0;
    p.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    return p;
}

inline int g_Richieste = -1;
inline int g_Risposte = -1;

// Call first thing in main, while the process is small.
inline void Inizia() {
    int richieste[2], risposte[2];
    if (::pipe(richieste) != 0 || ::pipe(risposte) != 0)
        return;
    if (::fork() == 0) {
        ::close(richieste[1]);
        ::close(risposte[0]);
        for (std::uint32_t n = 0; LeggiTutto(richieste[0], &n, sizeof n);) {
            std::string testo(n, '\0');
            if (!LeggiTutto(richieste[0], testo.data(), n))
                break;
            std::vector<std::string> parti;
            for (std::size_t a = 0;;) {
                const std::size_t b = testo.find('\0', a);
                parti.push_back(testo.substr(a, b == std::string::npos ? b : b - a));
                if (b == std::string::npos)
                    break;
                a = b + 1;
            }
            const std::string uscita = parti.back();
            parti.pop_back();
            const Processo p = Avvia(parti, uscita);
            if (::write(risposte[1], &p, sizeof p) != static_cast<ssize_t>(sizeof p))
                break;
        }
        ::_exit(0);
    }
    ::close(richieste[0]);
    ::close(risposte[1]);
    g_Richieste = richieste[1];
    g_Risposte = risposte[0];
}

// Runs the program and arguments in a fresh process through the starter (directly without one).
inline Processo Esegui(const std::vector<std::string>& argomenti, const std::string& uscita = {}) {
    if (g_Richieste < 0)
        return Avvia(argomenti, uscita);
    std::string testo;
    for (const std::string& a : argomenti)
        testo += a + '\0';
    testo += uscita;
    const auto n = static_cast<std::uint32_t>(testo.size());
    Processo p;
    if (::write(g_Richieste, &n, sizeof n) != static_cast<ssize_t>(sizeof n) ||
        ::write(g_Richieste, testo.data(), n) != static_cast<ssize_t>(n) ||
        !LeggiTutto(g_Risposte, &p, sizeof p))
        return {};
    return p;
}

} // namespace lanciatore
