// Distance files and distance answers. The first byte chooses what the rest of the input is, so that each
// run reads it once: a .dis file, the web service's answer, or a .dis file imported into a survey of
// three fiducial points, the duplicate choice answered in turn.
#include "FuzzInput.h"
#include "distances/ImportDistanze.h"
#include "hostapi/Conversions.h"

#include <string_view>

namespace {

void Controlla(const CDisDistanza& d) {
    if (d.IsCompleta() &&
        (IsRealeIndefinito(DoubleDaCString(d.distanza)) || IsRealeIndefinito(DoubleDaCString(d.sqm))))
        fuzz::Fail("a complete distance with a number that does not read");
}

void File(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz::Write("lavori/prova.dis", data, size);
    CDisElenco file;
    file.CaricaFile(WString::FromUtf8(path.string()));
    while (const CDisRiga* r = file.GetNext()) {
        if (r->GetResto().size() > static_cast<std::size_t>(CDisRiga::kMaxResto))
            fuzz::Fail("a line longer than its block");
        Controlla(DistanzaDaFile(*r));
    }
}

void Web(const std::uint8_t* data, std::size_t size) {
    CDisElenco web;
    const WString risposta = WString::FromCp1252(std::string_view(reinterpret_cast<const char*>(data), size));
    web.CaricaRispostaWeb(risposta, u"G337", u"0120");
    bool completa = false;
    while (const CDisRiga* r = web.GetNext()) {
        Controlla(DistanzaDaWeb(*r));
        completa = completa || DistanzaDaWeb(*r).IsCompleta();
    }
    if (completa && !IsRispostaDistanze(risposta))
        fuzz::Fail("an answer with a distance taken for no distance answer");
}

void Importa(const std::uint8_t* data, std::size_t size) {
    fuzz::Write("lavori/prova.dis", data, size);
    CCts libretto;
    libretto.SetFogl(u"0120");
    libretto.SetCdCm(u"G337");
    CLibCmp stazioni;
    CLibGps gps;
    CSta* sta = stazioni.AddJob(u"J")->AddSta(u"S");
    for (const char16_t* nome : {u"PF01", u"PF02", u"PF03"})
        sta->AddPun(nome);
    int turno = 0;
    CImportDistanze import(&libretto, &gps, &stazioni,
                           [&](const WString&, int& risposta, bool&) { risposta = turno++ % 3; });
    const CEsitoImport esito =
        import.ImportaFile(WString::FromUtf8((fuzz::Folder() / "lavori").string()) + u"/", 1, u"prova");
    const CLibEstrMap& estratto = libretto.m_EstrMap;
    if (esito.importato != (estratto.GetDistanzaArSize() > 0) ||
        (esito.importato &&
         esito.testo.Find(WString::Formatted(u"importate %d ", estratto.GetDistanzaArSize())) < 0))
        fuzz::Fail("an import reports distances it did not write, or writes without saying so");
    for (int i = 0; i < estratto.GetDistanzaArSize(); ++i) {
        const CCtsDistanza* d = estratto.GetDistanzaAt(i);
        if (IsRealeIndefinito(d->GetDistanza()) || IsRealeIndefinito(d->GetSqm()))
            fuzz::Fail("a distance written with an undefined value");
        if (d->GetDistanza() <= 0)
            fuzz::Fail("a distance written that is not above zero");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UnoAllaVolta(data, size, {File, Web, Importa});
    return 0;
}
