#include "tools/GIFFromImages.h"

#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/PicSize.h"
#include "platform/ImageFiles.h"
#include "tools/ImageList.h"

#include <algorithm>

void TGIFFromImages::DrawFrame(TBitmap& frame, const TBitmap& picture, int width, int height, TColor backColor)
{
    TEditorCore::FillBitmap(frame, backColor, width, height);
    const TSize fit = GetPicSize(width, height, picture.Width(), picture.Height());
    frame.Canvas().StretchDraw(TRect(0, 0, fit.cx, fit.cy), picture);
}

void TGIFFromImages::RestoreBack(bool hadBack, const TZGIFImage& kept)
{
    TZGIFImage& back = Core.Doc.Animation.BackGIF;
    if (hadBack)
        back.Assign(kept);
    else
        back.Clear();
}

void TGIFFromImages::CreateGIF(const QStringList& files, int delay)
{
    TProgress& progress = Core.Progress();
    TZGIFImage& back = Core.Doc.Animation.BackGIF;
    Core.Doc.RedrawEnabled = true;
    progress.SetShowApply(true);

    const bool hadBack = Core.Doc.BackNum >= 0;
    TZGIFImage kept;
    if (hadBack) {
        kept.Assign(back);
        Page.DeleteBack();
    }

    const auto interval = uint16_t(std::clamp(delay, 0, int(kMaxFrameDuration)));
    progress.ApplyStart(int(files.size()), Msg.QCreatingGIF);
    try {
        TBitmap frame;
        int width = -1;
        int height = -1;
        for (int i = 0; i < files.size() && progress.IsApply(); ++i) {
            const QString& file = files[i];
            if (!IsExtension(file))
                continue;
            const TBitmap picture = LoadImageFile(file);
            if (width < 0) {
                width = picture.Width();
                height = picture.Height();
            }
            DrawFrame(frame, picture, width, height, Core.Doc.Animation.BackColor);
            const int index = back.AddFrame(frame);
            back.Frames(index).SetAnimateInterval(interval);
            progress.SetProgress(i);
        }
    } catch (...) {
        // Nothing half-made stays: the earlier background comes back.
        progress.Close();
        progress.SetApply(false);
        RestoreBack(hadBack, kept);
        if (hadBack)
            Page.LoadBackGIF(Msg.QOld + QStringLiteral(" "));
        progress.SetShowApply(false);
        throw;
    }

    QString caption = Msg.QNew + QStringLiteral(" ");
    if (!progress.IsApply()) {
        RestoreBack(hadBack, kept);
        if (hadBack)
            caption = Msg.QOld + QStringLiteral(" ");
    }
    progress.Close();
    progress.SetApply(false);
    if (back.Count() > 0)
        Page.LoadBackGIF(caption);
    progress.SetShowApply(false);
}
