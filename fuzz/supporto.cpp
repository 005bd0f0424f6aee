// The support files the editors read: Collegi.txt, Comuni.txt and TipoAggTessaro.dat, one input as each.
#include "FuzzInput.h"
#include "editors/DatiRiga0.h"
#include "editors/DatiRiga9.h"
#include "hostapi/Booklet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const WString collegi = WString::FromUtf8(fuzz::Write("Support/Collegi.txt", data, size).string());
    fuzz::Write("Support/Comuni.txt", data, size);
    const WString tipi = WString::FromUtf8(fuzz::Write("Support/TipoAggTessaro.dat", data, size).string());
    bool letto = false;
    const auto province = LeggiCollegi(collegi, &letto);
    if (!letto)
        fuzz::Fail("a file there is not read");
    CCtsComuni comuni;
    comuni.CaricaElenco(u"PR");
    if (!province.empty())
        comuni.CaricaElenco(province.front().codice);
    CTipiAggiornamento tabella;
    tabella.Leggi(tipi);
    for (const WString& codice : {WString(u"1"), WString(u"AUTO"), WString()})
        for (const WString& caso : {WString(u"*"), WString(u"b"), WString()}) {
            const CSceltaTipoAgg scelta = SceltaIniziale(tabella, codice, caso);
            if (scelta.principale >= static_cast<int>(tabella.Principali().size()) ||
                scelta.automatico >= static_cast<int>(tabella.Automatici().size()))
                fuzz::Fail("the choice on opening points past its list");
        }
    return 0;
}
