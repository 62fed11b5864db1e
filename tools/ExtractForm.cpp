#include "tools/ExtractForm.h"

#include "platform/KnownFolders.h"
#include "tools/FolderForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

TExtractForm::TExtractForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExtractForm"));
    setWindowTitle(QStringLiteral("Extract Frames"));
    resize(420, 240);

    FormatCombo = new QComboBox(this);
    FormatCombo->setObjectName(QStringLiteral("FormatCombo"));
    FormatCombo->addItems({QStringLiteral("JPG"), QStringLiteral("PNG"), QStringLiteral("GIF"), QStringLiteral("BMP")});
    QualityLabel = new QLabel(QStringLiteral("Quality:"), this);
    QualityLabel->setObjectName(QStringLiteral("QualityLabel"));
    QualityTrack = new QSlider(Qt::Horizontal, this);
    QualityTrack->setObjectName(QStringLiteral("QualityTrack"));
    QualityTrack->setRange(1, 100);
    QualityTrack->setValue(1);
    SelectCheck = new QCheckBox(QStringLiteral("Selected Only"), this);
    SelectCheck->setObjectName(QStringLiteral("SelectCheck"));

    auto* folderGroup = new QGroupBox(QStringLiteral("Folder"), this);
    FolderEdit = new QLineEdit(folderGroup);
    FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
    SetButton = new QPushButton(QStringLiteral("Set"), folderGroup);
    SetButton->setObjectName(QStringLiteral("SetButton"));
    auto* folderRow = new QHBoxLayout(folderGroup);
    folderRow->addWidget(FolderEdit, 1);
    folderRow->addWidget(SetButton);

    ExtractButton = new QPushButton(QStringLiteral("Extract"), this);
    ExtractButton->setObjectName(QStringLiteral("ExtractButton"));
    ExtractButton->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Format"), this), 0, 0);
    grid->addWidget(FormatCombo, 0, 1);
    grid->addWidget(SelectCheck, 0, 2);
    grid->addWidget(QualityLabel, 1, 0);
    grid->addWidget(QualityTrack, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ExtractButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(folderGroup);
    layout->addStretch(1);
    layout->addLayout(bottom);

    connect(FormatCombo, &QComboBox::currentIndexChanged, this, [this] {
        DoEnabled();
        if (!IsFill)
            Host.MarkModified();
    });
    connect(QualityTrack, &QSlider::valueChanged, this, [this](int value) {
        ShowQuality();
        if (!IsFill)
            Host.EditSetting(QStringLiteral("Extraction Quality"), [value](TProjectOptions& o) { o.ExtractQuality = value; }, true);
    });
    connect(SelectCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (!IsFill)
            Host.EditSetting(QStringLiteral("Selected Only"), [on](TProjectOptions& o) { o.SelectedOnly = on; });
    });
    connect(FolderEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!IsFill)
            Host.EditSetting(QStringLiteral("Extraction Folder"), [&text](TProjectOptions& o) { o.ExtractFolder = text; }, true);
    });
    connect(SetButton, &QPushButton::clicked, this, [this] { SetButtonClick(); });
    connect(ExtractButton, &QPushButton::clicked, this, [this] { ExtractButtonClick(); });
}

void TExtractForm::ShowQuality()
{
    QualityLabel->setText(Msg.QQuality + QStringLiteral(": ") + QString::number(QualityTrack->value()) +
                          QStringLiteral("%"));
}

void TExtractForm::DoEnabled()
{
    const bool jpeg = FormatCombo->currentIndex() == int(TExtractFormat::Jpg);
    QualityLabel->setEnabled(jpeg);
    QualityTrack->setEnabled(jpeg);
}

void TExtractForm::PrepareShow()
{
    if (Host.Core) {
        TProjectOptions& options = Host.Core->Doc.Options;
        // An empty folder box offers the Pictures folder; that is no edit.
        if (options.ExtractFolder.trimmed().isEmpty())
            options.ExtractFolder = GetKnownFolderPath(TKnownFolder::Pictures);
        IsFill = true;
        FolderEdit->setText(options.ExtractFolder);
        QualityTrack->setValue(std::clamp(options.ExtractQuality, 1, 100));
        SelectCheck->setChecked(options.SelectedOnly);
        IsFill = false;
    }
    ShowQuality();
    DoEnabled();
}

TExtractRequest TExtractForm::Request() const
{
    TExtractRequest request;
    request.Folder = FolderEdit->text();
    request.Format = TExtractFormat(std::clamp(FormatCombo->currentIndex(), 0, 3));
    request.Quality = QualityTrack->value();
    request.SelectedOnly = SelectCheck->isChecked();
    return request;
}

void TExtractForm::ShowMessage(const QString& text) const
{
    if (Host.Core)
        Host.Core->Dialogs.ShowMessage(text);
}

void TExtractForm::SetButtonClick()
{
    if (Host.FolderForm)
        Host.FolderForm->SetFolder(*FolderEdit);
}

void TExtractForm::ExtractButtonClick()
{
    if (!Host.Core)
        return;
    try {
        if (!ExtractFrames(*Host.Core, Request(), Msg)) {
            ShowMessage(Msg.QSetFolder);
            return;
        }
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what()));
        return;
    }
    accept();
}
