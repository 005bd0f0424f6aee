#include "distances/ImportDistanze.h"

#include "hostapi/Conversions.h"
#include "hostapi/FileIO.h"
#include "hostapi/Internet.h"
#include "hostapi/Platform.h"
#include "pfimport/TafRichiesta.h"

namespace {

constexpr const char16_t* kNessunFile = u"Nessun file .dis trovato nella cartella selezionata";
constexpr const char16_t* kNessunaScelta = u"Selezionare un file .dis da importare";
constexpr const char16_t* kErroreFile = u"Errore di importazione dati dal file selezionato";
constexpr const char16_t* kNessunaDistanza = u"Non sono state trovate distanze relative al progetto corrente";
constexpr const char16_t* kAnnullata = u"L'importazione è stata annullata";
constexpr const char16_t* kImportate = u"Sono state importate %d distanze";
constexpr const char16_t* kNonPositive = u"Righe scartate per distanza nulla o negativa: %d";
constexpr const char16_t* kIrraggiungibile =
    u"Il server %s non è raggiungibile (%s): importazione interrotta.";
constexpr const char16_t* kErroreHttp = u"Il server %s ha risposto con errore HTTP %u (richieste: %d).";
constexpr const char16_t* kNonValide = u"Il server %s ha dato risposte non valide (richieste: %d).";
constexpr const char16_t* kSenzaRisposta = u"Nessuna risposta dal server %s (%s; richieste: %d).";

// The service needs a moment after the connection comes up.
constexpr DWORD kAttesaConnessione = 2000;

CEsitoImport Errore(const char16_t* testo) {
    return {false, testo, MB_ICONERROR};
}

// What the person reads as the cause of a request that failed.
WString Causa(DWORD errore) {
    switch (errore) {
    case ERROR_INTERNET_DISCONNECTED:
        return u"nessuna connessione";
    case ERROR_INTERNET_CANNOT_CONNECT:
        return u"connessione non riuscita";
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
        return u"nome non trovato";
    case ERROR_INTERNET_TIMEOUT:
        return u"tempo scaduto";
    case ERROR_INTERNET_CONNECTION_RESET:
        return u"connessione interrotta";
    case ERROR_NOT_ENOUGH_MEMORY:
        return u"risposta troppo grande";
    default:
        return WString::Formatted(u"errore %u", errore);
    }
}

void AccodaRiga(WString& testo, const WString& riga) {
    if (!testo.IsEmpty())
        testo += u"\n";
    testo += riga;
}

bool StessiPunti(const CCtsDistanza& d, const WString& a, const WString& b) {
    return (d.GetNome1() == a && d.GetNome2() == b) || (d.GetNome1() == b && d.GetNome2() == a);
}

} // namespace

bool IsServerIrraggiungibile(DWORD errore) {
    return errore == ERROR_INTERNET_DISCONNECTED || errore == ERROR_INTERNET_CANNOT_CONNECT ||
           errore == ERROR_INTERNET_NAME_NOT_RESOLVED || errore == ERROR_INTERNET_TIMEOUT;
}

bool CResocontoImport::NotaRichiesta(DWORD errore, DWORD stato) {
    if (errore == ERROR_SUCCESS) {
        // Without an error status the service answered nothing, which is an answer.
        if (stato >= 400)
            ++statiHttp[stato];
        return true;
    }
    if (IsServerIrraggiungibile(errore)) {
        interrotta = errore;
        return false;
    }
    if (errore == ERROR_HTTP_INVALID_SERVER_RESPONSE)
        ++nonValide;
    else
        ++senzaRisposta[errore];
    return true;
}

bool CResocontoImport::HaFallimenti() const {
    return interrotta != ERROR_SUCCESS || !statiHttp.empty() || nonValide > 0 || !senzaRisposta.empty();
}

CEsitoImport EsitoImport(const CResocontoImport& r) {
    const int scritte = static_cast<int>(r.scritte.size());
    WString testo;
    if (r.annullata && scritte == 0)
        testo = kAnnullata;
    else if (scritte > 0)
        testo = WString::Formatted(kImportate, scritte);
    else if (!r.HaFallimenti())
        // Only when every request was answered: a failure is no proof that there is nothing.
        testo = kNessunaDistanza;
    if (r.interrotta != ERROR_SUCCESS)
        AccodaRiga(testo, WString::Formatted(kIrraggiungibile, r.server, Causa(r.interrotta)));
    for (const auto& [stato, richieste] : r.statiHttp)
        AccodaRiga(testo, WString::Formatted(kErroreHttp, r.server, stato, richieste));
    if (r.nonValide > 0)
        AccodaRiga(testo, WString::Formatted(kNonValide, r.server, r.nonValide));
    for (const auto& [errore, richieste] : r.senzaRisposta)
        AccodaRiga(testo, WString::Formatted(kSenzaRisposta, r.server, Causa(errore), richieste));
    if (r.nonPositive > 0)
        AccodaRiga(testo, WString::Formatted(kNonPositive, r.nonPositive));
    const UINT icona = scritte == 0 && r.HaFallimenti() ? MB_ICONERROR : MB_ICONEXCLAMATION;
    return {scritte > 0, testo, icona};
}

std::vector<WString> ElencoFileDis(const WString& cartella) {
    std::vector<WString> nomi;
    WIN32_FIND_DATAW dati;
    HANDLE ricerca = FindFirstFileW((cartella + u"*.dis").c_str(), &dati);
    if (ricerca == INVALID_HANDLE_VALUE)
        return nomi;
    do {
        // The pattern matched the extension in any case; the name is what stands before it.
        const WString file(dati.cFileName);
        nomi.push_back(file.Left(file.GetLength() - 4));
    } while (FindNextFileW(ricerca, &dati));
    FindClose(ricerca);
    return nomi;
}

CImportDistanze::CImportDistanze(CCts* libretto, CLibGps* gps, CLibCmp* stazioni, ChiediDuplicato chiedi)
    : m_pCts(libretto), m_pGps(gps), m_pCmp(stazioni), m_Chiedi(std::move(chiedi)) {}

CEsitoImport CImportDistanze::ImportaFile(const WString& cartella, int numeroFile, const WString& nome) {
    if (numeroFile <= 0)
        return Errore(kNessunFile);
    if (nome.IsEmpty())
        return Errore(kNessunaScelta);
    CElencoPFRilievo rilievo(m_pGps, m_pCmp, m_pCts);
    rilievo.Raccogli();
    CDisElenco elenco;
    CWaitThread::GetInstance()->StartWait();
    const bool letto = elenco.CaricaFile(cartella + nome + u".dis");
    CWaitThread::GetInstance()->EndWait();
    if (!letto)
        return Errore(kErroreFile);
    CResocontoImport resoconto;
    AggiungiDistanze(elenco, rilievo, false, resoconto);
    return EsitoImport(resoconto);
}

CEsitoImport CImportDistanze::ImportaWeb(CWnd* parent) {
    CResocontoImport resoconto;
    resoconto.server = IndirizzoServerTaf();
    // The host has said that there is no connection: every request would wait for nothing.
    if (!FDYN_CheckAndShowDialUpConn(parent)) {
        resoconto.interrotta = ERROR_INTERNET_DISCONNECTED;
        return EsitoImport(resoconto);
    }
    Sleep(kAttesaConnessione);
    CElencoPFRilievo rilievo(m_pGps, m_pCmp, m_pCts);
    rilievo.Raccogli();
    CDisElenco elenco;
    bool avanti = true;
    for (int i = 0; avanti && i < rilievo.GetSize(); ++i) {
        const CPezziNomePF primo = PezziNomePF(rilievo.GetAt(i).nome);
        if (primo.comune.IsEmpty() || primo.foglio.IsEmpty() || primo.numero.IsEmpty())
            continue;
        for (int j = i + 1; avanti && j < rilievo.GetSize(); ++j) {
            const CPezziNomePF secondo = PezziNomePF(rilievo.GetAt(j).nome);
            elenco.Svuota();
            CTafRichiesta richiesta;
            richiesta.Codice = primo.comune;
            richiesta.Foglio = primo.foglio;
            richiesta.Pf = primo.numero;
            richiesta.Codice2 = secondo.comune;
            richiesta.Foglio2 = secondo.foglio;
            richiesta.Pf2 = secondo.numero;
            WString risposta;
            CWaitThread::GetInstance()->StartWait();
            const bool risposto = richiesta.RichiestaDistanze(risposta);
            CWaitThread::GetInstance()->EndWait();
            if (!risposto) {
                // A service that cannot be reached is not asked again for each of the other pairs.
                avanti = resoconto.NotaRichiesta(richiesta.GetErrore(), richiesta.GetStatoHttp());
                continue;
            }
            if (!IsRispostaDistanze(risposta)) {
                ++resoconto.nonValide;
                continue;
            }
            elenco.CaricaRispostaWeb(risposta, primo.comune, primo.foglio);
            AggiungiDistanze(elenco, rilievo, true, resoconto);
        }
    }
    // A cancelled duplicate says so only when nothing else was written.
    resoconto.annullata = m_Risposta == DUPLICATO_ANNULLA && m_Tutti;
    return EsitoImport(resoconto);
}

void CImportDistanze::AggiungiDistanze(CDisElenco& elenco, const CElencoPFRilievo& rilievo, bool web,
                                       CResocontoImport& resoconto) {
    elenco.ResetIter();
    while (const CDisRiga* riga = elenco.GetNext()) {
        const CDisDistanza d = web ? DistanzaDaWeb(*riga) : DistanzaDaFile(*riga);
        if (!d.IsCompleta() || rilievo.Trova(d.nome1) < 0 || rilievo.Trova(d.nome2) < 0)
            continue;
        const double distanza = DoubleDaCString(d.distanza);
        // Checked before the duplicate rule, so that nobody is asked about a line that is not written.
        if (distanza <= 0) {
            ++resoconto.nonPositive;
            continue;
        }
        CCtsDistanza* dest = TrovaOAggiungi(d);
        if (!dest)
            continue;
        dest->SetNome1(d.nome1);
        dest->SetNome2(d.nome2);
        dest->SetDistanza(distanza);
        dest->SetSqm(DoubleDaCString(d.sqm));
        dest->SetRifLibretto(d.libretto);
        resoconto.scritte.insert(dest);
    }
}

CCtsDistanza* CImportDistanze::TrovaOAggiungi(const CDisDistanza& distanza) {
    if (!m_pCts)
        return nullptr;
    CLibEstrMap& estratto = m_pCts->m_EstrMap;
    bool trovata = false;
    for (int i = 0; i < estratto.GetDistanzaArSize(); ++i) {
        CCtsDistanza* d = estratto.GetDistanzaAt(i);
        if (d->GetRifLibretto() != distanza.libretto || !StessiPunti(*d, distanza.nome1, distanza.nome2))
            continue;
        trovata = true;
        if (!m_Tutti) {
            m_Risposta = DUPLICATO_AGGIORNA;
            if (m_Chiedi)
                m_Chiedi(d->GetNome1() + u"-" + d->GetNome2() + u" Lib.:" + d->GetRifLibretto(), m_Risposta,
                         m_Tutti);
        }
        if (m_Risposta == DUPLICATO_AGGIORNA)
            return d;
        if (m_Risposta == DUPLICATO_AGGIUNGI)
            return estratto.AddDistanza();
    }
    if (!trovata || m_Risposta != DUPLICATO_ANNULLA)
        return estratto.AddDistanza();
    return nullptr;
}
