// A uniform grid over a closed ring (its last point is its first): each cell knows the vertices in it and
// the sides whose box touches it. A station looks at the cells around it, ring after ring of cells,
// until what lies farther cannot be nearer than what it found: on a mesh of many fiducial points that is
// a few cells instead of every side.
#pragma once

#include "hostapi/Points.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

class CGrigliaLati {
public:
    explicit CGrigliaLati(const CPoint3dVector& anello);

    // False for a point so far out that ringing towards the grid would cost more than every side.
    bool Copre(double x, double y) const;

    // Visits the cells around (x, y) in rings, the nearest first, each cell once: `cella(lati, vertici)`
    // gets the sides (side i runs from point i - 1 to point i) and the vertices (1 to n - 1) of a cell.
    // After each ring `basta(d)` is asked, d being a distance that nothing not yet visited is nearer than;
    // true ends the walk. It ends by itself when every cell has been visited.
    template <class Cella, class Basta> void PerAnelli(double x, double y, Cella cella, Basta basta) const {
        const long long cx = Indice(x, m_X0);
        const long long cy = Indice(y, m_Y0);
        const long long ultimo = std::max({cx, m_Nx - 1 - cx, cy, m_Ny - 1 - cy});
        const auto visita = [&](long long i, long long j) {
            if (i >= 0 && i < m_Nx && j >= 0 && j < m_Ny)
                cella(Lati(i, j), Vertici(i, j));
        };
        for (long long r = 0; r <= ultimo; ++r) {
            if (r == 0)
                visita(cx, cy);
            for (long long i = std::max(cx - r, 0LL); r > 0 && i <= std::min(cx + r, m_Nx - 1); ++i) {
                visita(i, cy - r);
                visita(i, cy + r);
            }
            for (long long j = std::max(cy - r + 1, 0LL); r > 0 && j <= std::min(cy + r - 1, m_Ny - 1); ++j) {
                visita(cx - r, j);
                visita(cx + r, j);
            }
            // Out of the square of cells visited so far; a hair less, for the rounding of its edges.
            const double margine = std::min({x - (m_X0 + static_cast<double>(cx - r) * m_Lato),
                                             m_X0 + static_cast<double>(cx + r + 1) * m_Lato - x,
                                             y - (m_Y0 + static_cast<double>(cy - r) * m_Lato),
                                             m_Y0 + static_cast<double>(cy + r + 1) * m_Lato - y}) -
                                   m_Lato * 1e-6;
            if (basta(margine))
                return;
        }
    }

    // The sides whose box touches the rectangle, a side perhaps more than once.
    template <class Lato> void PerRettangolo(double x0, double y0, double x1, double y1, Lato lato) const {
        const long long i0 = std::max(Indice(x0, m_X0), 0LL), i1 = std::min(Indice(x1, m_X0), m_Nx - 1);
        const long long j0 = std::max(Indice(y0, m_Y0), 0LL), j1 = std::min(Indice(y1, m_Y0), m_Ny - 1);
        for (long long j = j0; j <= j1; ++j)
            for (long long i = i0; i <= i1; ++i)
                for (const int l : Lati(i, j))
                    lato(l);
    }

    struct Elenco {
        const int* inizio;
        const int* fine;
        const int* begin() const { return inizio; }
        const int* end() const { return fine; }
    };

private:
    long long Indice(double v, double origine) const;
    static Elenco Tratto(const std::vector<int>& inizi, const std::vector<int>& voci, std::size_t c) {
        return {voci.data() + inizi[c], voci.data() + inizi[c + 1]};
    }
    std::size_t Cella(long long i, long long j) const { return static_cast<std::size_t>(j * m_Nx + i); }
    Elenco Lati(long long i, long long j) const { return Tratto(m_InizioLati, m_Lati, Cella(i, j)); }
    Elenco Vertici(long long i, long long j) const { return Tratto(m_InizioVertici, m_Vertici, Cella(i, j)); }

    double m_X0 = 0, m_Y0 = 0, m_Lato = 1;
    long long m_Nx = 1, m_Ny = 1;
    // Per cell c, the entries from inizio[c] to inizio[c + 1] of one array.
    std::vector<int> m_InizioLati, m_Lati, m_InizioVertici, m_Vertici;
};
