// bench_taf [folder]: writes TAF files of 100 000 and 400 000 lines (a province of many municipalities and
// sheets) and measures, for each file, a plain getline loop (the floor), the host's text-mode reader, the
// filtered load of one municipality and two sheets, the filtered load of every municipality of the
// province and the load near a position.
//
// Each measurement is a process of its own, started fresh (this program again, with --misura) with the C
// library's default allocator settings, so that a load pays for every page it touches as a surveyor's
// first load does. The headline is that first run: its processor time inside the process (page faults
// included) and the whole process's, each beside the floor's measured the same way, then the peak of the
// bytes on the heap per record taken, the allocations per record and the process's peak resident size.
// Beside it, the best of five runs in one process (the memory a run gives back serves the next). Every
// figure is the best of five processes, the floor's and the load's taken in turn: the machine is shared,
// and processor time counts little of what other programs do on it.
//
// The processes are started by a small process forked before any file is generated: a started process's
// peak resident size counts from that of the process that starts it.
#include "pfimport/TafElenco.h"

#include "hostapi/FileIO.h"

#include "bench/Lanciatore.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <random>
#include <string>
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
// Kept out of line: inlined where the library frees what it allocated, it reads to the compiler as a free
// of memory that came from new.
[[gnu::noinline]] void operator delete(void* p) noexcept {
    if (p)
        heap.byte -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

namespace fs = std::filesystem;

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
Provincia Genera(const fs::path& path, int righe) {
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

// What a measuring process reports of its runs.
struct Esito {
    double primaMs = 0; // the first run
    double miglioreMs = 0;
    long punti = 0;
    long allocazioni = 0; // of the first run
    long long piccoHeap = 0;
};

// --- the measuring process ---

// Processor time of the process, page faults included: other programs sharing the machine do not count
// in it.
double Cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

std::vector<WString> Righe(const std::string& path) {
    std::vector<WString> out;
    std::ifstream in(path);
    for (std::string riga; std::getline(in, riga);)
        if (!riga.empty())
            out.push_back(WString::FromUtf8(riga));
    return out;
}

// argv: --misura KIND FILE RUNS RESULT [ARGS...]. KIND getline, fgetws, filtro (ARGS: a file of the
// municipalities, one a line, then the sheet codes), vicino (ARGS: north, east, radius).
int Misura(int argc, char** argv) {
    if (argc < 6)
        return 2;
    const std::string tipo = argv[2];
    const std::string file = argv[3];
    const int volte = std::atoi(argv[4]);
    const WString wfile = WString::FromUtf8(file);
    std::vector<WString> comuni, fogli;
    double nord = 0, est = 0, raggio = 0;
    if (tipo == "filtro" && argc > 6) {
        comuni = Righe(argv[6]);
        for (int i = 7; i < argc; ++i)
            fogli.push_back(WString::FromUtf8(argv[i]));
    } else if (tipo == "vicino" && argc > 8) {
        nord = std::atof(argv[6]);
        est = std::atof(argv[7]);
        raggio = std::atof(argv[8]);
    }
    std::function<long()> carica;
    if (tipo == "getline") {
        carica = [&] {
            std::ifstream in(file, std::ios::binary);
            std::string riga;
            long n = 0;
            while (std::getline(in, riga))
                ++n;
            return n;
        };
    } else if (tipo == "fgetws") {
        carica = [&] {
            PlatformFile* f = _wfopen(wfile.c_str(), u"rt");
            char16_t buffer[1024];
            long n = 0;
            while (fgetws(buffer, 1023, f))
                ++n;
            fclose(f);
            return n;
        };
    } else if (tipo == "filtro") {
        carica = [&] {
            CTafElenco e;
            e.CaricaTafFiltro(wfile, comuni, fogli);
            return static_cast<long>(e.GetCount());
        };
    } else if (tipo == "vicino") {
        carica = [&] {
            CTafElenco e;
            e.CaricaTafVicino(wfile, nord, est, raggio);
            return static_cast<long>(e.GetCount());
        };
    } else {
        return 2;
    }
    Esito e;
    e.miglioreMs = 1e300;
    for (int i = 0; i < volte; ++i) {
        const Heap prima = heap;
        heap.picco = heap.byte;
        const double t0 = Cpu();
        e.punti = carica();
        const double d = Cpu() - t0;
        e.miglioreMs = std::min(e.miglioreMs, d);
        if (i == 0) {
            e.primaMs = d;
            e.allocazioni = heap.allocazioni - prima.allocazioni;
            e.piccoHeap = heap.picco - prima.byte;
        }
    }
    std::ofstream(argv[5], std::ios::binary).write(reinterpret_cast<const char*>(&e), sizeof e);
    return 0;
}

fs::path g_Programma;

struct Processo {
    Esito esito;
    double cpuMs = 0; // of the whole process
    double piccoMb = 0;
    int stato = -1;
};

// One measuring process: KIND, FILE, RUNS and the kind's arguments.
Processo Processo1(const std::string& tipo, const fs::path& file, int volte,
                   const std::vector<std::string>& args) {
    const fs::path esito = fs::temp_directory_path() / ("pregeo_bench_taf_" + std::to_string(::getpid()));
    std::vector<std::string> argv = {g_Programma.string(),  "--misura",    tipo, file.string(),
                                     std::to_string(volte), esito.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    const lanciatore::Processo l = lanciatore::Esegui(argv);
    Processo p;
    p.cpuMs = l.cpuMs;
    p.piccoMb = l.piccoMb;
    p.stato = l.stato;
    std::ifstream(esito, std::ios::binary).read(reinterpret_cast<char*>(&p.esito), sizeof p.esito);
    fs::remove(esito);
    return p;
}

Processo Migliore(const Processo& a, const Processo& b) {
    Processo m = a;
    m.esito.primaMs = std::min(a.esito.primaMs, b.esito.primaMs);
    m.esito.miglioreMs = std::min(a.esito.miglioreMs, b.esito.miglioreMs);
    m.cpuMs = std::min(a.cpuMs, b.cpuMs);
    m.piccoMb = std::min(a.piccoMb, b.piccoMb);
    return m;
}

struct Misure {
    Processo primo, caldo;              // of the load
    Processo pavimento, pavimentoCaldo; // of the floor
};

// Five fresh processes of one run and one of five runs, for the load and for the floor in turn.
Misure Misura(const std::string& tipo, const fs::path& file, const std::vector<std::string>& args) {
    Misure m;
    for (int i = 0; i < 5; ++i) {
        const Processo pav = Processo1("getline", file, 1, {});
        const Processo p = Processo1(tipo, file, 1, args);
        m.pavimento = i == 0 ? pav : Migliore(m.pavimento, pav);
        m.primo = i == 0 ? p : Migliore(m.primo, p);
    }
    m.pavimentoCaldo = Processo1("getline", file, 5, {});
    m.caldo = Processo1(tipo, file, 5, args);
    return m;
}

void Riporta(const char* nome, const Misure& m) {
    const Esito& e = m.primo.esito;
    const double punti = static_cast<double>(std::max(e.punti, 1L));
    std::printf("  %-38s prima %7.1f ms x%5.2f  processo %7.1f ms x%5.2f  %6ld punti  %5.2f alloc/punto"
                "  %4.0f B/punto  picco %5.1f MB  (caldo x%5.2f)%s\n",
                nome, e.primaMs, e.primaMs / m.pavimento.esito.primaMs, m.primo.cpuMs,
                m.primo.cpuMs / m.pavimento.cpuMs, e.punti, static_cast<double>(e.allocazioni) / punti,
                static_cast<double>(e.piccoHeap) / punti, m.primo.piccoMb,
                m.caldo.esito.miglioreMs / m.pavimentoCaldo.esito.miglioreMs,
                m.primo.stato == 0 && m.caldo.stato == 0 ? "" : "  ERRORE");
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--misura") == 0)
        return Misura(argc, argv);
    g_Programma = fs::canonical("/proc/self/exe");
    lanciatore::Inizia();
    const fs::path cartella = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "pregeo_bench_taf";
    fs::create_directories(cartella);
    std::printf("Ogni misura in un processo nuovo, impostazioni predefinite dell'allocatore; "
                "x = rapporto al pavimento (getline) misurato allo stesso modo.\n");
    for (const int righe : {100000, 400000}) {
        const auto path = cartella / ("provincia_" + std::to_string(righe) + ".taf");
        const Provincia prov = Genera(path, righe);
        const fs::path tutti = cartella / ("comuni_" + std::to_string(righe) + ".txt");
        {
            std::ofstream out(tutti);
            for (const auto& c : prov.comuni)
                out << c << '\n';
        }
        const fs::path uno = cartella / "comune.txt";
        std::ofstream(uno) << prov.comune << '\n';
        std::printf("%d righe, %zu comuni, %.1f MB\n", righe, prov.comuni.size(),
                    static_cast<double>(fs::file_size(path)) / (1024.0 * 1024.0));
        char centro[3][32];
        std::snprintf(centro[0], sizeof centro[0], "%.3f", prov.nord);
        std::snprintf(centro[1], sizeof centro[1], "%.3f", prov.est);
        std::snprintf(centro[2], sizeof centro[2], "%d", 300);
        Riporta("getline (pavimento)", Misura("getline", path, {}));
        Riporta("lettore dell'host (fgetws)", Misura("fgetws", path, {}));
        Riporta("filtro: un comune, due fogli",
                Misura("filtro", path, {uno.string(), prov.fogli[0], prov.fogli[1]}));
        Riporta("filtro: tutti i comuni della provincia", Misura("filtro", path, {tutti.string()}));
        Riporta("vicino: raggio 300 m", Misura("vicino", path, {centro[0], centro[1], centro[2]}));
    }
    return 0;
}
