#include "tolerance/GrigliaLati.h"

#include <algorithm>
#include <cmath>

CGrigliaLati::CGrigliaLati(const CPoint3dVector& anello) {
    const int n = anello.GetSize();
    if (n < 2) {
        m_InizioLati.assign(2, 0);
        m_InizioVertici.assign(2, 0);
        return;
    }
    double x0 = anello.GetAt(0).x, x1 = x0, y0 = anello.GetAt(0).y, y1 = y0, perimetro = 0;
    for (int i = 1; i < n; ++i) {
        const CPoint3d& p = anello.GetAt(i);
        const CPoint3d& q = anello.GetAt(i - 1);
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
        perimetro += std::hypot(p.x - q.x, p.y - q.y);
    }
    // Cells about a side long, but no more of them than four per side: a ring of many short sides
    // leaves most cells empty.
    const double lati = static_cast<double>(n - 1);
    const double w = x1 - x0, h = y1 - y0;
    m_Lato = std::max({perimetro / lati, std::sqrt(w * h / (4 * lati)), std::max(w, h) / (4 * lati),
                       1e-9 * std::max({1.0, std::fabs(x0), std::fabs(y0)})});
    m_X0 = x0;
    m_Y0 = y0;
    m_Nx = static_cast<long long>(w / m_Lato) + 1;
    m_Ny = static_cast<long long>(h / m_Lato) + 1;

    // Counted first, then placed: one array for all cells.
    const std::size_t celle = static_cast<std::size_t>(m_Nx * m_Ny);
    const double margine = m_Lato * 1e-6;
    const auto perOgniLato = [&](auto f) {
        for (int i = 1; i < n; ++i) {
            const CPoint3d& a = anello.GetAt(i - 1);
            const CPoint3d& b = anello.GetAt(i);
            const long long i0 = std::max(Indice(std::min(a.x, b.x) - margine, m_X0), 0LL);
            const long long i1 = std::min(Indice(std::max(a.x, b.x) + margine, m_X0), m_Nx - 1);
            const long long j0 = std::max(Indice(std::min(a.y, b.y) - margine, m_Y0), 0LL);
            const long long j1 = std::min(Indice(std::max(a.y, b.y) + margine, m_Y0), m_Ny - 1);
            for (long long j = j0; j <= j1; ++j)
                for (long long k = i0; k <= i1; ++k)
                    f(Cella(k, j), i);
        }
    };
    const auto perOgniVertice = [&](auto f) {
        for (int i = 1; i < n; ++i) {
            const CPoint3d& p = anello.GetAt(i);
            f(Cella(std::clamp(Indice(p.x, m_X0), 0LL, m_Nx - 1),
                    std::clamp(Indice(p.y, m_Y0), 0LL, m_Ny - 1)),
              i);
        }
    };
    const auto riempi = [&](std::vector<int>& inizi, std::vector<int>& voci, auto perOgni) {
        inizi.assign(celle + 1, 0);
        perOgni([&](std::size_t c, int) { ++inizi[c + 1]; });
        for (std::size_t c = 0; c < celle; ++c)
            inizi[c + 1] += inizi[c];
        voci.resize(static_cast<std::size_t>(inizi[celle]));
        std::vector<int> posto(inizi.begin(), inizi.end() - 1);
        perOgni([&](std::size_t c, int i) { voci[static_cast<std::size_t>(posto[c]++)] = i; });
    };
    riempi(m_InizioLati, m_Lati, perOgniLato);
    riempi(m_InizioVertici, m_Vertici, perOgniVertice);
}

long long CGrigliaLati::Indice(double v, double origine) const {
    // Far points stay far without overflowing; Copre keeps the walk from them.
    constexpr double kMolto = 1e15;
    return static_cast<long long>(std::floor(std::clamp((v - origine) / m_Lato, -kMolto, kMolto)));
}

bool CGrigliaLati::Copre(double x, double y) const {
    const double w = static_cast<double>(m_Nx) * m_Lato, h = static_cast<double>(m_Ny) * m_Lato;
    const double fuori = std::max({m_X0 - x, x - (m_X0 + w), m_Y0 - y, y - (m_Y0 + h), 0.0});
    return fuori <= std::max(w, h);
}
