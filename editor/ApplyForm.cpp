#include "editor/ApplyForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

TApplyForm::TApplyForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("ApplyForm"));
    setWindowTitle(QStringLiteral("Frame Redrawing"));
    setModal(false);

    fGauge = new QProgressBar(this);
    fGauge->setObjectName(QStringLiteral("Gauge"));
    fGauge->setFixedSize(GaugeWidth, GaugeHeight);
    fGauge->setTextVisible(false);
    fGauge->setRange(0, 0);
    fGauge->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #6a8fb5; background: white; }"
        "QProgressBar::chunk { background: #0000ff; }"));

    fCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    fCancelButton->setObjectName(QStringLiteral("CancelButton"));
    fCancelButton->setAutoDefault(false);
    connect(fCancelButton, &QPushButton::clicked, this, &TApplyForm::CancelButtonClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fGauge);
    layout->addWidget(fCancelButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TApplyForm::~TApplyForm()
{
    if (fFiltering)
        qApp->removeEventFilter(this);
}

void TApplyForm::CancelButtonClick()
{
    Cancel();
}

void TApplyForm::ShowWindow()
{
    setWindowTitle(Title());
    fGauge->setRange(0, Maximum());
    fGauge->setValue(0);
    ensurePolished();
    adjustSize();
    // Centred over the owner: left = owner left + (owner width - own width) / 2.
    // The frame is known only once the window is shown, so the place is checked again then.
    CentreOverOwner();
    show();
    CentreOverOwner();
    raise();
    if (!fFiltering) {
        qApp->installEventFilter(this);
        fFiltering = true;
    }
}

void TApplyForm::CentreOverOwner()
{
    QWidget* owner = parentWidget();
    if (!owner)
        return;
    const QRect o = owner->frameGeometry();
    const QRect own = frameGeometry();
    const QPoint place(o.left() + (o.width() - own.width()) / 2, o.top() + (o.height() - own.height()) / 2);
    if (own.topLeft() != place)
        move(place);
}

void TApplyForm::MoveGauge(int value)
{
    fGauge->setValue(value);
}

void TApplyForm::ProcessPending()
{
    // Only while the window is up: a short operation runs without taking any input.
    if (isVisible())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplyForm::HideWindow()
{
    if (fFiltering) {
        qApp->removeEventFilter(this);
        fFiltering = false;
    }
    hide();
}

bool TApplyForm::IsOwnInput(QObject* receiver) const
{
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget->window() == this;
    if (auto* window = qobject_cast<QWindow*>(receiver))
        return window == windowHandle();
    return true; // not a window object: not user input to another window
}

bool TApplyForm::eventFilter(QObject* watched, QEvent* event)
{
    // While a long loop runs, input for every other window is dropped (the loop
    // owns the window thread), and so are close and quit requests.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        if (!IsOwnInput(watched))
            return true;
        break;
    case QEvent::Quit:
        return true;
    case QEvent::Timer: {
        // Timers of other windows (the preview's frame timer) wait too; a timer
        // that is not dropped here fires again once the loop is over.
        QObject* owner = watched;
        while (owner && !owner->isWidgetType())
            owner = owner->parent();
        if (owner && static_cast<QWidget*>(owner)->window() != this)
            return true;
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TApplyForm::closeEvent(QCloseEvent* event)
{
    // Closing the window by its frame means Cancel; the caller closes it.
    event->ignore();
    Cancel();
}

void TApplyForm::reject()
{
    Cancel();
}
