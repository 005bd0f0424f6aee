// The CAD view of the selection dialog: a step machine over the host's view, one subclass per tolerance
// type. Each step has its own object builder; ">>" validates the step before the next one starts.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Cad.h"
#include "tolerance/PregeoSelNotify.h"

#include <vector>

class CPregeoCADView : public CViewControlCAD {
public:
    CPregeoCADView(CWnd* segnaposto, ICarviloDati* host) : CViewControlCAD(segnaposto, host, false, true) {}

    virtual int GetNumPassi() { return 0; }
    // Checks the current step's selection; shows the error box and answers false when it does not do.
    virtual bool ValidaPasso() { return false; }
    // Enters a step: its builder replaces the previous one and starts.
    virtual void SetPasso(int passo) { m_Passo = passo; }
    // Appends what the last step's selection gives the caller (see CDlgPregeoVerTolleranza).
    virtual void RiempiRisultato(std::vector<void*>&) {}

    bool Avanti();
    void Indietro();
    int GetPasso() const { return m_Passo; }
    bool IsUltimoPasso() { return m_Passo == GetNumPassi() - 1; }
    void SetNotifica(IPregeoSelNotify* notifica) { m_pNotifica = notifica; }

protected:
    void AvviaBuilder();
    void Errore(const char16_t* testo);

    int m_Passo = 0;
    IPregeoSelNotify* m_pNotifica = nullptr;
};

// Type 1: a start point, then end points joined to it.
class CPregeoCADViewDist : public CPregeoCADView {
public:
    using CPregeoCADView::CPregeoCADView;
    int GetNumPassi() override { return 2; }
    bool ValidaPasso() override;
    void SetPasso(int passo) override;
    void RiempiRisultato(std::vector<void*>& risultato) override;
    CObjectBuilder* StartNewOBDefault() override;

private:
    int m_EntPartenza = 0;
};

// Type 2: one closed row 7.
class CPregeoCADViewSup : public CPregeoCADView {
public:
    using CPregeoCADView::CPregeoCADView;
    int GetNumPassi() override { return 1; }
    bool ValidaPasso() override;
    void SetPasso(int passo) override;
    void RiempiRisultato(std::vector<void*>& risultato) override;
    CObjectBuilder* StartNewOBDefault() override;
    // The row of the first selected entity of a row 7, once the selection is no longer open.
    CRig* CercaRiga() const;
};

// Type 3: a side of the fiducial mesh, a point outside the mesh, points inside it.
class CPregeoCADViewOggRil : public CPregeoCADView {
public:
    using CPregeoCADView::CPregeoCADView;
    ~CPregeoCADViewOggRil() override;
    int GetNumPassi() override { return 3; }
    bool ValidaPasso() override;
    void SetPasso(int passo) override;
    void RiempiRisultato(std::vector<void*>& risultato) override;
    CObjectBuilder* StartNewOBDefault() override;

private:
    void CancellaLato();

    int m_Vertice1 = 0;
    int m_Vertice2 = 0;
    int m_EntEsterno = 0;
    std::vector<int> m_Interni;
    int m_LineaLato = 0;
};
