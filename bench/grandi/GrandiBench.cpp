// bench_grandi [folder]: large generated surveys run through pregeo-host as whole processes, the way a
// surveyor meets them:
//   - distance verification ("Distanze" -> "Verifica") with 100 to 1 000 measured fiducial points, every
//     pair shown, against a floor that forms the same pairs and writes the same eleven texts of each row
//     with the standard library;
//   - the drawing (disegno) and the mesh picture (maglia) of 100 to 5 000 points, against the process
//     that only loads the project (pregeo-host exports) and a getline loop over the project file;
//   - 1 000 scripted picks on the distance tool's CAD view;
//   - the export (esporta) of 5 000 points to DXF, GeoPackage and GeoJSON, against the project load;
//   - the load of a 14 MB project, against Python's json.load of the same file (whole processes both).
// bench_grandi FOLDER SECTION... runs only those sections: verifica disegno scelte esporta carico.
// Times are processor times of the child process (user + system), so other load on the machine counts
// little; memory is the child's peak resident set.
#include "bench/Lanciatore.h"
#include "bench/Righe7.h"
#include "host/project/Project.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path g_Bin;

struct Misura {
    double cpuS = 0;
    double memMb = 0;
    int stato = 0;
};

// The commands are spawned by a process forked before any survey is generated: a spawned child's peak
// memory counts from its spawner's, and this process holds the generated surveys (about 80 MB).
Misura Esegui(const std::vector<std::string>& argomenti, const fs::path& uscita) {
    const lanciatore::Processo p = lanciatore::Esegui(argomenti, uscita.string());
    return {p.cpuMs / 1e3, p.piccoMb, p.stato};
}

double Cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::string NomePF(int k) {
    char b[32];
    std::snprintf(b, sizeof b, "PF%02d/%03d0/G337", k % 100, k / 100 + 1);
    return b;
}

struct Punto {
    std::string nome;
    double x, y;
};

// A survey of `fiduciali` fiducial points (orientation points with coordinates, each observed from a
// station at a few centimetres from its known place) and `dettaglio` detail points, ten to a station,
// with a row 7 for every eight detail points and, when asked, an imported distance for every fiducial
// point and its neighbour; `sistema`, when given, is the project's plane system.
std::vector<Punto> Genera(const fs::path& dir, int fiduciali, int dettaglio, bool distanze,
                          const std::string& sistema = {}) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path demo = fs::path(PREGEO_SORGENTI) / "samples" / "demo";
    fs::copy(demo / "Support", dir / "Support", fs::copy_options::recursive);
    fs::copy_file(demo / "impostazioni.ini", dir / "impostazioni.ini");
    fs::create_directories(dir / "lavori");

    std::mt19937 caso(11);
    std::uniform_real_distribution<double> u(0, 1);
    host::Project p;
    p.dir = dir;
    p.nome = "Rilievo grande";
    p.cts.SetVerPregeo(VER_PREGEO_1015);
    p.cts.SetCdCm(u"G337");
    p.cts.SetFogl(u"0010");
    const double lato = 100.0 * std::sqrt(static_cast<double>(fiduciali + dettaglio));
    std::vector<Punto> pf;
    for (int k = 0; k < fiduciali; ++k) {
        const Punto q{NomePF(k), 1500000 + lato * u(caso), 5000000 + lato * u(caso)};
        COri* o = p.cmp.AddOri(false);
        o->SetNome(WString::FromUtf8(q.nome));
        o->SetTipoPunto(TIPO_PUNTO_FIDUCIALE);
        o->SetCoord(q.x, q.y, 50);
        o->CalcolaValiditaXYZ();
        pf.push_back(q);
    }
    CJob* job = p.cmp.AddJob(u"LAV1");
    std::vector<WString> rilevati;
    const int stazioni = std::max(1, (fiduciali + dettaglio) / 10);
    for (int s = 0; s < stazioni; ++s) {
        CSta* sta = job->AddSta(WString::Formatted(u"S%d", s + 1));
        sta->SetCoord(1500000 + lato * u(caso), 5000000 + lato * u(caso), 50);
        sta->CalcolaValiditaXYZ();
        for (int k = s; k < fiduciali; k += stazioni) {
            CPun* pun = sta->AddPun(WString::FromUtf8(pf[static_cast<std::size_t>(k)].nome));
            pun->SetCoord(pf[static_cast<std::size_t>(k)].x + 0.05 * (u(caso) - 0.5),
                          pf[static_cast<std::size_t>(k)].y + 0.05 * (u(caso) - 0.5), 50);
            pun->CalcolaValiditaXYZ();
        }
        for (int k = s; k < dettaglio; k += stazioni) {
            const WString nome = WString::Formatted(u"%d", 1000 + k);
            CPun* pun = sta->AddPun(nome);
            pun->SetCoord(1500000 + lato * u(caso), 5000000 + lato * u(caso), 50);
            pun->CalcolaValiditaXYZ();
            rilevati.push_back(nome);
        }
    }
    AggiungiRighe7(p.cts, rilevati);
    if (distanze)
        for (int k = 0; k + 1 < fiduciali; ++k) {
            CCtsDistanza* d = p.cts.m_EstrMap.AddDistanza();
            const Punto &a = pf[static_cast<std::size_t>(k)], &b = pf[static_cast<std::size_t>(k + 1)];
            d->SetNome1(WString::FromUtf8(k % 2 ? b.nome : a.nome));
            d->SetNome2(WString::FromUtf8(k % 2 ? a.nome : b.nome));
            d->SetDistanza(std::hypot(a.x - b.x, a.y - b.y) + 0.1 * (u(caso) - 0.5));
            d->SetRifLibretto(u"A1");
        }
    if (!sistema.empty() && !p.gps.GetConvCoordProgetto().Imposta(sistema))
        std::fprintf(stderr, "sistema non riconosciuto: %s\n", sistema.c_str());
    std::string why;
    if (!p.Save(&why))
        std::fprintf(stderr, "progetto non salvato: %s\n", why.c_str());
    return pf;
}

Misura Host(const fs::path& dir, const std::vector<std::string>& comando, const std::string& script = {}) {
    std::vector<std::string> a = {(g_Bin / "pregeo-host").string(), "--project", dir.string()};
    if (!script.empty()) {
        std::ofstream(dir / "bench.script") << script;
        a.push_back("--script");
        a.push_back((dir / "bench.script").string());
    }
    a.insert(a.end(), comando.begin(), comando.end());
    Misura m = Esegui(a, dir / "bench.out");
    if (m.stato != 0)
        std::fprintf(stderr, "  (%s: uscita %d, vedi %s)\n", comando.front().c_str(), m.stato,
                     (dir / "bench.out").c_str());
    return m;
}

// The plainest read of the project: its lines, one by one.
double LetturaRighe(const fs::path& dir) {
    const double t0 = Cpu();
    std::ifstream in(dir / host::kProjectFile);
    std::string riga;
    std::size_t n = 0;
    while (std::getline(in, riga))
        n += riga.size();
    const double t = Cpu() - t0;
    if (n == 0)
        std::fprintf(stderr, "progetto vuoto\n");
    return t;
}

// Every pair of the points and the eleven texts of its row, kept as the grid keeps them.
double RigheVerifica(const std::vector<Punto>& pf) {
    const double t0 = Cpu();
    std::vector<std::string> righe;
    char b[256];
    int n = 0;
    for (std::size_t i = 0; i < pf.size(); ++i)
        for (std::size_t j = i + 1; j < pf.size(); ++j) {
            const double d = std::hypot(pf[i].x - pf[j].x, pf[i].y - pf[j].y);
            const double t = d <= 300 ? 0.05 + 0.0013 * d : 0.45;
            std::snprintf(b, sizeof b, "%d|@0|%s|%s|1|%.3f|%.3f|%.3f|%.3f|Dist.Taf.|%.3f - %.3f", ++n,
                          pf[i].nome.c_str(), pf[j].nome.c_str(), t, 0.01, d, d + 0.01, d - t, d + t);
            righe.emplace_back(b);
        }
    return Cpu() - t0;
}

} // namespace

int main(int argc, char** argv) {
    lanciatore::Inizia();
    g_Bin = fs::canonical("/proc/self/exe").parent_path();
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "pregeo_bench_grandi";
    const std::vector<std::string> scelte(argv + std::min(argc, 2), argv + argc);
    const auto sezione = [&](const char* nome) {
        return scelte.empty() || std::find(scelte.begin(), scelte.end(), nome) != scelte.end();
    };

    if (sezione("verifica")) {
        std::printf("Verifica distanze (Distanze -> Verifica, tutte le coppie)\n");
        std::printf("%8s %10s %10s %10s %8s %8s\n", "PF", "coppie", "s CPU", "pavimento", "x", "MB");
        for (const int n : {100, 500, 1000}) {
            const fs::path dir = base / ("verifica_" + std::to_string(n));
            const std::vector<Punto> pf = Genera(dir, n, 0, true);
            const double pavimento = RigheVerifica(pf);
            const Misura m =
                Host(dir, {"FPregeoImportDistanze"}, "click [Verifica]\nclick 2732\nclick [Fine]\n");
            std::printf("%8d %10d %10.3f %10.3f %8.2f %8.1f\n", n, n * (n - 1) / 2, m.cpuS, pavimento,
                        m.cpuS / pavimento, m.memMb);
        }
    }

    if (sezione("disegno")) {
        std::printf("\nDisegno e maglia (punti del rilievo: 1/10 fiduciali)\n");
        std::printf("%8s %10s %10s %10s %10s %8s %8s %8s\n", "punti", "carico s", "getline s", "disegno s",
                    "maglia s", "x car.", "x car.", "MB");
        double prec[2] = {0, 0};
        for (const int n : {100, 1000, 5000}) {
            const fs::path dir = base / ("disegno_" + std::to_string(n));
            Genera(dir, n / 10, n - n / 10, false);
            const double righe = LetturaRighe(dir);
            const Misura carico = Host(dir, {"exports"});
            const Misura disegno = Host(dir, {"disegno", (dir / "disegno.svg").string()});
            const Misura maglia = Host(dir, {"maglia", (dir / "maglia.svg").string()});
            std::printf("%8d %10.3f %10.4f %10.3f %10.3f %8.2f %8.2f %8.1f", n, carico.cpuS, righe,
                        disegno.cpuS, maglia.cpuS, disegno.cpuS / carico.cpuS, maglia.cpuS / carico.cpuS,
                        maglia.memMb);
            if (prec[0] > 0)
                std::printf("   crescita disegno x%.1f maglia x%.1f", disegno.cpuS / prec[0],
                            maglia.cpuS / prec[1]);
            std::printf("\n");
            prec[0] = disegno.cpuS;
            prec[1] = maglia.cpuS;
        }
    }

    if (sezione("scelte")) {
        std::printf("\nScelte da script (strumento distanze, 1 000 punti finali su 5 000)\n");
        const fs::path dir = base / "scelte";
        Genera(dir, 1000, 4000, false);
        // Detail points: one insert each.
        std::string script = "point 1000\nclick [>>]\n";
        for (int k = 1; k <= 1000; ++k)
            script += "point " + std::to_string(1000 + k) + "\n";
        const Misura carico = Host(dir, {"exports"});
        const Misura scelte = Host(dir, {"FPregeoTollDistanze"}, script + "click [Annulla]\n");
        std::printf("1 000 scelte: %.3f s CPU (progetto caricato in %.3f s, differenza %.3f s), trascrizione "
                    "%.1f MB\n",
                    scelte.cpuS, carico.cpuS, scelte.cpuS - carico.cpuS,
                    static_cast<double>(fs::file_size(dir / "bench.out")) / 1e6);
    }

    if (sezione("esporta")) {
        std::printf("\nEsportazione (5 000 punti, 1/10 fiduciali; rapporto al carico del progetto)\n");
        const fs::path dir = base / "esporta";
        // Gauss-Boaga, west zone: the generator's coordinates are of that size.
        Genera(dir, 500, 4500, false, "EPSG:3003");
        const Misura carico = Host(dir, {"exports"});
        std::printf("%10s %10s %10s %8s %8s\n", "formato", "s CPU", "carico s", "x car.", "MB");
        for (const char* file : {"rilievo.dxf", "rilievo.gpkg", "rilievo.geojson"}) {
            const Misura m = Host(dir, {"esporta", "--sovrascrivi", (dir / file).string()});
            std::printf("%10s %10.3f %10.3f %8.2f %8.1f\n", fs::path(file).extension().c_str() + 1, m.cpuS,
                        carico.cpuS, m.cpuS / carico.cpuS, m.memMb);
        }
    }

    if (sezione("carico")) {
        std::printf(
            "\nCaricamento di un progetto grande (rapporto a json.load di Python, processi interi)\n");
        const fs::path dir = base / "carico";
        Genera(dir, 2500, 22500, false);
        const fs::path file = dir / host::kProjectFile;
        const Misura carico = Host(dir, {"exports"});
        const Misura python =
            Esegui({"/usr/bin/python3", "-c",
                    "import json,sys; json.load(open(sys.argv[1], encoding='utf-8'))", file.string()},
                   dir / "python.out");
        const Misura pythonVuoto = Esegui({"/usr/bin/python3", "-c", "import json,sys"}, dir / "python.out");
        std::printf("progetto %.1f MB: pregeo-host %.3f s %.1f MB, python3 %.3f s %.1f MB "
                    "(senza lettura %.3f s)\n",
                    static_cast<double>(fs::file_size(file)) / 1e6, carico.cpuS, carico.memMb, python.cpuS,
                    python.memMb, pythonVuoto.cpuS);
        std::printf("rapporto: tempo x%.2f, memoria x%.2f\n", carico.cpuS / python.cpuS,
                    carico.memMb / python.memMb);
    }
    return 0;
}
