#include "host/project/Project.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "host/project/LetturaRapida.h"
#include "host/project/Storia.h"

#include <ctime>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <unordered_set>

namespace host {

using Json = nlohmann::ordered_json;

namespace {

// Far deeper than any project goes, and shallow enough for the reader's recursion.
constexpr std::size_t kMaxDepth = 64;

// The first pass over the text, before any of it is kept: well-formed JSON, numbers that fit a double,
// no key twice in one object, nesting within kMaxDepth. Each fault names its JSON path.
class Screening final : public nlohmann::json_sax<Json> {
public:
    explicit Screening(const std::string& file) : m_File(file) {}

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& key) override {
        Level& level = m_Levels.back();
        level.key = key;
        if (!level.keys.insert(key).second)
            throw ProjectError(m_File, Path(), "campo ripetuto");
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
        // The element being read when the text went wrong.
        if (!m_Levels.empty() && !m_Levels.back().object)
            ++m_Levels.back().index;
        throw ProjectError(m_File, Path(), std::string("JSON non valido: ") + e.what());
    }

private:
    struct Level {
        bool object;
        std::string key;
        long long index = -1;
        std::set<std::string> keys;
    };
    bool Value() {
        if (!m_Levels.empty() && !m_Levels.back().object)
            ++m_Levels.back().index;
        return true;
    }
    bool Open(bool object) {
        Value();
        if (m_Levels.size() >= kMaxDepth)
            throw ProjectError(m_File, Path(),
                               "annidamento troppo profondo (al massimo " + std::to_string(kMaxDepth) +
                                   " livelli)");
        m_Levels.push_back(Level{object, {}, -1, {}});
        return true;
    }
    bool Close() {
        m_Levels.pop_back();
        return true;
    }
    std::string Path() const {
        std::string path;
        for (const Level& l : m_Levels)
            path += "/" + (l.object ? l.key : std::to_string(l.index));
        return path.empty() ? "/" : path;
    }

    const std::string& m_File;
    std::vector<Level> m_Levels;
};

// A position in the document being read, so that every complaint names the JSON path. Every field read
// is noted, so that what nobody read can be refused afterwards instead of being dropped by the next save.
class In {
public:
    In(const Json& value, std::string path, const std::string& file, std::unordered_set<const Json*>& read)
        : m_V(value), m_Path(std::move(path)), m_File(file), m_Read(read) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw ProjectError(m_File, m_Path.empty() ? "/" : m_Path, what);
    }
    In operator[](const char* key) const {
        if (!m_V.is_object())
            Fail("atteso un oggetto");
        const auto it = m_V.find(key);
        if (it == m_V.end())
            In(m_V, m_Path + "/" + key, m_File, m_Read).Fail("manca il campo");
        m_Read.insert(&*it);
        return In(*it, m_Path + "/" + key, m_File, m_Read);
    }
    std::size_t Size() const {
        if (!m_V.is_array())
            Fail("attesa una lista");
        return m_V.size();
    }
    In At(std::size_t i) const { return In(m_V.at(i), m_Path + "/" + std::to_string(i), m_File, m_Read); }

    WString Text() const {
        if (!m_V.is_string())
            Fail("atteso un testo");
        return WString::FromUtf8(m_V.get<std::string>());
    }
    std::string Utf8() const {
        if (!m_V.is_string())
            Fail("atteso un testo");
        return m_V.get<std::string>();
    }
    // null stands for the undefined real.
    double Real() const {
        if (m_V.is_null())
            return REALE_INDEFINITO;
        if (!m_V.is_number())
            Fail("atteso un numero o null");
        const double v = m_V.get<double>();
        if (v > REALE_LIMITE || v < -REALE_LIMITE)
            Fail("numero fuori dall'intervallo ammesso");
        return v;
    }
    // A coordinate in metres: null (undefined) or within what a survey can have.
    double Coordinate() const {
        const double v = Real();
        if (!IsRealeIndefinito(v) && !IsUsableCoordinate(v))
            Fail("attesa una coordinata da -1e9 a 1e9 o null");
        return v;
    }
    long long Int(long long low, long long high) const {
        if (!m_V.is_number_integer())
            Fail("atteso un numero intero");
        // Positive numbers arrive unsigned: one beyond the signed range must not wrap to a negative.
        const bool fits = !m_V.is_number_unsigned() ||
                          m_V.get<unsigned long long>() <= static_cast<unsigned long long>(high);
        const long long v = fits ? m_V.get<long long>() : high;
        if (!fits || v < low || v > high)
            Fail("atteso un intero da " + std::to_string(low) + " a " + std::to_string(high));
        return v;
    }
    bool Bool() const {
        if (!m_V.is_boolean())
            Fail("atteso true o false");
        return m_V.get<bool>();
    }
    char Char() const {
        const std::string s = Utf8();
        if (s.size() != 1)
            Fail("atteso un solo carattere");
        return s[0];
    }

    // Refuses the first field, in document order, that the reading did not take.
    void RefuseUnread() const {
        if (m_V.is_object()) {
            for (auto it = m_V.begin(); it != m_V.end(); ++it) {
                const In field(*it, m_Path + "/" + it.key(), m_File, m_Read);
                if (!m_Read.count(&*it))
                    field.Fail("campo sconosciuto");
                field.RefuseUnread();
            }
        } else if (m_V.is_array()) {
            for (std::size_t i = 0; i < m_V.size(); ++i)
                At(i).RefuseUnread();
        }
    }

private:
    const Json& m_V;
    std::string m_Path;
    const std::string& m_File;
    std::unordered_set<const Json*>& m_Read;
};

Json Real(double v) {
    return IsRealeIndefinito(v) ? Json(nullptr) : Json(v);
}

Json Text(const WString& s) {
    return s.ToUtf8();
}

// Point fields shared by every CEgn.
void WritePoint(Json& j, const CEgn& p) {
    j["nome"] = Text(p.GetNome());
    j["x"] = Real(p.GetCoordX());
    j["y"] = Real(p.GetCoordY());
    j["z"] = Real(p.GetCoordZ());
    Json codes = Json::array();
    if (p.IsCodedNP())
        codes.push_back("NP");
    if (p.IsCoded3D())
        codes.push_back("3D");
    if (p.IsCodedPO())
        codes.push_back("PO");
    j["codici"] = codes;
    j["secScri"] = Text(p.GetSecScri());
    j["terScri"] = Text(p.GetTerScri());
}

void ReadPoint(const In& in, CEgn& p) {
    p.SetNome(in["nome"].Text());
    // In the file's order, so that the first fault named is the first in the file.
    const double x = in["x"].Coordinate();
    const double y = in["y"].Coordinate();
    p.SetCoord(x, y, in["z"].Coordinate());
    p.CalcolaValiditaXYZ();
    const In codes = in["codici"];
    for (std::size_t i = 0; i < codes.Size(); ++i) {
        const std::string c = codes.At(i).Utf8();
        if (c == "NP")
            p.SetCodeNP(true);
        else if (c == "3D")
            p.SetCode3D(true);
        else if (c == "PO")
            p.SetCodePO(true);
        else
            codes.At(i).Fail("codice sconosciuto (ammessi NP, 3D, PO)");
    }
    p.SetSecScri(in["secScri"].Text());
    p.SetTerScri(in["terScri"].Text());
}

Json WriteRow(const CRig& r) {
    Json j;
    j["tipo"] = std::string(1, r.GetTipoRiga());
    j["specRiga"] = static_cast<int>(r.GetSpecRiga());
    j["nome1"] = Text(r.GetLblNome1());
    j["nome2"] = Text(r.GetLblNome2());
    j["nota"] = Text(r.GetLblMater());
    j["rea1"] = Real(r.GetDatoRea1());
    j["rea2"] = Real(r.GetDatoRea2());
    j["int1"] = r.GetDatoInt1();
    j["int2"] = r.GetDatoInt2();
    Json vertices = Json::array();
    for (int i = 0; i < r.GetVrtArSize(); ++i) {
        const CCtsVrt* v = r.GetVrtAt(i);
        Json jv;
        jv["nome"] = Text(v->GetNome());
        jv["linea"] = std::string(1, v->m_TipoLinea);
        jv["colore"] = std::string(1, v->m_Colore);
        vertices.push_back(jv);
    }
    j["vertici"] = vertices;
    return j;
}

void ReadRowFields(const In& in, CRig& r) {
    r.SetLblNome1(in["nome1"].Text());
    r.SetLblNome2(in["nome2"].Text());
    r.SetLblMater(in["nota"].Text());
    r.SetDatoRea1(in["rea1"].Real());
    r.SetDatoRea2(in["rea2"].Real());
    r.SetDatoInt1(static_cast<short>(in["int1"].Int(-32768, 32767)));
    r.SetDatoInt2(static_cast<short>(in["int2"].Int(-32768, 32767)));
    const In vertices = in["vertici"];
    for (std::size_t i = 0; i < vertices.Size(); ++i) {
        const In v = vertices.At(i);
        r.AddVrt(CCtsVrt(v["nome"].Text(), v["linea"].Char(), v["colore"].Char()));
    }
}

void ReadRows(const In& in, CCtsRigArray& rows, const std::string& allowed) {
    for (std::size_t i = 0; i < in.Size(); ++i) {
        const In jr = in.At(i);
        const char type = jr["tipo"].Char();
        if (allowed.find(type) == std::string::npos)
            jr["tipo"].Fail("tipo di riga non ammesso qui (ammessi " + allowed + ")");
        auto row = std::make_unique<CRig>(type, static_cast<char>(jr["specRiga"].Int(0, 2)));
        ReadRowFields(jr, *row);
        rows.AddRig(row.release());
    }
}

Json WriteRows(const CCtsRigArray& rows) {
    Json list = Json::array();
    for (int i = 0; i < rows.GetRigArSize(); ++i)
        list.push_back(WriteRow(*rows.GetRigAt(i)));
    return list;
}

#define HEADER_FIELDS(X)                                                                                     \
    X(Anno)                                                                                                  \
    X(Mese)                                                                                                  \
    X(Gior) X(CdCm) X(ProvCm) X(Prov) X(Fogl) X(Mapp) X(Prot) X(Qual) X(TcnN) X(TcnC) X(TcnCF) X(TcnNIscr)

Json WriteBooklet(const CCts& c) {
    Json j;
    j["versionePregeo"] = c.GetVerPregeo();
    j["tipo"] = c.m_TipoLibretto;
    j["formatoPunti"] = c.m_FormatoPunti;
    j["formatoMappale"] = c.m_FormatoMappale;
    Json header;
#define WRITE_FIELD(Name) header[#Name] = Text(c.Get##Name());
    HEADER_FIELDS(WRITE_FIELD)
#undef WRITE_FIELD
    j["intestazione"] = header;
    j["righe3"] = WriteRows(c.m_Righe3);
    j["righe45"] = WriteRows(c.m_Righe45);
    j["righe7"] = WriteRows(c.m_Righe7);
    const CRig9& r9 = *c.GetRiga9();
    Json riga9 = WriteRow(r9);
    riga9.erase("tipo");
    riga9.erase("specRiga");
    riga9.erase("vertici");
    riga9["caso"] = Text(r9.GetCaso());
    j["riga9"] = riga9;
    Json relazione = Json::array();
    for (int i = 0; i < c.GetRelazArSize(); ++i)
        relazione.push_back(Text(c.GetRelazAt(i)));
    j["relazione"] = relazione;
    Json particelle = Json::array();
    for (int i = 0; i < c.m_Particelle.GetParticellaArSize(); ++i)
        particelle.push_back(Text(c.m_Particelle.GetParticellaAt(i)->GetNome()));
    j["particelle"] = particelle;
    Json distanze = Json::array();
    for (int i = 0; i < c.m_EstrMap.GetDistanzaArSize(); ++i) {
        const CCtsDistanza* d = c.m_EstrMap.GetDistanzaAt(i);
        Json jd;
        jd["nome1"] = Text(d->GetNome1());
        jd["nome2"] = Text(d->GetNome2());
        jd["distanza"] = Real(d->GetDistanza());
        jd["sqm"] = Real(d->GetSqm());
        jd["libretto"] = Text(d->GetRifLibretto());
        distanze.push_back(jd);
    }
    j["distanze"] = distanze;
    return j;
}

void ReadBooklet(const In& in, CCts& c) {
    c.SetVerPregeo(static_cast<int>(in["versionePregeo"].Int(1000, 9999)));
    c.m_TipoLibretto = static_cast<int>(in["tipo"].Int(0, 1));
    c.m_FormatoPunti = static_cast<int>(in["formatoPunti"].Int(0, 2));
    c.m_FormatoMappale = in["formatoMappale"].Bool();
    const In header = in["intestazione"];
#define READ_FIELD(Name) c.Set##Name(header[#Name].Text());
    HEADER_FIELDS(READ_FIELD)
#undef READ_FIELD
    ReadRows(in["righe3"], c.m_Righe3, "36");
    ReadRows(in["righe45"], c.m_Righe45, "456");
    ReadRows(in["righe7"], c.m_Righe7, "67");
    const In riga9 = in["riga9"];
    c.GetRiga9()->SetLblNome1(riga9["nome1"].Text());
    c.GetRiga9()->SetLblNome2(riga9["nome2"].Text());
    c.GetRiga9()->SetLblMater(riga9["nota"].Text());
    c.GetRiga9()->SetDatoRea1(riga9["rea1"].Real());
    c.GetRiga9()->SetDatoRea2(riga9["rea2"].Real());
    c.GetRiga9()->SetDatoInt1(static_cast<short>(riga9["int1"].Int(-32768, 32767)));
    c.GetRiga9()->SetDatoInt2(static_cast<short>(riga9["int2"].Int(-32768, 32767)));
    c.GetRiga9()->SetCaso(riga9["caso"].Text());
    const In relazione = in["relazione"];
    for (std::size_t i = 0; i < relazione.Size(); ++i)
        c.AddRelaz(relazione.At(i).Text());
    const In particelle = in["particelle"];
    for (std::size_t i = 0; i < particelle.Size(); ++i)
        c.m_Particelle.AddParticella(particelle.At(i).Text());
    const In distanze = in["distanze"];
    for (std::size_t i = 0; i < distanze.Size(); ++i) {
        const In jd = distanze.At(i);
        CCtsDistanza* d = c.m_EstrMap.AddDistanza();
        d->SetNome1(jd["nome1"].Text());
        d->SetNome2(jd["nome2"].Text());
        d->SetDistanza(jd["distanza"].Real());
        d->SetSqm(jd["sqm"].Real());
        d->SetRifLibretto(jd["libretto"].Text());
    }
}

Json WriteOri(const COri& o) {
    Json j;
    WritePoint(j, o);
    j["tipoPunto"] = o.GetTipoPunto();
    j["attendibO"] = o.GetAttendibO();
    j["attendibV"] = o.GetAttendibV();
    j["notaAlt"] = Text(o.GetNotaAlt());
    j["comm"] = Text(o.GetComm());
    j["particella"] = Text(o.GetParticella());
    j["foglioOr"] = Text(o.GetFoglioOr());
    j["allegOr"] = Text(o.GetAllegOr());
    j["fiducOr"] = Text(o.GetFiducOr());
    j["dataAgg"] = Text(o.GetDataAgg());
    j["causaAgg"] = Text(o.GetCausaAgg());
    return j;
}

void ReadOri(const In& in, COri& o) {
    ReadPoint(in, o);
    o.SetTipoPunto(static_cast<short>(in["tipoPunto"].Int(-1, 3)));
    o.SetAttendibO(static_cast<short>(in["attendibO"].Int(-32768, 32767)));
    o.SetAttendibV(static_cast<short>(in["attendibV"].Int(-32768, 32767)));
    o.SetNotaAlt(in["notaAlt"].Text());
    o.SetComm(in["comm"].Text());
    o.SetParticella(in["particella"].Text());
    o.SetFoglioOr(in["foglioOr"].Text());
    o.SetAllegOr(in["allegOr"].Text());
    o.SetFiducOr(in["fiducOr"].Text());
    o.SetDataAgg(in["dataAgg"].Text());
    o.SetCausaAgg(in["causaAgg"].Text());
}

Json WriteStations(const CLibCmp& cmp) {
    Json jobs = Json::array();
    for (int j = 0; j < cmp.GetJobArSize(); ++j) {
        const CJob* job = cmp.GetJobAt(j);
        Json jj;
        jj["nome"] = Text(job->GetNome());
        jj["codeNP"] = job->GetCodeNP();
        jj["elabValida"] = job->IsCdElabValid();
        Json stations = Json::array();
        for (int s = 0; s < job->GetStaArSize(); ++s) {
            const CSta* sta = job->GetStaAt(s);
            Json js;
            WritePoint(js, *sta);
            js["iden"] = Text(sta->GetIden());
            js["altStr"] = Real(sta->GetAltStr());
            js["doppia"] = sta->EstDupp();
            Json points = Json::array();
            for (int k = 0; k < sta->GetPunArSize(); ++k) {
                const CPun* p = sta->GetPunAt(k);
                Json jp;
                WritePoint(jp, *p);
                jp["distInclinata"] = Real(p->GetDato0());
                jp["zenit"] = Real(p->GetDato1());
                jp["direzione"] = Real(p->GetDato2());
                jp["altPrisma"] = Real(p->GetAltPri());
                jp["codice"] = Text(p->GetCode());
                points.push_back(jp);
            }
            js["punti"] = points;
            stations.push_back(js);
        }
        jj["stazioni"] = stations;
        jobs.push_back(jj);
    }
    return jobs;
}

void ReadStations(const In& in, CLibCmp& cmp) {
    for (std::size_t j = 0; j < in.Size(); ++j) {
        const In jj = in.At(j);
        CJob* job = cmp.AddJob(jj["nome"].Text());
        job->SetCodeNP(jj["codeNP"].Bool());
        job->SetCdElabValid(jj["elabValida"].Bool());
        const In stations = jj["stazioni"];
        for (std::size_t s = 0; s < stations.Size(); ++s) {
            const In js = stations.At(s);
            CSta* sta = job->AddSta(WString());
            ReadPoint(js, *sta);
            sta->SetIden(js["iden"].Text());
            sta->SetAltStr(js["altStr"].Real());
            sta->SetDupp(js["doppia"].Bool());
            const In points = js["punti"];
            for (std::size_t k = 0; k < points.Size(); ++k) {
                const In jp = points.At(k);
                CPun* p = sta->AddPun(WString());
                ReadPoint(jp, *p);
                p->SetDato0(jp["distInclinata"].Real());
                p->SetDato1(jp["zenit"].Real());
                p->SetDato2(jp["direzione"].Real());
                p->SetAltPri(jp["altPrisma"].Real());
                p->SetCode(jp["codice"].Text());
            }
        }
    }
}

Json Geocentric(double x, double y, double z) {
    return Json::array({Real(x), Real(y), Real(z)});
}

void ReadGeocentric(const In& in, double& x, double& y, double& z) {
    if (in.Size() != 3)
        in.Fail("attese tre coordinate geocentriche");
    x = in.At(0).Coordinate();
    y = in.At(1).Coordinate();
    z = in.At(2).Coordinate();
}

Json WriteGps(const CLibGps& gps, CLibGps& mutableGps) {
    Json j;
    j["orientata"] = gps.IsOrientata();
    int current = -1;
    for (int g = 0; g < gps.GetGrpArSize(); ++g)
        if (gps.GetGrpAt(g) == gps.GetCurrGrp())
            current = g;
    j["gruppoCorrente"] = current;
    CConvCoord& conv = mutableGps.GetConvCoordProgetto();
    Json jc;
    jc["sistema"] = conv.GetDefinizione();
    jc["valida"] = conv.IsValida();
    j["conversione"] = jc;
    Json groups = Json::array();
    for (int g = 0; g < gps.GetGrpArSize(); ++g) {
        const CGrpGps* grp = gps.GetGrpAt(g);
        Json jg;
        WritePoint(jg, *grp);
        double x = 0, y = 0, z = 0;
        grp->GetGeocCeFaMis(x, y, z);
        jg["geocentriche"] = Geocentric(x, y, z);
        jg["altAntenna"] = Real(grp->GetBaseAltAnt());
        jg["pdop"] = Real(grp->m_PDOP);
        jg["gdop"] = Real(grp->m_GDOP);
        jg["elabValida"] = grp->IsCdElabValid();
        Json points = Json::array();
        for (int k = 0; k < grp->GetPunArSize(); ++k) {
            const CPunGps* p = grp->GetPunAt(k);
            Json jp;
            WritePoint(jp, *p);
            p->GetGeocCeFaMis(x, y, z);
            jp["geocentriche"] = Geocentric(x, y, z);
            jp["covarianza"] = Json::array({p->GetPosCov_xx(), p->GetPosCov_xy(), p->GetPosCov_xz(),
                                            p->GetPosCov_yy(), p->GetPosCov_yz(), p->GetPosCov_zz()});
            jp["pdop"] = Real(p->GetPdop());
            jp["gdop"] = Real(p->GetGdop());
            jp["altAntenna"] = Real(p->GetAltAnt());
            jp["codice"] = Text(p->GetCode());
            jp["data"] = Json::array({p->GetDay(), p->GetMonth(), p->GetYear(), p->GetTod()});
            points.push_back(jp);
        }
        jg["punti"] = points;
        groups.push_back(jg);
    }
    j["gruppi"] = groups;
    return j;
}

void ReadGps(const In& in, CLibGps& gps) {
    gps.SetOrientata(in["orientata"].Bool());
    const In jc = in["conversione"];
    const std::string system = jc["sistema"].Utf8();
    if (!system.empty() && !gps.GetConvCoordProgetto().Imposta(system))
        jc["sistema"].Fail("sistema di coordinate non riconosciuto: " + system);
    gps.GetConvCoordProgetto().SetValida(jc["valida"].Bool());
    const In groups = in["gruppi"];
    for (std::size_t g = 0; g < groups.Size(); ++g) {
        const In jg = groups.At(g);
        CGrpGps* grp = gps.AddGrp(WString());
        ReadPoint(jg, *grp);
        double x = 0, y = 0, z = 0;
        ReadGeocentric(jg["geocentriche"], x, y, z);
        grp->SetGeocCeFaMis(x, y, z);
        grp->SetBaseAltAnt(jg["altAntenna"].Real());
        grp->m_PDOP = jg["pdop"].Real();
        grp->m_GDOP = jg["gdop"].Real();
        grp->SetCdElabValid(jg["elabValida"].Bool());
        const In points = jg["punti"];
        for (std::size_t k = 0; k < points.Size(); ++k) {
            const In jp = points.At(k);
            CPunGps* p = grp->AddPun(WString());
            ReadPoint(jp, *p);
            ReadGeocentric(jp["geocentriche"], x, y, z);
            p->SetGeocCeFaMis(x, y, z);
            const In cov = jp["covarianza"];
            if (cov.Size() != 6)
                cov.Fail("attesi sei termini di covarianza");
            long terms[6];
            for (std::size_t t = 0; t < 6; ++t)
                terms[t] = static_cast<long>(cov.At(t).Int(INT32_MIN, INT32_MAX));
            p->SetPosCov(terms);
            p->SetPdop(jp["pdop"].Real());
            p->SetGdop(jp["gdop"].Real());
            p->SetAltAnt(jp["altAntenna"].Real());
            p->SetCode(jp["codice"].Text());
            const In date = jp["data"];
            if (date.Size() != 4)
                date.Fail("attesi giorno, mese, anno e secondi del giorno");
            p->SetData(static_cast<int>(date.At(0).Int(0, 31)), static_cast<int>(date.At(1).Int(0, 12)),
                       static_cast<int>(date.At(2).Int(0, 9999)), static_cast<int>(date.At(3).Int(0, 86400)));
        }
    }
    const long long current = in["gruppoCorrente"].Int(-1, static_cast<long long>(groups.Size()) - 1);
    gps.SetCurrGrp(static_cast<int>(current));
}

} // namespace

std::unique_ptr<Project> Project::Parse(const std::string& text, const std::string& fileName) {
    auto project = std::make_unique<Project>();
    if (LeggiProgettoRapido(text, *project))
        return project;
    return LeggiProgettoVerificato(text, fileName);
}

std::unique_ptr<Project> LeggiProgettoVerificato(const std::string& text, const std::string& fileName) {
    Screening screening(fileName);
    Json::sax_parse(text, &screening);
    Json doc;
    try {
        doc = Json::parse(text);
    } catch (const Json::exception& e) {
        throw ProjectError(fileName, "", std::string("JSON non valido: ") + e.what());
    }
    auto project = std::make_unique<Project>();
    std::unordered_set<const Json*> read;
    const In root(doc, "", fileName, read);
    if (root["formato"].Utf8() != "pregeo-host/progetto")
        root["formato"].Fail("atteso \"pregeo-host/progetto\"");
    if (root["versione"].Int(1, 1) != 1)
        root["versione"].Fail("versione non supportata");
    project->nome = root["nome"].Utf8();
    ReadBooklet(root["libretto"], project->cts);
    const In oris = root["puntiOrientamento"];
    for (std::size_t i = 0; i < oris.Size(); ++i) {
        COri* o = project->cmp.AddOri(false);
        if (!o)
            oris.At(i).Fail("troppi punti di orientamento");
        ReadOri(oris.At(i), *o);
    }
    ReadStations(root["lavori"], project->cmp);
    ReadGps(root["gps"], project->gps);
    const In receiver = root["ricevitore"];
    const double lat = receiver["lat"].Real();
    const double lon = receiver["lon"].Real();
    if (receiver["posizione"].Bool())
        project->ricevitore.SetUltimaPosizione(lat, lon);
    root.RefuseUnread();
    return project;
}

std::unique_ptr<Project> Project::Load(const std::filesystem::path& dir) {
    const std::filesystem::path file = dir / kProjectFile;
    std::string text, why;
    if (!ReadFileBounded(file, kMaxProjectBytes, text, &why))
        throw ProjectError(file.string(), "", why);
    auto project = Parse(text, file.string());
    project->dir = dir;
    project->m_Letto = std::move(text);
    return project;
}

std::string Project::Serialize() const {
    Json doc;
    doc["formato"] = "pregeo-host/progetto";
    doc["versione"] = 1;
    doc["nome"] = nome;
    doc["libretto"] = WriteBooklet(cts);
    Json oris = Json::array();
    for (int i = 0; i < cmp.GetOriArSize(); ++i)
        oris.push_back(WriteOri(*cmp.GetOriAt(i)));
    doc["puntiOrientamento"] = oris;
    doc["lavori"] = WriteStations(cmp);
    doc["gps"] = WriteGps(gps, const_cast<CLibGps&>(gps));
    Json receiver;
    receiver["posizione"] = ricevitore.HaPosizione();
    receiver["lat"] = Real(ricevitore.GetLat());
    receiver["lon"] = Real(ricevitore.GetLon());
    doc["ricevitore"] = receiver;
    return doc.dump(2) + "\n";
}

namespace {

// "progetto.non-salvato-20250314-101530.json", or with "-2", "-3", ... when that one is taken.
std::filesystem::path NonSalvato(const std::filesystem::path& dir) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
    std::filesystem::path file;
    std::error_code ec;
    for (int n = 1;; ++n) {
        file = dir / ("progetto.non-salvato-" + std::string(stamp) + (n > 1 ? "-" + std::to_string(n) : "") +
                      ".json");
        if (!std::filesystem::exists(file, ec))
            return file;
    }
}

} // namespace

bool Project::Save(std::string* why, const std::string& autore) {
    const std::filesystem::path file = dir / kProjectFile;
    const std::string text = Serialize();
    m_Conflitto.clear();
    m_Scritto = false;
    m_AvvisoStoria.clear();
    if (m_Letto && text == *m_Letto)
        return true; // nothing changed: nothing to write
    std::string disco;
    int errore = 0;
    const bool esiste = ReadFileBounded(file, kMaxProjectBytes, disco, nullptr, &errore);
    // Compared by content: a save of someone else's, or a restored copy, changes no text.
    if (m_Letto && (!esiste || disco != *m_Letto)) {
        const std::filesystem::path beside = NonSalvato(dir);
        std::string reason;
        const bool kept = WriteFileAtomic(beside, text, &reason);
        if (why)
            *why = std::string(kProjectFile) + ": il progetto è stato modificato sul disco nel frattempo" +
                   (kept ? "; quello che si sarebbe salvato è in " + beside.filename().string()
                         : " e quello che si sarebbe salvato non si può scrivere accanto (" + reason + ")");
        if (kept)
            m_Conflitto = beside;
        return false;
    }
    if (esiste && disco != text && !ConservaVersione(dir, disco, &m_AvvisoStoria))
        m_AvvisoStoria = "la versione precedente non è stata conservata in " + std::string(kHistoryFolder) +
                         "/: " + m_AvvisoStoria;
    std::string reason;
    if (!WriteFileAtomic(file, text, &reason)) {
        if (why)
            *why = std::string(kProjectFile) + ": " + reason;
        return false;
    }
    RegistraAutore(dir, text, autore);
    m_Letto = text;
    m_Scritto = true;
    return true;
}

void Project::Activate() const {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(dir, ec);
    if (ec)
        full = dir;
    SetFolders(Folders{full, full / kJobFolder, full / kSettingsFile});
}

CLibCmp* HostData::GetLibCmp() {
    m_Chiamate.emplace_back("GetLibCmp");
    return &m_Project.cmp;
}

CLibGps* HostData::GetLibGps() {
    m_Chiamate.emplace_back("GetLibGps");
    return &m_Project.gps;
}

WString HostData::GetNomeProgetto() {
    m_Chiamate.emplace_back("GetNomeProgetto");
    return WString::FromUtf8(m_Project.nome);
}

CLibConOri* HostData::GetLibConOri() {
    m_Chiamate.emplace_back("GetLibConOri");
    return &m_Project.cmp;
}

CCts* HostData::GetCts() {
    m_Chiamate.emplace_back("GetCts");
    return &m_Project.cts;
}

CRicevitoreGps* HostData::GetRicevitore() {
    m_Chiamate.emplace_back("GetRicevitore");
    return &m_Project.ricevitore;
}

} // namespace host
