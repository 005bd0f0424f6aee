#include "pfimport/PregeoImportPF.h"

#include "hostapi/Computations.h"
#include "pfimport/DlgPregeoRiga8Import.h"
#include "pfimport/DlgPregeoRiga8ImportChoice.h"
#include "pfimport/DlgPregeoRiga8ImportGps.h"
#include "pfimport/DlgPregeoRiga8ImportGrid.h"
#include "pfimport/DlgPregeoRiga8ImportOpz.h"
#include "pfimport/ElencoPFRilievo.h"
#include "resources/StringIds.h"
#include "resources/StringLoader.h"

#include <algorithm>
#include <climits>

namespace {

// The host's wait indicator for as long as the object lives.
class CAttesa {
public:
    CAttesa() { CWaitThread::GetInstance()->StartWait(); }
    ~CAttesa() { CWaitThread::GetInstance()->EndWait(); }
    CAttesa(const CAttesa&) = delete;
    CAttesa& operator=(const CAttesa&) = delete;
};

WString Unite(const std::vector<WString>& testi) {
    WString out;
    for (std::size_t i = 0; i < testi.size(); ++i) {
        if (i > 0)
            out += u',';
        out += testi[i];
    }
    return out;
}

short Breve(std::int32_t valore) {
    return static_cast<short>(std::clamp<std::int32_t>(valore, SHRT_MIN, SHRT_MAX));
}

} // namespace

CPregeoImportPF::CPregeoImportPF(CWnd* parent, ICarviloDati* dati)
    : m_pParent(parent), m_pDati(dati), m_pLibCmp(dati->GetLibCmp()), m_pLibGps(dati->GetLibGps()),
      m_pLibConOri(dati->GetLibConOri()), m_pCts(dati->GetCts()) {
    LeggiImpostazioni();
}

bool CPregeoImportPF::Esegui() {
    for (;;) {
        {
            CDlgPregeoRiga8Import scelta(m_pParent, m_pDati);
            m_Scelta = scelta.DoModal();
        }
        LeggiImpostazioni();
        switch (m_Scelta) {
        case IDOK:
            return true;
        case FINE_IMP_AUTO:
            return ImportaAuto();
        case FINE_PF_VICINI:
            if (ImportaVicini())
                return true;
            break;
        case FINE_DA_ELENCO:
            if (ImportaElenco())
                return true;
            break;
        default: // "Annulla", or no dialog could be shown
            return false;
        }
    }
}

void CPregeoImportPF::LeggiImpostazioni() {
    const CImpostazioniCatasto s = LeggiImpostazioniCatasto();
    m_TipoSel = s.tipoSel;
    m_Percorso = s.percorso;
    m_Provincia = s.provincia;
    m_Comune = s.comune;
}

void CPregeoImportPF::DimenticaCarico() {
    m_Carico.Dimentica();
    m_Indice.Svuota();
}

// A failed load leaves the list empty as well as the cache unkeyed: nothing stale is shown or imported.
bool CPregeoImportPF::CaricaDati(bool provinciaIntera, int modo) {
    CAttesa attesa;
    const CImpostazioniCatasto s = LeggiImpostazioniCatasto();
    if (modo == kFile) {
        std::vector<WString> comuni;
        if (provinciaIntera)
            comuni = ComuniDellaProvincia(m_Provincia);
        else
            comuni.push_back(m_Comune);
        const WString chiaveComuni = Unite(comuni);
        const WString fogliApplicati = provinciaIntera ? WString() : s.fogli;
        if (comuni.size() < 2 && m_Carico.Uguale(m_Percorso, chiaveComuni, fogliApplicati))
            return true;
        const std::vector<WString> fogli = provinciaIntera ? std::vector<WString>() : DividiFogli(s.fogli);
        DimenticaCarico();
        if (!m_Elenco.Carica(m_Percorso, &comuni, &fogli, REALE_INDEFINITO, REALE_INDEFINITO,
                             REALE_INDEFINITO)) {
            m_Elenco.Svuota();
            return false;
        }
        m_Carico.Caricato(m_Percorso, chiaveComuni, fogliApplicati);
        return true;
    }
    if (modo == kWebComune) {
        DimenticaCarico();
        if (!m_Elenco.CaricaWebComune(m_Comune, provinciaIntera ? WString() : s.fogli)) {
            m_Elenco.Svuota();
            return false;
        }
        return true;
    }
    if (m_TipoSel == SORGENTE_FILE) {
        if (m_Carico.Uguale(m_Percorso, s.nord, s.est, s.raggio))
            return true;
        DimenticaCarico();
        if (!m_Elenco.Carica(m_Percorso, nullptr, nullptr, s.nord, s.est, s.raggio)) {
            m_Elenco.Svuota();
            return false;
        }
        m_Carico.Caricato(m_Percorso, s.nord, s.est, s.raggio);
        return true;
    }
    DimenticaCarico();
    if (!m_Elenco.CaricaWebPosizione(m_Provincia, s.nord, s.est, s.raggio)) {
        m_Elenco.Svuota();
        return false;
    }
    return true;
}

bool CPregeoImportPF::ImportaAuto() {
    m_Duplicati.Inizia(m_pLibCmp->GetOriArSize());
    m_Importati = 0;
    m_SenzaCoordinate = 0;
    CElencoPFRilievo rilievo(m_pLibGps, m_pLibCmp, m_pCts);
    rilievo.Raccogli();
    // A failed load leaves the list empty: the names below then find nothing.
    if (rilievo.GetSize() > 0)
        CaricaDati(true, m_TipoSel == SORGENTE_WEB ? kWebComune : kFile);
    m_Cercati.clear();
    for (int i = 0; i < rilievo.GetSize(); ++i) {
        WString nome = rilievo.GetAt(i).nome;
        if (ControlloNomePF8(nome) != -1)
            m_pCts->CompletaNomePfPregeo(nome);
        if (ControlloNomePF8(nome) == -1)
            m_Cercati.push_back(nome);
    }
    m_Indice.Svuota();
    WString ultimoComune = m_Comune;
    for (const WString& nome : m_Cercati) {
        if (m_TipoSel == SORGENTE_WEB) {
            const WString comune = nome.Mid(10);
            if (comune.IsEmpty())
                continue;
            if (comune != ultimoComune) {
                m_Comune = comune;
                CaricaDati(true, kWebComune);
            }
            ultimoComune = comune;
        }
        ImportaPunto(nome);
    }
    if (m_Importati > 0)
        m_pLibConOri->NotificaModifica(true);
    if (const std::optional<WString> avviso = AvvisoPuntiSenzaCoordinate(m_SenzaCoordinate))
        CreateMessageBox(m_pParent, *avviso, CaricaStringa(IDS_ERRORE_IMPORTAZIONE_TAF), MB_ICONEXCLAMATION);
    if (m_Importati > 0)
        return true;
    Messaggio(IDS_IMPORT_AUTO_FALLITA);
    return false;
}

bool CPregeoImportPF::ImportaPunto(const WString& nome) {
    if (!m_Indice.IsCostruito()) {
        CAttesa attesa;
        m_Indice.Costruisci(m_Elenco, m_Cercati);
    }
    // A record without coordinates is passed over before the duplicate question: the point is not
    // asked about only to be written nowhere.
    bool conCoordinate = false;
    bool senzaCoordinate = false;
    for (int i = m_Indice.Primo(nome); i >= 0; i = m_Indice.Successivo(i)) {
        CTafPunto& punto = *m_Elenco.GetAt(i);
        if (!IsPuntoConCoordinate(punto)) {
            senzaCoordinate = true;
            continue;
        }
        conCoordinate = true;
        COri* ori = TrovaOAggiungi(nome);
        if (!ori)
            continue;
        RegolaData(punto.DataAgg);
        Riempi(*ori, nome, punto);
        ++m_Importati;
        return true;
    }
    if (senzaCoordinate && !conCoordinate)
        ++m_SenzaCoordinate;
    return false;
}

bool CPregeoImportPF::ImportaVicini() {
    if (m_Provincia.IsEmpty() || m_Comune.IsEmpty()) {
        Messaggio(IDS_SPECIFICARE_COMUNE);
        return false;
    }
    CConvCoord* conv = m_pLibGps->GetCurrConvCoord();
    if (!conv) {
        Messaggio(IDS_ORIENTAMENTO_GPS_NON_ESEGUITO);
        return false;
    }
    // The position dialog converts in the plane system of the chosen municipality; the forcing ends with
    // the near import, however it ends.
    conv->ForzaTempProvCm(m_Provincia, m_Comune);
    struct Ripristino {
        CConvCoord* conv;
        ~Ripristino() { conv->RipristinaTemp(); }
    } ripristino{conv};

    {
        CDlgPregeoRiga8ImportGps posizione(m_pParent, m_pDati);
        if (posizione.DoModal() != IDOK)
            return false;
    }
    const CImpostazioniCatasto s = LeggiImpostazioniCatasto();
    if (IsRealeIndefinito(s.nord) || IsRealeIndefinito(s.est) || IsRealeIndefinito(s.raggio)) {
        Messaggio(IDS_POSIZIONE_NON_VALIDA);
        return false;
    }
    if (!CaricaDati(false, kVicino)) {
        Messaggio(IDS_CARICAMENTO_FALLITO);
        return false;
    }
    std::vector<CTafPunto*> scelti;
    {
        CAttesa attesa;
        m_Elenco.ResetIter();
        while (CTafPunto* p = m_Elenco.GetNext())
            scelti.push_back(p);
    }
    {
        CDlgPregeoRiga8ImportGrid griglia(m_pParent, scelti);
        if (griglia.DoModal() != IDOK)
            return false;
    }
    return ImportaSelezione(scelti);
}

bool CPregeoImportPF::ImportaElenco() {
    if (m_Comune.IsEmpty()) {
        Messaggio(IDS_SPECIFICARE_COMUNE);
        return false;
    }
    {
        CDlgPregeoRiga8ImportOpz opzioni(m_pParent);
        if (opzioni.DoModal() != IDOK)
            return false;
    }
    const CImpostazioniCatasto s = LeggiImpostazioniCatasto();
    if (const unsigned errore = ErroreOpzioniElenco(s.fogli, s.chkAttendib, s.attendib)) {
        Messaggio(errore);
        return false;
    }
    if (!CaricaDati(false, m_TipoSel == SORGENTE_WEB ? kWebComune : kFile)) {
        Messaggio(IDS_CARICAMENTO_FALLITO);
        return false;
    }
    const CFiltroElenco filtro{s.chkAttendib, s.attendib, s.chkNonUtil};
    std::vector<CTafPunto*> scelti;
    {
        CAttesa attesa;
        m_Elenco.ResetIter();
        while (CTafPunto* p = m_Elenco.GetNext())
            if (TenutoDalFiltro(*p, filtro))
                scelti.push_back(p);
    }
    {
        CDlgPregeoRiga8ImportGrid griglia(m_pParent, scelti);
        if (griglia.DoModal() != IDOK)
            return false;
    }
    return ImportaSelezione(scelti);
}

bool CPregeoImportPF::ImportaSelezione(const std::vector<CTafPunto*>& punti) {
    m_Duplicati.Inizia(m_pLibCmp->GetOriArSize());
    m_Importati = 0;
    CWaitThread* attesa = CWaitThread::GetInstance();
    attesa->StartWait();
    bool inAttesa = true;
    for (const CTafPunto* punto : punti) {
        const WString nome = NomePFDaRecord(*punto, false);
        if (COri* ori = TrovaOAggiungi(nome)) {
            ++m_Importati;
            Riempi(*ori, nome, *punto);
        }
        if (inAttesa) {
            attesa->EndWait();
            inAttesa = false;
        }
    }
    if (inAttesa)
        attesa->EndWait();
    m_pLibConOri->NotificaModifica(true);
    if (m_Importati > 0)
        return true;
    Messaggio(IDS_CARICAMENTO_FALLITO);
    return false;
}

COri* CPregeoImportPF::TrovaOAggiungi(const WString& nome) {
    const auto nomeEsistente = [this](int i) {
        const COri* ori = m_pLibCmp->GetOriAt(i);
        return ori ? ori->GetNome() : WString();
    };
    const auto chiedi = [this](const WString& n, int& risposta, bool& tutti) {
        CDlgPregeoRiga8ImportChoice domanda(m_pParent, n, risposta, tutti);
        domanda.DoModal();
        risposta = domanda.GetRisposta();
        tutti = domanda.GetTutti();
    };
    const CRegolaDuplicati::Risultato r = m_Duplicati.Decidi(nome, nomeEsistente, chiedi);
    switch (r.esito) {
    case CRegolaDuplicati::Esito::Esistente:
        return m_pLibCmp->GetOriAt(r.indice);
    case CRegolaDuplicati::Esito::Nuovo:
        return m_pLibConOri->AddOri(true); // null when the library is full: the record is not imported
    default:
        return nullptr;
    }
}

void CPregeoImportPF::Riempi(COri& ori, const WString& nome, const CTafPunto& punto) {
    ori.SetNome(nome);
    ori.SetCoord(punto.Est, punto.Nord, punto.Quota);
    ori.CalcolaValiditaXYZ();
    ori.SetComm(punto.DescrPlan);
    ori.SetNotaAlt(punto.DescrQuota);
    ori.SetAttendibO(Breve(punto.AttP));
    ori.SetAttendibV(Breve(punto.AttQ));
    ori.SetParticella(punto.Particella);
    ori.SetFoglioOr(punto.FoglioOr);
    ori.SetAllegOr(punto.AllegOr);
    ori.SetFiducOr(punto.FiducOr);
    ori.SetDataAgg(punto.DataAgg);
    ori.SetCausaAgg(punto.CausaAgg);
}

void CPregeoImportPF::Messaggio(unsigned idTesto) {
    CreateMessageBox(m_pParent, CaricaStringa(idTesto), CaricaStringa(IDS_ERRORE_IMPORTAZIONE_TAF),
                     MB_ICONEXCLAMATION);
}
