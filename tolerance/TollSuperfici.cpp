#include "tolerance/TollSuperfici.h"

#include "hostapi/Computations.h"
#include "tolerance/DlgPregeoTollSup.h"
#include "tolerance/DlgPregeoVerTolleranza.h"
#include "tolerance/Limite.h"

#include <cmath>
#include <vector>

CEsitoTollSup ValutaTollSuperficie(double calcolata, double censuaria, short natura) {
    CEsitoTollSup esito;
    // The square root of a negative surface would make every comparison false, and so "in tolerance". A
    // nominal tolerance is computed whatever the sign: a negative one keeps everything out.
    if (IsRealeIndefinito(censuaria) || !std::isfinite(censuaria) ||
        (natura == NATURA_REALE && censuaria < 0))
        return esito;
    const double t = natura == NATURA_REALE ? (censuaria / 1000 + std::sqrt(censuaria)) / 3 : censuaria / 20;
    esito.tolleranza = t;
    esito.inferiore = censuaria - t;
    esito.superiore = censuaria + t;
    if (IsRealeIndefinito(calcolata) || !std::isfinite(calcolata))
        return esito;
    esito.inTolleranza = EntroIlLimite(std::fabs(calcolata - censuaria), t);
    return esito;
}

bool IsRigaChiusaPerToll(const CRig* riga) {
    if (!riga || riga->GetVrtArSize() <= 3)
        return false;
    return riga->GetVrtAt(riga->GetVrtArSize() - 1)->GetNome() == riga->GetVrtAt(0)->GetNome();
}

void TollSuperfici(CWnd* parent, ICarviloDati* host) {
    std::vector<void*> scelta;
    CDlgPregeoVerTolleranza selezione(parent);
    selezione.SetParametri(host, TOLL_SUPERFICI, &scelta);
    if (selezione.DoModal() != IDOK || scelta.empty())
        return;
    CRig* riga = static_cast<CRig*>(scelta[0]);
    if (!IsRigaChiusaPerToll(riga))
        return;
    {
        CCts* libretto = host->GetCts();
        CLibCmp* stazioni = host->GetLibCmp();
        CLibGps* gps = host->GetLibGps();
        const CCalcRighePregeo calcolo(libretto, stazioni, gps, nullptr);
        calcolo.CalcolaSngRiga7(riga);
    }
    CRig::CalcolaAreaInterna(riga);
    CDlgPregeoTollSup dlg(parent);
    dlg.SetRiga(riga);
    dlg.DoModal();
}
