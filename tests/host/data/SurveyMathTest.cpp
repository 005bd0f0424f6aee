#include "hostapi/Computations.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

TEST(SurveyMath, HorizontalDistanceFromSlopeAndZenith) {
    const CCalcDsOr calc;
    EXPECT_DOUBLE_EQ(calc.CalcDistOr(100.0, 100.0), 100.0);                  // level sight
    EXPECT_NEAR(calc.CalcDistOr(100.0, 50.0), 100.0 * std::sqrt(0.5), 1e-9); // 45 degrees up
    EXPECT_NEAR(calc.CalcDistOr(50.0, 300.0), 50.0, 1e-9);                   // reversed face, level
    EXPECT_EQ(calc.CalcDistOr(REALE_INDEFINITO, 100.0), REALE_INDEFINITO);
    EXPECT_EQ(calc.CalcDistOr(10.0, REALE_INDEFINITO), REALE_INDEFINITO);
    EXPECT_EQ(calc.CalcDistOr(-1.0, 100.0), REALE_INDEFINITO);
}

TEST(SurveyMath, ReversedTelescopeReadingIsReducedToTheDirectFace) {
    // Zenith and direction read, whether the face was reversed, and the direct face's values; a zenith of
    // exactly 200 is still the direct face.
    const struct {
        double zenit, direzione;
        bool capovolto;
        double zenitDiretto, direzioneDiretta;
    } cases[] = {{301.2345, 250.5, true, 98.7655, 50.5},
                 {99.0, 10.0, false, 99.0, 10.0},
                 {200.0, 10.0, false, 200.0, 10.0},
                 {250.0, 150.0, true, 150.0, 350.0}};
    for (const auto& c : cases) {
        double zenit = c.zenit, direzione = c.direzione;
        EXPECT_EQ(CalcoloDrittoOCap(zenit, direzione), c.capovolto) << c.zenit;
        EXPECT_NEAR(zenit, c.zenitDiretto, 1e-9);
        EXPECT_NEAR(direzione, c.direzioneDiretta, 1e-9);
    }
}

namespace {

COri* AddPoint(CLibCmp& cmp, const char16_t* name, double x, double y) {
    COri* o = cmp.AddOri(false);
    o->SetNome(name);
    o->SetCoord(x, y, REALE_INDEFINITO);
    o->CalcolaValiditaXYZ();
    return o;
}

} // namespace

TEST(SurveyMath, Row5PointFromAlignmentProgressivaAndSquadro) {
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    AddPoint(cmp, u"A", 100.0, 200.0);
    AddPoint(cmp, u"B", 100.0, 300.0); // alignment towards north
    auto* r4 = new CRig('4', 0);
    r4->SetLblNome1(u"A");
    r4->SetLblNome2(u"B");
    auto* r5 = new CRig('5', 0);
    r5->SetLblNome1(u"P");
    r5->SetDatoRea1(30.0);
    r5->SetDatoRea2(4.0); // to the right, looking north, is east
    cts.m_Righe45.AddRig(r4);
    cts.m_Righe45.AddRig(new CRig('6'));
    cts.m_Righe45.AddRig(r5);
    const CCalcRighePregeo calc(&cts, &cmp, &gps, nullptr);
    ASSERT_TRUE(calc.CalcolaSngRiga45(r5));
    EXPECT_NEAR(r5->GetCoordX(), 104.0, 1e-9);
    EXPECT_NEAR(r5->GetCoordY(), 230.0, 1e-9);
    EXPECT_TRUE(r5->EstValidoXY());

    // A diagonal alignment: 3-4-5 triangle.
    AddPoint(cmp, u"C", 0.0, 0.0);
    AddPoint(cmp, u"D", 3.0, 4.0);
    r4->SetLblNome1(u"C");
    r4->SetLblNome2(u"D");
    r5->SetDatoRea1(10.0);
    r5->SetDatoRea2(-5.0);
    ASSERT_TRUE(calc.CalcolaSngRiga45(r5));
    EXPECT_NEAR(r5->GetCoordX(), 6.0 - 4.0, 1e-9);
    EXPECT_NEAR(r5->GetCoordY(), 8.0 + 3.0, 1e-9);

    r4->SetLblNome2(u"sconosciuto");
    EXPECT_FALSE(calc.CalcolaSngRiga45(r5));
    CRig orphan('5', 0);
    EXPECT_FALSE(calc.CalcolaSngRiga45(&orphan)); // not in the booklet
}

TEST(SurveyMath, Row7SurfaceAndContainment) {
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    AddPoint(cmp, u"1", 0, 0);
    AddPoint(cmp, u"2", 20, 0);
    AddPoint(cmp, u"3", 20, 10);
    AddPoint(cmp, u"4", 0, 10);
    AddPoint(cmp, u"5", 5, 5);
    CRig particle('7');
    for (const char16_t* n : {u"1", u"2", u"3", u"4", u"1"})
        particle.AddVrt(CCtsVrt(n));
    const CCalcRighePregeo calc(&cts, &cmp, &gps, nullptr);
    ASSERT_TRUE(calc.CalcolaSngRiga7(&particle));
    EXPECT_DOUBLE_EQ(particle.GetDatoRea1(), 200.0); // the closing vertex is not counted twice

    CRig inner('7');
    for (const char16_t* n : {u"1", u"5", u"4"})
        inner.AddVrt(CCtsVrt(n));
    ASSERT_TRUE(calc.CalcolaSngRiga7(&inner));
    EXPECT_DOUBLE_EQ(inner.GetDatoRea1(), 25.0);
    EXPECT_TRUE(CRig::EstVrtPgPassInterno(&particle, &inner)); // vertices on the border count as inside
    EXPECT_FALSE(CRig::EstVrtPgPassInterno(&inner, &particle));

    CRig missing('7');
    for (const char16_t* n : {u"1", u"2", u"X"})
        missing.AddVrt(CCtsVrt(n));
    EXPECT_FALSE(calc.CalcolaSngRiga7(&missing));
}

TEST(SurveyMath, GeographicToPlaneThroughProj) {
    CConvCoord conv;
    EXPECT_FALSE(conv.IsConvCoordReady());
    ASSERT_TRUE(conv.Imposta("EPSG:32632")); // WGS84 / UTM 32N
    double east = 0, north = 0;
    const double deg = std::numbers::pi / 180;
    conv.GrafGpsToPlanAtt(45.0 * deg, 9.0 * deg, 0, 0, east, north);
    EXPECT_NEAR(east, 500000.0, 0.01); // the zone's central meridian
    EXPECT_NEAR(north, 4982950.4, 1.0);
    conv.ImpostaComune(u"G337", "+proj=tmerc +lat_0=45 +lon_0=9 +k=1 +x_0=0 +y_0=0 +ellps=WGS84 +type=crs");
    conv.ForzaTempProvCm(u"PR", u"g337");
    conv.GrafGpsToPlanAtt(45.0 * deg, 9.0 * deg, 0, 0, east, north);
    EXPECT_NEAR(east, 0.0, 0.01);
    EXPECT_NEAR(north, 0.0, 0.01);
    conv.RipristinaTemp();
    conv.GrafGpsToPlanAtt(REALE_INDEFINITO, 9.0 * deg, 0, 0, east, north);
    EXPECT_EQ(east, REALE_INDEFINITO);
    EXPECT_FALSE(CConvCoord().Imposta("not a system"));
    // The definition is checked at once, the transformation built later: both must agree.
    for (const char* sistema :
         {"+proj=utm +zone=32 +datum=WGS84", "+proj=pipeline +step +proj=unitconvert", "+proj=nessuna"}) {
        CConvCoord c;
        const bool accettato = c.Imposta(sistema);
        EXPECT_EQ(accettato, c.IsConvCoordReady()) << sistema;
    }
}
