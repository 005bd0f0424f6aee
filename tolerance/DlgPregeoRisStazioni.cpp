#include "tolerance/DlgPregeoRisStazioni.h"

#include "hostapi/Conversions.h"
#include "resources/IdRisultatiToll.h"

BEGIN_MESSAGE_MAP(CDlgPregeoRisStazioni, CExDialog)
ON_BN_CLICKED(IDC_RISSTAZ_ESCI, OnEsci)
END_MESSAGE_MAP()

CDlgPregeoRisStazioni::CDlgPregeoRisStazioni(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIS_STAZIONI, IDD_RIS_STAZIONI + 1, IDD_RIS_STAZIONI + 2,
                                            IDD_RIS_STAZIONI + 3),
                parent) {}

BOOL CDlgPregeoRisStazioni::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Esci.SubclassDlgItem(IDC_RISSTAZ_ESCI, this);
    m_Esci.SetBtnColor(0, 2);
    CreaGrigliaRisultati(m_Griglia, this, IDC_RISSTAZ_CORNICE, IDC_RISSTAZ_GRIGLIA, m_Immagini.GetLista(),
                         {{u"N.", 30},
                          {u"Esito", 40},
                          {u"Stazione", 60},
                          {u"Lato Maglia PF", 100},
                          {u"Dist.Est.", 60},
                          {u"Lung.Lato PF", 60},
                          {u"Lato PF 30%", 60}});
    if (m_pRisultati) {
        for (const CRisStazione& r : *m_pRisultati) {
            const int riga = AggiungiRigaRisultati(
                m_Griglia,
                {WString(), r.stazione, r.verticeA + u"-" + r.verticeB, CStringDaDouble(r.distanzaEsterna, 3),
                 CStringDaDouble(r.lunghezzaLato, 3), CStringDaDouble(r.lato30, 3)});
            m_Griglia.SetItemImage(riga, 1,
                                   r.inTolleranza ? IMMAGINE_IN_TOLLERANZA : IMMAGINE_FUORI_TOLLERANZA);
            m_Griglia.SetRowData(riga, reinterpret_cast<LPARAM>(&r));
        }
    }
    m_Griglia.AutoSizeColumns();
    return TRUE;
}

void CDlgPregeoRisStazioni::OnEsci() {
    EndDialog(IDOK);
}
