#include "tolerance/DlgPregeoVerTolleranza.h"

#include "resources/IdVerTolleranza.h"

namespace {

// What ">>" does when a prompt is shown.
enum class Avanti { Disabilita, Abilita, Invariato };

struct Messaggio {
    int tipo;
    int chiave; // step or notification code
    const char16_t* testo;
    Avanti avanti;
};

constexpr Messaggio kPassi[] = {
    {1, 0, u"Selezionare il punto iniziale per il calcolo delle distanze", Avanti::Disabilita},
    {1, 1, u"Selezionare i punti finali per il calcolo delle distanze", Avanti::Invariato},
    {2, 0, u"Selezionare una riga di tipo 7 chiusa", Avanti::Disabilita},
    {3, 0, u"Selezionare il primo vertice del lato della maglia fiduciale", Avanti::Disabilita},
    {3, 1, u"Selezionare punto esterno alla maglia", Avanti::Disabilita},
    {3, 2, u"Selezionare punto interno alla maglia", Avanti::Disabilita},
};

constexpr Messaggio kNotifiche[] = {
    {1, 1, u"Sostituire il punto iniziale selezionato oppure premere '>>'", Avanti::Abilita},
    {2, 5, u"Sostituire la riga di tipo 7 selezionata oppure premere '>>'", Avanti::Abilita},
    {3, 1, u"Sostituire il punto esterno selezionato oppure premere '>>'", Avanti::Abilita},
    {3, 2, u"Selezionare il secondo vertice del lato della maglia fiduciale", Avanti::Invariato},
    {3, 3, u"Sostituire il secondo vertice selezionato oppure premere '>>'", Avanti::Abilita},
    {3, 4, u"Selezionare un altro punto interno oppure premere '>>'", Avanti::Abilita},
};

template <std::size_t N> const Messaggio* Trova(const Messaggio (&tabella)[N], int tipo, int chiave) {
    for (const Messaggio& m : tabella)
        if (m.tipo == tipo && m.chiave == chiave)
            return &m;
    return nullptr;
}

const char16_t* TitoloTipo(int tipo) {
    switch (tipo) {
    case TOLL_DISTANZE:
        return u"Tolleranza tra distanze";
    case TOLL_SUPERFICI:
        return u"Tolleranza su superfici";
    case TOLL_OGGETTO_RILIEVO:
        return u"Toll. per oggetto del rilievo: Distanze";
    default:
        return u"";
    }
}

// Images of "GPSAcquisCADButtons.bmp".
constexpr int IMG_ZOOM = 1, IMG_ZOOM_ATTIVO = 11, IMG_PAN = 9, IMG_PAN_ATTIVO = 10, IMG_ZOOM_FINESTRA = 3,
              IMG_ZOOM_ESTESO = 2, IMG_VISTA_PRECEDENTE = 5, IMG_SCALA = 19, IMG_SCALA_ATTIVA = 20;

} // namespace

BEGIN_MESSAGE_MAP(CDlgPregeoVerTolleranza, CExDialog)
ON_BN_CLICKED(IDC_VERTOLL_ZOOM, OnZoom)
ON_BN_CLICKED(IDC_VERTOLL_PAN, OnPan)
ON_BN_CLICKED(IDC_VERTOLL_ZOOM_FINESTRA, OnZoomFinestra)
ON_BN_CLICKED(IDC_VERTOLL_ZOOM_ESTESO, OnZoomEsteso)
ON_BN_CLICKED(IDC_VERTOLL_VISTA_PRECEDENTE, OnVistaPrecedente)
ON_BN_CLICKED(IDC_VERTOLL_SCALA, OnScala)
ON_BN_CLICKED(IDC_VERTOLL_INDIETRO, OnIndietro)
ON_BN_CLICKED(IDC_VERTOLL_AVANTI, OnAvanti)
ON_BN_CLICKED(IDC_VERTOLL_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoVerTolleranza::CDlgPregeoVerTolleranza(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_VER_TOLLERANZA, IDD_VER_TOLLERANZA + 1,
                                            IDD_VER_TOLLERANZA + 2, IDD_VER_TOLLERANZA + 3),
                parent) {}

CDlgPregeoVerTolleranza::~CDlgPregeoVerTolleranza() {
    // A dialog abandoned without its window being destroyed still owns its view.
    delete m_pVista;
    if (m_pBmpStrumenti) {
        m_pBmpStrumenti->DeleteObject();
        delete m_pBmpStrumenti;
    }
}

BOOL CDlgPregeoVerTolleranza::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Titolo.SubclassDlgItem(IDC_VERTOLL_TITOLO, this);
    m_Prompt.SubclassDlgItem(IDC_VERTOLL_PROMPT, this);
    m_Segnaposto.SubclassDlgItem(IDC_VERTOLL_SEGNAPOSTO, this);
    m_Indietro.SubclassDlgItem(IDC_VERTOLL_INDIETRO, this);
    m_Avanti.SubclassDlgItem(IDC_VERTOLL_AVANTI, this);
    m_Annulla.SubclassDlgItem(IDC_VERTOLL_ANNULLA, this);
    m_Zoom.SubclassDlgItem(IDC_VERTOLL_ZOOM, this);
    m_Pan.SubclassDlgItem(IDC_VERTOLL_PAN, this);
    m_ZoomFinestra.SubclassDlgItem(IDC_VERTOLL_ZOOM_FINESTRA, this);
    m_ZoomEsteso.SubclassDlgItem(IDC_VERTOLL_ZOOM_ESTESO, this);
    m_VistaPrecedente.SubclassDlgItem(IDC_VERTOLL_VISTA_PRECEDENTE, this);
    m_Scala.SubclassDlgItem(IDC_VERTOLL_SCALA, this);

    if (!m_pBmpStrumenti)
        m_pBmpStrumenti = LoadASupportBmp(u"GPSAcquisCADButtons.bmp");
    const int lato = 23 * CPalmDevice::GetResMultiplier();
    m_ImmaginiStrumenti.DeleteImageList();
    m_ImmaginiStrumenti.Create(lato, lato, ILC_COLOR24 | ILC_MASK, 0, 1);
    m_ImmaginiStrumenti.Add(m_pBmpStrumenti, RGB(255, 0, 255));
    for (CColButton* b : {&m_Zoom, &m_Pan, &m_ZoomFinestra, &m_ZoomEsteso, &m_VistaPrecedente, &m_Scala})
        b->SetImageList(&m_ImmaginiStrumenti);
    m_Zoom.SetImage(IMG_ZOOM);
    m_Pan.SetImage(IMG_PAN);
    m_ZoomFinestra.SetImage(IMG_ZOOM_FINESTRA);
    m_ZoomEsteso.SetImage(IMG_ZOOM_ESTESO);
    m_VistaPrecedente.SetImage(IMG_VISTA_PRECEDENTE);
    m_Scala.SetImage(IMG_SCALA);

    CreaVista();
    m_Indietro.SetBtnColor(0, 2);
    m_Avanti.SetBtnColor(0, 2);
    m_Annulla.SetBtnColor(0, 2);
    m_Titolo.SetWindowText(TitoloTipo(m_Tipo));
    MostraPasso(0);
    return TRUE;
}

void CDlgPregeoVerTolleranza::CreaVista() {
    if (!m_pVista) {
        switch (m_Tipo) {
        case TOLL_DISTANZE:
            m_pVista = new CPregeoCADViewDist(&m_Segnaposto, m_pHost);
            break;
        case TOLL_SUPERFICI:
            m_pVista = new CPregeoCADViewSup(&m_Segnaposto, m_pHost);
            break;
        case TOLL_OGGETTO_RILIEVO:
            m_pVista = new CPregeoCADViewOggRil(&m_Segnaposto, m_pHost);
            break;
        default:
            return;
        }
        m_pVista->SetNotifica(this);
        CRect rect;
        m_Segnaposto.GetWindowRect(&rect);
        ScreenToClient(&rect);
        m_pVista->Create(nullptr, u"PregeoCADView", WS_CHILD | WS_VISIBLE, rect, this, IDC_VERTOLL_VISTA);
        m_pVista->PostMessage(WM_SETFOCUS);
        m_pVista->SetInitialZoom();
    }
    m_pVista->GetGcadEng()->DeselectAllEnt();
    m_pVista->ShowWindow(SW_SHOW);
    m_pVista->UpdateWindow();
    m_Scala.SetImage(m_pVista->IsScale() ? IMG_SCALA_ATTIVA : IMG_SCALA);
    m_VistaPrecedente.SetImage(IMG_VISTA_PRECEDENTE);
}

BOOL CDlgPregeoVerTolleranza::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Whatever the user pressed, the keys go back to the drawing.
    if (m_pVista && m_pVista->IsWindowVisible())
        m_pVista->GetGcadEng()->SetFocus(m_pVista);
    return CExDialog::OnCommand(wParam, lParam);
}

void CDlgPregeoVerTolleranza::OnDestroy() {
    if (m_pVista) {
        // The view goes with its window.
        CPregeoCADView* vista = m_pVista;
        m_pVista = nullptr;
        if (!vista->DestroyWindow())
            delete vista;
    }
    CExDialog::OnDestroy();
}

void CDlgPregeoVerTolleranza::MostraPasso(int passo) {
    if (const Messaggio* m = Trova(kPassi, m_Tipo, passo)) {
        m_Prompt.SetWindowText(m->testo);
        if (m->avanti == Avanti::Disabilita)
            m_Avanti.EnableWindow(FALSE);
    }
    m_Indietro.EnableWindow(passo >= 1);
}

bool CDlgPregeoVerTolleranza::OnSelNotify(int codice) {
    const Messaggio* m = Trova(kNotifiche, m_Tipo, codice);
    if (!m)
        return false;
    m_Prompt.SetWindowText(m->testo);
    if (m->avanti == Avanti::Abilita)
        m_Avanti.EnableWindow(TRUE);
    return true;
}

void CDlgPregeoVerTolleranza::AggiornaImmagini() {
    if (!m_pVista)
        return;
    m_Zoom.SetImage(m_pVista->IsInZoom() ? IMG_ZOOM_ATTIVO : IMG_ZOOM);
    m_Pan.SetImage(m_pVista->IsInPan() ? IMG_PAN_ATTIVO : IMG_PAN);
    m_Scala.SetImage(m_pVista->IsScale() ? IMG_SCALA_ATTIVA : IMG_SCALA);
    m_VistaPrecedente.SetImage(IMG_VISTA_PRECEDENTE);
}

void CDlgPregeoVerTolleranza::OnZoom() {
    if (m_pVista)
        m_pVista->ZoomRealOperation();
    AggiornaImmagini();
}

void CDlgPregeoVerTolleranza::OnPan() {
    if (m_pVista)
        m_pVista->PanRealOperation();
    AggiornaImmagini();
}

void CDlgPregeoVerTolleranza::OnZoomFinestra() {
    if (m_pVista)
        m_pVista->ZoomWindowOperation();
    AggiornaImmagini();
}

void CDlgPregeoVerTolleranza::OnZoomEsteso() {
    if (m_pVista)
        m_pVista->ZoomExtendedOperation(nullptr);
    AggiornaImmagini();
}

void CDlgPregeoVerTolleranza::OnVistaPrecedente() {
    if (m_pVista)
        m_pVista->ViewPreviousOperation();
    AggiornaImmagini();
}

void CDlgPregeoVerTolleranza::OnScala() {
    if (m_pVista)
        m_pVista->ScaleOperation();
    AggiornaImmagini();
}

void CDlgPregeoVerTolleranza::OnIndietro() {
    if (!m_pVista)
        return;
    m_pVista->Indietro();
    MostraPasso(m_pVista->GetPasso());
}

void CDlgPregeoVerTolleranza::OnAvanti() {
    if (!m_pVista)
        return;
    if (!m_pVista->IsUltimoPasso()) {
        m_pVista->Avanti();
        MostraPasso(m_pVista->GetPasso());
        return;
    }
    if (!m_pVista->ValidaPasso())
        return;
    m_pVista->SetSelezioneInCorso(false);
    m_pVista->ResetSelection();
    if (m_pRisultato)
        m_pVista->RiempiRisultato(*m_pRisultato);
    EndDialog(IDOK);
}

void CDlgPregeoVerTolleranza::OnAnnulla() {
    EndDialog(IDCANCEL);
}
