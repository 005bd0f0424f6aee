#include "editors/DlgPregeoRiga9.h"

#include "hostapi/Conversions.h"
#include "resources/IdRiga0Riga9.h"
#include "rules/Regole.h"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga9, CExDialog)
ON_CBN_SELCHANGE(IDC_RIGA9_TIPO_AGG, OnTipoAggCambiato)
ON_CBN_SELCHANGE(IDC_RIGA9_AGG_AUTO, OnAggAutoCambiato)
ON_BN_CLICKED(IDC_RIGA9_CALCOLA, OnCalcola)
ON_BN_CLICKED(IDC_RIGA9_OK, OnOk)
ON_BN_CLICKED(IDC_RIGA9_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoRiga9::CDlgPregeoRiga9(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA9, IDD_RIGA9 + 1, IDD_RIGA9 + 2, IDD_RIGA9 + 3), parent) {
}

BOOL CDlgPregeoRiga9::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Quota.SubclassDlgItem(IDC_RIGA9_QUOTA, this);
    m_EstMedia.SubclassDlgItem(IDC_RIGA9_EST_MEDIA, this);
    m_Calcola.SubclassDlgItem(IDC_RIGA9_CALCOLA, this);
    m_PrecLin.SubclassDlgItem(IDC_RIGA9_PREC_LIN, this);
    m_PrecAng.SubclassDlgItem(IDC_RIGA9_PREC_ANG, this);
    m_Nota.SubclassDlgItem(IDC_RIGA9_NOTA, this);
    m_TipoAgg.SubclassDlgItem(IDC_RIGA9_TIPO_AGG, this);
    m_AggAuto.SubclassDlgItem(IDC_RIGA9_AGG_AUTO, this);
    m_Descrizione.SubclassDlgItem(IDC_RIGA9_DESCRIZIONE, this);
    m_Ok.SubclassDlgItem(IDC_RIGA9_OK, this);
    m_Annulla.SubclassDlgItem(IDC_RIGA9_ANNULLA, this);
    m_Calcola.SetBtnColor(2, 1);
    m_Ok.SetBtnColor(0, 2);
    m_Annulla.SetBtnColor(0, 2);
    m_PrecLin.AddString(u"10");
    m_PrecLin.AddString(u"100");
    m_PrecAng.AddString(u"20");
    m_PrecAng.AddString(u"100");

    // A dialog that runs again starts from the file again.
    m_Tipi = CTipiAggiornamento();
    const bool tipiLetti = m_Tipi.Carica();
    for (const auto& voce : m_Tipi.Principali())
        m_TipoAgg.SetItemData(m_TipoAgg.AddString(voce->testo), reinterpret_cast<std::uintptr_t>(voce.get()));
    for (const auto& voce : m_Tipi.Automatici())
        m_AggAuto.SetItemData(m_AggAuto.AddString(voce->testo), reinterpret_cast<std::uintptr_t>(voce.get()));

    m_Calcola.EnableWindow(IsEstMediaCalcolabile(m_pLibCmp));
    if (const std::optional<WString> avviso =
            AvvisoFileSupporto({{FILE_TIPI_AGG, tipiLetti, m_Tipi.GetRigheScartate()}}))
        CreateMessageBox(this, *avviso, TITOLO_AVVISO_SUPPORTO, MB_ICONEXCLAMATION);
    if (!m_pCts)
        return TRUE;
    const CRig9& riga = *m_pCts->GetRiga9();
    m_Nota.SetWindowText(riga.GetLblMater());
    m_Quota.SetWindowText(QuotaDaMostrare(riga.GetDatoRea1()));
    m_EstMedia.SetWindowText(riga.GetLblNome1());
    m_PrecLin.SetCurSel(riga.GetDatoInt1() == 100 ? 1 : 0);
    m_PrecAng.SetCurSel(riga.GetDatoInt2() == 100 ? 1 : 0);

    const CSceltaTipoAgg scelta = SceltaIniziale(m_Tipi, riga.GetLblNome2(), riga.GetCaso());
    m_TipoAgg.SetCurSel(scelta.principale);
    OnTipoAggCambiato();
    if (scelta.automatico >= 0) {
        m_AggAuto.SetCurSel(scelta.automatico);
        OnAggAutoCambiato();
    }
    return TRUE;
}

bool CDlgPregeoRiga9::IsUltimoTipoScelto() const {
    const int n = m_TipoAgg.GetCount();
    return n > 0 && m_TipoAgg.GetCurSel() == n - 1;
}

void CDlgPregeoRiga9::OnTipoAggCambiato() {
    if (IsUltimoTipoScelto()) {
        m_Descrizione.ShowWindow(SW_SHOW);
        m_AggAuto.EnableWindow(TRUE);
        m_AggAuto.SetCurSel(0);
        OnAggAutoCambiato();
    } else {
        m_Descrizione.ShowWindow(SW_HIDE);
        m_AggAuto.EnableWindow(FALSE);
    }
}

void CDlgPregeoRiga9::OnAggAutoCambiato() {
    const int i = m_AggAuto.GetCurSel();
    if (i < 0)
        return;
    const auto* voce = reinterpret_cast<const CTipoAggiornamento*>(m_AggAuto.GetItemData(i));
    if (voce)
        m_Descrizione.SetWindowText(voce->descrizione);
}

void CDlgPregeoRiga9::OnCalcola() {
    if (!m_pCts)
        return;
    m_EstMedia.SetWindowText(CStringDaDouble(CalcolaEstMedia(m_pCts->GetFogl(), m_pLibCmp), 0));
}

const CTipoAggiornamento* CDlgPregeoRiga9::VoceScelta() const {
    const CComboBox& combo = IsUltimoTipoScelto() ? m_AggAuto : m_TipoAgg;
    const int i = combo.GetCurSel();
    return i < 0 ? nullptr : reinterpret_cast<const CTipoAggiornamento*>(combo.GetItemData(i));
}

void CDlgPregeoRiga9::OnOk() {
    CDatiRiga9 dati;
    dati.quota = m_Quota.GetWindowText();
    dati.estMedia = m_EstMedia.GetWindowText();
    dati.nota = m_Nota.GetWindowText();
    dati.lineare100 = m_PrecLin.GetCurSel() == 1;
    dati.angolare100 = m_PrecAng.GetCurSel() == 1;
    dati.scelta = VoceScelta();
    if (!m_pCts)
        return;
    if (const std::optional<CRifiuto> rifiuto = ValidaRiga9(dati, *m_pCts, m_pLibCmp)) {
        CreateMessageBox(this, rifiuto->testo, TITOLO_RIGA9, rifiuto->icona);
        return;
    }
    SalvaRiga9(dati, *m_pCts->GetRiga9());
    EndDialog(IDOK);
}

void CDlgPregeoRiga9::OnAnnulla() {
    EndDialog(IDCANCEL);
}
