#include "tolerance/TollStazFuoriTriang.h"

#include "hostapi/Calcolo2D.h"
#include "hostapi/Conversions.h"
#include "pfimport/ElencoPFRilievo.h"
#include "resources/StringIds.h"
#include "resources/StringLoader.h"
#include "tolerance/DlgPregeoRisStazioni.h"
#include "tolerance/Limite.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

namespace {

// The same place within the micrometre of the host's contact decisions.
bool Coincide(const CPoint3d& a, const CPoint3d& b) {
    return DistQuad2pt(a, b) <= 1e-12;
}

} // namespace

CTollStazFuoriTriang::CTollStazFuoriTriang(CWnd* parent, CLibCmp* stazioni, CCts* libretto, CLibGps* gps)
    : m_pParent(parent), m_pCts(libretto), m_pLibCmp(stazioni), m_pLibGps(gps) {}

void CTollStazFuoriTriang::Esegui(bool mostra) {
    m_Risultati.clear();
    m_Esaminate.clear();
    CElencoPFRilievo elenco(m_pLibGps, m_pLibCmp, m_pCts);
    elenco.SetMagliaVeloce(m_MagliaVeloce);
    elenco.CostruisciMaglia(m_Validi, m_Maglia, m_Interni);
    if (m_Maglia.GetSize() < 3) {
        if (mostra)
            CreateMessageBox(m_pParent, u"Non è stata trovata una maglia fiduciale valida per il calcolo.",
                             CaricaStringa(IDS_PREGEO), MB_ICONERROR);
        return;
    }
    m_pGriglia.reset();
    if (m_RicercaVeloce) {
        m_pGriglia = std::make_unique<CGrigliaLati>(m_Maglia);
        m_Visto.assign(static_cast<std::size_t>(m_Maglia.GetSize()), 0);
        m_Turno = 0;
    }
    if (m_pLibCmp) {
        for (int j = 0; j < m_pLibCmp->GetJobArSize(); ++j) {
            const CJob* job = m_pLibCmp->GetJobAt(j);
            if (!job || !job->IsCdElabValid())
                continue;
            for (int s = 0; s < m_pLibCmp->GetStaArSize(j); ++s) {
                const CSta* sta = m_pLibCmp->GetStaAt(j, s);
                if (!sta || !sta->EstValidoXY() || sta->EstDupp())
                    continue;
                const int prima = static_cast<int>(m_Risultati.size());
                EsaminaStazione(*sta);
                m_Esaminate.push_back({sta->GetNome(), sta->GetCoordX(), sta->GetCoordY(), prima,
                                       static_cast<int>(m_Risultati.size()) - prima});
            }
        }
    }
    if (!mostra)
        return;
    if (m_Risultati.empty()) {
        CreateMessageBox(m_pParent, u"Non sono state individuate stazioni da prendere in esame.",
                         CaricaStringa(IDS_PREGEO), MB_ICONWARNING);
        return;
    }
    CDlgPregeoRisStazioni dlg(m_pParent);
    dlg.SetRisultati(&m_Risultati);
    dlg.DoModal();
}

template <class PerLati>
bool CTollStazFuoriTriang::Nascosto(const CPoint3d& s, const CPoint3d& piede, int i, PerLati perLati) const {
    // A foot on a vertex touches the sides that meet there, which hides nothing.
    bool nascosto = false;
    perLati([&](int j) {
        nascosto = nascosto || (j != i && !Coincide(piede, m_Maglia.GetAt(j - 1)) &&
                                !Coincide(piede, m_Maglia.GetAt(j)) &&
                                IntersezLine(s, piede, m_Maglia.GetAt(j - 1), m_Maglia.GetAt(j)));
    });
    return nascosto;
}

CTollStazFuoriTriang::Vicini CTollStazFuoriTriang::CercaOvunque(const CPoint3d& s) const {
    const int n = m_Maglia.GetSize();
    const auto punto = [this](int i) -> const CPoint3d& { return m_Maglia.GetAt(i); };
    const auto ogniLato = [n](auto f) {
        for (int j = 1; j < n; ++j)
            f(j);
    };
    Vicini v;
    // From the first vertex, not from the undefined real: a station farther than that from every vertex
    // still has a nearest one.
    double quadVicino = DistQuad2pt(s, punto(1));
    for (int i = 1; i < n; ++i) {
        CPoint3d piede;
        const double d = std::fabs(DistSegmDaPt(punto(i - 1), punto(i), s, piede));
        // A side seen only across another side is not the station's side; only a side nearer than the
        // best so far needs the look across.
        if (d < v.distanza && TrovatoPuntoInSegmento(piede, punto(i - 1), punto(i)) &&
            !Nascosto(s, piede, i, ogniLato)) {
            v.lato = i;
            v.distanza = d;
        }
        const double q = DistQuad2pt(s, punto(i));
        if (q < quadVicino) {
            v.vertice = i;
            quadVicino = q;
        }
    }
    return v;
}

// The same answer as CercaOvunque, from the cells around the station: the nearest vertex, and the seen
// side of least distance (the first of the ring among equals).
CTollStazFuoriTriang::Vicini CTollStazFuoriTriang::CercaVicino(const CPoint3d& s) {
    const auto punto = [this](int i) -> const CPoint3d& { return m_Maglia.GetAt(i); };
    if (++m_Turno == INT_MAX) {
        std::fill(m_Visto.begin(), m_Visto.end(), 0);
        m_Turno = 1;
    }
    struct Candidato {
        double distanza;
        int lato;
        CPoint3d piede;
    };
    std::vector<Candidato> attesa;
    Vicini v;
    v.vertice = 0;
    double quadVicino = 0;
    bool verticeTrovato = false;
    const auto prima = [](double d, int i, double dMigliore, int iMigliore) {
        return d < dMigliore || (d == dMigliore && iMigliore > 0 && i < iMigliore);
    };
    // What crosses the look from the station to a foot lies in the cells of the look, give or take the
    // host's contact tolerance, well within a millimetre.
    const auto latiTra = [&](const CPoint3d& piede) {
        return [&, piede](auto f) {
            constexpr double kMargine = 1e-3;
            m_pGriglia->PerRettangolo(std::min(s.x, piede.x) - kMargine, std::min(s.y, piede.y) - kMargine,
                                      std::max(s.x, piede.x) + kMargine, std::max(s.y, piede.y) + kMargine,
                                      f);
        };
    };
    m_pGriglia->PerAnelli(
        s.x, s.y,
        [&](CGrigliaLati::Elenco lati, CGrigliaLati::Elenco vertici) {
            if (!verticeTrovato)
                for (const int i : vertici) {
                    const double q = DistQuad2pt(s, punto(i));
                    if (v.vertice == 0 || q < quadVicino || (q == quadVicino && i < v.vertice)) {
                        v.vertice = i;
                        quadVicino = q;
                    }
                }
            for (const int i : lati) {
                if (m_Visto[static_cast<std::size_t>(i)] == m_Turno)
                    continue;
                m_Visto[static_cast<std::size_t>(i)] = m_Turno;
                CPoint3d piede;
                const double d = std::fabs(DistSegmDaPt(punto(i - 1), punto(i), s, piede));
                if (prima(d, i, v.distanza, v.lato) && TrovatoPuntoInSegmento(piede, punto(i - 1), punto(i)))
                    attesa.push_back({d, i, piede});
            }
        },
        [&](double margine) {
            std::sort(attesa.begin(), attesa.end(), [](const Candidato& a, const Candidato& b) {
                return a.distanza < b.distanza || (a.distanza == b.distanza && a.lato < b.lato);
            });
            for (const Candidato& c : attesa) {
                if (!prima(c.distanza, c.lato, v.distanza, v.lato))
                    break;
                if (!Nascosto(s, c.piede, c.lato, latiTra(c.piede))) {
                    v.lato = c.lato;
                    v.distanza = c.distanza;
                    break;
                }
            }
            attesa.clear();
            verticeTrovato =
                verticeTrovato || (v.vertice > 0 && margine > 0 && margine * margine > quadVicino);
            return v.lato > 0 && margine > v.distanza;
        });
    if (v.vertice == 0)
        v.vertice = 1;
    return v;
}

void CTollStazFuoriTriang::EsaminaStazione(const CEgn& stazione) {
    CPoint3d s;
    s.x = stazione.GetCoordX();
    s.y = stazione.GetCoordY();
    if (PtInternoAtPoligono(m_Maglia, s.x, s.y) >= 0)
        return;
    const int n = m_Maglia.GetSize();
    const Vicini v = m_pGriglia && m_pGriglia->Copre(s.x, s.y) ? CercaVicino(s) : CercaOvunque(s);
    const WString nome = stazione.GetNome();
    if (v.lato > 0) {
        Registra(nome, v.lato - 1, v.lato, v.distanza);
        return;
    }
    // Beyond a corner: the two sides that meet at the nearest vertex.
    const auto distanza = [&](int lato) {
        CPoint3d piede;
        return std::fabs(DistSegmDaPt(m_Maglia.GetAt(lato - 1), m_Maglia.GetAt(lato), s, piede));
    };
    const int precedente = v.vertice - 1;
    const int successivo = v.vertice + 1 == n ? 1 : v.vertice + 1;
    Registra(nome, precedente, v.vertice, distanza(v.vertice));
    Registra(nome, v.vertice, successivo, distanza(successivo));
}

void CTollStazFuoriTriang::Registra(const WString& stazione, int a, int b, double distanza) {
    const CPoint3d& pa = m_Maglia.GetAt(a);
    const CPoint3d& pb = m_Maglia.GetAt(b);
    CRisStazione r;
    r.stazione = stazione;
    r.verticeA = pa.nome;
    r.verticeB = pb.nome;
    r.distanzaEsterna = distanza;
    r.lunghezzaLato = Distanza2pt(pa, pb);
    r.lato30 = r.lunghezzaLato / 100 * 30;
    r.inTolleranza = EntroIlLimite(r.distanzaEsterna, r.lato30);
    m_Risultati.push_back(r);
}
