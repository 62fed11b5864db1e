#include "tools/FrameExtraction.h"

#include "editor/core/EditorCore.h"
#include "platform/ImageFiles.h"
#include "tools/FolderPaths.h"

#include <QDir>

QString ExtractExtension(TExtractFormat format)
{
    switch (format) {
    case TExtractFormat::Jpg: return QStringLiteral("jpg");
    case TExtractFormat::Png: return QStringLiteral("png");
    case TExtractFormat::Gif: return QStringLiteral("gif");
    case TExtractFormat::Bmp: return QStringLiteral("bmp");
    }
    return {};
}

QString ExtractFileName(const QString& folder, int index, TExtractFormat format)
{
    return QDir(folder).filePath(QStringLiteral("Image%1.%2").arg(index + 1).arg(ExtractExtension(format)));
}

std::vector<int> ExtractFrameIndexes(const TEditorCore& core, bool selectedOnly)
{
    const int count = core.FrameCount();
    std::vector<int> indexes;
    if (selectedOnly) {
        for (const int k : core.Doc.BMPSel)
            if (k >= 0 && k < count)
                indexes.push_back(k);
    } else {
        for (int k = 0; k < count; ++k)
            indexes.push_back(k);
    }
    return indexes;
}

namespace {

// Closes the progress window on every way out.
struct TProgressScope {
    TProgress& Progress;
    ~TProgressScope()
    {
        Progress.Close();
        Progress.SetApply(false);
    }
};

} // namespace

bool ExtractFrames(TEditorCore& core, const TExtractRequest& request, const TExtractMessages& msg)
{
    if (!ForceFolder(request.Folder))
        return false;
    const std::vector<int> indexes = ExtractFrameIndexes(core, request.SelectedOnly);
    TProgress& progress = core.Progress();
    progress.ApplyStart(int(indexes.size()), msg.QExtraction);
    TProgressScope scope{progress};
    TZGIFImage& animation = core.Animation();
    for (size_t i = 0; i < indexes.size() && progress.IsApply(); ++i) {
        const int k = indexes[i];
        const TBitmap& frame = animation.Frames(k).Bitmap();
        const QString file = ExtractFileName(request.Folder, k, request.Format);
        switch (request.Format) {
        case TExtractFormat::Jpg: SaveJpegFile(frame, file, request.Quality); break;
        case TExtractFormat::Png: SavePngFile(frame, file, kPngFastLevel); break;
        case TExtractFormat::Gif: {
            TZGIFImage gif;
            gif.AddFrame(frame);
            gif.SaveToFile(file);
            break;
        }
        case TExtractFormat::Bmp: SaveBmpFile(frame, file); break;
        }
        progress.SetProgress(int(i));
    }
    return true;
}
