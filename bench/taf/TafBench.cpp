// bench_taf [folder]: writes TAF files of 100 000 and 400 000 lines (a province of many municipalities and
// sheets) and times, for each file, a plain getline loop (the floor), the host's text-mode reader, the
// filtered load of one municipality and two sheets, the filtered load of every municipality of the
// province and the load near a position. Each runs in a child process, so that its peak memory is its
// own; the heap allocations and the peak of the bytes on the heap during the run are counted and given
// per record taken, the process's peak resident size in MB. The time is the best of five runs in the
// child, which keeps the memory a run gives back, as a long-lived host does; the first run, which finds
// no such memory and pays for every page it touches, is shown beside it.
#include "pfimport/TafElenco.h"

#include "hostapi/FileIO.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <new>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Heap use of the running load: allocations, bytes held and their peak.
struct Heap {
    long allocazioni = 0;
    long long byte = 0;
    long long picco = 0;
} heap;

} // namespace

void* operator new(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p)
        throw std::bad_alloc();
    ++heap.allocazioni;
    heap.byte += static_cast<long long>(malloc_usable_size(p));
    heap.picco = std::max(heap.picco, heap.byte);
    return p;
}
void operator delete(void* p) noexcept {
    if (p)
        heap.byte -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

struct Provincia {
    std::vector<std::string> comuni;
    std::string comune;             // the one of the narrow filter
    std::vector<std::string> fogli; // its two sheets, as codes
    double nord = 0, est = 0;       // a centre inside it
};

void Campo(std::string& s, std::size_t col, std::size_t len, const std::string& v, bool destra) {
    const std::string t = v.substr(0, len);
    s.replace(destra ? col + len - t.size() : col, t.size(), t);
}

// Realistic fixed-column lines: municipalities of about 40 sheets, sheets of 5 to 60 points, positions
// clustered by municipality and sheet, texts of the lengths the cadastre uses.
Provincia Genera(const std::filesystem::path& path, int righe) {
    std::mt19937 rnd(12345);
    const char* descr[] = {"SPIGOLO NORD-EST FABBRICATO RURALE",
                           "CENTRO TOMBINO IN GHISA",
                           "PILASTRO DESTRO CANCELLO INGRESSO",
                           "SPIGOLO MURO DI CINTA",
                           "CROCE INCISA SU ROCCIA",
                           "NON UTILIZZABILE - DEMOLITO",
                           "SPIGOLO CAMPANILE CHIESA PARROCCHIALE"};
    const char* quote[] = {"PIANO MARCIAPIEDE", "PIANO STRADALE", "SOGLIA INGRESSO", "TERRENO"};
    Provincia p;
    std::ofstream out(path, std::ios::binary);
    int scritte = 0;
    char buffer[64];
    for (int c = 0; scritte < righe; ++c) {
        std::snprintf(buffer, sizeof buffer, "%c%03d", 'A' + c / 1000 % 26, c % 1000);
        const std::string comune = buffer;
        p.comuni.push_back(comune);
        const double n0 = 5000000 + (c % 20) * 8000.0, e0 = 1400000 + (c / 20) * 8000.0;
        const int fogli = 20 + static_cast<int>(rnd() % 40);
        for (int f = 1; f <= fogli && scritte < righe; ++f) {
            const double nf = n0 + (f % 8) * 1000.0, ef = e0 + (f / 8) * 1000.0;
            const int punti = 5 + static_cast<int>(rnd() % 56);
            for (int k = 1; k <= punti && scritte < righe; ++k, ++scritte) {
                std::string s(251, ' ');
                Campo(s, 0, 5, comune, false);
                Campo(s, 5, 5, std::to_string(f), true);
                Campo(s, 13, 4, std::to_string(k), true);
                Campo(s, 18, 11, std::to_string(rnd() % 3000), false);
                Campo(s, 30, 70, descr[rnd() % 7], false);
                const double n = nf + (rnd() % 100000) / 100.0, e = ef + (rnd() % 100000) / 100.0;
                std::snprintf(buffer, sizeof buffer, "%.2f", n);
                Campo(s, 101, 12, buffer, true);
                std::snprintf(buffer, sizeof buffer, "%.2f", e);
                Campo(s, 114, 12, buffer, true);
                Campo(s, 127, 2, std::to_string(1 + rnd() % 9), true);
                Campo(s, 130, 4, std::to_string(f), true);
                Campo(s, 137, 4, std::to_string(k), true);
                std::snprintf(buffer, sizeof buffer, "%02d%02d%02d", 1 + static_cast<int>(rnd() % 28),
                              1 + static_cast<int>(rnd() % 12), static_cast<int>(rnd() % 100));
                Campo(s, 142, 6, buffer, false);
                Campo(s, 149, 15, rnd() % 2 ? "IMPIANTO" : "AGGIORNAMENTO", false);
                Campo(s, 165, 70, quote[rnd() % 4], false);
                Campo(s, 236, 2, std::to_string(1 + rnd() % 9), true);
                std::snprintf(buffer, sizeof buffer, "%.2f", 100 + (rnd() % 30000) / 100.0);
                Campo(s, 241, 10, buffer, true);
                out << s << "\r\n";
            }
            if (c == 3 && f == 3) {
                p.comune = comune;
                p.fogli = {"0030", "0040"};
                p.nord = nf + 500;
                p.est = ef + 500;
            }
        }
    }
    return p;
}

struct Esito {
    double ms = 0;
    double primaMs = 0;
    double pavimentoMs = 0;
    long punti = 0;
    long allocazioni = 0;
    long long piccoHeap = 0;
    long piccoKb = 0;
};

// Runs the load five times in a child, each run after a run of the floor, and keeps the first and the
// best time of the load and the best of the floor: the machine is shared, and a ratio holds up only
// between runs made side by side. The heap figures are those of the last run; the child's peak resident
// size comes back too.
Esito Misura(const std::function<long()>& carica, const std::function<long()>& pavimento) {
    int canale[2];
    if (::pipe(canale) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(canale[0]);
        ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
        ::mallopt(M_MMAP_THRESHOLD, 1 << 30);
        Esito e;
        e.ms = e.pavimentoMs = 1e300;
        for (int i = 0; i < 5; ++i) {
            const auto p0 = std::chrono::steady_clock::now();
            pavimento();
            const std::chrono::duration<double, std::milli> p = std::chrono::steady_clock::now() - p0;
            e.pavimentoMs = std::min(e.pavimentoMs, p.count());
            const Heap prima = heap;
            heap.picco = heap.byte;
            const auto t0 = std::chrono::steady_clock::now();
            e.punti = carica();
            const std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - t0;
            e.ms = std::min(e.ms, d.count());
            if (i == 0)
                e.primaMs = d.count();
            e.allocazioni = heap.allocazioni - prima.allocazioni;
            e.piccoHeap = heap.picco - prima.byte;
        }
        const ssize_t scritto = ::write(canale[1], &e, sizeof e);
        ::_exit(scritto == sizeof e ? 0 : 1);
    }
    ::close(canale[1]);
    Esito e;
    if (::read(canale[0], &e, sizeof e) != sizeof e)
        e = {};
    ::close(canale[0]);
    int stato = 0;
    rusage uso{};
    ::wait4(pid, &stato, 0, &uso);
    e.piccoKb = uso.ru_maxrss;
    return e;
}

// Times as ratios to the floor's best time beside them.
void Riporta(const char* nome, const Esito& e) {
    const double pavimento = e.pavimentoMs;
    const double punti = static_cast<double>(std::max(e.punti, 1L));
    std::printf(
        "  %-38s %7.1f ms x%5.2f  (prima %7.1f ms x%5.2f)  %6ld punti  %5.2f alloc/punto  %4.0f B/punto"
        "  picco %5.1f MB\n",
        nome, e.ms, e.ms / pavimento, e.primaMs, e.primaMs / pavimento, e.punti,
        static_cast<double>(e.allocazioni) / punti, static_cast<double>(e.piccoHeap) / punti,
        static_cast<double>(e.piccoKb) / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path cartella = argc > 1
                                               ? std::filesystem::path(argv[1])
                                               : std::filesystem::temp_directory_path() / "pregeo_bench_taf";
    std::filesystem::create_directories(cartella);
    for (const int righe : {100000, 400000}) {
        const auto path = cartella / ("provincia_" + std::to_string(righe) + ".taf");
        const Provincia prov = Genera(path, righe);
        const WString file = WString::FromUtf8(path.string());
        std::vector<WString> tutti, uno{WString::FromUtf8(prov.comune)}, dueFogli, nessunFoglio;
        for (const auto& c : prov.comuni)
            tutti.push_back(WString::FromUtf8(c));
        for (const auto& f : prov.fogli)
            dueFogli.push_back(WString::FromUtf8(f));
        std::printf("%d righe, %zu comuni, %.1f MB\n", righe, prov.comuni.size(),
                    static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0));

        const auto getline = [&] {
            std::ifstream in(path, std::ios::binary);
            std::string riga;
            long n = 0;
            while (std::getline(in, riga))
                ++n;
            return n;
        };
        const auto lettore = [&] {
            PlatformFile* f = _wfopen(file.c_str(), u"rt");
            char16_t buffer[1024];
            long n = 0;
            while (fgetws(buffer, 1023, f))
                ++n;
            fclose(f);
            return n;
        };
        const auto filtro = [&](const std::vector<WString>& comuni, const std::vector<WString>& fogli) {
            return [&file, c = &comuni, f = &fogli] {
                CTafElenco e;
                e.CaricaTafFiltro(file, *c, *f);
                return static_cast<long>(e.GetCount());
            };
        };
        const auto vicino = [&] {
            CTafElenco e;
            e.CaricaTafVicino(file, prov.nord, prov.est, 300);
            return static_cast<long>(e.GetCount());
        };
        Riporta("getline (pavimento)", Misura(getline, getline));
        Riporta("lettore dell'host (fgetws)", Misura(lettore, getline));
        Riporta("filtro: un comune, due fogli", Misura(filtro(uno, dueFogli), getline));
        Riporta("filtro: tutti i comuni della provincia", Misura(filtro(tutti, nessunFoglio), getline));
        Riporta("vicino: raggio 300 m", Misura(vicino, getline));
    }
    return 0;
}
