#include "hostapi/Booklet.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "hostapi/Calcolo2D.h"
#include "hostapi/Resources.h"

#include <algorithm>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <cerrno>
#include <cmath>
#include <sstream>
#include <string>

namespace bg = boost::geometry;

namespace {

using Punto = bg::model::d2::point_xy<double>;
using Poligono = bg::model::polygon<Punto, false, false>;

// A vertex beyond any survey's reach counts as one without coordinates: no polygon is made of it.
bool HaCoordinate(const CEgn& p) {
    return host::IsUsableCoordinate(p.GetCoordX()) && host::IsUsableCoordinate(p.GetCoordY());
}

// The row's vertices as a ring, without the closing vertex when the last repeats the first by name. The
// ring is moved to start at the origin: a national grid's coordinates (millions of metres) would otherwise
// cost the surface its square millimetres.
bool Anello(const CRig& row, Poligono& ring) {
    int n = row.GetVrtArSize();
    if (n > 1 && row.GetVrtAt(0)->GetNome() == row.GetVrtAt(n - 1)->GetNome())
        --n;
    for (int i = 0; i < n; ++i) {
        const CCtsVrt* v = row.GetVrtAt(i);
        if (!HaCoordinate(*v))
            return false;
        const CCtsVrt* origine = row.GetVrtAt(0);
        bg::append(ring.outer(),
                   Punto(v->GetCoordX() - origine->GetCoordX(), v->GetCoordY() - origine->GetCoordY()));
    }
    return n >= 3;
}

template <typename T> T* At(const std::vector<std::unique_ptr<T>>& items, int index) {
    if (index < 0 || index >= static_cast<int>(items.size()))
        return nullptr;
    return items[static_cast<std::size_t>(index)].get();
}

} // namespace

CRig::CRig(const CRig& other) : CEgn(other) {
    *this = other;
}

CRig& CRig::operator=(const CRig& other) {
    if (this == &other)
        return *this;
    CEgn::operator=(other);
    m_TipoRiga = other.m_TipoRiga;
    m_SpecRiga = other.m_SpecRiga;
    m_LblNome1 = other.m_LblNome1;
    m_LblNome2 = other.m_LblNome2;
    m_LblMater = other.m_LblMater;
    m_DatoRea1 = other.m_DatoRea1;
    m_DatoRea2 = other.m_DatoRea2;
    m_DatoInt1 = other.m_DatoInt1;
    m_DatoInt2 = other.m_DatoInt2;
    CopiaSoloVrtArDa(other);
    return *this;
}

CRig::~CRig() {
    DelAllVrt();
}

CCtsVrt* CRig::GetVrtAt(int index) const {
    if (index < 0 || index >= GetVrtArSize())
        return nullptr;
    return m_Vrt[static_cast<std::size_t>(index)];
}

CCtsVrt* CRig::AddVrt(const CCtsVrt& vertex) {
    m_Vrt.push_back(new CCtsVrt(vertex));
    return m_Vrt.back();
}

void CRig::DelAllVrt() {
    for (CCtsVrt* v : m_Vrt)
        delete v;
    m_Vrt.clear();
}

void CRig::CopiaSoloVrtArDa(const CRig& other) {
    if (this == &other)
        return;
    DelAllVrt();
    for (const CCtsVrt* v : other.m_Vrt)
        m_Vrt.push_back(new CCtsVrt(*v));
}

void CRig::CalcolaAreaInterna(CRig* row) {
    if (!row)
        return;
    Poligono ring;
    if (!Anello(*row, ring)) {
        row->SetDatoRea1(REALE_INDEFINITO);
        return;
    }
    row->SetDatoRea1(std::fabs(bg::area(ring)));
}

bool CRig::EstVrtPgPassInterno(const CRig* mesh, const CRig* polygon) {
    if (!mesh || !polygon || polygon->GetVrtArSize() == 0)
        return false;
    // With the 2D library's micrometre for contact: the vertices an overlay computes where two sides cross
    // lie on the mesh only to the rounding of their coordinates.
    CPoint3dVector ring;
    for (int i = 0; i < mesh->GetVrtArSize(); ++i) {
        const CCtsVrt* v = mesh->GetVrtAt(i);
        if (!HaCoordinate(*v))
            return false;
        CPoint3d p;
        p.x = v->GetCoordX();
        p.y = v->GetCoordY();
        ring.Add(p);
    }
    if (ring.GetSize() < 3)
        return false;
    for (int i = 0; i < polygon->GetVrtArSize(); ++i) {
        const CCtsVrt* v = polygon->GetVrtAt(i);
        if (!HaCoordinate(*v) || PtInternoAtPoligono(ring, v->GetCoordX(), v->GetCoordY()) < 0)
            return false;
    }
    return true;
}

CCtsRigArray::~CCtsRigArray() {
    RemoveAll();
}

CRig* CCtsRigArray::GetRigAt(int index) const {
    if (index < 0 || index >= GetRigArSize())
        return nullptr;
    return m_Rig[static_cast<std::size_t>(index)];
}

int CCtsRigArray::AddRig(CRig* row) {
    m_Rig.push_back(row);
    return GetRigArSize() - 1;
}

void CCtsRigArray::InsRigAt(int index, CRig* row) {
    index = std::max(0, std::min(index, GetRigArSize()));
    m_Rig.insert(m_Rig.begin() + index, row);
}

void CCtsRigArray::DelRigAt(int index) {
    if (index < 0 || index >= GetRigArSize())
        return;
    if (m_Owning)
        delete m_Rig[static_cast<std::size_t>(index)];
    m_Rig.erase(m_Rig.begin() + index);
}

void CCtsRigArray::RemoveAll() {
    if (m_Owning)
        for (CRig* r : m_Rig)
            delete r;
    m_Rig.clear();
}

bool CCtsRigArray::GetIndiciDiRig(const CRig* row, int& index) const {
    for (std::size_t i = 0; i < m_Rig.size(); ++i) {
        if (m_Rig[i] == row) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

CCtsDistanza* CLibEstrMap::GetDistanzaAt(int index) const {
    return At(m_Dist, index);
}

CCtsDistanza* CLibEstrMap::AddDistanza() {
    m_Dist.push_back(std::make_unique<CCtsDistanza>());
    return m_Dist.back().get();
}

void CLibEstrMap::DelDistanzaAt(int index) {
    if (index >= 0 && index < GetDistanzaArSize())
        m_Dist.erase(m_Dist.begin() + index);
}

CCtsParticella* CCtsParticelleArray::GetParticellaAt(int index) const {
    return At(m_Part, index);
}

CCtsParticella* CCtsParticelleArray::AddParticella(const WString& name) {
    m_Part.push_back(std::make_unique<CCtsParticella>(name));
    return m_Part.back().get();
}

CCts::CCts() = default;

CCts::~CCts() = default;

void CCts::CompletaNomePfPregeo(WString& name) const {
    if (name.GetLength() < 3 || name.Left(2).CompareNoCase(u"PF") != 0)
        return;
    int slashes = 0;
    for (int i = 0; i < name.GetLength(); ++i)
        if (name.GetAt(i) == u'/')
            ++slashes;
    if (slashes == 0)
        name += u"/" + m_Fogl + u"/" + m_CdCm;
    else if (slashes == 1)
        name += u"/" + m_CdCm;
}

void CCts::AccorpaRighe(CCtsRigArray& all) const {
    all.RemoveAll();
    for (const CCtsRigArray* view : {&m_Righe3, &m_Righe45, &m_Righe7})
        for (int i = 0; i < view->GetRigArSize(); ++i)
            all.AddRig(view->GetRigAt(i));
}

WString CCts::GetAllRigComment() const {
    CCtsRigArray all;
    AccorpaRighe(all);
    WString text;
    for (int i = 0; i < all.GetRigArSize(); ++i)
        if (all.GetRigAt(i)->GetTipoRiga() == '6')
            text += all.GetRigAt(i)->GetLblMater() + u"\r\n";
    return text;
}

WString CCts::GetRelazAt(int index) const {
    if (index < 0 || index >= GetRelazArSize())
        return WString();
    return m_Relazione[static_cast<std::size_t>(index)];
}

bool CCtsComuni::CaricaElenco(const WString& provincia) {
    m_Elenco.clear();
    const auto path =
        host::ResolvePath(FGetSpecialFolderPathAndSubDir(CARTELLA_INSTALLAZIONE, u"Support\\Comuni.txt"));
    std::string all, why;
    int error = 0;
    if (!host::ReadFileBounded(path, host::kMaxSupportBytes, all, &why, &error)) {
        if (error == EFBIG)
            host::NotifyInput(path.string() + ": " + why);
        return false;
    }
    // A byte is a character in the code page, so the separators are found in the bytes, and only the
    // lines of the province are converted: the file holds every province's.
    const WString cercata = StringTrimBoth(provincia);
    std::istringstream in(all);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto a = line.find(';');
        const auto b = a == std::string::npos ? std::string::npos : line.find(';', a + 1);
        if (b == std::string::npos)
            continue;
        if (StringTrimBoth(WString::FromCp1252(std::string_view(line).substr(0, a))).CompareNoCase(cercata) !=
            0)
            continue;
        const WString text = WString::FromCp1252(line);
        const int ia = static_cast<int>(a);
        const int ib = static_cast<int>(b);
        m_Elenco.push_back({StringTrimBoth(text.Mid(ia + 1, ib - ia - 1)), StringTrimBoth(text.Mid(ib + 1))});
    }
    return true;
}

WString CCtsOutDatString::GetWriteSpecRow45(const CRig* row) {
    if (!row)
        return WString();
    const auto num = [](double v, int dec) { return CStringDaDouble(v, dec); };
    WString line;
    switch (row->GetTipoRiga()) {
    case '4':
        if (row->GetSpecRiga() == 0)
            line = u"4|" + row->GetLblNome1() + u"|" + row->GetLblNome2() + u"|" +
                   num(row->GetDatoRea2(), 0) + u"|" + row->GetLblMater();
        else if (row->GetSpecRiga() == 1)
            line =
                u"4L|" + row->GetLblNome1() + u"|" + num(row->GetDatoRea1(), 3) + u"|" + row->GetLblMater();
        else
            line = u"4L|" + row->GetLblNome1() + u"|" + row->GetLblNome2() + u"|" +
                   num(row->GetDatoRea1(), 3) + u"|" + num(row->GetDatoRea2(), 3) + u"|" + row->GetLblMater();
        break;
    case '5':
        if (row->GetSpecRiga() == 0)
            line = u"5|" + row->GetLblNome1() + u"|" + num(row->GetDatoRea1(), 3) + u"|" +
                   num(row->GetDatoRea2(), 3) + u"|" + row->GetLblMater();
        else
            line =
                u"5L|" + row->GetLblNome1() + u"|" + num(row->GetDatoRea1(), 3) + u"|" + row->GetLblMater();
        break;
    case '6':
        line = u"6|" + row->GetLblMater();
        break;
    default:
        line = WString(static_cast<char16_t>(row->GetTipoRiga())) + u"|" + row->GetLblNome1();
        break;
    }
    return line + u"|\r\n";
}
