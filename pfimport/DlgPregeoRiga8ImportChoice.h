// The question for a fiducial point that the orientation points already hold.
#pragma once

#include "hostapi/Controls.h"

class CDlgPregeoRiga8ImportChoice : public CExDialog {
public:
    // The answer preselected (0 update, 1 add, 2 skip) and the apply-to-all flag; both are kept unless
    // OK stores new ones.
    CDlgPregeoRiga8ImportChoice(CWnd* parent, const WString& nome, int risposta, bool tutti);
    BOOL OnInitDialog() override;
    int GetRisposta() const { return m_Risposta; }
    bool GetTutti() const { return m_Tutti; }

protected:
    void OnOk();
    DECLARE_MESSAGE_MAP()

private:
    WString m_Nome;
    int m_Risposta;
    bool m_Tutti;
};
