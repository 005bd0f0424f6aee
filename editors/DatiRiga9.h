// Row 9 (the closing row) as its editor sees it: the update-type table, the choice shown on opening,
// the checks made on OK and the writing back into the booklet. Plain code: the dialog calls it.
#pragma once

#include "editors/DatiRiga0.h"
#include "hostapi/Booklet.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"

#include <memory>
#include <optional>
#include <vector>

// A line of "Support\TipoAggTessaro.dat": code|text|"*" or description|case or "*".
struct CTipoAggiornamento {
    WString codice;
    WString testo;
    WString descrizione;
    WString caso;
    bool IsPrincipale() const { return descrizione == u"*"; }
};

// One line as read, line end included. Empty fields collapse; fields after the fourth are ignored.
CTipoAggiornamento TipoAggiornamentoDaRiga(WString riga);
// The entry of a legible line, or nothing when the line lacks one of the four fields.
std::optional<CTipoAggiornamento> VoceTipoAggiornamento(const WString& riga);

// The two lists of the table, in file order: main update types, and the sub-cases of the automatic
// update. The entries stay where they are for the table's lifetime (combo items point at them).
class CTipiAggiornamento {
public:
    // False when the file cannot be read (the lists stay empty). Lines no entry can be made of are left
    // out and counted.
    bool Leggi(const WString& percorso);
    bool Carica(); // from the host's support folder
    int GetRigheScartate() const { return m_Scartate; }
    void Aggiungi(const CTipoAggiornamento& voce);
    const std::vector<std::unique_ptr<CTipoAggiornamento>>& Principali() const { return m_Principali; }
    const std::vector<std::unique_ptr<CTipoAggiornamento>>& Automatici() const { return m_Automatici; }

private:
    std::vector<std::unique_ptr<CTipoAggiornamento>> m_Principali;
    std::vector<std::unique_ptr<CTipoAggiornamento>> m_Automatici;
    int m_Scartate = 0;
};

// Which entries the editor opens on for a stored code and case: an index of the main list (-1 when it
// is empty) and, when the main choice is its last entry, an index of the sub-cases (-1: the first).
struct CSceltaTipoAgg {
    int principale = -1;
    int automatico = -1;
};
CSceltaTipoAgg SceltaIniziale(const CTipiAggiornamento& tipi, const WString& codice, const WString& caso);

// True when "Calcola" has something to average: a point not coded NP with an East.
bool IsEstMediaCalcolabile(const CLibConOri* punti);
// The quota shown on opening: its absolute value without decimals.
WString QuotaDaMostrare(double quota);

inline constexpr const char16_t* TITOLO_RIGA9 = u"Pregeo";

struct CDatiRiga9 {
    WString quota;
    WString estMedia;
    WString nota;
    bool lineare100 = false;
    bool angolare100 = false;
    const CTipoAggiornamento* scelta = nullptr; // none when the table is empty
};

// The first failing check, or nothing when the row may be saved.
std::optional<CRifiuto> ValidaRiga9(const CDatiRiga9& dati, CCts& libretto, CLibCmp* stazioni);
void SalvaRiga9(const CDatiRiga9& dati, CRig9& riga);
