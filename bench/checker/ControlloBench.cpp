// Full booklet check on synthetic surveys: the run should grow about linearly with the observations.
#include "bench/checker/GeneraRilievo.h"
#include "rules/ControlloLibretto.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

RilievoSintetico& Rilievo(int osservazioni) {
    static std::map<int, std::unique_ptr<RilievoSintetico>> cache;
    auto& r = cache[osservazioni];
    if (!r) {
        r = std::make_unique<RilievoSintetico>();
        GeneraRilievo(*r, osservazioni);
    }
    return *r;
}

void Esegui(benchmark::State& state, bool veloce) {
    const int osservazioni = static_cast<int>(state.range(0));
    RilievoSintetico& r = Rilievo(osservazioni);
    int voci = 0;
    for (auto _ : state) {
        CControlloLibretto controllo(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
        controllo.SetRicercaVeloce(veloce);
        controllo.ControllaTutto();
        voci = controllo.GetMsgArSize();
        benchmark::DoNotOptimize(voci);
    }
    state.counters["voci"] = voci;
    state.counters["osservazioni"] = osservazioni;
    state.SetComplexityN(osservazioni);
}

void BM_ControllaTutto(benchmark::State& state) {
    Esegui(state, true);
}

// The plain queries, for comparison; too slow to run on the largest survey.
void BM_ControllaTuttoSemplice(benchmark::State& state) {
    Esegui(state, false);
}

} // namespace

BENCHMARK(BM_ControllaTutto)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ControllaTuttoSemplice)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
