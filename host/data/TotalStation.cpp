#include "hostapi/TotalStation.h"

#include <cmath>
#include <numbers>

namespace {

template <typename T> T* At(const std::vector<std::unique_ptr<T>>& items, int index) {
    if (index < 0 || index >= static_cast<int>(items.size()))
        return nullptr;
    return items[static_cast<std::size_t>(index)].get();
}

} // namespace

CPun* CSta::GetPunAt(int index) const {
    return At(m_Pun, index);
}

CPun* CSta::AddPun(const WString& name) {
    m_Pun.push_back(std::make_unique<CPun>(name));
    return m_Pun.back().get();
}

CSta* CJob::GetStaAt(int index) const {
    return At(m_Sta, index);
}

CSta* CJob::AddSta(const WString& name) {
    m_Sta.push_back(std::make_unique<CSta>(name));
    return m_Sta.back().get();
}

double CCalcDsOr::CalcDistOr(double slope, double zenith) const {
    if (IsRealeIndefinito(slope) || IsRealeIndefinito(zenith) || slope < 0)
        return REALE_INDEFINITO;
    return std::fabs(slope * std::sin(zenith * std::numbers::pi / 200.0));
}

bool CalcoloDrittoOCap(double& zenith, double& direction) {
    if (IsRealeIndefinito(zenith) || zenith <= 200.0)
        return false;
    zenith = 400.0 - zenith;
    if (!IsRealeIndefinito(direction)) {
        direction += 200.0;
        if (direction >= 400.0)
            direction -= 400.0;
    }
    return true;
}

CJob* CLibCmp::GetJobAt(int index) const {
    return At(m_Job, index);
}

CJob* CLibCmp::AddJob(const WString& name) {
    m_Job.push_back(std::make_unique<CJob>(name));
    return m_Job.back().get();
}

int CLibCmp::GetStaArSize(int job) const {
    const CJob* j = GetJobAt(job);
    return j ? j->GetStaArSize() : 0;
}

CSta* CLibCmp::GetStaAt(int job, int index) const {
    const CJob* j = GetJobAt(job);
    return j ? j->GetStaAt(index) : nullptr;
}

int CLibCmp::GetPunArSize(int job, int station) const {
    const CSta* s = GetStaAt(job, station);
    return s ? s->GetPunArSize() : 0;
}

CPun* CLibCmp::GetPunAt(int job, int station, int index) const {
    const CSta* s = GetStaAt(job, station);
    return s ? s->GetPunAt(index) : nullptr;
}
