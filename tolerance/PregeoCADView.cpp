#include "tolerance/PregeoCADView.h"

#include "tolerance/ObjBuildSel.h"

namespace {

// The selected points' handles; the points themselves are not kept.
std::vector<int> EntSelezionate(CViewControlCAD& vista) {
    std::vector<CEgn*> punti;
    std::vector<int> ents;
    vista.GetEgnSelected(punti, ents);
    for (CEgn* p : punti)
        delete p;
    return ents;
}

} // namespace

bool CPregeoCADView::Avanti() {
    if (!ValidaPasso())
        return false;
    SetPasso(m_Passo + 1);
    return true;
}

void CPregeoCADView::Indietro() {
    if (m_Passo > 0)
        SetPasso(m_Passo - 1);
}

void CPregeoCADView::AvviaBuilder() {
    CObjectBuilder* builder = StartNewOBDefault();
    SetCurrentOB(builder);
    if (builder)
        builder->Esegui();
}

void CPregeoCADView::Errore(const char16_t* testo) {
    CreateMessageBox(GetParent(), testo, u"ERRORE", MB_ICONERROR);
}

// ---------------------------------------------------------------------------------------------------
// Type 1

CObjectBuilder* CPregeoCADViewDist::StartNewOBDefault() {
    if (m_Passo == 0)
        return new CObjBuildSelPntSingolo(GetGcadEng(), m_pNotifica);
    return new CObjBuildSelPntConLinea(GetGcadEng(), m_pNotifica, m_EntPartenza);
}

void CPregeoCADViewDist::SetPasso(int passo) {
    m_Passo = passo;
    if (passo == 0)
        m_EntPartenza = 0;
    // The end points' picks only add to the selection.
    SetSelezioneInCorso(passo == 0);
    AvviaBuilder();
}

bool CPregeoCADViewDist::ValidaPasso() {
    ResetSelection();
    const std::vector<int> ents = EntSelezionate(*this);
    if (m_Passo == 0) {
        if (!ents.empty() && ents.front() != 0)
            m_EntPartenza = ents.front();
        if (m_EntPartenza != 0)
            return true;
        Errore(u"Selezionare prima un punto di partenza per la distanza.");
        return false;
    }
    // The start point stays selected: more than one point means at least one end point.
    if (ents.size() > 1)
        return true;
    Errore(u"Selezionare uno o più punti per definire le distanze.");
    return false;
}

void CPregeoCADViewDist::RiempiRisultato(std::vector<void*>& risultato) {
    std::vector<CEgn*> punti;
    std::vector<int> ents;
    GetEgnSelected(punti, ents);
    risultato.insert(risultato.end(), punti.begin(), punti.end());
}

// ---------------------------------------------------------------------------------------------------
// Type 2

CObjectBuilder* CPregeoCADViewSup::StartNewOBDefault() {
    return new CObjBuildSelRiga7(GetGcadEng(), m_pNotifica);
}

void CPregeoCADViewSup::SetPasso(int passo) {
    m_Passo = passo;
    SetSelezioneInCorso(true);
    AvviaBuilder();
}

bool CPregeoCADViewSup::ValidaPasso() {
    if (m_Passo != 0)
        return false;
    // Closing the selection first is what lets the lookup read it.
    ResetSelection();
    if (CercaRiga())
        return true;
    Errore(u"Selezionare prima una riga di tipo 7 chiusa.");
    return false;
}

CRig* CPregeoCADViewSup::CercaRiga() const {
    if (IsSelezioneInCorso() || !GetCurrentOB())
        return nullptr;
    const CGcadEng* eng = GetGcadEng();
    CGcadEntIterator it(eng, 0);
    for (int ent = it.First(); ent != 0; ent = it.Next())
        if (eng->GetUserTypeOfEnt(ent) == TIPO_UTENTE_RIGA7)
            return reinterpret_cast<CRig*>(eng->GetUserDataOfEnt(ent));
    return nullptr;
}

void CPregeoCADViewSup::RiempiRisultato(std::vector<void*>& risultato) {
    if (CRig* riga = CercaRiga())
        risultato.push_back(riga);
}

// ---------------------------------------------------------------------------------------------------
// Type 3

CPregeoCADViewOggRil::~CPregeoCADViewOggRil() {
    CancellaLato();
}

void CPregeoCADViewOggRil::CancellaLato() {
    if (m_LineaLato != 0)
        GetGcadEng()->DeleteEnt(m_LineaLato);
    m_LineaLato = 0;
}

CObjectBuilder* CPregeoCADViewOggRil::StartNewOBDefault() {
    switch (m_Passo) {
    case 0:
        return new CObjBuildSelLatoMaglia(GetGcadEng(), m_pNotifica);
    case 1:
        return new CObjBuildSelPntSingolo(GetGcadEng(), m_pNotifica);
    default:
        return new CObjBuildSelPntConLinea(GetGcadEng(), m_pNotifica, m_EntEsterno);
    }
}

void CPregeoCADViewOggRil::SetPasso(int passo) {
    m_Passo = passo;
    if (passo <= 0)
        CancellaLato();
    else if (m_LineaLato == 0)
        m_LineaLato = TracciaLinea(*GetGcadEng(), m_Vertice1, m_Vertice2, DISEGNO_RILIEVO);
    SetSelezioneInCorso(true);
    AvviaBuilder();
}

bool CPregeoCADViewOggRil::ValidaPasso() {
    ResetSelection();
    const std::vector<int> ents = EntSelezionate(*this);
    if (m_Passo == 0) {
        if (ents.size() > 1) {
            const auto* lato = dynamic_cast<const CObjBuildSelLatoMaglia*>(GetCurrentOB());
            m_Vertice1 = lato ? lato->GetVertice(0) : 0;
            m_Vertice2 = lato ? lato->GetVertice(1) : 0;
        }
        if (m_Vertice1 != 0 && m_Vertice2 != 0)
            return true;
        Errore(u"Individuare prima una linea di riferimento.");
        return false;
    }
    if (!ents.empty() && ents.front() != 0) {
        if (m_Passo == 1)
            m_EntEsterno = ents.front();
        else
            m_Interni.assign(ents.begin() + 1, ents.end());
    }
    if (!ents.empty())
        return true;
    Errore(m_Passo == 1 ? u"Selezionare un punto esterno per continuare"
                        : u"Selezionare un punto interno per continuare");
    return false;
}

void CPregeoCADViewOggRil::RiempiRisultato(std::vector<void*>& risultato) {
    const CGcadEng& eng = *GetGcadEng();
    // The caller reads the first three by position: without all three there is no result.
    if (!eng.IsInsert(m_Vertice1) || !eng.IsInsert(m_Vertice2) || !eng.IsInsert(m_EntEsterno)) {
        m_Interni.clear();
        return;
    }
    std::vector<int> ents = {m_Vertice1, m_Vertice2, m_EntEsterno};
    ents.insert(ents.end(), m_Interni.begin(), m_Interni.end());
    for (int ent : ents) {
        int blocco = 0;
        double x = 0, y = 0, z = 0;
        // Only an insert has a place to give a point.
        if (!eng.GetValInsert(ent, blocco, x, y, z))
            continue;
        auto* punto = new CEgn();
        punto->SetCoord(x, y, z);
        punto->CalcolaValiditaXYZ();
        WString testo;
        if (eng.GetValAttrib(eng.GetAttribNo(ent, 0), testo))
            punto->SetNome(testo);
        if (eng.GetValAttrib(eng.GetAttribNo(ent, 1), testo))
            punto->SetSecScri(testo);
        risultato.push_back(punto);
    }
    m_Interni.clear();
}
