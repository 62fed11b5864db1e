#include "tools/FolderForm.h"

#include "platform/Dialogs.h"
#include "platform/KnownFolders.h"
#include "tools/FolderPaths.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

TFolderForm::TFolderForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FolderForm"));
    setWindowTitle(QStringLiteral("Set Folder"));
    resize(420, 460);

    DiskCombo = new QComboBox(this);
    DiskCombo->setObjectName(QStringLiteral("DiskCombo"));
    QStringList roots{QDir::rootPath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    DiskCombo->addItems(roots);

    Model = new QFileSystemModel(this);
    Model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    Model->setRootPath(QDir::rootPath());
    FolderList = new QTreeView(this);
    FolderList->setObjectName(QStringLiteral("FolderList"));
    FolderList->setModel(Model);
    for (int column = 1; column < Model->columnCount(); ++column)
        FolderList->hideColumn(column);
    FolderList->header()->hide();
    FolderList->setRootIndex(Model->index(QDir::rootPath()));

    NewFolderEdit = new QLineEdit(this);
    NewFolderEdit->setObjectName(QStringLiteral("NewFolderEdit"));
    CreateButton = new QPushButton(QStringLiteral("Create"), this);
    CreateButton->setObjectName(QStringLiteral("CreateButton"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Drive"), this), 0, 0);
    layout->addWidget(DiskCombo, 0, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Folder"), this), 1, 0, Qt::AlignTop);
    layout->addWidget(FolderList, 1, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("New Folder"), this), 2, 0);
    layout->addWidget(NewFolderEdit, 2, 1);
    layout->addWidget(CreateButton, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    // The model reads folders in the background: keep the selection in view.
    connect(Model, &QFileSystemModel::directoryLoaded, this,
            [this] { FolderList->scrollTo(FolderList->currentIndex()); });
    connect(DiskCombo, &QComboBox::activated, this, [this](int index) { SelectDrive(DiskCombo->itemText(index)); });
    connect(CreateButton, &QPushButton::clicked, this, &TFolderForm::CreateButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFolderForm::DriveOf(const QString& path) const
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QString best = QDir::rootPath();
    for (int i = 0; i < DiskCombo->count(); ++i) {
        const QString root = DiskCombo->itemText(i);
        const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        if ((clean == root || clean.startsWith(prefix)) && root.size() > best.size())
            best = root;
    }
    return best;
}

void TFolderForm::SelectDrive(const QString& root)
{
    const int item = DiskCombo->findText(root);
    if (item >= 0)
        DiskCombo->setCurrentIndex(item);
    FolderList->setRootIndex(Model->index(root));
    FolderList->setCurrentIndex(Model->index(root));
}

void TFolderForm::SetPath(const QString& path)
{
    // A folder that is gone opens at its nearest existing parent.
    QString folder = QDir::cleanPath(QDir(path).absolutePath());
    while (!QFileInfo(folder).isDir() && folder != QDir::rootPath())
        folder = QFileInfo(folder).absolutePath();
    SelectDrive(DriveOf(folder));
    const QModelIndex index = Model->index(folder);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        FolderList->expand(parent);
    FolderList->setCurrentIndex(index);
    FolderList->scrollTo(index);
}

QString TFolderForm::SelectedFolder() const
{
    const QModelIndex index = FolderList->currentIndex();
    if (index.isValid())
        return QDir::cleanPath(Model->filePath(index));
    return DiskCombo->currentText();
}

void TFolderForm::ShowMessage(const QString& text)
{
    if (Dialogs)
        Dialogs->ShowMessage(text);
}

void TFolderForm::CreateButtonClick()
{
    QString created;
    switch (CreateSubfolder(SelectedFolder(), NewFolderEdit->text(), &created)) {
    case TNewFolderResult::Created:
        SetPath(created);
        NewFolderEdit->clear();
        return;
    case TNewFolderResult::EmptyName:
        ShowMessage(Msg.QSetNewFolder);
        break;
    case TNewFolderResult::Failed:
        ShowMessage(Msg.QNotCreated);
        break;
    }
    NewFolderEdit->setFocus();
}

bool TFolderForm::SetFolder(QLineEdit& folderEdit)
{
    SetPath(StartFolder(folderEdit.text(), GetKnownFolderPath(TKnownFolder::Pictures)));
    NewFolderEdit->clear();
    if (exec() != QDialog::Accepted)
        return false;
    folderEdit.setText(QDir::toNativeSeparators(SelectedFolder()));
    return true;
}
