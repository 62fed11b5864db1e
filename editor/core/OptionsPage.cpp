// TOptionsPage: background GIF and picture, colour, frame size, loop and
// durations, and the GIF and frame output of the "Options" page.
#include "editor/core/OptionsPage.h"

#include "platform/FileChoice.h"

#include "editor/core/PicSize.h"
#include "gif/ZGIFImage.h"
#include "gif/ZGIFImageSource.h"
#include "platform/ImageFiles.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

const QString GIFFilter = QStringLiteral("GIF (*.gif)|*.gif|All Files (*.*)|*.*");
const QString PictureFilter = QStringLiteral(
    "Graphic Files (*.jpg; *.jpeg; *.png; *.bmp)|*.jpg;*.jpeg;*.png;*.bmp|JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|"
    "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|All Files (*.*)|*.*");
const QString FrameFilter = QStringLiteral("GIF (*.gif)|*.gif|JPEG (*.jpg)|*.jpg|PNG (*.png)|*.png|BMP (*.bmp)|*.bmp");

constexpr int MinSide = 1;
constexpr int MaxSide = 10000;
constexpr int MinDelay = 10;
constexpr int MaxDelay = 1000000;

int ClampSide(long double value)
{
    return int(std::clamp<long double>(std::nearbyint(value), MinSide, MaxSide));
}

QString Extension(const QString& fileName)
{
    return QFileInfo(fileName).suffix().toUpper();
}

} // namespace

TOptionsPage::TOptionsPage(TEditorCore& core) : Core(core) {}

QString TOptionsPage::Dimensions(int width, int height)
{
    return QString::number(width) + QStringLiteral(" x ") + QString::number(height);
}

void TOptionsPage::Notify() const
{
    if (Changed)
        Changed();
}

void TOptionsPage::Clear()
{
    // The project's settings were reset with the document.
    BackWidth = BackHeight = 200;
    PropWidth = PropHeight = 200;
    GIFDimensions.clear();
    BackFramesCount.clear();
    PictureDimensions.clear();
    GIFPreview = TBitmap();
    PicturePreview = false;
    IsParam = true;
    IsFramePanel = true;
    Notify();
}

// --- Background GIF -----------------------------------------------------------

void TOptionsPage::DelBackNum()
{
    if (Core.Doc.BackNum >= 0) {
        Core.DelBMPArr(Core.Doc.BackNum);
        Core.Doc.BackNum = -1;
    }
}

void TOptionsPage::LowerCompositeIndexes(int removed)
{
    for (TQFigure& fig : Core.Doc.Animation.Figures)
        for (TQFrame& frame : fig.Frames)
            for (TQPropValue& value : frame.Change)
                if (value.Name == qpBitmap && value.IsGIF && value.FNum > removed)
                    --value.FNum;
}

void TOptionsPage::DelBackGIF()
{
    const int removed = Core.Doc.BackNum;
    if (removed < 0)
        return;
    Core.EditFrame();
    DelBackNum();
    LowerCompositeIndexes(removed);
    Core.GetAnim();
    GIFDimensions.clear();
    BackFramesCount.clear();
    Notify();
}

void TOptionsPage::DeleteBack()
{
    DelBackGIF();
    Core.Doc.Animation.BackGIF.Clear();
    Core.Doc.Options.InfiniteLoop = true;
    Core.SetLoop(true);
    GIFPreview = TBitmap();
    Notify();
}

void TOptionsPage::EndWithoutBackGIF(bool modified)
{
    DelBackNum();
    Core.Doc.Animation.BackGIF.Clear();
    GIFPreview = TBitmap();
    GIFDimensions.clear();
    BackFramesCount.clear();
    Core.Doc.IsModify = modified;
    Notify();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

void TOptionsPage::GIFOpenButtonClick(const std::optional<QString>& fileName)
{
    TEditScope edit(Core.History(), QStringLiteral("Background GIF"));
    TFileDialogRequest request;
    request.Filter = GIFFilter;
    request.MustExist = true;
    const auto chosen = OpenFileName(Core.Dialogs, fileName, request);
    if (!chosen)
        return;
    const QString& file = *chosen;

    // A file that does not decode leaves everything as it was (the caller
    // shows the error).
    TZGIFImage loaded;
    loaded.LoadFromFile(file);

    Core.Doc.RedrawEnabled = true;
    TQAnimation& project = Core.Doc.Animation;
    const TZGIFImage old = project.BackGIF;
    project.BackGIF = loaded;
    const bool modified = Core.Doc.IsModify;
    Core.Doc.IsModify = true;

    if (project.BackGIF.Count() == 0) {
        // A GIF without frames: no background GIF (and none of the old one's
        // composites left behind).
        DelBackGIF();
        EndWithoutBackGIF(true);
        return;
    }

    DelBackGIF();
    SaveGIFParam();
    Core.Progress().ApplyStart(project.BackGIF.Count(), Core.Msg.QLoadNew);
    Core.Doc.BackNum = Core.AddBMPArr(project.BackGIF);
    Core.Progress().Close();

    if (!Core.Progress().IsApply()) {
        DelBackNum();
        if (old.Count() == 0) {
            EndWithoutBackGIF(modified);
            return;
        }
        project.BackGIF = old;
        DelBackNum();
        Core.Progress().ApplyStart(old.Count(), Core.Msg.QLoadOld);
        Core.Doc.BackNum = Core.AddBMPArr(project.BackGIF);
        Core.Progress().Close();
        if (!Core.Progress().IsApply()) {
            EndWithoutBackGIF(modified);
            return;
        }
    }
    Core.Progress().SetApply(false);

    if (Core.Doc.BackNum == -1) {
        Core.Dialogs.ShowMessage(Core.Msg.QGIFwont);
        return;
    }
    OpenEnd();
}

void TOptionsPage::OpenEnd()
{
    TQAnimation& project = Core.Doc.Animation;
    TZGIFImage& gif = project.BackGIF;
    IsParam = false;
    Core.Doc.Options.BackTransparent = gif.Transparent();
    IsParam = true;
    // A GIF without a transparent colour keeps the background colour.
    const TColor key = gif.TransparentColor();
    if (key != clNone) {
        project.BackColor = key & 0xFFFFFF;
        Core.Doc.Options.BackShapeColor = project.BackColor;
    }
    InfinityCheckClick(gif.Looping());
    Core.Doc.Options.RepeatCount = std::clamp(int(gif.RepeatCount()), 1, 1000);
    Core.SetLoop(Core.Doc.Options.InfiniteLoop);

    Core.Doc.ImgWidth = std::clamp(gif.ScreenWidth(), MinSide, MaxSide);
    Core.Doc.ImgHeight = std::clamp(gif.ScreenHeight(), MinSide, MaxSide);
    Core.CanvasTakesFrameSize();
    GIFDimensions = Dimensions(gif.ScreenWidth(), gif.ScreenHeight());
    SetWH();
    SetProp();
    Core.SetRectangles();
    BackFramesCount = QString::number(gif.Count()) + QStringLiteral(" ") + Core.Msg.QFrames1;
    PreviewEnd();
    Notify(); // the page shows the new background before the redraw question
    Core.ConfirmRedraw();
    Core.SetFrameIndex(0);
    Notify();
}

void TOptionsPage::LoadBackGIF(const QString& title)
{
    TEditScope edit(Core.History(), QStringLiteral("Background GIF"));
    TQAnimation& project = Core.Doc.Animation;
    Core.Progress().ApplyStart(project.BackGIF.Count(),
                             Core.Msg.QLoading + QStringLiteral(" ") + title + Core.Msg.QFrames);
    Core.Doc.BackNum = Core.AddBMPArr(project.BackGIF);
    Core.Progress().Close();
    Core.Progress().SetApply(false);
    if (Core.Doc.BackNum == -1) {
        Core.Dialogs.ShowMessage(Core.Msg.QGIFNot);
        return;
    }

    Core.SetFrameIndex(0);
    Core.Doc.SetModify(true);
    if (project.BackGIF.Count() > 0) {
        Core.Doc.ImgWidth = std::clamp(project.BackGIF.ScreenWidth(), MinSide, MaxSide);
        Core.Doc.ImgHeight = std::clamp(project.BackGIF.ScreenHeight(), MinSide, MaxSide);
        SetWH();
        Core.CanvasTakesFrameSize();
        GIFDimensions = Dimensions(project.BackGIF.ScreenWidth(), project.BackGIF.ScreenHeight());
        BackFramesCount = QString::number(project.BackGIF.Count()) + QStringLiteral(" ") + Core.Msg.QFrames1;
        Core.SetRectangles();
        // The preview is drawn into the rectangles of the new frame size.
        DrawGIFPreview();
        Core.EditFrame();
    }
    Core.Doc.RedrawEnabled = true;
    Notify();
    if (Core.Hooks.Caption)
        Core.Hooks.Caption();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
    Core.ConfirmRedraw();
    if (Core.Hooks.AnimationChanged)
        Core.Hooks.AnimationChanged();
}

void TOptionsPage::GIFDeleteButtonClick()
{
    TEditScope edit(Core.History(), QStringLiteral("Delete Background GIF"));
    Core.Doc.RedrawEnabled = true;
    Core.Doc.Animation.BackGIF.Clear();
    DelBackGIF();
    GIFPreview = TBitmap();
    Core.EditFrame();
    Core.Doc.SetModify(true);
    Notify();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

// --- Background picture and colour ---------------------------------------------

void TOptionsPage::PictureOpenButtonClick(const std::optional<QString>& fileName)
{
    TEditScope edit(Core.History(), QStringLiteral("Background Picture"));
    TFileDialogRequest request;
    request.Filter = PictureFilter;
    request.MustExist = true;
    const auto chosen = OpenFileName(Core.Dialogs, fileName, request);
    if (!chosen)
        return;
    const QString& file = *chosen;
    const QString ext = Extension(file);
    if (ext != QStringLiteral("BMP") && ext != QStringLiteral("JPG") && ext != QStringLiteral("JPEG")
        && ext != QStringLiteral("PNG")) {
        Core.Dialogs.ShowMessage(Core.Msg.QBadFormat);
        return;
    }
    // Decoding errors propagate with the codec's message; nothing has changed then.
    TBitmap picture = LoadImageFile(file);

    TQAnimation& project = Core.Doc.Animation;
    project.BackBMP = std::move(picture);
    Core.Doc.RedrawEnabled = true;
    if (!IsBackGIF()) {
        Core.Doc.ImgWidth = std::clamp(project.BackBMP.Width(), MinSide, MaxSide);
        Core.Doc.ImgHeight = std::clamp(project.BackBMP.Height(), MinSide, MaxSide);
        Core.CanvasTakesFrameSize();
        SetWH();
        IsParam = false;
        Core.Doc.Options.BackTransparent = project.BackBMP.Transparent();
        IsParam = true;
        project.BackColor = project.BackBMP.TransparentColor() & 0xFFFFFF;
        Core.Doc.Options.BackShapeColor = project.BackColor;
        SetProp();
    }
    project.IsBackBMP = true;
    Core.SetRectangles();
    PicturePreview = true;
    PictureDimensions = Dimensions(project.BackBMP.Width(), project.BackBMP.Height());
    Core.EditFrame();
    Core.Doc.SetModify(true);
    Notify();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

void TOptionsPage::PictureDeleteButtonClick()
{
    TEditScope edit(Core.History(), QStringLiteral("Delete Background Picture"));
    Core.Doc.RedrawEnabled = true;
    Core.Doc.Animation.IsBackBMP = false;
    PicturePreview = false;
    PictureDimensions.clear();
    Core.EditFrame();
    Core.Doc.SetModify(true);
    Notify();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

void TOptionsPage::BackColorButtonClick()
{
    TEditScope edit(Core.History(), QStringLiteral("Background Color"));
    Core.Doc.RedrawEnabled = true;
    const auto& palette = HalftonePalette();
    const TColor old = Core.Doc.Animation.BackColor;
    if (const auto chosen = Core.Dialogs.ChooseColor(palette, old)) {
        Core.Doc.Animation.BackColor = *chosen & 0xFFFFFF;
        Core.Doc.Options.BackShapeColor = Core.Doc.Animation.BackColor;
        if (Core.Doc.Animation.BackColor != old) {
            Core.Doc.DeleteChangesEnabled = true;
            Core.Doc.SetModify(true);
        }
    }
    PreviewEnd();
    Notify();
}

// --- Frame size, transparency, loop, durations ---------------------------------

void TOptionsPage::BackWidthSpinExit(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Frame Width"));
    TDocument& doc = Core.Doc;
    ChangeFrameSide(value, BackWidth, doc.ImgWidth, PropWidth, BackHeight, doc.ImgHeight, PropHeight);
}

void TOptionsPage::BackHeightSpinExit(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Frame Height"));
    TDocument& doc = Core.Doc;
    ChangeFrameSide(value, BackHeight, doc.ImgHeight, PropHeight, BackWidth, doc.ImgWidth, PropWidth);
}

// One side of the frame size changed in its box; with "Maintain Aspect Ratio" the
// other side follows the reference ratio. Width and height share this with the roles swapped.
void TOptionsPage::ChangeFrameSide(int value, int& box, int& side, int& prop, int& otherBox, int& otherSide,
                                   int& otherProp)
{
    value = std::clamp(value, MinSide, MaxSide);
    box = value;
    if (value == side)
        return;
    TDocument& doc = Core.Doc;
    doc.RedrawEnabled = true;
    side = value;
    if (Core.Doc.Options.MaintainAspectRatio && prop != 0) {
        otherBox = ClampSide((long double)side / prop * otherProp);
        if (IsFramePanel)
            otherSide = otherBox;
    } else if (!Core.Doc.Options.MaintainAspectRatio) {
        prop = side;
    }
    Core.SetRectangles();
    if (IsFramePanel) {
        Core.CanvasTakesFrameSize();
        Core.EditFrame();
    }
    doc.SetModify(true);
    Notify();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

void TOptionsPage::ProportionalCheckClick(bool checked)
{
    TEditScope edit(Core.History(), QStringLiteral("Maintain Aspect Ratio"));
    Core.Doc.Options.MaintainAspectRatio = checked;
    SetProp();
    Core.Doc.IsModify = true;
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

void TOptionsPage::BackTransparentCheckClick(bool checked)
{
    TEditScope edit(Core.History(), QStringLiteral("Transparent"));
    Core.Doc.Options.BackTransparent = checked;
    if (!IsParam)
        return;
    Core.Doc.RedrawEnabled = true;
    PreviewModify();
    Core.EditFrame();
    Notify();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

void TOptionsPage::InfinityCheckClick(bool checked)
{
    TEditScope edit(Core.History(), QStringLiteral("Infinitely"));
    Core.Doc.RedrawEnabled = true;
    Core.Doc.Options.InfiniteLoop = checked;
    Core.SetLoop(checked);
    Core.Doc.IsModify = true;
    Notify();
}

void TOptionsPage::TimesSpinExit(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Repeat"));
    Core.Doc.RedrawEnabled = true;
    Core.Doc.Options.RepeatCount = std::clamp(value, 1, 1000);
    Core.SetLoop(Core.Doc.Options.InfiniteLoop);
    Core.Doc.SetModify(true);
    Notify();
}

void TOptionsPage::FrameDelaySpinExit(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Default Frame Duration"));
    Core.Doc.Options.FrameDelay = std::clamp(value, MinDelay, MaxDelay);
    Core.Doc.AnInt = Core.Doc.Options.FrameDelay;
    Core.Doc.SetModify(true);
    Notify();
}

void TOptionsPage::CurrentFrameDelaySpinExit(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Current Frame Duration"));
    Core.Doc.Options.CurrentFrameDelay = std::clamp(value, MinDelay, MaxDelay);
    TDocument& doc = Core.Doc;
    TZGIFImage& animation = Core.Animation();
    const int index = Core.FrameIndex();
    if (Core.IsChGoTo() && index >= 0 && index < animation.Count()) {
        Core.SetIsChDelay(true);
        // A frame holds 16 bits of milliseconds: longer durations are held at the longest.
        const auto duration = uint16_t(std::min(Core.Doc.Options.CurrentFrameDelay, 65535));
        TZGIFFrame& frame = animation.Frames(index);
        if (frame.AnimateInterval() != duration)
            doc.RedrawEnabled = true;
        frame.SetAnimateInterval(duration);
        if (Core.Hooks.AnimationChanged)
            Core.Hooks.AnimationChanged();
        Core.SetIsChDelay(false);
    }
    doc.IsModify = true;
    doc.IsFrOper = true;
    Notify();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

void TOptionsPage::SetCurrentDelay()
{
    const TZGIFImage& animation = Core.Animation();
    const int index = Core.FrameIndex();
    if (animation.Count() > 0 && index >= 0 && index < animation.Count()) {
        Core.Doc.Options.CurrentFrameDelay = std::max(MinDelay, int(animation.Frames(index).AnimateInterval()));
        Notify();
    }
}

void TOptionsPage::SaveGIFParam()
{
    GIFTransparent = Core.Doc.Options.BackTransparent;
    GIFLoop = Core.Doc.Options.InfiniteLoop;
    GIFWidth = BackWidth;
    GIFHeight = BackHeight;
    GIFRepeatCount = Core.Doc.Options.RepeatCount;
    GIFBackColor = Core.Doc.Options.BackShapeColor;
}

void TOptionsPage::LoadGIFParam()
{
    IsParam = false;
    Core.Doc.Options.BackTransparent = GIFTransparent;
    IsParam = true;
    Core.Doc.Options.InfiniteLoop = GIFLoop;
    BackWidth = GIFWidth;
    BackHeight = GIFHeight;
    Core.Doc.Options.RepeatCount = GIFRepeatCount;
    Core.SetLoop(Core.Doc.Options.InfiniteLoop);
    Core.Doc.Options.BackShapeColor = GIFBackColor;
    Core.Doc.Animation.BackColor = GIFBackColor;
    Core.EditFrame();
    Notify();
}

void TOptionsPage::SetWH()
{
    BackWidth = Core.Doc.ImgWidth;
    BackHeight = Core.Doc.ImgHeight;
    Notify();
}

void TOptionsPage::SetProp()
{
    PropWidth = Core.Doc.ImgWidth;
    PropHeight = Core.Doc.ImgHeight;
}

void TOptionsPage::SetSize(int width, int height)
{
    const TQAnimation& project = Core.Doc.Animation;
    if (project.BackGIF.Count() > 0) {
        width = project.BackGIF.ScreenWidth();
        height = project.BackGIF.ScreenHeight();
    } else if (project.IsBackBMP && !project.BackBMP.Empty()) {
        width = project.BackBMP.Width();
        height = project.BackBMP.Height();
    }
    BackWidth = std::clamp(width, MinSide, MaxSide);
    BackHeight = std::clamp(height, MinSide, MaxSide);
    Notify();
}

// --- Previews ---------------------------------------------------------------------

void TOptionsPage::DrawGIFPreview()
{
    const int back = Core.Doc.BackNum;
    if (back < 0 || back >= int(Core.Doc.BMPGIF.size()) || Core.Doc.BMPGIF[size_t(back)].empty())
        return;
    const TBitmap& first = Core.Doc.BMPGIF[size_t(back)].front();
    if (first.Empty())
        return;
    TEditorCore::FillBitmap(Core.BMP(), Core.Doc.Animation.BackColor, first.Width(), first.Height());
    Core.DrawGIFFrame(0);
    GIFPreview = Core.BMP();
}

void TOptionsPage::PreviewModify()
{
    DrawGIFPreview();
    Core.Doc.SetModify(true);
}

void TOptionsPage::PreviewEnd()
{
    // Callers mark the project modified themselves, and only for a change.
    DrawGIFPreview();
    if (Core.Animation().Count() > 0)
        Core.EditFrame();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

// --- Output -------------------------------------------------------------------------

void TOptionsPage::SaveGIFButtonClick(const std::optional<QString>& fileName)
{
    Core.ConfirmRedraw();
    TFileDialogRequest request;
    request.Filter = GIFFilter;
    request.DefaultExt = QStringLiteral("gif");
    request.OverwritePrompt = true;
    const auto chosen = SaveFileName(Core.Dialogs, fileName, request);
    if (!chosen)
        return;
    const QString& file = *chosen;
    Core.Progress().ApplyStart(100, Core.Msg.QSaveImage);
    Core.Progress().SetProgress(100);
    try {
        TGIFExportOptions options;
        options.Optimise = OptimiseGIF;
        ExportGIF(Core.Animation(), file, options);
    } catch (...) {
        Core.Progress().Close();
        Core.Progress().SetApply(false);
        throw;
    }
    Core.Progress().Close();
    Core.Progress().SetApply(false);
}

bool TOptionsPage::SaveFrame(const TBitmap& frame, const QString& fileName, int jpegQuality)
{
    const QString ext = Extension(fileName);
    if (ext == QStringLiteral("GIF")) {
        TZGIFImage gif;
        gif.AddFrame(frame);
        gif.SaveToFile(fileName);
    } else if (ext == QStringLiteral("JPG") || ext == QStringLiteral("JPEG")) {
        SaveJpegFile(frame, fileName, jpegQuality);
    } else if (ext == QStringLiteral("PNG")) {
        SavePngFile(frame, fileName);
    } else if (ext == QStringLiteral("BMP")) {
        SaveBmpFile(frame, fileName);
    } else {
        return false;
    }
    return true;
}

void TOptionsPage::SaveFrameButtonClick(const std::optional<QString>& fileName)
{
    TFileDialogRequest request;
    request.Filter = FrameFilter;
    request.DefaultExt = QStringLiteral("gif");
    request.DefaultExtByFilter = {QStringLiteral("gif"), QStringLiteral("jpg"), QStringLiteral("png"),
                                  QStringLiteral("bmp")};
    const auto chosen = SaveFileName(Core.Dialogs, fileName, request);
    if (!chosen)
        return;
    const QString& file = *chosen;
    TZGIFImage& animation = Core.Animation();
    const int index = Core.FrameIndex();
    if (index < 0 || index >= animation.Count())
        return;
    TBitmap frame;
    animation.Frames(index).AssignTo(frame);
    if (!SaveFrame(frame, file))
        Core.Dialogs.ShowMessage(Core.Msg.QBadFormat);
}
