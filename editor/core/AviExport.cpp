#include "editor/core/AviExport.h"

#include "editor/core/EditorCore.h"
#include "model/ProjectOptions.h"
#include "platform/BitmapSection.h"
#include "platform/Canvas.h"

#include <QFile>
#include <QFileInfo>
#include <exception>

TAviExportSettings TAviExportSettings::FromOptions(const TProjectOptions& o)
{
    TAviExportSettings s;
    s.FileName = o.AviFile;
    s.FrameTime = o.AviFrameTime;
    s.Quality = o.AviQuality;
    s.PixelFormatIndex = o.AviPixelFormat;
    s.CompressorIndex = o.AviCompressor;
    return s;
}

int32_t AviPixelFormatOf(int pixelFormatIndex)
{
    switch (pixelFormatIndex) {
    case 0:
        return 3; // pf8bit
    case 2:
        return 7; // pf32bit
    default:
        return 6; // pf24bit
    }
}

QString AviTempFileName(const QString& fileName)
{
    const QFileInfo info(fileName);
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    return fileName.left(slash + 1) + QStringLiteral("AWTemp") + info.fileName();
}

namespace {

// Closes the video a cancel left open and removes its unfinished file. The
// control releases an unfinished video when asked to write it, and says that
// it was not finalised.
void DiscardVideo(TAviWriterControl& avi, const QString& fileName)
{
    try {
        avi.WriteAvi();
    } catch (const std::exception&) {
    }
    QFile::remove(fileName);
}

} // namespace

TAviExportResult ExportAvi(TEditorCore& core, TAviWriterControl& avi, const TAviExportSettings& settings,
                           const TToAVIMessages& msg)
{
    avi.Setfilename(settings.FileName);
    const QString fileName = avi.filename();
    if (fileName.trimmed().isEmpty())
        return TAviExportResult::NoFileName;
    avi.SetTempFileName(AviTempFileName(fileName));
    avi.SetAWidth(core.ImgWidth());
    avi.SetAHeight(core.ImgHeight());
    avi.SetFrameTime(settings.FrameTime);
    avi.SetCompressionQuality(settings.Quality);

    // The pixel format, the compressor list for the frame size just set, and
    // the compressor.
    avi.SetPixelFormat(AviPixelFormatOf(settings.PixelFormatIndex));
    avi.Compressorlist();
    if (!settings.Compressor.isEmpty()) {
        avi.SetCompression(settings.Compressor);
    } else {
        const int count = avi.AVIGetCount();
        const int index = settings.CompressorIndex >= 0 && settings.CompressorIndex < count ? settings.CompressorIndex : 0;
        avi.SetCompression(avi.AVIGetCode(index));
    }

    avi.SetWavFileName(QString());
    avi.SetStretch(true);
    avi.SetOnTheFlyCompression(true);
    for (const auto& [wave, delay] : settings.Waves)
        avi.AddWaveFile(wave, delay);

    TProgress& progress = core.Progress();
    TZGIFImage& animation = core.Animation();
    const int count = animation.Count();
    const TColor back = ColorToRGB(core.Doc.Options.BackShapeColor);
    progress.ApplyStart(count, msg.QSavingAVI);
    bool started = false;
    try {
        for (int i = 0; i < count && progress.IsApply(); ++i) {
            if (i == 0) {
                started = true;
                const TBitmap empty;
                const TBitmapSection section(empty);
                avi.InitVideo(section.Handle());
            }
            TBitmap source;
            animation.Frames(i).AssignTo(source);
            TBitmap frame(source.Width(), source.Height(), TPixelFormat::pf24bit);
            frame.Canvas().Brush.Color = back;
            frame.Canvas().Brush.Style = TBrushStyle::bsSolid;
            frame.Canvas().FillRect(TRect(0, 0, frame.Width(), frame.Height()));
            frame.Canvas().Draw(0, 0, source); // transparent pixels let the background show
            {
                const TBitmapSection section(frame);
                avi.AddFrame(section.Handle());
            }
            progress.SetProgress(i);
        }
    } catch (...) {
        progress.Close();
        progress.SetApply(false);
        throw;
    }
    const bool cancelled = !progress.IsApply();
    progress.Close();
    progress.SetApply(false);
    if (cancelled) {
        if (started)
            DiscardVideo(avi, fileName);
        return TAviExportResult::Cancelled;
    }
    avi.FinalizeVideo();
    avi.WriteAvi();
    return TAviExportResult::Written;
}
