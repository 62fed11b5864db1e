#include "gif/GIFExporter.h"

#include "gif/GIFError.h"
#include "gif/LZWEncoder.h"
#include "gif/SubBlocks.h"
#include "gif/ParallelFor.h"
#include "gif/ViewerCanvas.h"

#include <QBuffer>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Largest delay a frame can hold, in hundredths of a second.
constexpr int MaxDelay = 0xFFFF;

// Colour -> table index for at most 256 colours of an ARGB32 frame (opaque
// values only, so 0 marks a free slot).
class TColorIndex {
public:
    int Find(QRgb c) const
    {
        for (uint32_t slot = Slot(c);; slot = (slot + 1) & (Size - 1)) {
            if (fKeys[slot] == c)
                return fValues[slot];
            if (fKeys[slot] == 0)
                return -1;
        }
    }
    void Add(QRgb c, int index)
    {
        uint32_t slot = Slot(c);
        while (fKeys[slot] != 0)
            slot = (slot + 1) & (Size - 1);
        fKeys[slot] = c;
        fValues[slot] = int16_t(index);
    }

private:
    static constexpr uint32_t Size = 1024;
    static uint32_t Slot(QRgb c) { return (c * 2654435761u) >> 22; }
    std::array<QRgb, Size> fKeys{};
    std::array<int16_t, Size> fValues{};
};

// A colour table with its lookup; colours are 0xFFRRGGBB.
struct TTable {
    std::vector<QRgb> Colors;
    TColorIndex Index;

    int Add(QRgb c)
    {
        Index.Add(c, int(Colors.size()));
        Colors.push_back(c);
        return int(Colors.size()) - 1;
    }
    // A colour the table does not hold yet, `preferred` when possible.
    QRgb Unused(QRgb preferred) const
    {
        if (preferred != 0 && Index.Find(preferred) < 0)
            return preferred;
        for (QRgb c = 0xFF000000u;; ++c)
            if (Index.Find(c) < 0)
                return c;
    }
    // Pads with distinct unused colours to a power of two of at least 2 entries.
    void Pad()
    {
        const int size = 1 << BitsForColorCount(std::max<int>(2, int(Colors.size())));
        while (int(Colors.size()) < size)
            Add(Unused(0));
    }
    int Bits() const { return BitsForColorCount(int(Colors.size())); }
};

// Alpha of a pixel that shows what the viewer showed there before: it may
// become transparent instead.
constexpr QRgb UnchangedAlpha = 0xFE000000u;

// One frame as it will be written: its rectangle of the screen and what it
// shows there (clear (0) where transparent, UnchangedAlpha where it repeats
// what the viewer showed before).
struct TPlannedFrame {
    QRect Rect;
    QImage Pixels; // ARGB32
    int Unchanged = 0; // pixels marked UnchangedAlpha
    TDisposalMethod Disposal = TDisposalMethod::dmUndefined;
    int Delay = 0; // hundredths of a second
    QRgb Key = 0;  // preferred colour of the transparent entry (0: any)
};

struct TEncodedFrame {
    QRect Rect;
    TDisposalMethod Disposal = TDisposalMethod::dmUndefined;
    int Delay = 0;
    int TransparentIndex = -1;
    std::vector<QRgb> LocalTable; // empty: the global table
    std::vector<uint8_t> Data;

    size_t Cost() const { return Data.size() + LocalTable.size() * 3; }
};

// Encodes a planned frame; with `keyUnchanged`, pixels that repeat what the
// viewer showed become transparent too. Nothing when the colours do not fit a
// table or when the frame would cost more than `costLimit` bytes.
std::optional<TEncodedFrame> EncodeVariant(const TPlannedFrame& f, bool keyUnchanged, const TTable* global,
                                           size_t costLimit = SIZE_MAX)
{
    const int w = f.Rect.width(), h = f.Rect.height();
    // The colour a pixel is written with, 0 for transparent.
    auto colorAt = [keyUnchanged](QRgb v) -> QRgb {
        if ((v & 0xFF000000u) == UnchangedAlpha)
            return keyUnchanged ? 0 : (v | 0xFF000000u);
        return v;
    };
    // The frame's colours in the order they appear.
    TTable own;
    bool needsTransparent = false;
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(f.Pixels.constScanLine(y));
        QRgb last = 0;
        for (int x = 0; x < w; ++x) {
            const QRgb c = colorAt(row[x]);
            if (c == 0) {
                needsTransparent = true;
                continue;
            }
            if (c == last)
                continue;
            last = c;
            if (own.Index.Find(c) >= 0)
                continue;
            if (own.Colors.size() == 256)
                return std::nullopt;
            own.Add(c);
        }
    }
    TEncodedFrame out;
    out.Rect = f.Rect;
    out.Disposal = f.Disposal;
    out.Delay = f.Delay;
    const TTable* table = nullptr;
    if (global) {
        std::vector<bool> used(global->Colors.size(), false);
        bool fits = true;
        for (const QRgb c : own.Colors) {
            const int i = global->Index.Find(c);
            if (i < 0) {
                fits = false;
                break;
            }
            used[size_t(i)] = true;
        }
        if (fits && needsTransparent) {
            const auto spare = std::find(used.begin(), used.end(), false);
            if (spare == used.end())
                fits = false;
            else
                out.TransparentIndex = int(spare - used.begin());
        }
        if (fits)
            table = global;
    }
    TTable local;
    if (!table) {
        // The transparent entry comes first: a background index of 0 then
        // names the transparent colour.
        if (needsTransparent) {
            if (own.Colors.size() == 256)
                return std::nullopt;
            out.TransparentIndex = local.Add(own.Unused(f.Key));
        }
        for (const QRgb c : own.Colors)
            local.Add(c);
        local.Pad();
        out.LocalTable = local.Colors;
        table = &local;
    }
    std::vector<uint8_t> indices(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(f.Pixels.constScanLine(y));
        uint8_t* index = indices.data() + size_t(y) * size_t(w);
        QRgb last = 0;
        int lastIndex = 0;
        for (int x = 0; x < w; ++x) {
            const QRgb c = colorAt(row[x]);
            if (c == 0) {
                index[x] = uint8_t(out.TransparentIndex);
                continue;
            }
            if (c != last) {
                last = c;
                lastIndex = table->Index.Find(c);
            }
            index[x] = uint8_t(lastIndex);
        }
    }
    const int codeSize = std::max(2, table->Bits());
    std::vector<uint8_t> alternates;
    if (keyUnchanged) {
        // A pixel that repeats what the viewer shows may also be written with
        // its own colour, when the table holds it.
        alternates = indices;
        for (int y = 0; y < h; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(f.Pixels.constScanLine(y));
            uint8_t* alternate = alternates.data() + size_t(y) * size_t(w);
            for (int x = 0; x < w; ++x)
                if ((row[x] & 0xFF000000u) == UnchangedAlpha)
                    if (const int i = table->Index.Find(row[x] | 0xFF000000u); i >= 0)
                        alternate[x] = uint8_t(i);
        }
    }
    const uint8_t* alternate = keyUnchanged ? alternates.data() : nullptr;
    // Once the table fills, keeping it may pay (repeating content such as
    // screen text) or not (noise, photographs): both are tried.
    const size_t tableBytes = out.LocalTable.size() * 3;
    if (costLimit < tableBytes)
        return std::nullopt;
    std::optional<std::vector<uint8_t>> data =
        TLZWEncoder::EncodeSmaller(indices.data(), alternate, w, h, w, codeSize, costLimit - tableBytes);
    if (!data)
        return std::nullopt;
    out.Data = std::move(*data);
    return out;
}

// Writes a frame the plain way when few of its pixels repeat what the viewer
// shows, keyed when most do, and otherwise the smaller of the two ways (the
// plain one on a tie).
TEncodedFrame EncodeFrame(const TPlannedFrame& f, const TTable* global)
{
    const int64_t area = int64_t(f.Rect.width()) * f.Rect.height();
    std::optional<TEncodedFrame> best;
    if (int64_t(f.Unchanged) * 32 < area) {
        best = EncodeVariant(f, false, global);
    } else if (int64_t(f.Unchanged) * 4 < area) {
        best = EncodeVariant(f, false, global);
        std::optional<TEncodedFrame> keyed =
            EncodeVariant(f, true, global, best ? best->Cost() - 1 : SIZE_MAX);
        if (keyed)
            best = std::move(keyed);
    } else {
        // Mostly repeated pixels: the keyed way wins there (its alternates
        // keep the strings the plain way has), so the plain one is left out.
        best = EncodeVariant(f, true, global);
        if (!best)
            best = EncodeVariant(f, false, global);
    }
    if (!best)
        throw EInvalidGraphicOperation(GIFMessages::EncodingError);
    return std::move(*best);
}

// Decides, in frame order, what each written frame covers and how it is
// disposed of. A frame is held back until the next different one is known:
// equal frames merge, and the next frame tells whether this one must clear
// its rectangle (drawing cannot make a pixel transparent again).
class TFramePlanner {
public:
    TFramePlanner(int width, int height, bool optimise)
        : fOptimise(optimise), fComposer(width, height), fShown(width, height, QImage::Format_ARGB32),
          fPendingScreen(width, height, QImage::Format_ARGB32)
    {
        fShown.fill(0);
    }

    void Add(const QImage& reduced, TPoint origin, TDisposalMethod disposal, int delay, QRgb key,
             std::vector<TPlannedFrame>& out)
    {
        if (!fOptimise) {
            out.push_back({QRect(QPoint(origin.X, origin.Y), reduced.size()), reduced, 0, disposal, delay, key});
            return;
        }
        fComposer.Draw(reduced, QPoint(origin.X, origin.Y), disposal);
        const QImage& screen = fComposer.Screen();
        if (fPending && fPendingDelay + delay <= MaxDelay && screen == fPendingScreen) {
            fPendingDelay += delay;
            return;
        }
        if (fPending)
            Emit(&screen, out);
        fPending = true;
        // Copied into a buffer of its own, so that the composer draws the next
        // frame in place rather than into a fresh copy.
        std::memcpy(fPendingScreen.bits(), screen.constBits(), size_t(screen.sizeInBytes()));
        fPendingDelay = delay;
        fPendingKey = key;
    }

    void Finish(std::vector<TPlannedFrame>& out)
    {
        if (fPending)
            Emit(nullptr, out);
        fPending = false;
    }

private:
    void Emit(const QImage* next, std::vector<TPlannedFrame>& out)
    {
        const QImage& p = fPendingScreen;
        QRect rect = fFirst ? p.rect() : ChangedRect(fShown, p);
        TDisposalMethod disposal = TDisposalMethod::dmLeave;
        if (next) {
            const QRect cleared = ClearedRect(p, *next);
            if (!cleared.isEmpty()) {
                disposal = TDisposalMethod::dmRestoreBackground;
                rect |= cleared;
            }
        }
        if (rect.isEmpty())
            rect = QRect(0, 0, 1, 1);
        TPlannedFrame frame{rect, p.copy(rect), 0, disposal, fPendingDelay, fPendingKey};
        // Pixels from several source frames may hold more colours than a table.
        if (!TColorReduction::FitsTable(frame.Pixels))
            frame.Pixels = TColorReduction::ReduceClear(frame.Pixels, false);
        // Marks the pixels that repeat what the viewer shows, then makes the
        // viewer's screen what it is once this frame is drawn and disposed of.
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            auto* in = reinterpret_cast<QRgb*>(frame.Pixels.scanLine(y - rect.top()));
            auto* shown = reinterpret_cast<QRgb*>(fShown.scanLine(y)) + rect.left();
            for (int x = 0; x < rect.width(); ++x) {
                const QRgb c = in[x];
                if (c != 0 && c == shown[x] && !fFirst) {
                    in[x] = (c & 0xFFFFFF) | UnchangedAlpha;
                    ++frame.Unchanged;
                }
                if (disposal == TDisposalMethod::dmRestoreBackground)
                    shown[x] = 0;
                else if (c != 0)
                    shown[x] = c;
            }
        }
        out.push_back(std::move(frame));
        fFirst = false;
    }

    bool fOptimise;
    TViewerCanvas fComposer; // the source frames as a viewer shows them
    QImage fShown;           // what the viewer shows before the next written frame
    bool fFirst = true;
    bool fPending = false;
    QImage fPendingScreen;
    int fPendingDelay = 0;
    QRgb fPendingKey = 0;
};

class TGIFStreamWriter {
public:
    explicit TGIFStreamWriter(QIODevice& out) : fOut(out) {}

    void Header(const TGIFAnimationInfo& info, const TTable& global, bool loopExtension)
    {
        Bytes("GIF89a", 6);
        Word(info.ScreenWidth);
        Word(info.ScreenHeight);
        const int bits = global.Bits();
        Byte(uint8_t(0x80 | ((bits - 1) << 4) | (bits - 1)));
        int background = 0;
        if (info.BackgroundColor != clNone) {
            const int i = global.Index.Find(ColorToQRgb(ColorToRGB(info.BackgroundColor)) | 0xFF000000u);
            background = std::max(i, 0);
        }
        Byte(uint8_t(background));
        Byte(0);
        Table(global.Colors);
        if (loopExtension) {
            Bytes("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
            Word(info.RepeatCount);
            Byte(0);
        }
    }

    void Frame(const TEncodedFrame& f)
    {
        const bool transparent = f.TransparentIndex >= 0;
        const uint8_t gce[] = {0x21,
                               0xF9,
                               0x04,
                               uint8_t((uint8_t(f.Disposal) << 2) | (transparent ? 1 : 0)),
                               uint8_t(f.Delay),
                               uint8_t(f.Delay >> 8),
                               uint8_t(transparent ? f.TransparentIndex : 0),
                               0x00};
        Bytes(gce, sizeof gce);
        Byte(0x2C);
        Word(f.Rect.left());
        Word(f.Rect.top());
        Word(f.Rect.width());
        Word(f.Rect.height());
        if (f.LocalTable.empty()) {
            Byte(0);
        } else {
            Byte(uint8_t(0x80 | (BitsForColorCount(int(f.LocalTable.size())) - 1)));
            Table(f.LocalTable);
        }
        Bytes(f.Data.data(), f.Data.size());
    }

    void End(const QStringList& comment)
    {
        if (!comment.isEmpty()) {
            Byte(0x21);
            Byte(0xFE);
            WriteLineSubBlocks(*this, comment);
        }
        Byte(0x3B);
    }

    // The byte sink of WriteLineSubBlocks.
    void Byte(uint8_t b) { Bytes(&b, 1); }
    void Bytes(const void* data, size_t n)
    {
        if (fOut.write(static_cast<const char*>(data), qint64(n)) != qint64(n))
            throw EFileError(fOut.errorString());
    }

private:
    void Word(int w)
    {
        if (w < 0 || w > 0xFFFF)
            throw EInvalidGraphicOperation(GIFMessages::EncodingError);
        Byte(uint8_t(w));
        Byte(uint8_t(w >> 8));
    }
    void Table(const std::vector<QRgb>& colors)
    {
        std::vector<uint8_t> bytes;
        bytes.reserve(colors.size() * 3);
        for (const QRgb c : colors)
            bytes.insert(bytes.end(), {uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))});
        Bytes(bytes.data(), bytes.size());
    }

    QIODevice& fOut;
};

} // namespace

void TGIFExporter::Export(TGIFFrameSource& source, QIODevice& out) const
{
    const TGIFAnimationInfo info = source.Info();
    const int count = source.Count();
    if (count <= 0 || info.ScreenWidth <= 0 || info.ScreenHeight <= 0)
        throw EInvalidGraphicOperation(GIFMessages::NoDataToWrite);
    const int threads = fOptions.Threads > 0 ? fOptions.Threads : std::max(1, QThread::idealThreadCount());
    // Frames go through in batches, so that only a few are held at once.
    const int batch = std::max(4, 2 * threads);

    TFramePlanner planner(info.ScreenWidth, info.ScreenHeight, fOptions.Optimise);
    TGIFStreamWriter writer(out);
    std::optional<TTable> global;
    for (int first = 0; first < count; first += batch) {
        const int n = std::min(batch, count - first);
        std::vector<TGIFSourceFrame> frames;
        frames.reserve(size_t(n));
        for (int i = 0; i < n; ++i) {
            frames.push_back(source.Frame(first + i));
            if (frames.back().Pixels.isNull() || frames.back().Pixels.size().isEmpty())
                throw EInvalidGraphicOperation(GIFMessages::NoDataToWrite);
        }
        std::vector<QImage> reduced(static_cast<size_t>(n));
        ParallelFor(n, threads, [&](int i) {
            const TGIFSourceFrame& f = frames[size_t(i)];
            reduced[size_t(i)] = TColorReduction::Reduce(f.Pixels, f.Transparent, fOptions.Reducer, fOptions.Dither);
        });

        std::vector<TPlannedFrame> planned;
        for (int i = 0; i < n; ++i) {
            const TGIFSourceFrame& f = frames[size_t(i)];
            const QRgb key = f.Transparent == clNone ? 0 : (ColorToQRgb(ColorToRGB(f.Transparent)) | 0xFF000000u);
            planner.Add(reduced[size_t(i)], f.Origin, f.Disposal, f.Duration / 10, key, planned);
            reduced[size_t(i)] = QImage();
        }
        frames.clear();
        if (first + n == count)
            planner.Finish(planned);
        if (planned.empty())
            continue;

        size_t start = 0;
        std::vector<TEncodedFrame> encoded(planned.size());
        if (!global) {
            // The first frame's colours make the global table.
            std::optional<TEncodedFrame> frame0 = EncodeVariant(planned[0], false, nullptr);
            if (!frame0)
                throw EInvalidGraphicOperation(GIFMessages::EncodingError);
            global.emplace();
            for (const QRgb c : frame0->LocalTable)
                global->Add(c);
            frame0->LocalTable.clear();
            encoded[0] = std::move(*frame0);
            start = 1;
            writer.Header(info, *global, info.Looping && count >= 2);
        }
        ParallelFor(int(planned.size() - start), threads,
                    [&](int i) { encoded[start + size_t(i)] = EncodeFrame(planned[start + size_t(i)], &*global); });
        for (const TEncodedFrame& f : encoded)
            writer.Frame(f);
    }
    writer.End(info.Comment);
}

QByteArray TGIFExporter::ExportToBytes(TGIFFrameSource& source) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Export(source, buffer);
    return bytes;
}

void TGIFExporter::ExportToFile(TGIFFrameSource& source, const QString& fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    Export(source, file); // a failure leaves the old file as it was
    if (!file.commit())
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}
