// Stations outside the fiducial mesh: a station set up outside the outer polygon of the fiducial points
// may stand from its nearest mesh side at most 30 % of that side's length.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Dialog.h"
#include "hostapi/Gps.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"

#include "hostapi/Conversions.h"
#include "tolerance/GrigliaLati.h"

#include <memory>
#include <vector>

// One station against one mesh side.
struct CRisStazione {
    WString stazione;
    WString verticeA;
    WString verticeB;
    double distanzaEsterna; // from the side (Dist.Est.)
    double lunghezzaLato;   // Lung.Lato PF
    double lato30;          // 30 % of the side (Lato PF 30%)
    bool inTolleranza;
};

// A station the tool examined, with its findings: none when it stands inside or on the mesh.
struct CStazioneEsaminata {
    WString nome;
    double x;
    double y;
    int primoRisultato; // index of its first finding in the result list
    int numRisultati;
};

class CTollStazFuoriTriang {
public:
    CTollStazFuoriTriang(CWnd* parent, CLibCmp* stazioni, CCts* libretto, CLibGps* gps);

    // Builds the mesh and examines the stations; with mostra, tells the user what it found (no mesh, no
    // station outside, or the results dialog).
    void Esegui(bool mostra);

    const CPoint3dVector& GetValidi() const { return m_Validi; }
    const CPoint3dVector& GetMaglia() const { return m_Maglia; }
    const CPoint3dVector& GetInterni() const { return m_Interni; }
    const std::vector<CRisStazione>& GetRisultati() const { return m_Risultati; }
    // In the order examined, so that a picture can place every finding.
    const std::vector<CStazioneEsaminata>& GetEsaminate() const { return m_Esaminate; }
    // Off, the mesh is built by its plain definition (see CElencoPFRilievo::SetMagliaVeloce).
    void SetMagliaVeloce(bool on) { m_MagliaVeloce = on; }
    // Off, each station looks at every side (its plain definition) instead of the sides near it.
    void SetRicercaVeloce(bool on) { m_RicercaVeloce = on; }

private:
    // The nearest side a station sees (0 when none) and the nearest vertex, by either search.
    struct Vicini {
        int lato = 0;
        double distanza = REALE_INDEFINITO;
        int vertice = 1;
    };
    void EsaminaStazione(const CEgn& stazione);
    Vicini CercaOvunque(const CPoint3d& s) const;
    Vicini CercaVicino(const CPoint3d& s);
    // Whether side i, seen from s at its foot, is seen only across another side.
    template <class PerLati>
    bool Nascosto(const CPoint3d& s, const CPoint3d& piede, int i, PerLati perLati) const;
    void Registra(const WString& stazione, int a, int b, double distanza);

    CWnd* m_pParent;
    CCts* m_pCts;
    CLibCmp* m_pLibCmp;
    CLibGps* m_pLibGps;
    CPoint3dVector m_Validi;
    CPoint3dVector m_Maglia;
    CPoint3dVector m_Interni;
    std::vector<CRisStazione> m_Risultati;
    std::vector<CStazioneEsaminata> m_Esaminate;
    bool m_MagliaVeloce = true;
    bool m_RicercaVeloce = true;
    std::unique_ptr<CGrigliaLati> m_pGriglia;
    std::vector<int> m_Visto; // per side, the station that last looked at it
    int m_Turno = 0;
};
