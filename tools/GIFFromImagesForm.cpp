#include "tools/GIFFromImagesForm.h"

#include "editor/core/OptionsPage.h"
#include "model/ProjectOptions.h"
#include "tools/FolderForm.h"
#include "tools/FolderPaths.h"
#include "tools/GIFFromImages.h"
#include "tools/NumberedImages.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <exception>

const QString TGIFFromImagesForm::ImagesFilter = QStringLiteral(
    "Graphic Files (*.jpg; *.jpeg; *.png; *.bmp)|*.jpg;*.jpeg;*.png;*.bmp|JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|"
    "PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|All Files (*.*)|*.*");

TGIFFromImagesForm::TGIFFromImagesForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GIFFromImagesForm"));
    setWindowTitle(QStringLiteral("GIF From Images"));
    resize(440, 340);

    PageControl = new QStackedWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    BuildSelectSheet();
    BuildImagesSheet();
    BuildFolderSheet();

    PreviousButton = new QPushButton(QStringLiteral("Previous"), this);
    PreviousButton->setObjectName(QStringLiteral("PreviousButton"));
    NextButton = new QPushButton(QStringLiteral("Next"), this);
    NextButton->setObjectName(QStringLiteral("NextButton"));
    NextButton->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(PreviousButton);
    bottom->addWidget(NextButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl, 1);
    layout->addLayout(bottom);

    connect(PreviousButton, &QPushButton::clicked, this, [this] { PreviousButtonClick(); });
    connect(NextButton, &QPushButton::clicked, this, [this] { NextButtonClick(); });
    // The step caption comes with Init, when the main window opens the wizard.
    PageControl->setCurrentWidget(SelectSheet);
    PreviousButton->setEnabled(false);
    DoEnabled();
}

void TGIFFromImagesForm::BuildSelectSheet()
{
    SelectSheet = new QWidget(PageControl);
    SelectSheet->setObjectName(QStringLiteral("SelectSheet"));
    auto* group = new QGroupBox(QStringLiteral("Create GIF from"), SelectSheet);
    group->setObjectName(QStringLiteral("SelectGroupBox"));
    ImagesRadio = new QRadioButton(QStringLiteral("Individual images"), group);
    FolderRadio = new QRadioButton(QStringLiteral("Folder with numbered images"), group);
    SelectGroup = new QButtonGroup(this);
    SelectGroup->addButton(ImagesRadio, 0);
    SelectGroup->addButton(FolderRadio, 1);
    ImagesRadio->setChecked(true);
    auto* radios = new QVBoxLayout(group);
    radios->addWidget(ImagesRadio);
    radios->addWidget(FolderRadio);

    Spin = new QSpinBox(SelectSheet);
    Spin->setObjectName(QStringLiteral("Spin"));
    Spin->setRange(10, 1000000);
    Spin->setSingleStep(10);
    Spin->setValue(50);
    auto* duration = new QHBoxLayout;
    duration->addWidget(new QLabel(QStringLiteral("Frame Duration"), SelectSheet));
    duration->addWidget(Spin);
    duration->addWidget(new QLabel(QStringLiteral("ms"), SelectSheet));
    duration->addStretch(1);

    auto* layout = new QVBoxLayout(SelectSheet);
    layout->addWidget(group);
    layout->addLayout(duration);
    layout->addStretch(1);
    PageControl->addWidget(SelectSheet);

    connect(SelectGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (!IsFill)
            Host.EditSetting(QStringLiteral("Images Source"), [id](TProjectOptions& o) { o.ImagesSource = id; });
    });
    connect(Spin, &QSpinBox::editingFinished, this, [this] {
        const int value = Spin->value();
        if (!IsFill)
            Host.EditSetting(QStringLiteral("Images Duration"), [value](TProjectOptions& o) { o.ImagesDelay = value; });
    });
}

void TGIFFromImagesForm::BuildImagesSheet()
{
    ImagesSheet = new QWidget(PageControl);
    ImagesSheet->setObjectName(QStringLiteral("ImagesSheet"));
    ImagesList = new QListWidget(ImagesSheet);
    ImagesList->setObjectName(QStringLiteral("ImagesList"));
    ImagesList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto makeButton = [this](const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption, ImagesSheet);
        button->setObjectName(name);
        return button;
    };
    AddButton = makeButton(QStringLiteral("AddButton"), QStringLiteral("Add"));
    DeleteButton = makeButton(QStringLiteral("DeleteButton"), QStringLiteral("Delete"));
    StartButton = makeButton(QStringLiteral("StartButton"), QStringLiteral("Start"));
    UpButton = makeButton(QStringLiteral("UpButton"), QStringLiteral("Up"));
    DownButton = makeButton(QStringLiteral("DownButton"), QStringLiteral("Down"));
    EndButton = makeButton(QStringLiteral("EndButton"), QStringLiteral("End"));
    ClearButton = makeButton(QStringLiteral("ClearButton"), QStringLiteral("Clear"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {AddButton, DeleteButton, StartButton, UpButton, DownButton, EndButton, ClearButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* list = new QVBoxLayout;
    list->addWidget(new QLabel(QStringLiteral("Images"), ImagesSheet));
    list->addWidget(ImagesList, 1);
    auto* layout = new QHBoxLayout(ImagesSheet);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);
    PageControl->addWidget(ImagesSheet);

    connect(ImagesList, &QListWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(); });
    connect(AddButton, &QPushButton::clicked, this, [this] { Guard([this] { AddButtonClick(); }); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connect(ClearButton, &QPushButton::clicked, this, [this] { ClearButtonClick(); });
    connect(StartButton, &QPushButton::clicked, this, [this] { MoveSelection(qcmStart); });
    connect(UpButton, &QPushButton::clicked, this, [this] { MoveSelection(qcmUp); });
    connect(DownButton, &QPushButton::clicked, this, [this] { MoveSelection(qcmDown); });
    connect(EndButton, &QPushButton::clicked, this, [this] { MoveSelection(qcmEnd); });
}

void TGIFFromImagesForm::BuildFolderSheet()
{
    FolderSheet = new QWidget(PageControl);
    FolderSheet->setObjectName(QStringLiteral("FolderSheet"));
    auto* group = new QGroupBox(QStringLiteral("Folder"), FolderSheet);
    FolderEdit = new QLineEdit(group);
    FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
    SetButton = new QPushButton(QStringLiteral("Set"), group);
    SetButton->setObjectName(QStringLiteral("SetButton"));
    auto* row = new QHBoxLayout(group);
    row->addWidget(FolderEdit, 1);
    row->addWidget(SetButton);
    auto* layout = new QVBoxLayout(FolderSheet);
    layout->addWidget(group);
    layout->addStretch(1);
    PageControl->addWidget(FolderSheet);

    connect(FolderEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!IsFill)
            Host.EditSetting(QStringLiteral("Images Folder"), [&text](TProjectOptions& o) { o.ImagesFolder = text; }, true);
    });
    connect(SetButton, &QPushButton::clicked, this, [this] { Guard([this] { SetButtonClick(); }); });
}

void TGIFFromImagesForm::ShowMessage(const QString& text) const
{
    if (Host.Core)
        Host.Core->Dialogs.ShowMessage(text);
}

void TGIFFromImagesForm::Guard(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what()));
    }
}

void TGIFFromImagesForm::ShowSheet(QWidget* sheet)
{
    PageControl->setCurrentWidget(sheet);
    setWindowTitle(Msg.QStep + (sheet == SelectSheet ? QStringLiteral("1") : QStringLiteral("2")));
}

void TGIFFromImagesForm::Init()
{
    if (Host.Core) {
        const TProjectOptions& options = Host.Core->Doc.Options;
        IsFill = true;
        (options.ImagesSource == 1 ? FolderRadio : ImagesRadio)->setChecked(true);
        Spin->setValue(options.ImagesDelay);
        FolderEdit->setText(options.ImagesFolder);
        IsFill = false;
    }
    ShowSheet(SelectSheet);
    PreviousButton->setEnabled(false);
    DoEnabled();
}

void TGIFFromImagesForm::Reset()
{
    ImageList.Clear();
    FolderNames.clear();
    FolderPath.clear();
    FillList();
    Init();
}

void TGIFFromImagesForm::NextButtonClick()
{
    if (PageControl->currentWidget() == SelectSheet) {
        ShowSheet(SelectGroup->checkedId() == 1 ? FolderSheet : ImagesSheet);
        PreviousButton->setEnabled(true);
        return;
    }
    Guard([this] { CreateGIF(); });
}

QStringList TGIFFromImagesForm::Files() const
{
    if (PageControl->currentWidget() == FolderSheet) {
        QStringList files;
        for (const QString& name : FolderNames)
            files << QDir(FolderPath).filePath(name);
        return files;
    }
    return ImageList.Paths();
}

void TGIFFromImagesForm::CreateGIF()
{
    const QStringList files = Files();
    if (files.isEmpty()) {
        ShowMessage(Msg.QAddImages);
        return;
    }
    if (!Host.Core || !Host.Page)
        return;
    hide();
    TGIFFromImages builder(*Host.Core, *Host.Page);
    builder.Msg = Msg;
    builder.CreateGIF(files, Spin->value());
    ImageList.Clear();
    FolderNames.clear();
    FillList();
}

void TGIFFromImagesForm::FillList()
{
    const QSignalBlocker blocker(ImagesList);
    ImagesList->clear();
    for (int i = 0; i < ImageList.Count(); ++i) {
        ImagesList->addItem(ImageList.Name(i));
        ImagesList->item(i)->setSelected(ImageList.Selected(i));
    }
    DoEnabled();
}

void TGIFFromImagesForm::ListSelectionChanged()
{
    for (int i = 0; i < ImagesList->count() && i < ImageList.Count(); ++i)
        ImageList.SetSelected(i, ImagesList->item(i)->isSelected());
    DoEnabled();
}

void TGIFFromImagesForm::DoEnabled()
{
    const TImageList::TButtons b = ImageList.Buttons();
    ClearButton->setEnabled(b.Clear);
    StartButton->setEnabled(b.Start);
    UpButton->setEnabled(b.Up);
    DownButton->setEnabled(b.Down);
    EndButton->setEnabled(b.End);
    DeleteButton->setEnabled(b.Delete);
}

void TGIFFromImagesForm::AddButtonClick(const std::optional<QStringList>& files)
{
    QStringList chosen;
    if (files) {
        chosen = *files;
    } else {
        if (!Host.Core)
            return;
        TFileDialogRequest request;
        request.Filter = ImagesFilter;
        request.MustExist = true;
        request.MultiSelect = true;
        const auto result = Host.Core->Dialogs.OpenFile(request);
        if (!result)
            return;
        chosen = result->FileNames.isEmpty() ? QStringList{result->FileName} : result->FileNames;
    }
    const bool allTaken = ImageList.Add(chosen);
    FillList();
    ImagesList->scrollToBottom();
    if (!allTaken)
        ShowMessage(Msg.QOnlyImages);
}

void TGIFFromImagesForm::DeleteButtonClick()
{
    if (!ImageList.Delete())
        ShowMessage(Msg.QChooseImages);
    FillList();
}

void TGIFFromImagesForm::ClearButtonClick()
{
    ImageList.Clear();
    FillList();
}

void TGIFFromImagesForm::MoveSelection(TMoveMode mode)
{
    if (!ImageList.Move(mode)) {
        ShowMessage(Msg.QChooseImages);
        return;
    }
    FillList();
}

void TGIFFromImagesForm::SetButtonClick()
{
    // Cancel leaves the box as typed, and that folder is read.
    if (Host.FolderForm)
        Host.FolderForm->SetFolder(*FolderEdit);
    LoadFolder();
}

void TGIFFromImagesForm::LoadFolder()
{
    const QString folder = FolderEdit->text();
    if (!ForceFolder(folder)) {
        ShowMessage(Msg.QSetFolder);
        return;
    }
    FolderNames.clear();
    FolderPath.clear();
    if (!Host.Core)
        return;
    TProgress& progress = Host.Core->Progress();
    const auto names = LoadNumberedImages(folder, progress, Msg);
    progress.SetApply(false);
    if (!names)
        return;
    FolderNames = *names;
    FolderPath = QFileInfo(folder).absoluteFilePath();
}
