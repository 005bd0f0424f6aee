#include "pfimport/TafElenco.h"

#include "hostapi/FileIO.h"
#include "resources/FileTesto.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>

namespace {

// Columns of a TAF line, counted from 0.
constexpr int kColNord = 101;
constexpr int kColEst = 114;
constexpr int kLenCoordinata = 12;
constexpr int kColAllegato = 11;
constexpr int kColNumero = 13;
constexpr int kLenNumero = 4;
// Lines shorter than this (line end included) carry no height.
constexpr int kLunghezzaConQuota = 250;

// The file in text mode, one read of at most 1022 characters at a time; a longer line arrives in pieces,
// each taken as a line. The bytes are kept as they come (the code page is one byte a character, so the
// pieces are those of the wide reader) and widened only where a text is wanted. A NUL byte would end the
// text of its read, as it does for any C text: the line holding it is told apart instead, so that a
// damaged line is not taken for a short one.
class CLettoreRighe {
public:
    explicit CLettoreRighe(const WString& path) : m_File(_wfopen(path.c_str(), u"rt")) {
        std::fill(std::begin(m_Buffer), std::end(m_Buffer), kVuoto);
    }
    CLettoreRighe(const CLettoreRighe&) = delete;
    CLettoreRighe& operator=(const CLettoreRighe&) = delete;
    ~CLettoreRighe() {
        if (m_File)
            fclose(m_File);
    }
    bool Aperto() const { return m_File != nullptr; }
    bool Avanti() {
        // The buffer holds no NUL but what the last read wrote: its terminator, or (a damaged line) more,
        // which the mark then covers again.
        if (m_Nul)
            std::fill(std::begin(m_Buffer), std::end(m_Buffer), kVuoto);
        else
            m_Buffer[m_Lunghezza] = kVuoto;
        m_Nul = false;
        if (fgets(m_Buffer, kLetturaMax, m_File) == nullptr) {
            m_Lunghezza = 0;
            m_Nul = true; // the buffer's state is not known
            return false;
        }
        m_Lunghezza = std::strlen(m_Buffer);
        // A read ends after a line end, when the buffer is full or at the end of the file, and writes a
        // NUL after its text. Unless the text ends one of the first two ways, a NUL past the first one
        // means the line holds one: the mark is no NUL.
        const bool intera =
            (m_Lunghezza > 0 && m_Buffer[m_Lunghezza - 1] == '\n') || m_Lunghezza == kTestoMax;
        m_Nul = !intera && std::memchr(m_Buffer + m_Lunghezza + 1, 0, kTestoMax - m_Lunghezza) != nullptr;
        return true;
    }
    // The line as far as its first `n` characters: the filters look at a few columns of every line.
    std::string_view Inizio(std::size_t n) const { return {m_Buffer, std::min(n, m_Lunghezza)}; }
    std::string_view Riga() const { return {m_Buffer, m_Lunghezza}; }
    // The line held a NUL: it is damaged, whatever its first characters say.
    bool ConNul() const { return m_Nul; }

private:
    static constexpr std::size_t kBuffer = 1024;
    static constexpr int kLetturaMax = kBuffer - 1;       // 1022 characters and the terminator
    static constexpr std::size_t kTestoMax = kBuffer - 2; // the text of a full read
    // A line end can only be a read's last character: anywhere else it is what no read wrote.
    static constexpr char kVuoto = '\n';

    PlatformFile* m_File;
    char m_Buffer[kBuffer];
    std::size_t m_Lunghezza = 0;
    bool m_Nul = false;
};

template <typename C> C At(std::basic_string_view<C> s, std::size_t i) {
    return i < s.size() ? s[i] : C{};
}

// The sheet code of at most 5 characters plus the annex, built without touching the heap: the filters
// run it on every line of a file.
struct CodiceFoglio {
    char16_t c[8] = {};
    std::size_t n = 0;
    std::u16string_view View() const { return {c, n}; }
};

int ValoreIntero(std::u16string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    bool negativo = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negativo = s[i++] == u'-';
    int valore = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i)
        valore = valore * 10 + (s[i] - u'0');
    return negativo ? -valore : valore;
}

// `foglio` holds at most 5 characters.
template <typename C> CodiceFoglio RegolaFoglio(std::basic_string_view<C> foglio, C allegato) {
    CodiceFoglio out;
    foglio = foglio.substr(0, 5);
    for (std::size_t pad = foglio.size(); pad < 3; ++pad)
        out.c[out.n++] = u'0';
    // Bytes of a line come here only from a TAF record, whose sheet and annex are ASCII.
    using U = std::make_unsigned_t<C>;
    for (C ch : foglio)
        out.c[out.n++] = static_cast<U>(ch);
    const std::u16string_view testo = out.View();
    if ((testo.size() == 3 && testo == u"999") || (testo.size() == 4 && testo == u"9999")) {
        out.c[0] = out.c[1] = out.c[2] = u'z';
        out.n = 3;
    } else if (testo.size() == 4) {
        const int valore = ValoreIntero(testo);
        out.c[0] = static_cast<char16_t>(valore / 100 + 55);
        out.c[1] = out.c[2];
        out.c[2] = out.c[3];
        out.n = 3;
    }
    out.c[out.n++] = (allegato == ' ' || allegato == C{}) ? u'0' : static_cast<U>(allegato);
    return out;
}

int Intero(const WString& testo) {
    return ShortDaStringNullZero(testo);
}
int InteroAssoluto(const WString& testo) {
    return std::abs(Intero(testo));
}
double Reale(const WString& testo) {
    return DoubleDaCString(testo);
}

// White space as the host's trimming sees it (blank, tab, CR, LF, VT, FF).
bool Bianco(char16_t c) {
    return c == u' ' || (c >= 0x09 && c <= 0x0D);
}
template <typename C> std::basic_string_view<C> SenzaBianchiSx(std::basic_string_view<C> s) {
    while (!s.empty() && Bianco(s.front()))
        s.remove_prefix(1);
    return s;
}
// Of a line of bytes, the trailing blanks go a word at a time: the last non-blank of a word is its highest
// byte that differs from a blank (its lowest on a big-endian machine).
std::string_view SenzaBianchiDx(std::string_view s) {
    constexpr std::uint64_t kBlanks = 0x2020202020202020u;
    while (s.size() >= 8) {
        std::uint64_t parola;
        std::memcpy(&parola, s.data() + s.size() - 8, 8);
        const std::uint64_t diversi = parola ^ kBlanks;
        if (diversi == 0) {
            s.remove_suffix(8);
            continue;
        }
        if constexpr (std::endian::native == std::endian::big)
            s.remove_suffix(static_cast<std::size_t>(std::countr_zero(diversi)) / 8);
        else
            s.remove_suffix(static_cast<std::size_t>(std::countl_zero(diversi)) / 8);
        break;
    }
    while (!s.empty() && Bianco(s.back()))
        s.remove_suffix(1);
    return s;
}

template <typename C> std::basic_string_view<C> SenzaBianchiDx(std::basic_string_view<C> s) {
    // Text fields are padded with blanks: drop them eight at a time first.
    static constexpr C kBlank[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    while (s.size() >= 8 && std::memcmp(s.data() + s.size() - 8, kBlank, sizeof kBlank) == 0)
        s.remove_suffix(8);
    while (!s.empty() && Bianco(s.back()))
        s.remove_suffix(1);
    return s;
}

// A fixed field, as far as the line holds it.
template <typename C>
std::basic_string_view<C> Campo(std::basic_string_view<C> riga, std::size_t first, std::size_t length) {
    return first < riga.size() ? riga.substr(first, length) : std::basic_string_view<C>();
}

// ShortDaStringNullZero on a field: blanks, a sign and the leading digits, clamped to a short.
template <typename C> int InteroCampo(std::basic_string_view<C> s) {
    s = SenzaBianchiSx(s);
    std::size_t i = 0;
    bool negativo = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negativo = s[i++] == u'-';
    long long valore = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i)
        if (valore <= SHRT_MAX)
            valore = valore * 10 + (s[i] - u'0');
    return static_cast<int>(std::clamp<long long>(negativo ? -valore : valore, SHRT_MIN, SHRT_MAX));
}

constexpr double kPotenze10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr std::uint64_t kPotenzeIntere10[] = {1,
                                              10,
                                              100,
                                              1000,
                                              10000,
                                              100000,
                                              1000000,
                                              10000000,
                                              100000000,
                                              1000000000,
                                              10000000000,
                                              100000000000,
                                              1000000000000,
                                              10000000000000,
                                              100000000000000,
                                              1000000000000000};
// Below this many digits the digits and the power of ten are exact doubles, so their quotient is the
// correctly rounded value, as the C library would read it.
constexpr int kCifreEsatte = 15;

// DoubleDaString on a field: blanks, a sign, digits with at most one separator ('.' or ','), blanks.
// The fields of a TAF line are read here, as their digits and decimals; longer numbers go to the host.
template <typename C> struct NumeroCampo {
    bool numero = false;
    bool lungo = false; // more digits than kCifreEsatte: `testo` is for the host
    bool negativo = false;
    std::uint64_t cifre = 0;
    int decimali = 0;
    std::basic_string_view<C> testo;
    double Valore() const {
        const double valore = static_cast<double>(cifre) / kPotenze10[decimali];
        return negativo ? -valore : valore;
    }
};
template <typename C> NumeroCampo<C> LeggiNumeroCampo(std::basic_string_view<C> testo) {
    const C* p = testo.data();
    const C* fine = p + testo.size();
    while (p < fine && Bianco(*p))
        ++p;
    while (fine > p && Bianco(fine[-1]))
        --fine;
    NumeroCampo<C> out;
    out.testo = {p, static_cast<std::size_t>(fine - p)};
    if (p < fine && (*p == '+' || *p == '-'))
        out.negativo = *p++ == '-';
    // Past kCifreEsatte digits the value is the host's: what gathers here is then not used.
    // The whole and the decimal digits gather apart, so that the two runs of multiplications overlap.
    const auto cifre = [&](std::uint64_t& valore) {
        const C* inizio = p;
        for (; p < fine && static_cast<unsigned>(*p - '0') < 10u; ++p)
            valore = valore * 10 + static_cast<unsigned>(*p - '0');
        return static_cast<int>(p - inizio);
    };
    int n = cifre(out.cifre);
    if (p < fine && (*p == '.' || *p == ',')) {
        ++p;
        std::uint64_t frazione = 0;
        out.decimali = cifre(frazione);
        n += out.decimali;
        if (out.decimali <= kCifreEsatte)
            out.cifre = out.cifre * kPotenzeIntere10[out.decimali] + frazione;
    }
    if (p != fine || n == 0)
        return {};
    out.numero = true;
    out.lungo = n > kCifreEsatte;
    return out;
}

// The runtime's wtof, with an exponent: leading blanks, sign, digits, decimals and exponent as far as
// they go; 0 when nothing reads as a number.
template <typename C> double WtofGenerale(std::basic_string_view<C> campo) {
    char testo[32];
    std::size_t n = 0;
    std::size_t i = 0;
    auto cifre = [&] {
        bool alcuna = false;
        for (; i < campo.size() && campo[i] >= u'0' && campo[i] <= u'9'; ++i) {
            testo[n++] = static_cast<char>(campo[i]);
            alcuna = true;
        }
        return alcuna;
    };
    while (i < campo.size() && (campo[i] == u' ' || campo[i] == u'\t'))
        ++i;
    if (i < campo.size() && (campo[i] == u'+' || campo[i] == u'-'))
        testo[n++] = static_cast<char>(campo[i++]);
    bool numero = cifre();
    if (i < campo.size() && campo[i] == u'.') {
        testo[n++] = '.';
        ++i;
        numero = cifre() || numero;
    }
    if (!numero)
        return 0;
    if (i + 1 < campo.size() && (campo[i] == u'e' || campo[i] == u'E')) {
        const std::size_t prima = n;
        const std::size_t primaI = i;
        testo[n++] = 'e';
        ++i;
        if (i < campo.size() && (campo[i] == u'+' || campo[i] == u'-'))
            testo[n++] = static_cast<char>(campo[i++]);
        if (!cifre()) {
            n = prima;
            i = primaI;
        }
    }
    testo[n] = '\0';
    return std::strtod(testo, nullptr);
}

// wtof on a fixed field of at most 12 characters. The near read runs it twice on every line of a file,
// so a number without exponent is read here, exactly (its digits are exact in a double).
template <typename C> double Wtof(std::basic_string_view<C> riga, std::size_t first, std::size_t length) {
    const std::basic_string_view<C> campo = Campo(riga, first, length);
    std::size_t i = 0;
    while (i < campo.size() && (campo[i] == u' ' || campo[i] == u'\t'))
        ++i;
    const bool negativo = i < campo.size() && campo[i] == u'-';
    if (i < campo.size() && (campo[i] == u'+' || campo[i] == u'-'))
        ++i;
    std::uint64_t cifre = 0;
    int n = 0;
    int decimali = 0;
    for (bool separatore = false; i < campo.size(); ++i) {
        const char16_t c = campo[i];
        if (c >= u'0' && c <= u'9') {
            cifre = cifre * 10 + static_cast<unsigned>(c - u'0');
            ++n;
            decimali += separatore;
        } else if (c == u'.' && !separatore) {
            separatore = true;
        } else {
            break;
        }
    }
    if (n == 0)
        return 0;
    if (n > kCifreEsatte || (i < campo.size() && (campo[i] == u'e' || campo[i] == u'E')))
        return WtofGenerale(campo);
    const double valore = static_cast<double>(cifre) / kPotenze10[decimali];
    return negativo ? -valore : valore;
}

template <typename C> bool IsAlfanumerico(C c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

template <typename C> std::basic_string_view<C> SenzaBlank(std::basic_string_view<C> s) {
    while (!s.empty() && s.front() == u' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == u' ')
        s.remove_suffix(1);
    return s;
}

// Blanks around, then `minimo` to `massimo` letters or digits: a municipality or sheet code.
template <typename C> bool IsCodice(std::basic_string_view<C> s, std::size_t minimo, std::size_t massimo) {
    s = SenzaBlank(s);
    return s.size() >= minimo && s.size() <= massimo && std::all_of(s.begin(), s.end(), IsAlfanumerico<C>);
}

// Blanks around, a sign, then one to four digits (a TAF column's width): a fiducial point number.
template <typename C> bool IsNumeroPF(std::basic_string_view<C> s) {
    s = SenzaBlank(s);
    if (!s.empty() && (s.front() == u'+' || s.front() == u'-'))
        s.remove_prefix(1);
    return !s.empty() && s.size() <= 4 &&
           std::all_of(s.begin(), s.end(), [](C c) { return c >= '0' && c <= '9'; });
}

std::string_view SenzaFineRiga(std::string_view riga) {
    while (!riga.empty() && (riga.back() == '\n' || riga.back() == '\r'))
        riga.remove_suffix(1);
    return riga;
}
using ::SenzaFineRiga;

// The characters of the device code page, by byte: a line read as bytes widens as the wide reader would.
const std::array<char16_t, 256>& Cp1252() {
    static const auto tabella = [] {
        std::array<char16_t, 256> t{};
        for (std::size_t b = 0; b < t.size(); ++b)
            t[b] = CharFromCp1252(static_cast<unsigned char>(b));
        return t;
    }();
    return tabella;
}

bool Leggibile(std::u16string_view riga) {
    return IsRigaLeggibile(riga);
}
// A line of bytes as IsRigaLeggibile would find it widened. Printable ASCII, the usual case, is told
// apart for the whole line at once.
bool Leggibile(std::string_view riga) {
    riga = SenzaFineRiga(riga);
    unsigned char fuori = 0;
    for (char c : riga)
        fuori |= static_cast<unsigned char>(static_cast<unsigned char>(c) - 0x20) > 0x5E ? 1 : 0;
    if (!fuori)
        return true;
    const auto& tabella = Cp1252();
    return std::none_of(riga.begin(), riga.end(), [&](char c) {
        return IsCarattereIllegibile(tabella[static_cast<unsigned char>(c)]);
    });
}

// Widens the first `n` bytes of a line (at most kLarghi) as the wide reader would.
constexpr std::size_t kLarghi = 1024;
std::u16string_view Largo(std::string_view riga, std::size_t n, char16_t* out) {
    n = std::min(n, riga.size());
    const auto& tabella = Cp1252();
    for (std::size_t i = 0; i < n; ++i)
        out[i] = tabella[static_cast<unsigned char>(riga[i])];
    return {out, n};
}

// A TAF line names a fiducial point: municipality, sheet, annex and number in their columns, and nothing
// illegible anywhere. Anything else that a filter lets through (random bytes, a broken copy) is no point.
template <typename C> bool IsRecordTaf(std::basic_string_view<C> riga) {
    const C allegato = At(riga, kColAllegato);
    return Leggibile(riga) && IsCodice(Campo(riga, 0, 5), 4, 5) && IsCodice(Campo(riga, 5, 5), 1, 5) &&
           (allegato == C{} || allegato == ' ' || IsAlfanumerico(allegato)) &&
           IsNumeroPF(Campo(riga, kColNumero, kLenNumero));
}

// An OUT line names a point with its first two comma-terminated fields, sheet and number, and holds
// nothing illegible. A line cut after them is still a point, without the fields it lost.
bool IsRecordOut(std::u16string_view riga) {
    const std::size_t primo = riga.find(u',');
    const std::size_t secondo = primo == std::u16string_view::npos ? primo : riga.find(u',', primo + 1);
    return secondo != std::u16string_view::npos && IsRigaLeggibile(riga) &&
           IsCodice(riga.substr(0, primo), 1, 5) && IsNumeroPF(riga.substr(primo + 1, secondo - primo - 1));
}

// The lines a load took as points and those it found damaged: a file whose every line it would have
// taken is damaged did not load, as an answer of stray bytes from the web service does not.
class CConteggio {
public:
    void Conta(bool record) { (record ? m_Record : m_Scartate)++; }
    bool Riuscito() const { return m_Record > 0 || m_Scartate == 0; }

private:
    int m_Record = 0;
    int m_Scartate = 0;
};

// The base name of a path: after the last separator, without the extension.
WString NomeBase(const WString& path) {
    const int sep = std::max(path.ReverseFind(u'\\'), path.ReverseFind(u'/'));
    WString nome = path.Mid(sep + 1);
    const int punto = nome.ReverseFind(u'.');
    return punto >= 0 ? nome.Left(punto) : nome;
}

// How the list packs a record: its fields in declaration order, each as
//   a text: its length n times 2 plus 1 when it is wide, as a varint, then n bytes of the device code page
//     (every text read from a file) or n UTF-16 units, low byte first (a web answer may hold any);
//   an integer: zigzag, as a varint;
//   a real: 0 for undefined; 2 + (k << 4 | d << 1 | negative) for k / 10^d, the way a coordinate's digits
//     are read (d up to 7), which gives back the very same double; else 1 and its 8 bytes.
// A varint takes 7 bits a byte, low bits first, the high bit set on every byte but the last.

// The characters of bytes 0x80 to 0x9F, the only ones of the code page that are not Latin-1.
const char16_t* AltiCp1252() {
    static const auto alti = [] {
        std::array<char16_t, 32> t{};
        for (std::size_t i = 0; i < t.size(); ++i)
            t[i] = CharFromCp1252(static_cast<unsigned char>(0x80 + i));
        return t;
    }();
    return alti.data();
}

// The code-page byte of a character, -1 when it has none.
int ByteCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    const char16_t* alti = AltiCp1252();
    for (int i = 0; i < 32; ++i)
        if (alti[i] == c)
            return 0x80 + i;
    return -1;
}

constexpr int kDecimaliPacchetto = 7;
constexpr std::uint64_t kMantissaPacchetto = std::uint64_t{1} << 52;

// A record packed into a buffer made large enough beforehand for its worst case, so that the bytes go in
// without a check each.
class CPacco {
public:
    // The worst case of a record whose texts hold `caratteri` characters in all.
    static std::size_t Massimo(std::size_t caratteri) { return 16 * kVarintMassimo + 2 * caratteri + 3 * 8; }

    CPacco(std::string& buffer, std::size_t massimo) {
        if (buffer.size() < massimo)
            buffer.resize(massimo);
        m_Inizio = m_P = reinterpret_cast<unsigned char*>(buffer.data());
    }
    const unsigned char* Dati() const { return m_Inizio; }
    std::size_t Lunghezza() const { return static_cast<std::size_t>(m_P - m_Inizio); }

    void Testo(std::u16string_view t) {
        const std::size_t n = t.size();
        // Most texts are ASCII: tested all at once, then copied without a look-up.
        char16_t tutti = 0;
        for (char16_t c : t)
            tutti |= c;
        if (tutti < 0x80) {
            Varint(std::uint64_t{n} * 2);
            for (std::size_t i = 0; i < n; ++i)
                m_P[i] = static_cast<unsigned char>(t[i]);
            m_P += n;
            return;
        }
        unsigned char* inizio = m_P;
        Varint(std::uint64_t{n} * 2);
        for (char16_t c : t) {
            const int b = ByteCp1252(c);
            if (b < 0) {
                m_P = inizio;
                Varint(std::uint64_t{n} * 2 + 1);
                for (char16_t w : t) {
                    *m_P++ = static_cast<unsigned char>(w & 0xFF);
                    *m_P++ = static_cast<unsigned char>(w >> 8);
                }
                return;
            }
            *m_P++ = static_cast<unsigned char>(b);
        }
    }

    // Bytes of the code page, as they came from a file.
    void Testo(std::string_view t) {
        const std::size_t n = t.size();
        Varint(std::uint64_t{n} * 2);
        // A field is a few dozen bytes, where a general copy takes long to start: whole words, the last
        // one overlapping the one before.
        const char* da = t.data();
        if (n >= 8) {
            for (std::size_t i = 0; i + 8 < n; i += 8)
                std::memcpy(m_P + i, da + i, 8);
            std::memcpy(m_P + n - 8, da + n - 8, 8);
        } else if (n >= 4) {
            std::memcpy(m_P, da, 4);
            std::memcpy(m_P + n - 4, da + n - 4, 4);
        } else {
            for (std::size_t i = 0; i < n; ++i)
                m_P[i] = static_cast<unsigned char>(da[i]);
        }
        m_P += n;
    }

    void Intero(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        Varint((u << 1) ^ (v < 0 ? 0xFFFFFFFFu : 0u));
    }

    void Reale(double v) {
        if (v == REALE_INDEFINITO) {
            Varint(0);
            return;
        }
        if (std::isfinite(v)) {
            const double a = std::fabs(v);
            for (int d = 0; d <= kDecimaliPacchetto; ++d) {
                const double scalato = a * kPotenze10[d];
                if (!(scalato < static_cast<double>(kMantissaPacchetto)))
                    break;
                const auto k = static_cast<std::uint64_t>(std::llround(scalato));
                if (static_cast<double>(k) / kPotenze10[d] == a) {
                    Esatto(k, d, std::signbit(v));
                    return;
                }
            }
        }
        Varint(1);
        std::memcpy(m_P, &v, sizeof v);
        m_P += sizeof v;
    }

    // DoubleDaString's value of a field (blanks, sign, digits, one separator), packed from its digits.
    template <typename C> void RealeCampo(std::basic_string_view<C> testo) {
        const NumeroCampo<C> n = LeggiNumeroCampo(testo);
        if (!n.numero)
            Varint(0);
        else if (n.lungo)
            Reale(DoubleDaCString(Largo(n.testo)));
        else if (n.decimali > kDecimaliPacchetto)
            Reale(n.Valore());
        else
            Esatto(n.cifre, n.decimali, n.negativo);
    }

private:
    static constexpr std::size_t kVarintMassimo = 10;

    static WString Largo(std::u16string_view t) { return WString(t); }
    static WString Largo(std::string_view t) {
        std::u16string largo(t.size(), u' ');
        ::Largo(t, t.size(), largo.data());
        return WString(std::move(largo));
    }

    void Varint(std::uint64_t v) {
        if (v < 0x80) {
            *m_P++ = static_cast<unsigned char>(v);
            return;
        }
        // Up to five bytes (a coordinate's) spread into one word and stored at once: every field has
        // room for the longest varint.
        if (std::endian::native == std::endian::little && v < (std::uint64_t{1} << 35)) {
            const int n = (std::bit_width(v) + 6) / 7;
            std::uint64_t parola = 0;
            for (int i = 0; i < 5; ++i)
                parola |= (((v >> (7 * i)) & 0x7F) | 0x80) << (8 * i);
            parola &= ~(std::uint64_t{0x80} << (8 * (n - 1)));
            std::memcpy(m_P, &parola, sizeof parola);
            m_P += n;
            return;
        }
        while (v >= 0x80) {
            *m_P++ = static_cast<unsigned char>(v | 0x80);
            v >>= 7;
        }
        *m_P++ = static_cast<unsigned char>(v);
    }
    void Esatto(std::uint64_t k, int decimali, bool negativo) {
        Varint(2 + ((k << 4) | (static_cast<std::uint64_t>(decimali) << 1) | (negativo ? 1 : 0)));
    }

    unsigned char* m_Inizio;
    unsigned char* m_P;
};

// Reads a packed record field by field, in the order it was written.
class CLettoreRecord {
public:
    explicit CLettoreRecord(const unsigned char* p) : m_P(p) {}
    void Testo(std::u16string& out) {
        const std::uint64_t v = Varint();
        const auto n = static_cast<std::size_t>(v >> 1);
        out.resize(n);
        if (v & 1) {
            for (std::size_t i = 0; i < n; ++i, m_P += 2)
                out[i] = static_cast<char16_t>(m_P[0] | (m_P[1] << 8));
            return;
        }
        const char16_t* alti = AltiCp1252();
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char b = m_P[i];
            out[i] = (b & 0xE0) == 0x80 ? alti[b - 0x80] : static_cast<char16_t>(b);
        }
        m_P += n;
    }
    WString Testo() {
        std::u16string t;
        Testo(t);
        return WString(std::move(t));
    }
    void Salta() {
        const std::uint64_t v = Varint();
        m_P += (v >> 1) * ((v & 1) ? 2 : 1);
    }
    std::int32_t Intero() {
        const auto u = static_cast<std::uint32_t>(Varint());
        return static_cast<std::int32_t>((u >> 1) ^ (0u - (u & 1)));
    }
    double Reale() {
        const std::uint64_t v = Varint();
        if (v == 0)
            return REALE_INDEFINITO;
        if (v == 1) {
            double d = 0;
            std::memcpy(&d, m_P, sizeof d);
            m_P += sizeof d;
            return d;
        }
        const std::uint64_t u = v - 2;
        const double a = static_cast<double>(u >> 4) / kPotenze10[(u >> 1) & 7];
        return (u & 1) ? -a : a;
    }

private:
    std::uint64_t Varint() {
        std::uint64_t v = 0;
        for (int shift = 0;; shift += 7) {
            const unsigned char b = *m_P++;
            v |= std::uint64_t{b & 0x7Fu} << shift;
            if (!(b & 0x80))
                return v;
        }
    }
    const unsigned char* m_P;
};

} // namespace

WString CodiceFoglioTaf(const WString& foglio, char16_t allegato) {
    if (foglio.GetLength() > 5) {
        WString out = foglio;
        out += (allegato == u' ' || allegato == u'\0') ? u'0' : allegato;
        return out;
    }
    return WString(RegolaFoglio(foglio.view(), allegato).View());
}

double DistanzaTaf(double dNord, double dEst) {
    const double a = std::fabs(dNord);
    const double b = std::fabs(dEst);
    if (a > b && a != 0) {
        const double r = b / a;
        return a * std::sqrt(1 + r * r);
    }
    if (b != 0) {
        const double r = a / b;
        return b * std::sqrt(1 + r * r);
    }
    return 0;
}

bool CTafElenco::Carica(const WString& path, const std::vector<WString>* comuni,
                        const std::vector<WString>* fogli, double nord, double est, double raggio) {
    const int punto = path.ReverseFind(u'.');
    if (punto < 0)
        return false;
    const WString estensione = StringToUpper(path.Mid(punto + 1));
    if (estensione == u"TAF") {
        if (comuni && fogli)
            return CaricaTafFiltro(path, *comuni, *fogli);
        return CaricaTafVicino(path, nord, est, raggio);
    }
    if (estensione == u"OUT")
        return CaricaOut(path, NomeBase(path));
    return false;
}

bool CTafElenco::CaricaTafFiltro(const WString& path, const std::vector<WString>& comuni,
                                 const std::vector<WString>& fogli) {
    if (path.IsEmpty())
        return false;
    Svuota();
    CLettoreRighe file(path);
    if (!file.Aperto())
        return false;
    if (comuni.empty())
        return true; // no municipality can match; the file need not be read
    // A whole province lists hundreds of municipalities: look them up, do not scan them. The lines are
    // bytes of the code page, so are the keys; a municipality that the code page cannot write matches
    // no line.
    std::vector<std::string> codici;
    codici.reserve(comuni.size());
    for (const WString& comune : comuni) {
        std::string codice;
        for (char16_t c : comune.view()) {
            const int b = ByteCp1252(c);
            if (b < 0) {
                codice.clear();
                break;
            }
            codice.push_back(static_cast<char>(b));
        }
        if (!codice.empty() || comune.IsEmpty())
            codici.push_back(std::move(codice));
    }
    std::unordered_set<std::string_view> chiavi(codici.begin(), codici.end());
    CConteggio conta;
    while (file.Avanti()) {
        // Municipality, sheet and annex lie in the first 12 columns.
        const std::string_view inizio = file.Inizio(kColAllegato + 1);
        std::size_t lunghezzaChiave = std::min<std::size_t>(5, inizio.size());
        if (lunghezzaChiave == 5 && inizio[4] == ' ')
            lunghezzaChiave = 4;
        if (!chiavi.contains(inizio.substr(0, lunghezzaChiave)))
            continue;
        if (!fogli.empty()) {
            char16_t testa[kColAllegato + 1];
            const std::u16string_view riga = Largo(inizio, kColAllegato + 1, testa);
            // Columns 6 to 9: a blank first column is left out, blanks after it are zeros.
            char16_t foglio[4];
            std::size_t n = 0;
            const char16_t primo = At(riga, 6);
            if (primo != u' ' && primo != u'\0')
                foglio[n++] = primo;
            for (std::size_t col = 7; col <= 9; ++col) {
                const char16_t ch = At(riga, col);
                foglio[n++] = (ch == u' ' || ch == u'\0') ? u'0' : ch;
            }
            const CodiceFoglio codice = RegolaFoglio({foglio, n}, At(riga, kColAllegato));
            bool preso = false;
            for (const WString& f : fogli)
                if (f.view() == codice.View()) {
                    preso = true;
                    break;
                }
            if (!preso)
                continue;
        }
        conta.Conta(!file.ConNul() && Leggi(file.Riga()));
    }
    return conta.Riuscito();
}

bool CTafElenco::CaricaTafVicino(const WString& path, double nord, double est, double raggio) {
    if (IsRealeIndefinito(nord) || IsRealeIndefinito(est) || !(raggio > 0) || path.IsEmpty())
        return false;
    Svuota();
    CLettoreRighe file(path);
    if (!file.Aperto())
        return false;
    CConteggio conta;
    while (file.Avanti()) {
        const std::string_view coordinate = file.Inizio(kColEst + kLenCoordinata);
        const double n = Wtof(coordinate, kColNord, kLenCoordinata);
        const double e = Wtof(coordinate, kColEst, kLenCoordinata);
        if (DistanzaTaf(n - nord, e - est) <= raggio)
            conta.Conta(!file.ConNul() && Leggi(file.Riga()));
    }
    return conta.Riuscito();
}

bool CTafElenco::CaricaOut(const WString& path, const WString& comune) {
    Svuota();
    if (path.IsEmpty())
        return false;
    CLettoreRighe file(path);
    if (!file.Aperto())
        return false;
    CConteggio conta;
    char16_t largo[kLarghi];
    while (file.Avanti()) {
        const std::u16string_view riga = Largo(file.Riga(), kLarghi, largo);
        if (SenzaBianchiDx(riga).empty() && !file.ConNul())
            continue;
        const bool record = !file.ConNul() && IsRecordOut(riga);
        conta.Conta(record);
        if (!record)
            continue;
        CTafPunto punto;
        punto.Comune = comune;
        std::size_t inizio = 0;
        for (int campo = 1; campo <= 6; ++campo) {
            const std::size_t virgola = riga.find(u',', inizio);
            if (virgola == std::u16string_view::npos)
                break;
            const WString testo(riga.substr(inizio, virgola - inizio));
            inizio = virgola + 1;
            switch (campo) {
            case 1:
                punto.Foglio = testo;
                break;
            case 2:
                punto.NumPF = Intero(testo);
                break;
            case 3:
                punto.AttP = InteroAssoluto(testo);
                break;
            case 4:
                punto.Nord = Reale(testo);
                break;
            case 5:
                punto.Est = Reale(testo);
                break;
            default:
                punto.Quota = Reale(testo);
                break;
            }
        }
        Archivia(punto);
    }
    return conta.Riuscito();
}

bool CTafElenco::LeggiRigaTaf(const WString& riga) {
    return Leggi(riga.view());
}

namespace {

CodiceFoglio RegolaFoglioDi(std::u16string_view riga) {
    return RegolaFoglio(SenzaBianchiSx(Campo(riga, 5, 5)), At(riga, kColAllegato));
}
CodiceFoglio RegolaFoglioDi(std::string_view riga) {
    return RegolaFoglio(SenzaBianchiSx(Campo(riga, 5, 5)), At(riga, kColAllegato));
}

// The fields of a TAF line, cut in place and packed; false, and nothing packed, when it names no point.
template <typename C>
bool PaccaRigaTaf(std::basic_string_view<C> riga, std::string& buffer, std::string_view& pacco) {
    using Vista = std::basic_string_view<C>;
    if (!IsRecordTaf(riga))
        return false;
    // A coordinate whose column the line does not reach whole was cut with the line: its digits are
    // not its value.
    const std::size_t testo = SenzaFineRiga(riga).size();
    const bool conQuota = riga.size() >= kLunghezzaConQuota;
    CPacco r(buffer, CPacco::Massimo(riga.size() + 8));
    r.Testo(RegolaFoglioDi(riga).View());
    r.Testo(SenzaBianchiDx(Campo(riga, 30, 70)));
    r.Testo(conQuota ? SenzaBianchiDx(Campo(riga, 165, 70)) : Vista());
    r.Testo(SenzaBianchiDx(SenzaBianchiSx(Campo(riga, 0, 5))));
    r.Intero(std::abs(InteroCampo(Campo(riga, kColNumero, kLenNumero))));
    r.Intero(std::abs(InteroCampo(Campo(riga, 127, 2))));
    r.Intero(conQuota ? std::abs(InteroCampo(Campo(riga, 236, 2))) : 0);
    r.RealeCampo(testo >= kColNord + kLenCoordinata ? Campo(riga, kColNord, kLenCoordinata) : Vista());
    r.RealeCampo(testo >= kColEst + kLenCoordinata ? Campo(riga, kColEst, kLenCoordinata) : Vista());
    r.RealeCampo(conQuota ? Campo(riga, 241, 10) : Vista());
    r.Testo(SenzaBianchiDx(Campo(riga, 18, 11)));
    r.Testo(SenzaBianchiSx(Campo(riga, 130, 4)));
    r.Testo(Campo(riga, 135, 1));
    r.Testo(SenzaBianchiSx(Campo(riga, 137, 4)));
    r.Testo(Campo(riga, 142, 6));
    r.Testo(SenzaBianchiDx(Campo(riga, 149, 15)));
    pacco = {reinterpret_cast<const char*>(r.Dati()), r.Lunghezza()};
    return true;
}

} // namespace

// The fields are cut from the line in place and packed straight away: nothing of a line reaches the heap.
bool CTafElenco::Leggi(std::u16string_view riga) {
    std::string_view pacco;
    if (!PaccaRigaTaf(riga, m_Scritto, pacco))
        return false;
    Archivia(reinterpret_cast<const unsigned char*>(pacco.data()), pacco.size());
    return true;
}

bool CTafElenco::Leggi(std::string_view riga) {
    std::string_view pacco;
    if (!PaccaRigaTaf(riga, m_Scritto, pacco))
        return false;
    Archivia(reinterpret_cast<const unsigned char*>(pacco.data()), pacco.size());
    return true;
}

void CTafElenco::Archivia(const CTafPunto& p) {
    std::size_t caratteri = 0;
    for (const WString* t : {&p.Foglio, &p.DescrPlan, &p.DescrQuota, &p.Comune, &p.Particella, &p.FoglioOr,
                             &p.AllegOr, &p.FiducOr, &p.DataAgg, &p.CausaAgg})
        caratteri += t->view().size();
    CPacco r(m_Scritto, CPacco::Massimo(caratteri));
    r.Testo(p.Foglio.view());
    r.Testo(p.DescrPlan.view());
    r.Testo(p.DescrQuota.view());
    r.Testo(p.Comune.view());
    r.Intero(p.NumPF);
    r.Intero(p.AttP);
    r.Intero(p.AttQ);
    r.Reale(p.Nord);
    r.Reale(p.Est);
    r.Reale(p.Quota);
    r.Testo(p.Particella.view());
    r.Testo(p.FoglioOr.view());
    r.Testo(p.AllegOr.view());
    r.Testo(p.FiducOr.view());
    r.Testo(p.DataAgg.view());
    r.Testo(p.CausaAgg.view());
    Archivia(r.Dati(), r.Lunghezza());
}

void CTafElenco::Archivia(const unsigned char* record, std::size_t lunghezza) {
    // A record longer than a block (a web answer's field may be) gets a block of its own.
    if (m_Blocchi.empty() || m_Usati + lunghezza > kBlocco) {
        m_Blocchi.push_back(std::make_unique_for_overwrite<unsigned char[]>(std::max(kBlocco, lunghezza)));
        m_Usati = 0;
    }
    std::memcpy(m_Blocchi.back().get() + m_Usati, record, lunghezza);
    if (m_Conteggio % kPosizioniPerBlocco == 0)
        m_Posizioni.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(kPosizioniPerBlocco));
    m_Posizioni.back()[m_Conteggio % kPosizioniPerBlocco] =
        static_cast<std::uint32_t>((m_Blocchi.size() - 1) * kBlocco + m_Usati);
    m_Usati += lunghezza;
    ++m_Conteggio;
}

const unsigned char* CTafElenco::Record(std::size_t index) const {
    const std::uint32_t posizione = m_Posizioni[index / kPosizioniPerBlocco][index % kPosizioniPerBlocco];
    return m_Blocchi[posizione / kBlocco].get() + posizione % kBlocco;
}

namespace {

// A line of an answer counts only with the fields of a point: '$'-terminated fields up to the East, a PF
// number of at most four digits (a TAF column's width) and both coordinates. An error page or stray
// bytes served as an answer are no points.
bool IsRigaPunto(std::u16string_view riga, bool posizione) {
    std::u16string_view campi[6];
    std::size_t n = 0;
    for (std::size_t da = 0, dollaro = riga.find(u'$'); dollaro != std::u16string_view::npos && n < 6;
         da = dollaro + 1, dollaro = riga.find(u'$', da))
        campi[n++] = riga.substr(da, dollaro - da);
    const std::size_t primo = posizione ? 0 : 1; // the field numbered 0, 1 is the first of the line
    if (n + primo < 6)
        return false;
    std::u16string_view numero = campi[2 - primo];
    while (!numero.empty() && numero.front() == u' ')
        numero.remove_prefix(1);
    while (!numero.empty() && numero.back() == u' ')
        numero.remove_suffix(1);
    if (numero.empty() || numero.size() > 4 ||
        !std::all_of(numero.begin(), numero.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        return false;
    return !IsRealeIndefinito(Reale(WString(campi[4 - primo]))) &&
           !IsRealeIndefinito(Reale(WString(campi[5 - primo])));
}

} // namespace

bool CTafElenco::LeggiRispostaTaf(const WString& risposta, const WString& comune, bool posizione) {
    if (risposta.Find(WString(u"Warning")) >= 0)
        return true;
    const std::u16string_view testo = risposta.view();
    bool righe = false;
    bool punti = false;
    for (std::size_t inizio = 0; inizio < testo.size();) {
        // The last line may come without its line end.
        std::size_t fine = testo.find(u'\n', inizio);
        if (fine == std::u16string_view::npos)
            fine = testo.size();
        std::u16string_view riga = testo.substr(inizio, fine - inizio);
        inizio = fine + 1;
        if (!riga.empty() && riga.back() == u'\r')
            riga.remove_suffix(1);
        if (riga.empty())
            continue;
        righe = true;
        if (!IsRigaPunto(riga, posizione))
            continue;
        punti = true;
        CTafPunto p;
        p.Comune = comune;
        int campo = posizione ? 0 : 1;
        std::size_t da = 0;
        for (std::size_t dollaro = riga.find(u'$'); dollaro != std::u16string_view::npos && campo <= 15;
             da = dollaro + 1, dollaro = riga.find(u'$', da), ++campo) {
            const WString v(riga.substr(da, dollaro - da));
            switch (campo) {
            case 0:
                p.Comune = v;
                break;
            case 1:
                p.Foglio = v;
                break;
            case 2:
                p.NumPF = Intero(v);
                break;
            case 3:
                p.DescrPlan = v;
                break;
            case 4:
                p.Nord = Reale(v);
                break;
            case 5:
                p.Est = Reale(v);
                break;
            case 6:
                p.AttP = InteroAssoluto(v);
                break;
            case 7:
                p.Quota = Reale(v);
                break;
            case 8:
                p.DescrQuota = v;
                break;
            case 9:
                p.AttQ = InteroAssoluto(v);
                break;
            case 10:
                p.Particella = v;
                break;
            case 11:
                p.FoglioOr = v;
                break;
            case 12:
                p.AllegOr = v;
                break;
            case 13:
                p.FiducOr = v;
                break;
            case 14:
                p.DataAgg = v;
                break;
            default:
                p.CausaAgg = v;
                break;
            }
        }
        Archivia(p);
    }
    return punti || !righe;
}

void CTafElenco::Aggiungi(std::unique_ptr<CTafPunto> punto) {
    if (!punto)
        return;
    Archivia(*punto);
    m_Costruiti.emplace(m_Conteggio - 1, std::move(punto));
}

void CTafElenco::Svuota() {
    m_Costruiti.clear();
    m_Blocchi.clear();
    m_Posizioni.clear();
    m_Usati = 0;
    m_Conteggio = 0;
}

CTafPunto* CTafElenco::GetNext() {
    if (m_Iter >= m_Conteggio)
        return nullptr;
    return GetAt(static_cast<int>(m_Iter++));
}

CTafPunto* CTafElenco::GetAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_Conteggio)
        return nullptr;
    const auto i = static_cast<std::size_t>(index);
    std::unique_ptr<CTafPunto>& costruito = m_Costruiti[i];
    if (!costruito) {
        auto p = std::make_unique<CTafPunto>();
        CLettoreRecord r(Record(i));
        p->Foglio = r.Testo();
        p->DescrPlan = r.Testo();
        p->DescrQuota = r.Testo();
        p->Comune = r.Testo();
        p->NumPF = r.Intero();
        p->AttP = r.Intero();
        p->AttQ = r.Intero();
        p->Nord = r.Reale();
        p->Est = r.Reale();
        p->Quota = r.Reale();
        p->Particella = r.Testo();
        p->FoglioOr = r.Testo();
        p->AllegOr = r.Testo();
        p->FiducOr = r.Testo();
        p->DataAgg = r.Testo();
        p->CausaAgg = r.Testo();
        costruito = std::move(p);
    }
    return costruito.get();
}

bool CTafElenco::GetNome(int index, std::int32_t& numPF, std::u16string& foglio,
                         std::u16string& comune) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_Conteggio)
        return false;
    CLettoreRecord r(Record(static_cast<std::size_t>(index)));
    r.Testo(foglio);
    r.Salta();
    r.Salta();
    r.Testo(comune);
    numPF = r.Intero();
    return true;
}
