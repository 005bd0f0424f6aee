// "Riga 0": the booklet header editor, a tab dialog with the pages "Archivio" and "Tecnico".
#pragma once

#include "editors/DatiRiga0.h"
#include "hostapi/Booklet.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

#include <vector>

class CDlgPregeoRiga0Archivio : public CExDialog {
public:
    explicit CDlgPregeoRiga0Archivio(CWnd* parent);
    BOOL OnInitDialog() override;
    // Fills the page; how it read its support files is added to `supporto`.
    void Carica(const CCts& libretto, std::vector<CFileSupportoLetto>& supporto);
    CDatiArchivio Leggi() const;

protected:
    void OnProvinciaCambiata();
    DECLARE_MESSAGE_MAP()

private:
    bool CaricaComuni(const WString& provincia);

    CComboBox m_Tipo;
    CCEEditKeybNum m_Giorno;
    CCEEditKeybNum m_Mese;
    CCEEditKeybNum m_Anno;
    CCEEditKeybTxt m_Protocollo;
    CCEBaseKeybCombo m_Provincia;
    CCEBaseKeybCombo m_Comune;
    CCEEditKeybTxt m_Foglio;
    CCEEditKeybTxt m_Mappale;
    // Codes parallel to the two combos, index for index.
    std::vector<WString> m_CodiciProvince;
    std::vector<WString> m_CodiciComuni;
};

class CDlgPregeoRiga0Tecnico : public CExDialog {
public:
    explicit CDlgPregeoRiga0Tecnico(CWnd* parent);
    BOOL OnInitDialog() override;
    void Carica(const CCts& libretto);
    CDatiTecnico Leggi() const;

private:
    CCEEditKeybTxt m_Nome;
    CCEEditKeybTxt m_Cognome;
    CCEBaseKeybCombo m_Qualifica;
    CCEEditKeybTxt m_Iscrizione;
    CCEEditKeybTxt m_CodiceFiscale;
    CCEBaseKeybCombo m_Provincia;
};

class CDlgPregeoRiga0 : public CExDialog {
public:
    explicit CDlgPregeoRiga0(CWnd* parent);
    // The booklet edited; it must be set before the dialog runs.
    void Imposta(CCts* libretto) { m_pCts = libretto; }
    BOOL OnInitDialog() override;

protected:
    void OnOk();
    void OnAnnulla();
    void OnTab(NMHDR* nm, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void MostraPagina(int pagina);

    CCts* m_pCts = nullptr;
    CDlgPregeoRiga0Archivio m_Archivio;
    CDlgPregeoRiga0Tecnico m_Tecnico;
    CTabCtrl m_Tab;
    CColButton m_Ok;
    CColButton m_Annulla;
    int m_Pagina = -1;
};
