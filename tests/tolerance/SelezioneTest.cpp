// The builders of the CAD selection view on the host's engine: what each pick selects, draws and tells.
#include "tolerance/ObjBuildSel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using E = CObjBuildSelPnt::EsitoPick;

namespace {

struct Notifiche : IPregeoSelNotify {
    std::vector<int> codici;
    bool OnSelNotify(int codice) override {
        codici.push_back(codice);
        return true;
    }
};

std::vector<int> Scelti(const CGcadEng& eng, int flag = 0) {
    std::vector<int> out;
    CGcadEntIterator it(&eng, flag);
    for (int e = it.First(); e != 0; e = it.Next())
        out.push_back(e);
    return out;
}

int Punto(CGcadEng& eng, double x, double y, int tipo = 2) {
    const int ins = eng.CreateInsert(tipo, x, y, 0);
    eng.SetUserInfoToEnt(ins, tipo, 0);
    eng.AddAndDrawEntToList(ins, DISEGNO_RILIEVO);
    return ins;
}

std::vector<int> Temporanei(const CGcadEng& eng) {
    std::vector<int> out;
    for (int e : Scelti(eng, 1))
        if (eng.GetDisegnoEnt(e) == DISEGNO_TEMPORANEO)
            out.push_back(e);
    return out;
}

} // namespace

TEST(SelezioneCAD, MeshSideKeepsTheLastTwoVerticesJoined) {
    CGcadEng eng;
    Notifiche n;
    const int a = Punto(eng, 0, 0), b = Punto(eng, 10, 0), c = Punto(eng, 10, 10);
    {
        CObjBuildSelLatoMaglia lato(&eng, &n);
        lato.Esegui();
        EXPECT_EQ(lato.Pick(a), E::Preso);
        EXPECT_TRUE(Temporanei(eng).empty());
        EXPECT_EQ(lato.Pick(b), E::Preso);
        ASSERT_EQ(Temporanei(eng).size(), 1u);
        const int primaLinea = Temporanei(eng)[0];
        EXPECT_EQ(eng.GetUserTypeOfEnt(primaLinea), TIPO_UTENTE_LINEA_SELEZIONE);
        // A third vertex drops the oldest and joins the other two.
        EXPECT_EQ(lato.Pick(c), E::Preso);
        EXPECT_EQ(lato.GetVertice(0), b);
        EXPECT_EQ(lato.GetVertice(1), c);
        EXPECT_EQ(lato.GetVertice(2), 0);
        ASSERT_EQ(Temporanei(eng).size(), 1u);
        const int linea = Temporanei(eng)[0];
        EXPECT_NE(linea, primaLinea);
        EXPECT_EQ(eng.GetPuntiEnt(linea)[0].x, 10);
        EXPECT_EQ(eng.GetPuntiEnt(linea)[1].y, 10);
        EXPECT_THAT(Scelti(eng), ElementsAre(c, b));
        // A listed vertex again changes nothing but the selection and tells again.
        EXPECT_EQ(lato.Pick(b), E::Preso);
        EXPECT_THAT(Temporanei(eng), ElementsAre(linea));
        EXPECT_THAT(Scelti(eng), ElementsAre(b, c));
        EXPECT_THAT(n.codici, ElementsAre(2, 3, 3, 3));
        // Only inserts are vertices.
        EXPECT_EQ(lato.Pick(linea), E::NonValido);
    }
    EXPECT_TRUE(Temporanei(eng).empty());
}

TEST(SelezioneCAD, RowPicksToggleTheWholeRow) {
    CGcadEng eng;
    Notifiche n;
    int righe[2] = {};
    auto riga = [&](int numero) {
        const auto dato = reinterpret_cast<std::uintptr_t>(&righe[numero]);
        const int poligono = eng.CreatePolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, true);
        const int etichetta = eng.CreateText(5, 3, u"245");
        for (int e : {poligono, etichetta}) {
            eng.SetUserInfoToEnt(e, TIPO_UTENTE_RIGA7, dato);
            eng.AddAndDrawEntToList(e, DISEGNO_RILIEVO);
        }
        return std::pair{poligono, etichetta};
    };
    const auto [p1, t1] = riga(0);
    const auto [p2, t2] = riga(1);
    const int vertice = Punto(eng, 0, 0);
    CObjBuildSelRiga7 builder(&eng, &n);
    builder.Esegui();
    EXPECT_EQ(builder.GetPickPriorStrat()->GetCode(), 0x20182u);
    EXPECT_EQ(builder.Pick(vertice), E::NonAmmesso);
    EXPECT_EQ(builder.Pick(t1), E::Preso);
    EXPECT_THAT(Scelti(eng), ElementsAre(p1, t1));
    EXPECT_EQ(builder.Pick(p2), E::Preso);
    EXPECT_THAT(Scelti(eng), ElementsAre(p1, t1, p2, t2));
    EXPECT_EQ(builder.Pick(p1), E::Preso);
    EXPECT_THAT(Scelti(eng), ElementsAre(p2, t2));
    EXPECT_THAT(n.codici, ElementsAre(5, 5, 5));
}

TEST(SelezioneCAD, PointsJoinedToTheAnchorOnlyFromInserts) {
    CGcadEng eng;
    Notifiche n;
    const int ancora = Punto(eng, 0, 0, 0x19), b = Punto(eng, 5, 5, 1);
    // Something with a point's user type that is not an insert cannot be joined.
    const int falso = eng.CreateLine(1, 1, 0, 2, 2, 0);
    eng.SetUserInfoToEnt(falso, 2, 0);
    eng.AddAndDrawEntToList(falso, DISEGNO_RILIEVO);
    {
        CObjBuildSelPntConLinea builder(&eng, &n, ancora);
        builder.Esegui();
        EXPECT_THAT(Scelti(eng), ElementsAre(ancora));
        EXPECT_EQ(builder.Pick(b), E::Preso);
        ASSERT_EQ(Temporanei(eng).size(), 1u);
        EXPECT_THAT(Scelti(eng), ElementsAre(ancora, b, Temporanei(eng)[0]));
        EXPECT_EQ(builder.Pick(falso), E::Rifiutato);
        EXPECT_EQ(Scelti(eng).size(), 3u);
        EXPECT_THAT(n.codici, ElementsAre(4));
    }
    EXPECT_TRUE(Temporanei(eng).empty());
}
