#include "editor/PreviewPage.h"

#include "editor/Controls.h"
#include "editor/ZGIFAnimator.h"
#include "editor/core/CommandStates.h"
#include "editor/core/EditorCore.h"
#include "editor/core/PicSize.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TPreviewPage::TPreviewPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewSheet"));

    // The preview control (GIFAnimator) is placed into this black panel.
    GIFAnimatorPanel = new QWidget(this);
    GIFAnimatorPanel->setObjectName(QStringLiteral("GIFAnimatorPanel"));
    GIFAnimatorPanel->setAutoFillBackground(true);
    GIFAnimatorPanel->setStyleSheet(QStringLiteral("#GIFAnimatorPanel { background: black; }"));
    GIFAnimatorPanel->setAttribute(Qt::WA_StyledBackground);
    GIFAnimatorPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    PlayButton = MakeButton(this, QStringLiteral("PlayButton"), QStringLiteral("Play"));
    StopButton = MakeButton(this, QStringLiteral("StopButton"), QStringLiteral("Stop"));
    StartButton = MakeButton(this, QStringLiteral("StartButton"), QStringLiteral("Start"));
    PreviousButton = MakeButton(this, QStringLiteral("PreviousButton"), QStringLiteral("Previous"));
    NextButton = MakeButton(this, QStringLiteral("NextButton"), QStringLiteral("Next"));
    EndButton = MakeButton(this, QStringLiteral("EndButton"), QStringLiteral("End"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {PlayButton, StopButton, StartButton, PreviousButton, NextButton, EndButton})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GIFAnimatorPanel, 1);
    layout->addLayout(buttons);
}

TZGIFAnimator& TPreviewPage::CreateAnimator()
{
    // The preview control fills its black panel.
    GIFAnimator = new TZGIFAnimator(GIFAnimatorPanel);
    GIFAnimator->setObjectName(QStringLiteral("GIFAnimator"));
    GIFAnimator->SetStretch(true);
    GIFAnimator->SetAutoSize(false);
    GIFAnimator->move(0, 0);
    return *GIFAnimator;
}

void TPreviewPage::Wire(TEditorCore& core, const TGuard& guard, std::function<void(int)> goTo)
{
    TEditorCore* c = &core;
    const auto click = [this, guard](QPushButton* button, std::function<void()> apply) {
        connect(button, &QPushButton::clicked, this, [guard, apply] { guard(apply); });
    };
    click(PlayButton, [c] { c->Play(); });
    click(StopButton, [c] { c->Stop(); });
    click(StartButton, [goTo] { goTo(0); });
    click(PreviousButton, [c, goTo] { goTo(c->FrameIndex() - 1); });
    click(NextButton, [c, goTo] { goTo(c->FrameIndex() + 1); });
    click(EndButton, [c, goTo] { goTo(c->FrameCount() - 1); });
    connect(GIFAnimator, &TZGIFAnimator::OnFrameChanged, this, [c] { c->GIFAnimatorFrameChanged(); });
    GIFAnimatorPanel->installEventFilter(this);
}

bool TPreviewPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GIFAnimatorPanel && event->type() == QEvent::Resize && PanelResized)
        PanelResized();
    return QWidget::eventFilter(watched, event);
}

void TPreviewPage::ResizeAnim(const TZGIFImage& animation)
{
    if (!GIFAnimator)
        return;
    const TSize size = GetPicSize(GIFAnimatorPanel->width(), GIFAnimatorPanel->height(), animation.ScreenWidth(),
                                  animation.ScreenHeight());
    GIFAnimator->setGeometry(0, 0, size.cx, size.cy);
}

void TPreviewPage::ShowStates(const TCommandStates& s)
{
    PlayButton->setEnabled(s.Play);
    StopButton->setEnabled(s.Stop);
    StartButton->setEnabled(s.StartPrevious);
    PreviousButton->setEnabled(s.StartPrevious);
    NextButton->setEnabled(s.NextEnd);
    EndButton->setEnabled(s.NextEnd);
}

void TPreviewPage::Stop()
{
    if (StopButton->isEnabled())
        StopButton->click();
}
