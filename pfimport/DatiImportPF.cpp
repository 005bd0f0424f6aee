#include "pfimport/DatiImportPF.h"

#include "hostapi/Booklet.h"
#include "hostapi/Settings.h"
#include "resources/StringIds.h"

#include <cmath>
#include <cstdlib>

CImpostazioniCatasto LeggiImpostazioniCatasto() {
    const CIniFile ini;
    CImpostazioniCatasto s;
    s.tipoSel = ini.GetShort(SEZIONE_CATASTO, CHIAVE_TIPO_SEL, SORGENTE_FILE) == SORGENTE_WEB ? SORGENTE_WEB
                                                                                              : SORGENTE_FILE;
    s.percorso = ini.GetString(SEZIONE_CATASTO, CHIAVE_PATH, WString());
    s.provincia = ini.GetString(SEZIONE_CATASTO, CHIAVE_PROVINCIA, WString());
    s.comune = ini.GetString(SEZIONE_CATASTO, CHIAVE_COMUNE, WString());
    s.fogli = ini.GetString(SEZIONE_CATASTO, CHIAVE_FOGLIO, WString());
    s.attendib = ini.GetLong(SEZIONE_CATASTO, CHIAVE_ATTENDIB, 0);
    s.chkAttendib = ini.GetBool(SEZIONE_CATASTO, CHIAVE_CHK_ATTENDIB, false);
    s.chkNonUtil = ini.GetBool(SEZIONE_CATASTO, CHIAVE_CHK_NON_UTIL, false);
    s.nord = ini.GetDouble(SEZIONE_CATASTO, CHIAVE_NORD, REALE_INDEFINITO);
    s.est = ini.GetDouble(SEZIONE_CATASTO, CHIAVE_EST, REALE_INDEFINITO);
    s.raggio = ini.GetDouble(SEZIONE_CATASTO, CHIAVE_RAGGIO, REALE_INDEFINITO);
    s.distMax = ini.GetString(SEZIONE_CATASTO, CHIAVE_DIST_MAX, u"500");
    return s;
}

const std::vector<const char16_t*>& CodiciProvince() {
    static const std::vector<const char16_t*> codici = {
        u"AG", u"AL", u"AN", u"AO", u"AP", u"AQ", u"AR", u"AT", u"AV", u"BA", u"BG", u"BI", u"BL",
        u"BN", u"BO", u"BR", u"BS", u"BZ", u"CA", u"CB", u"CE", u"CH", u"CL", u"CN", u"CO", u"CR",
        u"CS", u"CT", u"CZ", u"EN", u"FE", u"FG", u"FI", u"FO", u"FR", u"GE", u"GO", u"GR", u"IM",
        u"IS", u"KR", u"LC", u"LE", u"LI", u"LO", u"LT", u"LU", u"MC", u"ME", u"MI", u"MN", u"MO",
        u"MS", u"MT", u"NA", u"NO", u"NU", u"OR", u"PA", u"PC", u"PD", u"PE", u"PG", u"PI", u"PN",
        u"PO", u"PR", u"PS", u"PT", u"PV", u"PZ", u"RA", u"RC", u"RE", u"RG", u"RI", u"RM", u"RN",
        u"RO", u"SA", u"SI", u"SO", u"SP", u"SR", u"SS", u"SV", u"TA", u"TE", u"TN", u"TO", u"TP",
        u"TR", u"TS", u"TV", u"UD", u"VA", u"VB", u"VC", u"VE", u"VI", u"VR", u"VT", u"VV"};
    return codici;
}

void AggiungiComuniAutonomi(const WString& provincia, std::vector<WString>& comuni) {
    int primo = 0, ultimo = -1;
    if (provincia == u"TN") {
        primo = 1;
        ultimo = 447;
    } else if (provincia == u"BZ") {
        primo = 601;
        ultimo = 846;
    }
    for (int c = primo; c <= ultimo; ++c)
        comuni.push_back(WString::Formatted(u"%04d", c));
}

std::vector<WString> ComuniDellaProvincia(const WString& provincia, bool* letto) {
    std::vector<WString> comuni;
    CCtsComuni elenco;
    const bool tabella = elenco.CaricaElenco(provincia);
    if (letto)
        *letto = tabella;
    for (int i = 0; i < elenco.GetSize(); ++i)
        comuni.push_back(elenco.GetAt(i).codice);
    AggiungiComuniAutonomi(provincia, comuni);
    return comuni;
}

int SceltaIniziale(const std::vector<WString>& voci, const WString& valore) {
    for (std::size_t i = 0; i < voci.size(); ++i)
        if (voci[i] == valore)
            return static_cast<int>(i);
    return voci.size() > 1 ? 1 : -1;
}

std::vector<WString> DividiFogli(const WString& fogli) {
    std::vector<WString> pezzi;
    int inizio = 0;
    for (int virgola = fogli.Find(u','); virgola >= 0; virgola = fogli.Find(u',', inizio)) {
        pezzi.push_back(fogli.Mid(inizio, virgola - inizio));
        inizio = virgola + 1;
    }
    if (inizio < fogli.GetLength())
        pezzi.push_back(fogli.Mid(inizio));
    return pezzi;
}

void RegolaData(WString& data) {
    if (data.GetLength() > 4 && data.Find(u'/') < 0)
        data = data.Left(2) + u"/" + data.Mid(2, 2) + u"/" + data.Mid(4);
}

bool TenutoDalFiltro(const CTafPunto& punto, const CFiltroElenco& filtro) {
    if (filtro.chkAttendib && punto.AttP <= filtro.attendib)
        return false;
    return !(filtro.chkNonUtil && punto.DescrPlan.Find(WString(TESTO_NON_UTILIZZABILE)) >= 0);
}

unsigned ErroreOpzioniElenco(const WString& fogli, bool chkAttendib, std::int32_t attendib) {
    if (chkAttendib && attendib == 0)
        return IDS_SPECIFICARE_ATTENDIBILITA;
    if (fogli.IsEmpty())
        return IDS_SPECIFICARE_FOGLIO;
    return 0;
}

namespace {

bool IsCoordinata(double valore) {
    return std::isfinite(valore) && !IsRealeIndefinito(valore);
}

WString TestoIntero(std::int32_t valore) {
    return WString::Formatted(u"%d", static_cast<int>(valore));
}

WString TestoCoordinata(double valore) {
    return IsCoordinata(valore) ? CStringDaDouble(valore, 3) : WString(TESTO_COORDINATA_MANCANTE);
}

} // namespace

bool IsPuntoConCoordinate(const CTafPunto& punto) {
    return IsCoordinata(punto.Nord) && IsCoordinata(punto.Est);
}

CRigaGrigliaPF RigaGrigliaPF(CTafPunto& p) {
    RegolaData(p.DataAgg);
    const bool coordinate = IsPuntoConCoordinate(p);
    return {{p.Comune, p.Foglio, TestoIntero(p.NumPF), p.DescrPlan, TestoCoordinata(p.Nord),
             TestoCoordinata(p.Est), TestoIntero(p.AttP), p.DescrQuota, CStringDaDouble(p.Quota, 3),
             TestoIntero(p.AttQ), p.Particella, p.FoglioOr, p.AllegOr, p.FiducOr, p.DataAgg, p.CausaAgg},
            coordinate};
}

std::optional<WString> AvvisoPuntiSenzaCoordinate(int tralasciati) {
    if (tralasciati <= 0)
        return std::nullopt;
    if (tralasciati == 1)
        return WString(u"1 punto fiduciale senza coordinate non è stato importato.");
    return WString::Formatted(u"%d punti fiduciali senza coordinate non sono stati importati.", tralasciati);
}

namespace {

// "PF%02d/%s/%s" appended to `out` without going through the formatter: the index makes one name per
// record of a whole province.
void AccodaNome(std::u16string& out, std::int32_t numPF, std::u16string_view foglio,
                std::u16string_view comune) {
    out += u"PF";
    long long n = numPF;
    if (n < 0) {
        out += u'-';
        n = -n;
    }
    char16_t cifre[24];
    int k = 0;
    do {
        cifre[k++] = static_cast<char16_t>(u'0' + n % 10);
        n /= 10;
    } while (n > 0);
    if (numPF >= 0 && k < 2)
        out += u'0';
    while (k > 0)
        out += cifre[--k];
    out += u'/';
    out += foglio;
    out += u'/';
    out += comune;
}

std::size_t SenzaSpaziADestra(const std::u16string& s, std::size_t inizio) {
    std::size_t fine = s.size();
    while (fine > inizio && IsWhiteSpace(s[fine - 1]))
        --fine;
    return fine;
}

} // namespace

WString NomePFDaRecord(const CTafPunto& punto, bool rifilato) {
    std::u16string nome;
    AccodaNome(nome, punto.NumPF, punto.Foglio.view(), punto.Comune.view());
    if (rifilato)
        nome.resize(SenzaSpaziADestra(nome, 0));
    return WString(std::move(nome));
}

void CRegolaDuplicati::Inizia(int esistenti) {
    m_Esistenti = esistenti;
    m_Risposta = RISPOSTA_AGGIUNGI;
    m_Tutti = false;
}

CRegolaDuplicati::Risultato CRegolaDuplicati::Decidi(const WString& nome,
                                                     const std::function<WString(int)>& nomeEsistente,
                                                     const Domanda& chiedi) {
    bool trovato = false;
    for (int i = 0; i < m_Esistenti; ++i) {
        if (nomeEsistente(i) != nome)
            continue;
        trovato = true;
        if (!m_Tutti && chiedi)
            chiedi(nome, m_Risposta, m_Tutti);
        if (m_Risposta == RISPOSTA_AGGIORNA)
            return {Esito::Esistente, i};
        if (m_Risposta != RISPOSTA_SALTA)
            return {Esito::Nuovo, -1};
    }
    if (trovato && m_Risposta == RISPOSTA_SALTA)
        return {Esito::Nessuno, -1};
    return {Esito::Nuovo, -1};
}

CTestiAngolo TestiAngolo(double radianti) {
    int gradi = 0, primi = 0;
    double secondi = 0;
    AngSesgFromRadi(radianti, gradi, primi, secondi);
    return {WString::Formatted(u"%d", gradi), WString::Formatted(u"%d", primi), CStringDaDouble(secondi, 3)};
}

namespace {

// A part of an angle on its real value: undefined or outside [0, massimo] is refused.
bool Parte(const WString& testo, double massimo, double& valore) {
    valore = DoubleDaCString(testo);
    return !IsRealeIndefinito(valore) && valore >= 0 && valore <= massimo;
}

} // namespace

bool LeggiAngoloSessagesimale(const WString& gradi, const WString& primi, const WString& secondi,
                              double& radianti) {
    double g = 0, p = 0, s = 0;
    if (!Parte(gradi, 360, g) || !Parte(primi, 60, p) || !Parte(secondi, 60, s))
        return false;
    radianti = AngRadiFromSesg(static_cast<int>(g), static_cast<int>(p), s);
    return true;
}

bool PosizionePiana(const CLibGps* gps, double lat, double lon, double& nord, double& est) {
    const CGrpGps* gruppo = gps ? gps->GetCurrGrp() : nullptr;
    const CConvCoord* conv = gruppo ? gruppo->GetConvCoord() : nullptr;
    if (!conv || !conv->IsConvCoordReady())
        return false;
    conv->GrafGpsToPlanAtt(lat, lon, 0, 0, est, nord);
    return !IsRealeIndefinito(est) && !IsRealeIndefinito(nord);
}

unsigned MessaggioPosizioneNonValida(const CLibGps* gps) {
    return gps && gps->GetCurrValidConvCoord() ? IDS_DATI_NON_VALIDI : IDS_ORIENTAMENTO_NON_VALIDO;
}

bool CCacheCarico::Uguale(const WString& percorso, const WString& comuni, const WString& fogli) const {
    return m_Modo == Modo::Filtro && m_Percorso == percorso && m_Comuni == comuni && m_Fogli == fogli;
}

void CCacheCarico::Caricato(const WString& percorso, const WString& comuni, const WString& fogli) {
    Dimentica();
    m_Modo = Modo::Filtro;
    m_Percorso = percorso;
    m_Comuni = comuni;
    m_Fogli = fogli;
}

bool CCacheCarico::Uguale(const WString& percorso, double nord, double est, double raggio) const {
    return m_Modo == Modo::Vicino && m_Percorso == percorso && m_Nord == nord && m_Est == est &&
           m_Raggio == raggio;
}

void CCacheCarico::Caricato(const WString& percorso, double nord, double est, double raggio) {
    Dimentica();
    m_Modo = Modo::Vicino;
    m_Percorso = percorso;
    m_Nord = nord;
    m_Est = est;
    m_Raggio = raggio;
}

void CIndiceTaf::Svuota() {
    m_Catene.clear();
    m_Nomi.clear();
    m_Successivo.clear();
    m_Costruito = false;
}

void CIndiceTaf::Costruisci(const CTafElenco& elenco, const std::vector<WString>& nomi) {
    Svuota();
    m_Nomi.reserve(nomi.size());
    for (const WString& nome : nomi)
        m_Nomi.push_back(nome.str());
    // The names no longer move: views into them can be keys.
    for (const std::u16string& nome : m_Nomi)
        m_Catene.try_emplace(nome);
    const int n = elenco.GetCount();
    m_Successivo.assign(static_cast<std::size_t>(n), -1);
    // The names are read from the list's text: building every record of a province would cost it again.
    std::u16string nome, foglio, comune;
    std::int32_t numPF = 0;
    for (int i = 0; i < n; ++i) {
        nome.clear();
        elenco.GetNome(i, numPF, foglio, comune);
        AccodaNome(nome, numPF, foglio, comune);
        nome.resize(SenzaSpaziADestra(nome, 0));
        const auto it = m_Catene.find(nome);
        if (it == m_Catene.end())
            continue;
        Catena& c = it->second;
        if (c.primo < 0)
            c.primo = i;
        else
            m_Successivo[static_cast<std::size_t>(c.ultimo)] = i;
        c.ultimo = i;
    }
    m_Costruito = true;
}

int CIndiceTaf::Primo(const WString& nome) const {
    const auto it = m_Catene.find(nome.view());
    return it == m_Catene.end() ? -1 : it->second.primo;
}

int CIndiceTaf::Successivo(int indice) const {
    if (indice < 0 || static_cast<std::size_t>(indice) >= m_Successivo.size())
        return -1;
    return m_Successivo[static_cast<std::size_t>(indice)];
}
