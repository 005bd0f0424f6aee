#include "rules/ControlloLibretto.h"

#include "hostapi/Conversions.h"
#include "rules/Regole.h"

#include <utility>

CControlloLibretto::CControlloLibretto(CRig* rigaCorrente, CCts* libretto, CLibCmp* stazioni, CLibGps* gps,
                                       CIndicePunti* indice)
    : m_pCts(libretto), m_pRigaCorrente(rigaCorrente), m_pLibCmp(stazioni), m_pLibGps(gps),
      m_pIndice(indice) {
    m_VerPregeo.SetVars(libretto);
    m_LineeRosseSegnalate = false;
    m_MisurePresenti = 0;
}

WString GetVistaPregeo(const WString& tipoRiga) {
    switch (ShortDaStringNullZero(tipoRiga)) {
    case 0:
    case 1:
    case 2:
    case 9:
        return u"Libretto Pregeo";
    case 3:
        return u"Vista Riga 3";
    case 4:
    case 5:
        return u"Vista Riga 4,5";
    case 7:
        return u"Vista Riga 7";
    case 8:
        return u"Vista Punti di Orientamento Pregeo";
    default:
        return WString();
    }
}

WString ComponiTestoPregeo(const CVocePregeo& voce) {
    WString testo = voce.errore ? u"Errore! " : u"Attenzione! ";
    const WString vista = GetVistaPregeo(voce.tipoRiga);
    if (!vista.IsEmpty())
        testo += u"- " + vista + u": ";
    if (voce.riga > -1)
        testo += WString::Formatted(u"Numero Riga: %d - ", voce.riga);
    if (!voce.tipoRiga.IsEmpty()) {
        testo += u"Tipo Riga: ";
        testo += voce.tipoRiga;
        if (!voce.dettaglio.IsEmpty())
            testo += u" -";
        testo += u" ";
        testo += voce.dettaglio;
        testo += u"  -> Motivo: \r";
    } else {
        testo += voce.dettaglio;
        testo += u" \r";
    }
    return testo + GetTestoMotivo(voce.codice);
}

void CControlloLibretto::AddMsgPregeo(int rowNumber, WString rowType, bool isError, int code,
                                      WString detail) {
    if (code < 0)
        return;
    CVocePregeo voce{rowNumber, std::move(rowType), isError, code, std::move(detail)};
    m_Voci.Aggiungi(ComponiTestoPregeo(voce), isError);
    m_Parti.push_back(std::move(voce));
}

bool CControlloLibretto::IsPresenteConferma() {
    if (!m_pCts)
        return false;
    const WString commenti = StringToUpper(m_pCts->GetAllRigComment());
    return commenti.Find(WString(u"CONFERMA")) >= 0 && commenti.GetLength() == 10;
}

void CControlloLibretto::ControllaTutto() {
    if (!m_pCts || !m_pLibCmp || !m_pLibGps)
        return;
    // Each run judges the booklet afresh, even on a checker that has run before.
    m_MisurePresenti = 0;
    m_LineeRosseSegnalate = false;
    m_StazioniSegnalate.clear();
    m_GpsSegnalati.clear();
    m_nPuntiPrecedenti = 0;
    m_nNomiPrecedenti = 0;

    CIndicePunti indice(m_pLibGps, m_pLibCmp, m_pCts);
    CIndicePunti* const indicePrecedente = m_pIndice;
    m_pIndice = &indice;

    ControllaRiga0();
    ControllaRiga9();
    ControllaGps();
    ControllaStazioni();
    ControllaVistaRiga3();
    ControllaVistaRiga45();
    ControllaVistaRiga7();
    if (!m_MisurePresenti) {
        if (!IsPresenteConferma())
            AddMsgPregeo(-1, WString(), true, 105, WString());
        m_MisurePresenti = 0;
    }
    ControllaPuntiOri();

    m_pIndice = indicePrecedente;
}

void CControlloLibretto::ControllaVistaRiga3() {
    if (!m_pCts)
        return;
    CCtsRigArray tutte;
    m_pCts->AccorpaRighe(tutte);
    const CCtsRigArray& vista = m_pCts->m_Righe3;
    for (int i = 0; i < vista.GetRigArSize(); ++i) {
        m_pRigaCorrente = vista.GetRigAt(i);
        if (!m_pRigaCorrente)
            continue;
        if (m_pRigaCorrente->GetTipoRiga() == '3')
            ControllaRiga3(i + 1);
        else if (m_pRigaCorrente->GetTipoRiga() == '6')
            ControllaNotaRiga6(i + 1);
    }
}

void CControlloLibretto::ControllaVistaRiga45() {
    if (!m_pCts)
        return;
    const CCtsRigArray& vista = m_pCts->m_Righe45;
    for (int i = 0; i < vista.GetRigArSize(); ++i) {
        m_pRigaCorrente = vista.GetRigAt(i);
        if (!m_pRigaCorrente)
            continue;
        const char specRiga = m_pRigaCorrente->GetSpecRiga();
        switch (m_pRigaCorrente->GetTipoRiga()) {
        case '4':
            if (specRiga == 1 || specRiga == 2) {
                ControllaRiga4Speciale(i + 1);
            } else {
                m_MisurePresenti = 1;
                ControllaRiga4(i + 1);
            }
            break;
        case '5':
            if (specRiga == 0) {
                m_MisurePresenti = 1;
                ControllaRiga5(i + 1);
            } else {
                ControllaRiga5Speciale(i + 1);
            }
            break;
        case '6':
            ControllaNotaRiga6(i + 1);
            break;
        default:
            break;
        }
    }
}

void CControlloLibretto::ControllaVistaRiga7() {
    if (!m_pCts)
        return;
    const CCtsRigArray& vista = m_pCts->m_Righe7;
    for (int i = 0; i < vista.GetRigArSize(); ++i) {
        m_pRigaCorrente = vista.GetRigAt(i);
        if (!m_pRigaCorrente)
            continue;
        if (m_pRigaCorrente->GetTipoRiga() == '7')
            ControllaRiga7(i + 1);
        else if (m_pRigaCorrente->GetTipoRiga() == '6')
            ControllaNotaRiga6(i + 1);
    }
}
