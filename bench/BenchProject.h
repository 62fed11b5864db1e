#pragma once
// A sizeable project for the benchmarks: a 100-frame 640 x 480 background GIF
// (its composites made as on opening), the same frames as the rendered
// animation, and 20 figures of every kind, each in its own cell of a 5 x 4
// grid, with a bold outline and its own fill colour, moving down and right
// between a key frame at the first frame and one at the last. Fill() takes
// another length of the project (the figures' frames) and of its background
// GIF; past the GIF's end the frames show the background colour.
#include "drawobjects/Pic.h"
#include "drawobjects/SolidWithText.h"
#include "drawobjects/TextBezier.h"
#include "gif/ZGIFImage.h"
#include "model/Document.h"
#include "model/FigureFactory.h"
#include "model/GIFComposites.h"
#include "model/ProjectFile.h"
#include "platform/Canvas.h"
#include "platform/Progress.h"

#include <QString>
#include <sys/resource.h>

namespace bench {

constexpr int kProjectFrames = 100;
constexpr int kProjectFigures = 20;
constexpr int kProjectWidth = 640;
constexpr int kProjectHeight = 480;

// Horizontal colour bands with a red disc crossing the frame.
inline TZGIFImage MakeBackground(int frames)
{
    TZGIFImage gif;
    for (int i = 0; i < frames; ++i) {
        TBitmap bitmap(kProjectWidth, kProjectHeight);
        TCanvas canvas(bitmap);
        for (int band = 0; band < 16; ++band) {
            canvas.Brush.Color = RGB(uint8_t(band * 16), uint8_t(255 - band * 12), uint8_t((i * 5 + band * 9) % 256));
            canvas.FillRect(TRect{0, band * 30, kProjectWidth, band * 30 + 30});
        }
        canvas.Brush.Color = clRed;
        canvas.Ellipse(i * 5, 100, i * 5 + 80, 180);
        const int index = gif.AddFrame(bitmap);
        gif.Frames(index).SetAnimateInterval(40);
    }
    return gif;
}

// A checked picture for the picture figure.
inline TBitmap MakePicture(int width, int height)
{
    TBitmap bitmap(width, height);
    TCanvas canvas(bitmap);
    for (int y = 0; y < height; y += 10)
        for (int x = 0; x < width; x += 10) {
            canvas.Brush.Color = (x / 10 + y / 10) % 2 ? clBlue : clYellow;
            canvas.FillRect(TRect{x, y, x + 10, y + 10});
        }
    return bitmap;
}

struct TBenchProject {
    TDocument Doc;
    TZGIFImage Animation;
    THeadlessProgress Progress;
    TProjectFile File{Doc, Animation, Progress};

    void Fill(int frames = kProjectFrames, int gifFrames = kProjectFrames)
    {
        Doc.ClearProject();
        Doc.Animation.BackGIF = MakeBackground(gifFrames);
        Doc.BackNum = AddBMPArr(Doc, Doc.Animation.BackGIF, Progress);
        Animation = Doc.Animation.BackGIF;
        Doc.ImgWidth = kProjectWidth;
        Doc.ImgHeight = kProjectHeight;
        // Saturated fills around the colour wheel, dark outlines.
        const TColor fills[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, RGB(255, 128, 0), RGB(128, 0, 255)};
        for (int n = 0; n < kProjectFigures; ++n) {
            const auto kind = TQFigName(n % kFigNameCount == qfArc ? qfRectangle : n % kFigNameCount);
            auto obj = CreateDrawObject(kind);
            obj->Left = 20 + n % 5 * 125;
            obj->Top = 15 + n / 5 * 118;
            obj->SetWidth(70);
            obj->SetHeight(60);
            obj->Resize();
            obj->Color = fills[n % std::size(fills)];
            obj->Pen().Color = clBlack;
            obj->Pen().Width = 3;
            obj->Font.Size = 12;
            if (auto* text = dynamic_cast<TSolidWithText*>(obj.get()))
                text->SetStrings({QStringLiteral("Z%1").arg(n)});
            if (auto* textBezier = dynamic_cast<TTextBezier*>(obj.get()))
                textBezier->SetText(QStringLiteral("Zembra"));
            if (auto* pic = dynamic_cast<TPic*>(obj.get())) {
                pic->Picture() = MakePicture(70, 60);
                pic->Modify = true;
            }
            const int num = Doc.NewFigure(kind, std::move(obj), 0);
            Doc.Animation.Figures[size_t(num)].Count = frames;
            Doc.StoreNewFigure(num);
            Doc.CurIndex = frames - 1;
            Doc.GetFig(num);
            Doc.Animation.Figures[size_t(num)].Obj->Left += 40;
            Doc.Animation.Figures[size_t(num)].Obj->Top += 40;
            Doc.SetFig(num);
            Doc.CurIndex = 0;
        }
        Doc.OldFrame = 0;
        Doc.GetAnim();
    }
};

// The process's peak resident memory so far, in MiB.
inline double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

} // namespace bench
