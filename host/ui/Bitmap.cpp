#include "hostapi/Controls.h"
#include "hostapi/Resources.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "host/ui/Window.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>

namespace {

// Which support bitmap a bitmap and the strips of an image list came from: the objects keep only
// pixels and counts, a front end that draws the images needs the file. An object leaves its table when
// it goes, so the tables do not grow with every dialog opened; they outlive every object.
std::map<const CBitmap*, std::string>& SupportNames() {
    static auto* names = new std::map<const CBitmap*, std::string>;
    return *names;
}
std::map<const CImageList*, std::vector<host::ui::ImageStrip>>& Strips() {
    static auto* strips = new std::map<const CImageList*, std::vector<host::ui::ImageStrip>>;
    return *strips;
}

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace

std::vector<host::ui::ImageStrip> host::ui::ImageSources(const CImageList* list) {
    const auto it = Strips().find(list);
    return it == Strips().end() ? std::vector<ImageStrip>{} : it->second;
}

CBitmap::~CBitmap() {
    SupportNames().erase(this);
}

BOOL CBitmap::LoadFromFile(const WString& path) {
    DeleteObject();
    const std::filesystem::path file = host::ResolvePath(path);
    std::string b, why;
    int error = 0;
    if (!host::ReadFileBounded(file, host::kMaxBitmapBytes, b, &why, &error)) {
        if (error == EFBIG)
            host::NotifyInput(file.string() + ": " + why);
        return FALSE;
    }
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return FALSE;
    const std::uint32_t offset = Le(b, 10, 4);
    const std::uint32_t header = Le(b, 14, 4);
    const auto width = static_cast<std::int32_t>(Le(b, 18, 4));
    const auto rawHeight = static_cast<std::int32_t>(Le(b, 22, 4));
    const int bits = static_cast<int>(Le(b, 28, 2));
    const std::uint32_t compression = Le(b, 30, 4);
    if (header < 40 || width <= 0 || width > 16384 || rawHeight == 0 || rawHeight < -16384 ||
        rawHeight > 16384 || compression != 0)
        return FALSE;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return FALSE;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    // Sizes in size_t: a colour count near 2^30 must not wrap the palette's size to nothing.
    std::size_t colours = Le(b, 46, 4);
    if (bits <= 8 && colours == 0)
        colours = std::size_t{1} << bits;
    if (bits <= 8 && colours > (std::size_t{1} << bits))
        return FALSE;
    const std::size_t palette = 14 + static_cast<std::size_t>(header);
    if (palette > b.size() || (bits <= 8 && palette + colours * 4 > b.size()))
        return FALSE;
    const std::size_t stride =
        ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
    if (offset > b.size() || stride * static_cast<std::size_t>(height) > b.size() - offset)
        return FALSE;
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            COLORREF c = 0;
            if (bits >= 24) {
                const std::size_t p = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
                c = RGB(static_cast<unsigned char>(b[p + 2]), static_cast<unsigned char>(b[p + 1]),
                        static_cast<unsigned char>(b[p]));
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
                const auto byte = static_cast<unsigned char>(b[row + bit / 8]);
                const unsigned index = (byte >> (8 - bits - static_cast<int>(bit % 8))) & ((1u << bits) - 1);
                if (index >= colours)
                    return FALSE;
                const std::size_t p = palette + index * 4;
                c = RGB(static_cast<unsigned char>(b[p + 2]), static_cast<unsigned char>(b[p + 1]),
                        static_cast<unsigned char>(b[p]));
            }
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)] = c;
        }
    }
    m_Width = width;
    m_Height = height;
    m_Bits = bits;
    m_Pixels = std::move(pixels);
    return TRUE;
}

COLORREF CBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_Width || y >= m_Height)
        return 0;
    return m_Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_Width) +
                    static_cast<std::size_t>(x)];
}

BOOL CBitmap::DeleteObject() {
    const BOOL had = m_Width > 0;
    SupportNames().erase(this);
    m_Width = m_Height = m_Bits = 0;
    m_Pixels.clear();
    return had;
}

CBitmap* LoadASupportBmp(const WString& fileName) {
    auto* bitmap = new CBitmap;
    if (!bitmap->LoadFromFile(
            FGetSpecialFolderPathAndSubDir(CARTELLA_INSTALLAZIONE, u"Support\\" + fileName))) {
        delete bitmap;
        return nullptr;
    }
    SupportNames()[bitmap] = fileName.ToUtf8();
    return bitmap;
}

CImageList::~CImageList() {
    Strips().erase(this);
}

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_Cx = cx;
    m_Cy = cy;
    m_Count = 0;
    m_Created = true;
    Strips().erase(this);
    return TRUE;
}

int CImageList::Add(const CBitmap* bitmap, COLORREF mask) {
    if (!m_Created || !bitmap || bitmap->GetWidth() <= 0)
        return -1;
    const int first = m_Count;
    // A strip narrower than one image still gives one image, as the platform does.
    m_Count += std::max(1, bitmap->GetWidth() / m_Cx);
    const auto name = SupportNames().find(bitmap);
    Strips()[this].push_back(
        {name == SupportNames().end() ? std::string() : name->second, first, m_Count - first, mask});
    return first;
}

BOOL CImageList::DeleteImageList() {
    const BOOL had = m_Created;
    m_Created = false;
    m_Count = 0;
    Strips().erase(this);
    return had;
}
