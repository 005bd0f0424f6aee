// "Risultati tolleranze" of the stations outside the fiducial mesh: one grid row per station and side.
#pragma once

#include "tolerance/GrigliaRisultati.h"
#include "tolerance/TollStazFuoriTriang.h"

#include <vector>

class CDlgPregeoRisStazioni : public CDlgRisultatiEsiti {
public:
    explicit CDlgPregeoRisStazioni(CWnd* parent) : CDlgRisultatiEsiti(parent) {}
    // The findings shown; the caller keeps them for as long as the dialog runs.
    void SetRisultati(const std::vector<CRisStazione>* risultati) { m_pRisultati = risultati; }

protected:
    void Riempi() override;

private:
    const std::vector<CRisStazione>* m_pRisultati = nullptr;
};
