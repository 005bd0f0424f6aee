#include "pfimport/TafElenco.h"

#include "hostapi/FileIO.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

// Columns of a TAF line, counted from 0.
constexpr int kColNord = 101;
constexpr int kColEst = 114;
constexpr int kLenCoordinata = 12;
constexpr int kColAllegato = 11;
// Lines shorter than this (line end included) carry no height.
constexpr int kLunghezzaConQuota = 250;

// The file in text mode, one read of at most 1022 characters at a time; a longer line arrives in pieces,
// each taken as a line. A NUL byte ends the text of its read, as it does for any C text.
class CLettoreRighe {
public:
    explicit CLettoreRighe(const WString& path) : m_File(_wfopen(path.c_str(), u"rt")) {}
    CLettoreRighe(const CLettoreRighe&) = delete;
    CLettoreRighe& operator=(const CLettoreRighe&) = delete;
    ~CLettoreRighe() {
        if (m_File)
            fclose(m_File);
    }
    bool Aperto() const { return m_File != nullptr; }
    bool Avanti() {
        if (!fgetws(m_Buffer, kLetturaMax, m_File))
            return false;
        m_Riga = std::u16string_view(m_Buffer);
        return true;
    }
    std::u16string_view Riga() const { return m_Riga; }

private:
    static constexpr int kBuffer = 1024;
    static constexpr int kLetturaMax = kBuffer - 1; // 1022 characters and the terminator
    PlatformFile* m_File;
    char16_t m_Buffer[kBuffer] = {};
    std::u16string_view m_Riga;
};

char16_t At(std::u16string_view s, std::size_t i) {
    return i < s.size() ? s[i] : u'\0';
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
CodiceFoglio RegolaFoglio(std::u16string_view foglio, char16_t allegato) {
    CodiceFoglio out;
    foglio = foglio.substr(0, 5);
    for (std::size_t pad = foglio.size(); pad < 3; ++pad)
        out.c[out.n++] = u'0';
    for (char16_t ch : foglio)
        out.c[out.n++] = ch;
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
    out.c[out.n++] = (allegato == u' ' || allegato == u'\0') ? u'0' : allegato;
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

WString TrimmedLeft(WString s) {
    return s.TrimLeft();
}
WString TrimmedRight(WString s) {
    return s.TrimRight();
}
WString Trimmed(WString s) {
    return s.Trim();
}

// The runtime's wtof on a fixed field: leading blanks, sign, digits, decimals and exponent as far as they
// go; 0 when nothing reads as a number.
double Wtof(std::u16string_view riga, std::size_t first, std::size_t length) {
    if (first >= riga.size())
        return 0;
    const std::u16string_view campo = riga.substr(first, length);
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

// The base name of a path: after the last separator, without the extension.
WString NomeBase(const WString& path) {
    const int sep = std::max(path.ReverseFind(u'\\'), path.ReverseFind(u'/'));
    WString nome = path.Mid(sep + 1);
    const int punto = nome.ReverseFind(u'.');
    return punto >= 0 ? nome.Left(punto) : nome;
}

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
    // A whole province lists hundreds of municipalities: look them up, do not scan them.
    std::unordered_set<std::u16string_view> chiavi;
    for (const WString& comune : comuni)
        chiavi.insert(comune.view());
    if (chiavi.empty())
        return true; // no municipality can match; the file need not be read
    while (file.Avanti()) {
        const std::u16string_view riga = file.Riga();
        std::size_t lunghezzaChiave = std::min<std::size_t>(5, riga.size());
        if (lunghezzaChiave == 5 && riga[4] == u' ')
            lunghezzaChiave = 4;
        if (!chiavi.contains(riga.substr(0, lunghezzaChiave)))
            continue;
        if (!fogli.empty()) {
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
        LeggiRigaTaf(WString(riga));
    }
    return true;
}

bool CTafElenco::CaricaTafVicino(const WString& path, double nord, double est, double raggio) {
    if (IsRealeIndefinito(nord) || IsRealeIndefinito(est) || !(raggio > 0) || path.IsEmpty())
        return false;
    Svuota();
    CLettoreRighe file(path);
    if (!file.Aperto())
        return false;
    while (file.Avanti()) {
        const std::u16string_view riga = file.Riga();
        const double n = Wtof(riga, kColNord, kLenCoordinata);
        const double e = Wtof(riga, kColEst, kLenCoordinata);
        if (DistanzaTaf(n - nord, e - est) <= raggio)
            LeggiRigaTaf(WString(riga));
    }
    return true;
}

bool CTafElenco::CaricaOut(const WString& path, const WString& comune) {
    Svuota();
    if (path.IsEmpty())
        return false;
    CLettoreRighe file(path);
    if (!file.Aperto())
        return false;
    while (file.Avanti()) {
        const std::u16string_view riga = file.Riga();
        auto punto = std::make_unique<CTafPunto>();
        punto->Comune = comune;
        std::size_t inizio = 0;
        for (int campo = 1; campo <= 6; ++campo) {
            const std::size_t virgola = riga.find(u',', inizio);
            if (virgola == std::u16string_view::npos)
                break;
            const WString testo(riga.substr(inizio, virgola - inizio));
            inizio = virgola + 1;
            switch (campo) {
            case 1:
                punto->Foglio = testo;
                break;
            case 2:
                punto->NumPF = Intero(testo);
                break;
            case 3:
                punto->AttP = InteroAssoluto(testo);
                break;
            case 4:
                punto->Nord = Reale(testo);
                break;
            case 5:
                punto->Est = Reale(testo);
                break;
            default:
                punto->Quota = Reale(testo);
                break;
            }
        }
        Aggiungi(std::move(punto));
    }
    return true;
}

void CTafElenco::LeggiRigaTaf(const WString& riga) {
    auto p = std::make_unique<CTafPunto>();
    p->Comune = Trimmed(riga.Mid(0, 5));
    const WString annex = riga.Mid(kColAllegato, 1);
    p->Foglio = CodiceFoglioTaf(TrimmedLeft(riga.Mid(5, 5)), annex.IsEmpty() ? u' ' : annex.GetAt(0));
    p->NumPF = InteroAssoluto(riga.Mid(13, 4));
    p->Particella = TrimmedRight(riga.Mid(18, 11));
    p->DescrPlan = TrimmedRight(riga.Mid(30, 70));
    p->Nord = Reale(riga.Mid(kColNord, kLenCoordinata));
    p->Est = Reale(riga.Mid(kColEst, kLenCoordinata));
    p->AttP = InteroAssoluto(riga.Mid(127, 2));
    p->FoglioOr = TrimmedLeft(riga.Mid(130, 4));
    p->AllegOr = riga.Mid(135, 1);
    p->FiducOr = TrimmedLeft(riga.Mid(137, 4));
    p->DataAgg = riga.Mid(142, 6);
    p->CausaAgg = TrimmedRight(riga.Mid(149, 15));
    if (riga.GetLength() >= kLunghezzaConQuota) {
        p->DescrQuota = TrimmedRight(riga.Mid(165, 70));
        p->AttQ = InteroAssoluto(riga.Mid(236, 2));
        p->Quota = Reale(TrimmedLeft(riga.Mid(241, 10)));
    }
    Aggiungi(std::move(p));
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
        auto p = std::make_unique<CTafPunto>();
        p->Comune = comune;
        int campo = posizione ? 0 : 1;
        std::size_t da = 0;
        for (std::size_t dollaro = riga.find(u'$'); dollaro != std::u16string_view::npos && campo <= 15;
             da = dollaro + 1, dollaro = riga.find(u'$', da), ++campo) {
            const WString v(riga.substr(da, dollaro - da));
            switch (campo) {
            case 0:
                p->Comune = v;
                break;
            case 1:
                p->Foglio = v;
                break;
            case 2:
                p->NumPF = Intero(v);
                break;
            case 3:
                p->DescrPlan = v;
                break;
            case 4:
                p->Nord = Reale(v);
                break;
            case 5:
                p->Est = Reale(v);
                break;
            case 6:
                p->AttP = InteroAssoluto(v);
                break;
            case 7:
                p->Quota = Reale(v);
                break;
            case 8:
                p->DescrQuota = v;
                break;
            case 9:
                p->AttQ = InteroAssoluto(v);
                break;
            case 10:
                p->Particella = v;
                break;
            case 11:
                p->FoglioOr = v;
                break;
            case 12:
                p->AllegOr = v;
                break;
            case 13:
                p->FiducOr = v;
                break;
            case 14:
                p->DataAgg = v;
                break;
            default:
                p->CausaAgg = v;
                break;
            }
        }
        Aggiungi(std::move(p));
    }
    return punti || !righe;
}

void CTafElenco::Aggiungi(std::unique_ptr<CTafPunto> punto) {
    if (punto)
        m_Punti.push_back(std::move(punto));
}

void CTafElenco::Svuota() {
    m_Punti.clear();
}

CTafPunto* CTafElenco::GetNext() {
    if (m_Iter >= m_Punti.size())
        return nullptr;
    return m_Punti[m_Iter++].get();
}

CTafPunto* CTafElenco::GetAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_Punti.size())
        return nullptr;
    return m_Punti[static_cast<std::size_t>(index)].get();
}
