// "Importa distanze" and the choice it asks for at a distance the booklet already holds.
#pragma once

#include "distances/ImportDistanze.h"
#include "hostapi/Booklet.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"

#include <memory>
#include <vector>

// "Importa punti fiduciali": update the distance held, add a new one, or skip it; optionally for every
// later duplicate.
class CDlgPuntoPresente : public CExDialog {
public:
    CDlgPuntoPresente(CWnd* parent, const WString& descrizione, int risposta, bool tutti);
    BOOL OnInitDialog() override;
    int GetRisposta() const { return m_Risposta; }
    bool GetTutti() const { return m_Tutti; }

protected:
    void OnOk();
    DECLARE_MESSAGE_MAP()

private:
    WString m_Descrizione;
    int m_Risposta;
    bool m_Tutti;
    CColButton m_Ok;
};

class CDlgPregeoImportDistanze : public CExDialog {
public:
    explicit CDlgPregeoImportDistanze(CWnd* parent);
    void Imposta(CCts* libretto, CLibGps* gps, CLibCmp* stazioni) {
        m_pCts = libretto;
        m_pGps = gps;
        m_pCmp = stazioni;
    }
    BOOL OnInitDialog() override;

protected:
    void OnSorgente();
    void OnCambia();
    void OnOk();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    void RiempiFile();
    void ChiediDuplicato(const WString& descrizione, int& risposta, bool& tutti);

    CCts* m_pCts = nullptr;
    CLibGps* m_pGps = nullptr;
    CLibCmp* m_pCmp = nullptr;
    // The duplicate answer lives as long as the dialog is open.
    std::unique_ptr<CImportDistanze> m_Import;
    WString m_Cartella;
    std::vector<WString> m_File;
    CComboBox m_ComboFile;
    CColButton m_Cambia;
    CColButton m_Ok;
    CColButton m_Annulla;
};
