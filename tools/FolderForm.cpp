#include "tools/FolderForm.h"

TFolderForm::TFolderForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FolderForm"));
    setWindowTitle(QStringLiteral("Set Folder"));
}
