// "Risultati tolleranze" of the alignment tolerance: one grid row per finding, its text below the grid.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"

#include <memory>
#include <vector>

// One finding: the row 5's 1-based position in the rows 4,5 array, its row type ("5"), always an error,
// kind 61 prolungamento or 62 squadro, and the full text.
struct CRisultatoToll {
    int riga;
    WString tipoRiga;
    bool errore;
    int tipo;
    WString descrizione;
};

class CDlgPregeoRisToll : public CExDialog {
public:
    explicit CDlgPregeoRisToll(CWnd* parent);

    void AddRisultato(int rowNumber, WString rowType, bool isError, int kind, WString description);
    int GetNumRisultati() const { return static_cast<int>(m_Risultati.size()); }
    const CRisultatoToll& GetRisultatoAt(int i) const { return *m_Risultati.at(static_cast<std::size_t>(i)); }

    BOOL OnInitDialog() override;

protected:
    void OnSelezione(NMHDR* nm, LRESULT* result);
    void OnEsci();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::unique_ptr<CRisultatoToll>> m_Risultati;
    CCEGridCtrl m_Griglia;
    CColButton m_Esci;
};
