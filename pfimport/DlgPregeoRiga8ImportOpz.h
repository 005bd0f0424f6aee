// The filters of the list import: sheets, reliability threshold, unusable points.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

class CDlgPregeoRiga8ImportOpz : public CExDialog {
public:
    explicit CDlgPregeoRiga8ImportOpz(CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    void OnChkAttendib();
    void OnOk();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    CCEEditKeybTxt m_Fogli;
    CCEEditKeybNum m_Attendib;
};
