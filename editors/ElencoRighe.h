// The row lists of the booklet editors ("Righe 3", "Righe 4 e 5", "Righe 7", "Righe 8") share one
// pattern, kept here once:
//
// - a grid made over the hidden frame IDC_ELENCO_CORNICE, one fixed heading row, single-row selection;
//   columns "N." (line number), "Sel." (check box), "Mod." (the edit marker, image 1 of
//   "IconaModifica.bmp", 16 x 16 pixels times the screen multiplier, red transparent), then the data
//   columns the list names; widths times CPalmDevice::GetResMultiplier, then sized to the contents;
//   "Sel." and "Mod." cells white, the others pale yellow;
// - "Tutto" (or "Tutte", IDC_ELENCO_TUTTO) turns every box to the opposite of the first line's box, and
//   does nothing on an empty list;
// - "Elimina" (IDC_ELENCO_ELIMINA) walks the lines from the last to the first, asks its question once at
//   the first ticked line (Yes/No, title "Pregeo"), and on Yes hands each ticked line's item to the
//   list and deletes the line; then the lines are renumbered (a list may refill instead);
// - a tap on a cell showing the edit marker asks the list to edit that line;
// - "Aggiungi" (IDC_ELENCO_AGGIUNGI), where the template has it, asks the list to add;
// - "Fine" (IDC_ELENCO_FINE) closes with OK.
//
// Using it: derive from CDlgElencoRighe, give the constructor the first template id, the deletion
// question and the data columns, and supply Riempi (one AggiungiRiga per item), Modifica and
// EliminaElemento; override Aggiungi and DopoEliminazione where the list needs them. Each line carries
// the caller's item (a pointer as LPARAM); the class never looks into it. Lines are grid rows: the
// heading is row 0, line n is row n, as grid notifications count them. A derived handler table chains
// to this one, so a list adds its own buttons (e.g. "Importa") in its own table.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"
#include "hostapi/WString.h"

#include <vector>

struct CColonnaElenco {
    WString titolo;
    int larghezza = 60; // pixels at multiplier 1
};

class CDlgElencoRighe : public CExDialog {
public:
    // The columns before the caller's and the edit marker.
    static constexpr int COL_NUMERO = 0;
    static constexpr int COL_SEL = 1;
    static constexpr int COL_MOD = 2;
    static constexpr int COL_DATI = 3; // the first data column
    static constexpr int IMMAGINE_MODIFICA = 1;

    BOOL OnInitDialog() override;

protected:
    // `idTemplate` is the first of the four variants.
    CDlgElencoRighe(UINT idTemplate, CWnd* parent, const WString& domandaElimina,
                    std::vector<CColonnaElenco> colonne);

    // Fills the empty grid (OnInitDialog ends with it).
    virtual void Riempi() = 0;
    virtual void Modifica(int riga) = 0;
    // Takes one ticked line's item out of the data; called from the last ticked line to the first.
    virtual void EliminaElemento(LPARAM elemento) = 0;
    virtual void DopoEliminazione() { Rinumera(); }
    virtual void Aggiungi() {}

    // A new line with the item and the data columns' texts, at the end or before grid row `riga`
    // (the lines after it are renumbered); its row.
    int AggiungiRiga(LPARAM elemento, const std::vector<WString>& dati, int riga = -1);
    void ScriviDati(int riga, const std::vector<WString>& dati);
    LPARAM Elemento(int riga) const;
    int NumeroRighe() const;
    // The selected line's row, -1 when none.
    int RigaSelezionata() const;
    bool IsSpuntata(int riga) const;
    void Svuota();
    void Rinumera();
    void AdattaColonne();
    CCEGridCtrl& Griglia() { return m_Griglia; }

    void OnTutto();
    void OnElimina();
    void OnAggiungi();
    void OnFine();
    void OnTocco(NMHDR* nm, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    WString m_Domanda;
    std::vector<CColonnaElenco> m_Colonne;
    CCEGridCtrl m_Griglia;
    CImageList m_Immagini;
};
