#include "pfimport/ElencoPFRilievo.h"

#include <gtest/gtest.h>

namespace {

void Punto(CEgn* p, double x, double y, double z) {
    p->SetCoord(x, y, z);
    p->CalcolaValiditaXYZ();
}

// Sources in order, the first occurrence of a name winning, names completed and upper-cased, and
// coordinates only from usable sources.
TEST(ElencoPFRilievo, RaccogliTakesStationsThenGpsThenRows5) {
    CCts libretto;
    libretto.SetFogl(u"0120");
    libretto.SetCdCm(u"G337");
    CLibCmp stazioni;
    CJob* valido = stazioni.AddJob(u"J1");
    CSta* sta = valido->AddSta(u"100");
    Punto(sta, 0, 0, 0);
    Punto(sta->AddPun(u"PF01/0120/G337"), 10, 20, 30);
    Punto(sta->AddPun(u"pf02"), 11, 21, REALE_INDEFINITO);
    Punto(sta->AddPun(u"200"), 1, 1, 1);
    CJob* nonValido = stazioni.AddJob(u"J2");
    nonValido->SetCdElabValid(false);
    CSta* sta2 = nonValido->AddSta(u"101");
    Punto(sta2, 0, 0, 0);
    Punto(sta2->AddPun(u"PF03"), 12, 22, 32);
    CLibGps gps;
    CGrpGps* grp = gps.AddGrp(u"BASE");
    Punto(grp->AddPun(u"PF01"), 99, 99, 99);
    Punto(grp->AddPun(u"PF04"), 13, 23, REALE_INDEFINITO);
    auto* riga5 = new CRig('5', 0);
    riga5->SetLblNome1(u"PF05");
    Punto(riga5, 14, 24, 34);
    libretto.m_Righe45.AddRig(riga5);
    auto* riga5Spec1 = new CRig('5', 1);
    riga5Spec1->SetLblNome1(u"PF06");
    libretto.m_Righe45.AddRig(riga5Spec1);

    CElencoPFRilievo elenco(&gps, &stazioni, &libretto);
    CPoint3d vecchio;
    vecchio.nome = u"VECCHIO";
    elenco.Add(vecchio);
    elenco.Raccogli();

    struct Atteso {
        const char16_t* nome;
        double x, y, z;
    };
    const double U = REALE_INDEFINITO;
    const Atteso attesi[] = {{u"PF01/0120/G337", 10, 20, 30},
                             {u"PF02/0120/G337", 11, 21, 0},
                             {u"PF03/0120/G337", U, U, U},
                             {u"PF04/0120/G337", 13, 23, 0},
                             {u"PF05/0120/G337", 14, 24, 34}};
    ASSERT_EQ(elenco.GetSize(), 5);
    for (int i = 0; i < 5; ++i) {
        const CPoint3d& p = elenco.GetAt(i);
        EXPECT_EQ(p.nome, attesi[i].nome) << i;
        EXPECT_EQ(p.x, attesi[i].x) << i;
        EXPECT_EQ(p.y, attesi[i].y) << i;
        EXPECT_EQ(p.z, attesi[i].z) << i;
    }
}

} // namespace
