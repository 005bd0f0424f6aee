#include "host/parti/Coordinate.h"
#include "host/core/Parti.h"

#include <cmath>
#include <numbers>
#include <proj.h>
#include <string>

namespace {

// Built on first use: searching the projection database for the operation takes milliseconds that
// loading a project, or a command that converts nothing, need not spend.
class TrasformazioneProj : public host::parti::Trasformazione {
public:
    explicit TrasformazioneProj(std::string definition) : m_Definizione(std::move(definition)) {
        m_Ctx = proj_context_create();
        proj_log_level(m_Ctx, PJ_LOG_NONE);
    }
    ~TrasformazioneProj() override {
        if (m_Pj)
            proj_destroy(m_Pj);
        proj_context_destroy(m_Ctx);
    }
    TrasformazioneProj(const TrasformazioneProj&) = delete;
    TrasformazioneProj& operator=(const TrasformazioneProj&) = delete;

    // Read as the transformation will read it: a PROJ string as a system.
    bool Riconosciuta() const override {
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
    bool Valida() const override { return Pj() != nullptr; }
    bool Converti(double latRad, double lonRad, double& east, double& north) const override {
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

} // namespace

PREGEO_PARTE host::parti::Trasformazione* PregeoCoordinateTrasformazione(const char* definizione) {
    return new TrasformazioneProj(definizione);
}
