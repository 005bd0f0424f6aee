// The deciding code of the row 3, rows 4 and 5 and row 7 editors: where new rows go, the checks on OK
// with the values they store, the vertex list and the segments. The dialogs are played end to end by
// the scenario folders (righe3-*, righe45-*, righe7-*).
#include "editors/DatiRiga3.h"
#include "editors/DatiRiga7.h"
#include "editors/DatiRighe45.h"
#include "hostapi/Dialog.h"
#include "rules/IndicePunti.h"
#include "tests/editors/TestEditori.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// A view of rows named by their first name, owning them as the booklet's arrays do.
struct Vista {
    CCtsRigArray righe{true};
    explicit Vista(std::initializer_list<const char16_t*> nomi) {
        for (const char16_t* n : nomi) {
            auto* r = new CRig('5');
            r->SetLblNome1(n);
            righe.AddRig(r);
        }
    }
    std::vector<WString> Nomi() const {
        std::vector<WString> out;
        for (int i = 0; i < righe.GetRigArSize(); ++i)
            out.push_back(righe.GetRigAt(i)->GetLblNome1());
        return out;
    }
};

std::vector<WString> Nomi(std::initializer_list<const char16_t*> nomi) {
    return {nomi.begin(), nomi.end()};
}

CRig Riga7(std::initializer_list<const char16_t*> vertici, char colore = 'N') {
    CRig r('7');
    for (const char16_t* v : vertici)
        r.AddVrt(CCtsVrt(v, 'C', colore));
    return r;
}

WString Testo(const std::optional<CRifiuto>& r) {
    return r ? r->testo : WString();
}

} // namespace

TEST(Righe45, ListTextsOfEveryKind) {
    const struct {
        char tipo;
        char specRiga;
        const char16_t* testo;
    } casi[] = {{'4', 0, u"4"}, {'4', 1, u"4L2"}, {'4', 2, u"4L1"},
                {'5', 0, u"5"}, {'5', 1, u"5L"},  {'6', 0, u"6"}};
    for (const auto& c : casi)
        EXPECT_EQ(TipoRiga45(CRig(c.tipo, c.specRiga)), c.testo) << c.tipo << int(c.specRiga);
    CRig r4('4');
    r4.SetLblNome1(u"101");
    r4.SetLblNome2(u"102");
    r4.SetDatoRea2(-12);
    EXPECT_EQ(DatiRiga45(r4), u"4|101|102|-12|");
    // A line shorter than its end marker leaves nothing rather than reading before its start.
    EXPECT_EQ(DatiDaLinea45(u"|\r"), u"");
    EXPECT_EQ(DatiDaLinea45(u""), u"");
    EXPECT_EQ(DatiDaLinea45(u"6|x|\r\n"), u"6|x");
}

TEST(Righe45, ANewRow5GoesAfterTheSelectedLineARow4ToTheEnd) {
    Vista v{u"a", u"b", u"c", u"d"};
    {
        // Third line selected: the row 5 is at position 3 while its editor runs.
        CNuovaRiga45 nuova(v.righe, 3);
        nuova.Prepara('5', 0)->SetLblNome1(u"n");
        EXPECT_EQ(v.Nomi(), Nomi({u"a", u"b", u"c", u"n", u"d"}));
        nuova.Ritira();
        EXPECT_EQ(v.Nomi(), Nomi({u"a", u"b", u"c", u"d"}));
        // A row 4 joins the view only on OK, at its end, whatever is selected.
        nuova.Prepara('4', 0)->SetLblNome1(u"q");
        EXPECT_EQ(v.righe.GetRigArSize(), 4);
        EXPECT_EQ(nuova.Conferma(), 4);
    }
    EXPECT_EQ(v.Nomi(), Nomi({u"a", u"b", u"c", u"d", u"q"}));
    {
        CNuovaRiga45 nuova(v.righe, 3);
        CRig* r = nuova.Prepara('5', 1);
        EXPECT_EQ(r->GetSpecRiga(), 1);
        r->SetLblNome1(u"m");
        EXPECT_EQ(nuova.Conferma(), 3);
    }
    EXPECT_EQ(v.Nomi(), Nomi({u"a", u"b", u"c", u"m", u"d", u"q"}));
    {
        // No selection: the end. Leaving without OK takes the row out again.
        CNuovaRiga45 nuova(v.righe, -1);
        nuova.Prepara('5', 0);
        EXPECT_EQ(v.righe.GetRigArSize(), 7);
        EXPECT_EQ(v.righe.GetRigAt(6)->GetTipoRiga(), '5');
    }
    EXPECT_EQ(v.righe.GetRigArSize(), 6);
    CNuovaRiga45 nulla(v.righe, 1);
    EXPECT_EQ(nulla.Conferma(), -1);
}

TEST(Righe45, InstrumentalMarkerFollowsTheBox) {
    EXPECT_TRUE(IsAllineamentoStrumentale(u"*S*fronte"));
    EXPECT_FALSE(IsAllineamentoStrumentale(u" *S*"));
    EXPECT_FALSE(IsAllineamentoStrumentale(u"*s*"));
    EXPECT_EQ(NotaStrumentale(u"fronte", true), u"*S*fronte");
    EXPECT_EQ(NotaStrumentale(u"*S*fronte", true), u"*S*fronte");
    EXPECT_EQ(NotaStrumentale(u"*S*fronte", false), u"fronte");
    EXPECT_EQ(NotaStrumentale(u"*S", false), u"*S");
    EXPECT_EQ(NotaStrumentale(u"", true), u"*S*");
}

TEST(Righe45, Row4ChecksInOrderAndStoresTheWholeAngle) {
    const WString nota40(u'n', 40), nota41(u'n', 41);
    const struct {
        char specRiga;
        const char16_t *n1, *n2, *v1, *v2;
        WString nota;
        const char16_t* messaggio; // empty: accepted
        double angolo;             // standard rows: the value stored
    } casi[] = {
        {0, u"101", u"102", u"399.7", u"", u"", u"", 399},
        {0, u"101", u"102", u"-399.9", u"", u"", u"", -399},
        {0, u"101", u"102", u"-0.5", u"", nota40, u"", 0},
        {0, u"101", u"102", u"-400", u"", u"",
         u"Inserire un valore compreso tra -399 e 399 per la correzione angolare", 0},
        {0, u"101", u"102", u"400", u"", u"",
         u"Inserire un valore compreso tra -399 e 399 per la correzione angolare", 0},
        // Not a number: refused before any conversion to an integer.
        {0, u"101", u"102", u"1.7e200", u"", u"",
         u"Inserire un valore compreso tra -399 e 399 per la correzione angolare", 0},
        {0, u"101", u"102", u"", u"", u"",
         u"Inserire un valore compreso tra -399 e 399 per la correzione angolare", 0},
        {0, u"", u"102", u"x", u"", nota41, u"Specificare un punto di origine valido", 0},
        {0, u"101", u"", u"x", u"", u"", u"Specificare un punto di orientamento valido", 0},
        {0, u"101", u"101", u"x", u"", u"",
         u"Il punto di origine deve essere diverso da quello di orientamento", 0},
        {0, u"101", u"102", u"1", u"", nota41, u"Il campo nota non deve superare i 40 caratteri", 0},
        {2, u"", u"", u"x", u"x", u"", u"Specificare un punto indietro valido", 0},
        {2, u"7", u"", u"x", u"x", u"", u"Specificare un punto avanti valido", 0},
        {2, u"7", u"7", u"x", u"x", u"", u"Il punto indietro deve essere diverso da quello in avanti", 0},
        {2, u"7", u"8", u"x", u"1", u"", u"Inserire un valore valido per il filo medio del punto indietro",
         0},
        {2, u"7", u"8", u"1", u"", u"", u"Inserire un valore valido per il filo medio del punto avanti", 0},
        {2, u"7", u"8", u"1", u"2", nota41, u"Il campo nota non deve superare i 40 caratteri", 0},
        {2, u"7", u"8", u"1.5", u"2", nota40, u"", 0},
        {1, u"", u"", u"x", u"", u"", u"Specificare un punto stazione valido", 0},
        {1, u"7", u"", u"", u"", u"", u"Inserire un valore valido per l'altezza", 0},
        {1, u"7", u"", u"1.6", u"", nota41, u"Il campo nota non deve superare i 40 caratteri", 0},
        {1, u"7", u"", u"1.6", u"", nota40, u"", 0},
    };
    for (const auto& c : casi) {
        const CDatiRiga4 d{c.specRiga, c.n1, c.n2, c.v1, c.v2, c.nota};
        const auto rifiuto = ValidaRiga4(d);
        EXPECT_EQ(Testo(rifiuto), c.messaggio) << int(c.specRiga) << " " << WString(c.v1);
        if (rifiuto) {
            EXPECT_EQ(rifiuto->icona, MB_ICONERROR);
            continue;
        }
        CRig r('4', c.specRiga);
        r.SetLblNome2(u"prima");
        SalvaRiga4(d, r);
        EXPECT_EQ(r.GetLblNome1(), c.n1);
        EXPECT_EQ(r.GetLblMater(), c.nota);
        if (c.specRiga == 0) {
            EXPECT_EQ(r.GetDatoRea2(), c.angolo);
            EXPECT_EQ(std::signbit(r.GetDatoRea2()), std::signbit(c.angolo)) << WString(c.v1);
        } else {
            EXPECT_EQ(r.GetDatoRea1(), DoubleDaCString(c.v1));
            // From one end the row has no second name: it keeps what it had.
            EXPECT_EQ(r.GetLblNome2(), c.specRiga == 1 ? u"prima" : c.n2);
        }
    }
    // The editor reopens on what it stored.
    CRig r('4', 2);
    SalvaRiga4({2, u"7", u"8", u"1.5", u"2", u"nota"}, r);
    const CDatiRiga4 riletti = DatiDaRiga4(r);
    EXPECT_EQ(riletti.valore1, u"1.500");
    EXPECT_EQ(riletti.valore2, u"2.000");
}

TEST(Righe45, Row5ChecksInOrder) {
    const WString nota40(u'n', 40), nota41(u'n', 41);
    const struct {
        char specRiga;
        const char16_t *punto, *v1, *v2;
        WString nota;
        const char16_t* messaggio;
    } casi[] = {
        {0, u"105", u"9999.999", u"-9999.999", nota40, u""},
        {0, u"105", u"10000", u"0", u"", u"Inserire un valore compreso tra -9999 e 9999 per la distanza"},
        {0, u"105", u"-10000", u"0", u"", u"Inserire un valore compreso tra -9999 e 9999 per la distanza"},
        {0, u"105", u"abc", u"0", u"", u"Inserire un valore compreso tra -9999 e 9999 per la distanza"},
        {0, u"105", u"1", u"10000", u"", u"Inserire un valore compreso tra -9999 e 9999 per lo squadro"},
        {0, u"105", u"1", u"", u"", u"Inserire un valore compreso tra -9999 e 9999 per lo squadro"},
        // A fiducial name passes though it is not numeric; other non-numeric names do not.
        {0, u"PF01/0010/A123", u"1", u"0", u"", u""},
        {0, u"pf01", u"1", u"0", u"", u"Il nome del punto osservato deve essere composto da cifre (Max.5)"},
        {0, u"123456", u"1", u"0", u"", u"Il nome del punto osservato deve essere composto da cifre (Max.5)"},
        {0, u"", u"1", u"0", u"", u"Il nome del punto osservato deve essere composto da cifre (Max.5)"},
        {0, u"105", u"99999", u"0", nota41, u"Il campo nota non deve superare i 40 caratteri"},
        {1, u"105", u"1.234", u"", nota40, u""},
        {1, u"105", u"", u"", u"", u"Inserire un valore valido per la lettura al filo medio"},
        {1, u"105", u"1", u"", nota41, u"Il campo nota non deve superare i 40 caratteri"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(Testo(ValidaRiga5({c.specRiga, c.punto, c.v1, c.v2, c.nota})), c.messaggio)
            << WString(c.punto);
    // A row 5L has no offset: writing it leaves the second value alone.
    CRig r('5', 1);
    r.SetDatoRea2(7);
    SalvaRiga5({1, u"105", u"1.234", u"", u""}, r);
    EXPECT_EQ(r.GetDatoRea1(), 1.234);
    EXPECT_EQ(r.GetDatoRea2(), 7);
    EXPECT_EQ(TestoCoordinata(12.3456, true), u"12.346");
    EXPECT_EQ(TestoCoordinata(12.3456, false), u"---");
    EXPECT_EQ(TestoCoordinata(REALE_INDEFINITO, true), u"---");
}

TEST(Riga3, VertexListActsOnlyOnASelectedVertex) {
    CVerticiRiga3 v;
    // Nothing selected: these do nothing.
    v.Su();
    v.Giu();
    v.Elimina();
    v.Rinomina(u"1");
    EXPECT_TRUE(v.Nomi().empty());
    v.Aggiungi();
    v.Aggiungi();
    EXPECT_EQ(v.Nomi(), Nomi({u"Nuovo", u"Nuovo"}));
    EXPECT_EQ(v.Selezione(), 1);
    v.Rinomina(u"2");
    v.Inserisci();
    v.Rinomina(u"1");
    EXPECT_EQ(v.Nomi(), Nomi({u"Nuovo", u"1", u"2"}));
    v.Seleziona(5);
    EXPECT_EQ(v.Selezione(), -1);
    v.Rinomina(u"x");
    v.Inserisci(); // at the end when nothing is selected
    v.Rinomina(u"3");
    EXPECT_EQ(v.Nomi(), Nomi({u"Nuovo", u"1", u"2", u"3"}));
    // The selection keeps its place while the vertex moves.
    v.Su();
    EXPECT_EQ(v.Nomi(), Nomi({u"Nuovo", u"1", u"3", u"2"}));
    EXPECT_EQ(v.Selezione(), 3);
    v.Giu();
    v.Seleziona(0);
    v.Su();
    EXPECT_EQ(v.Nomi(), Nomi({u"Nuovo", u"1", u"3", u"2"}));
    v.Elimina();
    EXPECT_EQ(v.Selezione(), 0);
    v.Seleziona(2);
    v.Elimina(); // the last: the new last is selected
    EXPECT_EQ(v.Nomi(), Nomi({u"1", u"3"}));
    EXPECT_EQ(v.Selezione(), 1);
    v.Elimina();
    v.Elimina();
    EXPECT_EQ(v.Selezione(), -1);
    EXPECT_TRUE(v.Nomi().empty());
}

TEST(Riga3, ChecksOnOkAndTheVertexSummary) {
    const struct {
        std::vector<WString> nomi;
        const char16_t* messaggio;
    } casi[] = {
        {Nomi({u"1", u"2", u"3"}), u"La riga 3 deve essere composta da almeno 4 vertici"},
        {Nomi({u"1", u"2", u"3", u"4"}), u""},
        {Nomi({u"1", u"2", u"3", u"4", u"1"}), u"Sono presenti dei nomi di vertice duplicati"},
        {Nomi({u"1", u"Nuovo", u"3", u"Nuovo"}), u"Specificare il nome di tutti i vertici"},
        {Nomi({u"1", u"2", u"", u"4"}), u"Specificare il nome di tutti i vertici"},
        // Vertices are examined in order: the first one's duplicate comes before a later "Nuovo".
        {Nomi({u"1", u"2", u"1", u"Nuovo"}), u"Sono presenti dei nomi di vertice duplicati"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(Testo(ValidaRiga3(c.nomi)), c.messaggio) << c.nomi.size();
    CRig r('6');
    r.AddVrt(CCtsVrt(u"vecchio"));
    SalvaRiga3(Nomi({u"1", u"2", u"3", u"4"}), r);
    EXPECT_EQ(r.GetTipoRiga(), '3');
    EXPECT_EQ(TestoVertici(r), u"1-2-3-4");
    r.AddVrt(CCtsVrt(u"5"));
    EXPECT_EQ(TestoVertici(r), u"1-2...4-5");
    EXPECT_EQ(TestoVertici(CRig('3')), u"");
}

TEST(Riga7, ListColumnsNeverReadMissingVertices) {
    const struct {
        CRig riga;
        const char16_t *inizio, *fine, *stato;
    } casi[] = {
        {Riga7({}), u"", u"", u""},
        {Riga7({u"9"}), u"9", u"", u"Pt.Isolato"},
        {Riga7({u"9"}, 'P'), u"9", u"", u"Pt.Isolato"},
        {Riga7({u"1", u"2", u"3", u"1"}), u"1", u"1", u"Chiusa"},
        {Riga7({u"1", u"2", u"3"}), u"1", u"3", u"Aperta"},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(InizioRiga7(c.riga), c.inizio);
        EXPECT_EQ(FineRiga7(c.riga), c.fine);
        EXPECT_EQ(StatoRiga7(c.riga), c.stato);
    }
    EXPECT_TRUE(IsPuntoIsolato(Riga7({u"9"}, 'P')));
    EXPECT_FALSE(IsPuntoIsolato(Riga7({u"9"})));
    EXPECT_FALSE(IsPuntoIsolato(Riga7({u"9", u"8"}, 'P')));
}

TEST(Riga7, SegmentsWalkAndStoreTheirCodes) {
    CRig due = Riga7({u"1", u"2"});
    CSegmentiRiga7 s(&due);
    EXPECT_EQ(s.Contatore(), u"1/1");
    EXPECT_FALSE(s.HaPrecedente());
    EXPECT_FALSE(s.HaSuccessivo());

    CRig quattro = Riga7({u"1", u"2", u"3", u"1"});
    quattro.GetVrtAt(2)->m_TipoLinea = 'X';
    CSegmentiRiga7 q(&quattro);
    q.Successivo();
    q.Successivo();
    q.Successivo(); // no further than the last
    EXPECT_EQ(q.Contatore(), u"3/3");
    EXPECT_EQ(q.Inizio(), u"3");
    EXPECT_EQ(q.Fine(), u"1");
    EXPECT_EQ(q.Linea(), -1); // an unknown code selects nothing...
    q.Imposta(1, -1);         // ...and stays as it is
    EXPECT_EQ(quattro.GetVrtAt(2)->m_Colore, 'R');
    EXPECT_EQ(quattro.GetVrtAt(2)->m_TipoLinea, 'X');
    q.Precedente();
    q.Imposta(2, 2);
    EXPECT_EQ(quattro.GetVrtAt(1)->m_Colore, 'V');
    EXPECT_EQ(quattro.GetVrtAt(1)->m_TipoLinea, 'T');
    EXPECT_EQ(q.Colore(), 2);

    // Rows without a segment: nothing to show, nothing written.
    for (CRig riga : {Riga7({}), Riga7({u"9"})}) {
        CSegmentiRiga7 vuoto(&riga);
        vuoto.Successivo();
        vuoto.Imposta(1, 1);
        EXPECT_EQ(vuoto.Numero(), 0);
        EXPECT_EQ(vuoto.Contatore(), u"");
        EXPECT_EQ(vuoto.Inizio(), u"");
        EXPECT_EQ(vuoto.Fine(), u"");
        EXPECT_EQ(vuoto.Colore(), -1);
        EXPECT_FALSE(vuoto.HaSuccessivo());
        if (riga.GetVrtArSize() == 1) {
            EXPECT_EQ(riga.GetVrtAt(0)->m_Colore, 'N');
        }
    }
}

TEST(Riga7, ParticleFieldsAndTheChangeIntoAnIsolatedPoint) {
    CRig r = Riga7({u"1", u"2", u"3", u"4", u"1"});
    r.SetLblNome1(u"245");
    r.SetDatoRea1(1020.12345);
    r.SetDatoRea2(1050);
    r.SetDatoInt1(1);
    const CDatiParticella d = DatiParticella(r);
    EXPECT_EQ(d.supCens, u"1050");
    EXPECT_TRUE(d.reale);
    EXPECT_EQ(TestoSupCart(r), u"1020.1235");
    SalvaParticella({u"246", u"245", u"abc", false}, r);
    EXPECT_EQ(r.GetLblNome1(), u"246");
    EXPECT_TRUE(IsRealeIndefinito(r.GetDatoRea2()));
    EXPECT_EQ(r.GetDatoInt1(), 0);
    EXPECT_EQ(r.GetDatoRea1(), 1020.12345);

    TrasformaInPuntoIsolato(r, u"105", false);
    ASSERT_EQ(r.GetVrtArSize(), 1);
    EXPECT_EQ(r.GetVrtAt(0)->GetNome(), u"105");
    EXPECT_EQ(r.GetVrtAt(0)->m_Colore, 'P');
    EXPECT_EQ(r.GetVrtAt(0)->m_TipoLinea, 'D');
    EXPECT_EQ(r.GetLblNome1(), u"");
    EXPECT_EQ(r.GetLblNome2(), u"");
    EXPECT_EQ(r.GetDatoRea1(), 0);
    EXPECT_EQ(r.GetDatoRea2(), 0);
    EXPECT_EQ(r.GetDatoInt1(), -1);
    EXPECT_EQ(StatoRiga7(r), u"Pt.Isolato");
}

TEST(IndicePunti, NamesOfASetComeOnceInSurveyOrder) {
    CIndicePunti indice;
    indice.Aggiungi(3, u"20");
    indice.Aggiungi(4, u"10");
    indice.Aggiungi(3, u"10");
    indice.Aggiungi(3, u"20");
    indice.Aggiungi(9, u"30");
    EXPECT_EQ(indice.Nomi(3), Nomi({u"20", u"10"}));
    EXPECT_EQ(indice.Nomi(4), Nomi({u"10"}));
    EXPECT_TRUE(indice.Nomi(9).empty());
}
