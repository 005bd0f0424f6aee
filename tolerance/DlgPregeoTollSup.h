// "Tolleranza Superfici": the picked row's names and computed surface beside its census surface and
// nature, which the user may correct; every change of either shows the bounds and the outcome at once.
// Nothing goes back into the row.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

class CDlgPregeoTollSup : public CExDialog {
public:
    explicit CDlgPregeoTollSup(CWnd* parent);
    void SetRiga(CRig* riga);
    BOOL OnInitDialog() override;

protected:
    void OnSupCens();
    void OnNatura();
    void OnEsci();
    DECLARE_MESSAGE_MAP()

private:
    void Valuta();

    CRig* m_pRiga = nullptr;
    short m_Natura = 0;
    WString m_TestoCens;
    CCEEditKeybTxt m_Particella;
    CCEEditKeybTxt m_Madre;
    CCEEditKeybNum m_SupCart;
    CCEEditKeybNum m_SupCens;
    CCEEditKeybNum m_SupNeg;
    CCEEditKeybNum m_SupPos;
    CCEBaseButton m_Nominale;
    CCEBaseButton m_Reale;
    CStatic m_Esito;
    CColButton m_Esci;
};
