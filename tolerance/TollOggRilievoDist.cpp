#include "tolerance/TollOggRilievoDist.h"

#include "hostapi/Calcolo2D.h"
#include "hostapi/Conversions.h"
#include "rules/ErrAvvList.h"
#include "tolerance/DlgPregeoRisOggRilDist.h"
#include "tolerance/DlgPregeoVerTolleranza.h"
#include "tolerance/Limite.h"

#include <cmath>
#include <memory>

namespace {

// From the infinite line through the side; a side whose ends coincide has no line, so from that point.
double DistanzaDalLato(const GmLine2d& lato, const GmPnt2d& p) {
    if (lato.p1.x == lato.p2.x && lato.p1.y == lato.p2.y)
        return std::hypot(p.x - lato.p1.x, p.y - lato.p1.y);
    return std::fabs(GmFunz_distpntln_ls(p, lato));
}

} // namespace

CEsitoOggRilDist ValutaOggRilDist(const CEgn& fid1, const CEgn& fid2, const CEgn& esterno,
                                  const CEgn& interno) {
    GmLine2d lato;
    GmFunz_set_line_2d(lato, fid2.GetCoordX(), fid2.GetCoordY(), fid1.GetCoordX(), fid1.GetCoordY());
    GmPnt2d pInterno, pEsterno;
    GmFunz_set_pnt_2d(pInterno, interno.GetCoordX(), interno.GetCoordY());
    GmFunz_set_pnt_2d(pEsterno, esterno.GetCoordX(), esterno.GetCoordY());
    CEsitoOggRilDist esito;
    esito.distInterna = DistanzaDalLato(lato, pInterno);
    esito.distEsterna = DistanzaDalLato(lato, pEsterno);
    esito.dist30 = esito.distInterna / 100 * 30;
    esito.inTolleranza = EntroIlLimite(esito.distEsterna, esito.dist30);
    return esito;
}

void TollOggRilievoDist(CWnd* parent, ICarviloDati* host) {
    std::vector<void*> scelta;
    CDlgPregeoVerTolleranza selezione(parent);
    selezione.SetParametri(host, TOLL_OGGETTO_RILIEVO, &scelta);
    const bool confermata = selezione.DoModal() == IDOK;
    // The picked points are the caller's, whatever the selection answered.
    std::vector<std::unique_ptr<CEgn>> punti;
    for (void* p : scelta)
        punti.emplace_back(static_cast<CEgn*>(p));
    if (!confermata || punti.size() <= 3)
        return;
    CErrAvvGenerico controllo(nullptr, nullptr, nullptr);
    controllo.ControllaLineaMaglia(punti[0]->GetNome(), punti[1]->GetNome());
    if (controllo.GetMsgArSize() > 0) {
        CreateMessageBox(parent,
                         u"Selezionata una linea che non corrisponde ad un lato della maglia fiduciale.",
                         u"Errore", MB_ICONERROR);
        return;
    }
    std::vector<CEgn*> elenco;
    for (const auto& p : punti)
        elenco.push_back(p.get());
    CDlgPregeoRisOggRilDist dlg(parent);
    dlg.SetDati(host, elenco);
    dlg.DoModal();
}
