#include "hostapi/Gps.h"

#include <cmath>
#include <map>
#include <numbers>
#include <proj.h>
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

// One PROJ transformation from WGS84 geographic coordinates to a plane system, built on first use:
// searching the projection database for the operation takes milliseconds that loading a project, or a
// command that converts nothing, need not spend.
class Trasformazione {
public:
    explicit Trasformazione(std::string definition) : m_Definizione(std::move(definition)) {
        m_Ctx = proj_context_create();
        proj_log_level(m_Ctx, PJ_LOG_NONE);
    }
    ~Trasformazione() {
        if (m_Pj)
            proj_destroy(m_Pj);
        proj_context_destroy(m_Ctx);
    }
    Trasformazione(const Trasformazione&) = delete;
    Trasformazione& operator=(const Trasformazione&) = delete;

    // Whether the definition names a coordinate system, read as the transformation will read it (a PROJ
    // string as a system); this needs no search for an operation.
    bool Riconosciuta() const {
        std::string testo = m_Definizione;
        const bool stringaProj = testo.starts_with("+proj=") || testo.starts_with("proj=") ||
                                 testo.starts_with("+init=") || testo.starts_with("init=");
        if (stringaProj && testo.find("type=crs") == std::string::npos)
            testo += " +type=crs";
        PJ* crs = proj_create(m_Ctx, testo.c_str());
        const bool sistema = crs && proj_is_crs(crs);
        if (crs)
            proj_destroy(crs);
        return sistema;
    }
    bool Valida() const { return Pj() != nullptr; }
    bool Converti(double latRad, double lonRad, double& east, double& north) const {
        PJ* pj = Pj();
        if (!pj)
            return false;
        const PJ_COORD in =
            proj_coord(lonRad * 180.0 / std::numbers::pi, latRad * 180.0 / std::numbers::pi, 0, 0);
        const PJ_COORD out = proj_trans(pj, PJ_FWD, in);
        if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y) || out.xy.x == HUGE_VAL)
            return false;
        east = out.xy.x;
        north = out.xy.y;
        return true;
    }

private:
    PJ* Pj() const {
        if (!m_Costruita) {
            m_Costruita = true;
            PJ* raw = proj_create_crs_to_crs(m_Ctx, "EPSG:4326", m_Definizione.c_str(), nullptr);
            if (raw) {
                m_Pj = proj_normalize_for_visualization(m_Ctx, raw);
                proj_destroy(raw);
            }
        }
        return m_Pj;
    }

    std::string m_Definizione;
    PJ_CONTEXT* m_Ctx = nullptr;
    mutable PJ* m_Pj = nullptr;
    mutable bool m_Costruita = false;
};

struct CConvCoord::Impl {
    std::unique_ptr<Trasformazione> base;
    std::map<std::u16string, std::string> comuni;
    std::unique_ptr<Trasformazione> forzata;
};

CConvCoord::CConvCoord() : m_Impl(std::make_unique<Impl>()) {}

CConvCoord::~CConvCoord() = default;

bool CConvCoord::Imposta(const std::string& definition) {
    m_Definizione = definition;
    m_Impl->base = definition.empty() ? nullptr : std::make_unique<Trasformazione>(definition);
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
    const Trasformazione* t = m_Impl->forzata ? m_Impl->forzata.get() : m_Impl->base.get();
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
    m_Impl->forzata = it == m_Impl->comuni.end() ? nullptr : std::make_unique<Trasformazione>(it->second);
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
