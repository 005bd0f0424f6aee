// "Risultati tolleranze" of the stations outside the fiducial mesh: one grid row per station and side.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"
#include "tolerance/GrigliaRisultati.h"
#include "tolerance/TollStazFuoriTriang.h"

#include <vector>

class CDlgPregeoRisStazioni : public CExDialog {
public:
    explicit CDlgPregeoRisStazioni(CWnd* parent);
    // The findings shown; the caller keeps them for as long as the dialog runs.
    void SetRisultati(const std::vector<CRisStazione>* risultati) { m_pRisultati = risultati; }
    BOOL OnInitDialog() override;

protected:
    void OnEsci();
    DECLARE_MESSAGE_MAP()

private:
    const std::vector<CRisStazione>* m_pRisultati = nullptr;
    CImmaginiEsiti m_Immagini;
    CCEGridCtrl m_Griglia;
    CColButton m_Esci;
};
