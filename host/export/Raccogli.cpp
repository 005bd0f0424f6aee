#include "host/cad/Rilievo.h"
#include "host/core/Limits.h"
#include "host/export/Esporta.h"
#include "hostapi/Computations.h"

#include <cctype>
#include <cmath>
#include <unordered_map>

namespace host::esporta {

Formato FormatoDi(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dxf")
        return Formato::Dxf;
    if (ext == ".gpkg")
        return Formato::GeoPackage;
    if (ext == ".geojson")
        return Formato::GeoJson;
    return Formato::Sconosciuto;
}

const char* NomeFormato(Formato formato) {
    switch (formato) {
    case Formato::Dxf:
        return "DXF";
    case Formato::GeoPackage:
        return "GeoPackage";
    case Formato::GeoJson:
        return "GeoJSON";
    default:
        return "?";
    }
}

const char* NomeTipo(TipoPunto tipo) {
    static const char* const nomi[kTipiPunto] = {"fiduciale", "orientamento", "stazione", "base GPS",
                                                 "punto GPS", "rilevato",     "riga 5"};
    return nomi[static_cast<int>(tipo)];
}

const char* StratoDxf(TipoPunto tipo) {
    static const char* const strati[kTipiPunto] = {"PUNTI_FIDUCIALI", "PUNTI_ORIENTAMENTO", "STAZIONI",
                                                   "BASI_GPS",        "PUNTI_GPS",          "PUNTI_RILEVATI",
                                                   "PUNTI_RIGA5"};
    return strati[static_cast<int>(tipo)];
}

namespace {

void Aggiungi(std::string& testo, const WString& parte) {
    if (parte.IsEmpty())
        return;
    testo += (testo.empty() ? "" : "; ") + parte.ToUtf8();
}

std::string Codici(const CEgn& p, const WString& codice) {
    std::string c;
    if (p.IsCodedNP())
        c += "NP ";
    if (p.IsCoded3D())
        c += "3D ";
    if (p.IsCodedPO())
        c += "PO ";
    c += codice.ToUtf8();
    while (!c.empty() && c.back() == ' ')
        c.pop_back();
    return c;
}

// One point per name and place, as the drawing has one insert for them: the first object found is the
// point, a later one only fills a note the first lacks.
class Punti {
public:
    explicit Punti(std::vector<PuntoEsportato>& punti) : m_Punti(punti) {}

    void Aggiungi(const CEgn& p, TipoPunto tipo, const WString& nome, const std::string& codici,
                  const std::string& note) {
        if (!p.EstValidoXY() || !IsUsableCoordinate(p.GetCoordX()) || !IsUsableCoordinate(p.GetCoordY()))
            return;
        std::vector<std::size_t>& stessoNome = m_PerNome[nome.str()];
        for (const std::size_t i : stessoNome) {
            PuntoEsportato& gia = m_Punti[i];
            if (std::hypot(gia.x - p.GetCoordX(), gia.y - p.GetCoordY()) < cad::STESSO_PUNTO) {
                if (gia.note.empty())
                    gia.note = note;
                return;
            }
        }
        PuntoEsportato e;
        e.tipo = tipo;
        e.nome = nome.ToUtf8();
        e.x = p.GetCoordX();
        e.y = p.GetCoordY();
        if (p.EstValidoZ() && IsUsableCoordinate(p.GetCoordZ()))
            e.quota = p.GetCoordZ();
        e.codici = codici;
        e.note = note;
        stessoNome.push_back(m_Punti.size());
        m_Punti.push_back(std::move(e));
    }

private:
    std::vector<PuntoEsportato>& m_Punti;
    std::unordered_map<std::u16string, std::vector<std::size_t>> m_PerNome;
};

std::string Note(const CEgn& p, std::initializer_list<WString> proprie) {
    std::string note;
    for (const WString& t : proprie)
        Aggiungi(note, t);
    Aggiungi(note, p.GetSecScri());
    Aggiungi(note, p.GetTerScri());
    return note;
}

} // namespace

Rilievo Raccogli(Project& project, std::vector<Vertice> maglia) {
    Rilievo r;
    r.maglia = std::move(maglia);
    r.sistema = project.gps.GetConvCoordProgetto().GetDefinizione();
    Punti punti(r.punti);
    CLibCmp& cmp = project.cmp;
    for (int i = 0; i < cmp.GetOriArSize(); ++i) {
        const COri& o = *cmp.GetOriAt(i);
        punti.Aggiungi(
            o, o.GetTipoPunto() == TIPO_PUNTO_FIDUCIALE ? TipoPunto::Fiduciale : TipoPunto::Orientamento,
            o.GetNome(), Codici(o, {}), Note(o, {o.GetComm(), o.GetNotaAlt()}));
    }
    for (int j = 0; j < cmp.GetJobArSize(); ++j)
        for (int s = 0; s < cmp.GetStaArSize(j); ++s) {
            const CSta& sta = *cmp.GetStaAt(j, s);
            punti.Aggiungi(sta, TipoPunto::Stazione, sta.GetNome(), Codici(sta, {}),
                           Note(sta, {sta.GetIden()}));
        }
    CLibGps& gps = project.gps;
    for (int g = 0; g < gps.GetGrpArSize(); ++g) {
        const CGrpGps& base = *gps.GetGrpAt(g);
        punti.Aggiungi(base, TipoPunto::BaseGps, base.GetNome(), Codici(base, {}), Note(base, {}));
    }
    for (int g = 0; g < gps.GetGrpArSize(); ++g)
        for (int k = 0; k < gps.GetPunArSize(g); ++k) {
            const CPunGps& p = *gps.GetPunAt(g, k);
            punti.Aggiungi(p, TipoPunto::PuntoGps, p.GetNome(), Codici(p, p.GetCode()), Note(p, {}));
        }
    for (int j = 0; j < cmp.GetJobArSize(); ++j)
        for (int s = 0; s < cmp.GetStaArSize(j); ++s)
            for (int k = 0; k < cmp.GetPunArSize(j, s); ++k) {
                const CPun& p = *cmp.GetPunAt(j, s, k);
                punti.Aggiungi(p, TipoPunto::Rilevato, p.GetNome(), Codici(p, p.GetCode()), Note(p, {}));
            }
    // A row 5 is named by its label; its coordinates come from the booklet computation, as the drawing's.
    CGcadEng eng;
    const CCalcRighePregeo calcolo(&project.cts, &cmp, &gps, &eng);
    const CCtsRigArray& righe45 = project.cts.m_Righe45;
    for (int i = 0; i < righe45.GetRigArSize(); ++i) {
        CRig* riga = righe45.GetRigAt(i);
        if (riga->GetTipoRiga() != '5')
            continue;
        if (!riga->EstValidoXY())
            calcolo.CalcolaSngRiga45(riga);
        punti.Aggiungi(*riga, TipoPunto::Riga5, riga->GetLblNome1(), Codici(*riga, {}),
                       riga->GetLblMater().ToUtf8());
    }

    const cad::IndiceCoordinate indice({&project.cts, &cmp, &gps, project.nome});
    const CCtsRigArray& righe7 = project.cts.m_Righe7;
    int numero = 0;
    for (int i = 0; i < righe7.GetRigArSize(); ++i) {
        const CRig& riga = *righe7.GetRigAt(i);
        if (riga.GetTipoRiga() != '7')
            continue;
        ++numero;
        Riga7Esportata e;
        e.numero = numero;
        e.particella = riga.GetLblNome1().ToUtf8();
        if (!IsRealeIndefinito(riga.GetDatoRea2()))
            e.supCensuaria = riga.GetDatoRea2();
        std::string motivo;
        for (int v = 0; v < riga.GetVrtArSize() && motivo.empty(); ++v) {
            const WString nome = riga.GetVrtAt(v)->GetNome();
            Vertice vertice{nome.ToUtf8(), 0, 0};
            if (indice.Cerca(nome, vertice.x, vertice.y))
                e.vertici.push_back(std::move(vertice));
            else
                motivo = "il vertice «" + nome.ToUtf8() + "» non ha coordinate";
        }
        const int n = riga.GetVrtArSize();
        e.chiusa = n >= 3 && riga.GetVrtAt(0)->GetNome() == riga.GetVrtAt(n - 1)->GetNome();
        if (motivo.empty() && e.chiusa)
            e.vertici.pop_back();
        if (motivo.empty() && e.vertici.size() < 2)
            motivo = "ha meno di due vertici";
        // The drawing shows such a row as a line back and forth; a polygon it cannot be.
        if (motivo.empty() && e.chiusa && e.vertici.size() < 3)
            motivo = "è chiusa su meno di tre vertici";
        if (!motivo.empty())
            r.escluse.push_back({numero, e.particella, motivo});
        else
            r.righe7.push_back(std::move(e));
    }
    return r;
}

} // namespace host::esporta
