// The rows 4 and 5 editor: the list "Righe 4 e 5", the type choice "Nuova riga 4 o 5", and the editors
// "Riga 4" and "Riga 5". The list works straight on the booklet's rows 4 and 5 view.
#pragma once

#include "editors/DatiRighe45.h"
#include "editors/ElencoRighe.h"
#include "editors/Rilievo.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

#include <optional>

class CDlgPregeoRiga4 : public CExDialog {
public:
    explicit CDlgPregeoRiga4(CWnd* parent);
    // The row edited (its kind decides the fields) and the survey its name lists come from.
    void Imposta(CRig* riga, const CRilievo& rilievo) {
        m_pRiga = riga;
        m_Rilievo = rilievo;
    }
    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    void OnNotaCambiata();
    void OnStrumentale();
    void OnOk();
    DECLARE_MESSAGE_MAP()

private:
    CRig* m_pRiga = nullptr;
    CRilievo m_Rilievo;
    char m_Spec = SPEC_STANDARD;
    CCEBaseKeybCombo m_Nome1;
    CCEBaseKeybCombo m_Nome2;
    CCEEditKeybNum m_Valore1;
    CCEEditKeybNum m_Valore2;
    CButton m_Strumentale;
    CCEEditKeybTxt m_Nota;
};

// Edits the row itself: distance and offset reach the row as they are typed, so that its coordinates
// show at once; Cancel (or the close box) puts back what the row held.
class CDlgPregeoRiga5 : public CExDialog {
public:
    explicit CDlgPregeoRiga5(CWnd* parent);
    void Imposta(CRig* riga, const CRilievo& rilievo) {
        m_pRiga = riga;
        m_Rilievo = rilievo;
    }
    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    void OnDistanzaCambiata();
    void OnSquadroCambiato();
    void OnOk();
    DECLARE_MESSAGE_MAP()

private:
    bool IsStandard() const { return m_pRiga && m_pRiga->GetSpecRiga() == SPEC_STANDARD; }
    void Ricalcola();

    CRig* m_pRiga = nullptr;
    CRilievo m_Rilievo;
    std::optional<CCopiaRiga5> m_Copia;
    bool m_Caricamento = false;
    CCEEditKeybTxt m_Punto;
    CCEEditKeybNum m_Valore1;
    CCEEditKeybNum m_Squadro;
    CCEEditKeybTxt m_Nota;
};

// Chooses the kind of a new row and runs its editor; ends with OK when the editor does.
class CDlgPregeoNuovaRiga45 : public CExDialog {
public:
    explicit CDlgPregeoNuovaRiga45(CWnd* parent);
    void Imposta(CNuovaRiga45* nuova, const CRilievo& rilievo, bool righe5 = true) {
        m_pNuova = nuova;
        m_Rilievo = rilievo;
        m_Righe5 = righe5;
    }
    BOOL OnInitDialog() override;

protected:
    void OnOk();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    CNuovaRiga45* m_pNuova = nullptr;
    CRilievo m_Rilievo;
    bool m_Righe5 = true;
};

class CDlgPregeoRighe45 : public CDlgElencoRighe {
public:
    explicit CDlgPregeoRighe45(CWnd* parent);
    // The host interface: the list asks it for the booklet when it opens and for the survey when an
    // editor needs it.
    void Imposta(ICarviloDati* dati) { m_pDati = dati; }
    BOOL OnInitDialog() override;

protected:
    void Riempi() override;
    void Modifica(int riga) override;
    void EliminaElemento(LPARAM elemento) override;
    void DopoEliminazione() override;
    void Aggiungi() override;

private:
    CCtsRigArray* Vista() const { return m_pCts ? &m_pCts->m_Righe45 : nullptr; }

    ICarviloDati* m_pDati = nullptr;
    CCts* m_pCts = nullptr;
};
