// "Risultati tolleranze" of the survey-object distances: one internal point at a time against the side and
// the external point; the button steps to the next internal point and closes after the last.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"
#include "hostapi/Points.h"

#include <vector>

class CDlgPregeoRisOggRilDist : public CExDialog {
public:
    explicit CDlgPregeoRisOggRilDist(CWnd* parent);
    // P.Fid1, P.Fid2, P.Esterno, then the internal points; the caller keeps them for the dialog's run.
    void SetDati(ICarviloDati* host, const std::vector<CEgn*>& punti);
    BOOL OnInitDialog() override;

    // Shows the next internal point; false when every one has been shown.
    bool MostraSuccessivo();

protected:
    void OnEsci();
    DECLARE_MESSAGE_MAP()

private:
    ICarviloDati* m_pHost = nullptr;
    CEgn* m_pFid1 = nullptr;
    CEgn* m_pFid2 = nullptr;
    CEgn* m_pEsterno = nullptr;
    std::vector<CEgn*> m_Interni;
    std::size_t m_Prossimo = 0;
    CCEGridCtrl m_Griglia;
    CColButton m_Esci;
};
