#include "hostapi/Booklet.h"
#include "host/core/HostContext.h"
#include "hostapi/Computations.h"
#include "hostapi/Resources.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

TEST(Booklet, ShortFiducialNamesAreCompletedWithSheetAndMunicipality) {
    CCts cts;
    cts.SetFogl(u"0120");
    cts.SetCdCm(u"G337");
    const struct {
        const char16_t* in;
        const char16_t* out;
    } cases[] = {{u"PF07", u"PF07/0120/G337"},
                 {u"pf07", u"pf07/0120/G337"},
                 {u"PF07/0450", u"PF07/0450/G337"},
                 {u"PF07/0450/A123", u"PF07/0450/A123"},
                 {u"101", u"101"},
                 {u"PF", u"PF"}};
    for (const auto& c : cases) {
        WString name = c.in;
        cts.CompletaNomePfPregeo(name);
        EXPECT_EQ(name, c.out) << WString(c.in).ToUtf8();
    }
}

TEST(Booklet, RowArraysOwnTheirRowsAndAccorpaKeepsBookletOrder) {
    CCts cts;
    cts.m_Righe3.AddRig(new CRig('3'));
    auto* note = new CRig('6');
    note->SetLblMater(u"Con");
    cts.m_Righe45.AddRig(note);
    auto* r5 = new CRig('5');
    cts.m_Righe45.InsRigAt(0, r5);
    auto* note7 = new CRig('6');
    note7->SetLblMater(u"ferma");
    cts.m_Righe7.AddRig(note7);
    CCtsRigArray all;
    cts.AccorpaRighe(all);
    ASSERT_EQ(all.GetRigArSize(), 4);
    EXPECT_EQ(all.GetRigAt(1), r5);
    EXPECT_EQ(cts.GetAllRigComment(), u"Con\r\nferma\r\n");
    int index = -1;
    EXPECT_TRUE(cts.m_Righe45.GetIndiciDiRig(note, index));
    EXPECT_EQ(index, 1);
    CRig stranger;
    EXPECT_FALSE(cts.m_Righe45.GetIndiciDiRig(&stranger, index));
    cts.m_Righe45.DelRigAt(0); // frees r5; the scratch array dies without freeing anything (ASan checks)
    cts.m_Righe45.DelRigAt(99);
    EXPECT_EQ(cts.m_Righe45.GetRigArSize(), 1);
    EXPECT_EQ(all.GetRigAt(99), nullptr);
}

TEST(Booklet, RowCopyIsDeep) {
    CRig a('7');
    a.SetLblNome1(u"245");
    a.AddVrt(CCtsVrt(u"1", 'C', 'R'));
    CRig b = a;
    b.GetVrtAt(0)->SetNome(u"2");
    EXPECT_EQ(a.GetVrtAt(0)->GetNome(), u"1");
    EXPECT_EQ(b.GetVrtAt(0)->m_Colore, 'R');
    b = b;
    EXPECT_EQ(b.GetVrtArSize(), 1);
}

TEST(Booklet, DataLinesOfRows4And5) {
    const struct {
        char tipo, specRiga;
        const char16_t *nome1, *nome2;
        double rea1, rea2;
        const char16_t *nota, *riga;
    } cases[] = {{'4', 0, u"101", u"102", 0, -12, u"*S*", u"4|101|102|-12|*S*|\r\n"},
                 {'5', 0, u"105", u"", 11.85, -1.3204, u"", u"5|105|11.850|-1.320||\r\n"},
                 {'5', 1, u"105", u"", 1.5, 0, u"", u"5L|105|1.500||\r\n"},
                 {'4', 2, u"A", u"B", 1.2, 1.3, u"", u"4L|A|B|1.200|1.300||\r\n"}};
    for (const auto& c : cases) {
        CRig r(c.tipo, c.specRiga);
        r.SetLblNome1(c.nome1);
        r.SetLblNome2(c.nome2);
        r.SetDatoRea1(c.rea1);
        r.SetDatoRea2(c.rea2);
        r.SetLblMater(c.nota);
        EXPECT_EQ(CCtsOutDatString::GetWriteSpecRow45(&r), c.riga);
    }
}

TEST(Booklet, OrientationLibraryCountsAndRefuses) {
    CLibCmp cmp;
    COri* a = cmp.AddOri(true);
    COri* b = cmp.AddOri(false);
    b->SetCodeNP(true);
    EXPECT_EQ(cmp.GetOriArSize(), 2);
    EXPECT_EQ(cmp.GetOriArSizePregeo(), 1);
    EXPECT_EQ(cmp.GetModificheNotificate(), 1);
    EXPECT_EQ(a->GetTipoPunto(), TIPO_PUNTO_FIDUCIALE);
    cmp.SetMaxOri(2);
    EXPECT_EQ(cmp.AddOri(true), nullptr);
    cmp.DelOriAt(0);
    EXPECT_EQ(cmp.GetOriAt(0), b);
    EXPECT_EQ(cmp.GetOriAt(1), nullptr);
}

TEST(Booklet, FiducialNameOfRow8) {
    for (const char16_t* good : {u"PF01/0120/G337", u"PF01/012A/G337A"})
        EXPECT_EQ(ControlloNomePF8(good), -1) << WString(good);
    for (const char16_t* bad : {u"PF1/0120/G337", u"PF01-0120-G337", u"PF01/0120", u"PFAB/0120/G337"})
        EXPECT_NE(ControlloNomePF8(bad), -1) << WString(bad);
}

TEST(Booklet, MunicipalitiesOfAProvinceFromTheSupportTable) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "pregeo-comuni-test";
    fs::create_directories(dir / "Support");
    std::ofstream(dir / "Support" / "Comuni.txt", std::ios::binary)
        << "PR;G337;Parma\r\nFO;D704;Forl\xEC\r\nrotta\r\nPR;B034;Fidenza";
    host::SetFolders({dir, dir, dir / "x.ini"});
    CCtsComuni comuni;
    ASSERT_TRUE(comuni.CaricaElenco(u"PR"));
    ASSERT_EQ(comuni.GetSize(), 2);
    EXPECT_EQ(comuni.GetAt(1).nome, u"Fidenza");
    ASSERT_TRUE(comuni.CaricaElenco(u"FO"));
    ASSERT_EQ(comuni.GetSize(), 1);
    EXPECT_EQ(comuni.GetAt(0).nome, u"Forlì");
    ASSERT_TRUE(comuni.CaricaElenco(u"ZZ"));
    EXPECT_EQ(comuni.GetSize(), 0);
    fs::remove_all(dir);
    EXPECT_FALSE(comuni.CaricaElenco(u"PR"));
}
