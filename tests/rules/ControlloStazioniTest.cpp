// GPS and celerimetric station checks, the chaining queries, and the tables that answer them fast.
#include "bench/checker/GeneraRilievo.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"
#include "tests/rules/TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const WString MOTIVO = u"  -> Motivo: \r";
const WString LIB = u"Errore! - Libretto Pregeo: Tipo Riga: ";

struct Rilievo {
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    explicit Rilievo(int formato = 1) {
        cts.SetFogl(u"0120");
        cts.SetCdCm(u"G337");
        cts.m_FormatoPunti = formato;
    }
    // A clean observation: only its name can be at fault.
    CPun* Punto(CSta* s, const char16_t* nome) {
        CPun* p = s->AddPun(nome);
        p->SetDato0(10);
        p->SetDato1(100);
        p->SetDato2(50);
        p->SetAltPri(1.5);
        p->SetCode(u"v");
        return p;
    }
    std::vector<WString> Stazioni(bool veloce = true) {
        CControlloLibretto k(nullptr, &cts, &cmp, &gps, nullptr);
        k.SetRicercaVeloce(veloce);
        k.ControllaGps();
        k.ControllaStazioni();
        std::vector<WString> out;
        for (int i = 0; i < k.GetMsgArSize(); ++i)
            out.push_back(k.GetMsgAt(i));
        return out;
    }
};

long Conta(const std::vector<WString>& voci, const WString& voce) {
    return std::count(voci.begin(), voci.end(), voce);
}

WString Voce56(const char16_t* nome) {
    return LIB + u"1 - Nome Stazione: " + nome + MOTIVO + GetTestoMotivo(56);
}
WString Voce55(const char16_t* nome) {
    return LIB + u"1 - Nome Stazione: " + nome + MOTIVO + GetTestoMotivo(55);
}

} // namespace

TEST(ControlloStazioni, PrimaStazioneSenzaOsservazioni) {
    for (bool veloce : {true, false}) {
        Rilievo r;
        r.cmp.AddJob(u"L1")->AddSta(u"1");
        EXPECT_EQ(r.Stazioni(veloce), std::vector<WString>{}) << veloce;
    }
}

TEST(ControlloStazioni, StazioneNonBattutaSegnalataUnaVolta) {
    for (bool veloce : {true, false}) {
        Rilievo r;
        CJob* job = r.cmp.AddJob(u"L1");
        CSta* s1 = job->AddSta(u"1");
        r.Punto(s1, u"10");
        r.Punto(s1, u"2");
        r.Punto(job->AddSta(u"2"), u"10"); // observed by 1, and observes 10
        r.Punto(job->AddSta(u"3"), u"10"); // observed by nobody
        r.Punto(job->AddSta(u"3"), u"10"); // the same name again: not reported twice
        r.Punto(job->AddSta(u"4"), u"77"); // observed by nobody and observes nothing known
        CRig* r5 = new CRig('5');
        r5->SetLblNome1(u"5");
        r.cts.m_Righe45.AddRig(r5);
        r.Punto(job->AddSta(u"5"), u"10"); // the station of a row 5
        const auto voci = r.Stazioni(veloce);
        const std::vector<WString> attesi = {Voce56(u"3"), Voce56(u"4"), Voce55(u"4")};
        EXPECT_EQ(voci, attesi) << veloce;
    }
}

TEST(ControlloStazioni, ValoriDeiPunti) {
    Rilievo r(0);
    CSta* s = r.cmp.AddJob(u"L1")->AddSta(u"1");
    s->SetIden(u"123");
    CPun* senzaDistanza = r.Punto(s, u"2");
    senzaDistanza->SetDato0(REALE_INDEFINITO); // counts as 0: no entry
    CPun* lontano = r.Punto(s, u"3");
    lontano->SetDato0(200000);
    lontano->SetDato1(300); // reversed: 100 after reduction, direction 250
    lontano->SetCode(u"1a2");
    CPun* nota = r.Punto(s, u"4");
    nota->SetCode(u"12");
    const std::vector<WString> attesi = {
        LIB + u"1 - Nota: 123" + MOTIVO + GetTestoMotivo(100),
        LIB + u"2 - Distanza orizzontale del punto: 3" + MOTIVO + GetTestoMotivo(17),
        LIB + u"2 - Nota: 12" + MOTIVO + GetTestoMotivo(100),
    };
    EXPECT_EQ(r.Stazioni(), attesi);
}

TEST(ControlloStazioni, AltimetriaFiduciali) {
    struct Caso {
        const char16_t* nome;
        bool is3D;
        int versione;
        bool avviso58;
    };
    const Caso casi[] = {
        {u"PF01/0120/G337", false, 1015, true}, {u"PF01/0130/G337", false, 1015, false},
        {u"PF01/0130/G337", false, 1008, true}, {u"PF01", false, 1015, true},
        {u"PF01/0120/G337", true, 1015, false},
    };
    for (const auto& c : casi) {
        Rilievo r(2);
        r.cts.SetVerPregeo(c.versione);
        CSta* s = r.cmp.AddJob(u"L1")->AddSta(u"1");
        r.Punto(s, c.nome)->SetCode3D(c.is3D);
        const auto voci = r.Stazioni();
        const WString v = u"Attenzione! - Libretto Pregeo: Tipo Riga: 2 - Nome Punto: " + WString(c.nome) +
                          MOTIVO + GetTestoMotivo(58);
        EXPECT_EQ(Conta(voci, v), c.avviso58 ? 1 : 0) << WString(c.nome).ToUtf8() << " " << c.versione;
    }

    // Two 3D points of the sheet and one of another sheet without height: 99 after the job.
    Rilievo r(2);
    CSta* s = r.cmp.AddJob(u"L1")->AddSta(u"1");
    for (const char16_t* nome : {u"PF01/0120/G337", u"PF02/0120/G337", u"PF03/0130/G337"})
        r.Punto(s, nome)->SetCode3D(true);
    COri* o = r.cmp.AddOri(false);
    o->SetNome(u"PF03/0130/G337");
    o->SetCoord(1, 1, 1);
    o->SetAttendibV(0);
    const auto voci = r.Stazioni();
    EXPECT_EQ(Conta(voci, LIB + u"2 - Nome Punto: PF03/0130/G337" + MOTIVO + GetTestoMotivo(57)), 1);
    EXPECT_EQ(Conta(voci, LIB + u"2 " + MOTIVO + GetTestoMotivo(99)), 1);
}

TEST(ControlloGps, DateECatena) {
    Rilievo r;
    CGrpGps* g = r.gps.AddGrp(u"1");
    const long cov[6] = {1, 0, 0, 1, 0, 1};
    const auto punto = [&](CGrpGps* grp, const char16_t* nome, int giorno, int mese) {
        CPunGps* p = grp->AddPun(nome);
        p->SetGeocCeFaMis(10, 10, 10);
        p->SetPosCov(cov);
        p->SetPdop(1);
        p->SetAltAnt(1);
        p->SetCode(u"v");
        p->SetData(giorno, mese, 2026, 100);
    };
    g->SetGeocCeFaMis(0, 0, 0);
    g->SetBaseAltAnt(1);
    g->m_PDOP = 1;
    punto(g, u"2", 1, 1);
    punto(g, u"3", 32, 1);
    punto(g, u"4", 1, 13);
    for (const char16_t* nome : {u"2", u"9", u"9"}) {
        CGrpGps* altro = r.gps.AddGrp(nome);
        altro->SetGeocCeFaMis(0, 0, 0);
        altro->SetBaseAltAnt(1);
        altro->m_PDOP = 1;
    }
    for (bool veloce : {true, false}) {
        const auto voci = r.Stazioni(veloce);
        const std::vector<WString> attesi = {
            u"Attenzione! - Libretto Pregeo:  \r" + GetTestoMotivo(97),
            LIB + u"1 - Nome Stazione GPS: 9" + MOTIVO + GetTestoMotivo(56),
        };
        EXPECT_EQ(voci, attesi) << veloce;
    }
}

// The tables and the plain walks give the same list on surveys with every kind of irregularity.
TEST(RicercaVeloce, StessaListaDelleRicercheSemplici) {
    for (unsigned seme : {1u, 2u, 3u, 4u}) {
        for (int osservazioni : {200, 1500}) {
            RilievoSintetico r;
            GeneraRilievo(r, osservazioni, seme);
            CControlloLibretto veloce(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
            veloce.ControllaTutto();
            CControlloLibretto semplice(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
            semplice.SetRicercaVeloce(false);
            semplice.ControllaTutto();
            ASSERT_EQ(veloce.GetMsgArSize(), semplice.GetMsgArSize()) << seme << " " << osservazioni;
            for (int i = 0; i < veloce.GetMsgArSize(); ++i) {
                ASSERT_EQ(veloce.GetMsgAt(i), semplice.GetMsgAt(i))
                    << seme << " " << osservazioni << " " << i;
                ASSERT_EQ(veloce.IsErroreAt(i), semplice.IsErroreAt(i));
            }
            // The survey exercises the chaining checks, not just the field rules.
            int catena = 0;
            for (int i = 0; i < veloce.GetMsgArSize(); ++i) {
                const WString t = veloce.GetMsgAt(i);
                const WString m55 = GetTestoMotivo(55), m56 = GetTestoMotivo(56);
                if (t.Right(m55.GetLength()) == m55 || t.Right(m56.GetLength()) == m56)
                    ++catena;
            }
            EXPECT_GT(catena, 0) << seme << " " << osservazioni;
        }
    }
}
