// The fiducial mesh: the sides of the outer polygon of the survey's fiducial points and the ring they make.
//
// A pair of points is a side when no point lies strictly on the other side of their line from the pair's
// reference point (the point after the second, wrapping). Three corrections keep bogus sides out: a
// reference on the line itself decides nothing, so the pair is then a side only when no two points lie
// strictly on opposite sides; two points at the same place make no side; and a point of the line beyond
// either end makes the pair no side, so that a point lying on a side of the hull is an inner point, not a
// vertex the ring would walk twice. So a pair is a side exactly when both points are distinct corners of
// the convex hull joined by one of its sides. The fast construction finds those on the hull; the plain one
// tests every pair against every point. Sides are decided with exact orientation signs, so the two agree
// on any input.
#include "pfimport/ElencoPFRilievo.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace {

using Lato = std::pair<int, int>; // indices of the valid points, first < second

// Error-free transformations: the rounded result and the exact error of a sum, a difference, a product.
void SommaEsatta(double a, double b, double& s, double& e) {
    s = a + b;
    const double bv = s - a;
    const double av = s - bv;
    e = (a - av) + (b - bv);
}

void DifferenzaEsatta(double a, double b, double& d, double& e) {
    d = a - b;
    const double bv = a - d;
    const double av = d + bv;
    e = (a - av) + (bv - b);
}

void ProdottoEsatto(double a, double b, double& p, double& e) {
    p = a * b;
    e = std::fma(a, b, -p);
}

// Adds x to a nonoverlapping expansion (components by increasing magnitude, zeros dropped).
void Accresci(std::vector<double>& espansione, double x) {
    std::size_t k = 0;
    for (double c : espansione) {
        double s, e;
        SommaEsatta(x, c, s, e);
        if (e != 0)
            espansione[k++] = e;
        x = s;
    }
    espansione.resize(k);
    if (x != 0)
        espansione.push_back(x);
}

// Sign of (b - a) x (c - a): 1 when c lies to the left of a->b, -1 to the right, 0 on the line. Exact: the
// rounded determinant decides when its error bound allows, the exact expansion otherwise.
int Orientamento(const CPoint3d& a, const CPoint3d& b, const CPoint3d& c) {
    const double sinistra = (a.x - c.x) * (b.y - c.y);
    const double destra = (a.y - c.y) * (b.x - c.x);
    const double det = sinistra - destra;
    constexpr double eps = 0x1p-53;
    constexpr double limite = (3.0 + 16.0 * eps) * eps;
    if (std::fabs(det) > limite * (std::fabs(sinistra) + std::fabs(destra)))
        return det > 0 ? 1 : -1;

    double u[2], v[2], w[2], z[2];
    DifferenzaEsatta(b.x, a.x, u[1], u[0]);
    DifferenzaEsatta(c.y, a.y, v[1], v[0]);
    DifferenzaEsatta(b.y, a.y, w[1], w[0]);
    DifferenzaEsatta(c.x, a.x, z[1], z[0]);
    std::vector<double> espansione;
    espansione.reserve(16);
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            double p, e;
            ProdottoEsatto(u[i], v[j], p, e);
            Accresci(espansione, p);
            Accresci(espansione, e);
            ProdottoEsatto(w[i], z[j], p, e);
            Accresci(espansione, -p);
            Accresci(espansione, -e);
        }
    }
    // The largest component carries the sign.
    return espansione.empty() ? 0 : espansione.back() > 0 ? 1 : -1;
}

bool StessoPosto(const CPoint3d& a, const CPoint3d& b) {
    return a.x == b.x && a.y == b.y;
}

// For a point m on the line a-b: whether it lies beyond either end. Collinear, so the box decides exactly.
bool OltreGliEstremi(const CPoint3d& a, const CPoint3d& b, const CPoint3d& m) {
    return m.x < std::min(a.x, b.x) || m.x > std::max(a.x, b.x) || m.y < std::min(a.y, b.y) ||
           m.y > std::max(a.y, b.y);
}

// The reference point of the pair (i, j): the one after j, wrapping to the first, or the second when that
// is i.
int Riferimento(int i, int j, int n) {
    int k = j + 1 == n ? 0 : j + 1;
    return k == i ? 1 : k;
}

std::vector<Lato> LatiSemplice(const CPoint3dVector& p) {
    const int n = p.GetSize();
    std::vector<Lato> lati;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const CPoint3d& a = p.GetAt(i);
            const CPoint3d& b = p.GetAt(j);
            if (StessoPosto(a, b))
                continue;
            const int k = Riferimento(i, j, n);
            int lato = Orientamento(a, b, p.GetAt(k));
            bool accettato = lato != 0 || !OltreGliEstremi(a, b, p.GetAt(k));
            for (int m = 0; m < n && accettato; ++m) {
                if (m == i || m == j || m == k)
                    continue;
                const int s = Orientamento(a, b, p.GetAt(m));
                if (s == 0)
                    accettato = !OltreGliEstremi(a, b, p.GetAt(m));
                // A reference on the line: the first point off it takes its place.
                else if (lato == 0)
                    lato = s;
                else if (s != lato)
                    accettato = false;
            }
            if (accettato)
                lati.emplace_back(i, j);
        }
    }
    return lati;
}

std::vector<Lato> LatiVeloce(const CPoint3dVector& p) {
    const int n = p.GetSize();
    std::vector<int> ordine(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        ordine[static_cast<std::size_t>(i)] = i;
    const auto punto = [&p](int i) -> const CPoint3d& { return p.GetAt(i); };
    std::sort(ordine.begin(), ordine.end(), [&](int a, int b) {
        const CPoint3d &pa = punto(a), &pb = punto(b);
        return pa.x != pb.x ? pa.x < pb.x : pa.y != pb.y ? pa.y < pb.y : a < b;
    });
    // Places: the points at one position, as runs of `ordine`.
    std::vector<std::size_t> inizio;
    for (std::size_t r = 0; r < ordine.size(); ++r)
        if (r == 0 || !StessoPosto(punto(ordine[r - 1]), punto(ordine[r])))
            inizio.push_back(r);
    const int posti = static_cast<int>(inizio.size());
    inizio.push_back(ordine.size());
    const auto luogo = [&](int u) -> const CPoint3d& {
        return punto(ordine[inizio[static_cast<std::size_t>(u)]]);
    };
    if (posti < 2)
        return {};

    // The two chains of the hull over the places, corners only.
    const auto catena = [&](int da, int a, int passo) {
        std::vector<int> c;
        for (int u = da; u != a + passo; u += passo) {
            while (c.size() >= 2 && Orientamento(luogo(c[c.size() - 2]), luogo(c.back()), luogo(u)) <= 0)
                c.pop_back();
            c.push_back(u);
        }
        return c;
    };
    const std::vector<int> inferiore = catena(0, posti - 1, 1);
    const std::vector<int> superiore = catena(posti - 1, 0, -1);

    std::vector<Lato> lati;
    const auto latoDelloScafo = [&](int u, int v) {
        // Every point at one corner with every point at the other; the places between lie on the side.
        for (std::size_t r = inizio[static_cast<std::size_t>(u)]; r < inizio[static_cast<std::size_t>(u) + 1];
             ++r)
            for (std::size_t s = inizio[static_cast<std::size_t>(v)];
                 s < inizio[static_cast<std::size_t>(v) + 1]; ++s)
                lati.emplace_back(std::min(ordine[r], ordine[s]), std::max(ordine[r], ordine[s]));
    };
    for (std::size_t c = 1; c < inferiore.size(); ++c)
        latoDelloScafo(inferiore[c - 1], inferiore[c]);
    // All places on one line: both chains are that one side.
    if (inferiore.size() > 2 || superiore.size() > 2)
        for (std::size_t c = 1; c < superiore.size(); ++c)
            latoDelloScafo(superiore[c - 1], superiore[c]);
    // The order in which the plain definition finds them.
    std::sort(lati.begin(), lati.end());
    lati.erase(std::unique(lati.begin(), lati.end()), lati.end());
    return lati;
}

// The ring: the first side, then from its second end the first free side (in order) at the current point,
// until none is left there.
std::vector<int> Anello(const std::vector<Lato>& lati, int n) {
    std::vector<int> anello;
    if (lati.empty())
        return anello;
    std::vector<std::vector<int>> aiVertici(static_cast<std::size_t>(n));
    for (std::size_t l = 0; l < lati.size(); ++l) {
        aiVertici[static_cast<std::size_t>(lati[l].first)].push_back(static_cast<int>(l));
        aiVertici[static_cast<std::size_t>(lati[l].second)].push_back(static_cast<int>(l));
    }
    std::vector<std::size_t> prossimo(static_cast<std::size_t>(n), 0);
    std::vector<bool> preso(lati.size(), false);
    preso[0] = true;
    anello.push_back(lati[0].first);
    anello.push_back(lati[0].second);
    int corrente = lati[0].second;
    for (;;) {
        const std::vector<int>& qui = aiVertici[static_cast<std::size_t>(corrente)];
        std::size_t& c = prossimo[static_cast<std::size_t>(corrente)];
        while (c < qui.size() && preso[static_cast<std::size_t>(qui[c])])
            ++c;
        if (c == qui.size())
            break;
        const Lato& l = lati[static_cast<std::size_t>(qui[c])];
        preso[static_cast<std::size_t>(qui[c])] = true;
        corrente = l.first == corrente ? l.second : l.first;
        anello.push_back(corrente);
    }
    return anello;
}

CPoint3d Copia(const CPoint3d& p) {
    CPoint3d q;
    q.nome = p.nome;
    q.x = p.x;
    q.y = p.y;
    q.z = p.z;
    return q;
}

} // namespace

void CElencoPFRilievo::CostruisciMaglia(CPoint3dVector& validi, CPoint3dVector& maglia,
                                        CPoint3dVector& interni) {
    validi.RemoveAll();
    maglia.RemoveAll();
    interni.RemoveAll();
    Raccogli();
    for (int i = 0; i < GetSize(); ++i) {
        const CPoint3d& p = GetAt(i);
        if (!IsRealeIndefinito(p.x) && !IsRealeIndefinito(p.y))
            validi.Add(Copia(p));
    }
    const int n = validi.GetSize();
    if (n < 3)
        return;
    const std::vector<Lato> lati = m_MagliaVeloce ? LatiVeloce(validi) : LatiSemplice(validi);
    for (int i : Anello(lati, n))
        maglia.Add(Copia(validi.GetAt(i)));
    std::vector<bool> estremo(static_cast<std::size_t>(n), false);
    for (const Lato& l : lati)
        estremo[static_cast<std::size_t>(l.first)] = estremo[static_cast<std::size_t>(l.second)] = true;
    for (int i = 0; i < n; ++i)
        if (!estremo[static_cast<std::size_t>(i)])
            interni.Add(Copia(validi.GetAt(i)));
}
