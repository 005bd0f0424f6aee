#include "distances/DisElenco.h"

#include "hostapi/Conversions.h"
#include "hostapi/FileIO.h"
#include "pfimport/TafElenco.h"

#include <algorithm>

namespace {

// Only the first 81 characters of a .dis line count.
constexpr std::size_t kColonneDis = CDisRiga::kResto + CDisRiga::kMaxResto;

bool IsFineRiga(char16_t c) {
    return c == u'\n' || c == u'\r';
}
bool IsSeparatore(char16_t c) {
    return c == u' ' || IsFineRiga(c);
}

std::u16string_view SenzaFineRiga(std::u16string_view riga) {
    while (!riga.empty() && IsFineRiga(riga.back()))
        riga.remove_suffix(1);
    return riga;
}

// The field at [inizio, inizio + lunghezza) of a line, as far as the line reaches.
std::u16string_view Campo(std::u16string_view riga, std::size_t inizio, std::size_t lunghezza) {
    return inizio < riga.size() ? riga.substr(inizio, lunghezza) : std::u16string_view();
}

WString SenzaSpazi(std::u16string_view campo) {
    WString out;
    for (char16_t c : campo)
        if (c != u' ')
            out += c;
    return out;
}

char16_t Carattere(std::u16string_view riga, std::size_t i) {
    return i < riga.size() ? riga[i] : u'\0';
}

WString NumeroPunto(std::u16string_view campo) {
    WString numero = SenzaSpazi(campo);
    while (numero.GetLength() < 2)
        numero.Insert(0, u"0");
    return numero;
}

WString NomePunto(const WString& numero, const WString& foglio, const WString& comune) {
    return u"PF" + numero + u"/" + foglio + u"/" + comune;
}

// The next token from `pos`: blanks and line ends before it are skipped, a blank, a line end or the end
// of the text ends it; at the end of a cut line it is not a whole token and reads as nothing.
WString Token(std::u16string_view testo, std::size_t& pos, bool tagliata) {
    while (pos < testo.size() && IsSeparatore(testo[pos]))
        ++pos;
    const std::size_t inizio = pos;
    while (pos < testo.size() && !IsSeparatore(testo[pos]))
        ++pos;
    if (pos == inizio || (pos == testo.size() && tagliata))
        return WString();
    return WString(testo.substr(inizio, pos - inizio));
}

// The lines of a web answer that fit a block, without their line ends; the text after the last '\n' too
// when asked for.
std::vector<std::u16string_view> RigheWeb(std::u16string_view testo, bool ancheUltima) {
    std::vector<std::u16string_view> righe;
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        const std::size_t fine = testo.find(u'\n', inizio);
        if (fine == std::u16string_view::npos && !ancheUltima)
            break;
        std::u16string_view riga =
            testo.substr(inizio, fine == std::u16string_view::npos ? fine : fine - inizio);
        if (!riga.empty() && riga.back() == u'\r')
            riga.remove_suffix(1);
        if (!riga.empty() && riga.size() <= static_cast<std::size_t>(CDisRiga::kMaxResto))
            righe.push_back(riga);
        if (fine == std::u16string_view::npos)
            break;
        inizio = fine + 1;
    }
    return righe;
}

} // namespace

CDisRiga::CDisRiga(const WString& comune, const WString& foglio, std::u16string_view resto) {
    Copia(kComune, comune.view(), kMaxComune);
    Copia(kFoglio, foglio.view(), kMaxFoglio);
    Copia(kResto, resto, kMaxResto);
    m_Tagliata = resto.size() > static_cast<std::size_t>(kMaxResto) && !IsSeparatore(resto[kMaxResto]);
}

void CDisRiga::Copia(int inizio, std::u16string_view testo, int massimo) {
    const std::size_t n = std::min(testo.size(), static_cast<std::size_t>(massimo));
    std::copy_n(testo.begin(), n, m_Blocco + inizio);
    m_Blocco[inizio + static_cast<int>(n)] = u'\0';
}

WString CDisRiga::Parte(int inizio) const {
    return WString(m_Blocco + inizio);
}

std::u16string_view CDisRiga::GetResto() const {
    return std::u16string_view(m_Blocco + kResto);
}

std::unique_ptr<CDisRiga> CDisElenco::RigaDaFile(std::u16string_view riga) {
    riga = SenzaFineRiga(riga);
    const WString comune = SenzaSpazi(Campo(riga, 0, 6));
    const WString foglio = CodiceFoglioTaf(SenzaSpazi(Campo(riga, 6, 4)), Carattere(riga, 11));
    // Columns 12 to 80, and whether column 81 would have continued a token.
    std::u16string_view resto = Campo(riga, CDisRiga::kResto, kColonneDis + 1 - CDisRiga::kResto);
    return std::make_unique<CDisRiga>(comune, foglio, resto);
}

bool CDisElenco::CaricaFile(const WString& percorso) {
    if (percorso.IsEmpty())
        return false;
    PlatformFile* file = _wfopen(percorso.c_str(), u"rt");
    if (!file)
        return false;
    constexpr int kBuffer = 1024;
    constexpr std::size_t kLetturaMax = kBuffer - 2; // 1022 characters, a terminator and room for fgetws
    char16_t buffer[kBuffer];
    bool continua = false;
    bool ok = true;
    while (fgetws(buffer, static_cast<int>(kLetturaMax) + 1, file)) {
        const std::u16string_view riga(buffer);
        if (riga.empty()) {
            ok = false;
            break;
        }
        // The pieces after the first of an overlong line are no lines of their own.
        if (!continua)
            Aggiungi(RigaDaFile(riga));
        continua = riga.size() == kLetturaMax && riga.back() != u'\n';
    }
    fclose(file);
    return ok;
}

void CDisElenco::CaricaRispostaWeb(const WString& risposta, const WString& comune, const WString& foglio) {
    if (risposta.Find(WString(u"Warning")) >= 0)
        return;
    for (std::u16string_view riga : RigheWeb(risposta.view(), false))
        Aggiungi(std::make_unique<CDisRiga>(comune, foglio, riga));
}

bool IsRispostaDistanze(const WString& risposta) {
    if (risposta.IsEmpty() || risposta.Find(WString(u"Warning")) >= 0)
        return true;
    for (std::u16string_view riga : RigheWeb(risposta.view(), true))
        if (DistanzaDaWeb(CDisRiga(WString(), WString(), riga)).IsCompleta())
            return true;
    return false;
}

bool CDisDistanza::IsCompleta() const {
    return !nome1.IsEmpty() && !nome2.IsEmpty() && !IsRealeIndefinito(DoubleDaCString(distanza)) &&
           !IsRealeIndefinito(DoubleDaCString(sqm));
}

CDisDistanza DistanzaDaFile(const CDisRiga& riga) {
    // The rest starts at column 12.
    const std::u16string_view resto = riga.GetResto();
    CDisDistanza d;
    d.nome1 = NomePunto(NumeroPunto(Campo(resto, 0, 6)), riga.GetFoglio(), riga.GetComune());
    const WString comune2 = SenzaSpazi(Campo(resto, 6, 6));
    const WString foglio2 = CodiceFoglioTaf(SenzaSpazi(Campo(resto, 12, 4)), Carattere(resto, 17));
    d.nome2 = NomePunto(NumeroPunto(Campo(resto, 18, 6)), foglio2, comune2);
    d.libretto = SenzaSpazi(Campo(resto, 24, 13));
    std::size_t pos = std::min<std::size_t>(37, resto.size());
    d.distanza = Token(resto, pos, riga.IsTagliata());
    d.sqm = Token(resto, pos, riga.IsTagliata());
    return d;
}

CDisDistanza DistanzaDaWeb(const CDisRiga& riga) {
    const std::u16string_view resto = riga.GetResto();
    CDisDistanza d;
    WString* campi[] = {&d.nome1, &d.nome2, &d.libretto, &d.distanza};
    std::size_t inizio = 0;
    std::size_t n = 0;
    for (std::size_t virgola = resto.find(u','); virgola != std::u16string_view::npos;
         inizio = virgola + 1, virgola = resto.find(u',', inizio)) {
        if (n < std::size(campi) && virgola > inizio)
            *campi[n] = WString(resto.substr(inizio, virgola - inizio));
        ++n;
    }
    if (n > 0)
        d.sqm = WString(resto.substr(inizio, 5));
    return d;
}

CPezziNomePF PezziNomePF(const WString& nome) {
    return {nome.Mid(2, 2), nome.Mid(5, 4), nome.Mid(10)};
}
