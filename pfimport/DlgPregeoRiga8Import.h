// "Importazione punti fiduciali", the choice dialog: source, province, municipality and the way of
// importing. Each import button saves the choices and ends the dialog with its code.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

#include <vector>

class CDlgPregeoRiga8Import : public CExDialog {
public:
    CDlgPregeoRiga8Import(CWnd* parent, ICarviloDati* dati);
    // Undoes a province forced onto the GPS coordinate conversion (of the GPS data taken when the dialog
    // opened).
    ~CDlgPregeoRiga8Import() override;
    BOOL OnInitDialog() override;

protected:
    void OnSorgente(UINT id);
    void OnSfoglia();
    void OnProvincia();
    void OnImpAuto();
    void OnVicini();
    void OnElenco();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    // False when the host's table of municipalities could not be read.
    bool CaricaComuni(const WString& provincia, const WString* scelto);
    void AggiornaSfoglia();
    void SalvaEChiudi(int codice);

    ICarviloDati* m_pDati;
    CLibGps* m_pLibGps = nullptr; // whose conversion the closing restores
    std::vector<WString> m_Province;
    std::vector<WString> m_Comuni;
    CEdit m_Percorso;
    CColButton m_Sfoglia;
    CCEBaseKeybCombo m_Provincia;
    CCEBaseKeybCombo m_Comune;
};
