// The row 8 editor: the list "Righe 8" over the orientation-point library, and the point dialog "Riga 8",
// three steps (type, planimetry, altimetry) over a working copy of the point. The list changes the
// library at once; the point dialog writes into the point only on OK of its last step.
#pragma once

#include "editors/DatiRiga8.h"
#include "editors/ElencoRighe.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"

#include <optional>

// A step of "Riga 8": a page over the dialog's frame that works on the dialog's working point.
class CDlgPregeoRiga8Pagina : public CExDialog {
public:
    void ImpostaPunto(COri* punto) { m_pPunto = punto; }
    // Stores the controls into the working point.
    virtual void SalvaInPunto() = 0;
    // Loads the controls from the working point.
    virtual void CaricaDaPunto() = 0;
    // Checks the page; false (after saying why) keeps the step shown.
    virtual bool Valida() = 0;

protected:
    CDlgPregeoRiga8Pagina(UINT idTemplate, CWnd* parent);
    bool Accetta(const std::optional<CRifiuto>& rifiuto);

    COri* m_pPunto = nullptr;
};

class CDlgPregeoRiga8Tipo : public CDlgPregeoRiga8Pagina {
public:
    explicit CDlgPregeoRiga8Tipo(CWnd* parent);
    BOOL OnInitDialog() override;
    void SalvaInPunto() override;
    void CaricaDaPunto() override;
    bool Valida() override;

protected:
    void OnFiduciale();
    void OnUtente();
    void OnTipoUtente(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    CDatiTipo Dati() const;
    // Checks the radio of the user type (none for -1) and enables or disables the four.
    void MostraTipoUtente(short tipo, bool abilita);

    CCEEditKeybTxt m_Nome;
};

class CDlgPregeoRiga8Plan : public CDlgPregeoRiga8Pagina {
public:
    explicit CDlgPregeoRiga8Plan(CWnd* parent);
    BOOL OnInitDialog() override;
    void SalvaInPunto() override;
    void CaricaDaPunto() override;
    bool Valida() override;

protected:
    void OnValido();
    void OnRiferimento();
    DECLARE_MESSAGE_MAP()

private:
    CDatiPlan Dati() const;
    void Abilita();

    bool m_Caricamento = false;
    CCEEditKeybTxt m_Nome;
    CCEEditKeybNum m_Nord;
    CCEEditKeybNum m_Est;
    CCEBaseKeybCombo m_Attendib;
    CCEEditKeybTxt m_Nota;
    CCEEditKeybNum m_Anno;
    CCEEditKeybNum m_Protocollo;
    CCEEditKeybNum m_Identif;
};

class CDlgPregeoRiga8Alt : public CDlgPregeoRiga8Pagina {
public:
    explicit CDlgPregeoRiga8Alt(CWnd* parent);
    BOOL OnInitDialog() override;
    void SalvaInPunto() override;
    void CaricaDaPunto() override;
    bool Valida() override;

protected:
    void OnValido();
    DECLARE_MESSAGE_MAP()

private:
    CDatiAlt Dati() const;
    void Abilita();

    CCEEditKeybTxt m_Nome;
    CCEEditKeybNum m_Quota;
    CCEBaseKeybCombo m_Attendib;
    CCEEditKeybTxt m_Nota;
};

class CDlgPregeoRiga8Punto : public CExDialog {
public:
    explicit CDlgPregeoRiga8Punto(CWnd* parent);
    void Imposta(COri* punto) { m_pPunto = punto; }
    BOOL OnInitDialog() override;

protected:
    void OnIndietro();
    void OnAvanti();
    DECLARE_MESSAGE_MAP()

private:
    static constexpr int PASSI = 3;
    CDlgPregeoRiga8Pagina& Pagina(int passo);
    void MostraPasso(int passo);

    COri* m_pPunto = nullptr;
    COri m_Copia;
    int m_Passo = -1;
    CDlgPregeoRiga8Tipo m_Tipo;
    CDlgPregeoRiga8Plan m_Plan;
    CDlgPregeoRiga8Alt m_Alt;
};

class CDlgPregeoRiga8 : public CDlgElencoRighe {
public:
    explicit CDlgPregeoRiga8(CWnd* parent);
    // The host interface, which "Importa" hands on; the list asks it for the orientation points here.
    void Imposta(ICarviloDati* dati);

protected:
    void Riempi() override;
    void Modifica(int riga) override;
    void EliminaElemento(LPARAM elemento) override;
    void Aggiungi() override;
    void OnImporta();
    DECLARE_MESSAGE_MAP()

private:
    bool ModificaPunto(COri* punto);

    ICarviloDati* m_pDati = nullptr;
    CLibConOri* m_pLibreria = nullptr;
};
