// impostazioni.ini: the module's keys are read from any text as each type; a value written reads back,
// and the keys not written keep their values.
#include "FuzzInput.h"
#include "hostapi/Settings.h"

#include <array>

namespace {

struct Chiave {
    const char16_t* sezione;
    const char16_t* nome;
};

constexpr std::array<Chiave, 4> kAltre = {{{u"CATASTO", u"TAF_SERVER"},
                                           {u"CATASTO", u"DIST_MAX"},
                                           {u"PregeoTollDist", u"Scale"},
                                           {u"nuova", u"ALTRA"}}};

// A line end: no value can hold one.
constexpr const char16_t* kAssente = u"\r";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Write("impostazioni.ini", data, size);
    CIniFile ini;
    std::array<WString, kAltre.size()> prima;
    for (std::size_t i = 0; i < kAltre.size(); ++i)
        prima[i] = ini.GetString(kAltre[i].sezione, kAltre[i].nome, kAssente);
    ini.GetShort(u"CATASTO", u"TAF_TYPE_SEL", 0);
    ini.GetLong(u"CATASTO", u"TAF_ATTENDIB", 0);
    ini.GetBool(u"CATASTO", u"TAF_CHKNOTUSE", false);
    ini.GetDouble(u"CATASTO", u"TAF_NORD", 0);
    if (!ini.WriteString(u"CATASTO", u"TAF_COMUNE", u"G337 x=y") ||
        !ini.WriteDouble(u"Nuova", u"Chiave", 0.1))
        fuzz::Fail("the settings file could not be written");
    if (ini.GetString(u"catasto", u"taf_comune", WString()) != u"G337 x=y" ||
        ini.GetDouble(u"Nuova", u"Chiave", 0) != 0.1)
        fuzz::Fail("a value written does not read back");
    for (std::size_t i = 0; i < kAltre.size(); ++i)
        if (ini.GetString(kAltre[i].sezione, kAltre[i].nome, kAssente) != prima[i])
            fuzz::Fail("a key not written changed its value");
    return 0;
}
