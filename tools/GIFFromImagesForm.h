#pragma once
// TGIFFromImagesForm, "GIF From Images": a two-step wizard. Step 1 chooses the
// source (single pictures, or a folder of numbered pictures) and the frame
// duration; step 2 gathers the pictures; "Next" there makes them the
// project's background GIF (TGIFFromImages) and closes the wizard.
#include "editor/ToolWindows.h"
#include "editor/core/Messages.h"
#include "tools/ImageList.h"
#include "tools/ToolHost.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

class TGIFFromImagesForm : public QDialog, public IGIFFromImagesTool {
    Q_OBJECT
public:
    explicit TGIFFromImagesForm(QWidget* parent);

    void SetHost(const TToolHost& host) { Host = host; }

    void Init() override;
    void Reset() override;
    void NextButtonClick();
    void PreviousButtonClick() { Init(); }

    // "Images" page.
    // Adds files (the open dialog's choice unless given).
    void AddButtonClick(const std::optional<QStringList>& files = std::nullopt);
    void DeleteButtonClick();
    void ClearButtonClick();
    void MoveSelection(TMoveMode mode);
    void DoEnabled();

    // "Folder" page: the folder dialog, then the folder named by the box is
    // read, also when the dialog was cancelled.
    void SetButtonClick();
    // Reads the numbered pictures of the folder named by FolderEdit.
    void LoadFolder();

    // The pictures "Next" will turn into frames, full paths in order.
    QStringList Files() const;
    const TImageList& Images() const { return ImageList; }

    // Controls.
    QStackedWidget* PageControl = nullptr;
    QWidget* SelectSheet = nullptr;
    QWidget* ImagesSheet = nullptr;
    QWidget* FolderSheet = nullptr;
    QButtonGroup* SelectGroup = nullptr;
    QRadioButton* ImagesRadio = nullptr;
    QRadioButton* FolderRadio = nullptr;
    QSpinBox* Spin = nullptr;
    QListWidget* ImagesList = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* StartButton = nullptr;
    QPushButton* UpButton = nullptr;
    QPushButton* DownButton = nullptr;
    QPushButton* EndButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QLineEdit* FolderEdit = nullptr;
    QPushButton* SetButton = nullptr;
    QPushButton* PreviousButton = nullptr;
    QPushButton* NextButton = nullptr;

    TGIFFromImagesMessages Msg;
    static const QString ImagesFilter;

private:
    void BuildSelectSheet();
    void BuildImagesSheet();
    void BuildFolderSheet();
    void ShowSheet(QWidget* sheet);
    // Shows the list of pictures with its selection.
    void FillList();
    void ListSelectionChanged();
    void CreateGIF();
    void ShowMessage(const QString& text) const;
    // Runs a command; its error is shown as a message.
    void Guard(const std::function<void()>& command);

    TToolHost Host;
    TImageList ImageList;       // the "Images" page: full paths
    QStringList FolderNames;    // the "Folder" page: bare names in FolderPath
    QString FolderPath;
    bool IsFill = false;        // the controls are being filled, not edited
};
