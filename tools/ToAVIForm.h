#pragma once
// TToAVIForm, "Save AVI": exports the rendered animation as an AVI video
// through the AVI-writer control it hosts (created by class identifier when
// the window is made). The file, frame duration, quality, pixel format and
// compressor are the project's settings: shown when the window opens, kept
// in the project as they are edited.
//
// Without the control (its library missing or not loadable) the window is
// still made and the editor works; opening it shows why it cannot save.
#include "editor/ToolWindows.h"
#include "editor/core/Messages.h"
#include "tools/ToolHost.h"

#include <QDialog>
#include <memory>
#include <utility>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;
class TZembraAviWriter;

class TToAVIForm : public QDialog, public IToAVITool {
    Q_OBJECT
public:
    explicit TToAVIForm(QWidget* parent);
    ~TToAVIForm() override;

    void SetHost(const TToolHost& host) { Host = host; }

    // IToAVITool: the controls show the project's settings and the compressor
    // list matches the pixel format; false (the reason shown) without the control.
    bool PrepareShow() override;

    // Handlers.
    void FormCreate();
    void AVIFileButtonClick();
    void AVIFileEditChange();
    void TimeSpinChange();
    void QualitySpinChange();
    void PixelComboChange();
    void UpdatePixelCombo();
    void UpdateCompCombo();
    void CompComboChange();
    void ParamButtonClick();
    void SaveButtonClick();

    // The hosted control, or null when it could not be created.
    TZembraAviWriter* AviWriter() const { return fAviWriter.get(); }
    // Why the control could not be created (empty when it was).
    const QString& ControlError() const { return fControlError; }

    QLabel* AVIFileLabel = nullptr;
    QLineEdit* AVIFileEdit = nullptr;
    QPushButton* AVIFileButton = nullptr;
    QLabel* TimeLabel = nullptr;
    QSpinBox* TimeSpin = nullptr;
    QLabel* MSLabel = nullptr;
    QLabel* QualityLabel = nullptr;
    QSpinBox* QualitySpin = nullptr;
    QLabel* PixelLabel = nullptr;
    QComboBox* PixelCombo = nullptr;
    QLabel* BitsLabel = nullptr;
    QLabel* CompLabel = nullptr;
    QComboBox* CompCombo = nullptr;
    QPushButton* ParamButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QWidget* AVIPanel = nullptr; // hidden: where the control sits on Windows

    TToAVIMessages Msg;
    // When true, a change of the compressor list or choice marks the project modified.
    bool IsSave = false;

protected:
    void done(int result) override; // FormClose

private:
    // The modified flag alone, unless the controls are being filled.
    void MarkModified() const;
    // A setting edited in the window (not while it is filled): one undoable step.
    template <class Change>
    void EditSetting(const QString& text, Change&& change, bool merge = false) const
    {
        if (!IsFill)
            Host.EditSetting(text, std::forward<Change>(change), merge);
    }
    // The compressor item chosen: an undoable step when IsSave, else only remembered.
    void SetCompressor(int index);
    void ShowMessage(const QString& text) const;
    TProjectOptions* Options() const { return Host.Core ? &Host.Core->Doc.Options : nullptr; }

    TToolHost Host;
    std::unique_ptr<TZembraAviWriter> fAviWriter;
    QString fControlError;
    bool IsFill = false; // the controls are being filled, not edited
};
