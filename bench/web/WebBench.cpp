// bench_web: what pregeo-host serve does for one action of the page, on the demo project. The module runs
// the rows 4 and 5 list on its own thread, as under serve; each iteration taps a row's edit marker (the
// "Riga 5" editor opens) and presses its Annulla (the list again), and reads the state each leads to as
// the page gets it. Aim: under 50 ms an action. It also says how large the page is on its first load.
#include "host/core/ModuleHost.h"
#include "host/project/Project.h"
#include "host/ui/WebDriver.h"

#include <benchmark/benchmark.h>

#include <filesystem>
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

} // namespace

BENCHMARK_MAIN();
