#include "tools/ScreenForm.h"

#include "editor/core/OptionsPage.h"
#include "editor/core/ScreenRecording.h"
#include "platform/ScreenGrab.h"
#include "tools/DesktopForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

namespace {

// The record button's glyphs: a red disc to start, a dark square to stop.
QIcon Glyph(bool stop)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (stop) {
        painter.setBrush(QColor(60, 60, 60));
        painter.drawRect(5, 5, 14, 14);
    } else {
        painter.setBrush(QColor(220, 30, 30));
        painter.drawEllipse(3, 3, 18, 18);
    }
    return QIcon(pixmap);
}

} // namespace

TScreenForm::TScreenForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ScreenForm"));
    setWindowTitle(QStringLiteral("Screen Record"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    ImageList = {Glyph(false), Glyph(true)};

    SelectButton = new QPushButton(QStringLiteral("Selecting\na Rectangular\nArea"), this);
    SelectButton->setObjectName(QStringLiteral("SelectButton"));
    RecordButton = new QPushButton(ImageList[0], QStartRecord, this);
    RecordButton->setObjectName(QStringLiteral("RecordButton"));
    RecordButton->setIconSize(QSize(24, 24));
    for (QPushButton* button : {SelectButton, RecordButton}) {
        button->setMinimumSize(120, 64);
        button->setAutoDefault(false);
    }
    DurationLabel = new QLabel(QStringLiteral("Frame Duration"), this);
    Spin = new QSpinBox(this);
    Spin->setObjectName(QStringLiteral("Spin"));
    Spin->setRange(10, 1000000);
    Spin->setSingleStep(10);
    Spin->setValue(50);
    MsLabel = new QLabel(QStringLiteral("ms"), this);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true); // each tick schedules the next one, so late ticks never pile up
    Timer->setTimerType(Qt::PreciseTimer);
    Interval = 50;

    auto* layout = new QGridLayout(this);
    layout->addWidget(SelectButton, 0, 0, 1, 3);
    layout->addWidget(RecordButton, 0, 3, 1, 2);
    layout->addWidget(DurationLabel, 1, 0);
    layout->addWidget(Spin, 1, 1, 1, 2);
    layout->addWidget(MsLabel, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SelectButton, &QPushButton::clicked, this, [this] { SelectButtonClick(); });
    connect(RecordButton, &QPushButton::clicked, this, [this] { RecordButtonClick(); });
    connect(Spin, &QSpinBox::editingFinished, this, [this] { SpinChange(); });
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });
}

void TScreenForm::SetDesktopForm(TDesktopForm* form)
{
    DesktopForm = form;
    if (!DesktopForm)
        return;
    const auto back = [this] {
        show();
        raise();
        activateWindow();
    };
    DesktopForm->Selected = [this, back](const TRect& rect) {
        SetRect(rect);
        back();
    };
    DesktopForm->Cancelled = back;
}

void TScreenForm::ShowMessage(const QString& text) const
{
    if (Host.Core)
        Host.Core->Dialogs.ShowMessage(text);
}

void TScreenForm::showEvent(QShowEvent* event)
{
    // The duration is a setting of the project.
    if (Host.Core && !IsRecording()) {
        IsFill = true;
        Spin->setValue(Host.Core->Doc.Options.RecordDelay);
        IsFill = false;
        Interval = Spin->value();
    }
    QDialog::showEvent(event);
}

void TScreenForm::SpinChange()
{
    Interval = Spin->value();
    if (!IsFill)
        Host.EditSetting(QStringLiteral("Recording Interval"), [this](TProjectOptions& o) { o.RecordDelay = Interval; }, true);
}

bool TScreenForm::IsRecording() const
{
    return RecordButton->text() == QEndRecord;
}

void TScreenForm::SetRect(const TRect& rect)
{
    FRect = rect;
    FIsSelect = true;
}

void TScreenForm::DoEnable(bool value)
{
    for (QWidget* control : {static_cast<QWidget*>(SelectButton), static_cast<QWidget*>(DurationLabel),
                             static_cast<QWidget*>(Spin), static_cast<QWidget*>(MsLabel)})
        control->setEnabled(value);
    if (value) {
        Timer->stop();
    } else {
        Clock.start();
        NextTick = Interval;
        Timer->start(Interval);
    }
}

void TScreenForm::SelectButtonClick()
{
    if (IsRecording() || !DesktopForm)
        return;
    // Neither the editor nor this window belongs in the snapshot; the screen
    // gets a moment to repaint where they were.
    if (parentWidget())
        parentWidget()->hide();
    hide();
    QTimer::singleShot(RepaintDelay, this, [this] { GrabSnapshot(); });
}

bool TScreenForm::OpenSource()
{
    try {
        if (!Source || Source->Ended())
            Source = MakeSource();
        Source->Open();
        return true;
    } catch (const std::exception& error) {
        // Refused or failed: the next try asks again.
        Source.reset();
        ShowMessage(QString::fromUtf8(error.what()));
        return false;
    }
}

void TScreenForm::GrabSnapshot()
{
    // Under a portal the desktop asks here, once, what to share; its first
    // picture is the one the rectangle is chosen on.
    if (!OpenSource()) {
        show();
        return;
    }
    try {
        Source->GrabFull(Snapshot);
    } catch (const EScreenGrabError& error) {
        show();
        ShowMessage(QString::fromUtf8(error.what()));
        return;
    }
    DesktopForm->ShowSnapshot(Snapshot, Source->Area());
}

void TScreenForm::RecordButtonClick()
{
    if (!FIsSelect) {
        ShowMessage(QSelRect);
        return;
    }
    if (!Host.Core || !Host.Page)
        return;
    if (!IsRecording()) {
        // Where the screen cannot be read the project stays as it is.
        if (!OpenSource())
            return;
        SpinChange();
        RecordButton->setText(QEndRecord);
        RecordButton->setIcon(ImageList[1]);
        Host.Page->DeleteBack();
        FFrames = 0;
        KeepOutOfRect();
        DoEnable(false);
        return;
    }
    close(); // stops, brings the editor back and loads the frames
}

void TScreenForm::TimerTimer()
{
    if (!IsRecording() || !Host.Core)
        return;
    // The user ended the sharing from the desktop: as if Stop was pressed.
    if (!Source || Source->Ended()) {
        RecordButtonClick();
        return;
    }
    try {
        RecordFrame(Host.Core->Doc.Animation.BackGIF, *Source, FRect, Interval, Host.Core->IBMP().PixelFormat(), FrBMP,
                    Host.Core->Pic());
        ++FFrames;
    } catch (const std::exception& error) {
        // What was recorded so far is kept, as when the user stops.
        const QString message = QString::fromUtf8(error.what());
        RecordButtonClick();
        ShowMessage(message);
        return;
    }
    // A late tick does not make up for the ticks it missed: the next frame is
    // due one interval after the last one due, or at once when that has passed.
    NextTick += Interval;
    const qint64 now = Clock.elapsed();
    if (NextTick < now)
        NextTick = now;
    Timer->start(int(NextTick - now));
}

void TScreenForm::KeepOutOfRect()
{
    const QRect area(QPoint(FRect.Left, FRect.Top), QPoint(FRect.Right, FRect.Bottom));
    const QRect client = geometry();
    QRect frame = frameGeometry();
    // Until the window manager has told its frame, allow for a title bar.
    if (frame == client)
        frame.adjust(-4, -30, 4, 4);
    if (!isVisible() || !frame.intersects(area))
        return;
    const QPoint offset = client.topLeft() - frame.topLeft();
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect free = screen->availableGeometry();
        const QSize size = frame.size();
        const int right = free.right() - size.width() + 1;
        const int bottom = free.bottom() - size.height() + 1;
        const QPoint corners[] = {{right, bottom}, {free.left(), bottom}, {right, free.top()}, free.topLeft()};
        for (const QPoint& corner : corners) {
            const QRect place(corner, size);
            if (free.contains(place) && !place.intersects(area)) {
                // Placed by its client area, which window managers keep as asked.
                setGeometry(QRect(corner + offset, client.size()));
                return;
            }
        }
    }
    // The rectangle leaves no room on any screen: the window stays where it is.
}

// Every way of closing ends a recording the same way: the stop button closes too.
void TScreenForm::closeEvent(QCloseEvent* event)
{
    const bool recorded = IsRecording();
    if (recorded) {
        RecordButton->setText(QStartRecord);
        RecordButton->setIcon(ImageList[0]);
        DoEnable(true);
        hide();
    }
    if (Host.Core && Host.Core->Hooks.CommandStates)
        Host.Core->Hooks.CommandStates();
    if (parentWidget())
        parentWidget()->show();
    Source.reset(); // a shared screen stops being shared with the window
    // Without a frame there is nothing to load: the background stays empty.
    if (recorded && Host.Core && Host.Page && Host.Core->Doc.Animation.BackGIF.Count() > 0)
        Host.Page->LoadBackGIF(QString());
    event->accept();
}
