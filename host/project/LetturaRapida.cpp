#include "host/project/LetturaRapida.h"

#include "host/core/Limits.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>
#include <string_view>
#include <vector>

namespace host {

namespace {

// What each object holds, in the order the writer puts it. A point's own fields come first in every
// kind that is a point.
enum class K : std::uint8_t {
    Radice,
    Libretto,
    Intestazione,
    Riga,
    Vertice,
    Riga9,
    Distanza,
    Ori,
    Lavoro,
    Stazione,
    Punto,
    Gps,
    Conversione,
    Gruppo,
    PuntoGps,
    Ricevitore,
    // Lists
    Righe,
    Vertici,
    Relazione,
    Particelle,
    Distanze,
    Oris,
    Lavori,
    Stazioni,
    Punti,
    Codici,
    Gruppi,
    PuntiGps,
    Geocentriche,
    Covarianza,
    Data,
};

struct Campi {
    const char* const* nomi;
    int quanti;
};

constexpr const char* kRadice[] = {"formato",           "versione", "nome", "libretto",
                                   "puntiOrientamento", "lavori",   "gps",  "ricevitore"};
constexpr const char* kLibretto[] = {"versionePregeo", "tipo",      "formatoPunti", "formatoMappale",
                                     "intestazione",   "righe3",    "righe45",      "righe7",
                                     "riga9",          "relazione", "particelle",   "distanze"};
constexpr const char* kIntestazione[] = {"Anno", "Mese", "Gior", "CdCm", "ProvCm", "Prov",  "Fogl",
                                         "Mapp", "Prot", "Qual", "TcnN", "TcnC",   "TcnCF", "TcnNIscr"};
constexpr const char* kRiga[] = {"tipo", "specRiga", "nome1", "nome2", "nota",
                                 "rea1", "rea2",     "int1",  "int2",  "vertici"};
constexpr const char* kVertice[] = {"nome", "linea", "colore"};
constexpr const char* kRiga9[] = {"nome1", "nome2", "nota", "rea1", "rea2", "int1", "int2", "caso"};
constexpr const char* kDistanza[] = {"nome1", "nome2", "distanza", "sqm", "libretto"};
#define PUNTO "nome", "x", "y", "z", "codici", "secScri", "terScri"
constexpr int kCampiPunto = 7;
constexpr const char* kOri[] = {PUNTO,        "tipoPunto", "attendibO", "attendibV", "notaAlt", "comm",
                                "particella", "foglioOr",  "allegOr",   "fiducOr",   "dataAgg", "causaAgg"};
constexpr const char* kLavoro[] = {"nome", "codeNP", "elabValida", "stazioni"};
constexpr const char* kStazione[] = {PUNTO, "iden", "altStr", "doppia", "punti"};
constexpr const char* kPunto[] = {PUNTO, "distInclinata", "zenit", "direzione", "altPrisma", "codice"};
constexpr const char* kGps[] = {"orientata", "gruppoCorrente", "conversione", "gruppi"};
constexpr const char* kConversione[] = {"sistema", "valida"};
constexpr const char* kGruppo[] = {PUNTO,  "geocentriche", "altAntenna", "pdop",
                                   "gdop", "elabValida",   "punti"};
constexpr const char* kPuntoGps[] = {PUNTO,  "geocentriche", "covarianza", "pdop",
                                     "gdop", "altAntenna",   "codice",     "data"};
constexpr const char* kRicevitore[] = {"posizione", "lat", "lon"};
#undef PUNTO

template <std::size_t N> constexpr Campi C(const char* const (&nomi)[N]) {
    return {nomi, static_cast<int>(N)};
}

Campi CampiDi(K k) {
    switch (k) {
    case K::Radice:
        return C(kRadice);
    case K::Libretto:
        return C(kLibretto);
    case K::Intestazione:
        return C(kIntestazione);
    case K::Riga:
        return C(kRiga);
    case K::Vertice:
        return C(kVertice);
    case K::Riga9:
        return C(kRiga9);
    case K::Distanza:
        return C(kDistanza);
    case K::Ori:
        return C(kOri);
    case K::Lavoro:
        return C(kLavoro);
    case K::Stazione:
        return C(kStazione);
    case K::Punto:
        return C(kPunto);
    case K::Gps:
        return C(kGps);
    case K::Conversione:
        return C(kConversione);
    case K::Gruppo:
        return C(kGruppo);
    case K::PuntoGps:
        return C(kPuntoGps);
    case K::Ricevitore:
        return C(kRicevitore);
    default:
        return {nullptr, 0};
    }
}

bool EPunto(K k) {
    return k == K::Ori || k == K::Stazione || k == K::Punto || k == K::Gruppo || k == K::PuntoGps;
}

// A scalar as the text has it.
struct Valore {
    enum Tipo : std::uint8_t { Nullo, Booleano, Intero, Naturale, Reale, Testo } tipo = Nullo;
    bool b = false;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0;
    std::string_view s;
};

// The checks of the strict reader, each false where that one would refuse.
bool Testo(const Valore& v, WString& out) {
    if (v.tipo != Valore::Testo)
        return false;
    out = WString::FromUtf8(v.s);
    return true;
}

bool Reale(const Valore& v, double& out) {
    switch (v.tipo) {
    case Valore::Nullo:
        out = REALE_INDEFINITO;
        return true;
    case Valore::Intero:
        out = static_cast<double>(v.i);
        break;
    case Valore::Naturale:
        out = static_cast<double>(v.u);
        break;
    case Valore::Reale:
        out = v.d;
        break;
    default:
        return false;
    }
    return out <= REALE_LIMITE && out >= -REALE_LIMITE;
}

bool Coordinata(const Valore& v, double& out) {
    return Reale(v, out) && (IsRealeIndefinito(out) || IsUsableCoordinate(out));
}

bool Intero(const Valore& v, long long low, long long high, long long& out) {
    if (v.tipo == Valore::Intero)
        out = v.i;
    else if (v.tipo == Valore::Naturale && v.u <= static_cast<unsigned long long>(high))
        out = static_cast<long long>(v.u);
    else
        return false;
    return out >= low && out <= high;
}

bool Booleano(const Valore& v, bool& out) {
    out = v.b;
    return v.tipo == Valore::Booleano;
}

bool Carattere(const Valore& v, char& out) {
    if (v.tipo != Valore::Testo || v.s.size() != 1)
        return false;
    out = v.s[0];
    return true;
}

template <typename T> bool Corto(const Valore& v, long long low, long long high, T& out) {
    long long n = 0;
    if (!Intero(v, low, high, n))
        return false;
    out = static_cast<T>(n);
    return true;
}

struct Livello {
    explicit Livello(K k) : tipo(k) {}
    K tipo;
    int campo = -1; // the field whose value comes next
    std::uint32_t visti = 0;
    std::uint32_t quanti = 0; // elements of a list so far
    void* oggetto = nullptr;
    const char* ammessi = nullptr; // row types a list of rows takes
    double xyz[3] = {0, 0, 0};
    long long numeri[6] = {0, 0, 0, 0, 0, 0};
    double reali[2] = {0, 0};
    bool vero = false;
    std::string sistema;
};

class Lettore : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Lettore> {
public:
    explicit Lettore(Project& p) : m_P(p) { m_Livelli.reserve(16); }

    bool Null() { return Scalare(Valore{}); }
    bool Bool(bool b) {
        Valore v;
        v.tipo = Valore::Booleano;
        v.b = b;
        return Scalare(v);
    }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool) {
        Valore v;
        if (!Numero(std::string_view(s, n), v))
            return false;
        return Scalare(v);
    }
    bool String(const char* s, rapidjson::SizeType n, bool) {
        Valore v;
        v.tipo = Valore::Testo;
        v.s = std::string_view(s, n);
        return Scalare(v);
    }
    bool StartObject() { return Apri(true); }
    bool StartArray() { return Apri(false); }
    bool Key(const char* s, rapidjson::SizeType n, bool) {
        Livello& l = m_Livelli.back();
        const Campi c = CampiDi(l.tipo);
        for (int i = 0; i < c.quanti; ++i)
            if (std::strlen(c.nomi[i]) == n && std::memcmp(c.nomi[i], s, n) == 0) {
                if (l.visti & (1u << i))
                    return false;
                l.visti |= 1u << i;
                l.campo = i;
                return true;
            }
        return false;
    }
    bool EndObject(rapidjson::SizeType) {
        const bool ok = ChiudiOggetto(m_Livelli.back());
        m_Livelli.pop_back();
        return ok;
    }
    bool EndArray(rapidjson::SizeType) {
        const bool ok = ChiudiLista(m_Livelli.back());
        m_Livelli.pop_back();
        return ok;
    }

private:
    // As the strict reader's JSON library reads a number: an integer while it fits, else a double,
    // which must be finite.
    static bool Numero(std::string_view t, Valore& v) {
        const char* a = t.data();
        const char* z = a + t.size();
        if (t.find_first_of(".eE") == std::string_view::npos) {
            if (t[0] == '-') {
                if (std::from_chars(a, z, v.i).ec == std::errc{}) {
                    v.tipo = Valore::Intero;
                    return true;
                }
            } else if (std::from_chars(a, z, v.u).ec == std::errc{}) {
                v.tipo = Valore::Naturale;
                return true;
            }
        }
        const auto r = std::from_chars(a, z, v.d);
        v.tipo = Valore::Reale;
        return r.ec == std::errc{} && r.ptr == z && std::isfinite(v.d);
    }

    bool Apri(bool oggetto) {
        if (m_Livelli.empty()) {
            if (!oggetto)
                return false;
            m_Livelli.push_back(Livello(K::Radice));
            return true;
        }
        Livello& l = m_Livelli.back();
        Livello nuovo(K::Radice);
        if (!Figlio(l, oggetto, nuovo))
            return false;
        m_Livelli.push_back(std::move(nuovo));
        return true;
    }

    // What an object or list opens in the place `l` is at.
    bool Figlio(Livello& l, bool oggetto, Livello& f) {
        const auto lista = [&](K k, void* o, const char* ammessi = nullptr) {
            f.tipo = k;
            f.oggetto = o;
            f.ammessi = ammessi;
            return !oggetto;
        };
        const auto ogg = [&](K k, void* o) {
            f.tipo = k;
            f.oggetto = o;
            return oggetto;
        };
        if (EPunto(l.tipo) && l.campo == 4)
            return lista(K::Codici, l.oggetto);
        CCts& c = m_P.cts;
        switch (l.tipo) {
        case K::Radice:
            switch (l.campo) {
            case 3:
                return ogg(K::Libretto, &c);
            case 4:
                return lista(K::Oris, &m_P.cmp);
            case 5:
                return lista(K::Lavori, &m_P.cmp);
            case 6:
                return ogg(K::Gps, &m_P.gps);
            case 7:
                return ogg(K::Ricevitore, &m_P.ricevitore);
            default:
                return false;
            }
        case K::Libretto:
            switch (l.campo) {
            case 4:
                return ogg(K::Intestazione, &c);
            case 5:
                return lista(K::Righe, &c.m_Righe3, "36");
            case 6:
                return lista(K::Righe, &c.m_Righe45, "456");
            case 7:
                return lista(K::Righe, &c.m_Righe7, "67");
            case 8:
                return ogg(K::Riga9, c.GetRiga9());
            case 9:
                return lista(K::Relazione, &c);
            case 10:
                return lista(K::Particelle, &c);
            case 11:
                return lista(K::Distanze, &c);
            default:
                return false;
            }
        case K::Riga:
            return l.campo == 9 && lista(K::Vertici, l.oggetto);
        case K::Lavoro:
            return l.campo == 3 && lista(K::Stazioni, l.oggetto);
        case K::Stazione:
            return l.campo == 10 && lista(K::Punti, l.oggetto);
        case K::Gps:
            if (l.campo == 2)
                return ogg(K::Conversione, l.oggetto);
            return l.campo == 3 && lista(K::Gruppi, l.oggetto);
        case K::Gruppo:
            if (l.campo == 7)
                return lista(K::Geocentriche, l.oggetto);
            return l.campo == 12 && lista(K::PuntiGps, l.oggetto);
        case K::PuntoGps:
            if (l.campo == 7)
                return lista(K::Geocentriche, l.oggetto);
            if (l.campo == 8)
                return lista(K::Covarianza, l.oggetto);
            return l.campo == 13 && lista(K::Data, l.oggetto);
        // Elements of lists
        case K::Righe: {
            ++l.quanti;
            auto* r = new CRig();
            static_cast<CCtsRigArray*>(l.oggetto)->AddRig(r);
            f.ammessi = l.ammessi;
            f.tipo = K::Riga;
            f.oggetto = r;
            return oggetto;
        }
        case K::Vertici:
            ++l.quanti;
            return ogg(K::Vertice, l.oggetto);
        case K::Distanze:
            ++l.quanti;
            return ogg(K::Distanza, c.m_EstrMap.AddDistanza());
        case K::Oris: {
            ++l.quanti;
            COri* o = m_P.cmp.AddOri(false);
            return o && ogg(K::Ori, o);
        }
        case K::Lavori:
            ++l.quanti;
            return ogg(K::Lavoro, m_P.cmp.AddJob(WString()));
        case K::Stazioni:
            ++l.quanti;
            return ogg(K::Stazione, static_cast<CJob*>(l.oggetto)->AddSta(WString()));
        case K::Punti:
            ++l.quanti;
            return ogg(K::Punto, static_cast<CSta*>(l.oggetto)->AddPun(WString()));
        case K::Gruppi:
            ++l.quanti;
            return ogg(K::Gruppo, m_P.gps.AddGrp(WString()));
        case K::PuntiGps:
            ++l.quanti;
            return ogg(K::PuntoGps, static_cast<CGrpGps*>(l.oggetto)->AddPun(WString()));
        default:
            return false;
        }
    }

    bool Scalare(const Valore& v) {
        if (m_Livelli.empty())
            return false;
        Livello& l = m_Livelli.back();
        if (EPunto(l.tipo) && l.campo < kCampiPunto) {
            CEgn& p = *static_cast<CEgn*>(l.oggetto);
            WString t;
            switch (l.campo) {
            case 0:
                return Testo(v, t) && (p.SetNome(t), true);
            case 1:
                return Coordinata(v, l.xyz[0]);
            case 2:
                return Coordinata(v, l.xyz[1]);
            case 3:
                return Coordinata(v, l.xyz[2]);
            case 5:
                return Testo(v, t) && (p.SetSecScri(t), true);
            case 6:
                return Testo(v, t) && (p.SetTerScri(t), true);
            default:
                return false;
            }
        }
        switch (l.tipo) {
        case K::Radice:
            return Radice(l, v);
        case K::Libretto:
            return Libretto(l, v);
        case K::Intestazione:
            return Intestazione(l, v);
        case K::Riga:
            return Riga(l, v);
        case K::Vertice:
            return Vertice(l, v);
        case K::Riga9:
            return Riga9(l, v);
        case K::Distanza:
            return Distanza(l, v);
        case K::Ori:
            return Ori(l, v);
        case K::Lavoro:
            return Lavoro(l, v);
        case K::Stazione:
            return Stazione(l, v);
        case K::Punto:
            return Punto(l, v);
        case K::Gps:
            return Gps(l, v);
        case K::Conversione:
            return Conversione(l, v);
        case K::Gruppo:
            return Gruppo(l, v);
        case K::PuntoGps:
            return PuntoGps(l, v);
        case K::Ricevitore: {
            if (l.campo == 0)
                return Booleano(v, l.vero);
            return Reale(v, l.reali[l.campo - 1]);
        }
        case K::Relazione: {
            WString t;
            return Testo(v, t) && (m_P.cts.AddRelaz(t), true);
        }
        case K::Particelle: {
            WString t;
            return Testo(v, t) && (m_P.cts.m_Particelle.AddParticella(t), true);
        }
        case K::Codici: {
            CEgn& p = *static_cast<CEgn*>(l.oggetto);
            if (v.tipo != Valore::Testo)
                return false;
            if (v.s == "NP")
                p.SetCodeNP(true);
            else if (v.s == "3D")
                p.SetCode3D(true);
            else if (v.s == "PO")
                p.SetCodePO(true);
            else
                return false;
            return true;
        }
        case K::Geocentriche:
            return l.quanti < 3 && Coordinata(v, l.xyz[l.quanti++]);
        case K::Covarianza:
            return l.quanti < 6 && Intero(v, INT32_MIN, INT32_MAX, l.numeri[l.quanti++]);
        case K::Data: {
            static constexpr long long kMassimi[] = {31, 12, 9999, 86400};
            if (l.quanti >= 4 || !Intero(v, 0, kMassimi[l.quanti], l.numeri[l.quanti]))
                return false;
            ++l.quanti;
            return true;
        }
        default:
            return false;
        }
    }

    bool Radice(Livello& l, const Valore& v) {
        long long n = 0;
        switch (l.campo) {
        case 0:
            return v.tipo == Valore::Testo && v.s == "pregeo-host/progetto";
        case 1:
            return Intero(v, 1, 1, n);
        case 2:
            if (v.tipo != Valore::Testo)
                return false;
            m_P.nome = std::string(v.s);
            return true;
        default:
            return false;
        }
    }

    bool Libretto(Livello& l, const Valore& v) {
        CCts& c = m_P.cts;
        long long n = 0;
        switch (l.campo) {
        case 0:
            return Intero(v, 1000, 9999, n) && (c.SetVerPregeo(static_cast<int>(n)), true);
        case 1:
            return Corto(v, 0, 1, c.m_TipoLibretto);
        case 2:
            return Corto(v, 0, 2, c.m_FormatoPunti);
        case 3:
            return Booleano(v, c.m_FormatoMappale);
        default:
            return false;
        }
    }

    bool Intestazione(Livello& l, const Valore& v) {
        CCts& c = m_P.cts;
        WString t;
        if (!Testo(v, t))
            return false;
        switch (l.campo) {
        case 0:
            c.SetAnno(t);
            break;
        case 1:
            c.SetMese(t);
            break;
        case 2:
            c.SetGior(t);
            break;
        case 3:
            c.SetCdCm(t);
            break;
        case 4:
            c.SetProvCm(t);
            break;
        case 5:
            c.SetProv(t);
            break;
        case 6:
            c.SetFogl(t);
            break;
        case 7:
            c.SetMapp(t);
            break;
        case 8:
            c.SetProt(t);
            break;
        case 9:
            c.SetQual(t);
            break;
        case 10:
            c.SetTcnN(t);
            break;
        case 11:
            c.SetTcnC(t);
            break;
        case 12:
            c.SetTcnCF(t);
            break;
        case 13:
            c.SetTcnNIscr(t);
            break;
        default:
            return false;
        }
        return true;
    }

    // The fields a row 9 shares with the other rows, numbered as in those (nome1 = 2).
    static bool CampoRiga(CRig& r, int campo, const Valore& v) {
        WString t;
        double d = 0;
        short s = 0;
        switch (campo) {
        case 2:
            return Testo(v, t) && (r.SetLblNome1(t), true);
        case 3:
            return Testo(v, t) && (r.SetLblNome2(t), true);
        case 4:
            return Testo(v, t) && (r.SetLblMater(t), true);
        case 5:
            return Reale(v, d) && (r.SetDatoRea1(d), true);
        case 6:
            return Reale(v, d) && (r.SetDatoRea2(d), true);
        case 7:
            return Corto(v, -32768, 32767, s) && (r.SetDatoInt1(s), true);
        case 8:
            return Corto(v, -32768, 32767, s) && (r.SetDatoInt2(s), true);
        default:
            return false;
        }
    }

    static bool Riga(Livello& l, const Valore& v) {
        CRig& r = *static_cast<CRig*>(l.oggetto);
        char ch = 0;
        switch (l.campo) {
        case 0:
            if (!Carattere(v, ch) || std::strchr(l.ammessi, ch) == nullptr || ch == '\0')
                return false;
            r.SetTipoRiga(ch);
            return true;
        case 1:
            return Corto(v, 0, 2, ch) && (r.SetSpecRiga(ch), true);
        default:
            return CampoRiga(r, l.campo, v);
        }
    }

    static bool Riga9(Livello& l, const Valore& v) {
        CRig9& r = *static_cast<CRig9*>(l.oggetto);
        if (l.campo == 7) {
            WString t;
            return Testo(v, t) && (r.SetCaso(t), true);
        }
        return CampoRiga(r, l.campo + 2, v);
    }

    bool Vertice(Livello& l, const Valore& v) {
        if (l.campo == 0)
            return Testo(v, m_Nome);
        char ch = 0;
        if (!Carattere(v, ch))
            return false;
        l.numeri[l.campo] = ch;
        return true;
    }

    static bool Distanza(Livello& l, const Valore& v) {
        CCtsDistanza& d = *static_cast<CCtsDistanza*>(l.oggetto);
        WString t;
        double x = 0;
        switch (l.campo) {
        case 0:
            return Testo(v, t) && (d.SetNome1(t), true);
        case 1:
            return Testo(v, t) && (d.SetNome2(t), true);
        case 2:
            return Reale(v, x) && (d.SetDistanza(x), true);
        case 3:
            return Reale(v, x) && (d.SetSqm(x), true);
        case 4:
            return Testo(v, t) && (d.SetRifLibretto(t), true);
        default:
            return false;
        }
    }

    static bool Ori(Livello& l, const Valore& v) {
        COri& o = *static_cast<COri*>(l.oggetto);
        WString t;
        short s = 0;
        switch (l.campo) {
        case 7:
            return Corto(v, -1, 3, s) && (o.SetTipoPunto(s), true);
        case 8:
            return Corto(v, -32768, 32767, s) && (o.SetAttendibO(s), true);
        case 9:
            return Corto(v, -32768, 32767, s) && (o.SetAttendibV(s), true);
        default:
            break;
        }
        if (!Testo(v, t))
            return false;
        switch (l.campo) {
        case 10:
            o.SetNotaAlt(t);
            break;
        case 11:
            o.SetComm(t);
            break;
        case 12:
            o.SetParticella(t);
            break;
        case 13:
            o.SetFoglioOr(t);
            break;
        case 14:
            o.SetAllegOr(t);
            break;
        case 15:
            o.SetFiducOr(t);
            break;
        case 16:
            o.SetDataAgg(t);
            break;
        case 17:
            o.SetCausaAgg(t);
            break;
        default:
            return false;
        }
        return true;
    }

    static bool Lavoro(Livello& l, const Valore& v) {
        CJob& j = *static_cast<CJob*>(l.oggetto);
        WString t;
        bool b = false;
        switch (l.campo) {
        case 0:
            return Testo(v, t) && (j.SetNome(t), true);
        case 1:
            return Booleano(v, b) && (j.SetCodeNP(b), true);
        case 2:
            return Booleano(v, b) && (j.SetCdElabValid(b), true);
        default:
            return false;
        }
    }

    static bool Stazione(Livello& l, const Valore& v) {
        CSta& s = *static_cast<CSta*>(l.oggetto);
        WString t;
        double d = 0;
        bool b = false;
        switch (l.campo) {
        case 7:
            return Testo(v, t) && (s.SetIden(t), true);
        case 8:
            return Reale(v, d) && (s.SetAltStr(d), true);
        case 9:
            return Booleano(v, b) && (s.SetDupp(b), true);
        default:
            return false;
        }
    }

    static bool Punto(Livello& l, const Valore& v) {
        CPun& p = *static_cast<CPun*>(l.oggetto);
        WString t;
        double d = 0;
        switch (l.campo) {
        case 7:
            return Reale(v, d) && (p.SetDato0(d), true);
        case 8:
            return Reale(v, d) && (p.SetDato1(d), true);
        case 9:
            return Reale(v, d) && (p.SetDato2(d), true);
        case 10:
            return Reale(v, d) && (p.SetAltPri(d), true);
        case 11:
            return Testo(v, t) && (p.SetCode(t), true);
        default:
            return false;
        }
    }

    bool Gps(Livello& l, const Valore& v) {
        bool b = false;
        switch (l.campo) {
        case 0:
            return Booleano(v, b) && (m_P.gps.SetOrientata(b), true);
        // Its range depends on the groups, which may come after it.
        case 1:
            return Intero(v, -1, INT32_MAX, l.numeri[0]);
        default:
            return false;
        }
    }

    bool Conversione(Livello& l, const Valore& v) {
        if (l.campo == 0) {
            if (v.tipo != Valore::Testo)
                return false;
            l.sistema = std::string(v.s);
            return true;
        }
        return Booleano(v, l.vero);
    }

    static bool Gruppo(Livello& l, const Valore& v) {
        CGrpGps& g = *static_cast<CGrpGps*>(l.oggetto);
        double d = 0;
        bool b = false;
        switch (l.campo) {
        case 8:
            return Reale(v, d) && (g.SetBaseAltAnt(d), true);
        case 9:
            return Reale(v, g.m_PDOP);
        case 10:
            return Reale(v, g.m_GDOP);
        case 11:
            return Booleano(v, b) && (g.SetCdElabValid(b), true);
        default:
            return false;
        }
    }

    static bool PuntoGps(Livello& l, const Valore& v) {
        CPunGps& p = *static_cast<CPunGps*>(l.oggetto);
        WString t;
        double d = 0;
        switch (l.campo) {
        case 9:
            return Reale(v, d) && (p.SetPdop(d), true);
        case 10:
            return Reale(v, d) && (p.SetGdop(d), true);
        case 11:
            return Reale(v, d) && (p.SetAltAnt(d), true);
        case 12:
            return Testo(v, t) && (p.SetCode(t), true);
        default:
            return false;
        }
    }

    bool ChiudiOggetto(Livello& l) {
        const Campi c = CampiDi(l.tipo);
        if (l.visti != (1u << c.quanti) - 1)
            return false;
        if (EPunto(l.tipo)) {
            CEgn& p = *static_cast<CEgn*>(l.oggetto);
            p.SetCoord(l.xyz[0], l.xyz[1], l.xyz[2]);
            p.CalcolaValiditaXYZ();
        }
        switch (l.tipo) {
        case K::Vertice:
            static_cast<CRig*>(l.oggetto)->AddVrt(
                CCtsVrt(m_Nome, static_cast<char>(l.numeri[1]), static_cast<char>(l.numeri[2])));
            return true;
        case K::Gps: {
            const long long gruppi = m_P.gps.GetGrpArSize();
            if (l.numeri[0] > gruppi - 1)
                return false;
            m_P.gps.SetCurrGrp(static_cast<int>(l.numeri[0]));
            return true;
        }
        case K::Conversione: {
            CConvCoord& conv = m_P.gps.GetConvCoordProgetto();
            if (!l.sistema.empty() && !conv.Imposta(l.sistema))
                return false;
            conv.SetValida(l.vero);
            return true;
        }
        case K::Ricevitore:
            if (l.vero)
                m_P.ricevitore.SetUltimaPosizione(l.reali[0], l.reali[1]);
            return true;
        default:
            return true;
        }
    }

    bool ChiudiLista(Livello& l) {
        switch (l.tipo) {
        case K::Geocentriche:
            if (l.quanti != 3)
                return false;
            if (m_Livelli[m_Livelli.size() - 2].tipo == K::Gruppo)
                static_cast<CGrpGps*>(l.oggetto)->SetGeocCeFaMis(l.xyz[0], l.xyz[1], l.xyz[2]);
            else
                static_cast<CPunGps*>(l.oggetto)->SetGeocCeFaMis(l.xyz[0], l.xyz[1], l.xyz[2]);
            return true;
        case K::Covarianza: {
            if (l.quanti != 6)
                return false;
            long termini[6];
            for (int t = 0; t < 6; ++t)
                termini[t] = static_cast<long>(l.numeri[t]);
            static_cast<CPunGps*>(l.oggetto)->SetPosCov(termini);
            return true;
        }
        case K::Data:
            if (l.quanti != 4)
                return false;
            static_cast<CPunGps*>(l.oggetto)->SetData(
                static_cast<int>(l.numeri[0]), static_cast<int>(l.numeri[1]), static_cast<int>(l.numeri[2]),
                static_cast<int>(l.numeri[3]));
            return true;
        default:
            return true;
        }
    }

    Project& m_P;
    std::vector<Livello> m_Livelli;
    WString m_Nome; // a vertex's name until its object closes
};

} // namespace

bool LeggiProgettoRapido(const std::string& text, Project& project) {
    // Escapes the strict reader checks more closely than this parser (lone surrogates), and bytes past
    // a NUL that this parser would not look at: both go to the strict reader.
    if (text.find('\0') != std::string::npos || text.find("\\u") != std::string::npos)
        return false;
    Lettore lettore(project);
    rapidjson::Reader reader;
    rapidjson::MemoryStream testo(text.data(), text.size());
    constexpr unsigned kModo = rapidjson::kParseValidateEncodingFlag | rapidjson::kParseNumbersAsStringsFlag;
    return !reader.Parse<kModo>(testo, lettore).IsError();
}

} // namespace host
