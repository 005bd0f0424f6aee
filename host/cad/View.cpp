// The CAD view: a window of a dialog that shows the survey drawing, hands the user's picks to the current
// object builder, and tells the transcript what the picks do and what others draw into the drawing.
#include "host/cad/EngineImpl.h"
#include "host/cad/Figura.h"
#include "host/cad/Rilievo.h"
#include "host/ui/Driver.h"
#include "host/ui/Window.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <map>
#include <ostream>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

using host::cad::Descrivi;
using host::ui::Parole;

namespace {

std::ostream* Trascrizione() {
    host::ui::Driver* driver = host::ui::ActiveDriver();
    return driver ? &driver->Transcript() : nullptr;
}

std::string Coordinate(double x, double y) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(3) << "(" << x << ", " << y << ")";
    return s.str();
}

std::string Pad(std::string s, std::size_t n) {
    if (s.size() < n)
        s.append(n - s.size(), ' ');
    return s;
}

} // namespace

struct CViewControlCAD::Impl : UiCustom, CGcadEng::Osservatore {
    explicit Impl(CViewControlCAD& v) : view(v) {}

    CViewControlCAD& view;
    host::cad::DisegnoRilievo disegno;
    int entAllApertura = 0;
    UINT id = 0;
    bool creata = false;
    bool attivo = false; // the host's drawing is done: what is drawn now is someone else's

    const CGcadEng& Eng() const { return view.m_GcadEng; }

    // The inserts of the drawing by name and by exact place, each list in creation order, kept as
    // entities come and go, so that a pick by name or the ends of a line drawn are lookups.
    std::unordered_map<std::u16string, std::vector<int>> perNome;
    std::map<std::pair<double, double>, std::vector<int>> perPosto;

    void Indicizza(int e) {
        if (!Eng().IsInsert(e))
            return;
        const CPuntoCad q = Eng().GetPuntiEnt(e)[0];
        perNome[host::cad::NomeInsert(Eng(), e).str()].push_back(e);
        perPosto[{q.x, q.y}].push_back(e);
    }
    void Dimentica(int e) {
        if (!Eng().IsInsert(e))
            return;
        const CPuntoCad q = Eng().GetPuntiEnt(e)[0];
        std::erase(perNome[host::cad::NomeInsert(Eng(), e).str()], e);
        std::erase(perPosto[{q.x, q.y}], e);
    }

    // An insert at exactly that place, by name; the coordinates otherwise.
    std::string Estremo(const CPuntoCad& p) const {
        if (const auto it = perPosto.find({p.x, p.y}); it != perPosto.end() && !it->second.empty())
            return host::ui::Quote(host::cad::NomeInsert(Eng(), it->second.front()));
        return Coordinate(p.x, p.y);
    }

    void EntAggiunta(const CGcadEng& eng, int ent) override {
        Indicizza(ent);
        std::ostream* out = attivo ? Trascrizione() : nullptr;
        if (!out)
            return;
        *out << Parole("cad: drew ", "cad: disegnato ") << Descrivi(eng, disegno, ent)
             << Parole(" in drawing ", " nel disegno ") << eng.GetDisegnoEnt(ent)
             << Parole(" (user type ", " (tipo utente ") << eng.GetUserTypeOfEnt(ent) << ")";
        const std::vector<CPuntoCad> punti = eng.GetPuntiEnt(ent);
        if (eng.GetTipoEnt(ent) == TipoEntCad::Linea && punti.size() == 2)
            *out << ": " << Estremo(punti[0]) << " - " << Estremo(punti[1]);
        *out << "\n";
    }

    void EntEliminata(const CGcadEng& eng, int ent) override {
        Dimentica(ent);
        if (std::ostream* out = attivo ? Trascrizione() : nullptr)
            *out << Parole("cad: deleted ", "cad: cancellato ") << Descrivi(eng, disegno, ent) << "\n";
    }

    std::string Selezione() const {
        std::string out;
        CGcadEntIterator it(&Eng(), 0);
        for (int e = it.First(); e != 0; e = it.Next())
            out += (out.empty() ? "" : ", ") + Descrivi(Eng(), disegno, e);
        return out.empty() ? Parole("none", "nessuno") : out;
    }

    // What a pick changed in the selection: what left it and what joined it. A selection that was
    // reordered otherwise is written whole.
    std::string CambioSelezione(const std::vector<int>& prima) const {
        const std::vector<int>& dopo = Eng().GetImpl().selezione;
        const std::unordered_set<int> restano(dopo.begin(), dopo.end());
        const std::unordered_set<int> cerano(prima.begin(), prima.end());
        std::vector<int> tolte, atteso;
        for (int e : prima)
            (restano.count(e) ? atteso : tolte).push_back(e);
        std::vector<int> aggiunte;
        for (int e : dopo)
            if (!cerano.count(e)) {
                aggiunte.push_back(e);
                atteso.push_back(e);
            }
        const auto elenco = [&](const std::vector<int>& v) {
            std::string out;
            for (int e : v)
                out += (out.empty() ? "" : ", ") + Descrivi(Eng(), disegno, e);
            return out;
        };
        std::string out;
        if (atteso != dopo)
            out = Parole("now ", "ora ") + elenco(dopo);
        else if (tolte.empty() && aggiunte.empty())
            out = Parole("unchanged", "invariata");
        else
            out = (tolte.empty() ? "" : "- " + elenco(tolte)) +
                  (tolte.empty() || aggiunte.empty() ? "" : "; ") +
                  (aggiunte.empty() ? "" : "+ " + elenco(aggiunte));
        return out + "; " +
               (dopo.empty() ? std::string(Parole("none", "nessuno")) : std::to_string(dopo.size())) +
               Parole(" selected", dopo.size() == 1 ? " selezionato" : " selezionati");
    }

    std::vector<int> Chiamati(const WString& nome) const {
        const auto it = perNome.find(nome.str());
        return it == perNome.end() ? std::vector<int>() : it->second;
    }

    CObjBuildSelPnt* Selettore() const { return dynamic_cast<CObjBuildSelPnt*>(view.m_pOB); }

    // The entity a point command names; why not, when it names none.
    std::string Bersaglio(const host::ui::Action& a, int& ent) const {
        ent = 0;
        if (a.index > 0) {
            if (Eng().GetDisegnoEnt(a.index) < 0)
                return "nel disegno non c'è l'entità #" + std::to_string(a.index);
            ent = a.index;
            return {};
        }
        if (a.row > 0) {
            const auto& righe = disegno.righe7;
            if (a.row > static_cast<int>(righe.size()))
                return "il libretto non ha la riga 7 n. " + std::to_string(a.row) + " (ne ha " +
                       std::to_string(righe.size()) + ")";
            const auto& r = righe[static_cast<std::size_t>(a.row - 1)];
            if (r.entita.empty())
                return "la riga 7 n. " + std::to_string(a.row) + " non è disegnata: " + r.nonDisegnata;
            // The row's first entity that the step's picks can hit.
            ent = r.entita.front();
            if (const CObjBuildSelPnt* b = Selettore(); b && b->GetPickPriorStrat())
                for (int e : r.entita)
                    if (b->GetPickPriorStrat()->Ammette(Eng(), e)) {
                        ent = e;
                        break;
                    }
            return {};
        }
        std::vector<int> trovati = Chiamati(a.text);
        // A fiducial point may be named short, as the booklet completes it.
        if (trovati.empty() && disegno.cts) {
            WString completo = a.text;
            disegno.cts->CompletaNomePfPregeo(completo);
            if (completo != a.text)
                trovati = Chiamati(completo);
        }
        if (trovati.empty())
            return "nessun punto del disegno si chiama " + host::ui::Quote(a.text);
        if (trovati.size() > 1) {
            std::string elenco;
            for (int e : trovati)
                elenco += (elenco.empty() ? "" : ", ") + std::string("#") + std::to_string(e);
            return "più punti si chiamano " + host::ui::Quote(a.text) + ": " + elenco +
                   " (point #N ne indica uno)";
        }
        ent = trovati.front();
        return {};
    }

    // UiCustom

    const char* KindName() const override { return "cad"; }

    // Until the page draws the survey, a person picks from the names: every point once by its handle
    // (names may repeat), then the rows 7 drawn.
    std::vector<Pick> Picks() const override {
        std::vector<Pick> out;
        CGcadEntIterator it(&Eng(), 1);
        for (int e = it.First(); e != 0; e = it.Next())
            if (Eng().IsInsert(e))
                out.push_back({host::cad::NomeInsert(Eng(), e).ToUtf8(), "point #" + std::to_string(e), {e}});
        for (const auto& r : disegno.righe7)
            if (!r.entita.empty())
                out.push_back({"riga 7 n. " + std::to_string(r.numero) + " " + r.riga->GetLblNome1().ToUtf8(),
                               "point row " + std::to_string(r.numero), r.entita});
        return out;
    }

    // Why the last pick was not taken, as the terminal says it; empty when it was.
    std::string nonIndicato;
    void NonIndicato(std::ostream& out, const std::string& chi, const char* test, const char* persona) {
        out << "cad: " << chi << Parole(test, persona);
        nonIndicato = "cad: " + chi + persona;
        if (!nonIndicato.empty() && nonIndicato.back() == '\n')
            nonIndicato.pop_back();
    }
    std::string LastRefusal() const override { return nonIndicato; }

    std::string Svg() const override {
        host::cad::OpzioniFigura opzioni;
        opzioni.finestra = view.m_Finestra;
        opzioni.scala = view.m_bScala;
        opzioni.sopra = host::cad::SopraLeViste();
        return host::cad::FiguraSvg(Eng(), disegno, opzioni);
    }

    std::string Render(bool full, const std::string& indent) const override {
        if (!full) {
            std::string out = host::ui::Quote(view.GetWindowText()) + " " +
                              std::to_string(Eng().GetNumEnt()) +
                              Parole(" entities, selected ", " entità, selezionati: ") + Selezione();
            if (view.m_bZoom)
                out += Parole(", zoom mode", ", modo zoom");
            if (view.m_bPan)
                out += Parole(", pan mode", ", modo pan");
            if (view.m_bScala)
                out += Parole(", scale mode", ", modo scala");
            if (view.m_bSelInCorso)
                out += Parole(", selection open", ", selezione aperta");
            const Finestra& f = view.m_Finestra;
            std::ostringstream w;
            w << std::fixed << std::setprecision(3) << Parole(", window E ", ", finestra E ") << f.xMin
              << " - " << f.xMax << " N " << f.yMin << " - " << f.yMax;
            return out + w.str();
        }
        std::string out =
            indent + Parole("points (handle, user type, name):\n", "punti (numero, tipo utente, nome):\n");
        CGcadEntIterator it(&Eng(), 1);
        for (int e = it.First(); e != 0; e = it.Next())
            if (Eng().IsInsert(e))
                out += indent + "  " + Pad("#" + std::to_string(e), 6) +
                       Pad(std::to_string(Eng().GetUserTypeOfEnt(e)), 4) +
                       host::ui::Quote(host::cad::NomeInsert(Eng(), e)) + "\n";
        out += indent + Parole("rows 7:\n", "righe 7:\n");
        for (const auto& r : disegno.righe7) {
            out += indent + Parole("  row ", "  riga ") + std::to_string(r.numero) + " " +
                   host::ui::Quote(r.riga->GetLblNome1());
            if (r.entita.empty()) {
                out += Parole(": not drawn, ", ": non disegnata, ") + r.nonDisegnata + "\n";
                continue;
            }
            out += ":";
            for (int e : r.entita)
                out += " #" + std::to_string(e) + " " +
                       (Eng().GetTipoEnt(e) == TipoEntCad::Polilinea ? Parole("polyline", "polilinea")
                                                                     : Parole("label", "etichetta"));
            out += Parole(" (user type ", " (tipo utente ") + std::to_string(host::cad::UT_RIGA7) + ")\n";
        }
        return out + indent + Parole("selected: ", "selezionati: ") + Selezione() + "\n";
    }

    std::string Check(const host::ui::Action& a) override {
        if (a.verb == host::ui::Action::Verb::Snapshot)
            return host::cad::FormatoFigura(a.text.ToUtf8()).empty() ? "l'immagine va in un file .svg o .png"
                                                                     : std::string();
        if (!view.m_bConSelezione)
            return "questa vista CAD mostra soltanto il disegno";
        int ent = 0;
        return Bersaglio(a, ent);
    }

    void Perform(const host::ui::Action& a, std::ostream& out) override {
        if (a.verb == host::ui::Action::Verb::Snapshot) {
            std::string error;
            host::cad::OpzioniFigura opzioni;
            opzioni.finestra = view.m_Finestra;
            opzioni.scala = view.m_bScala;
            if (host::cad::ScriviFigura(Eng(), disegno, opzioni, a.text.ToUtf8(), error))
                out << Parole("cad: picture of the view written to ", "cad: immagine della vista scritta in ")
                    << a.text.ToUtf8() << "\n";
            else
                out << Parole("cad: no picture: ", "cad: nessuna immagine: ") << error << "\n";
            return;
        }
        int ent = 0;
        Bersaglio(a, ent);
        nonIndicato.clear();
        const std::string chi = Descrivi(Eng(), disegno, ent);
        if (view.m_bZoom || view.m_bPan) {
            const CPuntoCad p = Eng().GetPuntiEnt(ent).front();
            Finestra f = view.m_Finestra;
            const double mezzaX = (f.xMax - f.xMin) / (view.m_bZoom ? 4 : 2);
            const double mezzaY = (f.yMax - f.yMin) / (view.m_bZoom ? 4 : 2);
            view.CambiaFinestra({p.x - mezzaX, p.y - mezzaY, p.x + mezzaX, p.y + mezzaY});
            out << "cad: "
                << (view.m_bZoom ? Parole("zoomed in on ", "ingrandito su ")
                                 : Parole("panned to ", "spostato su "))
                << chi << "\n";
            return;
        }
        if (!view.m_pOB) {
            if (CObjectBuilder* ob = view.StartNewOBDefault()) {
                view.SetCurrentOB(ob);
                ob->Esegui();
            }
        }
        CObjBuildSelPnt* b = Selettore();
        if (!b) {
            NonIndicato(out, chi, " not picked: no step takes picks now\n",
                        " non indicato: ora nessun passo accetta indicazioni\n");
            return;
        }
        if (!b->IsAvviato()) {
            NonIndicato(out, chi, " not picked: the step has not started\n",
                        " non indicato: il passo non è ancora iniziato\n");
            return;
        }
        if (b->GetPickPriorStrat() && !b->GetPickPriorStrat()->Ammette(Eng(), ent)) {
            NonIndicato(out, chi, " not picked: this step's picks pass over it\n",
                        " non indicato: le indicazioni di questo passo lo saltano\n");
            return;
        }
        if (!b->IsValidEnt(ent)) {
            NonIndicato(out, chi, " not picked: this step does not take it\n",
                        " non indicato: questo passo non lo accetta\n");
            return;
        }
        out << Parole("cad: picked ", "cad: indicato ") << chi << "\n";
        const std::vector<int> prima = Eng().GetImpl().selezione;
        if (b->Pick(ent) == CObjBuildSelPnt::EsitoPick::Rifiutato)
            out << Parole("cad: the step refused ", "cad: il passo ha rifiutato ") << chi << "\n";
        out << Parole("cad: selection ", "cad: selezione ") << CambioSelezione(prima) << "\n";
    }
};

CViewControlCAD::CViewControlCAD(CWnd*, ICarviloDati* host, bool vistaPrincipale, bool conSelezione)
    : m_pHost(host), m_bVistaPrincipale(vistaPrincipale), m_bConSelezione(conSelezione),
      m_pImpl(std::make_unique<Impl>(*this)) {}

CViewControlCAD::~CViewControlCAD() {
    if (UiWindow* w = host::ui::WindowOf(this))
        w->custom = nullptr;
    // The builder's own drawing goes with it, while the drawing is still watched.
    delete m_pOB;
    m_pOB = nullptr;
    if (m_pImpl->creata)
        if (std::ostream* out = Trascrizione())
            *out << Parole("cad: view ", "cad: vista ") << m_pImpl->id
                 << Parole(" closed with ", " chiusa con ") << m_GcadEng.GetNumEnt()
                 << Parole(" entities (", " entità (") << m_pImpl->entAllApertura
                 << Parole(" when it opened)\n", " all'apertura)\n");
    m_GcadEng.SetOsservatore(nullptr);
}

BOOL CViewControlCAD::Create(const char16_t*, const WString& windowName, DWORD style, const CRect& rect,
                             CWnd* parent, UINT id) {
    UiWindow* p = host::ui::WindowOf(parent);
    if (!p || GetUiWindow() || m_pImpl->creata)
        return FALSE;
    auto w = std::make_unique<UiWindow>();
    w->kind = ControlKind::Static;
    w->id = id;
    w->style = style;
    w->text = windowName;
    w->rect = rect;
    w->visible = (style & WS_VISIBLE) != 0;
    w->enabled = (style & WS_DISABLED) == 0;
    w->parent = p;
    w->object = this;
    w->custom = m_pImpl.get();
    host::ui::BindObject(*this, w.get());
    p->children.push_back(std::move(w));

    Impl& impl = *m_pImpl;
    impl.id = id;
    impl.disegno = host::cad::DisegnaRilievo(m_GcadEng, host::cad::DatiDi(m_pHost));
    impl.entAllApertura = m_GcadEng.GetNumEnt();
    for (const int e : m_GcadEng.GetImpl().InDisegno())
        impl.Indicizza(e);
    impl.creata = true;
    impl.attivo = true;
    m_GcadEng.SetOsservatore(&impl);
    SetInitialZoom();
    if (std::ostream* out = Trascrizione()) {
        *out << Parole("cad: view ", "cad: la vista ") << id
             << Parole(" shows the survey: ", " mostra il rilievo: ") << impl.entAllApertura
             << Parole(" entities, ", " entità, ") << impl.disegno.punti << Parole(" points, ", " punti, ")
             << impl.disegno.righe7.size() << Parole(" rows 7\n", " righe 7\n");
        for (const auto& r : impl.disegno.righe7)
            if (r.entita.empty())
                *out << Parole("cad: row 7 n. ", "cad: la riga 7 n. ") << r.numero << " "
                     << host::ui::Quote(r.riga->GetLblNome1())
                     << Parole(" is not drawn: ", " non è disegnata: ") << r.nonDisegnata << "\n";
    }
    if (!m_pOB)
        if (CObjectBuilder* ob = StartNewOBDefault()) {
            SetCurrentOB(ob);
            ob->Esegui();
        }
    return TRUE;
}

void CViewControlCAD::PostNcDestroy() {
    delete this;
}

CObjectBuilder* CViewControlCAD::StartNewOBDefault() {
    return nullptr;
}

void CViewControlCAD::SetCurrentOB(CObjectBuilder* builder) {
    if (builder == m_pOB)
        return;
    // The previous builder takes what it drew with it.
    CObjectBuilder* previous = m_pOB;
    m_pOB = builder;
    delete previous;
}

void CViewControlCAD::CambiaFinestra(const Finestra& nuova) {
    constexpr std::size_t kMaxPrecedenti = 32;
    if (m_Precedenti.size() == kMaxPrecedenti)
        m_Precedenti.erase(m_Precedenti.begin());
    m_Precedenti.push_back(m_Finestra);
    m_Finestra = nuova;
}

void CViewControlCAD::ZoomRealOperation() {
    m_bZoom = !m_bZoom;
    m_bPan = false;
}

void CViewControlCAD::PanRealOperation() {
    m_bPan = !m_bPan;
    m_bZoom = false;
}

void CViewControlCAD::ZoomWindowOperation() {
    std::vector<int> scelti;
    CGcadEntIterator it(&m_GcadEng, 0);
    for (int e = it.First(); e != 0; e = it.Next())
        scelti.push_back(e);
    CambiaFinestra(scelti.empty() ? host::cad::Estensione(m_GcadEng)
                                  : host::cad::EstensioneDi(m_GcadEng, scelti));
}

void CViewControlCAD::ZoomExtendedOperation(const CRect* rect) {
    CRect client;
    GetClientRect(&client);
    if (!rect || client.Width() <= 0 || client.Height() <= 0 || rect->Width() <= 0 || rect->Height() <= 0) {
        CambiaFinestra(host::cad::Estensione(m_GcadEng));
        return;
    }
    // Client y grows downwards, north upwards.
    const Finestra& f = m_Finestra;
    const double sx = (f.xMax - f.xMin) / client.Width(), sy = (f.yMax - f.yMin) / client.Height();
    CambiaFinestra({f.xMin + rect->left * sx, f.yMax - rect->bottom * sy, f.xMin + rect->right * sx,
                    f.yMax - rect->top * sy});
}

void CViewControlCAD::ViewPreviousOperation() {
    if (m_Precedenti.empty())
        return;
    m_Finestra = m_Precedenti.back();
    m_Precedenti.pop_back();
}

void CViewControlCAD::ScaleOperation() {
    m_bScala = !m_bScala;
}

void CViewControlCAD::SetInitialZoom() {
    m_Finestra = host::cad::Estensione(m_GcadEng);
    m_Precedenti.clear();
}

void CViewControlCAD::ResetSelection() {
    m_bSelInCorso = false;
}

int CViewControlCAD::GetEgnSelected(std::vector<CEgn*>& points, std::vector<int>& ents) {
    std::vector<int> scelti;
    CGcadEntIterator it(&m_GcadEng, 0);
    for (int e = it.First(); e != 0; e = it.Next())
        if (m_GcadEng.IsInsert(e))
            scelti.push_back(e);
    if (const auto* b = dynamic_cast<const CObjBuildSelPnt*>(m_pOB); b && b->GetEntAncora() != 0) {
        const auto ancora = std::find(scelti.begin(), scelti.end(), b->GetEntAncora());
        if (ancora != scelti.end())
            std::rotate(scelti.begin(), ancora, ancora + 1);
    }
    for (int e : scelti) {
        int blocco = 0;
        double x = 0, y = 0, z = 0;
        m_GcadEng.GetValInsert(e, blocco, x, y, z);
        auto* p = new CEgn(host::cad::NomeInsert(m_GcadEng, e));
        p->SetCoord(x, y, z);
        p->CalcolaValiditaXYZ();
        WString secondo;
        if (m_GcadEng.GetValAttrib(m_GcadEng.GetAttribNo(e, 1), secondo))
            p->SetSecScri(secondo);
        points.push_back(p);
        ents.push_back(e);
    }
    return static_cast<int>(scelti.size());
}
