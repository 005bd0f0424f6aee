// The host's 2D calculation library: plane geometry on the X (East) and Y (North) of points. Decisions
// of contact (a point on a line, two segments touching) allow a micrometre, far below what a survey
// measures and far above the rounding of coordinates of a national grid.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/Points.h"

// Where (x, y) lies against the polygon of the ring: 1 inside, 0 on a side, -1 outside. The ring is
// closed by a side from its last point to its first unless they coincide. A ring of fewer than three
// points encloses nothing: a point on its sides is on it (0), every other point outside.
HOSTAPI int PtInternoAtPoligono(const CPoint3dVector& ring, double x, double y);

// Distance of p from the segment a-b: to the nearest point of the segment, with the sign of the side
// (positive to the left of a->b, negative to the right). foot gets the foot of the perpendicular from p on
// the line a-b, which lies outside the segment when p is beyond an end. A segment of no length gives the
// distance from a and a as foot.
HOSTAPI double DistSegmDaPt(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p, CPoint3d& foot);

// Whether p lies on the segment a-b, ends included.
HOSTAPI bool TrovatoPuntoInSegmento(const CPoint3d& p, const CPoint3d& a, const CPoint3d& b);

// Whether the segments a1-a2 and b1-b2 have a point in common; touching counts.
HOSTAPI bool IntersezLine(const CPoint3d& a1, const CPoint3d& a2, const CPoint3d& b1, const CPoint3d& b2);

// Squared distance and distance of two points.
HOSTAPI double DistQuad2pt(const CPoint3d& a, const CPoint3d& b);
HOSTAPI double Distanza2pt(const CPoint3d& a, const CPoint3d& b);

// A point and an infinite line of the plane, as the library's "GmFunz" functions take them.
struct GmPnt2d {
    double x = 0;
    double y = 0;
};
struct GmLine2d {
    GmPnt2d p1;
    GmPnt2d p2;
};

HOSTAPI void GmFunz_set_pnt_2d(GmPnt2d& p, double x, double y);
// The line through (x1, y1) and (x2, y2).
HOSTAPI void GmFunz_set_line_2d(GmLine2d& line, double x1, double y1, double x2, double y2);
// Distance of p from the infinite line, positive to the left of p1->p2. The two points must differ: a
// line whose points coincide gives no number (NaN).
HOSTAPI double GmFunz_distpntln_ls(const GmPnt2d& p, const GmLine2d& line);
