#pragma once
// TFolderForm, "Set Folder": picks an existing folder or creates a new one.
// The drive box lists the mounted volumes; choosing one re-roots the folder
// tree. The tree's selected folder is the dialog's result.
#include "editor/core/Messages.h"

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TDialogs;

class TFolderForm : public QDialog {
    Q_OBJECT
public:
    explicit TFolderForm(QWidget* parent);

    // Messages go through this seam (none: the dialog shows no message).
    void SetDialogs(TDialogs* dialogs) { Dialogs = dialogs; }

    // Runs the dialog on a tool's folder box: it opens in the box's folder, or
    // in the user's Pictures folder when that is not an existing folder. On OK
    // the box takes the chosen folder and true is returned; Cancel changes nothing.
    bool SetFolder(QLineEdit& folderEdit);

    // Opens the tree at the path, on the volume that holds it.
    void SetPath(const QString& path);
    // The selected folder (the tree's root when nothing is selected).
    QString SelectedFolder() const;
    void SelectDrive(const QString& root);

    // "Create": a subfolder of the selected folder named by NewFolderEdit.
    void CreateButtonClick();

    QComboBox* DiskCombo = nullptr;
    QTreeView* FolderList = nullptr;
    QLineEdit* NewFolderEdit = nullptr;
    QPushButton* CreateButton = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    TFolderMessages Msg;

private:
    // The mount point that holds the path.
    QString DriveOf(const QString& path) const;
    void ShowMessage(const QString& text);

    TDialogs* Dialogs = nullptr;
    QFileSystemModel* Model = nullptr;
};
