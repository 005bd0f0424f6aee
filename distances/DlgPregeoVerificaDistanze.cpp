#include "distances/DlgPregeoVerificaDistanze.h"

#include "distances/GrigliaDistanze.h"
#include "hostapi/Conversions.h"
#include "resources/IdDistanze.h"

namespace {

constexpr int kTabRisultati = 0;
constexpr int kTabOpzioni = 1;
constexpr int kColonnaEsito = 1;

const char16_t* const kScale[] = {u"1:500", u"1:1000", u"1:2000", u"1:4000"};

WString Intervallo(double inferiore, double superiore) {
    if (IsRealeIndefinito(inferiore) && IsRealeIndefinito(superiore))
        return WString();
    return TestoMetri(inferiore) + u" - " + TestoMetri(superiore);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Options page

CDlgPregeoOpzioniDistanze::CDlgPregeoOpzioniDistanze(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_OPZIONI_DISTANZE, IDD_OPZIONI_DISTANZE + 1,
                                            IDD_OPZIONI_DISTANZE + 2, IDD_OPZIONI_DISTANZE + 3),
                parent) {}

BOOL CDlgPregeoOpzioniDistanze::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Scala.SubclassDlgItem(IDC_OPZ_SCALA, this);
    for (const char16_t* scala : kScale)
        m_Scala.AddString(scala);
    return TRUE;
}

void CDlgPregeoOpzioniDistanze::Carica(const COpzioniTollDist& opzioni, bool confronto) {
    CheckRadioButton(IDC_OPZ_ZONA_URBANA, IDC_OPZ_ZONA_SFAVOREVOLE,
                     IDC_OPZ_ZONA_URBANA + static_cast<UINT>(opzioni.zona));
    m_Scala.SetCurSel(opzioni.scala);
    CheckRadioButton(IDC_OPZ_MEDIA, IDC_OPZ_SINGOLE, opzioni.calcolo == 1 ? IDC_OPZ_SINGOLE : IDC_OPZ_MEDIA);
    for (UINT id :
         {IDC_OPZ_LBL_SCALA, IDC_OPZ_SCALA, IDC_OPZ_GRUPPO_RISULTATI, IDC_OPZ_MEDIA, IDC_OPZ_SINGOLE})
        GetDlgItem(id)->ShowWindow(confronto ? SW_SHOW : SW_HIDE);
}

COpzioniTollDist CDlgPregeoOpzioniDistanze::Leggi(const COpzioniTollDist& attuali) const {
    COpzioniTollDist o = attuali;
    if (const UINT zona = GetCheckedRadioButton(IDC_OPZ_ZONA_URBANA, IDC_OPZ_ZONA_SFAVOREVOLE))
        o.zona = static_cast<int>(zona - IDC_OPZ_ZONA_URBANA);
    if (m_Scala.GetCurSel() >= 0)
        o.scala = m_Scala.GetCurSel();
    o.calcolo = GetCheckedRadioButton(IDC_OPZ_MEDIA, IDC_OPZ_SINGOLE) == IDC_OPZ_SINGOLE ? 1 : 0;
    return o;
}

// ---------------------------------------------------------------------------------------------------
// "Verifica distanze"

BEGIN_MESSAGE_MAP(CDlgPregeoVerificaDistanze, CExDialog)
ON_NOTIFY(TCN_SELCHANGE, IDC_VERDIST_TAB, OnTab)
ON_BN_CLICKED(IDC_VERDIST_FINE, OnFine)
END_MESSAGE_MAP()

CDlgPregeoVerificaDistanze::CDlgPregeoVerificaDistanze(CWnd* parent, CVerificaDistanze& verifica)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_VERIFICA_DISTANZE, IDD_VERIFICA_DISTANZE + 1,
                                            IDD_VERIFICA_DISTANZE + 2, IDD_VERIFICA_DISTANZE + 3),
                parent),
      m_Confronto(true), m_pVerifica(&verifica), m_Pagina(this) {}

CDlgPregeoVerificaDistanze::CDlgPregeoVerificaDistanze(CWnd* parent,
                                                       std::vector<CIntervalloDistanza>& intervalli)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_VERIFICA_DISTANZE, IDD_VERIFICA_DISTANZE + 1,
                                            IDD_VERIFICA_DISTANZE + 2, IDD_VERIFICA_DISTANZE + 3),
                parent),
      m_Confronto(false), m_pIntervalli(&intervalli), m_Pagina(this) {}

CDlgPregeoVerificaDistanze::~CDlgPregeoVerificaDistanze() = default;

BOOL CDlgPregeoVerificaDistanze::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_OpzioniMostrate = false;
    m_Tab.SubclassDlgItem(IDC_VERDIST_TAB, this);
    m_Fine.SubclassDlgItem(IDC_VERDIST_FINE, this);
    m_Fine.SetBtnColor(0, 2);
    m_Tab.InsertItem(kTabRisultati, u"Risultati");
    m_Tab.InsertItem(kTabOpzioni, u"Opzioni");

    CRect cornice;
    CWnd* frame = GetDlgItem(IDC_VERDIST_CORNICE);
    frame->GetWindowRect(&cornice);
    ScreenToClient(&cornice);
    frame->ShowWindow(SW_HIDE);

    m_Griglia.Create(cornice, this, IDC_VERDIST_GRIGLIA);
    if (m_Confronto) {
        m_Bitmap.reset(LoadASupportBmp(u"Esiti.bmp"));
        m_Esiti.Create(16, 16, ILC_COLOR | ILC_MASK, 2, 2);
        m_Esiti.Add(m_Bitmap.get(), RGB(255, 255, 255));
        m_Griglia.SetImageList(&m_Esiti);
        PreparaGriglia(m_Griglia, {{u"N.", 30},
                                   {u"Esito", 30},
                                   {u"1°Punto", 60},
                                   {u"2°Punto", 60},
                                   {u"Zona", 30},
                                   {u"Toll.", 60},
                                   {u"Diff.", 60},
                                   {u"Dist.Mis.", 60},
                                   {u"Dist.Confr.", 60},
                                   {u"Tipo dist.", 60},
                                   {u"Intervallo", 60}});
    } else {
        PreparaGriglia(m_Griglia, {{u"N.", 30},
                                   {u"1°Punto", 60},
                                   {u"2°Punto", 60},
                                   {u"Zona", 30},
                                   {u"Toll.", 60},
                                   {u"Dist.Mis.", 60},
                                   {u"Intervallo", 60}});
    }

    m_Pagina.Create(m_Pagina.GetTemplateId(), this);
    m_Pagina.SetWindowedMode(cornice);
    m_Pagina.ShowWindow(SW_HIDE);

    m_Opzioni = COpzioniTollDist::Leggi();
    // The intervals come in with the first zone's values; only a zone chosen here recomputes them.
    if (m_Confronto && m_pVerifica)
        m_pVerifica->Calcola(m_Opzioni);
    m_Tab.SetCurSel(kTabRisultati);
    MostraRisultati();
    return TRUE;
}

void CDlgPregeoVerificaDistanze::Applica() {
    m_Opzioni = m_Pagina.Leggi(m_Opzioni);
    if (m_Confronto) {
        if (m_pVerifica)
            m_pVerifica->Calcola(m_Opzioni);
    } else if (m_pIntervalli) {
        for (CIntervalloDistanza& intervallo : *m_pIntervalli)
            intervallo.Calcola(m_Opzioni.zona);
    }
}

void CDlgPregeoVerificaDistanze::RiempiGriglia() {
    m_Griglia.DeleteNonFixedRows();
    int n = 0;
    if (m_Confronto && m_pVerifica) {
        for (std::size_t i = 0; i < m_pVerifica->GetNumRisultati(); ++i) {
            const CRisultatoDistanza r = m_pVerifica->GetRisultato(i);
            const int riga = AggiungiRigaGriglia(
                m_Griglia, {WString::Formatted(u"%d", ++n), WString(), r.nome1, r.nome2,
                            WString::Formatted(u"%d", r.zona + 1), TestoMetri(r.tolleranza),
                            TestoMetri(r.differenza), TestoMetri(r.misurata), TestoMetri(r.confronto),
                            r.tipo + r.libretto, Intervallo(r.inferiore, r.superiore)});
            // A pair that cannot be judged shows neither image.
            const int immagine = r.esito == ESITO_FUORI ? 1 : (r.esito == ESITO_IN ? 0 : -1);
            m_Griglia.SetItemImage(riga, kColonnaEsito, immagine);
        }
    } else if (m_pIntervalli) {
        for (const CIntervalloDistanza& i : *m_pIntervalli)
            AggiungiRigaGriglia(m_Griglia,
                                {WString::Formatted(u"%d", ++n), i.nome1, i.nome2,
                                 WString::Formatted(u"%d", i.zonaMostrata), TestoMetri(i.tolleranza),
                                 TestoMetri(i.misurata), Intervallo(i.inferiore, i.superiore)});
    }
    m_Griglia.AutoSizeColumns();
    m_Griglia.Refresh();
}

void CDlgPregeoVerificaDistanze::MostraRisultati() {
    if (m_OpzioniMostrate)
        Applica();
    RiempiGriglia();
    m_Pagina.ShowWindow(SW_HIDE);
    m_Griglia.ShowWindow(SW_SHOW);
    m_OpzioniMostrate = false;
}

void CDlgPregeoVerificaDistanze::MostraOpzioni() {
    m_Griglia.ShowWindow(SW_HIDE);
    m_Pagina.Carica(m_Opzioni, m_Confronto);
    m_Pagina.ShowWindow(SW_SHOW);
    m_OpzioniMostrate = true;
}

void CDlgPregeoVerificaDistanze::OnTab(NMHDR*, LRESULT*) {
    if (m_Tab.GetCurSel() == kTabOpzioni)
        MostraOpzioni();
    else
        MostraRisultati();
}

void CDlgPregeoVerificaDistanze::OnFine() {
    if (m_OpzioniMostrate)
        Applica();
    // Options not written are only not remembered: the results shown hold, and "Fine" is the only way out.
    m_Opzioni.Scrivi(m_Confronto);
    EndDialog(IDOK);
}
