// tafservice --folder DIR [--port N]: serves the TAF files of DIR on 127.0.0.1 until SIGINT or SIGTERM.
// Without a port (or with 0) it picks a free one; the first line on standard output names it.
// --open-last-line: distance answers lose the '\n' of their last line, as an answer cut short does.
// Each request is logged on standard error with its status and the size of its answer.
#include "TafService.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include <pthread.h>

int main(int argc, char** argv) {
    std::string folder;
    int port = 0;
    bool openLastLine = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--folder" && i + 1 < argc) {
            folder = argv[++i];
        } else if (arg == "--port" && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else if (arg == "--open-last-line") {
            openLastLine = true;
        } else {
            std::cerr << "uso: tafservice --folder CARTELLA [--port PORTA] [--open-last-line]\n";
            return 2;
        }
    }
    if (folder.empty() || port < 0 || port > 65535) {
        std::cerr << "uso: tafservice --folder CARTELLA [--port PORTA] [--open-last-line]\n";
        return 2;
    }

    // Block the stop signals in every thread, then wait for one here.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);

    tafservice::Archive archive;
    archive.Load(folder);
    archive.openLastLine = openLastLine;
    tafservice::Service service(std::move(archive));
    // Every request on standard error, so that a person sees what the module asked and what it got.
    service.SetLog(&std::cerr);
    const int bound = service.Start(port);
    if (bound < 0) {
        std::cerr << "tafservice: porta non disponibile\n";
        return 1;
    }
    std::cout << "tafservice: http://127.0.0.1:" << bound << "/tafservice/tafservice.php" << std::endl;

    int signal = 0;
    sigwait(&stops, &signal);
    // A request stuck on a client that went away must not keep the service alive: the stop is bounded.
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        std::_Exit(0);
    }).detach();
    service.Stop();
    return 0;
}
