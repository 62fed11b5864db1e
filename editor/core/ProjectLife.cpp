// TProjectLife: new, open, save, save as, the save question and the caption.
#include "editor/core/ProjectLife.h"

#include "editor/core/Caption.h"
#include "platform/FileChoice.h"
#include "model/ProjectFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
const QString ProjectFilter = QStringLiteral("Projects (*.zembra)|*.zembra|All Files (*.*)|*.*");
} // namespace

TProjectLife::TProjectLife(TEditorCore& core, TOptionsPage& page) : Core(core), Page(page) {}

void TProjectLife::Shown()
{
    if (ProjectShown)
        ProjectShown();
    if (Core.Hooks.Caption)
        Core.Hooks.Caption();
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
}

TFileDialogRequest TProjectLife::ProjectRequest() const
{
    TFileDialogRequest request;
    request.Filter = ProjectFilter;
    if (!ZembraDir.isEmpty() && QDir(ZembraDir).exists())
        request.InitialDir = ZembraDir;
    return request;
}

QString TProjectLife::Caption() const
{
    return MainCaption(Core.Doc.ProjFile, Core.Animation().Count(), Core.Msg.QFrames1, Core.Gesture().CapX, Core.Gesture().CapY);
}

void TProjectLife::ClearProject()
{
    Core.ClearProject();
    Page.Clear();
    Page.SaveGIFParam();
    Core.Doc.IsModify = false;
    Core.Doc.ProjFile.clear();
    if (ProjectCleared)
        ProjectCleared();
    Shown();
}

void TProjectLife::NewProject()
{
    ClearProject();
    Core.AddFrames(0);
    Core.Doc.OldFrame = 0;
    Core.Doc.IsFrOper = false;
    Core.Doc.IsModify = false;
    Core.History().Clear();
    Shown();
}

void TProjectLife::ApplyOptions()
{
    // Values the controls cannot show are brought into their ranges.
    TProjectOptions& o = Core.Doc.Options;
    o.BackShapeColor &= 0xFFFFFF;
    o.FrameDelay = std::clamp(int(o.FrameDelay), 10, 1000000);
    o.RepeatCount = std::clamp(int(o.RepeatCount), 1, 1000);
    o.CurrentFrameDelay = std::clamp(int(o.CurrentFrameDelay), 10, 1000000);
    Page.BackWidth = std::clamp(Core.Doc.ImgWidth, 1, 10000);
    Page.BackHeight = std::clamp(Core.Doc.ImgHeight, 1, 10000);
    Page.SetProp();

    const TQAnimation& project = Core.Doc.Animation;
    if (project.BackGIF.Count() > 0) {
        Page.GIFDimensions = TOptionsPage::Dimensions(project.BackGIF.ScreenWidth(), project.BackGIF.ScreenHeight());
        Page.BackFramesCount = QString::number(project.BackGIF.Count()) + QStringLiteral(" ") + Core.Msg.QFrames1;
        Page.DrawGIFPreview();
    }
    Page.PicturePreview = project.IsBackBMP;
    if (project.IsBackBMP)
        Page.PictureDimensions = TOptionsPage::Dimensions(project.BackBMP.Width(), project.BackBMP.Height());
    // The loop settings and transparency go to the animation read with the project.
    Core.Animation().SetTransparent(Core.Doc.Options.BackTransparent);
    Core.SetLoop(Core.Doc.Options.InfiniteLoop);
    if (Page.Changed)
        Page.Changed();
}

bool TProjectLife::ReadProject(const QString& path)
{
    TProjectFile file(Core.Doc, Core.Animation(), Core.Progress());
    file.DrawObjLoaded = [this](TDrawObject& obj) {
        obj.SetOwner(&Core);
        obj.SetCanFocus(true);
    };
    const bool ok = file.Read(path);
    Core.SetStoredView(file.View); // what was read, also of a project that failed
    Core.Progress().SetApply(false);
    if (!ok)
        return false;
    // The background's rectangles first: the page's preview is drawn into them.
    Core.SetRectangles();
    ApplyOptions();
    // The canvas takes the frame size read; the editor view shows the first frame.
    Core.CanvasTakesFrameSize();
    Core.EditFrame();
    Core.Doc.RedrawEnabled = false; // the animation comes from the project's files
    return true;
}

bool TProjectLife::WriteProject(const QString& path)
{
    TProjectFile file(Core.Doc, Core.Animation(), Core.Progress());
    file.View = Core.StoredView();
    const bool ok = file.Write(path);
    fSaveNotice = file.Notice();
    Core.Progress().SetApply(false);
    return ok;
}

QString TProjectLife::NotSavedMessage(const QString& text) const
{
    return fSaveNotice.isEmpty() ? text : text + QStringLiteral("\r\n") + fSaveNotice;
}

bool TProjectLife::OpenProject(const QString& path)
{
    if (!ReadProject(path))
        return false;
    Core.Doc.IsProject = true;
    Core.Doc.SetModify(false);
    Core.History().Clear();
    Core.Doc.ProjFile = QFileInfo(path).absoluteFilePath();
    Page.SaveGIFParam();
    Shown();
    return true;
}

bool TProjectLife::SavePrompt()
{
    if (!Core.Doc.IsModify)
        return true;
    if (!Core.Dialogs.AskYesNo(Core.Msg.QSaveChanges))
        return true;
    return SaveActExecute();
}

bool TProjectLife::SaveActExecute()
{
    Core.ConfirmRedraw();
    Core.DrawOld();
    // The redraw question was asked above: "Save Project As" does not ask it again.
    if (Core.Doc.ProjFile.isEmpty())
        return SaveAs(std::nullopt);
    const bool ok = WriteProject(Core.Doc.ProjFile);
    if (ok) {
        Core.Doc.IsModify = false;
        Core.History().SetClean();
    } else
        Core.Dialogs.ShowMessage(NotSavedMessage(Core.Msg.QNotSaved));
    if (Core.Hooks.CommandStates)
        Core.Hooks.CommandStates();
    return ok;
}

bool TProjectLife::SaveAsProjectButtonClick(const std::optional<QString>& fileName)
{
    Core.ConfirmRedraw();
    Core.DrawOld();
    return SaveAs(fileName);
}

bool TProjectLife::SaveAs(const std::optional<QString>& fileName)
{
    TFileDialogRequest request = ProjectRequest();
    request.DefaultExt = QStringLiteral("zembra");
    request.OverwritePrompt = true;
    const auto chosen = SaveFileName(Core.Dialogs, fileName, request);
    if (!chosen)
        return false;
    const QString& file = *chosen;
    if (!WriteProject(file)) {
        Core.Dialogs.ShowMessage(NotSavedMessage(Core.Msg.QPrNotSaved));
        return false;
    }
    Core.Doc.IsModify = false;
    Core.History().SetClean();
    Core.Doc.ProjFile = QFileInfo(file).absoluteFilePath();
    Shown();
    return true;
}

void TProjectLife::NewProjectButtonClick()
{
    // Work the user chose to save but that was not saved is not thrown away.
    if (!SavePrompt())
        return;
    NewProject();
}

void TProjectLife::OpenProjectButtonClick(const std::optional<QString>& fileName)
{
    if (!SavePrompt())
        return;
    TFileDialogRequest request = ProjectRequest();
    request.MustExist = true;
    const auto chosen = OpenFileName(Core.Dialogs, fileName, request);
    if (!chosen)
        return;
    const QString& file = *chosen;
    // The open project is dropped only for one that reads; a file that does
    // not open leaves it as it was.
    if (!CanRead(file)) {
        Core.Dialogs.ShowMessage(NotOpenMessage(file));
        return;
    }
    ClearProject();
    if (!OpenProject(file)) {
        NewProject();
        Core.Dialogs.ShowMessage(NotOpenMessage(file));
    }
}

bool TProjectLife::CanRead(const QString& path)
{
    TDocument scratch;
    TZGIFImage animation;
    TProjectFile file(scratch, animation, Core.Progress());
    file.DrawObjLoaded = [](TDrawObject&) {};
    const bool ok = file.Read(path);
    Core.Progress().SetApply(false);
    return ok;
}

QString TProjectLife::NotOpenMessage(const QString& path) const
{
    return Core.Msg.QPrNotOpen + QLatin1Char('\n') + QDir::toNativeSeparators(path);
}

bool TProjectLife::CloseQuery()
{
    Core.DrawOld();
    return SavePrompt();
}

bool TProjectLife::OpenAtStart(const QString& commandLineProject, const QString& lastProject)
{
    ClearProject();
    // A project named on the command line stands for the last one: when it
    // does not open, a new project is made instead.
    const bool named = !commandLineProject.isEmpty() && QFileInfo(commandLineProject).isFile();
    const QString& path = named ? commandLineProject : lastProject;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        if (OpenProject(path))
            return true;
        ClearProject(); // what was read of a failed project goes
    }
    NewProject();
    return false;
}
