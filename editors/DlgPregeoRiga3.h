// The row 3 editor: the list "Righe 3" over the booklet's row 3 view and the polygon editor "Riga 3".
#pragma once

#include "editors/DatiRiga3.h"
#include "editors/ElencoRighe.h"
#include "editors/Rilievo.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

class CDlgPregeoRiga3 : public CExDialog {
public:
    explicit CDlgPregeoRiga3(CWnd* parent);
    // The row edited and the survey whose names the combo offers.
    void Imposta(CRig* riga, const CRilievo& rilievo) {
        m_pRiga = riga;
        m_Rilievo = rilievo;
    }
    BOOL OnInitDialog() override;

protected:
    void OnVerticeScelto();
    void OnNomeScelto();
    void OnNomeScritto();
    void OnAggiungi();
    void OnInserisci();
    void OnSu();
    void OnGiu();
    void OnElimina();
    void OnOk();
    DECLARE_MESSAGE_MAP()

private:
    // Shows the vertex list and its selection again, and the selected name in the combo.
    void Aggiorna();

    CRig* m_pRiga = nullptr;
    CRilievo m_Rilievo;
    CVerticiRiga3 m_Vertici;
    CListBox m_Lista;
    CCEBaseKeybCombo m_Nome;
};

class CDlgPregeoRighe3 : public CDlgElencoRighe {
public:
    explicit CDlgPregeoRighe3(CWnd* parent);
    // The booklet, and the host interface the editor's name list asks for the survey.
    void Imposta(CCts* libretto, ICarviloDati* dati) {
        m_pCts = libretto;
        m_pDati = dati;
    }

protected:
    void Riempi() override;
    void Modifica(int riga) override;
    void EliminaElemento(LPARAM elemento) override;
    void Aggiungi() override;

private:
    bool ModificaRiga(CRig* riga);

    CCts* m_pCts = nullptr;
    ICarviloDati* m_pDati = nullptr;
};
