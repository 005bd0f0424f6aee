// "Risultati tolleranze" of the survey-object surfaces: one grid row per judged row 7.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"
#include "tolerance/GrigliaRisultati.h"
#include "tolerance/TollOggRilSup.h"

#include <vector>

class CDlgPregeoRisSuperfici : public CExDialog {
public:
    explicit CDlgPregeoRisSuperfici(CWnd* parent);
    // The findings shown; the caller keeps them for as long as the dialog runs.
    void SetRisultati(const std::vector<CRisSuperficie>* risultati) { m_pRisultati = risultati; }
    BOOL OnInitDialog() override;

protected:
    void OnEsci();
    DECLARE_MESSAGE_MAP()

private:
    const std::vector<CRisSuperficie>* m_pRisultati = nullptr;
    CImmaginiEsiti m_Immagini;
    CCEGridCtrl m_Griglia;
    CColButton m_Esci;
};
