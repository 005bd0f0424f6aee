#include "tolerance/DlgPregeoTollSup.h"

#include "hostapi/Conversions.h"
#include "resources/IdTollSuperfici.h"
#include "tolerance/TollSuperfici.h"

BEGIN_MESSAGE_MAP(CDlgPregeoTollSup, CExDialog)
ON_EN_CHANGE(IDC_TOLLSUP_SUP_CENS, OnSupCens)
ON_BN_CLICKED(IDC_TOLLSUP_NOMINALE, OnNatura)
ON_BN_CLICKED(IDC_TOLLSUP_REALE, OnNatura)
ON_BN_CLICKED(IDC_TOLLSUP_ESCI, OnEsci)
END_MESSAGE_MAP()

CDlgPregeoTollSup::CDlgPregeoTollSup(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_TOLL_SUPERFICI, IDD_TOLL_SUPERFICI + 1,
                                            IDD_TOLL_SUPERFICI + 2, IDD_TOLL_SUPERFICI + 3),
                parent) {}

void CDlgPregeoTollSup::SetRiga(CRig* riga) {
    m_pRiga = riga;
    m_Natura = riga ? riga->GetDatoInt1() : NATURA_NOMINALE;
    m_TestoCens = riga ? CStringDaDouble(riga->GetDatoRea2(), 0) : WString();
}

BOOL CDlgPregeoTollSup::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Particella.SubclassDlgItem(IDC_TOLLSUP_PARTICELLA, this);
    m_Madre.SubclassDlgItem(IDC_TOLLSUP_MADRE, this);
    m_SupCart.SubclassDlgItem(IDC_TOLLSUP_SUP_CART, this);
    m_SupCens.SubclassDlgItem(IDC_TOLLSUP_SUP_CENS, this);
    m_SupNeg.SubclassDlgItem(IDC_TOLLSUP_SUP_NEG, this);
    m_SupPos.SubclassDlgItem(IDC_TOLLSUP_SUP_POS, this);
    m_Nominale.SubclassDlgItem(IDC_TOLLSUP_NOMINALE, this);
    m_Reale.SubclassDlgItem(IDC_TOLLSUP_REALE, this);
    m_Esito.SubclassDlgItem(IDC_TOLLSUP_ESITO, this);
    m_Esci.SubclassDlgItem(IDC_TOLLSUP_ESCI, this);
    m_Esci.SetBtnColor(0, 2);
    CheckRadioButton(IDC_TOLLSUP_NOMINALE, IDC_TOLLSUP_REALE,
                     m_Natura == NATURA_REALE ? IDC_TOLLSUP_REALE : IDC_TOLLSUP_NOMINALE);
    // The text set here is a change of the edit, which evaluates already; the call below makes the
    // evaluation independent of that.
    m_SupCens.SetWindowText(m_TestoCens);
    Valuta();
    return TRUE;
}

void CDlgPregeoTollSup::Valuta() {
    m_Natura = m_Nominale.GetCheck() == BST_CHECKED ? NATURA_NOMINALE : NATURA_REALE;
    m_TestoCens = m_SupCens.GetWindowText();

    for (CEdit* sola : {static_cast<CEdit*>(&m_Particella), static_cast<CEdit*>(&m_Madre),
                        static_cast<CEdit*>(&m_SupCart)}) {
        sola->EnableWindow(FALSE);
        sola->SetReadOnly(TRUE);
    }
    m_SupCens.EnableWindow(TRUE);
    m_SupCens.SetReadOnly(FALSE);
    m_Nominale.EnableWindow(TRUE);
    m_Reale.EnableWindow(TRUE);

    const double calcolata = m_pRiga ? m_pRiga->GetDatoRea1() : REALE_INDEFINITO;
    m_Particella.SetWindowText(m_pRiga ? m_pRiga->GetLblNome1() : WString());
    m_Madre.SetWindowText(m_pRiga ? m_pRiga->GetLblNome2() : WString());
    m_SupCart.SetWindowText(CStringDaDouble(calcolata, 4));

    const CEsitoTollSup esito = ValutaTollSuperficie(calcolata, DoubleDaCString(m_TestoCens), m_Natura);
    m_Esito.SetWindowText(esito.inTolleranza ? u"In tolleranza" : u"Fuori tolleranza");
    m_SupPos.SetWindowText(CStringDaDouble(esito.superiore, 0));
    m_SupNeg.SetWindowText(CStringDaDouble(esito.inferiore, 0));
}

void CDlgPregeoTollSup::OnSupCens() {
    Valuta();
}

void CDlgPregeoTollSup::OnNatura() {
    Valuta();
}

void CDlgPregeoTollSup::OnEsci() {
    EndDialog(IDOK);
}
