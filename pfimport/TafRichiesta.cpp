#include "pfimport/TafRichiesta.h"

#include "hostapi/Internet.h"
#include "hostapi/Settings.h"
#include "pfimport/TafElenco.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr const char16_t* kPercorso = u"/tafservice/tafservice.php";
constexpr const char16_t* kServerPredefinito = u"127.0.0.1:8088";
constexpr const char16_t* kAgente = u"Microsoft Internet Explorer";

// Values go into the address percent-encoded (UTF-8), keys and separators as they are; the check value is
// computed on the values as typed, so the service decodes before checking.
WString Codificato(const WString& valore) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    WString out;
    for (unsigned char b : valore.ToUtf8()) {
        const bool libero = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                            b == '-' || b == '.' || b == '_' || b == '~' || b == ',';
        if (libero) {
            out += static_cast<char16_t>(b);
        } else {
            out += u'%';
            out += static_cast<char16_t>(kHex[b >> 4]);
            out += static_cast<char16_t>(kHex[b & 0x0F]);
        }
    }
    return out;
}

struct Coppia {
    const char16_t* chiave;
    WString valore;
};

std::vector<Coppia> Coppie(const CTafRichiesta& r, int tipo) {
    switch (tipo) {
    case CTafRichiesta::kDistanze:
        return {{u"codice", r.Codice}, {u"foglio", r.Foglio},   {u"pf", r.Pf},      {u"codice2", r.Codice2},
                {u"pf2", r.Pf2},       {u"foglio2", r.Foglio2}, {u"distanze", u"1"}};
    case CTafRichiesta::kComune:
        return {{u"codice", r.Codice},
                {u"foglio", r.Foglio},
                {u"pf", r.Pf},
                {u"raggio", CTafRichiesta::Numero(r.Raggio)},
                {u"x", CTafRichiesta::Numero(r.X)},
                {u"y", CTafRichiesta::Numero(r.Y)}};
    default:
        return {{u"prov", r.Codice2},
                {u"raggio", CTafRichiesta::Numero(r.Raggio)},
                {u"x", CTafRichiesta::Numero(r.X)},
                {u"y", CTafRichiesta::Numero(r.Y)}};
    }
}

WString Unite(const std::vector<Coppia>& coppie, bool codifica) {
    WString out;
    for (std::size_t i = 0; i < coppie.size(); ++i) {
        if (i > 0)
            out += u'&';
        out += coppie[i].chiave;
        out += u'=';
        out += codifica ? Codificato(coppie[i].valore) : coppie[i].valore;
    }
    return out;
}

// One piece of the answer, 8-bit text taken by its length: a NUL byte inside must not hide what follows.
void Accoda(WString& risposta, const char* dati, DWORD letti) {
    risposta += WString::FromCp1252(std::string_view(dati, letti));
}

// Opens the address and collects the answer. False when the request could not be made (`errore` gets the
// platform's cause) or the service answered with an HTTP error (`stato` gets the status).
bool Scarica(const WString& indirizzo, bool distanze, WString& risposta, DWORD& errore, DWORD& stato) {
    risposta.Empty();
    errore = ERROR_SUCCESS;
    stato = 0;
    HINTERNET sessione = InternetOpenW(kAgente, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!sessione) {
        errore = GetLastError();
        return false;
    }
    HINTERNET file =
        InternetOpenUrlW(sessione, indirizzo.c_str(), nullptr, 0, INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (!file) {
        errore = GetLastError();
        InternetCloseHandle(sessione);
        return false;
    }
    DWORD lunghezza = sizeof stato;
    if (!HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &stato, &lunghezza, nullptr))
        stato = 0;
    // An error page is no answer of the service.
    if (stato >= 400) {
        InternetCloseHandle(file);
        InternetCloseHandle(sessione);
        return false;
    }
    if (distanze) {
        char buffer[4096];
        DWORD letti = 0;
        while (InternetReadFile(file, buffer, sizeof buffer - 1, &letti) && letti > 0)
            Accoda(risposta, buffer, letti);
    } else {
        // The service may still be producing: one empty report earns a second of patience, the second
        // ends the download.
        std::vector<char> buffer(16384);
        int vuoti = 0;
        for (;;) {
            DWORD disponibili = 0;
            if (!InternetQueryDataAvailable(file, &disponibili, 0, 0))
                break;
            DWORD letti = 0;
            if (disponibili > 0) {
                const DWORD chiesti = std::min<DWORD>(disponibili, static_cast<DWORD>(buffer.size()));
                if (!InternetReadFile(file, buffer.data(), chiesti, &letti))
                    break;
                Accoda(risposta, buffer.data(), letti);
            }
            if (letti == 0) {
                if (++vuoti >= 2)
                    break;
                Sleep(1000);
            }
        }
    }
    InternetCloseHandle(file);
    InternetCloseHandle(sessione);
    return true;
}

} // namespace

WString IndirizzoServerTaf() {
    WString server = CIniFile().GetString(u"CATASTO", u"TAF_SERVER", kServerPredefinito);
    server.Trim();
    if (server.IsEmpty())
        server = kServerPredefinito;
    server.TrimRight(u'/');
    if (server.Find(WString(u"://")) < 0)
        server = WString(u"http://") + server;
    return server;
}

std::int32_t CTafRichiesta::CalcolaProt(const WString& testo) {
    // 32-bit arithmetic that wraps, as the service computes it, without a fixed buffer.
    const std::u16string_view q = testo.view();
    const std::size_t n = q.size();
    if (n == 0)
        return 27;
    std::uint32_t totale = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto doppio = static_cast<std::uint32_t>(2 * i);
        totale += q[i] + doppio;         // the text
        totale += q[n - 1 - i] + doppio; // the text reversed
    }
    totale -= q[0]; // the last character of the reversed text
    return static_cast<std::int32_t>(totale * 10u + 27u);
}

WString CTafRichiesta::Numero(double valore) {
    if (valore == 0)
        return WString();
    return WString::Formatted(u"%.3f", valore);
}

WString CTafRichiesta::TestoQuery(int tipo) const {
    return Unite(Coppie(*this, tipo), false);
}

WString CTafRichiesta::Indirizzo(int tipo) const {
    const std::vector<Coppia> coppie = Coppie(*this, tipo);
    WString out = IndirizzoServerTaf() + kPercorso;
    out += WString::Formatted(u"?tipo=%d&", tipo);
    out += Unite(coppie, true);
    out += WString::Formatted(u"&prot=%d", static_cast<int>(CalcolaProt(Unite(coppie, false))));
    if (tipo != kDistanze)
        out += u"&ver=" + Codificato(Ver);
    return out;
}

bool CTafRichiesta::RichiestaDistanze(WString& risposta) {
    risposta.Empty();
    m_Errore = ERROR_SUCCESS;
    m_StatoHttp = 0;
    if (Codice.IsEmpty() || Foglio.IsEmpty() || Pf.IsEmpty())
        return false;
    if (!Scarica(Indirizzo(kDistanze), true, risposta, m_Errore, m_StatoHttp))
        return false;
    return !risposta.IsEmpty();
}

bool CTafRichiesta::RichiestaComune(const WString& comune, const WString& fogli, WString& risposta) {
    Codice = comune;
    Foglio = fogli;
    return Scarica(Indirizzo(kComune), false, risposta, m_Errore, m_StatoHttp);
}

bool CTafRichiesta::RichiestaPosizione(const WString& provincia, double nord, double est, double raggio,
                                       WString& risposta) {
    Codice2 = provincia;
    Raggio = raggio;
    X = est;
    Y = nord;
    return Scarica(Indirizzo(kPosizione), false, risposta, m_Errore, m_StatoHttp);
}

bool CTafElenco::CaricaWebComune(const WString& comune, const WString& fogli) {
    if (comune.IsEmpty())
        return false;
    Svuota();
    CTafRichiesta richiesta;
    richiesta.Ver = u"2.0";
    WString risposta;
    if (!richiesta.RichiestaComune(comune, fogli, risposta))
        return false;
    return LeggiRispostaTaf(risposta, comune, false);
}

bool CTafElenco::CaricaWebPosizione(const WString& provincia, double nord, double est, double raggio) {
    Svuota();
    CTafRichiesta richiesta;
    richiesta.Ver = u"3.0";
    WString risposta;
    if (!richiesta.RichiestaPosizione(provincia, nord, est, raggio, risposta))
        return false;
    return LeggiRispostaTaf(risposta, WString(), true);
}
