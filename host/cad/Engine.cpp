// The CAD engine: entities by handle, two target drawings, user information and the selection.
#include "host/cad/EngineImpl.h"

#include <algorithm>
#include <climits>

const CGcadEng::Impl::Ent* CGcadEng::Impl::Trova(int ent) const {
    const auto it = ents.find(ent);
    return it == ents.end() ? nullptr : &it->second;
}

CGcadEng::Impl::Ent* CGcadEng::Impl::Trova(int ent) {
    const auto it = ents.find(ent);
    return it == ents.end() ? nullptr : &it->second;
}

int CGcadEng::Impl::Nuova(Ent ent) {
    if (prossimo == INT_MAX)
        return 0;
    const int handle = prossimo++;
    ents.emplace(handle, std::move(ent));
    return handle;
}

std::vector<int> CGcadEng::Impl::InDisegno() const {
    std::vector<int> out;
    for (const auto& [handle, ent] : ents)
        if (ent.disegno >= 0)
            out.push_back(handle);
    std::sort(out.begin(), out.end());
    return out;
}

CGcadEng::CGcadEng() : m_pImpl(std::make_unique<Impl>()) {}

CGcadEng::~CGcadEng() = default;

int CGcadEng::CreateLine(double x1, double y1, double z1, double x2, double y2, double z2) {
    Impl::Ent e;
    e.tipo = TipoEntCad::Linea;
    e.punti = {{x1, y1, z1}, {x2, y2, z2}};
    return m_pImpl->Nuova(std::move(e));
}

int CGcadEng::CreatePolyline(const std::vector<CPuntoCad>& vertices, bool closed) {
    if (vertices.empty())
        return 0;
    Impl::Ent e;
    e.tipo = TipoEntCad::Polilinea;
    e.punti = vertices;
    e.chiusa = closed;
    return m_pImpl->Nuova(std::move(e));
}

int CGcadEng::CreateInsert(int block, double x, double y, double z) {
    Impl::Ent e;
    e.tipo = TipoEntCad::Insert;
    e.blocco = block;
    e.punti = {{x, y, z}};
    return m_pImpl->Nuova(std::move(e));
}

int CGcadEng::AddAttrib(int insert, const WString& value) {
    Impl::Ent* owner = m_pImpl->Trova(insert);
    if (!owner || owner->tipo != TipoEntCad::Insert)
        return 0;
    Impl::Ent e;
    e.tipo = TipoEntCad::Attributo;
    e.testo = value;
    e.insert = insert;
    e.punti = owner->punti;
    const int handle = m_pImpl->Nuova(std::move(e));
    // The map may have moved nothing, but look the owner up again rather than trust the pointer.
    if (handle != 0)
        m_pImpl->Trova(insert)->attributi.push_back(handle);
    return handle;
}

int CGcadEng::CreateText(double x, double y, const WString& text) {
    Impl::Ent e;
    e.tipo = TipoEntCad::Testo;
    e.punti = {{x, y, 0}};
    e.testo = text;
    return m_pImpl->Nuova(std::move(e));
}

bool CGcadEng::AddAndDrawEntToList(int ent, int drawing) {
    Impl::Ent* e = m_pImpl->Trova(ent);
    if (!e || e->disegno >= 0 || e->tipo == TipoEntCad::Attributo ||
        (drawing != DISEGNO_RILIEVO && drawing != DISEGNO_TEMPORANEO))
        return false;
    e->disegno = drawing;
    if (m_pOsservatore)
        m_pOsservatore->EntAggiunta(*this, ent);
    return true;
}

bool CGcadEng::DeleteEnt(int ent) {
    Impl::Ent* e = m_pImpl->Trova(ent);
    if (!e || e->tipo == TipoEntCad::Attributo)
        return false;
    if (e->disegno >= 0 && m_pOsservatore)
        m_pOsservatore->EntEliminata(*this, ent);
    e = m_pImpl->Trova(ent);
    if (!e)
        return false;
    for (int a : e->attributi)
        m_pImpl->ents.erase(a);
    std::erase(m_pImpl->selezione, ent);
    m_pImpl->ents.erase(ent);
    return true;
}

bool CGcadEng::EsisteEnt(int ent) const {
    return m_pImpl->Trova(ent) != nullptr;
}

TipoEntCad CGcadEng::GetTipoEnt(int ent) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    return e ? e->tipo : TipoEntCad::Nessuna;
}

int CGcadEng::GetDisegnoEnt(int ent) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    return e ? e->disegno : -1;
}

int CGcadEng::GetNumEnt() const {
    return static_cast<int>(std::count_if(m_pImpl->ents.begin(), m_pImpl->ents.end(),
                                          [](const auto& e) { return e.second.disegno >= 0; }));
}

void CGcadEng::SetUserInfoToEnt(int ent, int userType, std::uintptr_t userData) {
    if (Impl::Ent* e = m_pImpl->Trova(ent)) {
        e->userType = userType;
        e->userData = userData;
    }
}

int CGcadEng::GetUserTypeOfEnt(int ent) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    return e ? e->userType : 0;
}

std::uintptr_t CGcadEng::GetUserDataOfEnt(int ent) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    return e ? e->userData : 0;
}

bool CGcadEng::IsInsert(int ent) const {
    return GetTipoEnt(ent) == TipoEntCad::Insert;
}

bool CGcadEng::GetValInsert(int ent, int& block, double& x, double& y, double& z) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    if (!e || e->tipo != TipoEntCad::Insert)
        return false;
    block = e->blocco;
    x = e->punti[0].x;
    y = e->punti[0].y;
    z = e->punti[0].z;
    return true;
}

int CGcadEng::GetAttribNo(int insert, int n) const {
    const Impl::Ent* e = m_pImpl->Trova(insert);
    if (!e || e->tipo != TipoEntCad::Insert || n < 0 || n >= static_cast<int>(e->attributi.size()))
        return 0;
    return e->attributi[static_cast<std::size_t>(n)];
}

bool CGcadEng::GetValAttrib(int attrib, WString& value) const {
    const Impl::Ent* e = m_pImpl->Trova(attrib);
    if (!e || e->tipo != TipoEntCad::Attributo)
        return false;
    value = e->testo;
    return true;
}

bool CGcadEng::SetValAttrib(int attrib, const WString& value) {
    Impl::Ent* e = m_pImpl->Trova(attrib);
    if (!e || e->tipo != TipoEntCad::Attributo)
        return false;
    e->testo = value;
    return true;
}

std::vector<CPuntoCad> CGcadEng::GetPuntiEnt(int ent) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    return e ? e->punti : std::vector<CPuntoCad>();
}

bool CGcadEng::IsPolilineaChiusa(int ent) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    return e && e->tipo == TipoEntCad::Polilinea && e->chiusa;
}

WString CGcadEng::GetTestoEnt(int ent) const {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    return e ? e->testo : WString();
}

bool CGcadEng::SelectEnt(int ent) {
    const Impl::Ent* e = m_pImpl->Trova(ent);
    if (!e || e->disegno < 0)
        return false;
    if (!IsSelectThisEnt(ent))
        m_pImpl->selezione.push_back(ent);
    return true;
}

bool CGcadEng::UnselectEnt(int ent) {
    return std::erase(m_pImpl->selezione, ent) > 0;
}

void CGcadEng::DeselectAllEnt() {
    m_pImpl->selezione.clear();
}

bool CGcadEng::IsSelectThisEnt(int ent) const {
    const auto& sel = m_pImpl->selezione;
    return std::find(sel.begin(), sel.end(), ent) != sel.end();
}

int CGcadEng::GetNumSelected() const {
    return static_cast<int>(m_pImpl->selezione.size());
}

void CGcadEng::SetFocus(CWnd* view) {
    m_pFocus = view;
}

// ---------------------------------------------------------------------------------------------------

CGcadEntIterator::CGcadEntIterator(const CGcadEng* eng, int flag) : m_pEng(eng) {
    if (!eng)
        return;
    m_Ents = flag == 0 ? eng->GetImpl().selezione : eng->GetImpl().InDisegno();
}

int CGcadEntIterator::First() {
    m_Pos = 0;
    return Next();
}

int CGcadEntIterator::Next() {
    while (m_Pos < m_Ents.size()) {
        const int ent = m_Ents[m_Pos++];
        if (m_pEng->GetDisegnoEnt(ent) >= 0)
            return ent;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------------

bool CGcadPickPriorStrat::Ammette(const CGcadEng& eng, int ent) const {
    const int drawing = eng.GetDisegnoEnt(ent);
    if (drawing < 0 || (drawing == DISEGNO_TEMPORANEO && !m_Temporanei))
        return false;
    switch (eng.GetTipoEnt(ent)) {
    case TipoEntCad::Insert:
        return (m_Code & 0x1) != 0;
    case TipoEntCad::Linea:
        return (m_Code & 0x2) != 0;
    case TipoEntCad::Polilinea:
        return (m_Code & 0x80) != 0 || (eng.IsPolilineaChiusa(ent) && (m_Code & 0x20000) != 0);
    case TipoEntCad::Testo:
        return (m_Code & 0x100) != 0;
    default:
        return false;
    }
}
