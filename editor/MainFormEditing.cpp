// TMainForm: the pages wired to the editor core — the canvas, the fourteen
// figure buttons, stacking, the figure property pages, undo and redo, and the
// command states.
#include "editor/MainForm.h"

#include "editor/CanvasPage.h"
#include "editor/ImagePanel.h"
#include "editor/OptionsSheet.h"
#include "editor/PreviewPage.h"
#include "editor/PropertySheets.h"
#include "editor/StripPage.h"
#include "editor/TextMenu.h"
#include "editor/ZGIFAnimator.h"
#include "editor/core/CommandStates.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/PropertyPanels.h"

#include <QAction>
#include <QSpinBox>
#include <QTabWidget>
#include <initializer_list>

namespace {

// The figure kind of each editing-toolbar button, in toolbar order.
constexpr std::array<TQFigName, 14> FigureKinds{
    qfPoint, qfLine, qfLLine, qfZLine, qfBezier, qfRectangle, qfDiamond,
    qfEllipse, qfStar, qfPolygon, qfArrow, qfText, qfTextBezier, qfPicture,
};

} // namespace

TEditorCore& TMainForm::EditorCore() const
{
    return *Core;
}

const TDefaultParam& TMainForm::Defaults() const
{
    return Core->DefaultParam;
}

int TMainForm::AnimationFrameCount() const
{
    return Core ? Core->FrameCount() : 0;
}

void TMainForm::BuildEditorCore()
{
    // The editor core edits the preview control's animation.
    TZGIFAnimator& animator = PreviewPage->CreateAnimator();
    Core = std::make_unique<TEditorCore>(*Dialogs, Progress(), &animator.Core());

    TEditorHooks& hooks = Core->Hooks;
    hooks.Repaint = [this] { CanvasPage->Canvas()->SetPicture(Core->FramePanelBMP()); };
    hooks.CanvasSize = [this](int width, int height) { CanvasPage->SetCanvasSize(width, height); };
    hooks.FrameSize = [this](int width, int height) {
        Page->BackWidth = width;
        Page->BackHeight = height;
        ShowOptionsPage();
    };
    hooks.CommandStates = [this] { EnBut(); };
    hooks.History = [this] { ShowUndoState(); };
    // After an undo or redo every page shows the project again.
    Core->History().Restored.push_back([this] {
        Life->ApplyOptions();
        ShowOptionsPage();
        ObjEnCount();
    });
    hooks.SelectionChanged = [this] { ObjEnCount(); };
    hooks.FrameChanged = [this] {
        SetGoTo();
        SetCurrentDelay();
    };
    hooks.AnimationChanged = [this] {
        ResizeAnim();
        SetGoTo();
        Core->RedrawStrip();
    };
    hooks.Cursor = [this](TCanvasCursor cursor) { CanvasPage->SetCursor(cursor); };
    hooks.Caption = [this] { ShowCaption(); };
    hooks.RotationCentre = [this](int x, int y) { Sheets().ShowCentre(x, y); };

    CanvasPage->Wire(*Core, [this](const std::function<void()>& command) { GuardPointer(command); });
    connect(CanvasPage->Canvas(), &TImagePanel::MenuOpening, this, &TMainForm::EnBut);
    connect(StripPage->Frames(), &TImagePanel::MenuOpening, this, &TMainForm::EnBut);

    for (size_t i = 0; i < FigureActs.size(); ++i)
        connect(FigureActs[i], &QAction::triggered, this, [this, i] { Guard([this, i] { QNewFigure(FigureKinds[i]); }); });
    connect(BackAct, &QAction::triggered, this, [this] { Guard([this] { Core->BackButtonClick(); }); });
    connect(FrontAct, &QAction::triggered, this, [this] { Guard([this] { Core->FrontButtonClick(); }); });

    connect(UndoAct, &QAction::triggered, this, [this] { Guard([this] { Core->Undo(); }); });
    connect(RedoAct, &QAction::triggered, this, [this] { Guard([this] { Core->Redo(); }); });
    ShowUndoState();

    BuildPanelsWiring();
    BuildClipboardWiring();
    BuildPreviewWiring();
    BuildOptionsWiring();
    BuildStripWiring();
    BuildProjectWiring();
}

void TMainForm::QNewFigure(TQFigName kind)
{
    // The new figure may then be dragged out on the canvas; its button shows
    // pressed while it waits.
    Core->FigureButtonClick(kind);
}

void TMainForm::ObjEnCount()
{
    ObjEn(Core->QCount() == 1);
}

void TMainForm::EnBut()
{
    if (!Core)
        return;
    const TCommandStates s = CommandStates(*Core);
    auto enable = [](std::initializer_list<QAction*> actions, bool on) {
        for (QAction* act : actions)
            act->setEnabled(on);
    };
    enable({OpenGIFAct, SaveGIFAct, SaveAVIAct, ScreenRecordAct, ExtractFramesAct}, s.Frames);
    enable({BackAct, FrontAct}, s.FigureSelected);
    const std::optional<TQFigName> drawing = Core->DrawingKind();
    for (size_t i = 0; i < FigureActs.size(); ++i) {
        FigureActs[i]->setEnabled(s.Frames);
        FigureActs[i]->setCheckable(true);
        FigureActs[i]->setChecked(drawing == FigureKinds[i]);
    }
    enable({CopyFigureAct, CutFigureAct, DeleteFigureAct}, s.FigureSelected);
    enable({PasteFigureAct}, s.FigurePaste);
    EnPasteImage();
    enable({AddFrameAct}, s.AddFrame);
    enable({DeleteFrameAct, CopyFrameAct, CutFrameAct, DuplicateFrameAct, SaveFrameAct}, s.Frames);
    enable({PasteFrameAct}, s.FramePaste);
    enable({MoveLeftAct}, s.MoveLeft);
    enable({MoveRightAct}, s.MoveRight);
    enable({RedrawAct}, s.Redraw);
    enable({SaveAct}, s.SaveProject);
    OptionsSheet->ShowStates(s);
    StripPage->ShowStates(s);
    PreviewPage->ShowStates(s);
    // "Delete Changes": set by an edit, by a choice in "Frames with Changes",
    // and on each frame change for the key frame chosen there.
    if (Panels && !Panels->IsDefault)
        Sheets().ShowDeleteChanges(Core->Doc.DeleteChangesEnabled);
    ShowUndoState();
}

void TMainForm::ShowUndoState()
{
    const TUndoHistory& history = Core->History();
    const QString undo = history.CanUndo() ? history.UndoText() : QStringLiteral("Undo");
    const QString redo = history.CanRedo() ? history.RedoText() : QStringLiteral("Redo");
    UndoAct->setText(undo);
    UndoAct->setIconText(QStringLiteral("Undo")); // the toolbar button keeps its width
    UndoAct->setToolTip(undo + QStringLiteral(" (Ctrl+Z)"));
    UndoAct->setEnabled(history.CanUndo());
    RedoAct->setText(redo);
    RedoAct->setIconText(QStringLiteral("Redo"));
    RedoAct->setToolTip(redo + QStringLiteral(" (Ctrl+Shift+Z)"));
    RedoAct->setEnabled(history.CanRedo());
}

void TMainForm::BuildPanelsWiring()
{
    Panels = std::make_unique<TPropertyPanels>(*Core, Core->DefaultParam);
    TPropertySheets& sheets = Sheets();
    sheets.Wire(*Core, *Panels, [this](const std::function<void()>& command) { Guard(command); });
    sheets.Refill = [this](bool single) { ObjEn(single); };
    sheets.GoToFrame = [this](int frame) { GoToFrame(frame); };
    sheets.FramesChanged = [this] { SetGoTo(); };

    TextMenu = new TTextMenu(this, [this] { EnBut(); });
    TextMenu->Attach(sheets.Memo());

    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        const QString page = PageControl->tabText(index);
        if (page == QLatin1String("Editing") || page == QLatin1String("Options"))
            TabStop();
        if (page == QLatin1String("Options") && Page) {
            // "Maintain Aspect Ratio" keeps the present frame size.
            Page->PropWidth = Core->ImgWidth();
            Page->PropHeight = Core->ImgHeight();
        }
    });
}

void TMainForm::ObjEn(bool single)
{
    ParamAct->setEnabled(true);
    Sheets().ObjEn(single);
}

void TMainForm::TabStop()
{
    if (!IsStart)
        PreviewPage->Stop();
}
