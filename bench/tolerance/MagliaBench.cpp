// The fiducial mesh and the stations outside it on large synthetic surveys: fiducial points scattered
// over a disc (a mesh of a few dozen sides) or all on a circle (every point a mesh vertex), stations over
// a slightly larger disc, so that about a sixth of them stand outside. Each size doubles both counts.
#include "pfimport/ElencoPFRilievo.h"
#include "tolerance/TollStazFuoriTriang.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <tuple>

namespace {

struct Rilievo {
    CCts libretto;
    CLibCmp stazioni;
    CLibGps gps;
};

constexpr double kRaggio = 5000;

void Punto(CEgn* p, double x, double y) {
    p->SetCoord(x, y, 50);
    p->CalcolaValiditaXYZ();
}

// Every station observes two fiducial points, so that each point is named several times.
void Genera(Rilievo& r, int fiduciali, int nStazioni, bool cerchio) {
    std::mt19937 caso(7);
    std::uniform_real_distribution<double> unif(0, 1);
    const auto inDisco = [&](double raggio, double& x, double& y) {
        const double a = unif(caso) * 2 * std::numbers::pi, d = raggio * std::sqrt(unif(caso));
        x = 1500000 + d * std::cos(a);
        y = 5000000 + d * std::sin(a);
    };
    std::vector<std::pair<double, double>> pf(static_cast<std::size_t>(fiduciali));
    for (auto& [x, y] : pf) {
        if (cerchio) {
            const double a = unif(caso) * 2 * std::numbers::pi;
            x = 1500000 + kRaggio * std::cos(a);
            y = 5000000 + kRaggio * std::sin(a);
        } else {
            inDisco(kRaggio, x, y);
        }
    }
    r.libretto.SetFogl(u"0010");
    r.libretto.SetCdCm(u"G337");
    CJob* job = r.stazioni.AddJob(u"LAV");
    for (int s = 0; s < nStazioni; ++s) {
        CSta* sta = job->AddSta(WString::Formatted(u"%d", s + 1));
        double x, y;
        inDisco(kRaggio * 1.1, x, y);
        Punto(sta, x, y);
        for (int k : {s % fiduciali, (s * 7 + 3) % fiduciali}) {
            const auto& [px, py] = pf[static_cast<std::size_t>(k)];
            Punto(sta->AddPun(WString::Formatted(u"PF%02d/%03d0/G337", k % 100, k / 100 + 1)), px, py);
        }
    }
}

Rilievo& Dati(int fiduciali, int stazioni, bool cerchio) {
    static std::map<std::tuple<int, int, bool>, std::unique_ptr<Rilievo>> cache;
    auto& r = cache[{fiduciali, stazioni, cerchio}];
    if (!r) {
        r = std::make_unique<Rilievo>();
        Genera(*r, fiduciali, stazioni, cerchio);
    }
    return *r;
}

void Maglia(benchmark::State& state, bool cerchio, bool veloce) {
    const int fiduciali = static_cast<int>(state.range(0));
    Rilievo& r = Dati(fiduciali, static_cast<int>(state.range(1)), cerchio);
    CPoint3dVector validi, maglia, interni;
    for (auto _ : state) {
        CElencoPFRilievo elenco(&r.gps, &r.stazioni, &r.libretto);
        elenco.SetMagliaVeloce(veloce);
        elenco.CostruisciMaglia(validi, maglia, interni);
        benchmark::DoNotOptimize(maglia.GetSize());
    }
    state.counters["vertici"] = maglia.GetSize();
    state.SetComplexityN(fiduciali);
}

void Stazioni(benchmark::State& state, bool cerchio) {
    const int fiduciali = static_cast<int>(state.range(0));
    Rilievo& r = Dati(fiduciali, static_cast<int>(state.range(1)), cerchio);
    std::size_t risultati = 0;
    for (auto _ : state) {
        CTollStazFuoriTriang tool(nullptr, &r.stazioni, &r.libretto, &r.gps);
        tool.Esegui(false);
        risultati = tool.GetRisultati().size();
        benchmark::DoNotOptimize(risultati);
    }
    state.counters["risultati"] = static_cast<double>(risultati);
    state.SetComplexityN(fiduciali);
}

void BM_CostruisciMaglia(benchmark::State& state) {
    Maglia(state, false, true);
}
void BM_CostruisciMagliaCerchio(benchmark::State& state) {
    Maglia(state, true, true);
}
// The plain definition: every pair against every point.
void BM_CostruisciMagliaSemplice(benchmark::State& state) {
    Maglia(state, false, false);
}
// The whole tool: the mesh, then every station.
void BM_StazioniFuoriMaglia(benchmark::State& state) {
    Stazioni(state, false);
}
void BM_StazioniFuoriMagliaCerchio(benchmark::State& state) {
    Stazioni(state, true);
}

void Dimensioni(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 2000, 4000})
        b->Args({n, n * 5 / 2});
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_CostruisciMaglia)->Apply(Dimensioni);
BENCHMARK(BM_CostruisciMagliaCerchio)->Apply(Dimensioni);
BENCHMARK(BM_CostruisciMagliaSemplice)
    ->Args({500, 1250})
    ->Args({1000, 2500})
    ->Args({2000, 5000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StazioniFuoriMaglia)->Apply(Dimensioni);
BENCHMARK(BM_StazioniFuoriMagliaCerchio)->Apply(Dimensioni);

BENCHMARK_MAIN();
