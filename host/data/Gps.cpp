#include "hostapi/Gps.h"

#include "host/core/Limits.h"
#include "host/core/Parti.h"
#include "host/parti/Coordinate.h"

#include <map>
#include <string>
#include <utility>

namespace {

template <typename T> T* At(const std::vector<std::unique_ptr<T>>& items, int index) {
    if (index < 0 || index >= static_cast<int>(items.size()))
        return nullptr;
    return items[static_cast<std::size_t>(index)].get();
}

} // namespace

void CPunGps::GetGeocCeFaMis(double& x, double& y, double& z) const {
    x = m_X;
    y = m_Y;
    z = m_Z;
}

void CPunGps::SetGeocCeFaMis(double x, double y, double z) {
    m_X = x;
    m_Y = y;
    m_Z = z;
}

void CPunGps::SetPosCov(const long (&cov)[6]) {
    for (int i = 0; i < 6; ++i)
        m_Cov[i] = cov[i];
}

void CPunGps::SetData(int day, int month, int year, int tod) {
    m_Day = day;
    m_Month = month;
    m_Year = year;
    m_Tod = tod;
}

void CGrpGps::GetGeocCeFaMis(double& x, double& y, double& z) const {
    x = m_X;
    y = m_Y;
    z = m_Z;
}

void CGrpGps::SetGeocCeFaMis(double x, double y, double z) {
    m_X = x;
    m_Y = y;
    m_Z = z;
}

CPunGps* CGrpGps::GetPunAt(int index) const {
    return At(m_Pun, index);
}

CPunGps* CGrpGps::AddPun(const WString& name) {
    m_Pun.push_back(std::make_unique<CPunGps>(name));
    return m_Pun.back().get();
}

// The conversions need PROJ, loaded with its part at the first transformation: a command that converts
// nothing does not load it. Without the part no definition is recognised and nothing converts.
std::unique_ptr<host::parti::Trasformazione> NuovaTrasformazione(const std::string& definizione) {
    std::string motivo;
    auto* const crea = host::FunzioneDi<host::parti::CreaTrasformazione>(
        "coordinate", "PregeoCoordinateTrasformazione", motivo);
    if (!crea) {
        host::NotifyInput("conversione delle coordinate non disponibile: " + motivo);
        return nullptr;
    }
    return std::unique_ptr<host::parti::Trasformazione>(crea(definizione.c_str()));
}

struct CConvCoord::Impl {
    std::unique_ptr<host::parti::Trasformazione> base;
    std::map<std::u16string, std::string> comuni;
    std::unique_ptr<host::parti::Trasformazione> forzata;
};

CConvCoord::CConvCoord() : m_Impl(std::make_unique<Impl>()) {}

CConvCoord::~CConvCoord() = default;

bool CConvCoord::Imposta(const std::string& definition) {
    m_Definizione = definition;
    m_Impl->base = definition.empty() ? nullptr : NuovaTrasformazione(definition);
    return m_Impl->base && m_Impl->base->Riconosciuta();
}

void CConvCoord::ImpostaComune(const WString& comune, const std::string& definition) {
    m_Impl->comuni[StringToUpper(comune).str()] = definition;
}

bool CConvCoord::IsConvCoordReady() const {
    return m_Impl->base && m_Impl->base->Valida();
}

void CConvCoord::GrafGpsToPlanAtt(double lat, double lon, double, double, double& east, double& north) const {
    east = REALE_INDEFINITO;
    north = REALE_INDEFINITO;
    const host::parti::Trasformazione* t = m_Impl->forzata ? m_Impl->forzata.get() : m_Impl->base.get();
    if (IsRealeIndefinito(lat) || IsRealeIndefinito(lon) || !t)
        return;
    double e = 0, n = 0;
    if (t->Converti(lat, lon, e, n)) {
        east = e;
        north = n;
    }
}

void CConvCoord::ForzaTempProvCm(const WString&, const WString& comune) {
    const auto it = m_Impl->comuni.find(StringToUpper(comune).str());
    m_Impl->forzata = it == m_Impl->comuni.end() ? nullptr : NuovaTrasformazione(it->second);
}

void CConvCoord::RipristinaTemp() {
    m_Impl->forzata.reset();
}

CLibGps::CLibGps() = default;

CLibGps::~CLibGps() = default;

CGrpGps* CLibGps::GetGrpAt(int index) const {
    return At(m_Grp, index);
}

CGrpGps* CLibGps::AddGrp(const WString& name) {
    m_Grp.push_back(std::make_unique<CGrpGps>(name));
    m_Grp.back()->SetConvCoord(&m_Conv);
    return m_Grp.back().get();
}

int CLibGps::GetPunArSize(int group) const {
    const CGrpGps* g = GetGrpAt(group);
    return g ? g->GetPunArSize() : 0;
}

CPunGps* CLibGps::GetPunAt(int group, int index) const {
    const CGrpGps* g = GetGrpAt(group);
    return g ? g->GetPunAt(index) : nullptr;
}

CGrpGps* CLibGps::GetCurrGrp() const {
    return GetGrpAt(m_Curr);
}

CConvCoord* CLibGps::GetCurrConvCoord() const {
    if (!m_Orientata)
        return nullptr;
    const CGrpGps* g = GetCurrGrp();
    return g && g->GetConvCoord() ? g->GetConvCoord() : const_cast<CConvCoord*>(&m_Conv);
}

CConvCoord* CLibGps::GetCurrValidConvCoord() const {
    CConvCoord* conv = GetCurrConvCoord();
    return conv && conv->IsValida() && conv->IsConvCoordReady() ? conv : nullptr;
}

void CRicevitoreGps::SetUltimaPosizione(double latRad, double lonRad) {
    m_Valida = true;
    m_Lat = latRad;
    m_Lon = lonRad;
}

bool FGetLastCoordGPS(CRicevitoreGps* receiver, double& lat, double& lon) {
    if (!receiver || !receiver->HaPosizione())
        return false;
    lat = receiver->GetLat();
    lon = receiver->GetLon();
    return true;
}
