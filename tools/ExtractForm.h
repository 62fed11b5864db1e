#pragma once
// TExtractForm, "Extract Frames": writes the rendered animation's frames as
// picture files (JPG, PNG, GIF or BMP) into a folder, all frames or the
// frames selected in the strip. The folder, the JPEG quality and "Selected
// Only" are kept in the project's settings.
#include "editor/ToolWindows.h"
#include "editor/core/Messages.h"
#include "tools/FrameExtraction.h"
#include "tools/ToolHost.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class TExtractForm : public QDialog, public IExtractTool {
    Q_OBJECT
public:
    explicit TExtractForm(QWidget* parent);

    void SetHost(const TToolHost& host) { Host = host; }

    void PrepareShow() override;
    // Quality label and track serve JPG only.
    void DoEnabled();
    void ExtractButtonClick();
    void SetButtonClick();

    TExtractRequest Request() const;

    QComboBox* FormatCombo = nullptr;
    QLabel* QualityLabel = nullptr;
    QSlider* QualityTrack = nullptr;
    QCheckBox* SelectCheck = nullptr;
    QLineEdit* FolderEdit = nullptr;
    QPushButton* SetButton = nullptr;
    QPushButton* ExtractButton = nullptr;

    TExtractMessages Msg;

private:
    void ShowQuality();
    void ShowMessage(const QString& text) const;

    TToolHost Host;
    bool IsFill = false; // the controls are being filled, not edited
};
