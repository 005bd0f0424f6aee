// The host's polygon geometry library: closed boundaries over one table of vertices shared by all of them,
// their adjustment (a vertex wherever two boundaries cross or touch) and the split of a polygon into the
// cells that other boundaries cut it into. Contact allows a micrometre, as in the 2D calculation library.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/Points.h"

#include <vector>

// One entry of a boundary: a vertex of the table, and whether it is fixed. The adjustment never moves a
// fixed vertex; a vertex that is not fixed and lies within a micrometre of another boundary is moved onto
// it, so that two boundaries drawn to the same point share that point instead of leaving a sliver.
struct CVrtBordo {
    int indice = -1;
    bool fisso = false;
};

// A closed boundary: its last entry joins its first (an entry repeating the first at the end is dropped).
using CBordo = std::vector<CVrtBordo>;

// What CAdjustPolylines::Check reports.
constexpr int POLI_OK = 0;
constexpr int POLI_INDICE_ERRATO = 1;    // an entry outside the vertex table
constexpr int POLI_SENZA_COORDINATE = 2; // a vertex without X or Y, or beyond a million kilometres
constexpr int POLI_DEGENERE = 3;         // fewer than three distinct vertices, or no area
constexpr int POLI_AUTOINTERSECANTE = 4; // a boundary that crosses or touches itself
constexpr int POLI_NON_CALCOLABILE = 5;  // coordinates the geometry cannot compute with

// Adjusts the boundaries in place: drops repeated vertices and spikes (a boundary that runs to a point and
// straight back), moves vertices that are not fixed onto a boundary within a micrometre, and inserts into
// both boundaries a vertex wherever a side of one crosses a side of the other or passes through one of its
// vertices. The vertices it makes are appended to the table: crossings without a name, moved vertices
// with the name of the vertex they stand for.
class HOSTAPI CAdjustPolylines {
public:
    CAdjustPolylines(const CPoint3dVector& vertici, std::vector<CBordo>& bordi);

    // POLI_OK, or the first problem found; with a problem the boundaries are left half adjusted.
    int Check() const { return m_Problema; }
    int GetNoInsertedVertices() const { return m_Totali.GetSize() - m_Iniziali; }
    int GetNoTotalVertices() const { return m_Totali.GetSize(); }
    // The table given, then the vertices inserted.
    const CPoint3dVector& GetTotalVertices() const { return m_Totali; }

private:
    CPoint3dVector m_Totali;
    int m_Iniziali = 0;
    int m_Problema = POLI_OK;
};

// The split of the polygon of an outer boundary by internal cells (other boundaries, adjusted with it by
// CAdjustPolylines). The cells are the parts of the outer polygon inside the first internal cell, inside
// the second and not the first, ..., then the parts inside none; each part is a cell of its own. Parts
// thinner than a micrometre (twice the area over the perimeter) are rounding, not cells.
class HOSTAPI CCellIndex {
public:
    CCellIndex(const CPoint3dVector& vertici, const CBordo& esterno, const std::vector<CBordo>& interne);

    // 1 when the polygons could be overlaid (whatever the number of cells), 0 when not.
    int SplitCellEx();
    int GetNoCells() const { return static_cast<int>(m_Celle.size()); }
    // The outline of cell i, counter-clockwise and not closed: indices into GetVertices.
    const std::vector<int>& GetMainCell(int i) const {
        return m_Celle.at(static_cast<std::size_t>(i)).contorno;
    }
    // Holes of cell i (a cell around an internal cell that lies wholly inside the outer polygon), clockwise.
    const std::vector<std::vector<int>>& GetInnerCells(int i) const {
        return m_Celle.at(static_cast<std::size_t>(i)).buchi;
    }
    // The table given, with any vertex the split had to add (without a name).
    const CPoint3dVector& GetVertices() const { return m_Vertici; }

private:
    struct Cella {
        std::vector<int> contorno;
        std::vector<std::vector<int>> buchi;
    };

    CPoint3dVector m_Vertici;
    CBordo m_Esterno;
    std::vector<CBordo> m_Interne;
    std::vector<Cella> m_Celle;
};
