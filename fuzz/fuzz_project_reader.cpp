// Feeds arbitrary bytes to the project reader as a ".zembra" file whose
// companion folder holds a few small pictures: every input must open as a
// whole project or fail, without faults and within bounded memory.
#include "gif/ZGIFImage.h"
#include "model/Document.h"
#include "model/ProjectFile.h"
#include "platform/Canvas.h"
#include "platform/ImageFiles.h"
#include "platform/Progress.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString gProject;

TBitmap Filled(int width, int height, TColor color)
{
    TBitmap bitmap(width, height);
    TCanvas canvas(bitmap);
    canvas.Brush.Color = color;
    canvas.FillRect(TRect{0, 0, width, height});
    return bitmap;
}

void MakeCompanionFolder(const QString& folder)
{
    QDir().mkpath(folder + "/Bitmap");
    QDir().mkpath(folder + "/GIF");
    QDir().mkpath(folder + "/Buffer/Bitmap");
    QDir().mkpath(folder + "/Buffer/GIF");
    TZGIFImage gif;
    gif.AddFrame(Filled(6, 5, clRed));
    gif.AddFrame(Filled(6, 5, clBlue));
    for (const char* name : {"/GIF/Image1.gif", "/GIF/Image2.gif", "/Buffer/GIF/Image1.gif", "/BackGIF.gif"})
        gif.SaveToFile(folder + name);
    for (const char* name : {"/Bitmap/Image1.bmp", "/Bitmap/Image2.bmp", "/Buffer/Bitmap/Image1.bmp"})
        SaveBmpFile(Filled(3, 4, clLime), folder + name);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    static QTemporaryDir dir;
    gProject = dir.path() + "/f.zembra";
    MakeCompanionFolder(dir.path() + "/fFiles");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        QFile file(gProject);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TDocument doc;
    TZGIFImage animation;
    THeadlessProgress progress;
    TProjectFile project(doc, animation, progress);
    doc.ClearProject();
    if (project.Read(gProject)) {
        // A project that opens is whole: one object per figure, valid composites.
        if (doc.DrawArr.size() != size_t(doc.FigureCount()))
            abort();
        if (doc.BackNum < -1 || doc.BackNum >= int(doc.BMPGIF.size()))
            abort();
    }
    return 0;
}
