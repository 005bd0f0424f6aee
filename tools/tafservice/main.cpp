// tafservice --folder DIR [--port N]: serves the TAF files of DIR on 127.0.0.1 until SIGINT or SIGTERM.
// Without a port (or with 0) it picks a free one; the first line on standard output names it.
//
// --open-last-line: distance answers lose the '\n' of their last line, as an answer cut short does.
//
// tafservice --folder DIR [--port N] --run PROGRAM ARGS...: serves only while PROGRAM runs, with every
// "{server}" in its arguments replaced by 127.0.0.1:PORT, and ends with PROGRAM's exit code. Nothing is
// written on standard output, which belongs to PROGRAM.
#include "TafService.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr const char* kUso =
    "uso: tafservice --folder CARTELLA [--port PORTA] [--run PROGRAMMA ARGOMENTI...]\n";

// Runs the program and waits for it; its exit code, or 1 when it could not start or was killed.
int Esegui(std::vector<std::string> argomenti, int porta) {
    const std::string server = "127.0.0.1:" + std::to_string(porta);
    std::vector<char*> argv;
    for (std::string& a : argomenti) {
        for (auto at = a.find("{server}"); at != std::string::npos;
             at = a.find("{server}", at + server.size()))
            a.replace(at, 8, server);
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::cerr << "tafservice: non si avvia " << argomenti[0] << "\n";
        return 1;
    }
    int stato = 0;
    if (waitpid(pid, &stato, 0) < 0)
        return 1;
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::string folder;
    int port = 0;
    std::vector<std::string> run;
    bool openLastLine = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--folder" && i + 1 < argc) {
            folder = argv[++i];
        } else if (arg == "--port" && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else if (arg == "--open-last-line") {
            openLastLine = true;
        } else if (arg == "--run" && i + 1 < argc) {
            run.assign(argv + i + 1, argv + argc);
            break;
        } else {
            std::cerr << kUso;
            return 2;
        }
    }
    if (folder.empty() || port < 0 || port > 65535) {
        std::cerr << kUso;
        return 2;
    }

    tafservice::Archive archive;
    archive.Load(folder);
    archive.openLastLine = openLastLine;
    if (!run.empty()) {
        tafservice::Service service(std::move(archive));
        const int bound = service.Start(port);
        if (bound < 0) {
            std::cerr << "tafservice: porta non disponibile\n";
            return 1;
        }
        return Esegui(std::move(run), bound);
    }

    // Block the stop signals in every thread, then wait for one here.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);

    tafservice::Service service(std::move(archive));
    const int bound = service.Start(port);
    if (bound < 0) {
        std::cerr << "tafservice: porta non disponibile\n";
        return 1;
    }
    std::cout << "tafservice: http://127.0.0.1:" << bound << "/tafservice/tafservice.php" << std::endl;

    int signal = 0;
    sigwait(&stops, &signal);
    service.Stop();
    return 0;
}
