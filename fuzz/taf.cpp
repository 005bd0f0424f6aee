// TAF and OUT files. The first byte chooses the reader of the rest, so that each run reads the input
// once: the filtered TAF read, the near TAF read, or the OUT read.
#include "FuzzInput.h"
#include "pfimport/TafElenco.h"

#include <algorithm>
#include <string>

namespace {

void Filtrata(const WString& taf) {
    const std::vector<WString> comuni{u"A123", u"G337", u"A123B"};
    const std::vector<WString> fogli{u"0120", u"A05A", u"zzz0"};
    CTafElenco elenco;
    elenco.Carica(taf, &comuni, &fogli, REALE_INDEFINITO, REALE_INDEFINITO, REALE_INDEFINITO);
    for (int i = 0; i < elenco.GetCount(); ++i)
        if (std::find(comuni.begin(), comuni.end(), elenco.GetAt(i)->Comune) == comuni.end())
            fuzz::Fail("a filtered read took a municipality that is not listed");
}

void Vicina(const WString& taf) {
    const std::vector<WString> comuni{u"A123", u"G337", u"A123B"};
    CTafElenco elenco;
    elenco.Carica(taf, &comuni, nullptr, 5000000, 1500000, 250000);
    // The name read from the packed text is the built record's.
    std::int32_t numPF = 0;
    std::u16string foglio, comune;
    for (int i = 0; i < elenco.GetCount(); ++i) {
        const CTafPunto& p = *elenco.GetAt(i);
        if (!elenco.GetNome(i, numPF, foglio, comune) || numPF != p.NumPF || p.Foglio != WString(foglio) ||
            p.Comune != WString(comune))
            fuzz::Fail("a record's name differs from the one read without building it");
    }
}

void Out(const WString& out) {
    CTafElenco elenco;
    elenco.Carica(out, nullptr, nullptr, REALE_INDEFINITO, REALE_INDEFINITO, REALE_INDEFINITO);
    for (int i = 0; i < elenco.GetCount(); ++i)
        if (elenco.GetAt(i)->Comune != u"A123")
            fuzz::Fail("an OUT record without the file's name as municipality");
}

// Each reader on the input as a file of its kind.
void FiltrataDa(const std::uint8_t* data, std::size_t size) {
    Filtrata(WString::FromUtf8(fuzz::Write("punti.taf", data, size).string()));
}
void VicinaDa(const std::uint8_t* data, std::size_t size) {
    Vicina(WString::FromUtf8(fuzz::Write("punti.taf", data, size).string()));
}
void OutDa(const std::uint8_t* data, std::size_t size) {
    Out(WString::FromUtf8(fuzz::Write("A123.out", data, size).string()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UnoAllaVolta(data, size, {FiltrataDa, VicinaDa, OutDa});
    return 0;
}
