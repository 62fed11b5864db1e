// TMainForm: the canvas and the editing toolbar wired to the editor core —
// pointer events, the fourteen figure buttons, stacking, the frame-size
// handle, command states and the figure panels' visibility.
#include "editor/MainForm.h"

#include "editor/ColorShape.h"
#include "editor/ImagePanel.h"
#include "editor/ZGIFAnimator.h"
#include "editor/core/CommandStates.h"
#include "editor/core/EditorCore.h"
#include "editor/core/PropertyPanels.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

namespace {

// The figure kind of each editing-toolbar button, in toolbar order.
constexpr std::array<TQFigName, 14> FigureKinds{
    qfPoint, qfLine, qfLLine, qfZLine, qfBezier, qfRectangle, qfDiamond,
    qfEllipse, qfStar, qfPolygon, qfArrow, qfText, qfTextBezier, qfPicture,
};

TShiftState ShiftOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons)
{
    TShiftState s = 0;
    if (keys & Qt::ShiftModifier)
        s |= ssShift;
    if (keys & Qt::AltModifier)
        s |= ssAlt;
    if (keys & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

TMouseButton ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return TMouseButton::mbRight;
    case Qt::MiddleButton:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

} // namespace

TEditorCore& TMainForm::EditorCore() const
{
    return *Core;
}

int TMainForm::AnimationFrameCount() const
{
    return Core ? Core->FrameCount() : 0;
}

void TMainForm::BuildEditorCore()
{
    // The preview control fills its black panel; the editor core edits its animation.
    GIFAnimator = new TZGIFAnimator(GIFAnimatorPanel);
    GIFAnimator->setObjectName(QStringLiteral("GIFAnimator"));
    GIFAnimator->SetStretch(true);
    GIFAnimator->SetAutoSize(false);
    GIFAnimator->move(0, 0);
    Core = std::make_unique<TEditorCore>(*Dialogs, Progress(), &GIFAnimator->Core());
    Core->Msg = Msg;

    TEditorHooks& hooks = Core->Hooks;
    hooks.Repaint = [this] { FramePanel->SetPicture(Core->FramePanelBMP); };
    hooks.CanvasSize = [this](int width, int height) { FramePanel->setFixedSize(width, height); };
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
    hooks.Cursor = [this](TCanvasCursor cursor) {
        switch (cursor) {
        case TCanvasCursor::Hand:
            FramePanel->setCursor(Qt::PointingHandCursor);
            break;
        case TCanvasCursor::SizeNWSE:
            FramePanel->setCursor(Qt::SizeFDiagCursor);
            break;
        case TCanvasCursor::Cross:
            FramePanel->setCursor(Qt::CrossCursor);
            break;
        }
    };
    hooks.Caption = [this] { ShowCaption(); };
    hooks.RotationCentre = [this](int x, int y) {
        const QSignalBlocker blockX(XSpin);
        const QSignalBlocker blockY(YSpin);
        XSpin->setValue(x);
        YSpin->setValue(y);
    };

    // The pointer handlers refresh nothing themselves: the core asks for it.
    connect(FramePanel, &TImagePanel::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                GuardPointer([&] { Core->FramePanelMouseDown(ButtonOf(button), ShiftOf(keys, button), x, y); });
            });
    connect(FramePanel, &TImagePanel::MouseMove, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int x, int y) {
                GuardPointer([&] { Core->FramePanelMouseMove(ShiftOf(keys, buttons), x, y); });
            });
    connect(FramePanel, &TImagePanel::MouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                GuardPointer([&] { Core->FramePanelMouseUp(ButtonOf(button), ShiftOf(keys, Qt::NoButton), x, y); });
            });
    connect(FramePanel, &TImagePanel::MenuOpening, this, &TMainForm::EnBut);
    connect(FramesImage, &TImagePanel::MenuOpening, this, &TMainForm::EnBut);

    for (size_t i = 0; i < FigureActs.size(); ++i)
        connect(FigureActs[i], &QAction::triggered, this, [this, i] { Guard([this, i] { QNewFigure(FigureKinds[i]); }); });
    connect(BackAct, &QAction::triggered, this, [this] { Guard([this] { Core->BackButtonClick(); }); });
    connect(FrontAct, &QAction::triggered, this, [this] { Guard([this] { Core->FrontButtonClick(); }); });
    connect(CenterButton, &QPushButton::clicked, this, [this] { Guard([this] { Core->CenterButtonClick(); }); });
    connect(StartFrameSpin, &QSpinBox::editingFinished, this, [this] { Guard([this] { StartFrameSpinExit(); }); });
    connect(FramesCountSpin, &QSpinBox::editingFinished, this, [this] { Guard([this] { StartFrameSpinExit(); }); });
    connect(AllFramesCheck, &QCheckBox::clicked, this, [this](bool on) {
        Guard([this, on] {
            TEditScope edit(Core->History(), QStringLiteral("In All Frames"));
            Core->Doc.AllFramesCheck(on);
            Core->GetAnim();
            Core->EditFrame();
        });
    });

    connect(UndoAct, &QAction::triggered, this, [this] { Guard([this] { Core->Undo(); }); });
    connect(RedoAct, &QAction::triggered, this, [this] { Guard([this] { Core->Redo(); }); });
    ShowUndoState();

    BuildPanelsWiring();
    BuildClipboardWiring();
    BuildPreviewWiring();
    BuildStripWiring();
    BuildOptionsWiring();
    BuildProjectWiring();
}

void TMainForm::QNewFigure(TQFigName kind)
{
    Core->DefaultParam = DefaultParam;
    Core->QNewFigure(kind);
}

void TMainForm::ObjEnCount()
{
    ObjEn(Core->QCount() == 1);
}

void TMainForm::StartFrameSpinExit()
{
    TEditScope edit(Core->History(), QStringLiteral("Start Frame"));
    const TStartCountChange change =
        Core->Doc.StartFrameSpinExit(StartFrameSpin->value(), FramesCountSpin->value(), Core->FrameCount());
    if (!change.Changed)
        return;
    // The animation grows by background frames or loses frames at its end.
    TZGIFImage& animation = Core->Animation();
    Core->FillApBMP();
    for (int i = 0; i < change.AddFrames; ++i) {
        const int added = animation.AddFrame(Core->ApBMP);
        animation.Frames(added).SetAnimateInterval(static_cast<uint16_t>(std::clamp(Core->Doc.AnInt, 0, 65535)));
    }
    for (int i = 0; i < change.DeleteFrames && animation.Count() > 1; ++i)
        animation.DeleteFrame(animation.Count() - 1);
    Core->GetAnim();
    Core->EditFrame();
    SetGoTo();
    Core->SetModifyTrue();
    EnBut();
}

void TMainForm::EnBut()
{
    if (!Core)
        return;
    const TCommandStates s = CommandStates(*Core);
    auto enable = [](std::initializer_list<QObject*> items, bool on) {
        for (QObject* item : items) {
            if (auto* act = qobject_cast<QAction*>(item))
                act->setEnabled(on);
            else if (auto* widget = qobject_cast<QWidget*>(item))
                widget->setEnabled(on);
        }
    };
    // Captions are found by their names.
    auto labels = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* name : names)
            if (QLabel* found = findChild<QLabel*>(QLatin1String(name)))
                found->setEnabled(on);
    };

    enable({OpenGIFAct, SaveGIFAct, SaveAVIAct, ScreenRecordAct, ExtractFramesAct}, s.Frames);
    enable({BackTransparentCheck}, s.Project);
    enable({GoSpin, CurrentFrameDelaySpin}, s.Frames);
    labels({"GoLabel", "CurrentFrameDelayLabel", "CurrentFrameDelayMSLabel"}, s.Frames);
    enable({BackWidthSpin, BackHeightSpin}, true);
    enable({BackAct, FrontAct}, s.FigureSelected);
    enable({BackColorShape, BackColorButton}, s.Frames);
    labels({"BackColorLabel"}, s.Frames);
    enable({GIFOpenButton, PictureOpenButton}, s.Project);
    labels({"GIFFileLabel", "PictureFileLabel"}, s.Project);
    enable({GIFDeleteButton, BackFramesCountLabel}, s.BackGIFDelete);
    enable({PictureDeleteButton}, s.PictureDelete);
    for (QAction* act : FigureActs)
        act->setEnabled(s.Frames);
    enable({CopyFigureAct, CutFigureAct, DeleteFigureAct}, s.FigureSelected);
    enable({PasteFigureAct}, s.FigurePaste);
    EnPasteImage();
    enable({PlayButton}, s.Play);
    enable({StopButton}, s.Stop);
    enable({StartButton, PreviousButton}, s.StartPrevious);
    enable({NextButton, EndButton}, s.NextEnd);
    enable({AddFrameAct}, s.AddFrame);
    enable({DeleteFrameAct, CopyFrameAct, CutFrameAct, DuplicateFrameAct, SaveFrameAct}, s.Frames);
    enable({PasteFrameAct}, s.FramePaste);
    enable({MoveLeftAct}, s.MoveLeft);
    enable({MoveRightAct}, s.MoveRight);
    enable({InfinityCheck}, s.Frames);
    labels({"RepeatLabel"}, s.Frames);
    enable({TimesSpin}, s.Times);
    labels({"TimesLabel"}, s.Times);
    enable({FrameDelaySpin}, s.AddFrame);
    labels({"FrameDelayLabel", "FrameDelayMSLabel"}, s.AddFrame);
    enable({RedrawAct}, s.Redraw);
    enable({SaveAct}, s.SaveProject);
    // "Delete Changes": set by an edit, by a choice in "Frames with Changes",
    // and on each frame change for the key frame chosen there.
    if (Panels && !Panels->IsDefault)
        DeleteChangesButton->setEnabled(Core->Doc.DeleteChangesEnabled);
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
