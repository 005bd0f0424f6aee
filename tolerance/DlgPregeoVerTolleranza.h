// "Verifica tolleranza": the CAD selection dialog of the tolerance tools. The caller gives the tolerance
// type (1 distances, 2 surfaces, 3 survey object) and a result list; the user walks the type's steps
// with "<<" and ">>", and a valid ">>" on the last step fills the list and ends with OK:
//   type 1: new CEgn points, the start point first, then the end points (the caller deletes them);
//   type 2: the CRig of the selected row 7 (the booklet's own);
//   type 3: new CEgn points: the two vertices of the mesh side, the external point, then the internal
//           points in the order picked (the caller deletes them).
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "tolerance/PregeoCADView.h"
#include "tolerance/PregeoSelNotify.h"

#include <vector>

constexpr int TOLL_DISTANZE = 1;
constexpr int TOLL_SUPERFICI = 2;
constexpr int TOLL_OGGETTO_RILIEVO = 3;

class CDlgPregeoVerTolleranza : public CExDialog, public IPregeoSelNotify {
public:
    explicit CDlgPregeoVerTolleranza(CWnd* parent);
    ~CDlgPregeoVerTolleranza() override;

    void SetParametri(ICarviloDati* host, int tipo, std::vector<void*>* risultato) {
        m_pHost = host;
        m_Tipo = tipo;
        m_pRisultato = risultato;
    }
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    bool OnSelNotify(int codice) override;

protected:
    void OnZoom();
    void OnPan();
    void OnZoomFinestra();
    void OnZoomEsteso();
    void OnVistaPrecedente();
    void OnScala();
    void OnIndietro();
    void OnAvanti();
    void OnAnnulla();
    DECLARE_MESSAGE_MAP()

private:
    void CreaVista();
    void MostraPasso(int passo);
    void AggiornaImmagini();

    ICarviloDati* m_pHost = nullptr;
    int m_Tipo = 0;
    std::vector<void*>* m_pRisultato = nullptr;
    CPregeoCADView* m_pVista = nullptr;
    CColButton m_Indietro;
    CColButton m_Avanti;
    CColButton m_Annulla;
    CColButton m_Zoom;
    CColButton m_Pan;
    CColButton m_ZoomFinestra;
    CColButton m_ZoomEsteso;
    CColButton m_VistaPrecedente;
    CColButton m_Scala;
    CStatic m_Titolo;
    CStatic m_Prompt;
    CStatic m_Segnaposto;
    CBitmap* m_pBmpStrumenti = nullptr;
    CImageList m_ImmaginiStrumenti;
};
