// The host's CAD engine, its selecting builder, the view's selected points, the drawing of a survey and
// its pictures.
#include "host/cad/Figura.h"
#include "host/cad/Rilievo.h"
#include "host/project/Project.h"
#include "hostapi/Computations.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <expat.h>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

using testing::ElementsAre;

namespace {

std::vector<int> Cammino(const CGcadEng& eng, int flag) {
    std::vector<int> out;
    CGcadEntIterator it(&eng, flag);
    for (int e = it.First(); e != 0; e = it.Next())
        out.push_back(e);
    return out;
}

int Punto(CGcadEng& eng, const char16_t* nome, double x, double y, int tipo = 2,
          const char16_t* secondo = u"") {
    const int ins = eng.CreateInsert(tipo & 0xF, x, y, 10);
    eng.AddAttrib(ins, nome);
    eng.AddAttrib(ins, secondo);
    eng.SetUserInfoToEnt(ins, tipo, 0);
    eng.AddAndDrawEntToList(ins, DISEGNO_RILIEVO);
    return ins;
}

struct Registro : CGcadEng::Osservatore {
    std::vector<std::string> voci;
    void EntAggiunta(const CGcadEng& eng, int ent) override {
        voci.push_back("+" + std::to_string(ent) + "/" + std::to_string(eng.GetDisegnoEnt(ent)));
    }
    void EntEliminata(const CGcadEng&, int ent) override { voci.push_back("-" + std::to_string(ent)); }
};

} // namespace

TEST(CadEngine, SelectionIteratorAndUserData) {
    CGcadEng eng;
    Registro registro;
    eng.SetOsservatore(&registro);
    const int a = Punto(eng, u"101", 0, 0), b = Punto(eng, u"102", 10, 0), c = Punto(eng, u"103", 0, 10);
    const int fuori = eng.CreateLine(0, 0, 0, 1, 1, 0); // never added
    const int linea = eng.CreateLine(0, 0, 0, 10, 0, 0);
    const auto dato = reinterpret_cast<std::uintptr_t>(&eng);
    eng.SetUserInfoToEnt(linea, 100, dato);
    EXPECT_TRUE(eng.AddAndDrawEntToList(linea, DISEGNO_TEMPORANEO));
    EXPECT_FALSE(eng.AddAndDrawEntToList(linea, DISEGNO_RILIEVO)); // already in a drawing
    EXPECT_FALSE(eng.AddAndDrawEntToList(eng.GetAttribNo(a, 0), DISEGNO_RILIEVO));
    EXPECT_EQ(eng.GetUserTypeOfEnt(linea), 100);
    EXPECT_EQ(eng.GetUserDataOfEnt(linea), dato);
    EXPECT_EQ(eng.GetNumEnt(), 4);

    // Attributes are the insert's, not entities of the walk; an entity outside the drawings is not walked
    // and cannot be selected.
    EXPECT_THAT(Cammino(eng, 1), ElementsAre(a, b, c, linea));
    EXPECT_FALSE(eng.SelectEnt(fuori));
    WString nome;
    EXPECT_TRUE(eng.GetValAttrib(eng.GetAttribNo(b, 0), nome));
    EXPECT_EQ(nome, u"102");
    EXPECT_EQ(eng.GetAttribNo(b, 2), 0);
    int blocco = -1;
    double x = -1, y = -1, z = -1;
    EXPECT_FALSE(eng.GetValInsert(linea, blocco, x, y, z));
    EXPECT_EQ(x, -1);

    // The selection keeps its order; selecting twice changes nothing.
    eng.SelectEnt(c);
    eng.SelectEnt(a);
    eng.SelectEnt(c);
    eng.SelectEnt(linea);
    EXPECT_THAT(Cammino(eng, 0), ElementsAre(c, a, linea));
    EXPECT_TRUE(eng.IsSelectThisEnt(a));
    EXPECT_FALSE(eng.IsSelectThisEnt(b));

    // A walk of the selection survives the selection changing under it.
    CGcadEntIterator it(&eng, 0);
    std::vector<int> visti;
    for (int e = it.First(); e != 0; e = it.Next()) {
        visti.push_back(e);
        eng.UnselectEnt(e);
        if (e == c)
            eng.DeleteEnt(a);
    }
    EXPECT_THAT(visti, ElementsAre(c, linea));
    EXPECT_EQ(eng.GetNumSelected(), 0);

    // Deleting an insert takes its attributes and its place in the selection.
    const int attributo = eng.GetAttribNo(b, 1);
    eng.SelectEnt(b);
    EXPECT_TRUE(eng.DeleteEnt(b));
    EXPECT_FALSE(eng.EsisteEnt(attributo));
    EXPECT_FALSE(eng.IsSelectThisEnt(b));
    EXPECT_FALSE(eng.DeleteEnt(b));
    EXPECT_EQ(eng.GetNumEnt(), 2);
    eng.DeselectAllEnt();
    EXPECT_EQ(eng.GetNumSelected(), 0);

    const std::string atteso[] = {"+" + std::to_string(a) + "/0", "+" + std::to_string(b) + "/0",
                                  "+" + std::to_string(c) + "/0", "+" + std::to_string(linea) + "/1",
                                  "-" + std::to_string(a),        "-" + std::to_string(b)};
    EXPECT_THAT(registro.voci, testing::ElementsAreArray(atteso));
}

namespace {

// A selecting builder whose answers the test sets.
class Prova : public CObjBuildSelPnt {
public:
    Prova(CGcadEng* eng, bool singola) : CObjBuildSelPnt(eng, singola) {}
    bool IsValidExtraThing(int ent) override { return ent == cosa; }
    bool OnEntPicked() override {
        if (cosa)
            m_pGcadEng->SelectEnt(cosa + 100); // a thing selects what it wants
        return accetta;
    }
    int cosa = 0;
    bool accetta = true;
};

} // namespace

TEST(CadBuilder, PicksSelectAsTheBuilderSays) {
    CGcadEng eng;
    const int a = Punto(eng, u"A", 0, 0), b = Punto(eng, u"B", 1, 0), c = Punto(eng, u"C", 2, 0);
    const int linea = eng.CreateLine(0, 0, 0, 1, 0, 0);
    eng.AddAndDrawEntToList(linea, DISEGNO_TEMPORANEO);
    using E = CObjBuildSelPnt::EsitoPick;

    Prova singola(&eng, true);
    EXPECT_EQ(singola.Pick(a), E::NonAvviato);
    singola.Esegui();
    EXPECT_EQ(singola.Pick(linea), E::NonValido); // only inserts by default
    EXPECT_EQ(singola.Pick(a), E::Preso);
    EXPECT_EQ(singola.Pick(b), E::Preso);
    EXPECT_THAT(Cammino(eng, 0), ElementsAre(b));
    EXPECT_EQ(singola.GetPickedEnt(), b);
    // The strategy decides what a pick can hit at all.
    singola.SetPickPriorStrat(new CGcadPickPriorStrat(0x2, false));
    EXPECT_EQ(singola.Pick(c), E::NonAmmesso);
    EXPECT_EQ(singola.Pick(linea), E::NonAmmesso); // temporary drawing left out
    singola.SetPickPriorStrat(new CGcadPickPriorStrat(CGcadPickPriorStrat::TUTTO, true));

    Prova multipla(&eng, false);
    multipla.Esegui();
    EXPECT_EQ(multipla.Pick(a), E::Preso);
    EXPECT_THAT(Cammino(eng, 0), ElementsAre(b, a));
    // A refused pick leaves the selection as it was.
    multipla.accetta = false;
    EXPECT_EQ(multipla.Pick(c), E::Rifiutato);
    EXPECT_THAT(Cammino(eng, 0), ElementsAre(b, a));
    // A thing the builder claims is left to it.
    multipla.accetta = true;
    multipla.cosa = c;
    eng.DeselectAllEnt();
    EXPECT_EQ(multipla.Pick(c), E::Preso);
    EXPECT_THAT(Cammino(eng, 0), ElementsAre()); // c + 100 does not exist
}

TEST(CadView, SelectedPointsComeAnchorFirstAndOnlyFromInserts) {
    CViewControlCAD vista(nullptr, nullptr, false, true);
    CGcadEng& eng = *vista.GetGcadEng();
    const int a = Punto(eng, u"A", 1, 2, 2, u"spigolo"), b = Punto(eng, u"B", 3, 4),
              c = Punto(eng, u"C", 5, 6);
    const int linea = eng.CreateLine(1, 2, 0, 3, 4, 0);
    eng.AddAndDrawEntToList(linea, DISEGNO_TEMPORANEO);
    auto* builder = new CObjBuildSelPnt(&eng, false);
    builder->SetEntAncora(b);
    vista.SetCurrentOB(builder);
    for (int e : {c, linea, a, b})
        eng.SelectEnt(e);
    std::vector<CEgn*> punti;
    std::vector<int> ents;
    EXPECT_EQ(vista.GetEgnSelected(punti, ents), 3);
    EXPECT_THAT(ents, ElementsAre(b, c, a));
    ASSERT_EQ(punti.size(), 3u);
    EXPECT_EQ(punti[2]->GetNome(), u"A");
    EXPECT_EQ(punti[2]->GetSecScri(), u"spigolo");
    EXPECT_EQ(punti[2]->GetCoordX(), 1);
    EXPECT_EQ(punti[2]->GetCoordY(), 2);
    EXPECT_EQ(punti[2]->GetCoordZ(), 10);
    EXPECT_TRUE(punti[2]->EstValidoXY());
    for (CEgn* p : punti)
        delete p;
    // Reading the selection as final closes it and keeps it.
    vista.SetSelezioneInCorso(true);
    vista.ResetSelection();
    EXPECT_FALSE(vista.IsSelezioneInCorso());
    EXPECT_EQ(eng.GetNumSelected(), 4);
}

namespace {

// A survey in which names repeat: a station observed from another, a fiducial point that is also a
// GPS base, and a row 7 that cannot be closed on the drawing.
void Rilievo(host::Project& p) {
    COri* pf = p.cmp.AddOri();
    pf->SetNome(u"PF01/0120/G337");
    pf->SetCoord(100, 100, 5);
    pf->CalcolaValiditaXYZ();
    CJob* job = p.cmp.AddJob(u"LAV01");
    const struct {
        const char16_t* stazione;
        double x, y;
    } stazioni[] = {{u"S1", 0, 0}, {u"S2", 50, 0}};
    const char16_t* punti[] = {u"101", u"102", u"103"};
    for (const auto& s : stazioni) {
        CSta* sta = job->AddSta(s.stazione);
        sta->SetCoord(s.x, s.y, 0);
        sta->CalcolaValiditaXYZ();
        for (int i = 0; i < 3; ++i) {
            CPun* pun = sta->AddPun(punti[i]);
            pun->SetCoord(10.0 * i, 20, 0);
            pun->CalcolaValiditaXYZ();
        }
        CPun* altra = sta->AddPun(s.x == 0 ? u"S2" : u"S1");
        altra->SetCoord(s.x == 0 ? 50 : 0, 0, 0);
        altra->CalcolaValiditaXYZ();
    }
    CGrpGps* base = p.gps.AddGrp(u"PF01/0120/G337");
    base->SetCoord(100, 100, 5);
    base->CalcolaValiditaXYZ();
    CPunGps* gps = base->AddPun(u"A&B <\"è\">\x01");
    gps->SetCoord(80, 60, 1);
    gps->CalcolaValiditaXYZ();
    const std::vector<std::vector<const char16_t*>> righe = {{u"101", u"102", u"103", u"101"},
                                                             {u"101", u"999", u"102", u"101"}};
    for (const auto& vertici : righe) {
        auto* r = new CRig('7');
        r->SetLblNome1(vertici[1] == std::u16string_view(u"999") ? u"250" : u"245");
        for (const char16_t* v : vertici)
            r->AddVrt(CCtsVrt(v));
        p.cts.m_Righe7.AddRig(r);
    }
}

// Collects what an SVG names: the text of every <text> element.
struct LetturaSvg {
    std::vector<std::string> testi;
    std::string corrente;
    bool inTesto = false;
    int scelti = 0;
};

} // namespace

TEST(CadDrawing, OnePointPerNameAndPlaceAndRowsThatCanBeDrawn) {
    host::Project p;
    Rilievo(p);
    CGcadEng eng;
    const host::cad::DisegnoRilievo d = host::cad::DisegnaRilievo(eng, {&p.cts, &p.cmp, &p.gps, "prova"});
    std::vector<std::string> nomi;
    std::vector<int> tipi;
    for (int e : Cammino(eng, 1))
        if (eng.IsInsert(e)) {
            nomi.push_back(host::cad::NomeInsert(eng, e).ToUtf8());
            tipi.push_back(eng.GetUserTypeOfEnt(e));
        }
    EXPECT_THAT(nomi, ElementsAre("PF01/0120/G337", "S1", "S2", "A&B <\"è\">\x01", "101", "102", "103"));
    EXPECT_THAT(tipi, ElementsAre(0x19, 1, 1, 6, 2, 2, 2));
    EXPECT_EQ(d.punti, 7);
    ASSERT_EQ(d.righe7.size(), 2u);
    EXPECT_EQ(d.righe7[0].numero, 1);
    ASSERT_EQ(d.righe7[0].entita.size(), 2u);
    const int poligono = d.righe7[0].entita[0];
    EXPECT_TRUE(eng.IsPolilineaChiusa(poligono));
    EXPECT_EQ(eng.GetPuntiEnt(poligono).size(), 3u);
    EXPECT_EQ(eng.GetUserTypeOfEnt(poligono), 7);
    EXPECT_EQ(eng.GetUserDataOfEnt(poligono), reinterpret_cast<std::uintptr_t>(p.cts.m_Righe7.GetRigAt(0)));
    EXPECT_EQ(host::cad::Descrivi(eng, d, d.righe7[0].entita[1]),
              "#" + std::to_string(d.righe7[0].entita[1]) + " row 1 \"245\"");
    EXPECT_TRUE(d.righe7[1].entita.empty());
    EXPECT_EQ(d.righe7[1].nonDisegnata, "il vertice \"999\" non ha coordinate");
    const std::vector<int> tutte = Cammino(eng, 1);
    EXPECT_EQ(d.marca, *std::max_element(tutte.begin(), tutte.end()));
}

TEST(CadPicture, SvgIsXmlThatNamesEveryPointAndPngIsWritten) {
    host::Project p;
    Rilievo(p);
    CGcadEng eng;
    const host::cad::DisegnoRilievo d = host::cad::DisegnaRilievo(eng, {&p.cts, &p.cmp, &p.gps, "prova"});
    std::set<std::string> nomi;
    for (int e : Cammino(eng, 1))
        if (eng.IsInsert(e)) {
            nomi.insert(host::cad::NomeInsert(eng, e).ToUtf8());
            if (nomi.size() == 2)
                eng.SelectEnt(e);
        }
    // What the module draws is drawn as well.
    const int lato = eng.CreateLine(0, 0, 0, 100, 100, 0);
    eng.AddAndDrawEntToList(lato, DISEGNO_TEMPORANEO);

    const auto dir = std::filesystem::temp_directory_path() / ("pregeo-cad-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    host::cad::OpzioniFigura opzioni;
    opzioni.finestra = host::cad::Estensione(eng);
    // What a command lays over the survey: a filled polygon with a hole and its label, a ring, a legend
    // entry.
    const host::cad::Colore verde{0, 0.6, 0, 0.3};
    host::cad::Sovrapposizione sopra;
    sopra.forme.push_back({"parte",
                           u"<interna>",
                           {{0, 0, 0}, {50, 0, 0}, {0, 50, 0}},
                           true,
                           {},
                           verde,
                           u"1 & 2",
                           0,
                           {{{5, 5, 0}, {20, 5, 0}, {5, 20, 0}}}});
    sopra.anelli.push_back({"anello", u"S", {10, 10, 0}, {}, 11});
    sopra.legenda.push_back({u"Parte interna", {}, verde, false});
    opzioni.sopra = &sopra;
    std::string error;
    ASSERT_TRUE(host::cad::ScriviFigura(eng, d, opzioni, dir / "disegno.svg", error)) << error;
    ASSERT_TRUE(host::cad::ScriviFigura(eng, d, opzioni, dir / "disegno.PNG", error)) << error;
    EXPECT_FALSE(host::cad::ScriviFigura(eng, d, opzioni, dir / "disegno.pdf", error));
    EXPECT_FALSE(host::cad::ScriviFigura(eng, d, opzioni, dir / "manca" / "disegno.svg", error));

    std::ifstream svg(dir / "disegno.svg", std::ios::binary);
    const std::string testo((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    LetturaSvg lettura;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &lettura);
    XML_SetElementHandler(
        parser,
        [](void* u, const XML_Char* nome, const XML_Char** attributi) {
            auto& l = *static_cast<LetturaSvg*>(u);
            l.inTesto = std::string(nome) == "text";
            l.corrente.clear();
            for (int i = 0; attributi[i]; i += 2)
                if (std::string(attributi[i]) == "class" && std::string(attributi[i + 1]) == "punto scelto")
                    ++l.scelti;
        },
        [](void* u, const XML_Char* nome) {
            auto& l = *static_cast<LetturaSvg*>(u);
            if (std::string(nome) == "text")
                l.testi.push_back(l.corrente);
            l.inTesto = false;
        });
    XML_SetCharacterDataHandler(parser, [](void* u, const XML_Char* s, int n) {
        auto& l = *static_cast<LetturaSvg*>(u);
        if (l.inTesto)
            l.corrente.append(s, static_cast<std::size_t>(n));
    });
    const bool ben_formato =
        XML_Parse(parser, testo.data(), static_cast<int>(testo.size()), 1) == XML_STATUS_OK;
    EXPECT_TRUE(ben_formato) << XML_ErrorString(XML_GetErrorCode(parser)) << " at line "
                             << XML_GetCurrentLineNumber(parser);
    XML_ParserFree(parser);
    // Every point by its name (a character XML cannot hold is left out), and the one selected.
    for (std::string nome : nomi) {
        std::erase(nome, '\x01');
        EXPECT_THAT(lettura.testi, testing::Contains(nome)) << nome;
    }
    EXPECT_EQ(lettura.scelti, 1);
    EXPECT_THAT(testo, testing::HasSubstr("class=\"linea-modulo\""));
    EXPECT_THAT(lettura.testi, testing::Contains("245")); // the row's label
    EXPECT_THAT(testo, testing::HasSubstr("class=\"parte\"><title>&lt;interna&gt;</title>"));
    EXPECT_THAT(testo, testing::ContainsRegex("<path d=\"M[^\"]* Z M[^\"]* Z\" fill-rule=\"evenodd\" "
                                              "fill=\"#009900\" fill-opacity=\"0.30\""));
    EXPECT_THAT(testo, testing::HasSubstr("class=\"anello\""));
    EXPECT_THAT(lettura.testi, testing::IsSupersetOf({"1 & 2", "Parte interna"}));

    std::ifstream png(dir / "disegno.PNG", std::ios::binary);
    char firma[8] = {};
    png.read(firma, 8);
    EXPECT_EQ(std::string(firma, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::filesystem::remove_all(dir);
}

namespace {

// A survey where names repeat across kinds and places, some objects lack coordinates, and rows 7 name
// points of every kind.
void RilievoCasuale(host::Project& p, unsigned seme) {
    std::mt19937 caso(seme);
    const auto fino = [&](int n) { return static_cast<int>(caso() % static_cast<unsigned>(n)); };
    const auto nome = [&]() { return WString::Formatted(u"%d", 100 + fino(25)); };
    const auto punto = [&](CEgn* e) {
        if (fino(8) == 0)
            return;
        // Few places, so that objects of one name often stand together.
        e->SetCoord(fino(4) * 10.0 + (fino(3) == 0 ? 0.0005 : 0.0), fino(4) * 10.0, 0);
        e->CalcolaValiditaXYZ();
    };
    for (int i = 0; i < 6; ++i)
        punto(p.cmp.AddOri(false));
    for (int i = 0; i < p.cmp.GetOriArSize(); ++i)
        p.cmp.GetOriAt(i)->SetNome(nome());
    for (int j = 0; j < 2; ++j) {
        CJob* job = p.cmp.AddJob(u"J");
        for (int s = 0; s < 3; ++s) {
            CSta* sta = job->AddSta(nome());
            punto(sta);
            for (int k = 0, n = fino(8); k < n; ++k)
                punto(sta->AddPun(nome()));
        }
    }
    for (int g = 0; g < 2; ++g) {
        CGrpGps* grp = p.gps.AddGrp(nome());
        punto(grp);
        for (int k = 0, n = fino(5); k < n; ++k)
            punto(grp->AddPun(nome()));
    }
    for (int i = 0; i < 4; ++i) {
        auto* r5 = new CRig('5', 0);
        r5->SetLblNome1(nome());
        punto(r5);
        p.cts.m_Righe45.AddRig(r5);
    }
    for (int i = 0; i < 6; ++i) {
        auto* r7 = new CRig('7');
        for (int k = 0, n = 2 + fino(4); k < n; ++k)
            r7->AddVrt(CCtsVrt(nome()));
        p.cts.m_Righe7.AddRig(r7);
    }
}

} // namespace

// The drawing's indexes against the walks they replace: a vertex's coordinates as CercaCoordinate finds
// them, one insert per name and place (the first drawn within a millimetre), one line per two inserts.
TEST(CadDrawing, IndexesGiveWhatThePlainWalksGive) {
    for (unsigned seme = 1; seme <= 40; ++seme) {
        SCOPED_TRACE(seme);
        host::Project p;
        RilievoCasuale(p, seme);
        const CCalcRighePregeo calcolo(&p.cts, &p.cmp, &p.gps, nullptr);
        // Twice: the second time after some points lost their coordinates, which the lookup made before
        // must see.
        for (int volta = 0; volta < 2; ++volta) {
            const host::cad::IndiceCoordinate indice({&p.cts, &p.cmp, &p.gps, "prova"});
            for (int n = 90; n < 130; ++n) {
                const WString nome = WString::Formatted(u"%d", n);
                double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
                const bool atteso = calcolo.CercaCoordinate(nome, x1, y1);
                ASSERT_EQ(indice.Cerca(nome, x2, y2), atteso) << nome << " volta " << volta;
                if (atteso) {
                    EXPECT_EQ(x1, x2);
                    EXPECT_EQ(y1, y2);
                }
            }
            for (int j = 0; j < p.cmp.GetJobArSize(); ++j)
                for (int s = 0; s < p.cmp.GetStaArSize(j); ++s)
                    for (int k = 0; k < p.cmp.GetPunArSize(j, s); k += 2) {
                        p.cmp.GetPunAt(j, s, k)->SetCoordXY(REALE_INDEFINITO, REALE_INDEFINITO);
                        p.cmp.GetPunAt(j, s, k)->CalcolaValiditaXYZ();
                    }
        }

        CGcadEng eng;
        host::cad::DisegnaRilievo(eng, {&p.cts, &p.cmp, &p.gps, "prova"});
        // Every object with coordinates, in the order drawn, is the first insert of its name within a
        // millimetre; each insert is such a first.
        std::vector<std::pair<WString, CPuntoCad>> primi;
        const auto oggetto = [&](const CEgn& e, const WString& n) {
            if (IsRealeIndefinito(e.GetCoordX()) || IsRealeIndefinito(e.GetCoordY()))
                return;
            for (const auto& [m, q] : primi)
                if (m == n && std::hypot(q.x - e.GetCoordX(), q.y - e.GetCoordY()) < host::cad::STESSO_PUNTO)
                    return;
            primi.push_back({n, {e.GetCoordX(), e.GetCoordY(), 0}});
        };
        for (int i = 0; i < p.cmp.GetOriArSize(); ++i)
            oggetto(*p.cmp.GetOriAt(i), p.cmp.GetOriAt(i)->GetNome());
        for (int j = 0; j < p.cmp.GetJobArSize(); ++j)
            for (int s = 0; s < p.cmp.GetStaArSize(j); ++s)
                oggetto(*p.cmp.GetStaAt(j, s), p.cmp.GetStaAt(j, s)->GetNome());
        for (int g = 0; g < p.gps.GetGrpArSize(); ++g)
            oggetto(*p.gps.GetGrpAt(g), p.gps.GetGrpAt(g)->GetNome());
        for (int g = 0; g < p.gps.GetGrpArSize(); ++g)
            for (int k = 0; k < p.gps.GetPunArSize(g); ++k)
                oggetto(*p.gps.GetPunAt(g, k), p.gps.GetPunAt(g, k)->GetNome());
        for (int j = 0; j < p.cmp.GetJobArSize(); ++j)
            for (int s = 0; s < p.cmp.GetStaArSize(j); ++s)
                for (int k = 0; k < p.cmp.GetPunArSize(j, s); ++k)
                    oggetto(*p.cmp.GetPunAt(j, s, k), p.cmp.GetPunAt(j, s, k)->GetNome());
        for (int i = 0; i < p.cts.m_Righe45.GetRigArSize(); ++i)
            if (const CRig* r = p.cts.m_Righe45.GetRigAt(i); r->EstValidoXY())
                oggetto(*r, r->GetLblNome1());
        std::vector<std::pair<WString, CPuntoCad>> inserti;
        int nLinee = 0;
        for (int e : Cammino(eng, 1)) {
            if (eng.IsInsert(e))
                inserti.push_back({host::cad::NomeInsert(eng, e), eng.GetPuntiEnt(e)[0]});
            if (eng.GetTipoEnt(e) == TipoEntCad::Linea)
                ++nLinee;
        }
        ASSERT_EQ(inserti.size(), primi.size());
        for (std::size_t i = 0; i < primi.size(); ++i) {
            EXPECT_EQ(inserti[i].first, primi[i].first);
            EXPECT_EQ(inserti[i].second.x, primi[i].second.x);
        }
        // A line for each station's or base's distinct other insert, never twice between two inserts.
        std::set<std::pair<int, int>> coppie;
        const auto ins = [&](const CEgn& e, const WString& n) {
            for (std::size_t i = 0; i < primi.size(); ++i)
                if (primi[i].first == n &&
                    std::hypot(primi[i].second.x - e.GetCoordX(), primi[i].second.y - e.GetCoordY()) <
                        host::cad::STESSO_PUNTO)
                    return static_cast<int>(i) + 1;
            return 0;
        };
        const auto linea = [&](int a, int b) {
            if (a && b && a != b)
                coppie.insert(std::minmax(a, b));
        };
        for (int j = 0; j < p.cmp.GetJobArSize(); ++j)
            for (int s = 0; s < p.cmp.GetStaArSize(j); ++s)
                for (int k = 0; k < p.cmp.GetPunArSize(j, s); ++k)
                    linea(ins(*p.cmp.GetStaAt(j, s), p.cmp.GetStaAt(j, s)->GetNome()),
                          ins(*p.cmp.GetPunAt(j, s, k), p.cmp.GetPunAt(j, s, k)->GetNome()));
        for (int g = 0; g < p.gps.GetGrpArSize(); ++g)
            for (int k = 0; k < p.gps.GetPunArSize(g); ++k)
                linea(ins(*p.gps.GetGrpAt(g), p.gps.GetGrpAt(g)->GetNome()),
                      ins(*p.gps.GetPunAt(g, k), p.gps.GetPunAt(g, k)->GetNome()));
        EXPECT_EQ(nLinee, static_cast<int>(coppie.size()));
    }
}

// A point beyond any survey's reach (the polygon library overflowed on one) is left out of the drawing
// and of a picture's window, so that the rest does not shrink to nothing.
TEST(CadPicture, WhatLiesBeyondAnySurveyIsLeftOut) {
    host::Project p;
    Rilievo(p);
    CPunGps* lontano = p.gps.GetGrpAt(0)->AddPun(u"LONTANO");
    lontano->SetCoord(1e101, 60, 1);
    lontano->CalcolaValiditaXYZ();
    CGcadEng eng;
    const host::cad::DisegnoRilievo d = host::cad::DisegnaRilievo(eng, {&p.cts, &p.cmp, &p.gps, "prova"});
    EXPECT_EQ(d.punti, 7);
    host::cad::Sovrapposizione sopra;
    sopra.forme.push_back({"enorme", u"", {{0, 0, 0}, {1e101, 0, 0}, {0, 50, 0}}, true, {}, {}, u"x", 0});
    sopra.anelli.push_back({"anello-lontano", u"", {-1e300, 0, 0}, {}, 11});
    sopra.anelli.push_back({"anello", u"", {10, 10, 0}, {}, 11});
    const host::cad::Finestra f = host::cad::EstensioneDi(sopra);
    EXPECT_LT(f.xMax - f.xMin, 100);
    host::cad::OpzioniFigura opzioni;
    opzioni.finestra = host::cad::Estensione(eng);
    EXPECT_LT(opzioni.finestra.xMax, 1000);
    opzioni.sopra = &sopra;
    const auto file =
        std::filesystem::temp_directory_path() / ("pregeo-lontano-" + std::to_string(::getpid()) + ".svg");
    std::string error;
    ASSERT_TRUE(host::cad::ScriviFigura(eng, d, opzioni, file, error)) << error;
    std::ifstream svg(file, std::ios::binary);
    const std::string testo((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    EXPECT_THAT(testo, testing::HasSubstr("class=\"anello\""));
    EXPECT_THAT(testo, testing::Not(testing::HasSubstr("enorme")));
    EXPECT_THAT(testo, testing::Not(testing::HasSubstr("anello-lontano")));
    EXPECT_THAT(testo, testing::Not(testing::HasSubstr("LONTANO")));
    std::filesystem::remove(file);
}

namespace {

// The texts of a picture outside its frame (title, scale, legend), as boxes, and the points' groups.
struct TestiSvg {
    std::vector<host::cad::Riquadro> riquadri;
    std::vector<std::string> testi;
    int punti = 0;
    int fuoriScala = 0;
    int cornice = 0; // depth inside the frame's group
    int profondita = 0;
    bool inTesto = false;
    double x = 0, y = 0, corpo = 0;
    bool grassetto = false, centrato = false;
    std::string corrente;
};

TestiSvg LeggiTesti(const std::string& svg) {
    TestiSvg l;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &l);
    XML_SetElementHandler(
        parser,
        [](void* u, const XML_Char* nome, const XML_Char** a) {
            auto& l = *static_cast<TestiSvg*>(u);
            ++l.profondita;
            std::map<std::string, std::string> att;
            for (int i = 0; a[i]; i += 2)
                att[a[i]] = a[i + 1];
            if (std::string(nome) == "g") {
                if (att["class"] == "cornice")
                    l.cornice = l.profondita;
                if (att["class"].starts_with("punto"))
                    ++l.punti;
                if (att["class"].find("fuori-scala") != std::string::npos)
                    ++l.fuoriScala;
            }
            if (std::string(nome) == "text" && l.cornice == 0) {
                l.inTesto = true;
                l.corrente.clear();
                l.x = std::stod(att["x"]);
                l.y = std::stod(att["y"]);
                l.corpo = std::stod(att["font-size"]);
                l.grassetto = att["font-weight"] == "bold";
                l.centrato = att["text-anchor"] == "middle";
            }
        },
        [](void* u, const XML_Char* nome) {
            auto& l = *static_cast<TestiSvg*>(u);
            if (std::string(nome) == "text" && l.inTesto) {
                l.riquadri.push_back(host::cad::RiquadroTesto(l.x, l.y, WString::FromUtf8(l.corrente),
                                                              l.corpo, l.grassetto, l.centrato));
                l.testi.push_back(l.corrente);
                l.inTesto = false;
            }
            if (l.cornice == l.profondita)
                l.cornice = 0;
            --l.profondita;
        });
    XML_SetCharacterDataHandler(parser, [](void* u, const XML_Char* s, int n) {
        auto& l = *static_cast<TestiSvg*>(u);
        if (l.inTesto)
            l.corrente.append(s, static_cast<std::size_t>(n));
    });
    EXPECT_EQ(XML_Parse(parser, svg.data(), static_cast<int>(svg.size()), 1), XML_STATUS_OK);
    XML_ParserFree(parser);
    return l;
}

} // namespace

// Crowded points: labels that would cover one another are moved or left out, never drawn over each other;
// the selected point keeps its name; a far fiducial point stays in the picture at its edge; a sparse survey
// names every point.
TEST(CadPicture, CrowdedLabelsNeverOverlapAndFarPointsStayIn) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("pregeo-etichette-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (const auto& [quanti, lato] : std::vector<std::pair<int, double>>{{400, 40}, {60, 400}, {5, 1000}}) {
        CGcadEng eng;
        std::mt19937 caso(static_cast<unsigned>(quanti));
        std::uniform_real_distribution<double> dove(0, lato);
        int scelto = 0;
        for (int i = 0; i < quanti; ++i)
            scelto =
                Punto(eng, WString::FromUtf8(std::to_string(1000 + i * 7)).c_str(), dove(caso), dove(caso));
        eng.SelectEnt(scelto);
        Punto(eng, u"PF09/0120/G337", 5 * lato, -3 * lato,
              host::cad::UT_PUNTO_ORIENTAMENTO | host::cad::UT_FIDUCIALE);
        const int testo = eng.CreateText(lato / 2, lato / 2, u"245");
        eng.AddAndDrawEntToList(testo, DISEGNO_RILIEVO);
        host::cad::DisegnoRilievo d;
        d.marca = testo;
        host::cad::OpzioniFigura opzioni;
        opzioni.finestra = host::cad::EstensioneRilievo(eng);
        opzioni.aiMargini = true;
        std::string error;
        ASSERT_TRUE(host::cad::ScriviFigura(eng, d, opzioni, dir / "affollato.svg", error)) << error;
        std::ifstream in(dir / "affollato.svg", std::ios::binary);
        const TestiSvg l =
            LeggiTesti(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
        SCOPED_TRACE(quanti);
        EXPECT_EQ(l.punti, quanti + 1);
        EXPECT_EQ(l.fuoriScala, 1);
        EXPECT_THAT(l.testi, testing::Contains(std::to_string(1000 + (quanti - 1) * 7)));
        EXPECT_THAT(l.testi, testing::Contains("PF09/0120/G337"));
        if (quanti < 100)
            EXPECT_EQ(l.testi.size(), static_cast<std::size_t>(quanti + 2)); // points, the far one, the row
        else
            EXPECT_LT(l.testi.size(), static_cast<std::size_t>(quanti)); // crowded indeed
        for (std::size_t i = 0; i < l.riquadri.size(); ++i)
            for (std::size_t j = i + 1; j < l.riquadri.size(); ++j)
                EXPECT_FALSE(host::cad::SiSovrappongono(l.riquadri[i], l.riquadri[j]))
                    << l.testi[i] << " / " << l.testi[j];
    }
    std::filesystem::remove_all(dir);
}
