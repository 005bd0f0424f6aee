#include "pfimport/DlgPregeoRiga8ImportChoice.h"

#include "pfimport/DatiImportPF.h"
#include "resources/IdImportPF.h"
#include "resources/StringIds.h"
#include "resources/StringLoader.h"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8ImportChoice, CExDialog)
ON_BN_CLICKED(IDC_CHOICE_OK, OnOk)
END_MESSAGE_MAP()

CDlgPregeoRiga8ImportChoice::CDlgPregeoRiga8ImportChoice(CWnd* parent, const WString& nome, int risposta,
                                                         bool tutti)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA8_IMPORT_CHOICE, IDD_RIGA8_IMPORT_CHOICE + 1,
                                            IDD_RIGA8_IMPORT_CHOICE + 2, IDD_RIGA8_IMPORT_CHOICE + 3),
                parent),
      m_Nome(nome), m_Risposta(risposta), m_Tutti(tutti) {}

BOOL CDlgPregeoRiga8ImportChoice::OnInitDialog() {
    CExDialog::OnInitDialog();
    SetDlgItemText(IDC_CHOICE_NOME, m_Nome);
    const WString testo = CaricaStringa(IDS_PUNTO_GIA_PRESENTE);
    if (!testo.IsEmpty())
        SetDlgItemText(IDC_CHOICE_TESTO, testo);
    const UINT radio = m_Risposta == RISPOSTA_AGGIORNA ? IDC_CHOICE_AGGIORNA
                       : m_Risposta == RISPOSTA_SALTA  ? IDC_CHOICE_SALTA
                                                       : IDC_CHOICE_AGGIUNGI;
    CheckRadioButton(IDC_CHOICE_AGGIORNA, IDC_CHOICE_SALTA, radio);
    CheckDlgButton(IDC_CHOICE_TUTTI, m_Tutti ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CDlgPregeoRiga8ImportChoice::OnOk() {
    const UINT radio = GetCheckedRadioButton(IDC_CHOICE_AGGIORNA, IDC_CHOICE_SALTA);
    m_Risposta = radio == IDC_CHOICE_AGGIORNA ? RISPOSTA_AGGIORNA
                 : radio == IDC_CHOICE_SALTA  ? RISPOSTA_SALTA
                                              : RISPOSTA_AGGIUNGI;
    m_Tutti = IsDlgButtonChecked(IDC_CHOICE_TUTTI) == BST_CHECKED;
    EndDialog(IDOK);
}
