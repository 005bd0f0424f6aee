#pragma once

#include "hostapi/WString.h"

#include <ostream>

// Readable failure messages: the text in UTF-8 with its "\r" made visible.
inline void PrintTo(const WString& s, std::ostream* os) {
    WString t = s;
    t.Replace(WString(u"\r"), WString(u"\\r"));
    t.Replace(WString(u"\n"), WString(u"\\n"));
    *os << '"' << t.ToUtf8() << '"';
}
