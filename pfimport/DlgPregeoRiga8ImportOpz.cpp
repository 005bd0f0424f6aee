#include "pfimport/DlgPregeoRiga8ImportOpz.h"

#include "hostapi/Conversions.h"
#include "hostapi/Settings.h"
#include "pfimport/DatiImportPF.h"
#include "resources/IdImportPF.h"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8ImportOpz, CExDialog)
ON_BN_CLICKED(IDC_OPZ_CHK_ATTENDIB, OnChkAttendib)
ON_BN_CLICKED(IDC_OPZ_OK, OnOk)
ON_BN_CLICKED(IDC_OPZ_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoRiga8ImportOpz::CDlgPregeoRiga8ImportOpz(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA8_IMPORT_OPZ, IDD_RIGA8_IMPORT_OPZ + 1,
                                            IDD_RIGA8_IMPORT_OPZ + 2, IDD_RIGA8_IMPORT_OPZ + 3),
                parent) {}

BOOL CDlgPregeoRiga8ImportOpz::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Fogli.SubclassDlgItem(IDC_OPZ_FOGLI, this);
    m_Attendib.SubclassDlgItem(IDC_OPZ_ATTENDIB, this);
    const CImpostazioniCatasto s = LeggiImpostazioniCatasto();
    m_Fogli.SetWindowText(s.fogli);
    m_Attendib.SetWindowText(WString::Formatted(u"%d", static_cast<int>(s.attendib)));
    CheckDlgButton(IDC_OPZ_CHK_ATTENDIB, s.chkAttendib ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_OPZ_CHK_NON_UTIL, s.chkNonUtil ? BST_CHECKED : BST_UNCHECKED);
    OnChkAttendib();
    return TRUE;
}

void CDlgPregeoRiga8ImportOpz::OnChkAttendib() {
    m_Attendib.EnableWindow(IsDlgButtonChecked(IDC_OPZ_CHK_ATTENDIB) == BST_CHECKED);
}

// The import filters with what it reads back: options not written would filter with the old ones. The
// host has told the user why; the dialog stays open.
void CDlgPregeoRiga8ImportOpz::OnOk() {
    CIniFile ini;
    if (!ini.WriteString(SEZIONE_CATASTO, CHIAVE_FOGLIO, m_Fogli.GetWindowText()) ||
        !ini.WriteLong(SEZIONE_CATASTO, CHIAVE_ATTENDIB, ShortDaString32000(m_Attendib.GetWindowText())) ||
        !ini.WriteBool(SEZIONE_CATASTO, CHIAVE_CHK_ATTENDIB,
                       IsDlgButtonChecked(IDC_OPZ_CHK_ATTENDIB) == BST_CHECKED) ||
        !ini.WriteBool(SEZIONE_CATASTO, CHIAVE_CHK_NON_UTIL,
                       IsDlgButtonChecked(IDC_OPZ_CHK_NON_UTIL) == BST_CHECKED))
        return;
    EndDialog(IDOK);
}

void CDlgPregeoRiga8ImportOpz::OnAnnulla() {
    EndDialog(IDCANCEL);
}
