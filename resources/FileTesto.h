// The 8-bit text files the module reads from outside: TAF and OUT files, and the support files of the
// host's folder. What a line of them may hold, and what a dialog says of a support file that it could not
// read, or could read only in part.
#pragma once

#include "hostapi/WString.h"

#include <optional>
#include <string_view>
#include <vector>

// A character no line of such a file holds: control characters but the tab, the C1 range (where the
// code page's undefined bytes land), surrogates, the replacement character and the non-characters. A
// line holding one is not text but damage: random bytes, a binary file, a broken copy.
constexpr bool IsCarattereIllegibile(char16_t c) {
    // Without branches (note the single '|'), so that a loop over a line can test many at once.
    return (c < 0x20 && c != u'\t') | (static_cast<char16_t>(c - 0x7F) <= 0x20) |
           (static_cast<char16_t>(c - 0xD800) <= 0x7FF) | (c >= 0xFFFD);
}

// The line without its line end (LF, CR LF, or a lone CR left by text mode at the end of the file).
constexpr std::u16string_view SenzaFineRiga(std::u16string_view riga) {
    while (!riga.empty() && (riga.back() == u'\n' || riga.back() == u'\r'))
        riga.remove_suffix(1);
    return riga;
}

// True when the line, its line end apart, holds no illegible character. Every character is tested, so
// that the compiler can test many at once: a province's file has them by millions.
constexpr bool IsRigaLeggibile(std::u16string_view riga) {
    char16_t illegibili = 0;
    for (char16_t c : SenzaFineRiga(riga))
        illegibili |= IsCarattereIllegibile(c) ? 0xFFFF : 0;
    return illegibili == 0;
}

// Support files a dialog reads when it opens, as device paths.
inline constexpr const char16_t* FILE_COLLEGI = u"Support\\Collegi.txt";
inline constexpr const char16_t* FILE_COMUNI = u"Support\\Comuni.txt";
inline constexpr const char16_t* FILE_TIPI_AGG = u"Support\\TipoAggTessaro.dat";

// How a support file was read: not at all (missing or unreadable), or with some lines no entry could be
// made of, which its lists leave out.
struct CFileSupportoLetto {
    WString file;
    bool letto = true;
    int righeScartate = 0;
};

// Said once when a dialog opens with support files missing or damaged, so that an empty or short list
// is not a riddle; nothing when every file was read whole. Title TITOLO_AVVISO_SUPPORTO, exclamation.
std::optional<WString> AvvisoFileSupporto(const std::vector<CFileSupportoLetto>& files);
inline constexpr const char16_t* TITOLO_AVVISO_SUPPORTO = u"Pregeo";
