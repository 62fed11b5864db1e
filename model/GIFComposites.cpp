#include "model/GIFComposites.h"

#include "model/Document.h"
#include "platform/Canvas.h"
#include "platform/Progress.h"

#include <new>
#include <stdexcept>

namespace {

// Decoded pictures one list keeps (enough for the frames a repaint and a
// redraw step use; the others decode again when shown).
constexpr int64_t kCompositeCacheBudget = int64_t(16) << 20;

// Clears IsGIFDraw while a GIF is composed.
class TCompositionGuard {
public:
    explicit TCompositionGuard(TDocument& doc) : fDoc(doc) { fDoc.IsGIFDraw = false; }
    ~TCompositionGuard() { fDoc.IsGIFDraw = true; }

private:
    TDocument& fDoc;
};

} // namespace

TGIFComposites::TData::TData()
{
    Pictures.SetPackFrames(true);
    Pictures.SetCacheBudget(kCompositeCacheBudget);
}

TGIFComposites::TGIFComposites(const std::vector<TBitmap>& pictures)
{
    for (const TBitmap& picture : pictures)
        push_back(picture);
}

TGIFComposites::TGIFComposites(std::initializer_list<TBitmap> pictures)
{
    for (const TBitmap& picture : pictures)
        push_back(picture);
}

const TBitmap& TGIFComposites::operator[](size_t i) const
{
    const int frame = fData->FrameOf[i];
    return frame < 0 ? fData->EmptyPicture : fData->Pictures.Frames(frame).Bitmap();
}

const TBitmap& TGIFComposites::at(size_t i) const
{
    if (i >= size())
        throw std::out_of_range("TGIFComposites::at");
    return (*this)[i];
}

bool TGIFComposites::Filled(size_t i) const
{
    return i < size() && fData->FrameOf[i] >= 0;
}

void TGIFComposites::push_back(const TBitmap& picture)
{
    TData& data = Mutable();
    if (picture.Empty()) {
        data.FrameOf.push_back(-1);
        return;
    }
    data.FrameOf.push_back(data.Pictures.AddFrame(picture));
}

TGIFComposites::TData& TGIFComposites::Mutable()
{
    if (!fData) {
        fData = std::make_shared<TData>();
    } else if (fData.use_count() > 1) {
        auto copy = std::make_shared<TData>();
        copy->Pictures.Assign(fData->Pictures); // shares the packed frames
        copy->Pictures.SetPackFrames(true);
        copy->FrameOf = fData->FrameOf;
        fData = std::move(copy);
    }
    return *fData;
}

int64_t TGIFComposites::PackedBytes() const
{
    return fData ? fData->Pictures.PackedBytes() : 0;
}

int64_t TGIFComposites::CachedBytes() const
{
    return fData ? fData->Pictures.CachedBytes() : 0;
}

int AddBMPArr(TDocument& doc, const TZGIFImage& gif, TProgress& progress)
{
    const int count = gif.Count();
    if (count == 0)
        return -1;
    const int width = gif.ScreenWidth();
    const int height = gif.ScreenHeight();
    if (qint64(width) * height * count > kMaxCompositePixels)
        return -1;

    TCompositionGuard guard(doc);
    TGIFComposites list;
    try {
        TBitmap previous;
        for (int i = 0; i < count && progress.IsApply(); ++i) {
            TZGIFFrame& frame = gif.Frames(i);
            TBitmap composite;
            composite.SetSize(width, height);
            {
                TCanvas canvas(composite);
                const TColor key = frame.TransparentColor();
                canvas.Brush.Color = key == clNone ? clWhite : key;
                canvas.FillRect(TRect{0, 0, width, height});
                if (i > 0)
                    canvas.Draw(0, 0, previous);
                const TPoint origin = frame.Origin();
                try {
                    frame.Draw(canvas, TRect{origin.X, origin.Y, origin.X + frame.Width(), origin.Y + frame.Height()},
                               i > 0);
                } catch (const std::bad_alloc&) {
                    throw;
                } catch (const std::exception&) {
                    // A frame that does not decode adds nothing to the picture.
                }
            }
            // The composite holds the picture now; an encoded frame decodes
            // again when something else needs its pixels.
            frame.FreeBitmap();
            composite.SetPixelFormat(TPixelFormat::pf24bit);
            list.push_back(composite); // packed on the pool while the next one is drawn
            previous = composite;
            progress.SetProgress(progress.Position() + 1);
        }
        while (int(list.size()) < count)
            list.push_back(TBitmap());
    } catch (const std::bad_alloc&) {
        return -1;
    } catch (const std::length_error&) {
        return -1;
    } catch (const std::runtime_error&) { // a bitmap that could not be allocated
        return -1;
    }
    doc.BMPGIF.push_back(std::move(list));
    return static_cast<int>(doc.BMPGIF.size()) - 1;
}

void DelBMPArr(TDocument& doc, int index)
{
    if (index < 0 || index >= static_cast<int>(doc.BMPGIF.size()))
        return;
    doc.BMPGIF.erase(doc.BMPGIF.begin() + index);
}
