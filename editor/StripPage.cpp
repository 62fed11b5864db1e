#include "editor/StripPage.h"

#include "editor/Controls.h"
#include "editor/ImagePanel.h"
#include "editor/core/CommandStates.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

TShiftState StripShift(Qt::KeyboardModifiers keys)
{
    TShiftState s = 0;
    if (keys & Qt::ShiftModifier)
        s |= ssShift;
    if (keys & Qt::ControlModifier)
        s |= ssCtrl;
    if (keys & Qt::AltModifier)
        s |= ssAlt;
    return s;
}

} // namespace

TStripPage::TStripPage(const QList<QAction*>& frameActions, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StripPanel"));

    FramesImage = new TImagePanel(this);
    FramesImage->setObjectName(QStringLiteral("FramesImage"));
    FramesImage->setMinimumHeight(40);
    FramesImage->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    FramesImage->SetFillColor(Qt::white);
    FramesImage->setContextMenuPolicy(Qt::ActionsContextMenu);
    FramesImage->addActions(frameActions);

    FramesScrollBar = new QScrollBar(Qt::Horizontal, this);
    FramesScrollBar->setObjectName(QStringLiteral("FramesScrollBar"));
    FramesScrollBar->setRange(0, 0);
    OtherFramesScrollPanel = new QWidget(this);
    OtherFramesScrollPanel->setObjectName(QStringLiteral("OtherFramesScrollPanel"));
    OtherFramesScrollPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // The scroll bar spans only the cells drawn (ShowStrip caps its width); the panel takes the rest.
    FramesScrollBar->setMaximumWidth(0);
    auto* scrollRow = new QHBoxLayout;
    scrollRow->setContentsMargins(0, 0, 0, 0);
    scrollRow->setSpacing(0);
    scrollRow->addWidget(FramesScrollBar, 1000);
    scrollRow->addWidget(OtherFramesScrollPanel, 1);

    // Under the scroll bar: the current frame's duration and the go-to box.
    CurrentFrameDelaySpin = MakeSpin(this, QStringLiteral("CurrentFrameDelaySpin"), 10, 1000000, 50);
    GoSpin = MakeSpin(this, QStringLiteral("GoSpin"), 0, 0, 0);
    GoSpin->setMinimumWidth(70);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(4);
    row->addStretch(1);
    row->addWidget(MakeLabel(this, QStringLiteral("Current Frame Duration"), CurrentFrameDelaySpin,
                             QStringLiteral("CurrentFrameDelayLabel")));
    row->addWidget(CurrentFrameDelaySpin);
    row->addWidget(MakeLabel(this, QStringLiteral("ms"), nullptr, QStringLiteral("CurrentFrameDelayMSLabel")));
    row->addSpacing(12);
    row->addWidget(MakeLabel(this, QStringLiteral("Go to Frame #"), GoSpin, QStringLiteral("GoLabel")));
    row->addWidget(GoSpin);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FramesImage, 1);
    layout->addLayout(scrollRow);
    layout->addLayout(row);
}

void TStripPage::Wire(TEditorCore& core, TOptionsPage& page, const TGuard& guard)
{
    TEditorCore* c = &core;
    connect(FramesImage, &TImagePanel::Resized, this,
            [this, c] { c->SetStripSize(FramesImage->width(), FramesImage->height()); });
    connect(FramesImage, &TImagePanel::MouseDown, this,
            [c, guard](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                if (button != Qt::LeftButton)
                    return; // the right button opens the frame commands' menu
                guard([&] { c->FramesImageMouseDown(TMouseButton::mbLeft, StripShift(keys) | ssLeft, x, y); });
            });
    connect(FramesScrollBar, &QScrollBar::valueChanged, this, [c](int position) {
        if (position != c->Strip().OldPos) // resetting the bar at start-up is no scroll
            c->FramesScrollBarChange(position);
    });
    TOptionsPage* p = &page;
    connect(CurrentFrameDelaySpin, &QSpinBox::editingFinished, this,
            [this, p, guard] { guard([&] { p->CurrentFrameDelaySpinExit(CurrentFrameDelaySpin->value()); }); });
    connect(GoSpin, &QSpinBox::editingFinished, this, [this, c] {
        const int value = GoSpin->value();
        if (value >= 1 && value <= c->FrameCount() && GoTo)
            GoTo(value);
    });
}

void TStripPage::ShowStrip(const TEditorCore& core)
{
    const TFrameStrip& strip = core.Strip();
    FramesImage->SetPicture(strip.FramesBMP);
    const QSignalBlocker block(FramesScrollBar); // set by code, not a scroll by the user
    FramesScrollBar->setRange(0, strip.FramesScroll.Max);
    FramesScrollBar->setValue(strip.FramesScroll.Position);
    FramesScrollBar->setPageStep(std::max(core.Strip().FrCount, 1));
    FramesScrollBar->setMaximumWidth(strip.CellsWidth);
}

void TStripPage::ShowGoTo(int count, int index)
{
    const QSignalBlocker block(GoSpin);
    if (count > 0) {
        GoSpin->setRange(1, count);
        GoSpin->setValue(index + 1);
    } else {
        GoSpin->setRange(0, 0);
        GoSpin->setValue(0);
    }
}

void TStripPage::ShowCurrentDelay(int delay)
{
    const QSignalBlocker block(CurrentFrameDelaySpin);
    CurrentFrameDelaySpin->setValue(delay);
}

void TStripPage::ShowStates(const TCommandStates& s)
{
    GoSpin->setEnabled(s.Frames);
    CurrentFrameDelaySpin->setEnabled(s.Frames);
    EnableLabels(this, {"GoLabel", "CurrentFrameDelayLabel", "CurrentFrameDelayMSLabel"}, s.Frames);
}

void TStripPage::ResetScroll()
{
    FramesScrollBar->setRange(0, 0);
    FramesScrollBar->setValue(0);
}

int TStripPage::FramesImageHeight() const
{
    return FramesImage->height();
}

