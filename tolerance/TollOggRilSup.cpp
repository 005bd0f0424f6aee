#include "tolerance/TollOggRilSup.h"

#include "hostapi/Computations.h"
#include "hostapi/Conversions.h"
#include "hostapi/Poligoni.h"
#include "pfimport/ElencoPFRilievo.h"
#include "resources/StringIds.h"
#include "resources/StringLoader.h"
#include "tolerance/DlgPregeoRisSuperfici.h"
#include "tolerance/Limite.h"
#include "tolerance/TollSuperfici.h"

#include <cmath>
#include <map>
#include <utility>

namespace {

// A piece as a row of its own, so that the host computes its surface and tells whether it lies inside
// the mesh; closed by repeating its first vertex.
CRig RigaDi(const CPoint3dVector& vertici, const std::vector<int>& anello) {
    CRig riga('7');
    for (int i : anello) {
        const CPoint3d& p = vertici.GetAt(i);
        CCtsVrt v(p.nome);
        v.SetCoordXY(p.x, p.y);
        v.CalcolaValiditaXYZ();
        riga.AddVrt(v);
    }
    if (!anello.empty())
        riga.AddVrt(*riga.GetVrtAt(0));
    return riga;
}

double Area(CRig& riga) {
    CRig::CalcolaAreaInterna(&riga);
    const double area = riga.GetDatoRea1();
    return IsRealeIndefinito(area) || !std::isfinite(area) ? 0 : area;
}

CPoint3dVector PuntiDi(const CPoint3dVector& vertici, const std::vector<int>& anello) {
    CPoint3dVector punti;
    for (int i : anello)
        punti.Add(vertici.GetAt(i));
    return punti;
}

} // namespace

CTollOggRilSup::CTollOggRilSup(CWnd* parent, CLibCmp* stazioni, CCts* libretto, CLibGps* gps)
    : m_pParent(parent), m_pCts(libretto), m_pLibCmp(stazioni), m_pLibGps(gps) {}

void CTollOggRilSup::Esegui(bool mostra) {
    m_Risultati.clear();
    CElencoPFRilievo elenco(m_pLibGps, m_pLibCmp, m_pCts);
    CPoint3dVector validi, interni;
    elenco.CostruisciMaglia(validi, m_Maglia, interni);
    if (m_Maglia.GetSize() < 3) {
        if (mostra)
            CreateMessageBox(m_pParent, u"Non è stata trovata una maglia fiduciale valida per il calcolo.",
                             CaricaStringa(IDS_PREGEO), MB_ICONERROR);
        return;
    }
    SetMaglia(m_Maglia);
    if (m_pCts) {
        // Rows 7 run through the points of rows 5, whose places the host computes when it draws them; the
        // tool may run before any drawing.
        const CCalcRighePregeo calcolo(m_pCts, m_pLibCmp, m_pLibGps, nullptr);
        for (int r = 0; r < m_pCts->m_Righe45.GetRigArSize(); ++r) {
            CRig* riga = m_pCts->m_Righe45.GetRigAt(r);
            if (riga->GetTipoRiga() == '5' && !riga->EstValidoXY())
                calcolo.CalcolaSngRiga45(riga);
        }
        const CCtsRigArray& righe = m_pCts->m_Righe7;
        for (int r = 0; r < righe.GetRigArSize(); ++r) {
            CRig* riga = righe.GetRigAt(r);
            CRisSuperficie esito;
            if (riga->GetTipoRiga() == '7' && IsRigaChiusaPerToll(riga) && Dividi(riga, esito, calcolo))
                m_Risultati.push_back(std::move(esito));
        }
    }
    if (!mostra)
        return;
    if (m_Risultati.empty()) {
        CreateMessageBox(m_pParent, u"Non sono state individuate superfici da valutare.",
                         CaricaStringa(IDS_PREGEO), MB_ICONWARNING);
        return;
    }
    CDlgPregeoRisSuperfici dlg(m_pParent);
    dlg.SetRisultati(&m_Risultati);
    dlg.DoModal();
}

void CTollOggRilSup::SetMaglia(const CPoint3dVector& maglia) {
    if (&maglia != &m_Maglia)
        m_Maglia = maglia;
    // The mesh's sides are boundaries that the overlay must not move: continuous red lines.
    m_RigaMaglia.DelAllVrt();
    m_RigaMaglia.SetTipoRiga('7');
    for (int i = 0; i < m_Maglia.GetSize(); ++i) {
        const CPoint3d& p = m_Maglia.GetAt(i);
        CCtsVrt v(p.nome, 'C', 'R');
        v.SetCoordXY(p.x, p.y);
        v.CalcolaValiditaXYZ();
        m_RigaMaglia.AddVrt(v);
    }
}

bool CTollOggRilSup::Dividi(CRig* riga, CRisSuperficie& esito) {
    return Dividi(riga, esito, CCalcRighePregeo(m_pCts, m_pLibCmp, m_pLibGps, nullptr));
}

bool CTollOggRilSup::Dividi(CRig* riga, CRisSuperficie& esito, const CCalcRighePregeo& calcolo) {
    esito = CRisSuperficie();
    esito.riga = riga;
    if (!calcolo.CalcolaSngRiga7(riga)) // a vertex without coordinates has no place to judge
        return false;
    const int nRiga = riga->GetVrtArSize();
    const int nMaglia = m_RigaMaglia.GetVrtArSize();
    if (nRiga < 3 || nMaglia < 3 || riga->GetVrtAt(nRiga - 1)->GetNome() != riga->GetVrtAt(0)->GetNome())
        return false;

    // One table for both boundaries: a vertex at the place of one already there is that one.
    CPoint3dVector vertici;
    std::map<std::pair<double, double>, int> luoghi;
    const auto indice = [&](const CCtsVrt& v) {
        const auto chiave = std::make_pair(v.GetCoordX(), v.GetCoordY());
        const auto trovato = luoghi.find(chiave);
        if (trovato != luoghi.end())
            return trovato->second;
        CPoint3d p;
        p.nome = v.GetNome();
        p.x = v.GetCoordX();
        p.y = v.GetCoordY();
        vertici.Add(p);
        luoghi.emplace(chiave, vertici.GetSize() - 1);
        return vertici.GetSize() - 1;
    };
    std::vector<CBordo> bordi(2);
    // The closing vertex is the first again, which the adjustment drops.
    for (int i = 0; i < nRiga; ++i) {
        const CCtsVrt& v = *riga->GetVrtAt(i);
        bordi[0].push_back({indice(v), v.m_TipoLinea == 'C' && v.m_Colore == 'R'});
    }
    for (int i = 0; i < nMaglia; ++i)
        bordi[1].push_back({indice(*m_RigaMaglia.GetVrtAt(i)), true});
    // A row that crosses itself or encloses nothing has no surface to judge, inside the mesh or not.
    const CAdjustPolylines regolazione(vertici, bordi);
    if (regolazione.Check() != POLI_OK)
        return false;

    if (CRig::EstVrtPgPassInterno(&m_RigaMaglia, riga)) {
        CRig::CalcolaAreaInterna(riga);
        CParteSuperficie parte;
        for (int i = 0; i + 1 < nRiga; ++i) {
            const CCtsVrt& v = *riga->GetVrtAt(i);
            CPoint3d p;
            p.nome = v.GetNome();
            p.x = v.GetCoordX();
            p.y = v.GetCoordY();
            parte.contorno.Add(p);
        }
        CRig copia(*riga);
        parte.area = Area(copia);
        parte.interna = true;
        esito.supInterna = parte.area;
        esito.parti.push_back(std::move(parte));
    } else {
        CCellIndex celle(regolazione.GetTotalVertices(), bordi[0], {bordi[1]});
        if (celle.SplitCellEx() != 1 || celle.GetNoCells() <= 1)
            return false;
        const CPoint3dVector& tutti = celle.GetVertices();
        for (int c = 0; c < celle.GetNoCells(); ++c) {
            CParteSuperficie parte;
            CRig rigaCella = RigaDi(tutti, celle.GetMainCell(c));
            parte.contorno = PuntiDi(tutti, celle.GetMainCell(c));
            parte.area = Area(rigaCella);
            // A cell around the whole mesh keeps the mesh out as a hole.
            for (const std::vector<int>& buco : celle.GetInnerCells(c)) {
                CRig rigaBuco = RigaDi(tutti, buco);
                parte.area -= Area(rigaBuco);
                parte.buchi.push_back(PuntiDi(tutti, buco));
            }
            parte.interna = CRig::EstVrtPgPassInterno(&m_RigaMaglia, &rigaCella);
            (parte.interna ? esito.supInterna : esito.supEsterna) += parte.area;
            esito.parti.push_back(std::move(parte));
        }
    }
    if (!(esito.supInterna > 0 || esito.supEsterna > 0))
        return false;
    esito.supInterna30 = esito.supInterna / 100 * 30;
    esito.inTolleranza = EntroIlLimite(esito.supEsterna, esito.supInterna30);
    return true;
}
