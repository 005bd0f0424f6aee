// "Verifica distanze": the results grid and the options page, in comparison mode (results of a
// CVerificaDistanze) or in interval mode (distances that nothing compares with).
#pragma once

#include "distances/VerificaDistanze.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"

#include <memory>
#include <vector>

// The options page: zone, scale and kind of comparison; scale and comparison only in comparison mode.
class CDlgPregeoOpzioniDistanze : public CExDialog {
public:
    explicit CDlgPregeoOpzioniDistanze(CWnd* parent);
    BOOL OnInitDialog() override;
    void Carica(const COpzioniTollDist& opzioni, bool confronto);
    COpzioniTollDist Leggi(const COpzioniTollDist& attuali) const;

private:
    CComboBox m_Scala;
};

class CDlgPregeoVerificaDistanze : public CExDialog {
public:
    CDlgPregeoVerificaDistanze(CWnd* parent, CVerificaDistanze& verifica);
    CDlgPregeoVerificaDistanze(CWnd* parent, std::vector<CIntervalloDistanza>& intervalli);
    ~CDlgPregeoVerificaDistanze() override;
    BOOL OnInitDialog() override;

protected:
    void OnTab(NMHDR* nm, LRESULT* result);
    void OnFine();
    DECLARE_MESSAGE_MAP()

private:
    void Applica();
    void RiempiGriglia();
    void MostraRisultati();
    void MostraOpzioni();

    bool m_Confronto;
    CVerificaDistanze* m_pVerifica = nullptr;
    std::vector<CIntervalloDistanza>* m_pIntervalli = nullptr;
    COpzioniTollDist m_Opzioni;
    bool m_OpzioniMostrate = false;
    CDlgPregeoOpzioniDistanze m_Pagina;
    CTabCtrl m_Tab;
    CCEGridCtrl m_Griglia;
    CImageList m_Esiti;
    std::unique_ptr<CBitmap> m_Bitmap;
    CColButton m_Fine;
};
