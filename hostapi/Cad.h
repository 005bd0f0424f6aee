// The host's CAD engine and CAD view: the drawing of the survey, its selection, and the object builders
// through which a view hands the user's picks to whoever asked for them.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Dialog.h"
#include "hostapi/Platform.h"
#include "hostapi/Points.h"
#include "hostapi/WString.h"

#include <cstdint>
#include <memory>
#include <vector>

// ---------------------------------------------------------------------------------------------------
// The engine

// Kinds of entity. An attribute belongs to its insert and is reached through it.
enum class TipoEntCad : BYTE { Nessuna, Insert, Attributo, Linea, Polilinea, Testo };

// Target drawings: the survey drawing, and the temporary drawing that shows what is being picked.
constexpr int DISEGNO_RILIEVO = 0;
constexpr int DISEGNO_TEMPORANEO = 1;

struct CPuntoCad {
    double x = 0;
    double y = 0;
    double z = 0;
};

// A drawing of entities named by integer handles (0 is no entity). An entity is created outside the
// drawings, then added to one; deleting it takes it out of its drawing and of the selection. Each entity
// carries a user type and a user datum, which the host sets when it draws the survey (see the docs of
// the host's drawing for their meanings). The selection keeps the order in which entities were selected.
class HOSTAPI CGcadEng {
public:
    CGcadEng();
    ~CGcadEng();
    CGcadEng(const CGcadEng&) = delete;
    CGcadEng& operator=(const CGcadEng&) = delete;

    // New entities, not yet in a drawing.
    int CreateLine(double x1, double y1, double z1, double x2, double y2, double z2);
    int CreatePolyline(const std::vector<CPuntoCad>& vertices, bool closed);
    // A point symbol of the given block at its insertion point.
    int CreateInsert(int block, double x, double y, double z);
    // Appends an attribute to an insert: attribute 0 holds the point name, 1 its secondary text. The
    // attribute's handle, 0 when `insert` is not an insert.
    int AddAttrib(int insert, const WString& value);
    int CreateText(double x, double y, const WString& text);

    // Adds the entity to the target drawing (DISEGNO_RILIEVO or DISEGNO_TEMPORANEO) and draws it. False
    // when there is no such entity, it is already in a drawing, or it is an attribute.
    bool AddAndDrawEntToList(int ent, int drawing);
    // Deletes the entity (an insert with its attributes); false when there is none.
    bool DeleteEnt(int ent);
    bool EsisteEnt(int ent) const;
    TipoEntCad GetTipoEnt(int ent) const;
    // The drawing the entity is in, -1 when it is in none.
    int GetDisegnoEnt(int ent) const;
    // Entities in the drawings, attributes not counted.
    int GetNumEnt() const;

    // User information: a type and a pointer-sized datum, 0 until set.
    void SetUserInfoToEnt(int ent, int userType, std::uintptr_t userData);
    int GetUserTypeOfEnt(int ent) const;
    std::uintptr_t GetUserDataOfEnt(int ent) const;

    bool IsInsert(int ent) const;
    // The block and the insertion point of an insert; false (values untouched) when it is not one.
    bool GetValInsert(int ent, int& block, double& x, double& y, double& z) const;
    // The handle of attribute n of an insert, 0 when it has none.
    int GetAttribNo(int insert, int n) const;
    bool GetValAttrib(int attrib, WString& value) const;
    bool SetValAttrib(int attrib, const WString& value);
    // The points of a line, polyline, insert or text; whether a polyline is closed.
    std::vector<CPuntoCad> GetPuntiEnt(int ent) const;
    bool IsPolilineaChiusa(int ent) const;
    WString GetTestoEnt(int ent) const;

    // Selection. Only entities in a drawing can be selected; selecting a selected entity changes nothing.
    bool SelectEnt(int ent);
    bool UnselectEnt(int ent);
    void DeselectAllEnt();
    bool IsSelectThisEnt(int ent) const;
    int GetNumSelected() const;

    // Gives the keyboard focus to the drawing's window.
    void SetFocus(CWnd* view);
    CWnd* GetFocusWnd() const { return m_pFocus; }

    // Whoever watches the drawing change (the host's view writes it into the transcript): told of every
    // entity added to a drawing and of every entity deleted, before it goes.
    class Osservatore {
    public:
        virtual ~Osservatore() = default;
        virtual void EntAggiunta(const CGcadEng& eng, int ent) = 0;
        virtual void EntEliminata(const CGcadEng& eng, int ent) = 0;
    };
    void SetOsservatore(Osservatore* watcher) { m_pOsservatore = watcher; }

    struct Impl;
    const Impl& GetImpl() const { return *m_pImpl; }

private:
    std::unique_ptr<Impl> m_pImpl;
    CWnd* m_pFocus = nullptr;
    Osservatore* m_pOsservatore = nullptr;
};

// Walks the entities of the drawings: flag 1 every entity in creation order, flag 0 the selected ones in
// the order they were selected. The walk is of the entities there when it started; one deleted since is
// skipped, so the selection may change during the walk.
class HOSTAPI CGcadEntIterator {
public:
    CGcadEntIterator(const CGcadEng* eng, int flag);
    // The first entity, 0 when there is none; then the next one, 0 at the end.
    int First();
    int Next();

private:
    const CGcadEng* m_pEng;
    std::vector<int> m_Ents;
    std::size_t m_Pos = 0;
};

// Which entities a pick may hit. The code is a mask: bit 0 (0x1) inserts, bit 1 (0x2) lines, bit 7
// (0x80) polylines, bit 8 (0x100) texts, bit 17 (0x20000) a pick inside a closed polyline hits it.
// `temporanei` lets a pick hit entities of the temporary drawing.
class HOSTAPI CGcadPickPriorStrat {
public:
    static constexpr DWORD TUTTO = 0xFFFFFFFF;
    CGcadPickPriorStrat(DWORD code, bool temporanei) : m_Code(code), m_Temporanei(temporanei) {}
    virtual ~CGcadPickPriorStrat() = default;
    DWORD GetCode() const { return m_Code; }
    bool GetTemporanei() const { return m_Temporanei; }
    // Whether a pick may hit the entity.
    bool Ammette(const CGcadEng& eng, int ent) const;

private:
    DWORD m_Code;
    bool m_Temporanei;
};

// ---------------------------------------------------------------------------------------------------
// Object builders: what takes the picks of a view

class CViewControlCAD;

class HOSTAPI CObjectBuilder {
public:
    explicit CObjectBuilder(CGcadEng* eng) : m_pGcadEng(eng) {}
    virtual ~CObjectBuilder() = default;
    CObjectBuilder(const CObjectBuilder&) = delete;
    CObjectBuilder& operator=(const CObjectBuilder&) = delete;

    // Starts the builder: from now on the view hands it the user's picks.
    virtual bool Esegui() {
        m_bAvviato = true;
        return true;
    }
    bool IsAvviato() const { return m_bAvviato; }
    CGcadEng* GetGcadEng() const { return m_pGcadEng; }

protected:
    CGcadEng* m_pGcadEng;

private:
    bool m_bAvviato = false;
};

// A builder that selects what the user picks. With `selSingola` a pick replaces the selection, otherwise
// it adds to it. For each pick the view asks the pick strategy and IsValidEnt whether the entity may be
// picked; then, unless IsValidExtraThing claims the entity for the builder (which then selects what it
// wants by itself), it selects it; then it calls OnEntPicked, with GetPickedEnt the picked entity. When
// OnEntPicked answers false the pick is refused and the selection goes back to what it was.
class HOSTAPI CObjBuildSelPnt : public CObjectBuilder {
public:
    CObjBuildSelPnt(CGcadEng* eng, bool selSingola);
    ~CObjBuildSelPnt() override;

    bool Esegui() override;
    // Default: any insert.
    virtual bool IsValidEnt(int ent);
    // Default: none.
    virtual bool IsValidExtraThing(int ent);
    // Default: accepts the pick.
    virtual bool OnEntPicked();

    int GetPickedEnt() const { return m_EntPicked; }
    bool IsSelSingola() const { return m_bSelSingola; }
    // Takes the strategy and deletes the one it had.
    void SetPickPriorStrat(CGcadPickPriorStrat* strat);
    const CGcadPickPriorStrat* GetPickPriorStrat() const { return m_pStrat; }
    // The entity that CViewControlCAD::GetEgnSelected puts first (0: none).
    void SetEntAncora(int ent) { m_EntAncora = ent; }
    int GetEntAncora() const { return m_EntAncora; }

    // What became of a pick.
    enum class EsitoPick { Preso, NonAmmesso, NonValido, Rifiutato, NonAvviato };
    // The view's road: one pick of the user.
    EsitoPick Pick(int ent);

private:
    bool m_bSelSingola;
    int m_EntPicked = 0;
    int m_EntAncora = 0;
    CGcadPickPriorStrat* m_pStrat;
};

// ---------------------------------------------------------------------------------------------------
// The CAD view

// A view of the survey drawing inside a dialog. The drawing is built from the host's data when the view's
// window is created, so that it always shows the current survey and booklet. Picks go to the current
// object builder; zoom and pan are view operations that leave the builder alone.
class HOSTAPI CViewControlCAD : public CWnd {
public:
    // `vistaPrincipale`: the host's main view (false for a view inside a dialog); `conSelezione`: picks
    // go to object builders (a view without it only shows the drawing).
    CViewControlCAD(CWnd* parent, ICarviloDati* host, bool vistaPrincipale, bool conSelezione);
    ~CViewControlCAD() override;

    // Creates the window as a child of parent over rect and builds the drawing; then asks
    // StartNewOBDefault for the first builder and starts it.
    BOOL Create(const char16_t* className, const WString& windowName, DWORD style, const CRect& rect,
                CWnd* parent, UINT id);
    // The view goes with its window.
    void PostNcDestroy() override;

    CGcadEng* GetGcadEng() { return &m_GcadEng; }
    const CGcadEng* GetGcadEng() const { return &m_GcadEng; }
    ICarviloDati* GetHost() const { return m_pHost; }

    // View operations. Zoom and pan are modes (on the device the pointer drags): while one is on, a
    // pick zooms in on or pans to the picked entity instead of picking it. Zoom window fits the
    // selection (the whole drawing when nothing is selected), zoom extended the whole drawing, previous
    // view goes back one change of the window. The scale mode shows the drawing's scale.
    void ZoomRealOperation();
    void PanRealOperation();
    void ZoomWindowOperation();
    // Null: the whole drawing; otherwise the part of the window inside the rectangle (client units).
    void ZoomExtendedOperation(const CRect* rect);
    void ViewPreviousOperation();
    void ScaleOperation();
    bool IsInZoom() const { return m_bZoom; }
    bool IsInPan() const { return m_bPan; }
    bool IsScale() const { return m_bScala; }
    bool HasPreviousView() const { return !m_Precedenti.empty(); }
    void SetInitialZoom();

    // The part of the drawing the window shows, in drawing coordinates.
    struct Finestra {
        double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    };
    const Finestra& GetFinestra() const { return m_Finestra; }

    // Ends what the view has in progress with the selection: the selection flag goes off, the
    // selection stays as it is.
    void ResetSelection();
    // New points of the selected inserts (the caller deletes them) and their handles, in the order of
    // selection, the current builder's anchor first: name from attribute 0, secondary text from
    // attribute 1, coordinates from the insertion point. The number of points.
    int GetEgnSelected(std::vector<CEgn*>& points, std::vector<int>& ents);

    // The selection flag: on while a step's picks may still change the selection. ResetSelection turns
    // it off; whoever reads the selection as final may ask that it be off.
    void SetSelezioneInCorso(bool on) { m_bSelInCorso = on; }
    bool IsSelezioneInCorso() const { return m_bSelInCorso; }

    // The builder the view hands its picks to; the view owns it and deletes the previous one.
    void SetCurrentOB(CObjectBuilder* builder);
    CObjectBuilder* GetCurrentOB() const { return m_pOB; }
    // The default builder, asked for whenever the view needs one and has none; null by default.
    virtual CObjectBuilder* StartNewOBDefault();

    struct Impl;
    Impl& GetImpl() { return *m_pImpl; }

private:
    void CambiaFinestra(const Finestra& nuova);

    ICarviloDati* m_pHost;
    bool m_bVistaPrincipale;
    bool m_bConSelezione;
    CGcadEng m_GcadEng;
    CObjectBuilder* m_pOB = nullptr;
    bool m_bSelInCorso = false;
    bool m_bZoom = false;
    bool m_bPan = false;
    bool m_bScala = false;
    Finestra m_Finestra;
    std::vector<Finestra> m_Precedenti;
    std::unique_ptr<Impl> m_pImpl;
};
