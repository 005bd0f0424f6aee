// The polygon geometry, as the survey-object surface tool uses it and on its own: one input makes a mesh
// and rows 7 over a booklet whose rows 5 place their vertices, and boundaries over a vertex table. The
// coordinates come from a grid scaled by any power of ten (huge and tiny ones), with micrometre offsets, or
// as raw doubles (infinities and NaN included).
#include "hostapi/Poligoni.h"
#include "hostapi/Conversions.h"
#include "tolerance/TollOggRilSup.h"

#include "FuzzInput.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

class Coordinate {
public:
    explicit Coordinate(FuzzedDataProvider& in)
        : m_In(in), m_Scala(std::pow(10.0, in.ConsumeIntegralInRange(-320, 320))) {}

    double operator()() {
        switch (m_In.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return m_In.ConsumeFloatingPoint<double>();
        case 1:
            return REALE_INDEFINITO;
        case 2: // a micrometre off the grid: contact and snapping
            return Griglia() + m_In.ConsumeIntegralInRange(-3, 3) * 5e-7;
        case 3:
            return Griglia() * m_Scala;
        default:
            return Griglia();
        }
    }

private:
    double Griglia() { return m_In.ConsumeIntegralInRange(-6, 6) * 10.0; }

    FuzzedDataProvider& m_In;
    double m_Scala;
};

bool Dentro(const CPoint3dVector& tabella, const std::vector<int>& anello) {
    for (int i : anello)
        if (i < 0 || i >= tabella.GetSize())
            return false;
    return anello.size() >= 3;
}

// The library on its own: whatever the boundaries, the answers refer to vertices that exist.
void Geometria(FuzzedDataProvider& in) {
    Coordinate coordinata(in);
    CPoint3dVector tabella;
    const int n = in.ConsumeIntegralInRange(1, 16);
    for (int i = 0; i < n; ++i) {
        CPoint3d p;
        p.x = coordinata();
        p.y = coordinata();
        tabella.Add(p);
    }
    std::vector<CBordo> bordi(in.ConsumeIntegralInRange<std::size_t>(1, 3));
    for (CBordo& b : bordi) {
        const int lati = in.ConsumeIntegralInRange(0, 10);
        for (int i = 0; i < lati; ++i)
            b.push_back({in.ConsumeIntegralInRange(-1, n), in.ConsumeBool()});
    }
    const CAdjustPolylines regolazione(tabella, bordi);
    if (regolazione.GetNoTotalVertices() != n + regolazione.GetNoInsertedVertices())
        fuzz::Fail("the vertex count does not add up");
    if (regolazione.Check() != POLI_OK)
        return;
    const CPoint3dVector& tutti = regolazione.GetTotalVertices();
    for (const CBordo& b : bordi) {
        std::vector<int> anello;
        for (const CVrtBordo& v : b)
            anello.push_back(v.indice);
        if (!Dentro(tutti, anello))
            fuzz::Fail("an adjusted boundary refers to a vertex that does not exist");
    }
    CCellIndex celle(tutti, bordi[0], std::vector<CBordo>(bordi.begin() + 1, bordi.end()));
    if (celle.SplitCellEx() != 1)
        return;
    for (int c = 0; c < celle.GetNoCells(); ++c) {
        if (!Dentro(celle.GetVertices(), celle.GetMainCell(c)))
            fuzz::Fail("a cell refers to a vertex that does not exist");
        for (const std::vector<int>& buco : celle.GetInnerCells(c))
            if (!Dentro(celle.GetVertices(), buco))
                fuzz::Fail("a hole refers to a vertex that does not exist");
    }
}

// The surface tool over a mesh and rows from the input: a finding has surfaces that are numbers.
void Superfici(FuzzedDataProvider& in) {
    Coordinate coordinata(in);
    CCts libretto;
    CTollOggRilSup tool(nullptr, nullptr, &libretto, nullptr);
    CPoint3dVector maglia;
    const int lati = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < lati; ++i) {
        CPoint3d p;
        p.nome = WString::Formatted(u"PF%02d", i);
        p.x = coordinata();
        p.y = coordinata();
        maglia.Add(p);
    }
    if (lati > 0)
        maglia.Add(maglia.GetAt(0));
    tool.SetMaglia(maglia);
    int nomi = 0;
    const int righe = in.ConsumeIntegralInRange(1, 3);
    for (int r = 0; r < righe && in.remaining_bytes() > 0; ++r) {
        auto* riga = new CRig('7');
        const int vertici = in.ConsumeIntegralInRange(0, 10);
        for (int i = 0; i < vertici; ++i) {
            // A vertex of the mesh, or a new point placed by a row 5.
            if (lati > 0 && in.ConsumeIntegralInRange(0, 3) == 0) {
                const CPoint3d& p = maglia.GetAt(in.ConsumeIntegralInRange(0, lati - 1));
                auto* r5 = new CRig('5');
                r5->SetLblNome1(WString::Formatted(u"V%d", ++nomi));
                r5->SetCoordXY(p.x, p.y);
                r5->CalcolaValiditaXYZ();
                libretto.m_Righe45.AddRig(r5);
            } else {
                auto* r5 = new CRig('5');
                r5->SetLblNome1(WString::Formatted(u"V%d", ++nomi));
                const double x = coordinata();
                r5->SetCoordXY(x, coordinata());
                r5->CalcolaValiditaXYZ();
                libretto.m_Righe45.AddRig(r5);
            }
            riga->AddVrt(CCtsVrt(WString::Formatted(u"V%d", nomi), in.ConsumeBool() ? 'C' : 'T',
                                 in.ConsumeBool() ? 'R' : 'N'));
        }
        if (vertici > 0 && in.ConsumeBool())
            riga->AddVrt(*riga->GetVrtAt(0));
        libretto.m_Righe7.AddRig(riga);
        CRisSuperficie esito;
        if (!tool.Dividi(riga, esito))
            continue;
        if (!std::isfinite(esito.supInterna) || !std::isfinite(esito.supEsterna) || esito.supInterna < 0 ||
            esito.supEsterna < 0)
            fuzz::Fail("a finding whose surfaces are not numbers");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        Geometria(in);
    else
        Superfici(in);
    return 0;
}
