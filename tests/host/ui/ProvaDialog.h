// A test-only dialog that uses every part of the toolkit: tab pages, radio groups, an editable combo,
// a drop-down list, a list box, a grid with check boxes and images, a nested dialog and message boxes.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Resources.h"

#include <memory>
#include <string>
#include <vector>

const DialogTemplate* const* ProvaDialogs(std::size_t& count);
const StringResource* ProvaStrings(std::size_t& count);

namespace prova {

// Template sets (four variants each).
constexpr UINT IDD_PROVA = 9000;
constexpr UINT IDD_PAGINA_DATI = 9004;
constexpr UINT IDD_PAGINA_ELENCO = 9008;
constexpr UINT IDD_DETTAGLIO = 9012;
constexpr UINT IDD_CONTROLLI = 9016; // controls driven from code by ToolkitTest

// Main dialog.
constexpr UINT IDC_TAB = 9010;
constexpr UINT IDC_CORNICE = 9011;
constexpr UINT IDC_OK = 9020;
constexpr UINT IDC_ANNULLA = 9021;
// Page "Dati".
constexpr UINT IDC_NOME = 9102;
constexpr UINT IDC_ATTIVO = 9103;
constexpr UINT IDC_TIPO1 = 9104;
constexpr UINT IDC_TIPO2 = 9105;
constexpr UINT IDC_TIPO3 = 9106;
constexpr UINT IDC_NOMINALE = 9107;
constexpr UINT IDC_REALE = 9108;
constexpr UINT IDC_COMUNE = 9110;
constexpr UINT IDC_PROVINCIA = 9111;
constexpr UINT IDC_CODICE = 9112;
// Page "Elenco".
constexpr UINT IDC_CORNICE_GRIGLIA = 9201;
constexpr UINT IDC_GRIGLIA = 9202;
constexpr UINT IDC_DESCRIZIONE = 9203;
constexpr UINT IDC_ELENCO = 9204;
constexpr UINT IDC_ELIMINA = 9205;
constexpr UINT IDC_TUTTO = 9206;
// Nested dialog.
constexpr UINT IDC_DETT_NOME = 9301;
constexpr UINT IDC_DETT_OK = 9302;

// The test templates, as a module's resource section offers them (tests/host/ui/Prova.rc).
const ResourceTable* ProvaResourceTable();

struct Record {
    WString nome;
    bool attivo = false;
    int tipo = 0;   // 1..3
    int natura = 0; // 0 nominale, 1 reale
    WString provincia;
    WString comune;
    std::vector<WString> punti; // names of the rows left in the grid
};

class CDlgPaginaDati;
class CDlgPaginaElenco;

// Two tab pages, "Dati" and "Elenco"; a tap on a row's name opens the nested dialog "Dettaglio punto".
class CDlgProva : public CExDialog {
public:
    explicit CDlgProva(CWnd* parent);
    ~CDlgProva() override;
    BOOL OnInitDialog() override;
    Record m_Record;
    int m_Inits = 0;

protected:
    void OnOk();
    void OnAnnulla();
    void OnTab(NMHDR* nm, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CDlgPaginaDati> m_Dati;
    std::unique_ptr<CDlgPaginaElenco> m_Elenco;
    CTabCtrl m_Tab;
};

} // namespace prova
