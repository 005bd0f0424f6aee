#include "distances/DlgPregeoImportDistanze.h"

#include "resources/IdDistanze.h"

// ---------------------------------------------------------------------------------------------------
// "Importa punti fiduciali"

BEGIN_MESSAGE_MAP(CDlgPuntoPresente, CExDialog)
ON_BN_CLICKED(IDC_PRESENTE_OK, OnOk)
END_MESSAGE_MAP()

CDlgPuntoPresente::CDlgPuntoPresente(CWnd* parent, const WString& descrizione, int risposta, bool tutti)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_PUNTO_PRESENTE, IDD_PUNTO_PRESENTE + 1,
                                            IDD_PUNTO_PRESENTE + 2, IDD_PUNTO_PRESENTE + 3),
                parent),
      m_Descrizione(descrizione), m_Risposta(risposta), m_Tutti(tutti) {}

BOOL CDlgPuntoPresente::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Ok.SubclassDlgItem(IDC_PRESENTE_OK, this);
    m_Ok.SetBtnColor(0, 2);
    SetDlgItemText(IDC_PRESENTE_DESCRIZIONE, m_Descrizione);
    const int risposta = m_Risposta >= DUPLICATO_AGGIORNA && m_Risposta <= DUPLICATO_ANNULLA ? m_Risposta : 0;
    CheckRadioButton(IDC_PRESENTE_AGGIORNA, IDC_PRESENTE_ANNULLA,
                     IDC_PRESENTE_AGGIORNA + static_cast<UINT>(risposta));
    CheckDlgButton(IDC_PRESENTE_TUTTI, m_Tutti ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CDlgPuntoPresente::OnOk() {
    const UINT scelta = GetCheckedRadioButton(IDC_PRESENTE_AGGIORNA, IDC_PRESENTE_ANNULLA);
    m_Risposta = scelta ? static_cast<int>(scelta - IDC_PRESENTE_AGGIORNA) : DUPLICATO_AGGIORNA;
    m_Tutti = IsDlgButtonChecked(IDC_PRESENTE_TUTTI) == BST_CHECKED;
    EndDialog(IDOK);
}

// ---------------------------------------------------------------------------------------------------
// "Importa distanze"

BEGIN_MESSAGE_MAP(CDlgPregeoImportDistanze, CExDialog)
ON_BN_CLICKED(IDC_IMPDIST_INTERNET, OnSorgente)
ON_BN_CLICKED(IDC_IMPDIST_ARCHIVIO, OnSorgente)
ON_BN_CLICKED(IDC_IMPDIST_CAMBIA, OnCambia)
ON_BN_CLICKED(IDC_IMPDIST_OK, OnOk)
ON_BN_CLICKED(IDC_IMPDIST_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoImportDistanze::CDlgPregeoImportDistanze(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_IMPORTA_DISTANZE, IDD_IMPORTA_DISTANZE + 1,
                                            IDD_IMPORTA_DISTANZE + 2, IDD_IMPORTA_DISTANZE + 3),
                parent) {}

BOOL CDlgPregeoImportDistanze::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_ComboFile.SubclassDlgItem(IDC_IMPDIST_FILE, this);
    m_Cambia.SubclassDlgItem(IDC_IMPDIST_CAMBIA, this);
    m_Ok.SubclassDlgItem(IDC_IMPDIST_OK, this);
    m_Annulla.SubclassDlgItem(IDC_IMPDIST_ANNULLA, this);
    m_Cambia.SetBtnColor(2, 1);
    m_Ok.SetBtnColor(0, 2);
    m_Annulla.SetBtnColor(0, 2);
    // A new opening starts with a fresh duplicate answer.
    m_Import = std::make_unique<CImportDistanze>(
        m_pCts, m_pGps, m_pCmp, [this](const WString& descrizione, int& risposta, bool& tutti) {
            ChiediDuplicato(descrizione, risposta, tutti);
        });
    CheckRadioButton(IDC_IMPDIST_INTERNET, IDC_IMPDIST_ARCHIVIO, IDC_IMPDIST_INTERNET);
    m_Cartella = CJobsFolder::GetJobNameFolderWthSlash();
    SetDlgItemText(IDC_IMPDIST_CARTELLA, m_Cartella);
    RiempiFile();
    OnSorgente();
    return TRUE;
}

void CDlgPregeoImportDistanze::RiempiFile() {
    m_File = ElencoFileDis(m_Cartella);
    m_ComboFile.ResetContent();
    for (const WString& nome : m_File)
        m_ComboFile.AddString(nome);
}

void CDlgPregeoImportDistanze::OnSorgente() {
    const BOOL archivio = IsDlgButtonChecked(IDC_IMPDIST_ARCHIVIO) == BST_CHECKED;
    for (UINT id : {IDC_IMPDIST_LBL_CARTELLA, IDC_IMPDIST_LBL_FILE, IDC_IMPDIST_FILE, IDC_IMPDIST_CAMBIA})
        GetDlgItem(id)->EnableWindow(archivio);
}

void CDlgPregeoImportDistanze::OnCambia() {
    WString cartella;
    if (!DlgSelectJobFolder(this, cartella))
        return;
    const char16_t ultimo = cartella.IsEmpty() ? u'\0' : cartella.GetAt(cartella.GetLength() - 1);
    if (ultimo != u'\\' && ultimo != u'/')
        cartella += u'\\';
    m_Cartella = cartella;
    SetDlgItemText(IDC_IMPDIST_CARTELLA, m_Cartella);
    RiempiFile();
}

void CDlgPregeoImportDistanze::ChiediDuplicato(const WString& descrizione, int& risposta, bool& tutti) {
    CDlgPuntoPresente dlg(this, descrizione, risposta, tutti);
    if (dlg.DoModal() != IDOK) {
        // Closed without a choice: this distance stays as it is.
        risposta = DUPLICATO_ANNULLA;
        return;
    }
    risposta = dlg.GetRisposta();
    tutti = dlg.GetTutti();
}

void CDlgPregeoImportDistanze::OnOk() {
    CEsitoImport esito;
    if (IsDlgButtonChecked(IDC_IMPDIST_ARCHIVIO) == BST_CHECKED) {
        const int i = m_ComboFile.GetCurSel();
        const WString nome =
            i >= 0 && i < static_cast<int>(m_File.size()) ? m_File[static_cast<std::size_t>(i)] : WString();
        esito = m_Import->ImportaFile(m_Cartella, static_cast<int>(m_File.size()), nome);
    } else {
        esito = m_Import->ImportaWeb(this);
    }
    CreateMessageBox(this, esito.testo, TITOLO_DISTANZE, esito.icona);
    if (esito.importato)
        EndDialog(IDOK);
}

void CDlgPregeoImportDistanze::OnAnnulla() {
    EndDialog(IDCANCEL);
}
