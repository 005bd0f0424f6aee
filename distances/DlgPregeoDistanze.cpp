#include "distances/DlgPregeoDistanze.h"

#include "distances/DlgPregeoImportDistanze.h"
#include "distances/DlgPregeoVerificaDistanze.h"
#include "distances/GrigliaDistanze.h"
#include "distances/ImportDistanze.h"
#include "distances/VerificaDistanze.h"
#include "resources/IdDistanze.h"

BEGIN_MESSAGE_MAP(CDlgPregeoDistanze, CExDialog)
ON_BN_CLICKED(IDC_DIST_VERIFICA, OnVerifica)
ON_BN_CLICKED(IDC_DIST_IMPORTA, OnImporta)
ON_BN_CLICKED(IDC_DIST_FINE, OnFine)
END_MESSAGE_MAP()

CDlgPregeoDistanze::CDlgPregeoDistanze(CWnd* parent)
    : CExDialog(
          CPalmDevice::SelectIdDlgStd(IDD_DISTANZE, IDD_DISTANZE + 1, IDD_DISTANZE + 2, IDD_DISTANZE + 3),
          parent) {}

BOOL CDlgPregeoDistanze::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Verifica.SubclassDlgItem(IDC_DIST_VERIFICA, this);
    m_Importa.SubclassDlgItem(IDC_DIST_IMPORTA, this);
    m_Fine.SubclassDlgItem(IDC_DIST_FINE, this);
    m_Verifica.SetBtnColor(2, 1);
    m_Importa.SetBtnColor(2, 1);
    m_Fine.SetBtnColor(0, 2);
    CRect rect;
    GetDlgItem(IDC_DIST_CORNICE)->GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_Griglia.Create(rect, this, IDC_DIST_GRIGLIA);
    PreparaGriglia(m_Griglia, {{u"N.", 30},
                               {u"1°Punto", 60},
                               {u"2°Punto", 60},
                               {u"Distanza", 60},
                               {u"SQM", 60},
                               {u"Libretto", 60}});
    RiempiGriglia();
    return TRUE;
}

void CDlgPregeoDistanze::RiempiGriglia() {
    m_Griglia.DeleteNonFixedRows();
    if (m_pCts) {
        const CLibEstrMap& estratto = m_pCts->m_EstrMap;
        for (int i = 0; i < estratto.GetDistanzaArSize(); ++i) {
            const CCtsDistanza& d = *estratto.GetDistanzaAt(i);
            AggiungiRigaGriglia(m_Griglia,
                                {WString::Formatted(u"%d", i + 1), d.GetNome1(), d.GetNome2(),
                                 TestoMetri(d.GetDistanza()), TestoMetri(d.GetSqm()), d.GetRifLibretto()});
        }
    }
    m_Griglia.AutoSizeColumns();
    m_Griglia.Refresh();
}

void CDlgPregeoDistanze::OnVerifica() {
    CVerificaDistanze verifica(m_pCmp, m_pGps, m_pCts);
    verifica.Costruisci();
    if (verifica.GetNumCoppieMisurate() == 0) {
        CreateMessageBox(this, u"Nessuna distanza da analizzare.", TITOLO_DISTANZE, MB_ICONEXCLAMATION);
        return;
    }
    CDlgPregeoVerificaDistanze dlg(this, verifica);
    dlg.DoModal();
}

void CDlgPregeoDistanze::OnImporta() {
    CDlgPregeoImportDistanze dlg(this);
    dlg.Imposta(m_pCts, m_pGps, m_pCmp);
    if (dlg.DoModal() != IDOK)
        return;
    m_Modificato = true;
    RiempiGriglia();
}

void CDlgPregeoDistanze::OnFine() {
    EndDialog(IDOK);
}
