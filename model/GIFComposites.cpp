#include "model/GIFComposites.h"

#include "model/Document.h"
#include "platform/Canvas.h"
#include "platform/Progress.h"

#include <new>
#include <stdexcept>

namespace {

// Restores IsGIFDraw and removes the unfinished list unless the composition
// finished.
class TCompositionGuard {
public:
    TCompositionGuard(TDocument& doc, int index) : fDoc(doc), fIndex(index) { fDoc.IsGIFDraw = false; }
    ~TCompositionGuard()
    {
        if (!fDone)
            DelBMPArr(fDoc, fIndex);
        fDoc.IsGIFDraw = true;
    }
    void Done() { fDone = true; }

private:
    TDocument& fDoc;
    int fIndex;
    bool fDone = false;
};

} // namespace

int AddBMPArr(TDocument& doc, const TZGIFImage& gif, TProgress& progress)
{
    const int count = gif.Count();
    if (count == 0)
        return -1;
    const int width = gif.ScreenWidth();
    const int height = gif.ScreenHeight();
    if (qint64(width) * height * count > kMaxCompositePixels)
        return -1;

    const int k = static_cast<int>(doc.BMPGIF.size());
    TCompositionGuard guard(doc, k);
    try {
        doc.BMPGIF.emplace_back(static_cast<size_t>(count));
        std::vector<TBitmap>& list = doc.BMPGIF.back();
        for (int i = 0; i < count && progress.IsApply(); ++i) {
            TZGIFFrame& frame = gif.Frames(i);
            TBitmap& composite = list[static_cast<size_t>(i)];
            composite.SetSize(width, height);
            {
                TCanvas canvas(composite);
                const TColor key = frame.TransparentColor();
                canvas.Brush.Color = key == clNone ? clWhite : key;
                canvas.FillRect(TRect{0, 0, width, height});
                if (i > 0)
                    canvas.Draw(0, 0, list[static_cast<size_t>(i - 1)]);
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
            progress.SetProgress(progress.Position() + 1);
        }
    } catch (const std::bad_alloc&) {
        return -1;
    } catch (const std::length_error&) {
        return -1;
    } catch (const std::runtime_error&) { // a bitmap that could not be allocated
        return -1;
    }
    guard.Done();
    return k;
}

void DelBMPArr(TDocument& doc, int index)
{
    if (index < 0 || index >= static_cast<int>(doc.BMPGIF.size()))
        return;
    doc.BMPGIF.erase(doc.BMPGIF.begin() + index);
}
