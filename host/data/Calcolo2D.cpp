#include "hostapi/Calcolo2D.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kContatto = 1e-6;

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

bool Coincidono(const CPoint3d& a, const CPoint3d& b) {
    return a.x == b.x && a.y == b.y;
}

// Signed distance of p from the line a-b (positive to the left of a->b); a and b distinct.
double DistanzaDallaRetta(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return Cross(dx, dy, p.x - a.x, p.y - a.y) / std::hypot(dx, dy);
}

// Outside the box of the segment a-b grown by twice the contact allowance: the point cannot touch it.
bool FuoriDalRiquadro(const CPoint3d& a, const CPoint3d& b, double x, double y) {
    constexpr double m = 2 * kContatto;
    return x < std::min(a.x, b.x) - m || x > std::max(a.x, b.x) + m || y < std::min(a.y, b.y) - m ||
           y > std::max(a.y, b.y) + m;
}

// Strictly on opposite sides of a line, each beyond the contact allowance.
bool DaPartiOpposte(double d1, double d2) {
    return (d1 > kContatto && d2 < -kContatto) || (d1 < -kContatto && d2 > kContatto);
}

} // namespace

double DistQuad2pt(const CPoint3d& a, const CPoint3d& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return dx * dx + dy * dy;
}

double Distanza2pt(const CPoint3d& a, const CPoint3d& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

double DistSegmDaPt(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p, CPoint3d& foot) {
    foot = CPoint3d();
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    if (l2 == 0) {
        foot.x = a.x;
        foot.y = a.y;
        return Distanza2pt(a, p);
    }
    const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2;
    foot.x = a.x + t * dx;
    foot.y = a.y + t * dy;
    const double tc = std::clamp(t, 0.0, 1.0);
    CPoint3d vicino;
    vicino.x = a.x + tc * dx;
    vicino.y = a.y + tc * dy;
    const double d = Distanza2pt(vicino, p);
    return Cross(dx, dy, p.x - a.x, p.y - a.y) < 0 ? -d : d;
}

bool TrovatoPuntoInSegmento(const CPoint3d& p, const CPoint3d& a, const CPoint3d& b) {
    if (FuoriDalRiquadro(a, b, p.x, p.y))
        return false;
    const double l = Distanza2pt(a, b);
    if (l <= kContatto)
        return Distanza2pt(a, p) <= kContatto;
    if (std::fabs(DistanzaDallaRetta(a, b, p)) > kContatto)
        return false;
    const double s = ((p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y)) / l;
    return s >= -kContatto && s <= l + kContatto;
}

bool IntersezLine(const CPoint3d& a1, const CPoint3d& a2, const CPoint3d& b1, const CPoint3d& b2) {
    // Boxes apart: most pairs end here.
    constexpr double m = 2 * kContatto;
    if (std::max(a1.x, a2.x) + m < std::min(b1.x, b2.x) || std::max(b1.x, b2.x) + m < std::min(a1.x, a2.x) ||
        std::max(a1.y, a2.y) + m < std::min(b1.y, b2.y) || std::max(b1.y, b2.y) + m < std::min(a1.y, a2.y))
        return false;
    if (!Coincidono(a1, a2) && !Coincidono(b1, b2) &&
        DaPartiOpposte(DistanzaDallaRetta(a1, a2, b1), DistanzaDallaRetta(a1, a2, b2)) &&
        DaPartiOpposte(DistanzaDallaRetta(b1, b2, a1), DistanzaDallaRetta(b1, b2, a2)))
        return true;
    // Otherwise they meet only where an end of one lies on the other.
    return TrovatoPuntoInSegmento(b1, a1, a2) || TrovatoPuntoInSegmento(b2, a1, a2) ||
           TrovatoPuntoInSegmento(a1, b1, b2) || TrovatoPuntoInSegmento(a2, b1, b2);
}

int PtInternoAtPoligono(const CPoint3dVector& ring, double x, double y) {
    int n = ring.GetSize();
    if (n > 1 && Coincidono(ring.GetAt(0), ring.GetAt(n - 1)))
        --n;
    if (n == 0)
        return -1;
    CPoint3d p;
    p.x = x;
    p.y = y;
    bool dentro = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const CPoint3d& a = ring.GetAt(j);
        const CPoint3d& b = ring.GetAt(i);
        if (TrovatoPuntoInSegmento(p, a, b))
            return 0;
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y))
            dentro = !dentro;
    }
    return n >= 3 && dentro ? 1 : -1;
}

void GmFunz_set_pnt_2d(GmPnt2d& p, double x, double y) {
    p.x = x;
    p.y = y;
}

void GmFunz_set_line_2d(GmLine2d& line, double x1, double y1, double x2, double y2) {
    GmFunz_set_pnt_2d(line.p1, x1, y1);
    GmFunz_set_pnt_2d(line.p2, x2, y2);
}

double GmFunz_distpntln_ls(const GmPnt2d& p, const GmLine2d& line) {
    const double dx = line.p2.x - line.p1.x, dy = line.p2.y - line.p1.y;
    // A line whose points coincide has no distance to give: not a number, as the division makes it.
    return Cross(dx, dy, p.x - line.p1.x, p.y - line.p1.y) / std::hypot(dx, dy);
}
