// TMainForm: the canvas and the editing toolbar wired to the editor core —
// pointer events, the fourteen figure buttons, stacking, the frame-size
// handle, command states and the figure panels' visibility.
#include "editor/MainForm.h"

#include "editor/ImagePanel.h"
#include "editor/ZGIFAnimator.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

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

    connect(FramePanel, &TImagePanel::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                Core->FramePanelMouseDown(ButtonOf(button), ShiftOf(keys, button), x, y);
            });
    connect(FramePanel, &TImagePanel::MouseMove, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int x, int y) {
                Core->FramePanelMouseMove(ShiftOf(keys, buttons), x, y);
            });
    connect(FramePanel, &TImagePanel::MouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                Core->FramePanelMouseUp(ButtonOf(button), ShiftOf(keys, Qt::NoButton), x, y);
            });

    for (size_t i = 0; i < FigureActs.size(); ++i)
        connect(FigureActs[i], &QAction::triggered, this, [this, i] { QNewFigure(FigureKinds[i]); });
    connect(BackAct, &QAction::triggered, this, [this] { Core->BackButtonClick(); });
    connect(FrontAct, &QAction::triggered, this, [this] { Core->FrontButtonClick(); });
    connect(CenterButton, &QPushButton::clicked, this, [this] { Core->CenterButtonClick(); });
    connect(StartFrameSpin, &QSpinBox::editingFinished, this, &TMainForm::StartFrameSpinExit);
    connect(FramesCountSpin, &QSpinBox::editingFinished, this, &TMainForm::StartFrameSpinExit);
    connect(AllFramesCheck, &QCheckBox::clicked, this, [this](bool on) {
        Core->Doc.AllFramesCheck(on);
        Core->GetAnim();
        Core->EditFrame();
        EnBut();
    });

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
    // The "Animation" page shows where the selected figure is shown.
    const TDrawObject* obj = Core->DrObj();
    if (Core->QCount() != 1 || !obj || obj->FigNum >= Core->Doc.FigureCount())
        return;
    const TQFigure& fig = Core->Doc.Animation.Figures[static_cast<size_t>(obj->FigNum)];
    const QSignalBlocker blockAll(AllFramesCheck);
    const QSignalBlocker blockStart(StartFrameSpin);
    const QSignalBlocker blockCount(FramesCountSpin);
    AllFramesCheck->setChecked(fig.All);
    StartFrameSpin->setValue(fig.Start + 1);
    FramesCountSpin->setValue(fig.Count);
}

void TMainForm::StartFrameSpinExit()
{
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
    const TDocument& doc = Core->Doc;
    const bool frames = Core->FrameCount() > 0;
    const bool playing = Core->IsPlaying;
    const bool selected = doc.QCount > 0;

    RedrawAct->setEnabled(doc.RedrawEnabled && !playing);
    AddFrameAct->setEnabled(!playing);
    BackAct->setEnabled(selected && !playing);
    FrontAct->setEnabled(selected && !playing);
    for (QAction* act : FigureActs)
        act->setEnabled(!playing);
    PlayButton->setEnabled(frames && !playing);
    StopButton->setEnabled(playing);
    StartButton->setEnabled(frames && !playing);
    PreviousButton->setEnabled(frames && !playing);
    NextButton->setEnabled(frames && !playing);
    EndButton->setEnabled(frames && !playing);
    GoSpin->setEnabled(frames && !playing);
    SaveAct->setEnabled(doc.IsModify);
    SaveGIFAct->setEnabled(frames && !playing);
    SaveFrameAct->setEnabled(frames && !playing);
    OpenGIFAct->setEnabled(!playing);
    GIFOpenButton->setEnabled(!playing);
    const bool frameCommands = frames && !playing;
    for (QAction* act : {DuplicateFrameAct, CopyFrameAct, CutFrameAct, DeleteFrameAct})
        act->setEnabled(frameCommands);
    PasteFrameAct->setEnabled(AddFrameAct->isEnabled() && doc.Buffer.Count() > 0);
    MoveLeftAct->setEnabled(Core->CanMoveLeft());
    MoveRightAct->setEnabled(Core->CanMoveRight());
    // The rest of the command states follow with the panels.
}
