// Importing cadastral distances into the booklet's map extract, from a .dis file or from the TAF web
// service. Plain code: the dialog "Importa distanze" gathers the choices, calls it and shows the outcome.
#pragma once

#include "distances/DisElenco.h"
#include "hostapi/Booklet.h"
#include "hostapi/Dialog.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"
#include "pfimport/ElencoPFRilievo.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

inline constexpr const char16_t* TITOLO_DISTANZE = u"Pregeo";

// Answers to a distance the booklet already holds.
constexpr int DUPLICATO_AGGIORNA = 0;
constexpr int DUPLICATO_AGGIUNGI = 1;
constexpr int DUPLICATO_ANNULLA = 2;

// What an import ends with: whether it wrote distances, and the message that says so.
struct CEsitoImport {
    bool importato = false;
    WString testo;
    UINT icona = MB_ICONEXCLAMATION;
};

// What one import met on its way, for the message it ends with.
struct CResocontoImport {
    // The distances written into the booklet, each once however many lines wrote it.
    std::set<const CCtsDistanza*> scritte;
    // Lines of points of the survey left out because their distance is zero or negative.
    int nonPositive = 0;
    // A duplicate answered "Annulla importazione punto" for all.
    bool annullata = false;

    // From the web: the service's address; the platform's cause that stopped the import (ERROR_SUCCESS
    // when every pair was asked); requests answered with an HTTP error, by status; answers that are no
    // distance answer; requests that got no answer, by cause.
    WString server;
    DWORD interrotta = ERROR_SUCCESS;
    std::map<DWORD, int> statiHttp;
    int nonValide = 0;
    std::map<DWORD, int> senzaRisposta;

    // Notes a request that gave no answer to read (`errore` and `stato` as the request reports them).
    // False when the service cannot be reached: then no further pair is asked.
    bool NotaRichiesta(DWORD errore, DWORD stato);
    bool HaFallimenti() const;
};

// A platform cause that means the service cannot be reached at all, rather than a request that went
// wrong: no connection, connection refused, unknown server name, no answer in time.
bool IsServerIrraggiungibile(DWORD errore);

// The message an import ends with: how many distances it wrote (or that it found none), then what went
// wrong on the way, naming the server.
CEsitoImport EsitoImport(const CResocontoImport& resoconto);

// Asks the user about a duplicate: the description of the distance held, the answer shown first and
// the apply-to-all box; it leaves the user's choice in both.
using ChiediDuplicato = std::function<void(const WString& descrizione, int& risposta, bool& tutti)>;

// The .dis files of a folder (ending with a separator), by name without the extension, in the order the
// platform lists them.
std::vector<WString> ElencoFileDis(const WString& cartella);

// One per opening of "Importa distanze": the duplicate answer and its apply-to-all flag hold across the
// imports made from it.
class CImportDistanze {
public:
    CImportDistanze(CCts* libretto, CLibGps* gps, CLibCmp* stazioni, ChiediDuplicato chiedi);

    // The chosen file of the folder's list (an empty name when none is chosen).
    CEsitoImport ImportaFile(const WString& cartella, int numeroFile, const WString& nome);
    // Every pair of the survey's fiducial points, one query each, after the host's connection check
    // (which may show its own window over `parent`).
    CEsitoImport ImportaWeb(CWnd* parent);

    // The lines of the list into the map extract: those whose two points the survey names, complete and
    // with a distance above zero, through the duplicate rule. What was written, and what was left out,
    // goes into the account.
    void AggiungiDistanze(CDisElenco& elenco, const CElencoPFRilievo& rilievo, bool web,
                          CResocontoImport& resoconto);
    // The distance to write a new one into: an existing one, a new one, or none (skipped).
    CCtsDistanza* TrovaOAggiungi(const CDisDistanza& distanza);

    int GetRisposta() const { return m_Risposta; }
    bool GetTutti() const { return m_Tutti; }

private:
    CCts* m_pCts;
    CLibGps* m_pGps;
    CLibCmp* m_pCmp;
    ChiediDuplicato m_Chiedi;
    int m_Risposta = DUPLICATO_AGGIORNA;
    bool m_Tutti = false;
};
