#include "rules/ErrAvvList.h"
#include "tests/rules/TestUtil.h"

#include <gtest/gtest.h>

TEST(ErrAvvGenerico, AddMsgTesti) {
    CErrAvvGenerico lista(nullptr, nullptr, nullptr);
    lista.AddMsg(true, -1, u"ignorato");
    EXPECT_EQ(lista.GetMsgArSize(), 0);

    lista.AddMsg(true, 63, WString());
    for (const char16_t* nome : {u"12345", u"PF12/0010", u"PFX"})
        lista.ControllaPuntoSelezionato(nome); // only the last is not a point name
    lista.AddMsg(false, 12, u"dettaglio");
    ASSERT_EQ(lista.GetMsgArSize(), 3);
    EXPECT_EQ(lista.GetMsgAt(0),
              WString(u"Errore! - E' stato selezionata una linea che non corrisponde ad un lato della maglia "
                      u"fiduciale.\r"));
    EXPECT_EQ(lista.GetMsgAt(1), WString(u"Attenzione! PFX- il punto selezionato è errato.\r"));
    EXPECT_EQ(lista.GetMsgAt(2), WString(u"Attenzione! dettaglio"));
    EXPECT_TRUE(lista.IsErroreAt(0));
    EXPECT_FALSE(lista.IsErroreAt(1));
    EXPECT_EQ(lista.GetAvvArSize(), 2);
    EXPECT_EQ(lista.GetTitolo(), WString(u"Carvilo - errori e avvertimenti"));
    // Positions outside the list read as nothing.
    EXPECT_EQ(lista.GetMsgAt(3), WString());
    EXPECT_EQ(lista.GetMsgAt(-1), WString());
    EXPECT_FALSE(lista.IsErroreAt(3));
}

TEST(ErrAvvGenerico, LineaMaglia) {
    struct Caso {
        const char16_t* n1;
        const char16_t* n2;
        int messaggi;
    };
    const Caso casi[] = {
        {u"100", u"101", 1}, {u"PF01", u"101", 0}, {u"100", u"PF01/0010/A123", 0}, {u"PF01", u"PF02", 0}};
    for (const auto& c : casi) {
        CErrAvvGenerico lista(nullptr, nullptr, nullptr);
        lista.ControllaLineaMaglia(c.n1, c.n2);
        EXPECT_EQ(lista.GetMsgArSize(), c.messaggi)
            << WString(c.n1).ToUtf8() << " " << WString(c.n2).ToUtf8();
        EXPECT_TRUE(lista.GetOpzioneVista1());
        EXPECT_TRUE(lista.GetOpzioneVista2());
    }
}

TEST(ErrAvvGenerico, RelazioneEParticella) {
    CCts cts;
    CErrAvvGenerico lista(nullptr, nullptr, &cts);
    lista.ControllaRelazione();
    ASSERT_EQ(lista.GetMsgArSize(), 1);
    EXPECT_EQ(lista.GetMsgAt(0), WString(u"Errore! - Non è stata scritta la relazione tecnica.\r"));
    cts.AddRelaz(u"Rilievo eseguito");
    lista.ControllaRelazione();
    EXPECT_EQ(lista.GetMsgArSize(), 1);

    cts.m_Particelle.AddParticella(u"120");
    cts.m_Particelle.AddParticella(u"ACQUA");
    lista.ControllaLineaMaglia(u"1", u"2"); // display options on, one more entry
    lista.ControllaNomeParticella(u"121");
    EXPECT_FALSE(lista.GetOpzioneVista1());
    EXPECT_FALSE(lista.GetOpzioneVista2());
    lista.ControllaNomeParticella(u"acqua");
    EXPECT_EQ(lista.GetMsgArSize(), 2);
    lista.ControllaNomeParticella(u"120");
    ASSERT_EQ(lista.GetMsgArSize(), 3);
    EXPECT_EQ(lista.GetMsgAt(2),
              WString(u"Errore! - il nome della particella non può essere uguale ad un altro. La "
                      u"particella non verrà creata.\r"));
}

TEST(ErrAvvGenerico, AngoliVerticali) {
    CLibCmp cmp;
    CJob* job = cmp.AddJob(u"J");
    CSta* sta = job->AddSta(u"1");
    CPun* diritto = sta->AddPun(u"2");
    diritto->SetDato1(100);
    diritto->SetDato2(50);
    CJob* escluso = cmp.AddJob(u"NP");
    escluso->SetCodeNP(true);
    escluso->AddSta(u"3")->AddPun(u"4")->SetDato1(300);
    CSta* staNP = job->AddSta(u"5");
    staNP->SetCodeNP(true);
    staNP->AddPun(u"6")->SetDato1(300);
    CPun* puntoNP = sta->AddPun(u"7");
    puntoNP->SetDato1(300);
    puntoNP->SetCodeNP(true);

    CErrAvvGenerico lista(nullptr, &cmp, nullptr);
    lista.ControllaLineaMaglia(u"1", u"2");
    lista.ControllaAngoliVerticali();
    EXPECT_EQ(lista.GetMsgArSize(), 1) << "excluded readings are not examined";
    EXPECT_TRUE(lista.GetOpzioneVista1());

    CPun* capovolto = sta->AddPun(u"8");
    capovolto->SetDato1(300);
    capovolto->SetDato2(10);
    sta->AddPun(u"9")->SetDato1(250);
    lista.ControllaAngoliVerticali();
    ASSERT_EQ(lista.GetMsgArSize(), 2) << "one warning however many reversed readings";
    EXPECT_EQ(
        lista.GetMsgAt(1),
        WString(u"Attenzione! - Gli Angoli verticali di alcuni Punti di dettaglio sono maggiori di 200g.\r I "
                u"punti sono stati considerati come osservati con Mirino capovolto\r e i relativi Angoli "
                u"orizzontali sono stati ruotati di 200g.\r"));
    EXPECT_FALSE(lista.GetOpzioneVista1());
    EXPECT_FALSE(lista.GetOpzioneVista2());
    EXPECT_EQ(capovolto->GetDato1(), 300) << "the survey's readings stay as measured";
    EXPECT_EQ(capovolto->GetDato2(), 10);
}
