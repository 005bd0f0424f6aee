#include "tolerance/DlgPregeoRisOggRilDist.h"

#include "hostapi/Conversions.h"
#include "resources/IdOggRilievo.h"
#include "tolerance/GrigliaRisultati.h"
#include "tolerance/TollOggRilievoDist.h"

BEGIN_MESSAGE_MAP(CDlgPregeoRisOggRilDist, CExDialog)
ON_BN_CLICKED(IDC_RISOGG_ESCI, OnEsci)
END_MESSAGE_MAP()

CDlgPregeoRisOggRilDist::CDlgPregeoRisOggRilDist(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIS_OGGRIL_DIST, IDD_RIS_OGGRIL_DIST + 1,
                                            IDD_RIS_OGGRIL_DIST + 2, IDD_RIS_OGGRIL_DIST + 3),
                parent) {}

void CDlgPregeoRisOggRilDist::SetDati(ICarviloDati* host, const std::vector<CEgn*>& punti) {
    m_pHost = host;
    m_Interni.clear();
    m_Prossimo = 0;
    if (punti.size() < 3)
        return;
    m_pFid1 = punti[0];
    m_pFid2 = punti[1];
    m_pEsterno = punti[2];
    m_Interni.assign(punti.begin() + 3, punti.end());
}

BOOL CDlgPregeoRisOggRilDist::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Esci.SubclassDlgItem(IDC_RISOGG_ESCI, this);
    m_Esci.SetBtnColor(0, 2);
    CreaGrigliaRisultati(m_Griglia, this, IDC_RISOGG_CORNICE, IDC_RISOGG_GRIGLIA, nullptr,
                         {{u"Punto", 60}, {u"Nome", 60}, {u"Est", 60}, {u"Nord", 60}});
    MostraSuccessivo();
    return TRUE;
}

bool CDlgPregeoRisOggRilDist::MostraSuccessivo() {
    if (m_Prossimo >= m_Interni.size())
        return false;
    m_Esci.SetWindowText(m_Prossimo + 1 < m_Interni.size() ? u"Successivo" : u"Fine");
    const CEgn* interno = m_Interni[m_Prossimo];
    const CEsitoOggRilDist esito = ValutaOggRilDist(*m_pFid1, *m_pFid2, *m_pEsterno, *interno);
    SetDlgItemText(IDC_RISOGG_DIST_INTERNA, CStringDaDouble(esito.distInterna, 3));
    SetDlgItemText(IDC_RISOGG_DIST_ESTERNA, CStringDaDouble(esito.distEsterna, 3));
    SetDlgItemText(IDC_RISOGG_DIST_30, CStringDaDouble(esito.dist30, 3));
    SetDlgItemText(IDC_RISOGG_ESITO, esito.inTolleranza ? u"In tolleranza" : u"Fuori tolleranza");
    m_Griglia.DeleteNonFixedRows();
    const struct {
        const char16_t* ruolo;
        const CEgn* punto;
    } righe[] = {{u"Pt.Esterno", m_pEsterno},
                 {u"Pt.Fiduc.1", m_pFid1},
                 {u"Pt.Fiduc.2", m_pFid2},
                 {u"Pt.Interno", interno}};
    for (const auto& r : righe)
        AggiungiRigaGriglia(m_Griglia, {r.ruolo, r.punto->GetNome(), CStringDaDouble(r.punto->GetCoordX(), 3),
                                        CStringDaDouble(r.punto->GetCoordY(), 3)});
    m_Griglia.AutoSizeColumns();
    ++m_Prossimo;
    return true;
}

void CDlgPregeoRisOggRilDist::OnEsci() {
    if (!MostraSuccessivo())
        EndDialog(IDOK);
}
