// The quick reader against the strict one: the same project from every text the strict one takes, and
// from every other text the strict reader's own complaint.
#include "host/project/LetturaRapida.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

namespace {

using J = nlohmann::ordered_json;

std::string ReadFile(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// What a reader makes of a text: the saved project or the complaint.
std::string Esito(const std::function<std::unique_ptr<host::Project>()>& leggi) {
    try {
        return "salvato: " + leggi()->Serialize();
    } catch (const host::ProjectError& e) {
        return std::string("errore: ") + e.what();
    }
}

// True when the quick reader took the text, into the project the strict reader makes of it. When it
// does not, Parse must give what the strict reader gives.
bool Confronta(const std::string& text, const std::string& come) {
    const std::string atteso = Esito([&] { return host::LeggiProgettoVerificato(text, "progetto.json"); });
    host::Project rapido;
    if (host::LeggiProgettoRapido(text, rapido)) {
        EXPECT_EQ("salvato: " + rapido.Serialize(), atteso) << come;
        return true;
    }
    EXPECT_EQ(Esito([&] { return host::Project::Parse(text, "progetto.json"); }), atteso) << come;
    return false;
}

WString Nome(std::mt19937& r, const char* prefisso) {
    static const char* const kCode[] = {"", "città", "PF01/0010/G337", "a\"b\\c", "x\ty"};
    std::string s = prefisso + std::to_string(r() % 1000);
    if (r() % 4 == 0)
        s += kCode[r() % 5];
    return WString::FromUtf8(s);
}

double Reale(std::mt19937& r) {
    switch (r() % 5) {
    case 0:
        return REALE_INDEFINITO;
    case 1:
        return static_cast<double>(static_cast<int>(r() % 2000)) - 1000;
    case 2:
        return -0.0;
    default:
        return std::uniform_real_distribution<double>(-9e8, 9e8)(r);
    }
}

void Punto(std::mt19937& r, CEgn& p, const char* prefisso) {
    p.SetNome(Nome(r, prefisso));
    p.SetCoord(Reale(r), Reale(r), Reale(r));
    p.CalcolaValiditaXYZ();
    p.SetCodeNP(r() % 3 == 0);
    p.SetCode3D(r() % 3 == 0);
    p.SetCodePO(r() % 3 == 0);
    p.SetSecScri(Nome(r, "s"));
    p.SetTerScri(r() % 2 ? WString() : Nome(r, "t"));
}

// A project with some of everything the file can hold.
std::string Genera(unsigned seme) {
    std::mt19937 r(seme);
    host::Project p;
    p.nome = "Rilievo " + std::to_string(seme);
    p.cts.SetVerPregeo(1000 + static_cast<int>(r() % 9000));
    p.cts.m_TipoLibretto = static_cast<int>(r() % 2);
    p.cts.m_FormatoPunti = static_cast<int>(r() % 3);
    p.cts.m_FormatoMappale = r() % 2;
    p.cts.SetCdCm(Nome(r, "G"));
    p.cts.SetTcnNIscr(Nome(r, ""));
    const auto righe = [&](CCtsRigArray& a, const char* tipi) {
        for (unsigned i = r() % 4; i > 0; --i) {
            auto* rig = new CRig(tipi[r() % std::strlen(tipi)], static_cast<char>(r() % 3));
            rig->SetLblNome1(Nome(r, ""));
            rig->SetLblMater(Nome(r, "m"));
            rig->SetDatoRea1(Reale(r));
            rig->SetDatoRea2(Reale(r));
            rig->SetDatoInt1(static_cast<short>(r() % 65536 - 32768));
            rig->SetDatoInt2(static_cast<short>(r() % 100));
            for (unsigned v = r() % 5; v > 0; --v)
                rig->AddVrt(CCtsVrt(Nome(r, ""), "CT"[r() % 2], "NR"[r() % 2]));
            a.AddRig(rig);
        }
    };
    righe(p.cts.m_Righe3, "36");
    righe(p.cts.m_Righe45, "456");
    righe(p.cts.m_Righe7, "67");
    p.cts.GetRiga9()->SetDatoRea1(Reale(r));
    p.cts.GetRiga9()->SetCaso(Nome(r, "c"));
    for (unsigned i = r() % 3; i > 0; --i)
        p.cts.AddRelaz(Nome(r, "riga "));
    for (unsigned i = r() % 3; i > 0; --i)
        p.cts.m_Particelle.AddParticella(Nome(r, ""));
    for (unsigned i = r() % 3; i > 0; --i) {
        CCtsDistanza* d = p.cts.m_EstrMap.AddDistanza();
        d->SetNome1(Nome(r, "PF"));
        d->SetNome2(Nome(r, "PF"));
        d->SetDistanza(Reale(r));
        d->SetSqm(Reale(r));
        d->SetRifLibretto(Nome(r, "L"));
    }
    for (unsigned i = r() % 5; i > 0; --i) {
        COri* o = p.cmp.AddOri(false);
        Punto(r, *o, "PF");
        o->SetTipoPunto(static_cast<short>(static_cast<int>(r() % 5) - 1));
        o->SetAttendibO(static_cast<short>(r() % 100));
        o->SetFiducOr(Nome(r, "f"));
        o->SetCausaAgg(Nome(r, ""));
    }
    for (unsigned j = r() % 3; j > 0; --j) {
        CJob* job = p.cmp.AddJob(Nome(r, "lavoro "));
        job->SetCodeNP(r() % 2);
        job->SetCdElabValid(r() % 2);
        for (unsigned s = r() % 3; s > 0; --s) {
            CSta* sta = job->AddSta(WString());
            Punto(r, *sta, "S");
            sta->SetAltStr(Reale(r));
            sta->SetDupp(r() % 2);
            for (unsigned k = r() % 4; k > 0; --k) {
                CPun* pun = sta->AddPun(WString());
                Punto(r, *pun, "");
                pun->SetDato0(Reale(r));
                pun->SetDato2(Reale(r));
                pun->SetCode(Nome(r, "c"));
            }
        }
    }
    p.gps.SetOrientata(r() % 2);
    for (unsigned g = r() % 3; g > 0; --g) {
        CGrpGps* grp = p.gps.AddGrp(WString());
        Punto(r, *grp, "B");
        grp->SetGeocCeFaMis(Reale(r), Reale(r), Reale(r));
        grp->m_PDOP = Reale(r);
        for (unsigned k = r() % 3; k > 0; --k) {
            CPunGps* pun = grp->AddPun(WString());
            Punto(r, *pun, "G");
            pun->SetGeocCeFaMis(Reale(r), Reale(r), Reale(r));
            const long cov[6] = {static_cast<long>(r() % 1000), -5, INT32_MIN, INT32_MAX, 0, 7};
            pun->SetPosCov(cov);
            pun->SetData(static_cast<int>(r() % 32), static_cast<int>(r() % 13), 2024,
                         static_cast<int>(r() % 86401));
            pun->SetCode(Nome(r, ""));
        }
    }
    p.gps.SetCurrGrp(static_cast<int>(r() % (p.gps.GetGrpArSize() + 1)) - 1);
    if (r() % 2)
        p.ricevitore.SetUltimaPosizione(45.5, Reale(r));
    return p.Serialize();
}

// Every object's fields in reverse order: the same project to either reader.
void Rovescia(J& j) {
    if (j.is_object()) {
        J r = J::object();
        for (auto it = j.rbegin(); it != j.rend(); ++it)
            r[it.key()] = it.value();
        j = r;
    }
    if (j.is_structured())
        for (auto& e : j)
            Rovescia(e);
}

// Calls `f` with every value of the document and its place, objects and lists before what they hold.
void Visita(J& j, const std::function<void(J&)>& f) {
    f(j);
    if (j.is_structured())
        for (auto& e : j)
            Visita(e, f);
}

} // namespace

TEST(LetturaRapida, GeneratedProjectsReadAsTheStrictReaderReadsThem) {
    std::vector<std::string> testi = {ReadFile("samples/demo/progetto.json")};
    for (unsigned seme = 1; seme <= 40; ++seme)
        testi.push_back(Genera(seme));
    for (const std::string& t : testi) {
        EXPECT_TRUE(Confronta(t, t.substr(0, 200)));
        J doc = J::parse(t);
        Rovescia(doc);
        EXPECT_TRUE(Confronta(doc.dump(), "rovesciato"));
        EXPECT_TRUE(Confronta(" \r\n\t" + doc.dump(4) + "\n\n", "spaziato"));
    }
}

// Every field of every object taken away, doubled, joined by a stranger, or given a value of another
// kind or beyond its range; cut short anywhere; nested too deep.
TEST(LetturaRapida, DamagedProjectsGetTheStrictReadersComplaint) {
    // The sample with one of each kind of element, so that every field of every kind is damaged once.
    J base = J::parse(ReadFile("samples/demo/progetto.json"));
    Visita(base, [](J& v) {
        if (v.is_array() && v.size() > 1 && !v[0].is_number())
            v.erase(v.begin() + 1, v.end());
    });
    // Without the coordinate system, whose set-up would take most of the time.
    base["gps"]["conversione"]["sistema"] = "";
    const std::string originale = base.dump(2);
    const std::vector<J> valori = {nullptr, "3", -1, 1.5, 2e9, 1e200, 18446744073709551615ull, J::array()};
    int rifiutati = 0, casi = 0;
    std::size_t quanti = 0;
    Visita(base, [&](J&) { ++quanti; });
    for (std::size_t n = 0; n < quanti; ++n) {
        // Each change says whether it applies to the value; one that does not is no case.
        const auto varia = [&](const std::function<bool(J&)>& cambia) {
            J doc = base;
            std::size_t i = 0;
            bool cambiato = false;
            Visita(doc, [&](J& v) {
                if (i++ == n)
                    cambiato = cambia(v);
            });
            if (!cambiato)
                return;
            ++casi;
            rifiutati += !Confronta(doc.dump(1), "valore " + std::to_string(n));
        };
        for (const J& v : valori)
            varia([&](J& x) { return !x.is_structured() && (x = v, true); });
        varia([](J& x) {
            if (x.is_object())
                x["extra"] = 1;
            else if (x.is_array())
                x.push_back(x.empty() ? J() : J(x.back()));
            return x.is_structured();
        });
        varia([](J& x) {
            if (x.is_object() && !x.empty())
                x.erase(x.begin().key());
            else if (x.is_array() && !x.empty())
                x.erase(x.size() - 1);
            else
                return false;
            return true;
        });
        varia([](J& x) { return x.is_object() && x.size() > 1 && (x.erase((--x.end()).key()), true); });
    }
    // A key twice: each line that holds a scalar field, written again before itself.
    for (std::size_t a = 0, b; (b = originale.find('\n', a)) != std::string::npos; a = b + 1) {
        std::string riga = originale.substr(a, b - a);
        if (riga.find("\": ") == std::string::npos || riga.back() == '{' || riga.back() == '[')
            continue;
        if (riga.back() != ',')
            riga += ",";
        ++casi;
        rifiutati += !Confronta(originale.substr(0, a) + riga + "\n" + originale.substr(a), riga);
    }
    for (std::size_t cut = 0; cut < originale.size(); cut += 53) {
        ++casi;
        rifiutati += !Confronta(originale.substr(0, cut), "tagliato a " + std::to_string(cut));
    }
    const std::string profondo = std::string(70, '[') + std::string(70, ']');
    for (const std::string& t : {"{\"formato\": " + profondo + "}",
                                 originale.substr(0, originale.find("\"codici\": [") + 11) + profondo + "," +
                                     originale.substr(originale.find("\"codici\": [") + 11)}) {
        ++casi;
        rifiutati += !Confronta(t, "profondo");
    }
    // Nearly all of them are faults; the rest are projects that differ in a value only.
    EXPECT_GT(rifiutati, casi / 2);
}

// Texts and numbers at the edges of what JSON allows, put in the place of a name and of a coordinate.
TEST(LetturaRapida, EdgesOfJsonTextAndNumbersAsTheStrictReader) {
    const std::string t = ReadFile("samples/demo/progetto.json");
    const std::size_t nome = t.find("\"nome\": \"") + 9, x = t.find("\"x\": ") + 5;
    const char* const testi[] = {"\xC3\xA0",
                                 "\xC0\x80",
                                 "\xED\xA0\x80",
                                 "\xF4\x90\x80\x80",
                                 "\xF0\x9F\x98\x80",
                                 "\xFF",
                                 "\xC3",
                                 "\x01",
                                 "\x7F",
                                 "\\uD800",
                                 "\\uDC00",
                                 "\\u00e0",
                                 "\\ud83d\\ude00",
                                 "\\u0000",
                                 "\t",
                                 "\\/\\b\\f\\n\\r\\t\\\"\\\\",
                                 "\\x",
                                 "\\"};
    for (const char* s : testi)
        Confronta(t.substr(0, nome) + s + t.substr(nome), s);
    const char* const numeri[] = {"-0",
                                  "1E2",
                                  "1e-400",
                                  "0.1e1",
                                  "01",
                                  "1.",
                                  ".5",
                                  "-",
                                  "+1",
                                  "1e",
                                  "1e+2",
                                  "-1e-2",
                                  "1e400",
                                  "NaN",
                                  "Infinity",
                                  "123456789012345678901234567890",
                                  "-9223372036854775809",
                                  "4.9e-324",
                                  "2.2250738585072011e-308",
                                  "999999999.99999999"};
    for (const char* n : numeri)
        Confronta(t.substr(0, x) + n + t.substr(t.find(',', x)), n);
    Confronta(t + "x", "dopo");
    Confronta(std::string(t).append(1, '\0'), "nul");
    Confronta("\xEF\xBB\xBF" + t, "bom");
    Confronta("", "vuoto");
}
