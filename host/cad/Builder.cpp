// The selecting object builder: how a view's pick becomes a selection.
#include "hostapi/Cad.h"

CObjBuildSelPnt::CObjBuildSelPnt(CGcadEng* eng, bool selSingola)
    : CObjectBuilder(eng), m_bSelSingola(selSingola),
      m_pStrat(new CGcadPickPriorStrat(CGcadPickPriorStrat::TUTTO, true)) {}

CObjBuildSelPnt::~CObjBuildSelPnt() {
    delete m_pStrat;
}

bool CObjBuildSelPnt::Esegui() {
    m_EntPicked = 0;
    return CObjectBuilder::Esegui();
}

bool CObjBuildSelPnt::IsValidEnt(int ent) {
    return m_pGcadEng && m_pGcadEng->IsInsert(ent);
}

bool CObjBuildSelPnt::IsValidExtraThing(int) {
    return false;
}

bool CObjBuildSelPnt::OnEntPicked() {
    return true;
}

void CObjBuildSelPnt::SetPickPriorStrat(CGcadPickPriorStrat* strat) {
    if (strat == m_pStrat)
        return;
    delete m_pStrat;
    m_pStrat = strat;
}

CObjBuildSelPnt::EsitoPick CObjBuildSelPnt::Pick(int ent) {
    if (!IsAvviato() || !m_pGcadEng)
        return EsitoPick::NonAvviato;
    if (m_pGcadEng->GetDisegnoEnt(ent) < 0 || (m_pStrat && !m_pStrat->Ammette(*m_pGcadEng, ent)))
        return EsitoPick::NonAmmesso;
    if (!IsValidEnt(ent))
        return EsitoPick::NonValido;

    std::vector<int> before;
    CGcadEntIterator it(m_pGcadEng, 0);
    for (int e = it.First(); e != 0; e = it.Next())
        before.push_back(e);

    if (!IsValidExtraThing(ent)) {
        if (m_bSelSingola)
            m_pGcadEng->DeselectAllEnt();
        m_pGcadEng->SelectEnt(ent);
    }
    m_EntPicked = ent;
    if (OnEntPicked())
        return EsitoPick::Preso;
    // A refused pick leaves the selection as it found it.
    m_pGcadEng->DeselectAllEnt();
    for (int e : before)
        m_pGcadEng->SelectEnt(e);
    return EsitoPick::Rifiutato;
}
