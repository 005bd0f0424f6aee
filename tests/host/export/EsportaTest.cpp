// The written files read back through OGR and held against the project they came from.
#include "host/export/Esporta.h"
#include "pfimport/ElencoPFRilievo.h"

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <ogrsf_frmts.h>
#include <proj.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace fs = std::filesystem;
using namespace host::esporta;

namespace {

struct Oggetto {
    std::string strato, nome;
    std::vector<std::pair<double, double>> punti; // a ring without its repeated first point
    bool anello = false;
};

std::string Testo(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// What a file holds, in the order read: the layer (the DXF's "Layer", the GeoJSON's "strato"), the
// feature's name (a DXF text's text) and its vertices.
std::vector<Oggetto> Leggi(const fs::path& file) {
    GDALAllRegister();
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR));
    EXPECT_TRUE(ds) << file;
    std::vector<Oggetto> out;
    if (!ds)
        return out;
    for (OGRLayer* l : ds->GetLayers())
        for (const auto& f : *l) {
            Oggetto o;
            o.strato = l->GetName();
            const OGRFeatureDefn* d = f->GetDefnRef();
            for (const char* campo : {"Layer", "strato"})
                if (d->GetFieldIndex(campo) >= 0)
                    o.strato = f->GetFieldAsString(campo);
            for (const char* campo : {"nome", "particella", "Text"})
                if (d->GetFieldIndex(campo) >= 0 && f->IsFieldSetAndNotNull(d->GetFieldIndex(campo)))
                    o.nome = f->GetFieldAsString(campo);
            if (d->GetFieldIndex("da") >= 0 && f->IsFieldSetAndNotNull(d->GetFieldIndex("da")))
                o.nome = std::string(f->GetFieldAsString("da")) + "-" + f->GetFieldAsString("a");
            const OGRGeometry* g = f->GetGeometryRef();
            const OGRSimpleCurve* linea = nullptr;
            switch (wkbFlatten(g->getGeometryType())) {
            case wkbPoint:
                o.punti.push_back({g->toPoint()->getX(), g->toPoint()->getY()});
                break;
            case wkbPolygon:
                linea = g->toPolygon()->getExteriorRing();
                o.anello = true;
                break;
            case wkbLineString:
                linea = g->toLineString();
                break;
            default:
                ADD_FAILURE() << "geometry " << g->getGeometryName();
            }
            for (int i = 0; linea && i < linea->getNumPoints(); ++i)
                o.punti.push_back({linea->getX(i), linea->getY(i)});
            // A DXF polygon reads back as a closed polyline.
            if (linea && o.punti.size() > 2 && o.punti.front() == o.punti.back()) {
                o.anello = true;
                o.punti.pop_back();
            }
            out.push_back(std::move(o));
        }
    return out;
}

// Twice the signed area: positive counter-clockwise.
double DoppiaArea(const std::vector<std::pair<double, double>>& v) {
    double a = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        a += v[i].first * v[(i + 1) % v.size()].second - v[(i + 1) % v.size()].first * v[i].second;
    return a;
}

// Plane coordinates to longitude and latitude, PROJ alone (not through GDAL).
class VersoWgs84 {
public:
    explicit VersoWgs84(const std::string& sistema) {
        PJ* pj = proj_create_crs_to_crs(nullptr, sistema.c_str(), "EPSG:4326", nullptr);
        m_Pj = proj_normalize_for_visualization(nullptr, pj);
        proj_destroy(pj);
    }
    ~VersoWgs84() { proj_destroy(m_Pj); }
    std::pair<double, double> operator()(std::pair<double, double> p) const {
        const PJ_COORD c = proj_trans(m_Pj, PJ_FWD, proj_coord(p.first, p.second, 0, 0));
        return {c.lp.lam, c.lp.phi};
    }

private:
    PJ* m_Pj = nullptr;
};

// What the file should hold, in the order written.
std::vector<Oggetto> Attesi(const Rilievo& r, Formato formato) {
    std::vector<Oggetto> out;
    const bool dxf = formato == Formato::Dxf;
    for (const PuntoEsportato& p : r.punti) {
        if (dxf) {
            out.push_back({StratoDxf(p.tipo), "", {{p.x, p.y}}});
            out.push_back({StratoDxf(p.tipo), p.nome, {{p.x, p.y}}}); // its name beside it
        } else {
            out.push_back({"punti", p.nome, {{p.x, p.y}}});
        }
    }
    for (const Riga7Esportata& r7 : r.righe7) {
        Oggetto o{dxf         ? "RIGHE7"
                  : r7.chiusa ? "righe7"
                              : "righe7_aperte",
                  dxf ? "" : r7.particella,
                  {},
                  r7.chiusa};
        for (const Vertice& v : r7.vertici)
            o.punti.push_back({v.x, v.y});
        out.push_back(o);
        if (dxf)
            out.push_back(
                {"RIGHE7", r7.particella.empty() ? "riga " + std::to_string(r7.numero) : r7.particella, {}});
    }
    for (std::size_t i = 0; i + 1 < r.maglia.size(); ++i)
        out.push_back({dxf ? "MAGLIA" : "maglia",
                       dxf ? "" : r.maglia[i].nome + "-" + r.maglia[i + 1].nome,
                       {{r.maglia[i].x, r.maglia[i].y}, {r.maglia[i + 1].x, r.maglia[i + 1].y}}});
    if (formato == Formato::GeoJson) {
        const VersoWgs84 wgs84(r.sistema);
        for (Oggetto& o : out)
            for (auto& p : o.punti)
                p = wgs84(p);
    }
    return out;
}

// Every feature against its expectation: the layer, the name, each vertex within the tolerance (a ring
// may start anywhere and must turn counter-clockwise); a DXF name only near its point.
void Confronta(const std::vector<Oggetto>& letti, const std::vector<Oggetto>& attesi, double tolleranza,
               bool dxf) {
    ASSERT_EQ(letti.size(), attesi.size());
    for (std::size_t i = 0; i < letti.size(); ++i) {
        const Oggetto &l = letti[i], &a = attesi[i];
        SCOPED_TRACE("feature " + std::to_string(i) + " " + a.strato + " " + a.nome);
        EXPECT_EQ(l.strato, a.strato);
        EXPECT_EQ(l.nome, a.nome);
        if (dxf && !a.nome.empty()) {
            if (!a.punti.empty()) {
                EXPECT_LT(
                    std::hypot(l.punti[0].first - a.punti[0].first, l.punti[0].second - a.punti[0].second),
                    1);
            }
            continue;
        }
        ASSERT_EQ(l.punti.size(), a.punti.size());
        EXPECT_EQ(l.anello, a.anello);
        for (const auto& p : a.punti) {
            const bool trovato = std::any_of(l.punti.begin(), l.punti.end(), [&](const auto& q) {
                return std::fabs(p.first - q.first) <= tolleranza &&
                       std::fabs(p.second - q.second) <= tolleranza;
            });
            EXPECT_TRUE(trovato) << std::setprecision(12) << p.first << " " << p.second;
        }
        if (a.anello) {
            EXPECT_GT(DoppiaArea(l.punti), 0) << "outer ring clockwise";
        } else {
            for (std::size_t k = 0; k < a.punti.size(); ++k)
                EXPECT_NEAR(l.punti[k].first, a.punti[k].first, tolleranza);
        }
    }
}

class Esportazione : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("pregeo_esporta_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        progetto = host::Project::Load("samples/demo");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::vector<Vertice> Maglia() {
        CElencoPFRilievo elenco(&progetto->gps, &progetto->cmp, &progetto->cts);
        CPoint3dVector validi, anello, interni;
        elenco.CostruisciMaglia(validi, anello, interni);
        std::vector<Vertice> v;
        for (int i = 0; i < anello.GetSize(); ++i)
            v.push_back({anello.GetAt(i).nome.ToUtf8(), anello.GetAt(i).x, anello.GetAt(i).y});
        return v;
    }
    // Only the files asked for: nothing half written, nothing left beside.
    std::vector<std::string> Files() const {
        std::vector<std::string> nomi;
        for (const auto& e : fs::directory_iterator(dir))
            nomi.push_back(e.path().filename().string());
        std::sort(nomi.begin(), nomi.end());
        return nomi;
    }

    fs::path dir;
    std::unique_ptr<host::Project> progetto;
};

struct Caso {
    const char* file;
    Formato formato;
    double tolleranza;
};
const Caso kCasi[] = {
    {"demo.gpkg", Formato::GeoPackage, 1e-3},
    {"demo.dxf", Formato::Dxf, 1e-3},
    {"demo.geojson", Formato::GeoJson, 1e-8},
};

TEST_F(Esportazione, EachFormatReadsBackAsTheSurvey) {
    const Rilievo r = Raccogli(*progetto, Maglia());
    // The demo as the drawing has it: 16 points, both rows 7 closed, a mesh of five sides.
    ASSERT_EQ(r.punti.size(), 16u);
    ASSERT_EQ(r.righe7.size(), 2u);
    ASSERT_TRUE(r.escluse.empty());
    ASSERT_EQ(r.maglia.size(), 6u);
    for (const Caso& c : kCasi) {
        SCOPED_TRACE(c.file);
        const Esito e = Scrivi(r, dir / c.file, false);
        ASSERT_TRUE(e.ok) << e.motivo;
        Confronta(Leggi(dir / c.file), Attesi(r, c.formato), c.tolleranza, c.formato == Formato::Dxf);
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"demo.dxf", "demo.geojson", "demo.gpkg"}));
}

TEST_F(Esportazione, GeoPackageCarriesTheProjectSystemAndTheAttributes) {
    ASSERT_TRUE(Esporta(*progetto, dir / "demo.gpkg", false).ok);
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open((dir / "demo.gpkg").c_str(), GDAL_OF_VECTOR));
    ASSERT_TRUE(ds);
    OGRSpatialReference atteso;
    ASSERT_EQ(atteso.SetFromUserInput(progetto->gps.GetConvCoordProgetto().GetDefinizione().c_str()),
              OGRERR_NONE);
    for (const char* strato : {"punti", "righe7", "righe7_aperte", "maglia"}) {
        OGRLayer* l = ds->GetLayerByName(strato);
        ASSERT_TRUE(l) << strato;
        ASSERT_TRUE(l->GetSpatialRef()) << strato;
        EXPECT_TRUE(l->GetSpatialRef()->IsSame(&atteso)) << strato;
    }
    // The station 100 of the demo: its height, its note; a row 7: its census surface.
    OGRLayer* punti = ds->GetLayerByName("punti");
    punti->SetAttributeFilter("nome = '100'");
    std::unique_ptr<OGRFeature> f(punti->GetNextFeature());
    ASSERT_TRUE(f);
    EXPECT_STREQ(f->GetFieldAsString("tipo"), "stazione");
    EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("quota"), 57.55);
    EXPECT_STREQ(f->GetFieldAsString("note"), "Stazione su chiodo");
    OGRLayer* righe7 = ds->GetLayerByName("righe7");
    std::unique_ptr<OGRFeature> r7(righe7->GetNextFeature());
    ASSERT_TRUE(r7);
    const CRig* riga = progetto->cts.m_Righe7.GetRigAt(0);
    for (int i = 0; riga->GetTipoRiga() != '7'; ++i)
        riga = progetto->cts.m_Righe7.GetRigAt(i + 1);
    EXPECT_EQ(r7->GetFieldAsString("particella"), riga->GetLblNome1().ToUtf8());
    EXPECT_DOUBLE_EQ(r7->GetFieldAsDouble("sup_censuaria"), riga->GetDatoRea2());
}

TEST_F(Esportazione, GeoJsonIsRfc7946) {
    ASSERT_TRUE(Esporta(*progetto, dir / "demo.geojson", false, Maglia()).ok);
    const nlohmann::json j = nlohmann::json::parse(Testo(dir / "demo.geojson"));
    EXPECT_EQ(j["type"], "FeatureCollection");
    EXPECT_FALSE(j.contains("crs")); // WGS84 is implied
    int poligoni = 0;
    for (const auto& f : j["features"]) {
        const auto& g = f["geometry"];
        if (g["type"] == "Point") {
            // Parma: longitude about 10.3, latitude about 44.8, in that order.
            EXPECT_NEAR(g["coordinates"][0].get<double>(), 10.35, 0.1);
            EXPECT_NEAR(g["coordinates"][1].get<double>(), 44.8, 0.1);
        }
        if (g["type"] == "Polygon") {
            ++poligoni;
            std::vector<std::pair<double, double>> anello;
            for (const auto& p : g["coordinates"][0])
                anello.push_back({p[0].get<double>(), p[1].get<double>()});
            EXPECT_EQ(anello.front(), anello.back());
            EXPECT_GT(DoppiaArea(anello), 0);
        }
    }
    EXPECT_EQ(poligoni, 2);
}

TEST_F(Esportazione, WithoutSystemDxfAndGeoPackageHaveNoneAndGeoJsonIsRefused) {
    ASSERT_TRUE(progetto->gps.GetConvCoordProgetto().Imposta("") == false);
    const Rilievo r = Raccogli(*progetto);
    ASSERT_TRUE(r.sistema.empty());
    for (const Caso& c : kCasi) {
        SCOPED_TRACE(c.file);
        const Esito e = Scrivi(r, dir / c.file, false);
        if (c.formato == Formato::GeoJson) {
            EXPECT_FALSE(e.ok);
            EXPECT_NE(e.motivo.find("il progetto non ha un sistema di coordinate"), std::string::npos)
                << e.motivo;
            continue;
        }
        ASSERT_TRUE(e.ok) << e.motivo;
        Confronta(Leggi(dir / c.file), Attesi(r, c.formato), c.tolleranza, c.formato == Formato::Dxf);
    }
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open((dir / "demo.gpkg").c_str(), GDAL_OF_VECTOR));
    ASSERT_TRUE(ds);
    // Not "undefined geographic": the coordinates are metres on a plane.
    const OGRSpatialReference* srs = ds->GetLayerByName("punti")->GetSpatialRef();
    EXPECT_TRUE(!srs || srs->IsLocal());
    EXPECT_EQ(Files(), (std::vector<std::string>{"demo.dxf", "demo.gpkg"}));
}

// Rows 7 added to the demo: what leaves, as what, and what stays out with its reason.
TEST_F(Esportazione, RowsSevenAsPolygonsLinesOrLeftOut) {
    struct Riga {
        std::vector<const char16_t*> vertici;
        const char* esito; // "poligono", "linea", or the reason it stays out
    };
    const Riga righe[] = {
        {{u"11", u"12", u"13", u"11"}, "poligono"},
        {{u"11", u"12", u"13"}, "linea"},
        {{u"11", u"12"}, "linea"},
        {{u"11", u"NESSUNO", u"13", u"11"}, "il vertice «NESSUNO» non ha coordinate"},
        {{u"11"}, "ha meno di due vertici"},
        {{u"11", u"12", u"11"}, "è chiusa su meno di tre vertici"},
    };
    const Rilievo prima = Raccogli(*progetto);
    for (const Riga& r : righe) {
        CRig* riga = new CRig('7');
        for (const char16_t* v : r.vertici)
            riga->AddVrt(CCtsVrt(v));
        riga->SetLblNome1(u"T");
        progetto->cts.m_Righe7.AddRig(riga);
    }
    const Rilievo dopo = Raccogli(*progetto);
    ASSERT_EQ(dopo.righe7.size() + dopo.escluse.size(), prima.righe7.size() + std::size(righe));
    std::size_t esportata = prima.righe7.size(), esclusa = 0;
    for (const Riga& r : righe) {
        SCOPED_TRACE(r.esito);
        const std::string esito = r.esito;
        if (esito == "poligono" || esito == "linea") {
            ASSERT_LT(esportata, dopo.righe7.size());
            EXPECT_EQ(dopo.righe7[esportata++].chiusa, esito == "poligono");
        } else {
            ASSERT_LT(esclusa, dopo.escluse.size());
            EXPECT_EQ(dopo.escluse[esclusa++].motivo, esito);
        }
    }
    ASSERT_TRUE(Scrivi(dopo, dir / "righe.gpkg", false).ok);
    Confronta(Leggi(dir / "righe.gpkg"), Attesi(dopo, Formato::GeoPackage), 1e-3, false);
}

TEST_F(Esportazione, NonAsciiNamesSurvive) {
    const std::string nome = "Stazione à è ì ò ù € Ω “100”";
    progetto->cmp.GetStaAt(0, 0)->SetNome(WString::FromUtf8(nome));
    CRig* riga = nullptr;
    for (int i = 0; i < progetto->cts.m_Righe7.GetRigArSize(); ++i)
        if (progetto->cts.m_Righe7.GetRigAt(i)->GetTipoRiga() == '7')
            riga = progetto->cts.m_Righe7.GetRigAt(i);
    riga->SetLblNome1(u"Particella ß/Ä");
    const Rilievo r = Raccogli(*progetto);
    for (const Caso& c : kCasi) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(Scrivi(r, dir / c.file, false).ok);
        const std::vector<Oggetto> letti = Leggi(dir / c.file);
        for (const std::string& atteso : {nome, std::string("Particella ß/Ä")})
            EXPECT_TRUE(std::any_of(letti.begin(), letti.end(), [&](const Oggetto& o) {
                return o.nome == atteso;
            })) << atteso;
    }
}

TEST_F(Esportazione, AnExistingFileIsReplacedOnlyWhenAsked) {
    for (const Caso& c : kCasi) {
        SCOPED_TRACE(c.file);
        const fs::path file = dir / c.file;
        std::ofstream(file) << "del tecnico";
        const Esito e = Esporta(*progetto, file, false);
        EXPECT_FALSE(e.ok);
        EXPECT_NE(e.motivo.find("esiste già"), std::string::npos) << e.motivo;
        EXPECT_EQ(Testo(file), "del tecnico");
        ASSERT_TRUE(Esporta(*progetto, file, true).ok);
        EXPECT_EQ(Leggi(file).size(), Attesi(Raccogli(*progetto), c.formato).size());
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"demo.dxf", "demo.geojson", "demo.gpkg"}));
}

// A disk that fills up half way (the file size limit plays it): no file, nothing left beside.
TEST_F(Esportazione, AFailedWriteLeavesNoFile) {
    const Rilievo r = Raccogli(*progetto, Maglia());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit prima{};
    getrlimit(RLIMIT_FSIZE, &prima);
    for (const Caso& c : kCasi)
        for (const rlim_t limite : {rlim_t(0), rlim_t(1000), rlim_t(3000)}) {
            SCOPED_TRACE(std::string(c.file) + " limit " + std::to_string(limite));
            rlimit stretto = prima;
            stretto.rlim_cur = limite;
            setrlimit(RLIMIT_FSIZE, &stretto);
            const Esito e = Scrivi(r, dir / c.file, false);
            setrlimit(RLIMIT_FSIZE, &prima);
            EXPECT_FALSE(e.ok);
            EXPECT_NE(e.motivo.find("non si può scrivere: il file supera la dimensione consentita"),
                      std::string::npos)
                << e.motivo;
            EXPECT_EQ(Files(), std::vector<std::string>{});
        }
    const Esito e = Scrivi(r, dir / "manca" / "demo.gpkg", false);
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(fs::exists(dir / "manca"));
}

} // namespace
