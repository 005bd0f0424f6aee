// calcola-demo CARTELLA: rewrites a project's measurements from the coordinates of its points, so that a
// sample stays consistent when a point is moved or added. The coordinates are the truth; recomputed are
// the slope distances, zenith angles and directions of the total-station observations, the geocentric
// coordinates of the GPS vertices, the receiver's last position (the first GPS base) and the cartographic
// areas of the rows 7. Everything else (names, notes, heights of instrument and target, the rows 5'
// progressive distances and offsets) is data and stays as written.
#include "host/project/Project.h"
#include "hostapi/Computations.h"

#include <proj.h>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr double kGon = 200.0 / std::numbers::pi;
// Geoid undulation over the survey area: ellipsoidal height = orthometric height + this.
constexpr double kOndulazione = 46.5;

double Arrotonda(double v, int decimali) {
    const double f = std::pow(10.0, decimali);
    return std::round(v * f) / f;
}

// Azimuth from north, clockwise, in gon.
double Azimut(double dx, double dy) {
    const double a = std::atan2(dx, dy) * kGon;
    return a < 0 ? a + 400 : a;
}

void Osservazioni(CSta& sta) {
    const double hs = sta.GetCoordZ() + sta.GetAltStr();
    // The instrument's zero is arbitrary: the first direction as written fixes it.
    double orientamento = 0;
    for (int k = 0; k < sta.GetPunArSize(); ++k) {
        CPun& p = *sta.GetPunAt(k);
        const double dx = p.GetCoordX() - sta.GetCoordX(), dy = p.GetCoordY() - sta.GetCoordY();
        const double dz = p.GetCoordZ() + p.GetAltPri() - hs;
        const double orizzontale = std::hypot(dx, dy);
        if (k == 0)
            orientamento = p.GetDato2() - Azimut(dx, dy);
        p.SetDato0(Arrotonda(std::hypot(orizzontale, dz), 3));
        p.SetDato1(Arrotonda(std::atan2(orizzontale, dz) * kGon, 4));
        p.SetDato2(Arrotonda(std::fmod(Azimut(dx, dy) + orientamento + 800, 400), 4));
    }
}

struct Geografiche {
    double lat, lon; // radians
};

// From the plane system of the project back to WGS84, and on to geocentric X, Y, Z.
class Conversione {
public:
    explicit Conversione(const std::string& sistema) {
        m_Ctx = proj_context_create();
        if (PJ* raw = proj_create_crs_to_crs(m_Ctx, "EPSG:4326", sistema.c_str(), nullptr)) {
            m_Pj = proj_normalize_for_visualization(m_Ctx, raw);
            proj_destroy(raw);
        }
    }
    ~Conversione() {
        if (m_Pj)
            proj_destroy(m_Pj);
        proj_context_destroy(m_Ctx);
    }
    bool Valida() const { return m_Pj != nullptr; }

    Geografiche DaPiano(const CEgn& p) const {
        const PJ_COORD c = proj_trans(m_Pj, PJ_INV, proj_coord(p.GetCoordX(), p.GetCoordY(), 0, 0));
        constexpr double gradi = std::numbers::pi / 180.0; // PROJ answers degrees, longitude first
        return {c.lp.phi * gradi, c.lp.lam * gradi};
    }
    void Geocentriche(const CEgn& p, double& x, double& y, double& z) const {
        const Geografiche g = DaPiano(p);
        const double a = 6378137.0, f = 1 / 298.257223563, e2 = f * (2 - f);
        const double h = p.GetCoordZ() + kOndulazione;
        const double n = a / std::sqrt(1 - e2 * std::sin(g.lat) * std::sin(g.lat));
        x = Arrotonda((n + h) * std::cos(g.lat) * std::cos(g.lon), 3);
        y = Arrotonda((n + h) * std::cos(g.lat) * std::sin(g.lon), 3);
        z = Arrotonda((n * (1 - e2) + h) * std::sin(g.lat), 3);
    }

private:
    PJ_CONTEXT* m_Ctx = nullptr;
    PJ* m_Pj = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: calcola-demo CARTELLA\n");
        return 2;
    }
    std::unique_ptr<host::Project> progetto;
    try {
        progetto = host::Project::Load(argv[1]);
    } catch (const host::ProjectError& e) {
        std::fprintf(stderr, "calcola-demo: %s\n", e.what());
        return 2;
    }
    CLibCmp& cmp = progetto->cmp;
    for (int j = 0; j < cmp.GetJobArSize(); ++j)
        for (int s = 0; s < cmp.GetStaArSize(j); ++s)
            Osservazioni(*cmp.GetStaAt(j, s));

    const Conversione conversione(progetto->gps.GetConvCoordProgetto().GetDefinizione());
    if (!conversione.Valida()) {
        std::fprintf(stderr, "calcola-demo: il sistema di coordinate del GPS non è valido\n");
        return 1;
    }
    for (int g = 0; g < progetto->gps.GetGrpArSize(); ++g) {
        CGrpGps& grp = *progetto->gps.GetGrpAt(g);
        double x = 0, y = 0, z = 0;
        conversione.Geocentriche(grp, x, y, z);
        grp.SetGeocCeFaMis(x, y, z);
        if (g == 0) {
            const Geografiche base = conversione.DaPiano(grp);
            progetto->ricevitore.SetUltimaPosizione(Arrotonda(base.lat, 9), Arrotonda(base.lon, 9));
        }
        for (int k = 0; k < grp.GetPunArSize(); ++k) {
            CPunGps& p = *grp.GetPunAt(k);
            conversione.Geocentriche(p, x, y, z);
            p.SetGeocCeFaMis(x, y, z);
        }
    }

    // The areas as the host computes them, rows 5 placed on their alignments first.
    CCts& cts = progetto->cts;
    const CCalcRighePregeo calcolo(&cts, &cmp, &progetto->gps, nullptr);
    for (int i = 0; i < cts.m_Righe45.GetRigArSize(); ++i)
        calcolo.CalcolaSngRiga45(cts.m_Righe45.GetRigAt(i));
    for (int i = 0; i < cts.m_Righe7.GetRigArSize(); ++i)
        if (CRig* r = cts.m_Righe7.GetRigAt(i); r->GetTipoRiga() == '7' && !calcolo.CalcolaSngRiga7(r)) {
            std::fprintf(stderr, "calcola-demo: la riga 7 n. %d non ha superficie\n", i + 1);
            return 1;
        }

    if (!progetto->Save()) {
        std::fprintf(stderr, "calcola-demo: %s non si può salvare\n", argv[1]);
        return 1;
    }
    return 0;
}
