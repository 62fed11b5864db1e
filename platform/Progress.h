#pragma once
// Progress of a long operation that runs on the window thread:
//   ApplyStart(count, title)  opens it (a window only for more than 10 items, or
//                             when IsShowApply forces it);
//   SetProgress(value)        moves the gauge (when IsNotFile) and lets the
//                             progress window handle its pending input, which is
//                             how its Cancel button can clear IsApply;
//   IsApply()                 tested by the loop before each item;
//   Close()                   called by the caller when it is done; the caller
//                             also clears IsApply.
// The window is editor/ApplyForm.h; THeadlessProgress serves tests and the
// headless commands.
#include <QString>

class TProgress {
public:
    virtual ~TProgress() = default;

    void ApplyStart(int count, const QString& title);
    void SetProgress(int value);
    void Close();

    bool IsApply() const { return fApply; }
    void SetApply(bool value) { fApply = value; }
    // What the Cancel button does.
    void Cancel() { fApply = false; }

    // Whether the running operation shows the window.
    bool IsDec() const { return fDec; }
    // Forces the window even for short operations.
    bool IsShowApply() const { return fShowApply; }
    void SetShowApply(bool value) { fShowApply = value; }
    // When false, SetProgress leaves the gauge where it is.
    bool IsNotFile() const { return fNotFile; }
    void SetNotFile(bool value) { fNotFile = value; }

    int Position() const { return fPosition; }
    int Maximum() const { return fMaximum; }
    QString Title() const { return fTitle; }

    // Operations with more items than this show the window.
    static constexpr int WindowThreshold = 10;

protected:
    // The window's part; the base class keeps the state.
    virtual void ShowWindow() {}
    virtual void MoveGauge(int /*value*/) {}
    virtual void ProcessPending() {}
    virtual void HideWindow() {}

private:
    bool fApply = true;
    bool fDec = false;
    bool fShowApply = false;
    bool fNotFile = true;
    int fPosition = 0;
    int fMaximum = 0;
    QString fTitle;
};

// Progress without a window, never cancelled unless told.
class THeadlessProgress final : public TProgress {
public:
    // Cancels the operation when SetProgress is called with this value, as if
    // Cancel had been clicked then.
    void CancelAt(int value) { fCancelAt = value; }
    int ProgressCalls() const { return fCalls; }

protected:
    void MoveGauge(int value) override { fLastValue = value; }
    void ProcessPending() override;

private:
    int fCancelAt = -1;
    int fLastValue = -1;
    int fCalls = 0;
};
