#include "tolerance/DlgPregeoRisToll.h"

#include "resources/IdRisultatiToll.h"
#include "tolerance/GrigliaRisultati.h"

namespace {

constexpr const char16_t* kSeleziona = u"Selezionare una riga sulla griglia per visualizzarne la descrizione";

} // namespace

BEGIN_MESSAGE_MAP(CDlgPregeoRisToll, CExDialog)
ON_NOTIFY(GVN_SELCHANGED, IDC_RISTOLL_GRIGLIA, OnSelezione)
ON_BN_CLICKED(IDC_RISTOLL_ESCI, OnEsci)
END_MESSAGE_MAP()

CDlgPregeoRisToll::CDlgPregeoRisToll(CWnd* parent)
    : CExDialog(
          CPalmDevice::SelectIdDlgStd(IDD_RIS_TOLL, IDD_RIS_TOLL + 1, IDD_RIS_TOLL + 2, IDD_RIS_TOLL + 3),
          parent) {}

void CDlgPregeoRisToll::AddRisultato(int rowNumber, WString rowType, bool isError, int kind,
                                     WString description) {
    m_Risultati.push_back(std::make_unique<CRisultatoToll>(
        CRisultatoToll{rowNumber, std::move(rowType), isError, kind, std::move(description)}));
}

BOOL CDlgPregeoRisToll::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Esci.SubclassDlgItem(IDC_RISTOLL_ESCI, this);
    m_Esci.SetBtnColor(0, 2);
    CreaGrigliaRisultati(m_Griglia, this, IDC_RISTOLL_CORNICE, IDC_RISTOLL_GRIGLIA, nullptr,
                         {{u"N.", 30}, {u"N.Riga", 60}, {u"Tipo Riga", 60}, {u"Errore", 60}});
    SetDlgItemText(IDC_RISTOLL_DESCRIZIONE, kSeleziona);
    for (const auto& r : m_Risultati) {
        const int riga = AggiungiRigaRisultati(m_Griglia, {WString::Formatted(u"%d", r->riga),
                                                           WString::Formatted(u"Riga %s", r->tipoRiga),
                                                           r->tipo == 61 ? u"Prolungamento" : u"Squadro"});
        m_Griglia.SetRowData(riga, reinterpret_cast<LPARAM>(r.get()));
    }
    m_Griglia.AutoSizeColumns();
    return TRUE;
}

void CDlgPregeoRisToll::OnSelezione(NMHDR*, LRESULT*) {
    const CCellID cella = m_Griglia.GetFocusCell();
    const auto* r =
        cella.IsValid() ? reinterpret_cast<const CRisultatoToll*>(m_Griglia.GetRowData(cella.row)) : nullptr;
    SetDlgItemText(IDC_RISTOLL_DESCRIZIONE,
                   r && !r->descrizione.IsEmpty() ? r->descrizione : WString(kSeleziona));
}

void CDlgPregeoRisToll::OnEsci() {
    EndDialog(IDOK);
}
