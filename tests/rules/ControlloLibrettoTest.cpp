#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"
#include "tests/rules/TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

const WString MOTIVO = u"  -> Motivo: \r";

// A booklet whose header and row 9 pass every check.
void LibrettoValido(CCts& cts, int versione = VER_PREGEO_1015) {
    cts.SetVerPregeo(versione);
    cts.SetCdCm(u"A123");
    cts.SetProt(u"12345");
    cts.SetFogl(u"0010");
    cts.SetMapp(u"12,AB");
    cts.SetQual(u"GEOMETRA");
    cts.SetTcnN(u"Mario");
    cts.SetTcnC(u"Rossi");
    cts.SetTcnNIscr(u"1234");
    cts.SetTcnCF(u"RSSMRA70A01H501U");
    CRig9* r9 = cts.GetRiga9();
    r9->SetDatoRea1(120);
    r9->SetLblNome2(u"1");
    r9->SetLblNome1(u"LC");
    r9->SetDatoInt1(10);
    r9->SetDatoInt2(20);
}

std::vector<WString> Messaggi(CErrAvvList& lista) {
    std::vector<WString> out;
    for (int i = 0; i < lista.GetMsgArSize(); ++i)
        out.push_back(lista.GetMsgAt(i));
    return out;
}

CRig* Riga(char tipo, char specRiga = 0, const char16_t* nota = u"") {
    CRig* r = new CRig(tipo, specRiga);
    r->SetLblMater(nota);
    return r;
}

} // namespace

TEST(ControlloLibretto, TestoVoce) {
    struct Caso {
        int riga;
        const char16_t* tipo;
        bool errore;
        int code;
        const char16_t* dettaglio;
        WString atteso;
    };
    const Caso casi[] = {
        {-1, u"0", true, 23, u"Codice comune: X1",
         u"Errore! - Libretto Pregeo: Tipo Riga: 0 - Codice comune: X1" + MOTIVO +
             u"Il codice del comune è composto da 4 o 5 caratteri alfanumerici.\r"},
        {4, u"5", false, 14, u"Progressiva ",
         u"Attenzione! - Vista Riga 4,5: Numero Riga: 4 - Tipo Riga: 5 - Progressiva " + MOTIVO +
             u"Valore tra -9999.999 e 9999.999.\r"},
        {0, u"3", true, 40, u"--",
         u"Errore! - Vista Riga 3: Numero Riga: 0 - Tipo Riga: 3 - --" + MOTIVO +
             u"Sono presenti dei nomi duplicati.\r"},
        {12, u"7", true, 12, u"d", u"Errore! - Vista Riga 7: Numero Riga: 12 - Tipo Riga: 7 - d" + MOTIVO},
        {2, u"6", false, 15, u"Nota: x",
         u"Attenzione! Numero Riga: 2 - Tipo Riga: 6 - Nota: x" + MOTIVO + u"Massimo 72 caratteri.\r"},
        {3, u"4L", true, 36, u"Punto Avanti: 7",
         u"Errore! - Vista Riga 4,5: Numero Riga: 3 - Tipo Riga: 4L - Punto Avanti: 7" + MOTIVO +
             u"Elemento non trovato. \r"},
        {5, u"5L", true, 36, u"P",
         u"Errore! - Vista Riga 4,5: Numero Riga: 5 - Tipo Riga: 5L - P" + MOTIVO +
             u"Elemento non trovato. \r"},
        {-1, u"8", true, 48, u"Nome Punto: 1",
         u"Errore! - Vista Punti di Orientamento Pregeo: Tipo Riga: 8 - Nome Punto: 1" + MOTIVO +
             u"Non è stata specificata la tipologia del punto.\r"},
        {-1, u"1", true, 56, u"Nome Stazione: 2",
         u"Errore! - Libretto Pregeo: Tipo Riga: 1 - Nome Stazione: 2" + MOTIVO +
             u"La stazione non è battuta da una stazione celerimetrica o GPS precedente o da una stazione di "
             u"allineamento. \r"},
        {-1, u"2", true, 99, u"",
         u"Errore! - Libretto Pregeo: Tipo Riga: 2 " + MOTIVO +
             u"Per evitare problemi nell'elaborazione si consiglia di impostare i punti fiduciali misurati "
             u"(da "
             u"stazioni celerimetriche)\rsenza corrispondenza altimetrica e con foglio diverso da quello "
             u"della "
             u"riga zero a 2D e gli altri a 3D.\r"},
        {-1, u"9", false, 2, u"Nota: n",
         u"Attenzione! - Libretto Pregeo: Tipo Riga: 9 - Nota: n" + MOTIVO + u"Massimo 40 caratteri.\r"},
        {-1, u"", false, 97, u"",
         u"Attenzione! - Libretto Pregeo:  \rAlcune misure GPS hanno date e ore non valide. \r"},
        {-1, u"", true, 12, u"dettaglio", u"Errore! - Libretto Pregeo: dettaglio \r"},
        {-1, u"10", true, 12, u"d", u"Errore! Tipo Riga: 10 - d" + MOTIVO},
    };
    for (const auto& c : casi) {
        CControlloLibretto controllo;
        controllo.AddMsgPregeo(c.riga, c.tipo, c.errore, c.code, c.dettaglio);
        ASSERT_EQ(controllo.GetMsgArSize(), 1);
        EXPECT_EQ(controllo.GetMsgAt(0), c.atteso);
        EXPECT_EQ(controllo.IsErroreAt(0), c.errore);
        const CVocePregeo& parti = *controllo.GetVocePregeoAt(0);
        EXPECT_EQ(std::tie(parti.riga, parti.errore, parti.codice), std::tie(c.riga, c.errore, c.code));
        EXPECT_EQ(parti.tipoRiga + u"|" + parti.dettaglio, WString(c.tipo) + u"|" + c.dettaglio);
    }
}

TEST(ControlloLibretto, ListaEOpzioni) {
    CControlloLibretto controllo;
    controllo.AddMsgPregeo(1, u"5", true, -1, u"valido");
    EXPECT_EQ(controllo.GetMsgArSize(), 0);
    controllo.AddMsgPregeo(-1, u"0", true, 34, u"a");
    controllo.AddMsgPregeo(-1, u"0", false, 6, u"b");
    controllo.AddMsgPregeo(-1, u"0", false, 6, u"b");
    EXPECT_EQ(controllo.GetMsgArSize(), 3);
    EXPECT_EQ(controllo.GetMsgAt(1), controllo.GetMsgAt(2)) << "identical findings stay two entries";
    EXPECT_EQ(controllo.GetAvvArSize(), 2);
    EXPECT_TRUE(controllo.GetOpzioneVista1());
    EXPECT_TRUE(controllo.GetOpzioneVista2());
    EXPECT_EQ(controllo.GetTitolo(),
              WString(u"Libretto Pregeo - Errori e Avvertimenti sul libretto delle misure"));
    EXPECT_EQ(controllo.GetMsgAt(3), WString());

    // The checker works through the list interface as a display sees it.
    CErrAvvList& lista = controllo;
    EXPECT_EQ(lista.GetMsgArSize(), 3);
    EXPECT_TRUE(lista.IsErroreAt(0));
    EXPECT_EQ(controllo.GetVocePregeoAt(3), nullptr);

    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    CRig riga('5');
    CControlloLibretto sulloStack(&riga, &cts, &cmp, &gps, nullptr);
    EXPECT_EQ(sulloStack.GetRigaCorrente(), &riga);
    EXPECT_EQ(sulloStack.GetIndice(), nullptr);
    EXPECT_FALSE(sulloStack.GetMisurePresenti());
}

TEST(ControlloRiga0, VersioneVecchiaOSenzaLibretto) {
    for (int versione : {int(VER_PREGEO_1007), 1000}) {
        CCts cts;
        cts.SetVerPregeo(versione);
        CControlloLibretto controllo(nullptr, &cts, nullptr, nullptr, nullptr);
        controllo.ControllaRiga0();
        controllo.ControllaRiga9();
        EXPECT_EQ(controllo.GetMsgArSize(), 0) << versione;
    }
    CControlloLibretto senza(nullptr, nullptr, nullptr, nullptr, nullptr);
    senza.ControllaRiga0();
    senza.ControllaRiga9();
    EXPECT_EQ(senza.GetMsgArSize(), 0);
}

TEST(ControlloRiga0, LibrettoVuotoInOrdine) {
    CCts cts;
    cts.SetVerPregeo(VER_PREGEO_1009);
    CControlloLibretto controllo(nullptr, &cts, nullptr, nullptr, nullptr);
    controllo.ControllaRiga0();
    const WString pre = u"Errore! - Libretto Pregeo: Tipo Riga: 0 - ";
    const WString obbl = MOTIVO + u"Campo obbligatorio.\r";
    const std::vector<WString> attesi = {
        pre + u"Codice comune: " + obbl,
        pre + u"Protocollo: " + obbl,
        pre + u"Foglio immatricolare: " + obbl,
        pre + u"Mappale: " + obbl,
        pre + u"Mappale: " + MOTIVO + GetTestoMotivo(54),
        pre + u"Nome Tecnico: " + obbl,
        pre + u"Cognome Tecnico: " + obbl,
        u"Errore! - Libretto Pregeo: Tipo Riga: 0 " + MOTIVO +
            u"Il numero di iscrizione è obbligatorio per la generazione dell'atto di aggiornamento (file "
            u"PDF).\r",
        u"Errore! - Libretto Pregeo: Tipo Riga: 0 " + MOTIVO +
            u"Il codice fiscale è obbligatorio per la genereazione dell'atto di aggiornamento (file PDF).\r",
    };
    EXPECT_EQ(Messaggi(controllo), attesi);
    EXPECT_EQ(controllo.GetAvvArSize(), 0);
}

TEST(ControlloRiga0, CampiErrati) {
    CCts cts;
    LibrettoValido(cts);
    cts.SetCdCm(u"a123");
    cts.SetProt(u"0123");
    cts.SetFogl(u"A12");
    cts.SetMapp(WString(u'1', 31));
    cts.SetTcnN(WString(u'N', 21));
    cts.SetTcnC(u"Niccolò");
    CControlloLibretto controllo(nullptr, &cts, nullptr, nullptr, nullptr);
    controllo.ControllaRiga0();
    const WString err = u"Errore! - Libretto Pregeo: Tipo Riga: 0 - ";
    const WString avv = u"Attenzione! - Libretto Pregeo: Tipo Riga: 0 - ";
    const WString mapp = WString(u'1', 31);
    const std::vector<WString> attesi = {
        err + u"Codice comune: a123" + MOTIVO + GetTestoMotivo(23),
        err + u"Protocollo: 0123" + MOTIVO + u"Non può iniziare con lo zero.\r",
        err + u"Foglio immatricolare: A12" + MOTIVO + GetTestoMotivo(5),
        avv + u"Mappale: " + mapp + MOTIVO + u"Nella finestra Pregeo sono accettati massimo 30 caratteri.\r",
        err + u"Mappale: " + mapp + MOTIVO + GetTestoMotivo(54),
        avv + u"Nome Tecnico: " + WString(u'N', 21) + MOTIVO + u"Massimo 20 caratteri.\r",
        err + u"Cognome Tecnico: Niccolò" + MOTIVO +
            u"Sono stati inseriti dei caratteri non standard (es. lettere accentate).\rTali caratteri "
            u"potrebbero "
            u"non essere accettati da Pregeo.\r",
    };
    EXPECT_EQ(Messaggi(controllo), attesi);
    EXPECT_EQ(controllo.GetAvvArSize(), 2);
}

// One field at a time on a valid booklet, by version.
TEST(ControlloRiga0, CampoPerCampo) {
    struct Caso {
        int versione;
        const char16_t* qualifica; // null: left as valid
        const char16_t* mappale;
        bool formatoMappale;
        bool senzaIscrizione; // no registration number, no tax code
        std::vector<int> codici;
    };
    const Caso casi[] = {{1015, nullptr, u"12/3,.5", false, false, {}},
                         {1015, nullptr, u"ACQUE,12A", false, false, {54}},
                         {1015, nullptr, u"12/3", true, false, {7}},
                         {1015, nullptr, u"12,STRAD", true, false, {}},
                         {1012, u"AGROTECNICO", nullptr, false, false, {}},
                         {1013, u"AGROTECNICO", nullptr, false, false, {106}},
                         {1014, u"AGROTECNICO", nullptr, false, false, {}},
                         {1015, u"AGROTECNICO", nullptr, false, false, {}},
                         {1012, u"DOTTORE IN AGRARIA", nullptr, false, false, {}},
                         {1013, u"DOTTORE IN AGRARIA", nullptr, false, false, {106}},
                         {1014, u"DOTTORE IN AGRARIA", nullptr, false, false, {106}},
                         {1015, u"Dottore in agraria", nullptr, false, false, {}},
                         {1008, nullptr, nullptr, false, true, {}},
                         {1009, nullptr, nullptr, false, true, {109, 110}}};
    for (const auto& c : casi) {
        CCts cts;
        LibrettoValido(cts, c.versione);
        if (c.qualifica)
            cts.SetQual(c.qualifica);
        if (c.mappale)
            cts.SetMapp(c.mappale);
        cts.m_FormatoMappale = c.formatoMappale;
        if (c.senzaIscrizione) {
            cts.SetTcnNIscr(u"");
            cts.SetTcnCF(u"");
        }
        CControlloLibretto controllo(nullptr, &cts, nullptr, nullptr, nullptr);
        controllo.ControllaRiga0();
        std::vector<WString> attesi;
        for (int code : c.codici) {
            const WString dettaglio = code == 106  ? WString(c.qualifica)
                                      : code < 100 ? u"Mappale: " + cts.GetMapp()
                                                   : u"";
            attesi.push_back(u"Errore! - Libretto Pregeo: Tipo Riga: 0 " +
                             (dettaglio.IsEmpty() ? u"" : u"- " + dettaglio) + MOTIVO + GetTestoMotivo(code));
        }
        EXPECT_EQ(Messaggi(controllo), attesi) << c.versione;
    }
}

TEST(ControlloRiga9, CampiErratiInOrdine) {
    CCts cts;
    LibrettoValido(cts);
    CRig9* r9 = cts.GetRiga9();
    r9->SetDatoRea1(REALE_INDEFINITO);
    r9->SetLblNome2(u"");
    r9->SetLblNome1(u"5-");
    r9->SetDatoInt1(20);
    r9->SetLblMater(WString(u'n', 41));
    CControlloLibretto controllo(nullptr, &cts, nullptr, nullptr, nullptr);
    controllo.ControllaRiga9();
    const WString err = u"Errore! - Libretto Pregeo: Tipo Riga: 9 - ";
    const std::vector<WString> attesi = {
        err + u"Quota " + MOTIVO + u"Campo obbligatorio.\r",
        err + u"Tipo Aggiornamento " + MOTIVO + u"Campo obbligatorio.\r",
        err + u"Est Media " + MOTIVO + u"Valori interi compresi tra -999999 e 9999999.\r",
        err + u"Precisione lineare e angolare " + MOTIVO +
            u"Valori accettati 10-100 per la precisione lineare e 20-100 per quella angolare.\r",
        u"Attenzione! - Libretto Pregeo: Tipo Riga: 9 - Nota: " + WString(u'n', 41) + MOTIVO +
            u"Massimo 40 caratteri.\r",
    };
    EXPECT_EQ(Messaggi(controllo), attesi);
}

TEST(ControlloRiga9, TipoAggiornamento) {
    struct Caso {
        int versione;
        int tipoLibretto;
        const char16_t* tipo;
        const char16_t* caso;
        std::vector<WString> attesi;
    };
    const WString err = u"Errore! - Libretto Pregeo: Tipo Riga: 9 ";
    const Caso casi[] = {
        {1015, 1, u"3", u"", {err + u"- TipoAgg.: 3" + MOTIVO + GetTestoMotivo(112)}},
        {1015, 0, u"9", u"", {err + u"- TipoAgg.: 9" + MOTIVO + GetTestoMotivo(115)}},
        {1015, 1, u"9", u"", {}},
        {1015, 0, u"13", u"", {err + MOTIVO + GetTestoMotivo(130)}},
        {1015, 0, u"16", u"", {err + MOTIVO + GetTestoMotivo(130)}},
        {1015, 0, u"13", u"A", {}},
        {1015, 0, u"26", u"", {}},
        {1012,
         0,
         u"26",
         u"",
         {err + u"- Tipo Agg.: 26" + MOTIVO + u"Tipo di aggiornamento non riconosciuto.\r"}},
        {1010, 0, u"26", u"", {}},
        {1012, 0, u"5", u"", {err + MOTIVO + u"Tipologia di aggiornamento non prevista.\r"}},
        {1014, 0, u"13", u"", {err + MOTIVO + GetTestoMotivo(114)}},
        {1012, 1, u"TM", u"", {}},
        {1012, 1, u"MA", u"", {}},
        {1012, 1, u"XX", u"", {err + MOTIVO + GetTestoMotivo(49)}},
        {1012, 1, u"4", u"", {err + MOTIVO + GetTestoMotivo(114), err + MOTIVO + GetTestoMotivo(49)}},
    };
    for (const auto& c : casi) {
        CCts cts;
        LibrettoValido(cts, c.versione);
        cts.m_TipoLibretto = c.tipoLibretto;
        cts.GetRiga9()->SetLblNome2(c.tipo);
        cts.GetRiga9()->SetCaso(c.caso);
        CControlloLibretto controllo(nullptr, &cts, nullptr, nullptr, nullptr);
        controllo.ControllaRiga9();
        EXPECT_EQ(Messaggi(controllo), c.attesi) << c.versione << " " << WString(c.tipo).ToUtf8();
    }
}

TEST(ControlloRiga9, EstMediaSenzaPuntiOrientamento) {
    struct Caso {
        const char16_t* testo;
        int atteso;
    };
    const Caso casi[] = {
        {u"", 34},         {u"LC", -1},       {u"lc", 11},       {u"-5", -1},
        {u"5-", 11},       {u"-", 11},        {u"--5", 11},      {u"+5", 11},
        {u" 5", 11},       {u"1.5", 11},      {u"1,5", 11},      {u"1160000", 104},
        {u"1160001", -1},  {u"1159999", 103}, {u"3920000", -1},  {u"3920001", 103},
        {u"9999999", 103}, {u"10000000", 11}, {u"150000", 104},  {u"250000", 103},
        {u"200000", 104},  {u"200001", 103},  {u"-200000", 104}, {u"-200001", 103},
        {u"-99000", -1},   {u"-99001", 104},  {u"99000", -1},    {u"99001", 104},
        {u"-999999", 103}, {u"-1000000", 11}, {u"0", -1},        {u"99999999999999999999999", 11},
    };
    CCts cts;
    CLibCmp cmp;
    CControlloLibretto controllo(nullptr, &cts, &cmp, nullptr, nullptr);
    for (const auto& c : casi)
        EXPECT_EQ(controllo.ControlloEstMedia(c.testo), c.atteso) << WString(c.testo).ToUtf8();
}

TEST(ControlloRiga9, EstMediaConfrontataConPuntiOrientamento) {
    CCts cts;
    cts.SetFogl(u"0010");
    CLibCmp cmp;
    for (auto [nome, x] : {std::pair{u"101", 40000.0}, std::pair{u"102", 60000.0}}) {
        COri* p = cmp.AddOri(false);
        p->SetNome(nome);
        p->SetCoord(x, 0, 0);
    }
    CControlloLibretto controllo(nullptr, &cts, &cmp, nullptr, nullptr);
    struct Caso {
        const char16_t* testo;
        int atteso;
    };
    const Caso casi[] = {{u"50000", -1}, {u"45001", -1},   {u"45000", 60}, {u"54999", -1},   {u"55000", 60},
                         {u"-5", 60},    {u"1160001", 60}, {u"LC", -1},    {u"1160000", 104}};
    for (const auto& c : casi)
        EXPECT_EQ(controllo.ControlloEstMedia(c.testo), c.atteso) << WString(c.testo).ToUtf8();

    // Excluded points leave nothing to compare with.
    for (int i = 0; i < cmp.GetOriArSize(); ++i)
        cmp.GetOriAt(i)->SetCodeNP(true);
    EXPECT_EQ(controllo.ControlloEstMedia(u"-5"), -1);

    // Without the orientation-point library the value is not compared either.
    CControlloLibretto senzaPunti(nullptr, &cts, nullptr, nullptr, nullptr);
    EXPECT_EQ(senzaPunti.ControlloEstMedia(u"-5"), -1);
}

namespace {

struct LibrettoCompleto {
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    explicit LibrettoCompleto(int versione = VER_PREGEO_1015) { LibrettoValido(cts, versione); }
    std::vector<WString> Controlla() {
        CControlloLibretto controllo(nullptr, &cts, &cmp, &gps, nullptr);
        controllo.ControllaTutto();
        EXPECT_EQ(controllo.GetIndice(), nullptr) << "the run's index does not outlive it";
        return Messaggi(controllo);
    }
};

const WString VOCE_105 = u"Errore! - Libretto Pregeo:  \r" + GetTestoMotivo(105);

} // namespace

TEST(ControllaTutto, Conferma) {
    struct Caso {
        std::vector<const char16_t*> note;
        bool voce105;
    };
    const Caso casi[] = {
        {{u"CONFERMA"}, false}, {{u"conferma"}, false},    {{u"Conferma"}, false},
        {{u"CONFERMA "}, true}, {{u"CONFERMA bis"}, true}, {{u"CONFERMA", u"CONFERMA"}, true},
        {{u"Rilievo"}, true},   {{u"CONFERM"}, true},      {{}, true},
    };
    for (const auto& c : casi) {
        LibrettoCompleto l;
        for (const char16_t* nota : c.note)
            l.cts.m_Righe3.AddRig(Riga('6', 0, nota));
        const auto voci = l.Controlla();
        EXPECT_EQ(voci, c.voce105 ? std::vector<WString>{VOCE_105} : std::vector<WString>{})
            << WString(c.note.front()).ToUtf8();
    }
}

TEST(ControllaTutto, MisurePresentiNelleRighe45) {
    struct Caso {
        char tipo;
        char specRiga;
        bool voce105;
    };
    const Caso casi[] = {{'4', 0, false}, {'4', 1, true}, {'4', 2, true},
                         {'5', 0, false}, {'5', 1, true}, {'6', 0, true}};
    for (const auto& c : casi) {
        LibrettoCompleto l;
        l.cts.m_Righe45.AddRig(Riga(c.tipo, c.specRiga));
        const auto voci = l.Controlla();
        // The empty row has findings of its own; only the confirmation entry matters here.
        EXPECT_EQ(std::count(voci.begin(), voci.end(), VOCE_105), c.voce105 ? 1 : 0)
            << c.tipo << " " << int(c.specRiga);
    }
}

TEST(ControllaTutto, OrdineFamiglieEVersioni) {
    LibrettoCompleto l;
    l.cts.SetCdCm(u"");
    l.cts.GetRiga9()->SetLblNome1(u"");
    const auto voci = l.Controlla();
    ASSERT_EQ(voci.size(), 3u);
    EXPECT_EQ(voci[0],
              u"Errore! - Libretto Pregeo: Tipo Riga: 0 - Codice comune: " + MOTIVO + GetTestoMotivo(34));
    EXPECT_EQ(voci[1], u"Errore! - Libretto Pregeo: Tipo Riga: 9 - Est Media " + MOTIVO + GetTestoMotivo(34));
    EXPECT_EQ(voci[2], VOCE_105);

    // An old booklet's fields are not checked, but it is asked for its confirmation row all the same.
    LibrettoCompleto vecchio(VER_PREGEO_1007);
    vecchio.cts.SetCdCm(u"");
    EXPECT_EQ(vecchio.Controlla(), std::vector<WString>{VOCE_105});
}

TEST(ControllaTutto, SenzaLibrerieNonFaNulla) {
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    CControlloLibretto senzaGps(nullptr, &cts, &cmp, nullptr, nullptr);
    senzaGps.ControllaTutto();
    EXPECT_EQ(senzaGps.GetMsgArSize(), 0);
    CControlloLibretto senzaStazioni(nullptr, &cts, nullptr, &gps, nullptr);
    senzaStazioni.ControllaTutto();
    EXPECT_EQ(senzaStazioni.GetMsgArSize(), 0);
    CControlloLibretto senzaLibretto(nullptr, nullptr, &cmp, &gps, nullptr);
    senzaLibretto.ControllaTutto();
    EXPECT_FALSE(senzaLibretto.IsPresenteConferma());
    EXPECT_EQ(senzaLibretto.GetMsgArSize(), 0);
}

TEST(ControllaTutto, SecondaEsecuzioneGiudicaDiNuovo) {
    LibrettoCompleto l;
    CControlloLibretto controllo(nullptr, &l.cts, &l.cmp, &l.gps, nullptr);
    controllo.ControllaTutto();
    controllo.ControllaTutto();
    EXPECT_EQ(controllo.GetMsgArSize(), 2) << "each run reports the missing confirmation";
}
