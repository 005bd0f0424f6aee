#include "rules/Regole.h"

#include <cmath>

namespace {

bool IsCifra(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsLettera(char16_t c) {
    return c >= u'A' && c <= u'Z';
}
bool IsMancante(double v) {
    return IsRealeIndefinito(v);
}

bool TuttiCifreOBarra(const WString& s, int da) {
    for (int i = da; i < s.GetLength(); ++i)
        if (!IsCifra(s[i]) && s[i] != u'/')
            return false;
    return true;
}

bool TuttiLettereOBarra(const WString& s, int da) {
    for (int i = da; i < s.GetLength(); ++i)
        if (!IsLettera(s[i]) && s[i] != u'/')
            return false;
    return true;
}

bool IniziaConPF(const WString& s) {
    return (s[0] == u'P' || s[0] == u'p') && (s[1] == u'F' || s[1] == u'f');
}

// The fiducial name checks shared by the short and the full form.
bool NomePFValido(const WString& nome, int lunghezzaMinima) {
    const int n = nome.GetLength();
    if (n < 4 || n < lunghezzaMinima || !IniziaConPF(nome) || !IsCifra(nome[2]) || !IsCifra(nome[3]))
        return false;
    if (n == 4)
        return true;
    if (nome[4] != u'/' || n < 9 || ControlloFoglio(nome.Mid(5, 4)) != REGOLA_OK)
        return false;
    if (n == 9)
        return true;
    return nome[9] == u'/' && ControlloCodiceComune(nome.Mid(10)) == REGOLA_OK;
}

int Range(double v, double basso, double alto, int codice) {
    if (IsMancante(v))
        return 43;
    return (v >= basso && v <= alto) ? REGOLA_OK : codice;
}

bool TermineVecchioValido(const WString& t) {
    const int n = t.GetLength();
    if (n == 0)
        return false;
    if (t == u"STRAD" || t == u"ACQUE")
        return true;
    bool cifre = true;
    bool lettere = true;
    for (int i = 0; i < n; ++i) {
        cifre = cifre && IsCifra(t[i]);
        lettere = lettere && IsLettera(t[i]);
    }
    return (cifre && n <= 5) || (lettere && n <= 2);
}

} // namespace

int ControlloNomeNumerico(WString nome) {
    const int n = nome.GetLength();
    if (n == 0 || n > 5)
        return 1;
    for (int i = 0; i < n; ++i)
        if (!IsCifra(nome[i]))
            return 0;
    return REGOLA_OK;
}

int ControlloCaratteriStandard(WString testo) {
    for (int i = 0; i < testo.GetLength(); ++i)
        if (testo[i] < 32 || testo[i] > 127)
            return 111;
    return REGOLA_OK;
}

int ControlloCodiceComune(WString codice) {
    const int n = codice.GetLength();
    if (n == 0)
        return 34;
    if (n != 4 && n != 5)
        return 23;
    for (int i = 0; i < n; ++i)
        if (!IsCifra(codice[i]) && !IsLettera(codice[i]))
            return 23;
    return REGOLA_OK;
}

int ControlloNomePF(WString nome) {
    return NomePFValido(nome, 4) ? REGOLA_OK : 22;
}

int ControlloNomePFCompleto(WString nome) {
    return NomePFValido(nome, 14) ? REGOLA_OK : 22;
}

int ControlloNomePunto(WString nome) {
    int esito = ControlloNomePF(nome);
    if (esito != 22)
        return esito;
    esito = ControlloNomeNumerico(nome);
    // A name that looks like a fiducial point gets the clearer reason.
    if (esito == 1 && nome.GetLength() > 2 && IniziaConPF(nome))
        esito = 50;
    return esito;
}

int ControlloMax40(WString testo) {
    return testo.GetLength() > 40 ? 2 : REGOLA_OK;
}

int ControlloNota(WString testo) {
    if (testo.IsEmpty())
        return 43;
    return testo.GetLength() > 60 ? 42 : REGOLA_OK;
}

int ControlloNotaAltimetrica(WString testo) {
    if (testo.IsEmpty())
        return 43;
    if (IsCifra(testo[0]))
        return 101;
    return testo.GetLength() > 60 ? 42 : REGOLA_OK;
}

int ControlloProtocollo(WString protocollo) {
    const int n = protocollo.GetLength();
    if (n == 0)
        return 34;
    if (protocollo[0] == u'0')
        return 4;
    int i = 0;
    while (i < n && i < 8 && IsCifra(protocollo[i]))
        ++i;
    if (i == n)
        return REGOLA_OK;
    // Only a final 'U' (operazione d'ufficio) may follow the digits.
    if (n > 1 && i == n - 1 && protocollo[i] == u'U')
        return REGOLA_OK;
    return 3;
}

int ControlloFoglio(WString foglio) {
    if (foglio.IsEmpty())
        return 34;
    if (foglio.GetLength() != 4)
        return 5;
    const bool valido = (IsLettera(foglio[0]) || IsCifra(foglio[0])) && IsCifra(foglio[1]) &&
                        IsCifra(foglio[2]) && (foglio[3] == u'0' || IsLettera(foglio[3]));
    return valido ? REGOLA_OK : 5;
}

int ControlloMax30(WString testo) {
    if (testo.IsEmpty())
        return 34;
    return testo.GetLength() > 30 ? 6 : REGOLA_OK;
}

int ControlloMax20(WString testo) {
    if (testo.IsEmpty())
        return 34;
    return testo.GetLength() > 20 ? 8 : REGOLA_OK;
}

int ControlloObbligatorio(WString testo) {
    return testo.IsEmpty() ? 34 : REGOLA_OK;
}

int ControlloMax72(WString testo) {
    return testo.GetLength() > 72 ? 15 : REGOLA_OK;
}

int ControlloTermineMappale(WString termine) {
    const int n = termine.GetLength();
    if (n == 0 || n > 10)
        return 54;
    const char16_t primo = termine[0];
    bool valido = true;
    if (IsCifra(primo))
        valido = TuttiCifreOBarra(termine, 0);
    else if (IsLettera(primo))
        valido = TuttiLettereOBarra(termine, 0);
    else if (primo == u'.' && n > 1) {
        if (IsCifra(termine[1]))
            valido = TuttiCifreOBarra(termine, 1);
        else if (IsLettera(termine[1]))
            valido = TuttiLettereOBarra(termine, 1);
    }
    return valido ? REGOLA_OK : 54;
}

int ControlloMappale(WString mappale) {
    WString termine;
    for (int i = 0; i < mappale.GetLength(); ++i) {
        if (mappale[i] != u',') {
            termine += mappale[i];
            continue;
        }
        if (ControlloTermineMappale(termine) != REGOLA_OK)
            return 54;
        termine.Empty();
    }
    return ControlloTermineMappale(termine);
}

int ControlloMappaleTermini(WString mappale) {
    WString termine;
    for (int i = 0; i <= mappale.GetLength(); ++i) {
        if (i < mappale.GetLength() && mappale[i] != u',') {
            termine += mappale[i];
            continue;
        }
        if (!TermineVecchioValido(termine))
            return 7;
        termine.Empty();
    }
    return REGOLA_OK;
}

int ControlloParticella(WString particella) {
    const int n = particella.GetLength();
    if (n == 0)
        return 51;
    bool cifre = true;
    bool lettere = true;
    for (int i = 0; i < n; ++i) {
        cifre = cifre && IsCifra(particella[i]);
        lettere = lettere && IsLettera(particella[i]);
    }
    return (cifre || lettere) ? REGOLA_OK : 51;
}

int ControlloNomiDuplicati(WString nome1, WString nome2) {
    return nome1 == nome2 ? 40 : REGOLA_OK;
}

int ControlloQuota(double quota) {
    if (IsMancante(quota))
        return 34;
    if (quota < 0)
        return 9;
    if (quota > 9999)
        return 10;
    return REGOLA_OK;
}

int ControlloPrecisioni(int lineare, int angolare) {
    const bool valido = (lineare == 10 || lineare == 100) && (angolare == 20 || angolare == 100);
    return valido ? REGOLA_OK : 35;
}

int ControlloTipoAggiornamento(WString tipo, bool modestaEntita) {
    const short n = ShortDaStringNullZero(tipo);
    if (modestaEntita && ((n >= 1 && n <= 7) || (n >= 11 && n <= 18)))
        return 112;
    if (!modestaEntita && n >= 8 && n <= 10)
        return 115;
    return REGOLA_OK;
}

int ControlloCorrezioneAngolare(int correzione) {
    return (correzione > -399 && correzione < 399) ? REGOLA_OK : 13;
}

int ControlloAttendibilitaPlan(short tipoPunto, WString nome, short attendibilita) {
    const bool numerico = ControlloNomeNumerico(nome) == REGOLA_OK;
    if (numerico && tipoPunto == TIPO_PUNTO_RIF_FRAZIONE) {
        if (attendibilita == 0)
            return 43;
        if (attendibilita < 20 || attendibilita > 88)
            return 41;
    } else if (!numerico && tipoPunto == TIPO_PUNTO_FIDUCIALE) {
        if (attendibilita == -1)
            return 43;
        if (attendibilita < 1 || attendibilita > 88)
            return 20;
    }
    return REGOLA_OK;
}

int ControlloAttendibilitaAlt(short attendibilita) {
    if (attendibilita >= 1 && attendibilita <= 4)
        return REGOLA_OK;
    return attendibilita == 0 ? 43 : 21;
}

int ControlloCovarianza(double lunghezzaBaseline, double xx, double xy, double xz, double yy, double yz,
                        double zz) {
    const double tutti[] = {xx, xy, xz, yy, yz, zz};
    const double diagonale[] = {xx, yy, zz};
    const double fuori[] = {xy, xz, yz};
    if (lunghezzaBaseline >= 5000)
        for (double t : tutti)
            if (t == 0)
                return 28;
    for (double t : diagonale)
        if (t < 0)
            return 33;
    for (double t : diagonale)
        if (t > 2 && t < 10)
            return 29;
    for (double t : fuori)
        if ((t > 2 && t < 10) || (t > -9 && t < -2))
            return 29;
    for (double t : tutti)
        if (t >= 10)
            return 30;
    for (double t : fuori)
        if (t <= -10)
            return 30;
    return REGOLA_OK;
}

int ControlloPdopGdop(double pdop, double gdop) {
    const bool pdopMancante = IsMancante(pdop);
    const bool gdopMancante = IsMancante(gdop);
    if (pdopMancante && gdopMancante)
        return 31;
    if (gdopMancante && (pdop < 0 || pdop > 7))
        return 32;
    if (!pdopMancante)
        return REGOLA_OK;
    if (gdop < 0 || gdop > 7)
        return 32;
    return REGOLA_OK;
}

int ControlloRange0_400(double valore) {
    return Range(valore, 0, 400, 16);
}
int ControlloRange0_99999(double valore) {
    return Range(valore, 0, 99999.999, 17);
}
int ControlloRangeInteri9(double valore) {
    return Range(valore, -99999999, 999999999, 18);
}
int ControlloRange7_3(double valore) {
    return Range(valore, -999999.999, 9999999.999, 26);
}
int ControlloRange2_3(double valore) {
    return Range(valore, -99.999, 99.999, 27);
}
int ControlloRange4_3(double valore) {
    return Range(valore, -9999.999, 9999.999, 14);
}
int ControlloRange8_3(double valore) {
    return Range(valore, -9999999.999, 99999999.999, 19);
}

bool InTolleranza(double valore, double riferimento, bool reale) {
    const double tolleranza =
        reale ? (riferimento / 1000.0 + std::sqrt(riferimento)) / 3.0 : riferimento / 20.0;
    return std::fabs(valore - riferimento) <= tolleranza;
}

bool SoloCifre(WString testo) {
    if (testo.IsEmpty())
        return false;
    for (int i = 0; i < testo.GetLength(); ++i)
        if (!IsCifra(testo[i]))
            return false;
    return true;
}

double CalcolaEstMedia(WString foglio, const CLibConOri* punti) {
    if (!punti)
        return 0;
    double sommaTutti = 0;
    int numTutti = 0;
    double sommaScelti = 0;
    int numScelti = 0;
    for (int i = 0; i < punti->GetOriArSize(); ++i) {
        const COri* p = punti->GetOriAt(i);
        if (!p || p->IsCodedNP() || IsMancante(p->GetCoordX()))
            continue;
        const double x = p->GetCoordX();
        sommaTutti += x;
        ++numTutti;
        const WString nome = p->GetNome();
        const bool completo = ControlloNomePFCompleto(nome) == REGOLA_OK;
        const bool scelto = completo ? nome.Mid(5, 4) == foglio : ControlloNomeNumerico(nome) == REGOLA_OK;
        if (scelto) {
            sommaScelti += x;
            ++numScelti;
        }
    }
    if (sommaScelti != 0)
        return sommaScelti / numScelti;
    if (sommaTutti != 0)
        return sommaTutti / numTutti;
    return 0;
}
