#include "tolerance/ObjBuildSel.h"

#include <algorithm>

bool IsPuntoSelezionabile(int userType) {
    switch (userType & 0xF) {
    case 1:
    case 2:
    case 6:
    case 8:
    case 9:
        return true;
    default:
        return false;
    }
}

int TracciaLinea(CGcadEng& eng, int da, int a, int disegno) {
    int blocco = 0;
    double x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    if (!eng.GetValInsert(da, blocco, x1, y1, z1) || !eng.GetValInsert(a, blocco, x2, y2, z2))
        return 0;
    const int linea = eng.CreateLine(x1, y1, z1, x2, y2, z2);
    if (disegno == DISEGNO_TEMPORANEO)
        eng.SetUserInfoToEnt(linea, TIPO_UTENTE_LINEA_SELEZIONE, 0);
    eng.AddAndDrawEntToList(linea, disegno);
    return linea;
}

// ---------------------------------------------------------------------------------------------------

bool CObjBuildSelPntSingolo::IsValidEnt(int ent) {
    return IsPuntoSelezionabile(m_pGcadEng->GetUserTypeOfEnt(ent));
}

bool CObjBuildSelPntSingolo::OnEntPicked() {
    return m_pNotifica ? m_pNotifica->OnSelNotify(1) : true;
}

// ---------------------------------------------------------------------------------------------------

CObjBuildSelPntConLinea::CObjBuildSelPntConLinea(CGcadEng* eng, IPregeoSelNotify* notifica, int ancora)
    : CObjBuildSelPnt(eng, false), m_pNotifica(notifica) {
    SetEntAncora(ancora);
}

CObjBuildSelPntConLinea::~CObjBuildSelPntConLinea() {
    for (int linea : m_Linee)
        m_pGcadEng->DeleteEnt(linea);
}

bool CObjBuildSelPntConLinea::Esegui() {
    const bool avviato = CObjBuildSelPnt::Esegui();
    m_pGcadEng->SelectEnt(GetEntAncora());
    return avviato;
}

bool CObjBuildSelPntConLinea::IsValidEnt(int ent) {
    return IsPuntoSelezionabile(m_pGcadEng->GetUserTypeOfEnt(ent));
}

bool CObjBuildSelPntConLinea::OnEntPicked() {
    const int linea = TracciaLinea(*m_pGcadEng, GetEntAncora(), GetPickedEnt(), DISEGNO_TEMPORANEO);
    if (linea == 0)
        return false;
    m_pGcadEng->SelectEnt(linea);
    m_Linee.push_back(linea);
    if (m_pNotifica)
        m_pNotifica->OnSelNotify(4);
    return true;
}

// ---------------------------------------------------------------------------------------------------

bool CObjBuildSelRiga7::Esegui() {
    SetPickPriorStrat(new CGcadPickPriorStrat(131458, false));
    return CObjBuildSelPnt::Esegui();
}

bool CObjBuildSelRiga7::IsValidEnt(int ent) {
    return m_pGcadEng->GetUserTypeOfEnt(ent) == TIPO_UTENTE_RIGA7;
}

bool CObjBuildSelRiga7::IsValidExtraThing(int ent) {
    return IsValidEnt(ent);
}

bool CObjBuildSelRiga7::OnEntPicked() {
    CGcadEng& eng = *m_pGcadEng;
    const int scelto = GetPickedEnt();
    const bool giaScelto = eng.IsSelectThisEnt(scelto);
    const std::uintptr_t riga = eng.GetUserDataOfEnt(scelto);
    CGcadEntIterator it(&eng, giaScelto ? 0 : 1);
    for (int ent = it.First(); ent != 0; ent = it.Next()) {
        if (eng.GetUserTypeOfEnt(ent) != TIPO_UTENTE_RIGA7 || eng.GetUserDataOfEnt(ent) != riga)
            continue;
        if (giaScelto)
            eng.UnselectEnt(ent);
        else
            eng.SelectEnt(ent);
    }
    if (m_pNotifica)
        m_pNotifica->OnSelNotify(5);
    return true;
}

// ---------------------------------------------------------------------------------------------------

CObjBuildSelLatoMaglia::~CObjBuildSelLatoMaglia() {
    CancellaLinea();
}

void CObjBuildSelLatoMaglia::CancellaLinea() {
    if (m_Linea != 0)
        m_pGcadEng->DeleteEnt(m_Linea);
    m_Linea = 0;
}

bool CObjBuildSelLatoMaglia::Esegui() {
    CancellaLinea();
    m_Lista.clear();
    return CObjBuildSelPnt::Esegui();
}

bool CObjBuildSelLatoMaglia::IsValidEnt(int ent) {
    return m_pGcadEng->IsInsert(ent);
}

bool CObjBuildSelLatoMaglia::OnEntPicked() {
    const int scelto = GetPickedEnt();
    if (std::find(m_Lista.begin(), m_Lista.end(), scelto) == m_Lista.end()) {
        CancellaLinea();
        if (m_Lista.size() >= 2)
            m_Lista.erase(m_Lista.begin());
        m_Lista.push_back(scelto);
        if (m_Lista.size() == 2)
            m_Linea = TracciaLinea(*m_pGcadEng, m_Lista[0], m_Lista[1], DISEGNO_TEMPORANEO);
    }
    m_pGcadEng->SelectEnt(m_Lista[0]);
    int codice = 2;
    if (m_Lista.size() == 2) {
        m_pGcadEng->SelectEnt(m_Lista[1]);
        codice = 3;
    }
    if (m_pNotifica)
        m_pNotifica->OnSelNotify(codice);
    return true;
}

int CObjBuildSelLatoMaglia::GetVertice(int i) const {
    return i >= 0 && i < static_cast<int>(m_Lista.size()) ? m_Lista[static_cast<std::size_t>(i)] : 0;
}
