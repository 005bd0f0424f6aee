#include "editors/DatiRiga0.h"

#include "hostapi/Conversions.h"
#include "hostapi/Dialog.h"
#include "hostapi/FileIO.h"
#include "hostapi/Resources.h"
#include "rules/Regole.h"

#include <cstring>

namespace {

// Each line is read with a limit of 254 characters.
constexpr int kLetturaMax = 255;

bool IsRigaVuota(const WString& riga) {
    for (char16_t c : riga.view())
        if (!IsWhiteSpace(c))
            return false;
    return true;
}

bool IsAlfanumerico(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

std::optional<CRifiuto> Errore(const char16_t* testo) {
    return CRifiuto{testo, MB_ICONERROR};
}

std::optional<CRifiuto> Avviso(const char16_t* testo) {
    return CRifiuto{testo, MB_ICONEXCLAMATION};
}

WString Intero(long valore) {
    return WString::Formatted(u"%d", valore);
}

} // namespace

CProvinciaCollegio ProvinciaDaRiga(WString riga) {
    // Only the line end goes: a last line without one keeps all its letters.
    riga = WString(SenzaFineRiga(riga.view()));
    return {riga.Left(2), riga.Mid(3)};
}

std::optional<CProvinciaCollegio> VoceCollegio(const WString& riga) {
    CProvinciaCollegio p = ProvinciaDaRiga(riga);
    if (p.codice.GetLength() != 2 || !IsAlfanumerico(p.codice[0]) || !IsAlfanumerico(p.codice[1]))
        return std::nullopt;
    for (char16_t c : p.nome.view())
        if (!IsWhiteSpace(c))
            return p;
    return std::nullopt;
}

CLetturaSupporto LeggiRigheSupporto(const WString& percorso,
                                    const std::function<bool(const WString&)>& voce) {
    CLetturaSupporto esito;
    PlatformFile* file = _wfopen(percorso.c_str(), u"rt");
    if (!file)
        return esito;
    esito.letto = true;
    char buffer[kLetturaMax];
    for (;;) {
        // Filled with line feeds first: a read stops after its first line feed, so a NUL inside the
        // text shows as something other than a line feed just past the first NUL.
        std::memset(buffer, '\n', sizeof buffer);
        if (!fgets(buffer, kLetturaMax, file))
            break;
        const std::size_t n = std::strlen(buffer);
        const bool nul = (n + 1 < sizeof buffer && buffer[n + 1] != '\n') ||
                         (n + 2 < sizeof buffer && buffer[n + 2] != '\n');
        const WString riga = WString::FromCp1252(std::string_view(buffer, n));
        if (!nul && IsRigaVuota(riga))
            continue;
        if (nul || !IsRigaLeggibile(riga.view()) || !voce(riga))
            ++esito.scartate;
    }
    fclose(file);
    return esito;
}

std::vector<CProvinciaCollegio> LeggiCollegi(const WString& percorso, bool* letto, int* scartate) {
    std::vector<CProvinciaCollegio> elenco;
    const CLetturaSupporto esito = LeggiRigheSupporto(percorso, [&](const WString& riga) {
        std::optional<CProvinciaCollegio> p = VoceCollegio(riga);
        if (p)
            elenco.push_back(std::move(*p));
        return p.has_value();
    });
    if (letto)
        *letto = esito.letto;
    if (scartate)
        *scartate = esito.scartate;
    return elenco;
}

std::vector<CProvinciaCollegio> CaricaCollegi(bool* letto, int* scartate) {
    return LeggiCollegi(FGetSpecialFolderPathAndSubDir(CARTELLA_INSTALLAZIONE, FILE_COLLEGI), letto,
                        scartate);
}

int AnnoDaMostrare(const WString& annoMemorizzato) {
    const long n = LongDaStringNullZero(annoMemorizzato);
    if (n >= 0 && n <= 29)
        return static_cast<int>(2000 + n);
    if (n >= 30 && n <= 99)
        return static_cast<int>(1900 + n);
    if (n >= 100 && n <= 2099)
        return static_cast<int>(n);
    return 2000;
}

bool IsAnnoBisestile(int anno) {
    return anno % 4 == 0 && (anno % 100 != 0 || anno % 400 == 0);
}

int GiorniDelMese(int mese, int anno) {
    switch (mese) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return IsAnnoBisestile(anno) ? 29 : 28;
    default:
        return 31;
    }
}

const std::vector<WString>& QualificheTecnico() {
    static const std::vector<WString> qualifiche = {u"Agrotecnico", u"Architetto", u"Dott.Agronomo o F.",
                                                    u"Geometra",    u"Ingegnere",  u"Perito agrario",
                                                    u"Perito edile"};
    return qualifiche;
}

std::optional<CRifiuto> ValidaArchivio(const CDatiArchivio& d) {
    const long giorno = LongDaStringNullZero(d.giorno);
    const long mese = LongDaStringNullZero(d.mese);
    const long anno = LongDaStringNullZero(d.anno);
    if (anno < 1900)
        return Errore(u"Inserire un anno maggiore del 1900");
    if (mese < 1 || mese > 12)
        return Errore(u"Inserire un mese compreso tra 1 e 12");
    const int giorni = GiorniDelMese(static_cast<int>(mese), static_cast<int>(anno));
    if (giorno < 1 || giorno > giorni)
        return CRifiuto{WString::Formatted(u"Inserire un giorno compreso tra 1 e %d", giorni), MB_ICONERROR};
    if (d.codiceComune.IsEmpty())
        return Errore(u"Il codice del comune è un campo obbligatorio della riga 0");
    if (ControlloCodiceComune(d.codiceComune) == 23)
        return Errore(u"Il codice del comune deve essere composto da 4 o 5 caratteri alfanumerici");
    if (d.protocollo.IsEmpty())
        return Errore(u"Il protocollo è un campo obbligatorio della riga 0");
    const int protocollo = ControlloProtocollo(d.protocollo);
    if (protocollo == 4)
        return Errore(u"Il protocollo non può iniziare con lo zero");
    if (protocollo != REGOLA_OK)
        return Errore(
            u"Il protocollo può essere composto da un massimo 8 cifre.\rL'elemento finale può essere la U");
    if (d.foglio.IsEmpty())
        return Errore(u"Il foglio immatricolare è un campo obbligatorio della riga 0");
    if (ControlloFoglio(d.foglio) == 5)
        return Errore(
            u"Il foglio può essere composto da un massimo di 4 elementi\n - 1°Elemento: lettera o cifra\n "
            u"- 2°Elemento: cifra\n - 3°Elemento: cifra\n - 4°Elemento: zero o lettera");
    if (d.mappale.IsEmpty())
        return Errore(u"Il campo mappale è un campo obbligatorio della riga 0");
    if (ControlloMax30(d.mappale) == 6)
        return Errore(u"Il campo mappale può essere composto da un massimo di 30 caratteri");
    return std::nullopt;
}

std::optional<CRifiuto> ValidaTecnico(const CDatiTecnico& d) {
    if (d.nome.IsEmpty())
        return Errore(u"Il nome del tecnico è un campo obbligatorio della riga 0");
    if (ControlloMax20(d.nome) == 8)
        return Avviso(u"Il nome del tecnico non deve superare i 20 caratteri");
    if (ControlloCaratteriStandard(d.nome) == 111)
        return Errore(
            u"Nel nome del tecnico sono stati inseriti caratteri fuori standard (es. lettere accentate)");
    if (d.cognome.IsEmpty())
        return Errore(u"Il cognome del tecnico è un campo obbligatorio della riga 0");
    if (ControlloMax20(d.cognome) == 8)
        return Avviso(u"Il cognome del tecnico non deve superare i 20 caratteri");
    if (ControlloCaratteriStandard(d.cognome) == 111)
        return Errore(
            u"Nel cognome del tecnico sono stati inseriti caratteri fuori standard (es. lettere accentate)");
    if (d.qualifica.IsEmpty())
        return Errore(u"La qualifica del tecnico è un campo obbligatorio della riga 0");
    if (d.provincia.IsEmpty())
        return Errore(u"La provincia del tecnico è un campo obbligatorio della riga 0");
    return std::nullopt;
}

void SalvaArchivio(const CDatiArchivio& d, CCts& libretto) {
    libretto.m_TipoLibretto = d.tipo == 1 ? 1 : 0;
    libretto.SetMapp(d.mappale);
    libretto.SetFogl(d.foglio);
    libretto.SetProt(d.protocollo);
    libretto.SetCdCm(d.codiceComune);
    libretto.SetProvCm(d.codiceProvincia);
    libretto.SetGior(Intero(LongDaStringNullZero(d.giorno)));
    libretto.SetMese(Intero(LongDaStringNullZero(d.mese)));
    libretto.SetAnno(Intero(LongDaStringNullZero(d.anno)).Right(2));
}

void SalvaTecnico(const CDatiTecnico& d, CCts& libretto) {
    libretto.SetTcnN(d.nome);
    libretto.SetTcnC(d.cognome);
    libretto.SetQual(d.qualifica);
    libretto.SetTcnNIscr(d.iscrizione);
    libretto.SetTcnCF(d.codiceFiscale);
    libretto.SetProv(d.provincia);
}
