// Support bitmaps: any bytes as Support/prova.bmp, read, then every pixel and the image list cut.
#include "FuzzInput.h"
#include "hostapi/Controls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Write("Support/prova.bmp", data, size);
    std::unique_ptr<CBitmap> bitmap(LoadASupportBmp(u"prova.bmp"));
    if (!bitmap)
        return 0;
    COLORREF sum = 0;
    for (int y = 0; y < bitmap->GetHeight(); ++y)
        for (int x = 0; x < bitmap->GetWidth(); ++x)
            sum ^= bitmap->GetPixel(x, y);
    CImageList images;
    images.Create(16, 16, 0, 0, 0);
    if (images.Add(bitmap.get(), sum) < 0)
        fuzz::Fail("a bitmap that loads does not cut into images");
    return 0;
}
