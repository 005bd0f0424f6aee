#include "tolerance/DlgPregeoRisSuperfici.h"

#include "hostapi/Conversions.h"

void CDlgPregeoRisSuperfici::Riempi() {
    CreaGriglia({{u"N.", 30},
                 {u"Esito", 40},
                 {u"Nome", 60},
                 {u"Vertici", 100},
                 {u"Sup.Int.", 60},
                 {u"Sup.Int.30%", 60},
                 {u"Sup.Est.", 60}});
    if (!m_pRisultati)
        return;
    for (const CRisSuperficie& r : *m_pRisultati) {
        WString vertici;
        for (int i = 0; i < r.riga->GetVrtArSize(); ++i)
            vertici += (i > 0 ? u"-" : u"") + r.riga->GetVrtAt(i)->GetNome();
        AggiungiEsito({WString(), r.riga->GetLblNome1(), vertici, CStringDaDouble(r.supInterna, 3),
                       CStringDaDouble(r.supInterna30, 3), CStringDaDouble(r.supEsterna, 3)},
                      r.inTolleranza, &r);
    }
}
