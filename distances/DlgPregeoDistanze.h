// "Distanze": the distances of the booklet's map extract, their import and their verification.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Gps.h"
#include "hostapi/Grid.h"
#include "hostapi/TotalStation.h"

class CDlgPregeoDistanze : public CExDialog {
public:
    explicit CDlgPregeoDistanze(CWnd* parent);
    void Imposta(CCts* libretto, CLibGps* gps, CLibCmp* stazioni) {
        m_pCts = libretto;
        m_pGps = gps;
        m_pCmp = stazioni;
    }
    BOOL OnInitDialog() override;
    // True once an import has written distances: they stay, whatever way the dialog ends.
    bool IsModificato() const { return m_Modificato; }

protected:
    void OnVerifica();
    void OnImporta();
    void OnFine();
    DECLARE_MESSAGE_MAP()

private:
    void RiempiGriglia();

    CCts* m_pCts = nullptr;
    CLibGps* m_pGps = nullptr;
    CLibCmp* m_pCmp = nullptr;
    bool m_Modificato = false;
    CCEGridCtrl m_Griglia;
    CColButton m_Verifica;
    CColButton m_Importa;
    CColButton m_Fine;
};
