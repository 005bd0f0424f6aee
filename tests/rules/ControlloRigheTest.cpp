// Row checks, orientation points, alignment limits, point lookup and the point index.
#include "rules/ControlloLibretto.h"
#include "rules/IndicePunti.h"
#include "rules/Regole.h"
#include "tests/rules/TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

const WString MOTIVO = u"  -> Motivo: \r";

struct Rilievo {
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    Rilievo() {
        cts.SetFogl(u"0120");
        cts.SetCdCm(u"G337");
    }
    CSta* Stazione(const char16_t* nome) {
        CJob* job = cmp.GetJobArSize() ? cmp.GetJobAt(0) : cmp.AddJob(u"L1");
        return job->AddSta(nome);
    }
};

CRig* Poligono(char tipo, std::vector<std::pair<const char16_t*, char>> vertici) {
    CRig* r = new CRig(tipo);
    for (auto [nome, colore] : vertici)
        r->AddVrt(CCtsVrt(nome, 'C', colore));
    return r;
}

std::vector<WString> Voci(CErrAvvList& l) {
    std::vector<WString> out;
    for (int i = 0; i < l.GetMsgArSize(); ++i)
        out.push_back(l.GetMsgAt(i));
    return out;
}

bool HaMotivo(const CControlloLibretto& l, int code) {
    for (int i = 0; l.GetVocePregeoAt(i); ++i)
        if (l.GetVocePregeoAt(i)->codice == code)
            return true;
    return false;
}

} // namespace

TEST(ControlloRiga3, VerticiEDuplicati) {
    struct Caso {
        std::vector<std::pair<const char16_t*, char>> vertici;
        std::vector<int> codici;
    };
    const Caso casi[] = {
        {{}, {38}},
        {{{u"1", 'N'}, {u"2", 'N'}, {u"1", 'N'}}, {37, 40}},
        {{{u"1", 'N'}, {u"2", 'N'}, {u"3", 'N'}, {u"1", 'N'}}, {}},
        {{{u"1", 'N'}, {u"2", 'N'}, {u"2", 'N'}, {u"1", 'N'}}, {40}},
    };
    for (const auto& c : casi) {
        Rilievo r;
        CRig* riga = Poligono('3', c.vertici);
        r.cts.m_Righe3.AddRig(riga);
        CControlloLibretto k(riga, &r.cts, &r.cmp, &r.gps, nullptr);
        k.ControllaRiga3(2);
        std::vector<WString> attesi;
        for (int code : c.codici)
            attesi.push_back(u"Errore! - Vista Riga 3: Numero Riga: 2 - Tipo Riga: 3 - " +
                             WString(code == 40 ? u"--" : u"Numero Vertici della poligonale ") + MOTIVO +
                             GetTestoMotivo(code));
        EXPECT_EQ(Voci(k), attesi) << c.vertici.size();
    }
}

TEST(ControlloRiga7, VerticiLineeRosseESuperfici) {
    struct Caso {
        std::vector<std::pair<const char16_t*, char>> vertici;
        std::vector<int> codici;
    };
    const Caso casi[] = {
        {{{u"1", 'P'}}, {}},
        {{{u"1", 'N'}}, {95}},
        {{}, {53}},
    };
    for (const auto& c : casi) {
        Rilievo r;
        CRig* riga = Poligono('7', c.vertici);
        r.cts.m_Righe7.AddRig(riga);
        CControlloLibretto k(riga, &r.cts, &r.cmp, &r.gps, nullptr);
        k.ControllaRiga7(1);
        ASSERT_EQ(k.GetMsgArSize(), static_cast<int>(c.codici.size()));
        for (std::size_t i = 0; i < c.codici.size(); ++i)
            EXPECT_EQ(k.GetMsgAt(static_cast<int>(i)),
                      u"Errore! - Vista Riga 7: Numero Riga: 1 - Tipo Riga: 7 " + MOTIVO +
                          GetTestoMotivo(c.codici[i]));
    }

    // Red segments in a confirmation booklet: reported once per run, and only from version 1015.
    for (int versione : {1015, 1014}) {
        Rilievo r;
        r.cts.SetVerPregeo(versione);
        r.cts.GetRiga9()->SetLblNome2(u"3");
        CRig* a = Poligono('7', {{u"1", 'R'}, {u"2", 'N'}});
        CRig* b = Poligono('7', {{u"3", 'R'}, {u"4", 'N'}});
        r.cts.m_Righe7.AddRig(a);
        r.cts.m_Righe7.AddRig(b);
        CControlloLibretto k(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
        k.ControllaVistaRiga7();
        const auto voci = Voci(k);
        const auto rosse = std::count(voci.begin(), voci.end(),
                                      u"Errore! - Vista Riga 7: Numero Riga: 1 - Tipo Riga: 7 " + MOTIVO +
                                          GetTestoMotivo(113));
        EXPECT_EQ(rosse, versione == 1015 ? 1 : 0) << versione;
    }

    // Census area 10000: reale allows (10 + 100) / 3, nominale 500.
    struct Superficie {
        double cartografica;
        short natura;
        bool voce;
    };
    for (auto s : {Superficie{10036.6, 1, false}, Superficie{10036.7, 1, true}, Superficie{10500, 0, false},
                   Superficie{9499.9, 0, true}}) {
        Rilievo r;
        CRig* riga = Poligono('7', {{u"1", 'N'}, {u"2", 'N'}, {u"3", 'N'}, {u"1", 'N'}});
        riga->SetLblNome1(u"12");
        riga->SetLblNome2(u"12");
        riga->SetDatoRea1(s.cartografica);
        riga->SetDatoRea2(10000);
        riga->SetDatoInt1(s.natura);
        r.cts.m_Righe7.AddRig(riga);
        CControlloLibretto k(riga, &r.cts, &r.cmp, &r.gps, nullptr);
        k.ControllaRiga7(1);
        if (!s.voce) {
            EXPECT_EQ(k.GetMsgArSize(), 0) << s.cartografica;
            continue;
        }
        ASSERT_EQ(k.GetMsgArSize(), 1) << s.cartografica;
        EXPECT_EQ(k.GetMsgAt(0),
                  u"Errore! - Vista Riga 7: Numero Riga: 1 - Tipo Riga: 7 - Superficie cartografica: " +
                      CStringDaDouble(s.cartografica, 4) + u" Superficie censuaria: 10000.0000 Natura: " +
                      (s.natura == 1 ? u"reale" : u"nominale") + MOTIVO + GetTestoMotivo(83));
    }
}

TEST(ControlloRiga45, TipiEDettagli) {
    Rilievo r;
    CRig* r4 = new CRig('4');
    r4->SetLblNome1(u"PF01");
    r4->SetLblNome2(u"PF01/0120/G337");
    r4->SetDatoRea2(REALE_INDEFINITO);
    CRig* r4l = new CRig('4', 2);
    r4l->SetLblNome1(u"7");
    r4l->SetLblNome2(u"7");
    CRig* r5 = new CRig('5');
    r5->SetLblNome1(u"A");
    r5->SetDatoRea1(REALE_INDEFINITO);
    CRig* r5l = new CRig('5', 1);
    r5l->SetLblNome1(u"PF123X");
    for (CRig* x : {r4, r4l, r5, r5l})
        r.cts.m_Righe45.AddRig(x);
    CControlloLibretto k(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
    k.ControllaVistaRiga45();
    const WString v = u"Errore! - Vista Riga 4,5: Numero Riga: ";
    const std::vector<WString> attesi = {
        // The short and the full form of one fiducial point are one name.
        v + u"1 - Tipo Riga: 4 " + MOTIVO + GetTestoMotivo(40),
        // No station, no GPS, no row 5 measuring the orientation point.
        v + u"1 - Tipo Riga: 4 " + MOTIVO + GetTestoMotivo(47),
        v + u"1 - Tipo Riga: 4 - Angolo " + MOTIVO + GetTestoMotivo(13),
        v + u"2 - Tipo Riga: 4 " + MOTIVO + GetTestoMotivo(40),
        v + u"3 - Tipo Riga: 5 - Identificativo punto: A" + MOTIVO + GetTestoMotivo(0),
        v + u"3 - Tipo Riga: 5 - Progressiva " + MOTIVO + GetTestoMotivo(43),
        v + u"4 - Tipo Riga: 5L - Identificativo Punto: PF123X" + MOTIVO + GetTestoMotivo(50),
    };
    EXPECT_EQ(Voci(k), attesi);

    EXPECT_EQ(k.ControllaRiga5Distanza(u"1", u"2"), 47);
    CRig* distanza = new CRig('5');
    distanza->SetLblNome1(u"2");
    distanza->SetDatoRea1(10);
    r.cts.m_Righe45.AddRig(distanza);
    EXPECT_EQ(k.ControllaRiga5Distanza(u"1", u"2"), -1);
    distanza->SetDatoRea2(0.5);
    EXPECT_EQ(k.ControllaRiga5Distanza(u"1", u"2"), 47);
    r.Stazione(u"1");
    EXPECT_EQ(k.ControllaRiga5Distanza(u"1", u"2"), -1);
}

TEST(ControlloIndice, SenzaIndiceNessun36_46_102) {
    Rilievo r;
    r.cts.m_Righe3.AddRig(Poligono('3', {{u"1", 'N'}, {u"2", 'N'}, {u"3", 'N'}, {u"4", 'N'}}));
    CRig* r4 = new CRig('4');
    r4->SetLblNome1(u"1");
    r4->SetLblNome2(u"2");
    r.cts.m_Righe45.AddRig(r4);
    r.cts.m_Righe7.AddRig(Poligono('7', {{u"1", 'N'}, {u"2", 'N'}, {u"3", 'N'}}));
    COri* o = r.cmp.AddOri(false);
    o->SetNome(u"55");
    o->SetTipoPunto(TIPO_PUNTO_AUSILIARIO);
    o->SetCoord(1, 2, 3);
    o->SetAttendibV(2);
    o->SetComm(u"Nota");
    o->SetNotaAlt(u"Piede");
    r.Stazione(u"9")->AddPun(u"8");

    CControlloLibretto senza(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
    senza.ControllaVistaRiga3();
    senza.ControllaVistaRiga45();
    senza.ControllaVistaRiga7();
    senza.ControllaPuntiOri();
    for (int code : {36, 46, 102})
        EXPECT_FALSE(HaMotivo(senza, code)) << code;

    CControlloLibretto con(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
    con.ControllaTutto();
    for (int code : {36, 46, 102})
        EXPECT_TRUE(HaMotivo(con, code)) << code;
}

TEST(ControlloIndice, InsiemiPerOrigine) {
    Rilievo r;
    CSta* s = r.Stazione(u"S");
    s->AddPun(u"P")->SetCode3D(true);
    s->AddPun(u"PF01");
    s->AddPun(u"X")->SetCodeNP(true);
    CSta* esclusa = r.Stazione(u"SE");
    esclusa->SetCodeNP(true);
    esclusa->AddPun(u"PE");
    r.cmp.AddJob(u"NP")->SetCodeNP(true);
    r.cmp.GetJobAt(1)->AddSta(u"SJ");
    CGrpGps* g = r.gps.AddGrp(u"G");
    g->AddPun(u"GP");
    CGrpGps* ge = r.gps.AddGrp(u"GE");
    ge->SetCodeNP(true);
    ge->AddPun(u"GEP");
    // Rows by type, specifier and their two names.
    for (auto [tipo, specRiga, nome1, nome2] : {std::tuple{'5', 0, u"R5", u""},
                                                {'5', 1, u"R5L", u""},
                                                {'5', 0, u"pf06", u""},
                                                {'4', 0, u"R4", u"R4O"},
                                                {'4', 1, u"R4L1", u""},
                                                {'4', 2, u"R4L2I", u"R4L2A"}}) {
        CRig* riga = new CRig(tipo, static_cast<char>(specRiga));
        riga->SetLblNome1(nome1);
        riga->SetLblNome2(nome2);
        r.cts.m_Righe45.AddRig(riga);
    }
    for (const char16_t* nome : {u"PF02/0120/G337", u"77", u"AB"}) {
        COri* o = r.cmp.AddOri(false);
        o->SetNome(nome);
    }

    CIndicePunti indice(&r.gps, &r.cmp, &r.cts);
    struct Caso {
        const char16_t* nome;
        const char* insiemi; // '1' to '7' present
    };
    const Caso casi[] = {
        {u"S", "12345"},
        {u"P", "123467"},
        // Fiducial names go in completed, whatever the source.
        {u"PF01", ""},
        {u"PF01/0120/G337", "123456"},
        {u"pf06", ""},
        {u"pf06/0120/G337", "123456"},
        {u"X", ""},
        {u"SE", ""},
        {u"PE", "12346"},
        {u"SJ", ""},
        {u"G", "12345"},
        {u"GP", "123467"},
        {u"GE", ""},
        {u"GEP", ""},
        {u"R5", "12346"},
        {u"R5L", "12347"},
        {u"R4", "126"},
        {u"R4O", ""},
        {u"R4L1", "127"},
        {u"R4L2I", ""},
        {u"R4L2A", "127"},
        {u"", ""},
        {u"PF02/0120/G337", "23"},
        {u"77", "123"},
        {u"AB", ""},
    };
    for (const auto& c : casi)
        for (int i = 1; i <= 7; ++i)
            EXPECT_EQ(indice.IsPresente(i, c.nome),
                      std::string(c.insiemi).find(char('0' + i)) != std::string::npos)
                << WString(c.nome).ToUtf8() << " S" << i;
    EXPECT_FALSE(indice.IsPresente(0, u"S"));
    EXPECT_FALSE(indice.IsPresente(8, u"S"));
}

TEST(ControlloPuntiOri, NotaPlanimetrica) {
    struct Caso {
        const char16_t* nota;
        std::vector<WString> attesi;
    };
    const WString pre = u"Errore! - Vista Punti di Orientamento Pregeo: Tipo Riga: 8 - ";
    const Caso casi[] = {
        {u"199912", {pre + u"Nome Punto: 5" + MOTIVO + GetTestoMotivo(45)}},
        {u"1988123=5",
         {pre + u"Anno indicato nel commento della nota planimetrica del punto 5" + MOTIVO +
          GetTestoMotivo(44)}},
        {u"1999012=5",
         {pre + u"Protocollo indicato nel commento della nota planimetrica del punto 5" + MOTIVO +
          GetTestoMotivo(4)}},
        {u"1999123=5", {}},
        {u"1999123=ABC",
         {pre + u"Nome del Punto indicato nella nota planimetrica del punto 5" + MOTIVO + GetTestoMotivo(0)}},
    };
    for (const auto& c : casi) {
        CControlloLibretto k;
        k.ControllaNotaPlanimetrica(c.nota, u"5");
        EXPECT_EQ(Voci(k), c.attesi) << WString(c.nota).ToUtf8();
    }
}

TEST(ControlloPuntiOri, CoordinateTipoEAttendibilita) {
    Rilievo r;
    const auto punto = [&](const char16_t* nome, short tipo, double z, short attV, const WString& notaAlt) {
        COri* o = r.cmp.AddOri(false);
        o->SetNome(nome);
        o->SetCoord(1, 2, z);
        o->SetTipoPunto(tipo);
        o->SetAttendibO(30);
        o->SetAttendibV(attV);
        o->SetComm(u"Spigolo");
        o->SetNotaAlt(notaAlt);
        return o;
    };
    punto(u" 12 ", TIPO_PUNTO_AUSILIARIO, REALE_INDEFINITO, 2, u"Piede");
    punto(u"", TIPO_PUNTO_AUSILIARIO, 3, 2, u"Piede")->SetCodeNP(true);
    punto(u"13", TIPO_PUNTO_AUSILIARIO, 3, 7, WString(u'a', 61));
    // A fiducial point needs no type of its own; a numbered point saved without one does.
    punto(u"PF01/0120/G337", TIPO_PUNTO_FIDUCIALE, 3, 2, u"Piede");
    punto(u"14", TIPO_PUNTO_FIDUCIALE, 3, 2, u"Piede");
    CControlloLibretto k(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
    k.ControllaPuntiOri();
    const WString e = u"Errore! - Vista Punti di Orientamento Pregeo: Numero Riga: ";
    const std::vector<WString> attesi = {
        e + u"1 - Tipo Riga: 8 - Nome Punto: 12" + MOTIVO + GetTestoMotivo(59),
        e + u"3 - Tipo Riga: 8 - Quota - attendibilità: " + MOTIVO + GetTestoMotivo(21),
        u"Attenzione! - Vista Punti di Orientamento Pregeo: Numero Riga: 3 - Tipo Riga: 8 - Nota altimetrica "
        u"del punto: 13" +
            MOTIVO + GetTestoMotivo(42),
        e + u"5 - Tipo Riga: 8 - Nome Punto: 14" + MOTIVO + GetTestoMotivo(48),
    };
    EXPECT_EQ(Voci(k), attesi);
}

TEST(ControlloAllineamenti, LimitiETesti) {
    Rilievo r;
    CSta* s = r.Stazione(u"1");
    s->SetCoordXY(0, 0);
    s->AddPun(u"2")->SetCoordXY(30, 0);
    const auto riga5 = [&](const char16_t* nome, double prog, double sq) {
        CRig* x = new CRig('5');
        x->SetLblNome1(nome);
        x->SetDatoRea1(prog);
        x->SetDatoRea2(sq);
        r.cts.m_Righe45.AddRig(x);
    };
    CRig* r4 = new CRig('4');
    r4->SetLblNome1(u"1");
    r4->SetLblNome2(u"2");
    r.cts.m_Righe45.AddRig(r4);
    riga5(u"10", 37.5, -2.999); // exactly L / 4 beyond the end, offset below 3: in tolerance
    riga5(u"11", -7.501, 3);    // 1 mm beyond L / 4, offset 3
    riga5(u"2", 100, 100);      // a surveyed point: not subject
    CRig* senzaCoord = new CRig('4');
    senzaCoord->SetLblNome1(u"1");
    senzaCoord->SetLblNome2(u"99");
    r.cts.m_Righe45.AddRig(senzaCoord);
    riga5(u"12", 500, 500); // alignment without coordinates: skipped
    CRig* marcato = new CRig('4');
    marcato->SetLblNome1(u"1");
    marcato->SetLblNome2(u"2");
    marcato->SetLblMater(u"*S*");
    r.cts.m_Righe45.AddRig(marcato);
    riga5(u"13", 10, -10);

    CControlloLibretto k(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
    k.ControllaAllineamenti();
    const WString e = u"Errore! - Vista Riga 4,5: Numero Riga: ";
    const std::vector<WString> attesi = {
        e + u"3 - Tipo Riga: 5 - Allineamento: 1-2, Nome Punto: 11, Prolungamento: 7.501 m > a 7.500 m" +
            MOTIVO + GetTestoMotivo(61),
        e + u"3 - Tipo Riga: 5 - Allineamento: 1-2, Nome Punto: 11, Squadro: 3.000 m >= a 3 m" + MOTIVO +
            GetTestoMotivo(62),
        e + u"8 - Tipo Riga: 5 - Allineamento: 1-2, Nome Punto: 13, Squadro: 10.000 m >= a 10.000 m" +
            MOTIVO + GetTestoMotivo(62),
    };
    EXPECT_EQ(Voci(k), attesi);
}

TEST(CercaCoordPunto, OrdineECompletamento) {
    Rilievo r;
    CSta* s = r.Stazione(u"1");
    s->SetCoordXY(1, 1);
    COri* o = r.cmp.AddOri(false);
    o->SetNome(u"1");
    o->SetCoordXY(2, 2);
    COri* pf = r.cmp.AddOri(false);
    pf->SetNome(u"PF03/0120/G337");
    pf->SetCoordXY(3, 3);
    CRig* r4 = new CRig('4');
    CRig* r5 = new CRig('5');
    r5->SetLblNome1(u"PF04");
    r5->SetCoordXY(4, 4);
    r.cts.m_Righe45.AddRig(r4);
    r.cts.m_Righe45.AddRig(r5);
    CControlloLibretto k(nullptr, &r.cts, &r.cmp, &r.gps, nullptr);
    struct Caso {
        const char16_t* nome;
        double x;
    };
    for (auto c : {Caso{u"1", 1}, Caso{u"PF04/0120/G337", 4}, Caso{u"PF04/0120", 4},
                   Caso{u"PF03/0120/G337", 3}, Caso{u"nessuno", -1}}) {
        double x = -1, y = -1;
        k.CercaCoordPunto(c.nome, x, y);
        EXPECT_EQ(x, c.x) << WString(c.nome).ToUtf8();
    }
}
