#include "tolerance/TollDistanze.h"

#include "distances/DlgPregeoVerificaDistanze.h"
#include "hostapi/Conversions.h"
#include "rules/Regole.h"
#include "tolerance/DlgPregeoVerTolleranza.h"

#include <memory>

namespace {

WString NomeCompleto(const CCts* libretto, WString nome) {
    if (libretto && ControlloNomePF(nome) == REGOLA_OK)
        libretto->CompletaNomePfPregeo(nome);
    return nome;
}

} // namespace

std::vector<CIntervalloDistanza> DistribuisciDistanze(CVerificaDistanze& verifica, const CCts* libretto,
                                                      const CEgn& inizio,
                                                      const std::vector<const CEgn*>& fine) {
    std::vector<CIntervalloDistanza> intervalli;
    const WString nome1 = NomeCompleto(libretto, inizio.GetNome());
    for (const CEgn* punto : fine) {
        const WString nome2 = NomeCompleto(libretto, punto->GetNome());
        const double distanza = ArrotondatoAtDec(
            DistanzaPiana(inizio.GetCoordX(), inizio.GetCoordY(), punto->GetCoordX(), punto->GetCoordY()), 3);
        if (!verifica.AggiungiCoppiaMisurata(nome1, nome2, distanza))
            intervalli.emplace_back(nome1, nome2, distanza);
    }
    return intervalli;
}

void TollDistanze(CWnd* parent, ICarviloDati* host) {
    std::vector<void*> scelta;
    CDlgPregeoVerTolleranza selezione(parent);
    selezione.SetParametri(host, TOLL_DISTANZE, &scelta);
    const bool confermata = selezione.DoModal() == IDOK;
    // The picked points are the caller's, whatever the selection answered.
    std::vector<std::unique_ptr<CEgn>> punti;
    for (void* p : scelta)
        punti.emplace_back(static_cast<CEgn*>(p));
    if (!confermata || punti.size() < 2)
        return;

    CLibCmp* stazioni = host->GetLibCmp();
    CCts* libretto = host->GetCts();
    CVerificaDistanze verifica(stazioni, nullptr, libretto);
    verifica.CostruisciNoti();
    std::vector<const CEgn*> fine;
    for (std::size_t i = 1; i < punti.size(); ++i)
        fine.push_back(punti[i].get());
    std::vector<CIntervalloDistanza> intervalli = DistribuisciDistanze(verifica, libretto, *punti[0], fine);

    if (!intervalli.empty()) {
        CDlgPregeoVerificaDistanze dlg(parent, intervalli);
        dlg.DoModal();
    }
    if (verifica.GetNumCoppieMisurate() != 0) {
        CDlgPregeoVerificaDistanze dlg(parent, verifica);
        dlg.DoModal();
    }
}
