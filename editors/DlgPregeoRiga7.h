// The row 7 editor: the list "Righe 7" over the booklet's row 7 view and the particle editor "Riga 7"
// with its pages "Poligonale" (particle data) and "Segmenti" (colour and line type of each segment).
// The editor works on a copy of the row; OK puts the copy in the row's place.
#pragma once

#include "editors/DatiRiga7.h"
#include "editors/ElencoRighe.h"
#include "editors/Rilievo.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

class CDlgPregeoRiga7Particella : public CExDialog {
public:
    explicit CDlgPregeoRiga7Particella(CWnd* parent);
    BOOL OnInitDialog() override;
    void Carica(const CRig& riga);
    void Salva(CRig& riga) const;
    void Abilita(bool abilita);

private:
    CCEEditKeybTxt m_Particella;
    CCEEditKeybTxt m_Madre;
    CEdit m_SupCart;
    CCEEditKeybNum m_SupCens;
};

class CDlgPregeoRiga7Segmenti : public CExDialog {
public:
    explicit CDlgPregeoRiga7Segmenti(CWnd* parent);
    BOOL OnInitDialog() override;
    // Shows the first segment of the row; the page keeps the row to walk it.
    void Carica(CRig& riga);
    // Stores the shown segment's codes.
    void Salva();
    void Abilita(bool abilita);

protected:
    void OnIndietro();
    void OnAvanti();
    DECLARE_MESSAGE_MAP()

private:
    void MostraSegmento();

    CSegmentiRiga7 m_Segmenti;
    bool m_Abilitata = true;
    CComboBox m_Colore;
    CComboBox m_Linea;
};

class CDlgPregeoRiga7 : public CExDialog {
public:
    explicit CDlgPregeoRiga7(CWnd* parent);
    // The row edited and the survey whose names the isolated point's combo offers.
    void Imposta(CRig* riga, const CRilievo& rilievo) {
        m_pRiga = riga;
        m_Rilievo = rilievo;
    }
    BOOL OnInitDialog() override;

protected:
    void OnPoligonale();
    void OnIsolato();
    void OnTab(NMHDR* nm, LRESULT* result);
    void OnOk();
    DECLARE_MESSAGE_MAP()

private:
    void ImpostaModo(bool isolato);
    void MostraPagina(int pagina);
    void SalvaPagina();

    CRig* m_pRiga = nullptr;
    CRilievo m_Rilievo;
    CRig m_Copia;
    int m_Pagina = -1;
    CDlgPregeoRiga7Particella m_Particella;
    CDlgPregeoRiga7Segmenti m_Segmenti;
    CTabCtrl m_Tab;
    CCEBaseKeybCombo m_Punto;
};

class CDlgPregeoRighe7 : public CDlgElencoRighe {
public:
    explicit CDlgPregeoRighe7(CWnd* parent);
    void Imposta(CCts* libretto, ICarviloDati* dati) {
        m_pCts = libretto;
        m_pDati = dati;
    }

protected:
    void Riempi() override;
    void Modifica(int riga) override;
    void EliminaElemento(LPARAM elemento) override;

private:
    CCts* m_pCts = nullptr;
    ICarviloDati* m_pDati = nullptr;
};
