#include "editors/DatiRiga9.h"

#include "hostapi/Conversions.h"
#include "hostapi/Dialog.h"
#include "hostapi/FileIO.h"
#include "hostapi/Resources.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"

#include <cmath>

namespace {

std::optional<CRifiuto> Errore(const char16_t* testo) {
    return CRifiuto{testo, MB_ICONERROR};
}

} // namespace

CTipoAggiornamento TipoAggiornamentoDaRiga(WString riga) {
    // The line end goes first, so that a case read from the last field compares and stores clean.
    while (!riga.IsEmpty() && (riga[riga.GetLength() - 1] == u'\n' || riga[riga.GetLength() - 1] == u'\r'))
        riga = riga.Left(riga.GetLength() - 1);
    WString* campi[] = {nullptr, nullptr, nullptr, nullptr};
    CTipoAggiornamento voce;
    campi[0] = &voce.codice;
    campi[1] = &voce.testo;
    campi[2] = &voce.descrizione;
    campi[3] = &voce.caso;
    int campo = 0;
    int inizio = 0;
    while (campo < 4 && inizio <= riga.GetLength()) {
        int fine = riga.Find(u'|', inizio);
        if (fine < 0)
            fine = riga.GetLength();
        if (fine > inizio)
            *campi[campo++] = riga.Mid(inizio, fine - inizio);
        inizio = fine + 1;
    }
    return voce;
}

std::optional<CTipoAggiornamento> VoceTipoAggiornamento(const WString& riga) {
    CTipoAggiornamento voce = TipoAggiornamentoDaRiga(riga);
    if (voce.caso.IsEmpty()) // the tokenizer fills the fields in order: the fourth is the last
        return std::nullopt;
    return voce;
}

void CTipiAggiornamento::Aggiungi(const CTipoAggiornamento& voce) {
    (voce.IsPrincipale() ? m_Principali : m_Automatici).push_back(std::make_unique<CTipoAggiornamento>(voce));
}

bool CTipiAggiornamento::Leggi(const WString& percorso) {
    const CLetturaSupporto esito = LeggiRigheSupporto(percorso, [this](const WString& riga) {
        const std::optional<CTipoAggiornamento> voce = VoceTipoAggiornamento(riga);
        if (voce)
            Aggiungi(*voce);
        return voce.has_value();
    });
    m_Scartate = esito.scartate;
    return esito.letto;
}

bool CTipiAggiornamento::Carica() {
    return Leggi(FGetSpecialFolderPathAndSubDir(CARTELLA_INSTALLAZIONE, FILE_TIPI_AGG));
}

CSceltaTipoAgg SceltaIniziale(const CTipiAggiornamento& tipi, const WString& codice, const WString& caso) {
    const auto& principali = tipi.Principali();
    const auto& automatici = tipi.Automatici();
    const int ultimo = static_cast<int>(principali.size()) - 1;
    // The last main entry stands for the automatic update, whose stored form is one of its sub-cases: a
    // sub-case sharing its code must not be swallowed by it and reopen as the first sub-case.
    for (int i = 0; i < ultimo; ++i)
        if (principali[i]->codice == codice)
            return {i, -1};
    for (int i = 0; i < static_cast<int>(automatici.size()); ++i) {
        const CTipoAggiornamento& v = *automatici[i];
        if (v.codice == codice && (v.caso == u"*" || v.caso == caso))
            return {ultimo, i};
    }
    if (ultimo >= 0 && principali[ultimo]->codice == codice)
        return {ultimo, -1};
    return {ultimo >= 0 ? 0 : -1, -1};
}

bool IsEstMediaCalcolabile(const CLibConOri* punti) {
    if (!punti)
        return false;
    for (int i = 0; i < punti->GetOriArSize(); ++i) {
        const COri* p = punti->GetOriAt(i);
        if (p && !p->IsCodedNP() && !IsRealeIndefinito(p->GetCoordX()))
            return true;
    }
    return false;
}

WString QuotaDaMostrare(double quota) {
    return CStringDaDouble(std::fabs(quota), 0);
}

std::optional<CRifiuto> ValidaRiga9(const CDatiRiga9& d, CCts& libretto, CLibCmp* stazioni) {
    if (ControlloMax40(d.nota) == 2)
        return Errore(u"Il campo note può essere lungo al massimo 40 caratteri.");
    if (ControlloQuota(DoubleDaCString(d.quota)) != REGOLA_OK)
        return Errore(u"Inserire un valore per la quota compreso tra 0 e 9999.");
    // Only a malformed Est Media stops the editor; doubtful values are the booklet check's business.
    CControlloLibretto controllo(nullptr, &libretto, stazioni, nullptr, nullptr);
    if (controllo.ControlloEstMedia(d.estMedia) == 11)
        return Errore(u"Inserire un valore per l'est.media intero compreso tra -999999 e 9999999");
    const WString tipo = d.scelta ? d.scelta->codice : WString();
    const int esito = ControlloTipoAggiornamento(tipo, libretto.m_TipoLibretto == 1);
    if (esito == 112)
        return Errore(u"Tipologia di atto di aggiornamento non compatibile con la modesta entità");
    if (esito == 115)
        return Errore(u"Tipologia di atto di aggiornamento non compatibile con la natura standard");
    return std::nullopt;
}

void SalvaRiga9(const CDatiRiga9& d, CRig9& riga) {
    riga.SetLblMater(d.nota);
    riga.SetDatoRea1(DoubleDaCString(d.quota));
    riga.SetLblNome1(d.estMedia);
    riga.SetDatoInt1(d.lineare100 ? 100 : 10);
    riga.SetDatoInt2(d.angolare100 ? 100 : 20);
    if (d.scelta) {
        riga.SetLblNome2(d.scelta->codice);
        riga.SetCaso(d.scelta->caso == u"*" ? WString() : d.scelta->caso);
    }
}
