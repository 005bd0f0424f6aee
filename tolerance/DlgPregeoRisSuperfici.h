// "Risultati tolleranze" of the survey-object surfaces: one grid row per judged row 7.
#pragma once

#include "tolerance/GrigliaRisultati.h"
#include "tolerance/TollOggRilSup.h"

#include <vector>

class CDlgPregeoRisSuperfici : public CDlgRisultatiEsiti {
public:
    explicit CDlgPregeoRisSuperfici(CWnd* parent) : CDlgRisultatiEsiti(parent) {}
    // The findings shown; the caller keeps them for as long as the dialog runs.
    void SetRisultati(const std::vector<CRisSuperficie>* risultati) { m_pRisultati = risultati; }

protected:
    void Riempi() override;

private:
    const std::vector<CRisSuperficie>* m_pRisultati = nullptr;
};
