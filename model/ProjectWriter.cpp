// Writing a project: the file's items in order, the companion folder's
// pictures beside it, all staged first and put in place together.
#include "model/ProjectFile.h"

#include "model/Document.h"
#include "model/ProjectItems.h"
#include "model/SaveTransaction.h"
#include "platform/BinaryFile.h"
#include "platform/ImageFiles.h"
#include "platform/Progress.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <exception>

namespace {

int32_t Duration(int32_t ms)
{
    return std::min(ms, kMaxFrameDuration);
}

int32_t Count(size_t size)
{
    return static_cast<int32_t>(size);
}

} // namespace

class TProjectFile::TWriter {
public:
    TWriter(TProjectFile& file, const QString& path)
        : fDoc(file.fDoc), fView(file.View), fAnimation(file.fAnimation), fProgress(file.fProgress), fPath(path),
          fFolder(CompanionFolder(path))
    {
        fBuffer.open(QIODevice::WriteOnly);
    }

    // Returns success; Error() says why not.
    bool Run();
    const QString& Error() const { return fError; }
    const QString& Notice() const { return fNotice; }

private:
    bool Fail(const QString& why)
    {
        if (fError.isEmpty())
            fError = why;
        return false;
    }
    bool Cancelled()
    {
        fProgress.SetProgress(100);
        return !fProgress.IsApply();
    }
    bool MakeFolder(const QString& relative)
    {
        const QString path = fFolder + QLatin1Char('/') + relative;
        return QDir().mkpath(path) && QFileInfo(path).isDir();
    }
    bool Stage(const QString& relative, const QByteArray& data)
    {
        if (!fSave.Stage(fFolder + QLatin1Char('/') + relative, data))
            return Fail(fSave.Error());
        return true;
    }
    // Writes the GIF as `relative` when it has frames; otherwise the file of an
    // earlier save goes.
    bool StageOptionalGIF(const QString& relative, TZGIFImage& gif)
    {
        if (gif.Count() > 0)
            return Stage(relative, gif.SaveToBytes());
        fSave.RemoveUnlessStaged(fFolder + QLatin1Char('/') + relative);
        return true;
    }
    // Pictures "<relative>/ImageN.<suffix>" of an earlier save that this save
    // does not write again go.
    void RemoveOldPictures(const QString& relative, const QString& suffix)
    {
        static const QRegularExpression numbered(QStringLiteral("^Image[0-9]+\\.(bmp|gif)$"));
        const QDir dir(fFolder + QLatin1Char('/') + relative);
        for (const QString& name : dir.entryList({QStringLiteral("Image*.") + suffix}, QDir::Files))
            if (numbered.match(name).hasMatch())
                fSave.RemoveUnlessStaged(dir.filePath(name));
    }
    void CommitShownFrame();
    bool WriteHeaderAndRecords();
    bool WriteOptions();
    bool WritePictures();
    bool WriteClipboard();
    bool WriteToolOptions();

    TDocument& fDoc;
    const TEditorView& fView;
    TZGIFImage& fAnimation;
    TProgress& fProgress;
    const QString fPath;
    const QString fFolder;
    QBuffer fBuffer;
    TBinaryWriter fOut{fBuffer};
    TSaveTransaction fSave{JournalPath(fPath)};
    QString fError;
    QString fNotice;
};

// The figure edits of the frame last shown go into the project first.
void TProjectFile::TWriter::CommitShownFrame()
{
    int frame = fDoc.OldFrame;
    if (frame < 0) {
        if (fAnimation.FrameIndex() != 0)
            return;
        frame = 0;
    }
    fDoc.CurIndex = frame;
    fDoc.SetAnim();
}

bool TProjectFile::TWriter::Run()
{
    try {
        if (fDoc.CurIndex >= 0)
            fDoc.SetAnim();
        const QFileInfo target(fPath);
        if (target.isDir())
            return Fail(QStringLiteral("%1 is a folder").arg(fPath));
        if (!QFileInfo(target.absolutePath()).isDir())
            return Fail(QStringLiteral("The folder %1 does not exist").arg(target.absolutePath()));
        if (const QString other = FolderSharedWith(fPath); !other.isEmpty()) {
            fNotice = QStringLiteral("The folder %1 also holds the pictures of %2. Choose a name whose part "
                                     "before the first \".\" differs.")
                          .arg(QFileInfo(fFolder).fileName(), QFileInfo(other).fileName());
            return Fail(fNotice);
        }
        // A save interrupted before is completed (or its leftovers cleared) first.
        if (QString error; !Recover(fPath, error))
            return Fail(error);
        if (!QDir().mkpath(fFolder) || !QFileInfo(fFolder).isDir())
            return Fail(QStringLiteral("The folder %1 cannot be created").arg(fFolder));
        CommitShownFrame();

        // Painting order and selection, as they are now.
        fDoc.FigOrd.clear();
        for (const auto& obj : fDoc.DrawArr)
            fDoc.FigOrd.push_back(obj->FigNum);
        for (TQFigure& fig : fDoc.Animation.Figures)
            if (fig.Obj)
                fig.Foc = fig.Obj->Focused();

        const bool ok = WriteHeaderAndRecords() && WriteOptions() && WritePictures() && WriteClipboard()
                     && WriteToolOptions();
        if (!ok)
            return Fail(QStringLiteral("The project could not be written"));
        if (!fOut.Ok())
            return Fail(QStringLiteral("The project could not be written"));
        if (!fSave.Stage(fPath, fBuffer.data()))
            return Fail(fSave.Error());
        if (!fSave.Commit())
            return Fail(fSave.Error());
        return true;
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
}

// Items 1 to 28, with the background pictures.
bool TProjectFile::TWriter::WriteHeaderAndRecords()
{
    TBinaryWriter& out = fOut;
    TDocument& d = fDoc;
    const TEditorView& v = fView;
    out.WriteString(QStringLiteral("Zembra"));
    out.WriteInt(kVersion);
    out.WriteBool(d.SelCen);
    out.WriteBool(v.IsDel);
    out.WriteBool(d.IsStart);
    out.WriteBool(d.IsProject);
    out.WriteBool(d.IsChRot);
    out.WriteByte(0); // reserved
    out.WriteBool(v.IsChDelay);
    out.WriteBool(v.IsChGoTo);
    out.WriteBool(d.IsFrOper);
    for (int32_t value : {v.FrCount, v.ImgH, v.OldPos, d.ImgWidth, d.ImgHeight, Duration(d.AnInt), d.QCount, v.QRow,
                          d.OldFrame, d.CurIndex, v.OldIndex})
        out.WriteInt(value);
    out.WriteIntArray(d.BMPSel);
    out.WriteIntArray(d.FigOrd);
    WriteFigures(out, {}); // reserved figure list

    if (!StageOptionalGIF(QStringLiteral("BackGIF.gif"), d.Animation.BackGIF))
        return false;
    if (d.Animation.IsBackBMP) {
        if (!Stage(QStringLiteral("BackBMP.bmp"), EncodeBmp(d.Animation.BackBMP)))
            return false;
    } else {
        fSave.RemoveUnlessStaged(fFolder + QStringLiteral("/BackBMP.bmp"));
    }
    out.WriteColor(d.Animation.BackColor);
    WriteFigures(out, d.Animation.Figures);
    out.WriteIntArray({}); // reserved
    return out.Ok();
}

// Items 29 to 51, the rendered animation, the frames clipboard and the strings.
bool TProjectFile::TWriter::WriteOptions()
{
    TBinaryWriter& out = fOut;
    const TProjectOptions& o = fDoc.Options;
    for (int i = 0; i < 4; ++i)
        out.WriteColor(o.BackShapeColor);
    out.WriteInt(fDoc.ImgWidth);
    out.WriteInt(fDoc.ImgHeight);
    out.WriteBool(o.BackTransparent);
    out.WriteInt(Duration(o.FrameDelay));
    out.WriteBool(o.InfiniteLoop);
    out.WriteInt(o.RepeatCount);
    for (int i = 0; i < 3; ++i)
        out.WriteInt(Duration(o.CurrentFrameDelay));
    out.WriteInt(o.MainPage);
    out.WriteInt(o.FigurePage);
    out.WriteInt(o.RecordDelay);
    out.WriteString(o.ExtractFolder);
    for (int i = 0; i < 3; ++i)
        out.WriteInt(o.AngleSpin);
    out.WriteString(o.ExtractFolder);
    out.WriteString(QString()); // reserved
    out.WriteInt(o.ExtractQuality);

    if (!StageOptionalGIF(QStringLiteral("Buffer.gif"), fDoc.Buffer)
        || !StageOptionalGIF(QStringLiteral("Anim.gif"), fAnimation))
        return false;
    out.WriteInt(Count(fDoc.StrArr.size()));
    for (const QString& s : fDoc.StrArr)
        out.WriteString(s);
    if (Cancelled())
        return Fail(QStringLiteral("Cancelled"));
    return out.Ok();
}

// Items 53 to 55 with the figures' pictures.
bool TProjectFile::TWriter::WritePictures()
{
    if (!MakeFolder(QStringLiteral("Bitmap")))
        return Fail(QStringLiteral("The folder Bitmap cannot be created"));
    fOut.WriteInt(Count(fDoc.BMPArr.size()));
    for (size_t i = 0; i < fDoc.BMPArr.size(); ++i) {
        if (!Stage(QStringLiteral("Bitmap/Image%1.bmp").arg(i + 1), EncodeBmp(fDoc.BMPArr[i])))
            return false;
        if (Cancelled())
            return Fail(QStringLiteral("Cancelled"));
    }
    RemoveOldPictures(QStringLiteral("Bitmap"), QStringLiteral("bmp"));
    if (!MakeFolder(QStringLiteral("GIF")))
        return Fail(QStringLiteral("The folder GIF cannot be created"));
    fOut.WriteInt(Count(fDoc.GIFArr.size()));
    fOut.WriteInt(fDoc.BackNum);
    for (size_t i = 0; i < fDoc.GIFArr.size(); ++i) {
        if (!Stage(QStringLiteral("GIF/Image%1.gif").arg(i + 1), fDoc.GIFArr[i].SaveToBytes()))
            return false;
        if (Cancelled())
            return Fail(QStringLiteral("Cancelled"));
    }
    RemoveOldPictures(QStringLiteral("GIF"), QStringLiteral("gif"));
    return fOut.Ok();
}

// Items 56 and 57: the figures clipboard, each entry's pictures numbered on
// across the entries.
bool TProjectFile::TWriter::WriteClipboard()
{
    if (!MakeFolder(QStringLiteral("Buffer/Bitmap")) || !MakeFolder(QStringLiteral("Buffer/GIF")))
        return Fail(QStringLiteral("The folder Buffer cannot be created"));
    fOut.WriteInt(Count(fDoc.FigBuf.size()));
    int bitmapNumber = 0;
    int gifNumber = 0;
    for (TQBufEntry& entry : fDoc.FigBuf) {
        WriteFigure(fOut, entry.Fig);
        fOut.WriteInt(Count(entry.BMP.size()));
        for (const TBitmap& bitmap : entry.BMP) {
            if (!Stage(QStringLiteral("Buffer/Bitmap/Image%1.bmp").arg(++bitmapNumber), EncodeBmp(bitmap)))
                return false;
            if (Cancelled())
                return Fail(QStringLiteral("Cancelled"));
        }
        fOut.WriteInt(Count(entry.GIF.size()));
        for (TZGIFImage& gif : entry.GIF) {
            if (!Stage(QStringLiteral("Buffer/GIF/Image%1.gif").arg(++gifNumber), gif.SaveToBytes()))
                return false;
            if (Cancelled())
                return Fail(QStringLiteral("Cancelled"));
        }
    }
    RemoveOldPictures(QStringLiteral("Buffer/Bitmap"), QStringLiteral("bmp"));
    RemoveOldPictures(QStringLiteral("Buffer/GIF"), QStringLiteral("gif"));
    return fOut.Ok();
}

// Items 58 to 67.
bool TProjectFile::TWriter::WriteToolOptions()
{
    TBinaryWriter& out = fOut;
    const TProjectOptions& o = fDoc.Options;
    out.WriteBool(o.SelectedOnly);
    out.WriteString(o.AviFile);
    out.WriteInt(o.AviFrameTime);
    out.WriteInt(o.AviQuality);
    out.WriteInt(o.AviPixelFormat);
    out.WriteInt(o.AviCompressor);
    out.WriteInt(o.ImagesSource);
    out.WriteInt(o.ImagesDelay);
    out.WriteString(o.ImagesFolder);
    out.WriteBool(o.MaintainAspectRatio);
    return out.Ok();
}

QString TProjectFile::CompanionFolder(const QString& projectPath)
{
    const QFileInfo info(projectPath);
    QString name = info.fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return info.dir().filePath(name + QStringLiteral("Files"));
}

QString TProjectFile::JournalPath(const QString& projectPath)
{
    return projectPath + QStringLiteral(".journal");
}

QString TProjectFile::FolderSharedWith(const QString& projectPath)
{
    const QFileInfo self(projectPath);
    const QString folder = CompanionFolder(self.absoluteFilePath());
    for (const QFileInfo& other : self.absoluteDir().entryInfoList({QStringLiteral("*.zembra")}, QDir::Files))
        if (other.fileName() != self.fileName() && CompanionFolder(other.absoluteFilePath()) == folder)
            return other.absoluteFilePath();
    return {};
}

bool TProjectFile::Recover(const QString& projectPath, QString& error)
{
    return TSaveTransaction::Recover(JournalPath(projectPath), {projectPath}, {CompanionFolder(projectPath)}, error);
}

TProjectFile::TProjectFile(TDocument& doc, TZGIFImage& animation, TProgress& progress)
    : fDoc(doc), fAnimation(animation), fProgress(progress)
{
}

bool TProjectFile::Write(const QString& path)
{
    fError.clear();
    fNotice.clear();
    fProgress.SetNotFile(false);
    fProgress.ApplyStart(100, QStringLiteral("Saving Project"));
    bool ok = false;
    {
        TWriter writer(*this, path);
        ok = writer.Run();
        if (!ok) {
            fError = writer.Error();
            fNotice = writer.Notice();
        }
    } // an unfinished save removes its temporary files here
    fProgress.Close();
    fProgress.SetNotFile(true);
    fProgress.SetApply(false);
    return ok;
}
