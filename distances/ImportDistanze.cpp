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

// The service needs a moment after the connection comes up.
constexpr DWORD kAttesaConnessione = 2000;

CEsitoImport Errore(const char16_t* testo) {
    return {false, testo, MB_ICONERROR};
}

CEsitoImport Conteggio(int scritte) {
    if (scritte > 0)
        return {true, WString::Formatted(kImportate, scritte), MB_ICONEXCLAMATION};
    return {false, kNessunaDistanza, MB_ICONEXCLAMATION};
}

bool StessiPunti(const CCtsDistanza& d, const WString& a, const WString& b) {
    return (d.GetNome1() == a && d.GetNome2() == b) || (d.GetNome1() == b && d.GetNome2() == a);
}

} // namespace

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
    return Conteggio(AggiungiDistanze(elenco, rilievo, false));
}

CEsitoImport CImportDistanze::ImportaWeb(CWnd* parent) {
    FDYN_CheckAndShowDialUpConn(parent);
    Sleep(kAttesaConnessione);
    CElencoPFRilievo rilievo(m_pGps, m_pCmp, m_pCts);
    rilievo.Raccogli();
    CDisElenco elenco;
    int scritte = 0;
    for (int i = 0; i < rilievo.GetSize(); ++i) {
        const CPezziNomePF primo = PezziNomePF(rilievo.GetAt(i).nome);
        if (primo.comune.IsEmpty() || primo.foglio.IsEmpty() || primo.numero.IsEmpty())
            continue;
        for (int j = i + 1; j < rilievo.GetSize(); ++j) {
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
            if (!risposto)
                continue;
            elenco.CaricaRispostaWeb(risposta, primo.comune, primo.foglio);
            scritte += AggiungiDistanze(elenco, rilievo, true);
        }
    }
    // A cancelled duplicate says so only when nothing else was written.
    if (scritte == 0 && m_Risposta == DUPLICATO_ANNULLA && m_Tutti)
        return {false, kAnnullata, MB_ICONEXCLAMATION};
    return Conteggio(scritte);
}

int CImportDistanze::AggiungiDistanze(CDisElenco& elenco, const CElencoPFRilievo& rilievo, bool web) {
    int scritte = 0;
    elenco.ResetIter();
    while (const CDisRiga* riga = elenco.GetNext()) {
        const CDisDistanza d = web ? DistanzaDaWeb(*riga) : DistanzaDaFile(*riga);
        if (!d.IsCompleta() || rilievo.Trova(d.nome1) < 0 || rilievo.Trova(d.nome2) < 0)
            continue;
        CCtsDistanza* dest = TrovaOAggiungi(d);
        if (!dest)
            continue;
        dest->SetNome1(d.nome1);
        dest->SetNome2(d.nome2);
        dest->SetDistanza(DoubleDaCString(d.distanza));
        dest->SetSqm(DoubleDaCString(d.sqm));
        dest->SetRifLibretto(d.libretto);
        ++scritte;
    }
    return scritte;
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
