#include "tolerance/TollStazFuoriTriang.h"

#include "hostapi/Calcolo2D.h"
#include "hostapi/Conversions.h"
#include "pfimport/ElencoPFRilievo.h"
#include "resources/StringIds.h"
#include "resources/StringLoader.h"
#include "tolerance/DlgPregeoRisStazioni.h"
#include "tolerance/Limite.h"

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

void CTollStazFuoriTriang::EsaminaStazione(const CEgn& stazione) {
    CPoint3d s;
    s.x = stazione.GetCoordX();
    s.y = stazione.GetCoordY();
    if (PtInternoAtPoligono(m_Maglia, s.x, s.y) >= 0)
        return;
    const int n = m_Maglia.GetSize();
    const auto punto = [this](int i) -> const CPoint3d& { return m_Maglia.GetAt(i); };
    int migliore = -1;
    double distanzaMigliore = REALE_INDEFINITO;
    // From the first vertex, not from the undefined real: a station farther than that from every vertex
    // still has a nearest one.
    int vicino = 1;
    double quadVicino = DistQuad2pt(s, punto(1));
    std::vector<double> distanze; // of side i at i - 1
    for (int i = 1; i < n; ++i) {
        CPoint3d piede;
        const double d = std::fabs(DistSegmDaPt(punto(i - 1), punto(i), s, piede));
        if (TrovatoPuntoInSegmento(piede, punto(i - 1), punto(i))) {
            // A side seen only across another side is not the station's side. A foot on a vertex touches
            // the sides that meet there, which hides nothing.
            bool nascosto = false;
            for (int j = 1; j < n && !nascosto; ++j)
                nascosto = j != i && !Coincide(piede, punto(j - 1)) && !Coincide(piede, punto(j)) &&
                           IntersezLine(s, piede, punto(j - 1), punto(j));
            if (!nascosto && d < distanzaMigliore) {
                migliore = i;
                distanzaMigliore = d;
            }
        }
        distanze.push_back(d);
        const double q = DistQuad2pt(s, punto(i));
        if (q < quadVicino) {
            vicino = i;
            quadVicino = q;
        }
    }
    const WString nome = stazione.GetNome();
    if (migliore > 0) {
        Registra(nome, migliore - 1, migliore, distanzaMigliore);
        return;
    }
    // Beyond a corner: the two sides that meet at the nearest vertex.
    const int precedente = vicino - 1;
    const int successivo = vicino + 1 == n ? 1 : vicino + 1;
    Registra(nome, precedente, vicino, distanze[static_cast<std::size_t>(vicino - 1)]);
    Registra(nome, vicino, successivo, distanze[static_cast<std::size_t>(successivo - 1)]);
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
