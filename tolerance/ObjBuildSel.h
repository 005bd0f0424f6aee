// The object builders of the CAD selection view: what a pick on the drawing means at each step.
#pragma once

#include "hostapi/Cad.h"
#include "tolerance/PregeoSelNotify.h"

#include <vector>

// The host draws survey points with these user types (low four bits) and each row 7 with user type 7.
bool IsPuntoSelezionabile(int userType);
constexpr int TIPO_UTENTE_RIGA7 = 7;
// User type of the lines the builders draw as feedback.
constexpr int TIPO_UTENTE_LINEA_SELEZIONE = 100;

// One survey point; the host's builder keeps the selection to that point.
class CObjBuildSelPntSingolo : public CObjBuildSelPnt {
public:
    CObjBuildSelPntSingolo(CGcadEng* eng, IPregeoSelNotify* notifica)
        : CObjBuildSelPnt(eng, true), m_pNotifica(notifica) {}
    bool IsValidEnt(int ent) override;
    bool OnEntPicked() override;

private:
    IPregeoSelNotify* m_pNotifica;
};

// Survey points joined by a line to the anchor, which stays selected.
class CObjBuildSelPntConLinea : public CObjBuildSelPnt {
public:
    CObjBuildSelPntConLinea(CGcadEng* eng, IPregeoSelNotify* notifica, int ancora);
    ~CObjBuildSelPntConLinea() override;
    bool Esegui() override;
    bool IsValidEnt(int ent) override;
    bool OnEntPicked() override;

private:
    IPregeoSelNotify* m_pNotifica;
    std::vector<int> m_Linee;
};

// A whole row 7: picking one of its entities selects the row, picking it again deselects it.
class CObjBuildSelRiga7 : public CObjBuildSelPnt {
public:
    CObjBuildSelRiga7(CGcadEng* eng, IPregeoSelNotify* notifica)
        : CObjBuildSelPnt(eng, true), m_pNotifica(notifica) {}
    bool Esegui() override;
    bool IsValidEnt(int ent) override;
    bool IsValidExtraThing(int ent) override;
    bool OnEntPicked() override;

private:
    IPregeoSelNotify* m_pNotifica;
};

// The two vertices of a side of the fiducial mesh: the last two inserts picked, joined by a line.
class CObjBuildSelLatoMaglia : public CObjBuildSelPnt {
public:
    CObjBuildSelLatoMaglia(CGcadEng* eng, IPregeoSelNotify* notifica)
        : CObjBuildSelPnt(eng, true), m_pNotifica(notifica) {}
    ~CObjBuildSelLatoMaglia() override;
    bool Esegui() override;
    bool IsValidEnt(int ent) override;
    bool OnEntPicked() override;
    // Entry i of the list (0 or 1), 0 when missing.
    int GetVertice(int i) const;

private:
    void CancellaLinea();

    IPregeoSelNotify* m_pNotifica;
    std::vector<int> m_Lista;
    int m_Linea = 0;
};

// A line between the insertion points of two inserts, added to the drawing; 0 when either is not an insert.
int TracciaLinea(CGcadEng& eng, int da, int a, int disegno);
