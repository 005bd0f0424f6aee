// The records found, at most 100, each with its tick: "Importa" keeps the ticked ones.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"
#include "pfimport/TafElenco.h"

#include <vector>

// Rows the grid can show; records beyond them can be neither seen nor imported.
constexpr int MAX_RIGHE_GRIGLIA_PF = 100;

class CDlgPregeoRiga8ImportGrid : public CExDialog {
public:
    // On OK the list holds the ticked records, in row order.
    CDlgPregeoRiga8ImportGrid(CWnd* parent, std::vector<CTafPunto*>& punti);
    BOOL OnInitDialog() override;

protected:
    void OnSelTutti();
    void OnDeselTutti();
    void OnImporta();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    void Spunta(BOOL spuntata);

    std::vector<CTafPunto*>& m_Punti;
    CCEMSGridCtrl m_Griglia;
};
