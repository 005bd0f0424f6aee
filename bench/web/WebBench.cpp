// bench_web: what pregeo-host serve does for one action of the page, on the demo project. The module runs
// the rows 4 and 5 list on its own thread, as under serve; each iteration taps a row's edit marker (the
// "Riga 5" editor opens) and presses its Annulla (the list again), and reads the state each leads to as
// the page gets it. Aim: under 50 ms an action. It also says how large the page is on its first load.
// It also draws a survey of 5 000 points for the page as serve does after every tool and as a CAD view
// does after every pick (read, drawn, written as SVG). Aim: under 200 ms.
#include "bench/Righe7.h"
#include "host/cad/EngineImpl.h"
#include "host/cad/Figura.h"
#include "host/cad/Rilievo.h"
#include "host/core/ModuleHost.h"
#include "host/project/Project.h"
#include "host/ui/WebDriver.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

void BM_AzioneDellaPagina(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "pregeo-bench-web";
    fs::remove_all(dir);
    fs::copy(fs::path(PREGEO_SORGENTI) / "samples/demo", dir, fs::copy_options::recursive);
    std::unique_ptr<host::Project> project = host::Project::Load(dir);
    project->Activate();
    host::LoadedModule module;
    std::string error;
    if (!module.Load((fs::read_symlink("/proc/self/exe").parent_path() / "libpregeo.so").string(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const auto proc =
        reinterpret_cast<bool (*)(CWnd*, ICarviloDati*)>(module.Resolve("FPregeoEditRiga4And5"));
    host::HostData dati(*project);
    host::ui::WebDriver driver;
    host::ui::SetActiveDriver(&driver);
    driver.Begin("FPregeoEditRiga4And5");
    std::thread tool([&] {
        try {
            proc(nullptr, &dati);
        } catch (const host::ui::ScriptError&) {
        }
    });
    driver.WaitAfter(0, 10s);
    std::size_t bytes = 0;
    for (auto _ : state) {
        if (driver.Submit("tap 2373 2 2", 10s).status != 200 ||
            driver.Submit("click 2554", 10s).status != 200) {
            state.SkipWithError("action refused");
            break;
        }
        bytes = driver.State().size();
    }
    state.counters["azioni/s"] =
        benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["stato_byte"] = static_cast<double>(bytes);
    state.counters["pagina_byte"] =
        static_cast<double>(fs::file_size(fs::path(PREGEO_SORGENTI) / "app/web/pagina.html"));
    driver.Abandon();
    tool.join();
    host::ui::SetActiveDriver(nullptr);
    fs::remove_all(dir);
}
BENCHMARK(BM_AzioneDellaPagina)->Unit(benchmark::kMillisecond)->UseRealTime();

// 500 fiducial points and 500 stations of nine observed points each, a row 7 on every eight of those.
void GeneraRilievo(const fs::path& dir) {
    fs::remove_all(dir);
    fs::create_directories(dir / "lavori");
    const fs::path demo = fs::path(PREGEO_SORGENTI) / "samples/demo";
    fs::copy(demo / "Support", dir / "Support", fs::copy_options::recursive);
    fs::copy_file(demo / "impostazioni.ini", dir / "impostazioni.ini");
    std::mt19937 caso(7);
    std::uniform_real_distribution<double> u(0, 7000);
    host::Project p;
    p.dir = dir;
    p.nome = "Rilievo di 5000 punti";
    p.cts.SetVerPregeo(VER_PREGEO_1015);
    for (int k = 0; k < 500; ++k) {
        COri* o = p.cmp.AddOri(false);
        o->SetNome(WString::Formatted(u"PF%03d/0010/G337", k));
        o->SetTipoPunto(TIPO_PUNTO_FIDUCIALE);
        o->SetCoord(1500000 + u(caso), 5000000 + u(caso), 50);
        o->CalcolaValiditaXYZ();
    }
    CJob* job = p.cmp.AddJob(u"LAV1");
    std::vector<WString> rilevati;
    for (int s = 0; s < 500; ++s) {
        CSta* sta = job->AddSta(WString::Formatted(u"S%d", s + 1));
        sta->SetCoord(1500000 + u(caso), 5000000 + u(caso), 50);
        sta->CalcolaValiditaXYZ();
        for (int k = 0; k < 9; ++k) {
            rilevati.push_back(WString::Formatted(u"%d", 1000 + s * 9 + k));
            CPun* pun = sta->AddPun(rilevati.back());
            pun->SetCoord(1500000 + u(caso), 5000000 + u(caso), 50);
            pun->CalcolaValiditaXYZ();
        }
    }
    AggiungiRighe7(p.cts, rilevati);
    std::string why;
    p.Save(&why);
}

// What serve does after a tool: the project read from disk, drawn, written as SVG for the page.
void BM_DisegnoDi5000Punti(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "pregeo-bench-disegno";
    GeneraRilievo(dir);
    std::size_t bytes = 0;
    int punti = 0;
    for (auto _ : state) {
        std::unique_ptr<host::Project> project = host::Project::Load(dir);
        CGcadEng eng;
        host::HostData dati(*project);
        const host::cad::DisegnoRilievo disegno = host::cad::DisegnaRilievo(eng, host::cad::DatiDi(&dati));
        host::cad::OpzioniFigura opzioni;
        opzioni.finestra = host::cad::Estensione(eng);
        bytes = host::cad::FiguraSvg(eng, disegno, opzioni).size();
        punti = disegno.punti;
    }
    state.counters["punti"] = punti;
    state.counters["svg_byte"] = static_cast<double>(bytes);
    fs::remove_all(dir);
}
BENCHMARK(BM_DisegnoDi5000Punti)->Unit(benchmark::kMillisecond)->UseRealTime();

// Of that, the project read from disk alone.
void BM_Lettura5000Punti(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "pregeo-bench-lettura";
    GeneraRilievo(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(host::Project::Load(dir));
    fs::remove_all(dir);
}
BENCHMARK(BM_Lettura5000Punti)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a CAD view does after each pick: its drawing, already made, written as SVG again.
void BM_VistaDi5000Punti(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "pregeo-bench-vista";
    GeneraRilievo(dir);
    std::unique_ptr<host::Project> project = host::Project::Load(dir);
    CGcadEng eng;
    host::HostData dati(*project);
    const host::cad::DisegnoRilievo disegno = host::cad::DisegnaRilievo(eng, host::cad::DatiDi(&dati));
    host::cad::OpzioniFigura opzioni;
    opzioni.finestra = host::cad::Estensione(eng);
    for (auto _ : state)
        benchmark::DoNotOptimize(host::cad::FiguraSvg(eng, disegno, opzioni));
    fs::remove_all(dir);
}
BENCHMARK(BM_VistaDi5000Punti)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
