// The picture tables: removing an entry keeps every reference to the later
// entries of the same table valid.
#include "model/Document.h"

#include "drawobjects/Pic.h"

namespace {

template <typename T>
bool EraseAt(std::vector<T>& table, int index)
{
    if (index < 0 || index >= static_cast<int>(table.size()))
        return false;
    table.erase(table.begin() + index);
    return true;
}

} // namespace

void TDocument::DelImgArr(bool isGIF, int index, int gNum)
{
    if (isGIF) {
        const bool listRemoved = EraseAt(BMPGIF, gNum);
        const bool gifRemoved = EraseAt(GIFArr, index);
        if (listRemoved && gNum < BackNum)
            --BackNum;
        for (TQFigure& fig : Animation.Figures)
            for (TQFrame& frame : fig.Frames)
                for (TQPropValue& v : frame.Change) {
                    if (v.Name != qpBitmap || !v.IsGIF)
                        continue;
                    if (gifRemoved && v.Bitmap > index)
                        --v.Bitmap;
                    if (listRemoved && v.FNum > gNum)
                        --v.FNum;
                }
        LowerPictureObjects(gifRemoved ? index : -1, listRemoved ? gNum : -1);
    } else {
        if (!EraseAt(BMPArr, index))
            return;
        for (TQFigure& fig : Animation.Figures)
            for (TQFrame& frame : fig.Frames)
                for (TQPropValue& v : frame.Change)
                    if (v.Name == qpBitmap && !v.IsGIF && v.Bitmap > index)
                        --v.Bitmap;
    }
}

void TDocument::LowerPictureObjects(int gifIndex, int listIndex)
{
    for (const std::unique_ptr<TDrawObject>& obj : DrawArr) {
        auto* pic = dynamic_cast<TPic*>(obj.get());
        if (!pic)
            continue;
        if (gifIndex >= 0 && pic->BitNum > gifIndex)
            --pic->BitNum;
        if (listIndex >= 0 && pic->GNum > listIndex)
            --pic->GNum;
    }
}

bool TDocument::PictureInUse(const TQPropValue& picture, const TQPropValue* except) const
{
    for (const TQFigure& fig : Animation.Figures)
        for (const TQFrame& frame : fig.Frames)
            for (const TQPropValue& v : frame.Change) {
                if (&v == except || v.Name != qpBitmap || v.IsGIF != picture.IsGIF)
                    continue;
                if (v.Bitmap == picture.Bitmap || (picture.IsGIF && v.FNum == picture.FNum))
                    return true;
            }
    return false;
}
