// Reading a project: every format version, the companion folder's pictures,
// the composites of the GIFs and the drawing objects of the figures.
#include "model/ProjectFile.h"

#include "model/Document.h"
#include "model/FigureFactory.h"
#include "model/GIFComposites.h"
#include "model/ProjectItems.h"
#include "platform/BinaryFile.h"
#include "platform/ImageFiles.h"
#include "platform/Progress.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <exception>

namespace {

// The frame size boxes take 1..10000.
constexpr int32_t kMaxFrameSide = 10000;
// A clipboard entry takes at least a figure record and two counts.
constexpr qint64 kMinClipboardEntryBytes = 15 + 8;

// Items 29 to 51, applied only when all of them were read.
struct TOptionItems {
    TColor BackColor[4] = {};
    int32_t Width = 0;
    int32_t Height = 0;
    bool Transparent = false;
    int32_t FrameDelay = 0;
    bool InfiniteLoop = false;
    int32_t RepeatCount = 0;
    int32_t CurrentDelay[3] = {};
    int32_t MainPage = 0;
    int32_t FigurePage = 0;
    int32_t RecordDelay = 0;
    QString ExtractFolderCopy;
    int32_t Angle[3] = {};
    QString ExtractFolder;
    QString Reserved;
    int32_t ExtractQuality = 0;

    bool Read(TBinaryReader& in)
    {
        for (TColor& c : BackColor)
            in.ReadColor(c);
        in.ReadInt(Width);
        in.ReadInt(Height);
        in.ReadBool(Transparent);
        in.ReadInt(FrameDelay);
        in.ReadBool(InfiniteLoop);
        in.ReadInt(RepeatCount);
        for (int32_t& v : CurrentDelay)
            in.ReadInt(v);
        in.ReadInt(MainPage);
        in.ReadInt(FigurePage);
        in.ReadInt(RecordDelay);
        in.ReadString(ExtractFolderCopy);
        for (int32_t& v : Angle)
            in.ReadInt(v);
        in.ReadString(ExtractFolder);
        in.ReadString(Reserved);
        in.ReadInt(ExtractQuality);
        return in.Ok();
    }
};

int32_t Duration(int32_t ms)
{
    return std::min(ms, kMaxFrameDuration);
}

} // namespace

class TProjectFile::TReader {
public:
    TReader(TProjectFile& file, const QString& path)
        : fOwner(file), fDoc(file.fDoc), fAnimation(file.fAnimation), fProgress(file.fProgress), fPath(path),
          fFolder(CompanionFolder(path))
    {
    }

    bool Run();
    const QString& Error() const { return fError; }

private:
    bool Fail(const QString& why)
    {
        if (fError.isEmpty())
            fError = why;
        return false;
    }
    bool Damaged() { return Fail(QStringLiteral("The project file is damaged")); }
    bool Cancelled()
    {
        fProgress.SetProgress(100);
        return !fProgress.IsApply();
    }
    QString InFolder(const QString& relative) const { return fFolder + QLatin1Char('/') + relative; }
    bool Exists(const QString& relative) const { return QFileInfo(InFolder(relative)).isFile(); }
    // A listed picture that is missing fails the reading.
    bool Require(const QString& relative)
    {
        if (Exists(relative))
            return true;
        return Fail(QStringLiteral("%1 is missing").arg(InFolder(relative)));
    }
    TBitmap LoadStill(const QString& relative)
    {
        TBitmap bitmap = LoadImageFile(InFolder(relative));
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
        return bitmap;
    }
    bool ReadCount(int32_t& count)
    {
        return fIn->ReadInt(count) && count >= 0;
    }

    bool ReadRecords();
    bool ReadStrings();
    bool ReadStillPictures();
    bool ReadGIFPictures();
    bool ReadClipboard();
    bool ReadToolOptions();
    bool BuildDrawObjects();
    void ShowFirstFrame();

    TProjectFile& fOwner;
    TDocument& fDoc;
    TZGIFImage& fAnimation;
    TProgress& fProgress;
    const QString fPath;
    const QString fFolder;
    std::unique_ptr<TBinaryReader> fIn;
    int32_t fVersion = -1;
    TPictureEncoding fEncoding = TPictureEncoding::WithoutFNum;
    QString fError;
};

bool TProjectFile::TReader::Run()
{
    try {
        // A save that was killed half-way is completed before anything is read.
        if (QString error; !Recover(fPath, error))
            return Fail(error);
        QFile file(fPath);
        if (!QFileInfo(fPath).isFile() || !file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("%1 cannot be opened").arg(fPath));
        if (!QFileInfo(fFolder).isDir())
            return Fail(QStringLiteral("The folder %1 does not exist").arg(fFolder));
        if (file.size() > kMaxFileSize)
            return Fail(QStringLiteral("%1 is too large for a project file").arg(fPath));
        const QByteArray data = file.readAll();
        if (data.size() != file.size())
            return Fail(QStringLiteral("%1 cannot be read").arg(fPath));
        file.close();
        fIn = std::make_unique<TBinaryReader>(data);

        // A file that does not start with the signature has no header.
        QString signature;
        if (fIn->ReadString(signature) && signature == QLatin1String("Zembra")) {
            if (!fIn->ReadInt(fVersion) || fVersion < 0)
                return Damaged();
            fEncoding = TPictureEncoding::WithFNum;
        } else {
            fIn->ClearError();
            fIn->Seek(0);
        }
        if (Cancelled())
            return Fail(QStringLiteral("Cancelled"));

        if (!ReadRecords() || !ReadStrings() || !ReadStillPictures() || !ReadGIFPictures() || !ReadClipboard()
            || !ReadToolOptions() || !BuildDrawObjects())
            return false;
        ShowFirstFrame();
        return true;
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
}

// Items 3 to 51 with the background pictures, then the rendered animation and
// the frames clipboard.
bool TProjectFile::TReader::ReadRecords()
{
    TBinaryReader& in = *fIn;
    TDocument& d = fDoc;
    TEditorView& view = fOwner.View;
    uint8_t reserved = 0;
    in.ReadBool(d.SelCen);
    in.ReadBool(view.IsDel);
    in.ReadBool(d.IsStart);
    in.ReadBool(d.IsProject);
    in.ReadBool(d.IsChRot);
    in.ReadByte(reserved);
    in.ReadBool(view.IsChDelay);
    in.ReadBool(view.IsChGoTo);
    in.ReadBool(d.IsFrOper);
    for (int* field : {&view.FrCount, &view.ImgH, &view.OldPos, &d.ImgWidth, &d.ImgHeight, &d.AnInt, &d.QCount,
                       &view.QRow, &d.OldFrame, &d.CurIndex, &view.OldIndex}) {
        int32_t v = 0;
        if (in.ReadInt(v))
            *field = v;
    }
    d.AnInt = Duration(d.AnInt);
    in.ReadIntArray(d.BMPSel);
    in.ReadIntArray(d.FigOrd);
    TQFigArr reservedFigures;
    if (!in.Ok() || !ReadFigures(in, reservedFigures, fEncoding))
        return Damaged();

    if (Exists(QStringLiteral("BackGIF.gif")))
        d.Animation.BackGIF.LoadFromFile(InFolder(QStringLiteral("BackGIF.gif")));
    else
        d.Animation.BackGIF.Clear();
    d.Animation.IsBackBMP = Exists(QStringLiteral("BackBMP.bmp"));
    if (d.Animation.IsBackBMP)
        d.Animation.BackBMP = LoadImageFile(InFolder(QStringLiteral("BackBMP.bmp")));
    std::vector<int32_t> reservedArray;
    if (!in.ReadColor(d.Animation.BackColor) || !ReadFigures(in, d.Animation.Figures, fEncoding)
        || !in.ReadIntArray(reservedArray))
        return Damaged();

    TOptionItems items;
    if (!items.Read(in))
        return Damaged();
    TProjectOptions& o = d.Options;
    o.BackShapeColor = items.BackColor[0];
    d.ImgWidth = std::clamp(items.Width, 1, kMaxFrameSide);
    d.ImgHeight = std::clamp(items.Height, 1, kMaxFrameSide);
    o.BackTransparent = items.Transparent;
    o.FrameDelay = Duration(items.FrameDelay);
    o.InfiniteLoop = items.InfiniteLoop;
    o.RepeatCount = items.RepeatCount;
    o.CurrentFrameDelay = Duration(items.CurrentDelay[0]);
    o.MainPage = items.MainPage;
    o.FigurePage = items.FigurePage;
    o.RecordDelay = items.RecordDelay;
    o.AngleSpin = items.Angle[2];
    o.ExtractFolder = items.ExtractFolder;
    o.ExtractQuality = items.ExtractQuality;

    if (Exists(QStringLiteral("Buffer.gif")))
        d.Buffer.LoadFromFile(InFolder(QStringLiteral("Buffer.gif")));
    else
        d.Buffer.Clear();
    if (Exists(QStringLiteral("Anim.gif")))
        fAnimation.LoadFromFile(InFolder(QStringLiteral("Anim.gif")));
    else
        fAnimation.Clear();
    if (Cancelled())
        return Fail(QStringLiteral("Cancelled"));
    return true;
}

// Item 52.
bool TProjectFile::TReader::ReadStrings()
{
    int32_t count = 0;
    if (!ReadCount(count) || qint64(count) > fIn->Remaining() / 4)
        return Damaged();
    QStringList strings;
    for (int32_t i = 0; i < count; ++i) {
        QString s;
        if (!fIn->ReadString(s))
            return Damaged();
        strings.append(std::move(s));
    }
    fDoc.StrArr = std::move(strings);
    if (Cancelled())
        return Fail(QStringLiteral("Cancelled"));
    return true;
}

// Item 53 with the files Bitmap/ImageN.bmp.
bool TProjectFile::TReader::ReadStillPictures()
{
    fDoc.BMPArr.clear();
    int32_t count = 0;
    if (!ReadCount(count))
        return Damaged();
    for (int32_t n = 1; n <= count; ++n) {
        const QString name = QStringLiteral("Bitmap/Image%1.bmp").arg(n);
        if (!Require(name))
            return false;
        fDoc.BMPArr.push_back(LoadStill(name));
        if (Cancelled())
            return Fail(QStringLiteral("Cancelled"));
    }
    return true;
}

// Items 54 and 55 with the files GIF/ImageN.gif, and the composites of every
// GIF in the order the saved composite indexes expect.
bool TProjectFile::TReader::ReadGIFPictures()
{
    TDocument& d = fDoc;
    d.GIFArr.clear();
    int32_t count = 0;
    if (!ReadCount(count))
        return Damaged();
    int32_t savedBackNum = -1;
    if (fVersion >= 0 && !fIn->ReadInt(savedBackNum))
        return Damaged();
    d.BMPGIF.clear();

    TZGIFImage& back = d.Animation.BackGIF;
    int backList = -1;
    auto composeBack = [&] { backList = back.Count() > 0 ? AddBMPArr(d, back, fProgress) : -1; };
    if (fVersion < 0 || count == 0)
        composeBack();
    for (int32_t i = 0; i < count; ++i) {
        if (fVersion >= 0 && i == savedBackNum)
            composeBack();
        const QString name = QStringLiteral("GIF/Image%1.gif").arg(i + 1);
        if (!Require(name))
            return false;
        d.GIFArr.emplace_back();
        TZGIFImage& gif = d.GIFArr.back();
        gif.LoadFromFile(InFolder(name));
        if (Cancelled())
            return Fail(QStringLiteral("Cancelled"));
        if (fVersion >= 0) {
            AddBMPArr(d, gif, fProgress);
            continue;
        }
        // Files without a header keep no composite index: every picture value
        // showing this GIF gets a list of its own.
        for (TQFigure& fig : d.Animation.Figures)
            for (TQFrame& frame : fig.Frames)
                for (TQPropValue& v : frame.Change)
                    if (v.Name == qpBitmap && v.IsGIF && v.Bitmap == i)
                        v.FNum = AddBMPArr(d, gif, fProgress);
    }
    if (fVersion >= 0 && count > 0 && savedBackNum == count)
        composeBack();
    // Only a list that was made for the background GIF is its list.
    d.BackNum = backList;
    return true;
}

// Items 56 and 57 with the files under Buffer/.
bool TProjectFile::TReader::ReadClipboard()
{
    fDoc.FigBuf.clear();
    if (fVersion < 0)
        return true;
    int32_t count = 0;
    if (!ReadCount(count) || qint64(count) > fIn->Remaining() / kMinClipboardEntryBytes)
        return Damaged();
    int bitmapNumber = 0;
    int gifNumber = 0;
    for (int32_t e = 0; e < count; ++e) {
        TQBufEntry entry;
        int32_t bitmaps = 0;
        int32_t gifs = 0;
        if (!ReadFigure(*fIn, entry.Fig, fEncoding) || !ReadCount(bitmaps) || !ReadCount(gifs))
            return Damaged();
        // A figure kind without a class could not be pasted.
        if (entry.Fig.Name >= kFigNameCount || entry.Fig.Name == qfArc)
            return Fail(QStringLiteral("Unknown figure kind %1").arg(int(entry.Fig.Name)));
        for (int32_t j = 0; j < bitmaps; ++j) {
            const QString name = QStringLiteral("Buffer/Bitmap/Image%1.bmp").arg(++bitmapNumber);
            if (!Require(name))
                return false;
            entry.BMP.push_back(LoadStill(name));
            if (Cancelled())
                return Fail(QStringLiteral("Cancelled"));
        }
        for (int32_t j = 0; j < gifs; ++j) {
            const QString name = QStringLiteral("Buffer/GIF/Image%1.gif").arg(++gifNumber);
            if (!Require(name))
                return false;
            entry.GIF.emplace_back();
            entry.GIF.back().LoadFromFile(InFolder(name));
            if (Cancelled())
                return Fail(QStringLiteral("Cancelled"));
        }
        fDoc.FigBuf.push_back(std::move(entry));
    }
    return true;
}

// Items 58 to 67, as far as the version has them. Values the AVI and wizard
// windows would not take keep the new project's settings.
bool TProjectFile::TReader::ReadToolOptions()
{
    TBinaryReader& in = *fIn;
    TProjectOptions& o = fDoc.Options;
    if (fVersion > 0 && !in.ReadBool(o.SelectedOnly))
        return Damaged();
    if (fVersion > 1) {
        QString aviFile;
        int32_t frameTime = 0, quality = 0, pixelFormat = 0, compressor = 0;
        if (!in.ReadString(aviFile) || !in.ReadInt(frameTime) || !in.ReadInt(quality) || !in.ReadInt(pixelFormat)
            || !in.ReadInt(compressor))
            return Damaged();
        o.AviFile = aviFile;
        if (frameTime >= 10 && frameTime <= 1000000 && frameTime % 10 == 0)
            o.AviFrameTime = frameTime;
        if (quality >= 0 && quality <= 10000 && quality % 100 == 0)
            o.AviQuality = quality;
        if (pixelFormat >= 0 && pixelFormat <= 2) {
            o.AviPixelFormat = pixelFormat;
            if (compressor >= 0 && compressor < fOwner.CompressorCount)
                o.AviCompressor = compressor;
        }
    }
    if (fVersion > 2) {
        if (!in.ReadInt(o.ImagesSource) || !in.ReadInt(o.ImagesDelay) || !in.ReadString(o.ImagesFolder))
            return Damaged();
    }
    if (fVersion > 3 && !in.ReadBool(o.MaintainAspectRatio))
        return Damaged();
    return true;
}

// One drawing object per figure, in the saved painting order.
bool TProjectFile::TReader::BuildDrawObjects()
{
    TDocument& d = fDoc;
    const int n = d.FigureCount();
    if (static_cast<int>(d.FigOrd.size()) < n)
        return Damaged();
    std::vector<bool> seen(static_cast<size_t>(n), false);
    for (int i = 0; i < n; ++i) {
        const int32_t num = d.FigOrd[static_cast<size_t>(i)];
        if (num < 0 || num >= n || seen[static_cast<size_t>(num)])
            return Damaged();
        seen[static_cast<size_t>(num)] = true;
    }
    d.FigOrd.resize(static_cast<size_t>(n));

    d.DrawArr.clear();
    for (int i = 0; i < n; ++i) {
        const int32_t num = d.FigOrd[static_cast<size_t>(i)];
        TQFigure& fig = d.Animation.Figures[static_cast<size_t>(num)];
        std::unique_ptr<TDrawObject> obj = CreateDrawObject(fig.Name);
        if (!obj)
            return Fail(QStringLiteral("Unknown figure kind %1").arg(int(fig.Name)));
        if (fOwner.DrawObjLoaded) {
            fOwner.DrawObjLoaded(*obj);
        } else {
            obj->SetCanFocus(true);
            obj->SetFocused(true);
        }
        fig.Obj = obj.get();
        obj->FigNum = num;
        obj->SetFocused(fig.Foc);
        d.DrawArr.push_back(std::move(obj));
    }
    return true;
}

// The figures take their state at the frame shown first.
void TProjectFile::TReader::ShowFirstFrame()
{
    TDocument& d = fDoc;
    const bool hasFrames = fAnimation.Count() > 0;
    if (hasFrames) {
        d.OldFrame = -1;
        d.CurIndex = 0;
    }
    d.GetAnim();
    d.QCount = 0;
    d.DrObj = nullptr;
    for (const auto& obj : d.DrawArr)
        if (obj->Focused()) {
            ++d.QCount;
            d.DrObj = obj.get();
        }
    if (hasFrames) {
        fAnimation.SetFrameIndex(0);
        d.OldFrame = 0;
    }
    d.RedrawEnabled = false; // the animation comes from Anim.gif
}

bool TProjectFile::Read(const QString& path)
{
    fError.clear();
    fProgress.SetNotFile(false);
    fProgress.ApplyStart(100, QStringLiteral("Opening Project"));
    TReader reader(*this, path);
    const bool ok = reader.Run();
    if (!ok)
        fError = reader.Error();
    fProgress.Close();
    fProgress.SetNotFile(true);
    fProgress.SetApply(false);
    return ok;
}
