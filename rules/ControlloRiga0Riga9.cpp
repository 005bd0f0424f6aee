#include "hostapi/Conversions.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"

#include <cmath>

void CControlloLibretto::ControllaRiga0() {
    if (!m_pCts || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const auto errore = [this](int code, const WString& detail) {
        AddMsgPregeo(-1, u"0", true, code, detail);
    };

    const WString comune = m_pCts->GetCdCm();
    errore(ControlloCodiceComune(comune), u"Codice comune: " + comune);
    const WString protocollo = m_pCts->GetProt();
    errore(ControlloProtocollo(protocollo), u"Protocollo: " + protocollo);
    const WString foglio = m_pCts->GetFogl();
    errore(ControlloFoglio(foglio), u"Foglio immatricolare: " + foglio);

    const WString mappale = m_pCts->GetMapp();
    // An empty mappale is an error, a long one only a warning.
    const int lunghezza = ControlloMax30(mappale);
    AddMsgPregeo(-1, u"0", lunghezza == 34, lunghezza, u"Mappale: " + mappale);
    errore(m_pCts->m_FormatoMappale ? ControlloMappaleTermini(mappale) : ControlloMappale(mappale),
           u"Mappale: " + mappale);

    const WString qualifica = m_pCts->GetQual();
    bool qualificaValida = true;
    if (m_VerPregeo.IsVerUgualeA(VER_PREGEO_1013))
        qualificaValida =
            qualifica.Compare(u"DOTTORE IN AGRARIA") != 0 && qualifica.Compare(u"AGROTECNICO") != 0;
    else if (m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1013))
        qualificaValida = qualifica.Compare(u"DOTTORE IN AGRARIA") != 0;
    if (!qualificaValida)
        errore(106, qualifica);

    const WString nome = m_pCts->GetTcnN();
    const WString cognome = m_pCts->GetTcnC();
    const int esitoNome = ControlloMax20(nome);
    AddMsgPregeo(-1, u"0", esitoNome == 34, esitoNome, u"Nome Tecnico: " + nome);
    const int esitoCognome = ControlloMax20(cognome);
    AddMsgPregeo(-1, u"0", esitoCognome == 34, esitoCognome, u"Cognome Tecnico: " + cognome);
    errore(ControlloCaratteriStandard(nome), u"Nome Tecnico: " + nome);
    errore(ControlloCaratteriStandard(cognome), u"Cognome Tecnico: " + cognome);

    if (m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1008)) {
        if (m_pCts->GetTcnNIscr().IsEmpty())
            errore(109, WString());
        if (m_pCts->GetTcnCF().IsEmpty())
            errore(110, WString());
    }
}

void CControlloLibretto::ControllaRiga9() {
    if (!m_pCts || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const CRig9* riga = m_pCts->GetRiga9();
    const auto errore = [this](int code, const WString& detail) {
        AddMsgPregeo(-1, u"9", true, code, detail);
    };

    errore(ControlloQuota(riga->GetDatoRea1()), u"Quota ");
    const WString tipo = riga->GetLblNome2();
    errore(ControlloObbligatorio(tipo), u"Tipo Aggiornamento ");
    const short t = ShortDaStringNullZero(tipo);
    if (m_VerPregeo.IsVerMaggioreOrUgualeA(VER_PREGEO_1015)) {
        errore(ControlloTipoAggiornamento(tipo, m_pCts->m_TipoLibretto == 1), u"TipoAgg.: " + tipo);
        if ((t == 13 || t == 16) && riga->GetCaso().IsEmpty())
            errore(130, WString());
    } else {
        if (t > 0 && t != 26)
            errore(114, WString());
        if (m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1010) && tipo == u"26")
            errore(107, u"Tipo Agg.: 26");
        if (m_pCts->m_TipoLibretto == 1 && tipo != u"TM" && tipo != u"MC" && tipo != u"MA")
            errore(49, WString());
    }
    errore(ControlloEstMedia(riga->GetLblNome1()), u"Est Media ");
    errore(ControlloPrecisioni(riga->GetDatoInt1(), riga->GetDatoInt2()), u"Precisione lineare e angolare ");
    const WString nota = riga->GetLblMater();
    AddMsgPregeo(-1, u"9", false, ControlloMax40(nota), u"Nota: " + nota);
}

int CControlloLibretto::ControlloEstMedia(WString estMedia) {
    if (estMedia.IsEmpty())
        return 34;
    // "LC" stands in place of a number and is taken as written.
    if (estMedia == u"LC")
        return REGOLA_OK;
    for (int i = 0; i < estMedia.GetLength(); ++i) {
        const char16_t c = estMedia[i];
        if (!(c >= u'0' && c <= u'9') && !(c == u'-' && i == 0))
            return 11;
    }
    const double v = DoubleDaCString(estMedia);
    if (IsRealeIndefinito(v) || v - std::floor(v) > 0 || v < -999999 || v > 9999999)
        return 11;
    if (v > 3920000)
        return 103;
    if (v >= 1160000) {
        if (v == 1160000)
            return 104;
    } else {
        if (v > 200000 || v < -200000)
            return 103;
        if (v < -99000 || v > 99000)
            return 104;
    }
    if (!m_pLibCmp || !m_pCts || m_pLibCmp->GetOriArSizePregeo() < 1)
        return REGOLA_OK;
    const double calcolata = CalcolaEstMedia(m_pCts->GetFogl(), m_pLibCmp);
    return std::fabs(calcolata - v) >= 5000 ? 60 : REGOLA_OK;
}
