// impostazioni.ini: the module's keys are read from any text, and a value written reads back.
#include "FuzzInput.h"
#include "hostapi/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Write("impostazioni.ini", data, size);
    CIniFile ini;
    for (const char16_t* key : {u"TAF_SERVER", u"TAF_TYPE_SEL", u"PATH_TAF", u"DIST_MAX"}) {
        ini.GetString(u"CATASTO", key, u"-");
        ini.GetShort(u"CATASTO", key, 0);
        ini.GetLong(u"CATASTO", key, 0);
        ini.GetBool(u"CATASTO", key, false);
    }
    for (const char16_t* key : {u"Zone", u"Calc", u"Scale"})
        ini.GetDouble(u"PregeoTollDist", key, 0);
    if (!ini.WriteString(u"CATASTO", u"TAF_COMUNE", u"G337 x=y") ||
        !ini.WriteDouble(u"Nuova", u"Chiave", 0.1))
        fuzz::Fail("the settings file could not be written");
    if (ini.GetString(u"CATASTO", u"TAF_COMUNE", WString()) != u"G337 x=y" ||
        ini.GetDouble(u"Nuova", u"Chiave", 0) != 0.1)
        fuzz::Fail("a value written does not read back");
    return 0;
}
