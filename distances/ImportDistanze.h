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

    // The lines of the list into the map extract: those whose two points the survey names, complete,
    // through the duplicate rule. The number of distances written.
    int AggiungiDistanze(CDisElenco& elenco, const CElencoPFRilievo& rilievo, bool web);
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
