// "Riga 9": the editor of the booklet's closing row.
#pragma once

#include "editors/DatiRiga9.h"
#include "hostapi/Booklet.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/TotalStation.h"

class CDlgPregeoRiga9 : public CExDialog {
public:
    explicit CDlgPregeoRiga9(CWnd* parent);
    // The booklet edited and the total-station data whose orientation points "Calcola" averages; both
    // must be set before the dialog runs.
    void Imposta(CCts* libretto, CLibCmp* stazioni) {
        m_pCts = libretto;
        m_pLibCmp = stazioni;
    }
    BOOL OnInitDialog() override;

protected:
    void OnTipoAggCambiato();
    void OnAggAutoCambiato();
    void OnCalcola();
    void OnOk();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    bool IsUltimoTipoScelto() const;
    const CTipoAggiornamento* VoceScelta() const;

    CCts* m_pCts = nullptr;
    CLibCmp* m_pLibCmp = nullptr;
    CTipiAggiornamento m_Tipi;
    CCEEditKeybNum m_Quota;
    CCEEditKeybNum m_EstMedia;
    CColButton m_Calcola;
    CComboBox m_PrecLin;
    CComboBox m_PrecAng;
    CCEEditKeybTxt m_Nota;
    CComboBox m_TipoAgg;
    CComboBox m_AggAuto;
    CStatic m_Descrizione;
    CColButton m_Ok;
    CColButton m_Annulla;
};
