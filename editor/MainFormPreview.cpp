// TMainForm: the "Preview" page and the frame commands that reach the editor
// core now — "Play", "Stop", "Start", "Previous", "Next", "End", the
// frame-changed handling, "Redraw Frames", "Add Frame" and "Go to Frame #".
// The other frame commands are wired with the strip (MainFormStrip.cpp).
#include "editor/MainForm.h"

#include "editor/ZGIFAnimator.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/PicSize.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

void TMainForm::BuildPreviewWiring()
{
    connect(PlayButton, &QPushButton::clicked, this, [this] { Guard([this] { Core->Play(); }); });
    connect(StopButton, &QPushButton::clicked, this, [this] { Guard([this] { Core->Stop(); }); });
    connect(StartButton, &QPushButton::clicked, this, [this] { Guard([this] { GoToFrame(0); }); });
    connect(PreviousButton, &QPushButton::clicked, this,
            [this] { Guard([this] { GoToFrame(Core->FrameIndex() - 1); }); });
    connect(NextButton, &QPushButton::clicked, this, [this] { Guard([this] { GoToFrame(Core->FrameIndex() + 1); }); });
    connect(EndButton, &QPushButton::clicked, this, [this] { Guard([this] { GoToFrame(Core->FrameCount() - 1); }); });
    connect(GIFAnimator, &TZGIFAnimator::OnFrameChanged, this, [this] { Core->GIFAnimatorFrameChanged(); });
    connect(GIFAnimator, &TZGIFAnimator::OnChange, this, [this] {
        if (!GIFAnimator->Animate())
            ShowCaption();
    });
    connect(GIFAnimator, &TZGIFAnimator::OnStop, this, [this] { EnBut(); });
    GIFAnimatorPanel->installEventFilter(this);

    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl->widget(index) == PlayButton->parentWidget() && !IsStart) {
            Core->DrawOld(); // the figures' state goes into the shown frame
            ResizeAnim();
        }
    });

    connect(RedrawAct, &QAction::triggered, this, [this] {
        Guard([this] {
            Core->RedrawButtonClick();
            SetGoTo();
            SetCurrentDelay();
        });
    });
    connect(AddFrameAct, &QAction::triggered, this, [this] { Guard([this] { Core->AddFrameButtonClick(); }); });
    connect(GoSpin, &QSpinBox::editingFinished, this, [this] {
        const int value = GoSpin->value();
        if (value < 1 || value > Core->FrameCount())
            return;
        if (Core->Doc.IsChGoTo) {
            Core->IsGo = false;
            GoToFrame(value - 1);
            Core->IsGo = true;
        }
        Core->Doc.IsModify = true;
        EnBut();
    });
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GIFAnimatorPanel && event->type() == QEvent::Resize)
        ResizeAnim();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::GoToFrame(int index)
{
    Core->SetFrameIndex(index); // out-of-range values are ignored
    SetGoTo();
    EnBut();
}

void TMainForm::ResizeAnim()
{
    if (!GIFAnimator || !Core || Core->FrameCount() == 0)
        return;
    const TZGIFImage& animation = Core->Animation();
    const TSize size = GetPicSize(GIFAnimatorPanel->width(), GIFAnimatorPanel->height(), animation.ScreenWidth(),
                                  animation.ScreenHeight());
    GIFAnimator->setGeometry(0, 0, size.cx, size.cy);
}

void TMainForm::SetGoTo()
{
    if (!Core || !Core->IsGo)
        return;
    const QSignalBlocker block(GoSpin);
    if (Core->FrameCount() > 0) {
        GoSpin->setRange(1, Core->FrameCount());
        GoSpin->setValue(Core->FrameIndex() + 1);
    } else {
        GoSpin->setRange(0, 0);
        GoSpin->setValue(0);
    }
    ShowCaption();
}

void TMainForm::SetCurrentDelay()
{
    if (Page)
        Page->SetCurrentDelay(); // the page refills "Current Frame Duration"
}
