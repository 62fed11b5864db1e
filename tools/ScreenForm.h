#pragma once
// TScreenForm, "Screen Record": the recording controls. "Selecting a
// Rectangular Area" hides the editor and shows a snapshot of the desktop
// (TDesktopForm) to drag the rectangle on; "Start Recording" empties the
// project's background GIF and appends one encoded frame of the rectangle per
// interval; "Stop Recording" or closing the window hands the frames to the
// editor, which builds the project's frames from them.
#include "platform/Bitmap.h"
#include "platform/GrabSource.h"
#include "platform/Types.h"
#include "tools/ToolHost.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QIcon>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class TDesktopForm;

class TScreenForm : public QDialog {
    Q_OBJECT
public:
    explicit TScreenForm(QWidget* parent);

    void SetHost(const TToolHost& host) { Host = host; }
    void SetDesktopForm(TDesktopForm* form);

    void SelectButtonClick();
    void RecordButtonClick();
    // Enables the select button and the duration controls together; the timer
    // runs exactly when they are disabled.
    void DoEnable(bool value);
    // One frame of the recording.
    void TimerTimer();

    // The window is recording exactly when the record button says "Stop".
    bool IsRecording() const;
    bool IsSelect() const { return FIsSelect; }
    TRect Rect() const { return FRect; }
    // Takes a rectangle chosen on the desktop window (corners included).
    void SetRect(const TRect& rect);
    // Frames appended since recording started.
    int RecordedFrames() const { return FFrames; }
    // Makes the source of the pictures when the first rectangle is chosen:
    // the X11 screen, or in a Wayland session the desktop's screen sharing.
    // The source lives until the window closes.
    std::function<std::unique_ptr<TGrabSource>()> MakeSource = MakeGrabSource;

    QPushButton* SelectButton = nullptr;
    QPushButton* RecordButton = nullptr;
    QLabel* DurationLabel = nullptr;
    QSpinBox* Spin = nullptr;
    QLabel* MsLabel = nullptr;
    QTimer* Timer = nullptr;
    std::array<QIcon, 2> ImageList; // record, stop

    const QString QStartRecord = QStringLiteral("Start\nRecording");
    const QString QEndRecord = QStringLiteral("Stop\nRecording");
    const QString QSelRect = QStringLiteral("Select a rectangular area!");
    // Time the screen is given to repaint where the editor's windows were.
    static constexpr int RepaintDelay = 250;

    // Escape closes the window as its close button does.
    void reject() override { close(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SpinChange();
    void GrabSnapshot();
    // Moves the window off the rectangle, so that it stays out of the frames.
    void KeepOutOfRect();
    void ShowMessage(const QString& text) const;
    // Makes and opens the source if need be; false, with the reason shown, when
    // nothing can be grabbed.
    bool OpenSource();

    TToolHost Host;
    TDesktopForm* DesktopForm = nullptr;
    std::unique_ptr<TGrabSource> Source;
    TBitmap Snapshot;   // the whole desktop when the choice began
    TBitmap FrBMP;      // the last grab of the rectangle
    TRect FRect;
    bool FIsSelect = false;
    bool IsFill = false;      // the spin is being set by code
    int FFrames = 0;
    int Interval = 50;        // the timer's interval, ms; follows Spin
    QElapsedTimer Clock;      // since recording started
    qint64 NextTick = 0;      // when the next frame is due, ms on Clock
};
