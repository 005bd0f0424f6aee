#include "tolerance/DlgPregeoRisSuperfici.h"

#include "hostapi/Conversions.h"
#include "resources/IdRisultatiToll.h"

BEGIN_MESSAGE_MAP(CDlgPregeoRisSuperfici, CExDialog)
ON_BN_CLICKED(IDC_RISSTAZ_ESCI, OnEsci)
END_MESSAGE_MAP()

// The station results' template: the same placeholder and button.
CDlgPregeoRisSuperfici::CDlgPregeoRisSuperfici(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIS_STAZIONI, IDD_RIS_STAZIONI + 1, IDD_RIS_STAZIONI + 2,
                                            IDD_RIS_STAZIONI + 3),
                parent) {}

BOOL CDlgPregeoRisSuperfici::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Esci.SubclassDlgItem(IDC_RISSTAZ_ESCI, this);
    m_Esci.SetBtnColor(0, 2);
    CreaGrigliaRisultati(m_Griglia, this, IDC_RISSTAZ_CORNICE, IDC_RISSTAZ_GRIGLIA, m_Immagini.GetLista(),
                         {{u"N.", 30},
                          {u"Esito", 40},
                          {u"Nome", 60},
                          {u"Vertici", 100},
                          {u"Sup.Int.", 60},
                          {u"Sup.Int.30%", 60},
                          {u"Sup.Est.", 60}});
    if (m_pRisultati) {
        for (const CRisSuperficie& r : *m_pRisultati) {
            WString vertici;
            for (int i = 0; i < r.riga->GetVrtArSize(); ++i)
                vertici += (i > 0 ? u"-" : u"") + r.riga->GetVrtAt(i)->GetNome();
            const int riga = AggiungiRigaRisultati(
                m_Griglia, {WString(), r.riga->GetLblNome1(), vertici, CStringDaDouble(r.supInterna, 3),
                            CStringDaDouble(r.supInterna30, 3), CStringDaDouble(r.supEsterna, 3)});
            m_Griglia.SetItemImage(riga, 1,
                                   r.inTolleranza ? IMMAGINE_IN_TOLLERANZA : IMMAGINE_FUORI_TOLLERANZA);
            m_Griglia.SetRowData(riga, reinterpret_cast<LPARAM>(&r));
        }
    }
    m_Griglia.AutoSizeColumns();
    return TRUE;
}

void CDlgPregeoRisSuperfici::OnEsci() {
    EndDialog(IDOK);
}
