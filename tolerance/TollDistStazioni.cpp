#include "tolerance/TollDistStazioni.h"

#include "resources/StringIds.h"
#include "resources/StringLoader.h"
#include "rules/ControlloLibretto.h"

void TollDistStazioni(CWnd* parent, ICarviloDati* host) {
    CCts* libretto = host->GetCts();
    CLibCmp* stazioni = host->GetLibCmp();
    CControlloLibretto controllo(nullptr, libretto, stazioni, nullptr, nullptr);
    controllo.ControllaDistStazioni();
    const WString titolo = CaricaStringa(IDS_PREGEO);
    if (controllo.GetMsgArSize() == 0) {
        CreateMessageBox(parent, u"Tutte le stazioni sono in tolleranza", titolo, MB_ICONINFORMATION);
        return;
    }
    for (int i = 0; i < controllo.GetMsgArSize(); ++i)
        CreateMessageBox(parent, controllo.GetMsgAt(i), titolo, MB_ICONERROR);
}
