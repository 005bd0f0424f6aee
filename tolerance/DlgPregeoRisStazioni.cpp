#include "tolerance/DlgPregeoRisStazioni.h"

#include "hostapi/Conversions.h"

void CDlgPregeoRisStazioni::Riempi() {
    CreaGriglia({{u"N.", 30},
                 {u"Esito", 40},
                 {u"Stazione", 60},
                 {u"Lato Maglia PF", 100},
                 {u"Dist.Est.", 60},
                 {u"Lung.Lato PF", 60},
                 {u"Lato PF 30%", 60}});
    if (!m_pRisultati)
        return;
    for (const CRisStazione& r : *m_pRisultati)
        AggiungiEsito({WString(), r.stazione, r.verticeA + u"-" + r.verticeB,
                       CStringDaDouble(r.distanzaEsterna, 3), CStringDaDouble(r.lunghezzaLato, 3),
                       CStringDaDouble(r.lato30, 3)},
                      r.inTolleranza, &r);
}
