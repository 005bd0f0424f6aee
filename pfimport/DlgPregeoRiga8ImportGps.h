// The centre of the near import: the last GPS position or one typed in, and the search radius. OK writes
// the centre in the plane system and the radius into the settings.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

class CDlgPregeoRiga8ImportGps : public CExDialog {
public:
    CDlgPregeoRiga8ImportGps(CWnd* parent, ICarviloDati* dati);
    BOOL OnInitDialog() override;

protected:
    void OnUltima();
    void OnOk();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    ICarviloDati* m_pDati;
    CCEBaseKeybCombo m_Fonte;
    CCEBaseKeybCombo m_Tipo;
    CCEEditKeybNum m_Raggio;
};
