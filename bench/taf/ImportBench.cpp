// bench_import_pf [folder]: the automatic import of 100 survey names against whole-province TAF files of
// 100 000 and 400 000 lines, timed against the whole-province load alone (the import's own first step).
// The ratio is what counts: looking the names up must cost little beside reading the province. Times are
// processor times, the best of five runs.
#include "host/core/HostContext.h"
#include "host/project/Project.h"
#include "pfimport/DatiImportPF.h"
#include "pfimport/PregeoImportPF.h"
#include "pfimport/TafElenco.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <time.h>
#include <utility>
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

// The best of five runs of each, taken in turn so that both see the machine alike.
std::pair<double, double> MiglioriMs(const std::function<void()>& a, const std::function<void()>& b) {
    double ma = 1e300, mb = 1e300;
    for (int i = 0; i < 5; ++i) {
        double t0 = Cpu();
        a();
        ma = std::min(ma, Cpu() - t0);
        t0 = Cpu();
        b();
        mb = std::min(mb, Cpu() - t0);
    }
    return {ma, mb};
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path cartella =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "pregeo_bench_import";
    std::filesystem::create_directories(cartella / "Support");
    host::SetFolders({cartella, cartella, cartella / "impostazioni.ini"});
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
        std::vector<std::string> rilievo;
        for (int i = 0; i < 90; ++i)
            rilievo.push_back(prov.nomi[prov.nomi.size() * static_cast<std::size_t>(i) / 90]);
        for (int i = 0; i < 10; ++i)
            rilievo.push_back("PF" + std::to_string(90 + i) + "/9990/" + prov.comuni.back());

        const WString file = WString::FromUtf8(path.string());
        long caricati = 0;
        int importati = 0;
        const auto [carico, importazione] = MiglioriMs(
            [&] {
                CTafElenco elenco;
                elenco.CaricaTafFiltro(file, ComuniDellaProvincia(u"BN"), {});
                caricati = elenco.GetCount();
            },
            [&] {
                host::Project progetto;
                CSta* stazione = progetto.cmp.AddJob(u"LAVORO")->AddSta(u"S1");
                for (const auto& nome : rilievo)
                    stazione->AddPun(WString::FromUtf8(nome));
                host::HostData dati(progetto);
                CPregeoImportPF importa(nullptr, &dati);
                importa.ImportaAuto();
                importati = progetto.cmp.GetOriArSize();
            });
        std::printf("%d righe, %zu comuni: provincia intera %ld punti in %.1f ms; importazione automatica di "
                    "%zu nomi (%d importati) in %.1f ms, x%.3f\n",
                    righe, prov.comuni.size(), caricati, carico, rilievo.size(), importati, importazione,
                    importazione / carico);
    }
    return 0;
}
