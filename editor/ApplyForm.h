#pragma once
// The progress window of long operations: a small dialog that stays on top,
// titled with the operation's name, a blue gauge above a "Cancel" button.
// While it is shown, SetProgress lets it (and only it) take input, so that
// "Cancel" can be clicked while the work runs on the window thread.
#include "platform/Progress.h"

#include <QDialog>

class QProgressBar;
class QPushButton;

class TApplyForm final : public QDialog, public TProgress {
    Q_OBJECT
public:
    // owner: the window it is centred over (the main window).
    explicit TApplyForm(QWidget* owner);
    ~TApplyForm() override;

    QProgressBar* Gauge() const { return fGauge; }
    QPushButton* CancelButton() const { return fCancelButton; }

    static constexpr int GaugeWidth = 548;
    static constexpr int GaugeHeight = 17;

protected:
    void ShowWindow() override;
    void MoveGauge(int value) override;
    void ProcessPending() override;
    void HideWindow() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape cancels like the button

private:
    void CancelButtonClick();
    void CentreOverOwner();
    bool IsOwnInput(QObject* receiver) const;

    QProgressBar* fGauge = nullptr;
    QPushButton* fCancelButton = nullptr;
    bool fFiltering = false;
};
