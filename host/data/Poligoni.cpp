#include "hostapi/Poligoni.h"

#include "host/core/Limits.h"
#include "hostapi/Conversions.h"

#include <algorithm>
#include <boost/geometry.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <cmath>
#include <cstddef>
#include <map>
#include <utility>

namespace bg = boost::geometry;

namespace {

constexpr double kContatto = 1e-6;

using Punto = bg::model::d2::point_xy<double>;
using Poligono = bg::model::polygon<Punto, false, true>; // counter-clockwise, closed
using Multi = bg::model::multi_polygon<Poligono>;

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

bool Uguali(const CPoint3d& a, const CPoint3d& b) {
    return a.x == b.x && a.y == b.y;
}

double Dist(const CPoint3d& a, const CPoint3d& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Parameter of the foot of p on a-b (0 at a, 1 at b) and the distance of p from the line.
void Proietta(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p, double& t, double& d) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2;
    d = std::fabs(Cross(dx, dy, p.x - a.x, p.y - a.y)) / std::sqrt(l2);
}

// Strictly inside the side a-b, more than the contact allowance from both ends, and on it.
bool DentroIlLato(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p, double& t) {
    const double l = Dist(a, b);
    double d = 0;
    Proietta(a, b, p, t, d);
    return d <= kContatto && t * l > kContatto && (1 - t) * l > kContatto;
}

class Regolazione {
public:
    Regolazione(CPoint3dVector& punti, std::vector<CBordo>& bordi) : m_P(punti), m_B(bordi) {}

    int Esegui() {
        for (CBordo& b : m_B) {
            for (const CVrtBordo& v : b) {
                if (v.indice < 0 || v.indice >= m_P.GetSize())
                    return POLI_INDICE_ERRATO;
                const CPoint3d& p = m_P.GetAt(v.indice);
                if (!host::IsUsableCoordinate(p.x) || !host::IsUsableCoordinate(p.y))
                    return POLI_SENZA_COORDINATE;
            }
            UnisciUguali(b);
            const int problema = Normalizza(b);
            if (problema != POLI_OK)
                return problema;
        }
        Aggancia();
        for (CBordo& b : m_B) {
            TogliRipetuti(b);
            if (b.size() < 3)
                return POLI_DEGENERE;
        }
        InserisciIncroci();
        return POLI_OK;
    }

private:
    const CPoint3d& P(const CVrtBordo& v) const { return m_P.GetAt(v.indice); }

    int Nuovo(double x, double y, const WString& nome) {
        CPoint3d p;
        p.nome = nome;
        p.x = x;
        p.y = y;
        m_P.Add(p);
        return m_P.GetSize() - 1;
    }

    // Vertices at one place are one vertex, whatever their entries in the table.
    void UnisciUguali(CBordo& b) {
        for (CVrtBordo& v : b) {
            const auto chiave = std::make_pair(P(v).x, P(v).y);
            const auto trovato = m_Luoghi.find(chiave);
            if (trovato == m_Luoghi.end())
                m_Luoghi.emplace(chiave, v.indice);
            else
                v.indice = trovato->second;
        }
    }

    void TogliRipetuti(CBordo& b) const {
        CBordo fuori;
        for (const CVrtBordo& v : b)
            if (fuori.empty() || fuori.back().indice != v.indice)
                fuori.push_back(v);
        while (fuori.size() > 1 && fuori.back().indice == fuori.front().indice)
            fuori.pop_back();
        b = std::move(fuori);
    }

    // Drops repeated vertices and spikes until none is left, then refuses what encloses nothing or crosses
    // itself.
    int Normalizza(CBordo& b) const {
        bool cambiato = true;
        while (cambiato) {
            cambiato = false;
            TogliRipetuti(b);
            const std::size_t n = b.size();
            if (n < 3)
                return POLI_DEGENERE;
            for (std::size_t i = 0; i < n; ++i) {
                const CPoint3d& a = P(b[(i + n - 1) % n]);
                const CPoint3d& v = P(b[i]);
                const CPoint3d& c = P(b[(i + 1) % n]);
                double t = 0, d = 0;
                if (Uguali(a, c)) {
                    cambiato = true;
                } else {
                    Proietta(a, c, v, t, d);
                    // Out to v and back along the same line: v is not in [a, c] although on its line.
                    cambiato = d <= kContatto && (t < 0 || t > 1);
                }
                if (cambiato) {
                    b.erase(b.begin() + static_cast<std::ptrdiff_t>(i));
                    break;
                }
            }
        }
        Poligono poligono;
        double perimetro = 0;
        for (std::size_t i = 0; i < b.size(); ++i) {
            bg::append(poligono.outer(), Punto(P(b[i]).x, P(b[i]).y));
            perimetro += Dist(P(b[i]), P(b[(i + 1) % b.size()]));
        }
        bg::append(poligono.outer(), Punto(P(b[0]).x, P(b[0]).y));
        bg::correct(poligono);
        if (2 * std::fabs(bg::area(poligono)) < kContatto * perimetro)
            return POLI_DEGENERE;
        if (!bg::is_valid(poligono))
            return POLI_AUTOINTERSECANTE;
        return POLI_OK;
    }

    // A vertex that is not fixed and lies within the contact allowance of another boundary joins it: onto
    // its nearest vertex there, or onto a new vertex at its foot on the side.
    void Aggancia() {
        for (std::size_t ib = 0; ib < m_B.size(); ++ib) {
            for (CVrtBordo& v : m_B[ib]) {
                if (v.fisso)
                    continue;
                for (std::size_t ic = 0; ic < m_B.size(); ++ic) {
                    if (ic == ib)
                        continue;
                    const CBordo& c = m_B[ic];
                    int vicino = -1;
                    double dVicino = kContatto;
                    for (const CVrtBordo& w : c) {
                        const double d = Dist(P(v), P(w));
                        if (d <= dVicino && w.indice != v.indice) {
                            vicino = w.indice;
                            dVicino = d;
                        }
                    }
                    if (vicino >= 0) {
                        v.indice = vicino;
                        continue;
                    }
                    for (std::size_t s = 0; s < c.size(); ++s) {
                        const CPoint3d a = P(c[s]);
                        const CPoint3d e = P(c[(s + 1) % c.size()]);
                        double t = 0;
                        if (DentroIlLato(a, e, P(v), t)) {
                            const double d =
                                std::fabs(Cross(e.x - a.x, e.y - a.y, P(v).x - a.x, P(v).y - a.y));
                            if (d > 0) // already on the side's line: nothing to move
                                v.indice = Nuovo(a.x + t * (e.x - a.x), a.y + t * (e.y - a.y), P(v).nome);
                            break;
                        }
                    }
                }
            }
        }
    }

    // Where a side of one boundary meets another boundary, both get the meeting point.
    void InserisciIncroci() {
        // Points to insert into side s of boundary b, by their parameter along it.
        std::vector<std::vector<std::vector<std::pair<double, int>>>> inserti(m_B.size());
        for (std::size_t b = 0; b < m_B.size(); ++b)
            inserti[b].resize(m_B[b].size());
        for (std::size_t b = 0; b < m_B.size(); ++b) {
            const CBordo& bb = m_B[b];
            for (std::size_t c = 0; c < m_B.size(); ++c) {
                if (c == b)
                    continue;
                const CBordo& cc = m_B[c];
                for (std::size_t s = 0; s < bb.size(); ++s) {
                    const CVrtBordo& va = bb[s];
                    const CVrtBordo& vb = bb[(s + 1) % bb.size()];
                    // Copies: new vertices grow the table under them.
                    const CPoint3d a1 = P(va);
                    const CPoint3d a2 = P(vb);
                    // Vertices of the other boundary on this side.
                    for (const CVrtBordo& w : cc) {
                        double t = 0;
                        if (w.indice != va.indice && w.indice != vb.indice && DentroIlLato(a1, a2, P(w), t))
                            inserti[b][s].emplace_back(t, w.indice);
                    }
                    // Proper crossings, made once for the pair of sides (b < c) and given to both.
                    if (c < b)
                        continue;
                    for (std::size_t r = 0; r < cc.size(); ++r) {
                        const CPoint3d b1 = P(cc[r]);
                        const CPoint3d b2 = P(cc[(r + 1) % cc.size()]);
                        double ta = 0, tb = 0;
                        if (!Incrocio(a1, a2, b1, b2, ta, tb))
                            continue;
                        const int nuovo =
                            Nuovo(a1.x + ta * (a2.x - a1.x), a1.y + ta * (a2.y - a1.y), WString());
                        inserti[b][s].emplace_back(ta, nuovo);
                        inserti[c][r].emplace_back(tb, nuovo);
                    }
                }
            }
        }
        for (std::size_t b = 0; b < m_B.size(); ++b) {
            CBordo fuori;
            for (std::size_t s = 0; s < m_B[b].size(); ++s) {
                fuori.push_back(m_B[b][s]);
                auto& lista = inserti[b][s];
                std::sort(lista.begin(), lista.end());
                for (const auto& [t, indice] : lista)
                    if (fuori.back().indice != indice)
                        fuori.push_back(CVrtBordo{indice, true});
            }
            TogliRipetuti(fuori);
            m_B[b] = std::move(fuori);
        }
    }

    // Two sides that cross away from their ends (beyond the contact allowance on every count).
    static bool Incrocio(const CPoint3d& a1, const CPoint3d& a2, const CPoint3d& b1, const CPoint3d& b2,
                         double& ta, double& tb) {
        if (std::max(a1.x, a2.x) < std::min(b1.x, b2.x) || std::max(b1.x, b2.x) < std::min(a1.x, a2.x) ||
            std::max(a1.y, a2.y) < std::min(b1.y, b2.y) || std::max(b1.y, b2.y) < std::min(a1.y, a2.y))
            return false;
        const double la = Dist(a1, a2), lb = Dist(b1, b2);
        const double d1 = Cross(a2.x - a1.x, a2.y - a1.y, b1.x - a1.x, b1.y - a1.y) / la;
        const double d2 = Cross(a2.x - a1.x, a2.y - a1.y, b2.x - a1.x, b2.y - a1.y) / la;
        const double d3 = Cross(b2.x - b1.x, b2.y - b1.y, a1.x - b1.x, a1.y - b1.y) / lb;
        const double d4 = Cross(b2.x - b1.x, b2.y - b1.y, a2.x - b1.x, a2.y - b1.y) / lb;
        const auto opposti = [](double u, double v) {
            return (u > kContatto && v < -kContatto) || (u < -kContatto && v > kContatto);
        };
        if (!opposti(d1, d2) || !opposti(d3, d4))
            return false;
        ta = d3 / (d3 - d4);
        tb = d1 / (d1 - d2);
        return true;
    }

    CPoint3dVector& m_P;
    std::vector<CBordo>& m_B;
    std::map<std::pair<double, double>, int> m_Luoghi;
};

Poligono PoligonoDi(const CPoint3dVector& punti, const CBordo& b) {
    Poligono p;
    for (const CVrtBordo& v : b)
        bg::append(p.outer(), Punto(punti.GetAt(v.indice).x, punti.GetAt(v.indice).y));
    if (!b.empty())
        bg::append(p.outer(), Punto(punti.GetAt(b[0].indice).x, punti.GetAt(b[0].indice).y));
    bg::correct(p);
    return p;
}

} // namespace

CAdjustPolylines::CAdjustPolylines(const CPoint3dVector& vertici, std::vector<CBordo>& bordi)
    : m_Totali(vertici), m_Iniziali(vertici.GetSize()) {
    // Whatever the coordinates, the library's failures stay inside it: the boundaries cannot be adjusted.
    try {
        Regolazione regolazione(m_Totali, bordi);
        m_Problema = regolazione.Esegui();
    } catch (...) {
        m_Problema = POLI_NON_CALCOLABILE;
    }
}

CCellIndex::CCellIndex(const CPoint3dVector& vertici, const CBordo& esterno,
                       const std::vector<CBordo>& interne)
    : m_Vertici(vertici), m_Esterno(esterno), m_Interne(interne) {}

int CCellIndex::SplitCellEx() {
    m_Celle.clear();
    const auto valido = [this](const CBordo& b) {
        return b.size() >= 3 && std::all_of(b.begin(), b.end(), [this](const CVrtBordo& v) {
                   return v.indice >= 0 && v.indice < m_Vertici.GetSize() &&
                          host::IsUsableCoordinate(m_Vertici.GetAt(v.indice).x) &&
                          host::IsUsableCoordinate(m_Vertici.GetAt(v.indice).y);
               });
    };
    if (!valido(m_Esterno) || !std::all_of(m_Interne.begin(), m_Interne.end(), valido))
        return 0;
    // Every point of the results is a vertex of the table when it is at one of its places.
    std::map<std::pair<double, double>, int> luoghi;
    for (int i = m_Vertici.GetSize() - 1; i >= 0; --i)
        luoghi[{m_Vertici.GetAt(i).x, m_Vertici.GetAt(i).y}] = i;
    const auto indice = [&](const Punto& p) {
        const auto trovato = luoghi.find({p.x(), p.y()});
        if (trovato != luoghi.end())
            return trovato->second;
        CPoint3d nuovo;
        nuovo.x = p.x();
        nuovo.y = p.y();
        m_Vertici.Add(nuovo);
        luoghi[{p.x(), p.y()}] = m_Vertici.GetSize() - 1;
        return m_Vertici.GetSize() - 1;
    };
    const auto anello = [&](const auto& ring) {
        std::vector<int> fuori;
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) // the last point closes the ring
            fuori.push_back(indice(ring[i]));
        return fuori;
    };
    const auto aggiungi = [&](const Multi& parti) {
        for (const Poligono& p : parti) {
            const double area = bg::area(p);
            if (2 * area < kContatto * bg::perimeter(p))
                continue;
            Cella cella;
            cella.contorno = anello(p.outer());
            for (const auto& buco : p.inners())
                cella.buchi.push_back(anello(buco));
            m_Celle.push_back(std::move(cella));
        }
    };
    try {
        const Poligono esterno = PoligonoDi(m_Vertici, m_Esterno);
        Multi usati;
        for (const CBordo& b : m_Interne) {
            const Poligono interno = PoligonoDi(m_Vertici, b);
            Multi dentro, parte;
            bg::intersection(esterno, interno, dentro);
            bg::difference(dentro, usati, parte);
            aggiungi(parte);
            Multi unione;
            bg::union_(usati, interno, unione);
            usati = std::move(unione);
        }
        Multi resto;
        bg::difference(esterno, usati, resto);
        aggiungi(resto);
    } catch (...) {
        m_Celle.clear();
        return 0;
    }
    return 1;
}
