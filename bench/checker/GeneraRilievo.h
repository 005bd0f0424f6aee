// Synthetic surveys for the booklet checker: a given number of observations spread over total-station
// jobs and stations, GPS groups and booklet rows, with the irregularities real surveys have (excluded
// jobs, stations and points, repeated names, stations observed from nowhere, fiducial points on and off
// the sheet, 2D and 3D points), drawn from a seed so that a size always gives the same survey.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"

#include <random>

struct RilievoSintetico {
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
};

namespace genera {

inline WString Numero(int n) {
    return WString::Formatted(u"%d", n);
}

inline WString Fiduciale(int n, const char16_t* foglio) {
    return WString::Formatted(u"PF%02d/%s/G337", n % 100, foglio);
}

} // namespace genera

// About a tenth of the observations are GPS baselines, the rest total-station observations; the booklet
// gets one row 5 for every eight observations, grouped under rows 4, plus polygons, notes and particles.
inline void GeneraRilievo(RilievoSintetico& r, int osservazioni, unsigned seme = 1) {
    using genera::Fiduciale;
    using genera::Numero;
    std::mt19937 caso(seme);
    const auto percento = [&caso](int p) { return static_cast<int>(caso() % 100) < p; };
    const auto fino = [&caso](int n) {
        return n > 0 ? static_cast<int>(caso() % static_cast<unsigned>(n)) : 0;
    };

    CCts& cts = r.cts;
    cts.SetVerPregeo(VER_PREGEO_1015);
    cts.m_FormatoPunti = 2;
    cts.SetCdCm(u"G337");
    cts.SetFogl(u"0120");
    cts.SetProt(u"12345");
    cts.SetMapp(u"245");
    cts.SetQual(u"GEOMETRA");
    cts.SetTcnN(u"Mario");
    cts.SetTcnC(u"Rossi");
    cts.SetTcnNIscr(u"1234");
    cts.SetTcnCF(u"RSSMRA70A01H501U");
    CRig9* r9 = cts.GetRiga9();
    r9->SetDatoRea1(58);
    r9->SetLblNome2(u"3");
    r9->SetLblNome1(u"LC");
    r9->SetDatoInt1(10);
    r9->SetDatoInt2(20);

    int prossimoNome = 1000;
    const auto nuovoNome = [&]() { return Numero(prossimoNome++); };

    for (int i = 1; i <= 20; ++i) {
        COri* o = r.cmp.AddOri(false);
        o->SetNome(Fiduciale(i, i % 5 == 0 ? u"0130" : u"0120"));
        o->SetCoord(1000 + 10 * i, 2000 + 7 * i, percento(80) ? 50.0 : REALE_INDEFINITO);
        o->SetAttendibO(static_cast<short>(1 + i % 50));
        o->SetAttendibV(static_cast<short>(i % 3 == 0 ? 0 : 2));
        o->SetNotaAlt(u"PIEDE");
        o->SetComm(u"SPIGOLO");
        o->SetCodeNP(i == 7);
    }

    const int osservazioniGps = osservazioni / 10;
    std::vector<WString> nomiNoti;
    for (int fatte = 0; fatte < osservazioniGps;) {
        const WString nome = nomiNoti.empty() || percento(10)
                                 ? nuovoNome()
                                 : nomiNoti[fino(static_cast<int>(nomiNoti.size()))];
        CGrpGps* g = r.gps.AddGrp(nome);
        g->SetCodeNP(percento(3));
        g->SetGeocCeFaMis(4458654.683, 814264.785, 4472642.303);
        g->SetBaseAltAnt(1.8);
        g->m_PDOP = 1.9;
        g->m_GDOP = 2.4;
        const int punti = 5 + fino(10);
        for (int k = 0; k < punti && fatte < osservazioniGps; ++k, ++fatte) {
            const WString pn = percento(5) ? Fiduciale(fino(20) + 1, u"0120") : nuovoNome();
            CPunGps* p = g->AddPun(pn);
            p->SetCodeNP(percento(3));
            p->SetGeocCeFaMis(4458654.683 + fino(500), 814264.785 + fino(500), 4472642.303 + fino(500));
            const long cov[6] = {1, 0, 0, 1, 0, 1};
            p->SetPosCov(cov);
            p->SetPdop(1.8);
            p->SetGdop(2.2);
            p->SetAltAnt(2.0);
            p->SetCode(percento(2) ? u"123" : u"vertice");
            p->SetData(percento(2) ? 32 : 14, 11, 2026, 36000 + k);
            nomiNoti.push_back(pn);
        }
        nomiNoti.push_back(nome);
    }

    const int osservazioniStazioni = osservazioni - osservazioniGps;
    CJob* job = nullptr;
    int stazioniNelJob = 0;
    WString prossimaStazione = nuovoNome();
    std::vector<WString> puntiRilevati;
    for (int fatte = 0; fatte < osservazioniStazioni;) {
        if (!job || stazioniNelJob == 10) {
            job = r.cmp.AddJob(WString::Formatted(u"LAV%d", r.cmp.GetJobArSize() + 1));
            job->SetCodeNP(percento(5));
            stazioniNelJob = 0;
        }
        // Most stations were observed from the one before; some come from nowhere.
        const WString nomeStazione = percento(90) ? prossimaStazione : nuovoNome();
        CSta* sta = job->AddSta(nomeStazione);
        ++stazioniNelJob;
        sta->SetCodeNP(percento(4));
        sta->SetIden(percento(3) ? u"42" : u"Stazione");
        prossimaStazione = nuovoNome();
        const int punti = percento(3) ? 0 : 10 + fino(30);
        for (int k = 0; k < punti && fatte < osservazioniStazioni; ++k, ++fatte) {
            WString pn;
            if (k == 0)
                pn = prossimaStazione;
            else if (percento(4))
                pn = Fiduciale(fino(20) + 1, percento(70) ? u"0120" : u"0130");
            else if (percento(10) && !puntiRilevati.empty())
                pn = puntiRilevati[fino(static_cast<int>(puntiRilevati.size()))];
            else
                pn = nuovoNome();
            CPun* p = sta->AddPun(pn);
            p->SetCodeNP(percento(2));
            p->SetCode3D(percento(60));
            p->SetDato0(percento(1) ? REALE_INDEFINITO : 5.0 + fino(300));
            p->SetDato1(percento(10) ? 300.0 : 100.0 + fino(5));
            p->SetDato2(fino(400));
            p->SetAltPri(1.6);
            p->SetCode(percento(2) ? u"77" : u"vertice");
            puntiRilevati.push_back(pn);
        }
    }

    const auto punto = [&]() {
        return puntiRilevati.empty() ? nuovoNome()
                                     : puntiRilevati[fino(static_cast<int>(puntiRilevati.size()))];
    };
    const int righe5 = osservazioni / 8;
    for (int fatte = 0; fatte < righe5;) {
        CRig* r4 = new CRig('4', percento(5) ? 1 + fino(2) : 0);
        r4->SetLblNome1(punto());
        r4->SetLblNome2(punto());
        r4->SetDatoRea2(percento(2) ? 500 : 0);
        cts.m_Righe45.AddRig(r4);
        const int n = 3 + fino(20);
        for (int k = 0; k < n && fatte < righe5; ++k, ++fatte) {
            CRig* r5 = new CRig('5', percento(5) ? 1 : 0);
            r5->SetLblNome1(percento(70) ? punto() : nuovoNome());
            r5->SetDatoRea1(fino(100));
            r5->SetDatoRea2(percento(5) ? 0 : fino(10) - 5.0);
            cts.m_Righe45.AddRig(r5);
        }
        if (percento(10)) {
            CRig* nota = new CRig('6');
            nota->SetLblMater(u"Allineamento");
            cts.m_Righe45.AddRig(nota);
        }
    }
    for (int i = 0; i < osservazioni / 200 + 1; ++i) {
        CRig* r3 = new CRig('3');
        const int n = fino(8);
        for (int k = 0; k < n; ++k)
            r3->AddVrt(CCtsVrt(k == n - 1 && n > 3 ? r3->GetVrtAt(0)->GetNome() : punto()));
        cts.m_Righe3.AddRig(r3);
        CRig* r7 = new CRig('7');
        const int m = fino(8);
        for (int k = 0; k < m; ++k)
            r7->AddVrt(CCtsVrt(k == m - 1 && m > 3 ? r7->GetVrtAt(0)->GetNome() : punto(), 'C',
                               percento(5) ? 'R' : (percento(5) ? 'P' : 'N')));
        r7->SetLblNome1(Numero(100 + i));
        r7->SetLblNome2(u"245");
        r7->SetDatoRea1(1000 + fino(100));
        r7->SetDatoRea2(1040);
        r7->SetDatoInt1(static_cast<short>(fino(2)));
        cts.m_Righe7.AddRig(r7);
    }
}
