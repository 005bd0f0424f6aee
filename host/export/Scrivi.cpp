#include "host/core/HostContext.h"
#include "host/export/Esporta.h"

#include <cpl_error.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

namespace host::esporta {

namespace {

namespace fs = std::filesystem;

// GDAL's complaints are gathered, not printed: the first failure is the reason the surveyor reads.
class Errori {
public:
    Errori() : m_Prima(t_Attivo) {
        t_Attivo = this;
        CPLPushErrorHandler(&Errori::Raccogli);
    }
    ~Errori() {
        CPLPopErrorHandler();
        t_Attivo = m_Prima;
    }
    Errori(const Errori&) = delete;
    Errori& operator=(const Errori&) = delete;
    const std::string& Primo() const { return m_Primo; }

private:
    static void CPL_STDCALL Raccogli(CPLErr classe, CPLErrorNum, const char* testo) {
        // Not the handler's user data: a driver that gathers errors and passes them on calls this
        // handler with its own.
        Errori* self = t_Attivo;
        if (self && classe >= CE_Failure && self->m_Primo.empty())
            self->m_Primo = testo && *testo ? testo : "errore di GDAL";
    }
    static thread_local Errori* t_Attivo;
    Errori* m_Prima;
    std::string m_Primo;
};
thread_local Errori* Errori::t_Attivo = nullptr;

// Text in an OGR style string's quotes.
std::string TestoStile(const std::string& s) {
    std::string out;
    for (const char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

// The outer ring counter-clockwise, as RFC 7946 asks and as the simple features read it: X is East and Y
// North, so the turn is the same in the plane and in longitude and latitude.
std::vector<Vertice> Antiorario(std::vector<Vertice> v) {
    double doppiaArea = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Vertice &p = v[i], &q = v[(i + 1) % v.size()];
        doppiaArea += p.x * q.y - q.x * p.y;
    }
    if (doppiaArea < 0)
        std::reverse(v.begin() + 1, v.end());
    return v;
}

struct Stratificazione {
    OGRLayer* punti = nullptr;
    OGRLayer* righe7 = nullptr;
    OGRLayer* aperte = nullptr;
    OGRLayer* maglia = nullptr;
};

class Scrittore {
public:
    Scrittore(const Rilievo& rilievo, Formato formato, GDALDataset& ds, OGRSpatialReference* sistema)
        : m_Rilievo(rilievo), m_Formato(formato), m_Ds(ds), m_Sistema(sistema) {}

    bool Scrivi() {
        if (m_Formato == Formato::Dxf)
            return ScriviDxf();
        Stratificazione s;
        if (m_Formato == Formato::GeoJson) {
            // One collection: the kind of each feature is its "strato".
            char** opzioni = nullptr;
            opzioni = CSLSetNameValue(opzioni, "RFC7946", "YES");
            // Nine decimals of a degree are a tenth of a millimetre.
            opzioni = CSLSetNameValue(opzioni, "COORDINATE_PRECISION", "9");
            OGRLayer* l = m_Ds.CreateLayer("rilievo", m_Sistema, wkbUnknown, opzioni);
            CSLDestroy(opzioni);
            if (!l)
                return false;
            if (!Campo(l, "strato", OFTString))
                return false;
            if (!CampiPunti(l) || !CampiRighe7(l) || !CampiMaglia(l))
                return false;
            s = {l, l, l, l};
        } else {
            s.punti = m_Ds.CreateLayer("punti", m_Sistema, wkbPoint, nullptr);
            if (!s.punti || !CampiPunti(s.punti))
                return false;
            s.righe7 = m_Ds.CreateLayer("righe7", m_Sistema, wkbPolygon, nullptr);
            if (!s.righe7 || !CampiRighe7(s.righe7))
                return false;
            s.aperte = m_Ds.CreateLayer("righe7_aperte", m_Sistema, wkbLineString, nullptr);
            if (!s.aperte || !CampiRighe7(s.aperte))
                return false;
            s.maglia = m_Ds.CreateLayer("maglia", m_Sistema, wkbLineString, nullptr);
            if (!s.maglia || !CampiMaglia(s.maglia))
                return false;
        }
        // A GeoPackage writes its rows in one transaction: thousands of points in one commit.
        const bool transazione = m_Formato == Formato::GeoPackage && m_Ds.StartTransaction() == OGRERR_NONE;
        if (!ScriviStrati(s))
            return false;
        return !transazione || m_Ds.CommitTransaction() == OGRERR_NONE;
    }

private:
    static bool Campo(OGRLayer* l, const char* nome, OGRFieldType tipo) {
        OGRFieldDefn campo(nome, tipo);
        return l->CreateField(&campo) == OGRERR_NONE;
    }
    static bool CampiPunti(OGRLayer* l) {
        return Campo(l, "nome", OFTString) && Campo(l, "tipo", OFTString) && Campo(l, "quota", OFTReal) &&
               Campo(l, "codici", OFTString) && Campo(l, "note", OFTString);
    }
    static bool CampiRighe7(OGRLayer* l) {
        return Campo(l, "numero", OFTInteger) && Campo(l, "particella", OFTString) &&
               Campo(l, "sup_censuaria", OFTReal);
    }
    static bool CampiMaglia(OGRLayer* l) { return Campo(l, "da", OFTString) && Campo(l, "a", OFTString); }

    bool Aggiungi(OGRLayer* l, OGRFeature& f, const char* strato) {
        if (m_Formato == Formato::GeoJson)
            f.SetField("strato", strato);
        return l->CreateFeature(&f) == OGRERR_NONE;
    }

    static OGRGeometry* Linea(const std::vector<Vertice>& vertici, bool chiusa) {
        auto anello = std::make_unique<OGRLinearRing>();
        auto linea = std::make_unique<OGRLineString>();
        for (const Vertice& v : vertici)
            (chiusa ? static_cast<OGRSimpleCurve*>(anello.get()) : linea.get())->addPoint(v.x, v.y);
        if (!chiusa)
            return linea.release();
        anello->closeRings();
        auto poligono = std::make_unique<OGRPolygon>();
        poligono->addRingDirectly(anello.release());
        return poligono.release();
    }

    bool ScriviStrati(const Stratificazione& s) {
        for (const PuntoEsportato& p : m_Rilievo.punti) {
            OGRFeature f(s.punti->GetLayerDefn());
            f.SetGeometryDirectly(new OGRPoint(p.x, p.y));
            f.SetField("nome", p.nome.c_str());
            f.SetField("tipo", NomeTipo(p.tipo));
            if (p.quota)
                f.SetField("quota", *p.quota);
            else
                f.SetFieldNull(f.GetFieldIndex("quota"));
            f.SetField("codici", p.codici.c_str());
            f.SetField("note", p.note.c_str());
            if (!Aggiungi(s.punti, f, "punti"))
                return false;
        }
        for (const Riga7Esportata& r : m_Rilievo.righe7) {
            OGRLayer* l = r.chiusa ? s.righe7 : s.aperte;
            OGRFeature f(l->GetLayerDefn());
            f.SetGeometryDirectly(Linea(r.chiusa ? Antiorario(r.vertici) : r.vertici, r.chiusa));
            f.SetField("numero", r.numero);
            f.SetField("particella", r.particella.c_str());
            if (r.supCensuaria)
                f.SetField("sup_censuaria", *r.supCensuaria);
            else
                f.SetFieldNull(f.GetFieldIndex("sup_censuaria"));
            if (!Aggiungi(l, f, r.chiusa ? "righe7" : "righe7_aperte"))
                return false;
        }
        for (std::size_t i = 0; i + 1 < m_Rilievo.maglia.size(); ++i) {
            const Vertice &a = m_Rilievo.maglia[i], &b = m_Rilievo.maglia[i + 1];
            OGRFeature f(s.maglia->GetLayerDefn());
            f.SetGeometryDirectly(Linea({a, b}, false));
            f.SetField("da", a.nome.c_str());
            f.SetField("a", b.nome.c_str());
            if (!Aggiungi(s.maglia, f, "maglia"))
                return false;
        }
        return true;
    }

    // A DXF holds entities on named layers: each point on its kind's layer with its name as a text
    // beside it, the rows 7 as polylines with their particle at the middle, the mesh as lines.
    bool ScriviDxf() {
        OGRLayer* l = m_Ds.CreateLayer("entities", nullptr, wkbUnknown, nullptr);
        if (!l)
            return false;
        const auto entita = [&](OGRGeometry* g, const char* strato, const std::string& stile) {
            OGRFeature f(l->GetLayerDefn());
            f.SetGeometryDirectly(g);
            f.SetField("Layer", strato);
            if (!stile.empty())
                f.SetStyleString(stile.c_str());
            return l->CreateFeature(&f) == OGRERR_NONE;
        };
        const auto testo = [&](double x, double y, const std::string& t, const char* strato, double altezza) {
            return entita(new OGRPoint(x, y), strato,
                          "LABEL(f:\"Arial\",t:\"" + TestoStile(t) + "\",s:" + std::to_string(altezza) +
                              "g)");
        };
        for (const PuntoEsportato& p : m_Rilievo.punti) {
            OGRPoint* punto = p.quota ? new OGRPoint(p.x, p.y, *p.quota) : new OGRPoint(p.x, p.y);
            if (!entita(punto, StratoDxf(p.tipo), {}) ||
                !testo(p.x + kScostamento, p.y + kScostamento, p.nome, StratoDxf(p.tipo), kAltezzaNome))
                return false;
        }
        for (const Riga7Esportata& r : m_Rilievo.righe7) {
            // A closed row as a closed polyline: a polygon would become a filled hatch.
            auto linea = std::make_unique<OGRLineString>();
            double cx = 0, cy = 0;
            for (const Vertice& v : r.chiusa ? Antiorario(r.vertici) : r.vertici) {
                linea->addPoint(v.x, v.y);
                cx += v.x / static_cast<double>(r.vertici.size());
                cy += v.y / static_cast<double>(r.vertici.size());
            }
            if (r.chiusa)
                linea->addPoint(linea->getX(0), linea->getY(0));
            OGRGeometry* g = linea.release();
            const std::string etichetta =
                r.particella.empty() ? "riga " + std::to_string(r.numero) : r.particella;
            if (!entita(g, "RIGHE7", {}) || !testo(cx, cy, etichetta, "RIGHE7", 2 * kAltezzaNome))
                return false;
        }
        for (std::size_t i = 0; i + 1 < m_Rilievo.maglia.size(); ++i)
            if (!entita(Linea({m_Rilievo.maglia[i], m_Rilievo.maglia[i + 1]}, false), "MAGLIA", {}))
                return false;
        return true;
    }

    static constexpr double kAltezzaNome = 0.5; // metres on the ground, as a 1:500 sheet shows a name
    static constexpr double kScostamento = 0.3;

    const Rilievo& m_Rilievo;
    Formato m_Formato;
    GDALDataset& m_Ds;
    OGRSpatialReference* m_Sistema;
};

const char* Driver(Formato formato) {
    switch (formato) {
    case Formato::Dxf:
        return "DXF";
    case Formato::GeoPackage:
        return "GPKG";
    default:
        return "GeoJSON";
    }
}

// The file written beside the target, with the target's extension, and moved into place when whole.
fs::path Provvisorio(const fs::path& file) {
    return file.parent_path() /
           ("." + file.stem().string() + ".parziale-" + std::to_string(getpid()) + file.extension().string());
}

// The survey in longitude and latitude, in one call: PROJ's cost is mostly per call.
bool InWgs84(Rilievo& r, OGRCoordinateTransformation& t) {
    std::vector<double*> x, y;
    const auto aggiungi = [&](double& px, double& py) {
        x.push_back(&px);
        y.push_back(&py);
    };
    for (PuntoEsportato& p : r.punti)
        aggiungi(p.x, p.y);
    for (Riga7Esportata& r7 : r.righe7)
        for (Vertice& v : r7.vertici)
            aggiungi(v.x, v.y);
    for (Vertice& v : r.maglia)
        aggiungi(v.x, v.y);
    std::vector<double> u(x.size()), v(y.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        u[i] = *x[i];
        v[i] = *y[i];
    }
    std::vector<int> riusciti(x.size(), FALSE);
    if (!x.empty() && !t.Transform(x.size(), u.data(), v.data(), nullptr, riusciti.data()))
        return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!riusciti[i] || !std::isfinite(u[i]) || !std::isfinite(v[i]))
            return false;
        *x[i] = u[i];
        *y[i] = v[i];
    }
    return true;
}

// The bytes onto the disk, flushed; 0 or the errno of the first failure (the partial file removed).
int ScriviFile(const fs::path& file, const GByte* dati, vsi_l_offset lunghezza) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    int errore = 0;
    for (vsi_l_offset fatto = 0; fatto < lunghezza && errore == 0;) {
        const ssize_t n = ::write(fd, dati + fatto, static_cast<std::size_t>(lunghezza - fatto));
        if (n > 0)
            fatto += static_cast<vsi_l_offset>(n);
        else if (n < 0 && errno != EINTR)
            errore = errno;
    }
    if (errore == 0 && ::fsync(fd) != 0)
        errore = errno;
    if (::close(fd) != 0 && errore == 0)
        errore = errno;
    if (errore != 0)
        ::unlink(file.c_str());
    return errore;
}

// GDAL writes into memory: a driver that meets a full disk half way may not say so (the GeoJSON writer
// of GDAL 3.6), or worse (its DXF writer overruns a buffer when closing a file it could not write). The
// disk is written here, with every write checked.
class FileInMemoria {
public:
    explicit FileInMemoria(const fs::path& file) {
        static std::atomic<int> numero{0};
        m_Cartella = "/vsimem/pregeo-esporta-" + std::to_string(++numero);
        m_File = m_Cartella + "/rilievo" + file.extension().string();
    }
    ~FileInMemoria() { VSIRmdirRecursive(m_Cartella.c_str()); }
    FileInMemoria(const FileInMemoria&) = delete;
    FileInMemoria& operator=(const FileInMemoria&) = delete;
    const std::string& Nome() const { return m_File; }
    const GByte* Dati(vsi_l_offset& lunghezza) const {
        return VSIGetMemFileBuffer(m_File.c_str(), &lunghezza, FALSE);
    }

private:
    std::string m_Cartella, m_File;
};

} // namespace

Esito Scrivi(const Rilievo& rilievo, const fs::path& file, bool sovrascrivi) {
    Esito esito;
    const Formato formato = FormatoDi(file);
    if (formato == Formato::Sconosciuto) {
        esito.motivo = "il formato si sceglie dall'estensione del file: .dxf, .gpkg o .geojson";
        return esito;
    }
    std::error_code ec;
    if (fs::exists(fs::symlink_status(file, ec)) && !sovrascrivi) {
        esito.motivo = "il file " + file.string() + " esiste già (--sovrascrivi lo sostituisce)";
        return esito;
    }

    static std::once_flag registrati;
    // The three drivers alone: registering all of GDAL's costs more than a small survey's export.
    std::call_once(registrati, [] {
        RegisterOGRDXF();
        RegisterOGRGeoPackage();
        RegisterOGRGeoJSON();
    });
    Errori errori;

    OGRSpatialReference sistema;
    sistema.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const bool conSistema =
        !rilievo.sistema.empty() && sistema.SetFromUserInput(rilievo.sistema.c_str()) == OGRERR_NONE;
    // Without one, a GeoPackage would call the plane coordinates degrees ("undefined geographic").
    OGRSpatialReference cartesiano;
    cartesiano.SetFromUserInput("LOCAL_CS[\"Undefined Cartesian SRS\"]");
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> versoWgs84;
    std::optional<Rilievo> geojson;
    if (formato == Formato::GeoJson) {
        if (rilievo.sistema.empty()) {
            esito.motivo =
                "il progetto non ha un sistema di coordinate (gps.conversione.sistema): il GeoJSON "
                "vuole longitudine e latitudine WGS84";
            return esito;
        }
        if (conSistema)
            versoWgs84.reset(OGRCreateCoordinateTransformation(&sistema, &wgs84));
        if (versoWgs84) {
            geojson = rilievo;
            if (!InWgs84(*geojson, *versoWgs84)) {
                esito.motivo = "un punto del rilievo non si converte in longitudine e latitudine WGS84";
                return esito;
            }
        } else {
            esito.motivo =
                "il sistema di coordinate del progetto non si converte in longitudine e latitudine "
                "WGS84: " +
                rilievo.sistema;
            return esito;
        }
    }
    if (formato == Formato::Dxf)
        esito.sistema = "nessuno (il DXF non lo porta)";
    else if (formato == Formato::GeoJson)
        esito.sistema = "WGS84, longitudine e latitudine, dal sistema del progetto";
    else
        esito.sistema = conSistema ? "quello del progetto" : "nessuno (il progetto non ne ha uno valido)";

    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(Driver(formato));
    if (!driver) {
        esito.motivo = std::string("GDAL non sa scrivere il formato ") + NomeFormato(formato);
        return esito;
    }
    const FileInMemoria memoria(file);
    bool scritto = false;
    {
        OGRSpatialReference* strati = formato == Formato::GeoJson ? &wgs84
                                      : conSistema                ? &sistema
                                                                  : &cartesiano;
        if (formato == Formato::Dxf)
            strati = nullptr;
        std::unique_ptr<GDALDataset> ds(
            driver->Create(memoria.Nome().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (ds) {
            scritto = Scrittore(geojson ? *geojson : rilievo, formato, *ds, strati).Scrivi();
            // Closing writes what the driver still holds: its failures are gathered with the others.
            GDALClose(GDALDataset::ToHandle(ds.release()));
        }
    }
    if (scritto && !errori.Primo().empty())
        scritto = false;
    vsi_l_offset lunghezza = 0;
    const GByte* dati = scritto ? memoria.Dati(lunghezza) : nullptr;
    if (!dati) {
        esito.motivo = "il file " + file.string() + " non si può scrivere: " +
                       (!errori.Primo().empty() ? errori.Primo() : std::string("errore di GDAL"));
        return esito;
    }
    const fs::path provvisorio = Provvisorio(file);
    ::unlink(provvisorio.c_str()); // left by a run of the same process number that was killed
    if (const int e = ScriviFile(provvisorio, dati, lunghezza); e != 0) {
        esito.motivo = "il file " + file.string() + " non si può scrivere: " + CausaErrore(e);
        return esito;
    }
    // Into place: without --sovrascrivi a file that appeared meanwhile is not replaced either.
    int fallito = 0;
    if (sovrascrivi) {
        if (::rename(provvisorio.c_str(), file.c_str()) != 0)
            fallito = errno;
    } else if (::link(provvisorio.c_str(), file.c_str()) != 0) {
        fallito = errno;
    }
    if (fallito == EEXIST) {
        ::unlink(provvisorio.c_str());
        esito.motivo = "il file " + file.string() + " esiste già (--sovrascrivi lo sostituisce)";
        return esito;
    }
    if (fallito != 0) {
        ::unlink(provvisorio.c_str());
        esito.motivo = "il file " + file.string() + " non si può scrivere: " + CausaErrore(fallito);
        return esito;
    }
    if (!sovrascrivi)
        ::unlink(provvisorio.c_str());
    esito.ok = true;
    return esito;
}

Esito Esporta(Project& project, const fs::path& file, bool sovrascrivi, std::vector<Vertice> maglia) {
    if (FormatoDi(file) == Formato::Sconosciuto)
        return Scrivi({}, file, sovrascrivi);
    return Scrivi(Raccogli(project, std::move(maglia)), file, sovrascrivi);
}

} // namespace host::esporta
