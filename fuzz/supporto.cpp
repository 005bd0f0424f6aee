// The support files the editors read: Collegi.txt, Comuni.txt and TipoAggTessaro.dat. The first byte
// chooses which file the rest of the input is, so that each run reads one file.
#include "FuzzInput.h"
#include "editors/DatiRiga0.h"
#include "editors/DatiRiga9.h"
#include "hostapi/Booklet.h"

#include <algorithm>
#include <string_view>

namespace {

void Collegi(const std::uint8_t* data, std::size_t size) {
    const WString collegi = WString::FromUtf8(fuzz::Write("Support/Collegi.txt", data, size).string());
    bool letto = false;
    LeggiCollegi(collegi, &letto);
    if (!letto)
        fuzz::Fail("a file there is not read");
}

void Comuni(const std::uint8_t* data, std::size_t size) {
    fuzz::Write("Support/Comuni.txt", data, size);
    CCtsComuni comuni;
    // The province the file names first, so that lines are taken.
    const std::string_view testo(reinterpret_cast<const char*>(data), size);
    comuni.CaricaElenco(WString::FromCp1252(testo.substr(0, std::min<std::size_t>(testo.find(';'), 8))));
}

void Tipi(const std::uint8_t* data, std::size_t size) {
    const WString tipi = WString::FromUtf8(fuzz::Write("Support/TipoAggTessaro.dat", data, size).string());
    CTipiAggiornamento tabella;
    tabella.Leggi(tipi);
    for (const WString& codice : {WString(u"1"), WString(u"AUTO"), WString()})
        for (const WString& caso : {WString(u"*"), WString(u"b"), WString()}) {
            const CSceltaTipoAgg scelta = SceltaIniziale(tabella, codice, caso);
            if (scelta.principale >= static_cast<int>(tabella.Principali().size()) ||
                scelta.automatico >= static_cast<int>(tabella.Automatici().size()))
                fuzz::Fail("the choice on opening points past its list");
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UnoAllaVolta(data, size, {Collegi, Comuni, Tipi});
    return 0;
}
