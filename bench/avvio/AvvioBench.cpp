// bench_avvio [N] [bin folder]: pregeo-host started as a whole process N times (200 unless told) for each of
//   - /bin/true, the floor;
//   - this program doing nothing: what any C++ program pays for loading libstdc++;
//   - pregeo-host with no arguments (its usage): the program's own start, no project read;
//   - check of the demo, the figure the start-up goal is about;
//   - check of the demo without a coordinate system: the same less PROJ, which recognises the system;
// the cases in turn, so that other load on the machine weighs on all of them alike. Each case gives the
// median wall time, the mean processor time (user + system) of the child, both as ratios to /bin/true, and
// the shared objects the dynamic linker loaded for it.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Misura {
    double parete = 0; // seconds
    double cpu = 0;    // seconds, the child's user + system
    int stato = 0;
};

Misura Esegui(const std::vector<std::string>& argomenti, char** ambiente = environ) {
    std::vector<char*> argv;
    for (const std::string& a : argomenti)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
    Misura m;
    const auto inizio = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), ambiente) != 0) {
        std::perror(argv[0]);
        m.stato = -1;
        return m;
    }
    int stato = 0;
    rusage uso{};
    wait4(pid, &stato, 0, &uso);
    m.parete = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    posix_spawn_file_actions_destroy(&azioni);
    m.cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
            static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
    m.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    return m;
}

// The objects loaded, from the dynamic linker's trace of one run.
std::vector<std::string> Caricati(const std::vector<std::string>& argomenti, const fs::path& cartella) {
    fs::remove_all(cartella);
    fs::create_directories(cartella);
    std::vector<std::string> env = {"LD_DEBUG=files", "LD_DEBUG_OUTPUT=" + (cartella / "ld").string()};
    std::vector<char*> ambiente;
    for (std::string& e : env)
        ambiente.push_back(e.data());
    ambiente.push_back(nullptr);
    Esegui(argomenti, ambiente.data());
    std::set<std::string> nomi;
    for (const auto& e : fs::directory_iterator(cartella)) {
        std::ifstream in(e.path());
        const std::string testo{std::istreambuf_iterator<char>(in), {}};
        for (std::size_t at = testo.find("file="); at != std::string::npos;
             at = testo.find("file=", at + 1)) {
            const std::size_t fine = testo.find_first_of(" \t\n", at);
            nomi.insert(fs::path(testo.substr(at + 5, fine - at - 5)).filename().string());
        }
    }
    fs::remove_all(cartella);
    return {nomi.begin(), nomi.end()};
}

struct Caso {
    std::string nome;
    std::vector<std::string> argomenti;
    std::vector<double> pareti;
    double cpu = 0;
    int stato = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--niente")
        return 0;
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const fs::path bin = argc > 2 ? fs::path(argv[2]) : fs::read_symlink("/proc/self/exe").parent_path();
    const fs::path lavoro = fs::temp_directory_path() / ("bench-avvio-" + std::to_string(::getpid()));
    const fs::path demo = fs::path(PREGEO_SORGENTI) / "samples" / "demo";

    // The demo with its system left out.
    const fs::path senza = lavoro / "demo";
    fs::create_directories(lavoro);
    fs::copy(demo, senza, fs::copy_options::recursive);
    {
        std::ifstream in(senza / "progetto.json", std::ios::binary);
        std::string p{std::istreambuf_iterator<char>(in), {}};
        const std::string chiave = "\"sistema\": \"";
        if (const std::size_t at = p.find(chiave); at != std::string::npos)
            p.erase(at + chiave.size(), p.find('"', at + chiave.size()) - at - chiave.size());
        std::ofstream(senza / "progetto.json", std::ios::binary | std::ios::trunc) << p;
    }

    const std::string host = (bin / "pregeo-host").string();
    std::vector<Caso> casi = {
        {"/bin/true", {"/bin/true"}, {}, 0, 0},
        {"C++ doing nothing", {fs::read_symlink("/proc/self/exe").string(), "--niente"}, {}, 0, 0},
        {"pregeo-host (usage)", {host}, {}, 0, 0},
        {"check demo", {host, "--project", demo.string(), "check"}, {}, 0, 0},
        {"check demo, no system", {host, "--project", senza.string(), "check"}, {}, 0, 0},
    };
    for (Caso& c : casi)
        Esegui(c.argomenti); // warm the page cache
    for (int i = 0; i < n; ++i)
        for (Caso& c : casi) {
            const Misura m = Esegui(c.argomenti);
            c.pareti.push_back(m.parete);
            c.cpu += m.cpu / n;
            c.stato = m.stato;
        }

    std::printf("bench_avvio: %d runs of each, %s\n\n", n, bin.c_str());
    std::printf("%-24s %10s %8s %10s %8s %8s %6s\n", "case", "wall ms", "x true", "cpu ms", "x true",
                "objects", "exit");
    double paretePavimento = 0, cpuPavimento = 0;
    std::vector<std::vector<std::string>> oggetti;
    for (Caso& c : casi) {
        std::sort(c.pareti.begin(), c.pareti.end());
        const double parete = c.pareti[c.pareti.size() / 2];
        if (paretePavimento == 0) {
            paretePavimento = parete;
            cpuPavimento = c.cpu;
        }
        oggetti.push_back(Caricati(c.argomenti, lavoro / "traccia"));
        std::printf("%-24s %10.2f %8.1f %10.2f %8.1f %8zu %6d\n", c.nome.c_str(), parete * 1e3,
                    parete / paretePavimento, c.cpu * 1e3, cpuPavimento > 0 ? c.cpu / cpuPavimento : 0.0,
                    oggetti.back().size(), c.stato);
    }
    std::printf("\nshared objects of check demo:\n");
    for (const std::string& o : oggetti[3])
        std::printf("  %s\n", o.c_str());
    fs::remove_all(lavoro);
    return 0;
}
