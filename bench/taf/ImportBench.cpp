// bench_import_pf [folder]: the automatic import of 100 survey names against whole-province TAF files of
// 100 000 and 400 000 lines, against the whole-province load alone (the import's own first step). Each is
// a process of its own, started fresh with the allocator's default settings (the first run, as a surveyor
// meets it); the figures are the best of three processes, taken in turn: the operation's processor time
// inside the process, the whole process's processor time and its peak resident size. The ratio is what
// counts: looking the names up must cost little beside reading the province.
#include "host/core/HostContext.h"
#include "host/project/Project.h"
#include "pfimport/DatiImportPF.h"
#include "pfimport/PregeoImportPF.h"
#include "pfimport/TafElenco.h"

#include "bench/Lanciatore.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

void Campo(std::string& s, std::size_t col, std::size_t len, const std::string& v, bool destra) {
    const std::string t = v.substr(0, len);
    s.replace(destra ? col + len - t.size() : col, t.size(), t);
}

struct Provincia {
    std::vector<std::string> comuni;
    std::vector<std::string> nomi; // every point's booklet name, in file order
};

// Municipalities of 20 to 60 sheets of 5 to 60 points, full-length lines with heights.
Provincia Genera(const std::filesystem::path& path, int righe) {
    std::mt19937 rnd(4242);
    Provincia p;
    std::ofstream out(path, std::ios::binary);
    char buffer[64];
    int scritte = 0;
    for (int c = 0; scritte < righe; ++c) {
        std::snprintf(buffer, sizeof buffer, "%c%03d", 'A' + c / 1000 % 26, c % 1000);
        const std::string comune = buffer;
        p.comuni.push_back(comune);
        const int fogli = 20 + static_cast<int>(rnd() % 40);
        for (int f = 1; f <= fogli && scritte < righe; ++f) {
            const int punti = 5 + static_cast<int>(rnd() % 56);
            for (int k = 1; k <= punti && scritte < righe; ++k, ++scritte) {
                std::string s(251, ' ');
                Campo(s, 0, 5, comune, false);
                Campo(s, 5, 5, std::to_string(f), true);
                Campo(s, 13, 4, std::to_string(k), true);
                Campo(s, 18, 11, std::to_string(rnd() % 3000), false);
                Campo(s, 30, 70, "SPIGOLO NORD-EST FABBRICATO RURALE", false);
                std::snprintf(buffer, sizeof buffer, "%.2f", 5000000 + (rnd() % 10000000) / 100.0);
                Campo(s, 101, 12, buffer, true);
                std::snprintf(buffer, sizeof buffer, "%.2f", 1400000 + (rnd() % 10000000) / 100.0);
                Campo(s, 114, 12, buffer, true);
                Campo(s, 127, 2, std::to_string(1 + rnd() % 9), true);
                Campo(s, 130, 4, std::to_string(f), true);
                Campo(s, 137, 4, std::to_string(k), true);
                Campo(s, 142, 6, "150396", false);
                Campo(s, 149, 15, "IMPIANTO", false);
                Campo(s, 165, 70, "PIANO MARCIAPIEDE", false);
                Campo(s, 236, 2, std::to_string(1 + rnd() % 4), true);
                Campo(s, 241, 10, "123.45", true);
                out << s << "\r\n";
                std::snprintf(buffer, sizeof buffer, "PF%02d/%03d0/%s", k, f, comune.c_str());
                p.nomi.push_back(buffer);
            }
        }
    }
    return p;
}

// Processor time of the whole process: other programs sharing the machine do not count in it.
double Cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Esito {
    double cpuMs = 0;
    long quanti = 0; // points loaded, or imported
};

// argv: --misura carico|importazione FOLDER FILE NAMES RESULT. The folder holds the settings and the
// support files; NAMES is a file of the survey's names, one a line.
int Misura(char** argv) {
    const std::string tipo = argv[2];
    const std::filesystem::path cartella = argv[3];
    host::SetFolders({cartella, cartella, cartella / "impostazioni.ini"});
    const WString file = WString::FromUtf8(argv[4]);
    std::vector<std::string> rilievo;
    {
        std::ifstream in(argv[5]);
        for (std::string riga; std::getline(in, riga);)
            rilievo.push_back(riga);
    }
    Esito e;
    const double t0 = Cpu();
    if (tipo == "carico") {
        CTafElenco elenco;
        elenco.CaricaTafFiltro(file, ComuniDellaProvincia(u"BN"), {});
        e.quanti = elenco.GetCount();
    } else {
        host::Project progetto;
        CSta* stazione = progetto.cmp.AddJob(u"LAVORO")->AddSta(u"S1");
        for (const auto& nome : rilievo)
            stazione->AddPun(WString::FromUtf8(nome));
        host::HostData dati(progetto);
        CPregeoImportPF importa(nullptr, &dati);
        importa.ImportaAuto();
        e.quanti = progetto.cmp.GetOriArSize();
    }
    e.cpuMs = Cpu() - t0;
    std::ofstream(argv[6], std::ios::binary).write(reinterpret_cast<const char*>(&e), sizeof e);
    return 0;
}

struct Misura1 {
    Esito esito;
    lanciatore::Processo processo;
};

Misura1 Esegui(const std::string& tipo, const std::filesystem::path& cartella,
               const std::filesystem::path& file, const std::filesystem::path& nomi) {
    const auto esito =
        std::filesystem::temp_directory_path() / ("pregeo_bench_import_" + std::to_string(::getpid()));
    Misura1 m;
    m.processo = lanciatore::Esegui({std::filesystem::canonical("/proc/self/exe").string(), "--misura", tipo,
                                     cartella.string(), file.string(), nomi.string(), esito.string()});
    std::ifstream(esito, std::ios::binary).read(reinterpret_cast<char*>(&m.esito), sizeof m.esito);
    std::filesystem::remove(esito);
    return m;
}

Misura1 Migliore(const Misura1& a, const Misura1& b) {
    Misura1 m = a;
    m.esito.cpuMs = std::min(a.esito.cpuMs, b.esito.cpuMs);
    m.processo.cpuMs = std::min(a.processo.cpuMs, b.processo.cpuMs);
    m.processo.piccoMb = std::min(a.processo.piccoMb, b.processo.piccoMb);
    m.processo.stato = std::max(a.processo.stato, b.processo.stato);
    return m;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 6 && std::string(argv[1]) == "--misura")
        return Misura(argv);
    lanciatore::Inizia();
    const std::filesystem::path cartella =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "pregeo_bench_import";
    std::filesystem::create_directories(cartella / "Support");
    for (const int righe : {100000, 400000}) {
        const auto path = cartella / ("provincia_" + std::to_string(righe) + ".taf");
        const Provincia prov = Genera(path, righe);
        {
            std::ofstream comuni(cartella / "Support" / "Comuni.txt", std::ios::binary);
            for (const auto& c : prov.comuni)
                comuni << "BN;" << c << ";Comune " << c << "\r\n";
        }
        std::ofstream(cartella / "impostazioni.ini", std::ios::binary)
            << "[CATASTO]\nTAF_TYPE_SEL=1\nPATH_TAF=" << path.string()
            << "\nTAF_PROVINCIA=BN\nTAF_COMUNE=" << prov.comuni.front() << "\n";
        // 90 names spread over the whole file and 10 that the cadastre does not know.
        const auto nomi = cartella / "rilievo.txt";
        {
            std::ofstream out(nomi);
            for (int i = 0; i < 90; ++i)
                out << prov.nomi[prov.nomi.size() * static_cast<std::size_t>(i) / 90] << '\n';
            for (int i = 0; i < 10; ++i)
                out << "PF" << 90 + i << "/9990/" << prov.comuni.back() << '\n';
        }
        Misura1 carico, importazione;
        for (int i = 0; i < 3; ++i) {
            const Misura1 c = Esegui("carico", cartella, path, nomi);
            const Misura1 m = Esegui("importazione", cartella, path, nomi);
            carico = i == 0 ? c : Migliore(carico, c);
            importazione = i == 0 ? m : Migliore(importazione, m);
        }
        std::printf(
            "%d righe, %zu comuni: provincia intera %ld punti in %.1f ms (processo %.1f ms, picco %.1f MB); "
            "importazione automatica di 100 nomi (%ld importati) in %.1f ms, x%.2f (processo %.1f ms, "
            "x%.2f; picco %.1f MB)%s\n",
            righe, prov.comuni.size(), carico.esito.quanti, carico.esito.cpuMs, carico.processo.cpuMs,
            carico.processo.piccoMb, importazione.esito.quanti, importazione.esito.cpuMs,
            importazione.esito.cpuMs / carico.esito.cpuMs, importazione.processo.cpuMs,
            importazione.processo.cpuMs / carico.processo.cpuMs, importazione.processo.piccoMb,
            carico.processo.stato == 0 && importazione.processo.stato == 0 ? "" : "  ERRORE");
    }
    return 0;
}
