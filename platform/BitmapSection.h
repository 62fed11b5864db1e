#pragma once
// TBitmapSection: a bitmap handle (com/BitmapHandle.h) for a TBitmap, to hand
// a bitmap to the AVI writer. It shares the bitmap's pixels as they are at
// construction and lives as long as the handle is in use; the bitmap must not
// be changed meanwhile.
#include "com/BitmapHandle.h"
#include "platform/Bitmap.h"

#include <QImage>
#include <vector>

class TBitmapSection {
public:
    explicit TBitmapSection(const TBitmap& bitmap);
    TBitmapSection(const TBitmapSection&) = delete;
    TBitmapSection& operator=(const TBitmapSection&) = delete;

    HBITMAP Handle() const { return ZBitmapHandleOf(&fSection); }

private:
    QImage fImage;
    std::vector<uint32_t> fPalette;
    ZBitmapSection fSection{};
};
