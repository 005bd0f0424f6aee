#include "tolerance/TollAllineamenti.h"

#include "resources/StringIds.h"
#include "resources/StringLoader.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"
#include "tolerance/DlgPregeoRisToll.h"

void TollAllineamenti(CWnd* parent, ICarviloDati* host) {
    CCts* libretto = host->GetCts();
    if (!libretto)
        return;
    CDlgPregeoRisToll dlg(parent);
    CLibCmp* stazioni = host->GetLibCmp();
    CLibGps* gps = host->GetLibGps();
    // The booklet checker looks the end points up.
    const auto cerca = [&](const WString& nome, double& x, double& y) {
        CControlloLibretto controllo(nullptr, libretto, stazioni, gps, nullptr);
        controllo.CercaCoordPunto(nome, x, y);
    };
    for (const CEsitoAllineamento& e : EsitiAllineamenti(*libretto, gps, stazioni, cerca, false))
        dlg.AddRisultato(e.riga, u"5", true, e.codice, e.testo);
    if (dlg.GetNumRisultati() == 0) {
        CreateMessageBox(parent, CaricaStringa(IDS_NESSUNA_RIGA45_FUORI_TOLL), CaricaStringa(IDS_PREGEO),
                         MB_ICONINFORMATION);
        return;
    }
    dlg.DoModal();
}
