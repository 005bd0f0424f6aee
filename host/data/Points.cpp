#include "hostapi/Points.h"

void CEgn::SetCoord(double x, double y, double z) {
    m_X = x;
    m_Y = y;
    m_Z = z;
}

void CEgn::SetCoordXY(double x, double y) {
    m_X = x;
    m_Y = y;
}

void CEgn::SetCoordZ(double z) {
    m_Z = z;
}

void CEgn::CalcolaValiditaXYZ() {
    m_ValidoXY = !IsRealeIndefinito(m_X) && !IsRealeIndefinito(m_Y);
    m_ValidoZ = !IsRealeIndefinito(m_Z);
}

void CEgn::AnnullaValidita() {
    m_ValidoXY = false;
    m_ValidoZ = false;
}

int CLibConOri::GetOriArSizePregeo() const {
    int n = 0;
    for (const auto& ori : m_Ori)
        if (!ori->IsCodedNP())
            ++n;
    return n;
}

COri* CLibConOri::GetOriAt(int index) const {
    if (index < 0 || index >= GetOriArSize())
        return nullptr;
    return m_Ori[static_cast<std::size_t>(index)].get();
}

COri* CLibConOri::AddOri(bool notify) {
    if (GetOriArSize() >= m_MaxOri)
        return nullptr;
    m_Ori.push_back(std::make_unique<COri>());
    if (notify)
        NotificaModifica(true);
    return m_Ori.back().get();
}

void CLibConOri::DelOriAt(int index) {
    if (index >= 0 && index < GetOriArSize())
        m_Ori.erase(m_Ori.begin() + index);
}

void CLibConOri::NotificaModifica(bool) {
    ++m_Notifiche;
}
