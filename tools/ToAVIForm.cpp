#include "tools/ToAVIForm.h"

#include "editor/Controls.h"
#include "editor/core/AviExport.h"
#include "editor/core/ZembraAviWriter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <algorithm>
#include <exception>

namespace {

// The engine's name of its full-frames entry.
const QString kNoCompressionName = QStringLiteral("Без сжатия");

// Compressor names come from a fixed-size field, padded with zero characters.
QString TrimmedName(QString name)
{
    while (!name.isEmpty() && name.back() == QChar(0))
        name.chop(1);
    return name;
}

} // namespace

TToAVIForm::TToAVIForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ToAVIForm"));
    setWindowTitle(QStringLiteral("Save AVI"));
    // A fixed dialog border: no resizing, no minimising or maximising.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    AVIFileEdit = new QLineEdit(this);
    AVIFileEdit->setObjectName(QStringLiteral("AVIFileEdit"));
    AVIFileLabel = MakeLabel(this, QStringLiteral("AVI"), AVIFileEdit, QStringLiteral("AVIFileLabel"));
    AVIFileButton = MakeButton(this, QStringLiteral("AVIFileButton"), QStringLiteral("Set"));
    AVIFileButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));

    TimeSpin = MakeSpin(this, QStringLiteral("TimeSpin"), 10, 1000000, 50);
    TimeSpin->setSingleStep(10);
    TimeLabel = MakeLabel(this, QStringLiteral("Frame Duration"), TimeSpin, QStringLiteral("TimeLabel"));
    MSLabel = MakeLabel(this, QStringLiteral("ms"), nullptr, QStringLiteral("MSLabel"));
    QualitySpin = MakeSpin(this, QStringLiteral("QualitySpin"), 0, 10000, 10000);
    QualitySpin->setSingleStep(100);
    QualityLabel = MakeLabel(this, QStringLiteral("Quality"), QualitySpin, QStringLiteral("QualityLabel"));

    PixelCombo = MakeCombo(this, QStringLiteral("PixelCombo"), {QStringLiteral("8"), QStringLiteral("24"), QStringLiteral("32")});
    PixelCombo->setCurrentIndex(1);
    PixelLabel = MakeLabel(this, QStringLiteral("Pixel Format"), PixelCombo, QStringLiteral("PixelLabel"));
    BitsLabel = MakeLabel(this, QStringLiteral("bits"), nullptr, QStringLiteral("BitsLabel"));
    CompCombo = MakeCombo(this, QStringLiteral("CompCombo"), {});
    CompLabel = MakeLabel(this, QStringLiteral("Compression"), CompCombo, QStringLiteral("CompLabel"));
    ParamButton = MakeButton(this, QStringLiteral("ParamButton"), QStringLiteral("Options"));
    ParamButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SaveButton = MakeButton(this, QStringLiteral("SaveButton"), QStringLiteral("Save"));
    SaveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SaveButton->setDefault(true);
    AVIPanel = new QWidget(this);
    AVIPanel->setObjectName(QStringLiteral("AVIPanel"));
    AVIPanel->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(AVIFileLabel, 0, 0);
    grid->addWidget(AVIFileEdit, 0, 1, 1, 4);
    grid->addWidget(AVIFileButton, 0, 5);
    grid->addWidget(TimeLabel, 1, 0);
    grid->addWidget(TimeSpin, 1, 1);
    grid->addWidget(MSLabel, 1, 2);
    grid->addWidget(QualityLabel, 1, 3);
    grid->addWidget(QualitySpin, 1, 4);
    grid->addWidget(PixelLabel, 2, 0);
    grid->addWidget(PixelCombo, 2, 1);
    grid->addWidget(BitsLabel, 2, 2);
    grid->addWidget(CompLabel, 2, 3);
    grid->addWidget(CompCombo, 2, 4);
    grid->addWidget(ParamButton, 2, 5);
    grid->addWidget(SaveButton, 3, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(3, 1);
    setFixedSize(506, 192);

    connect(AVIFileButton, &QPushButton::clicked, this, [this] { AVIFileButtonClick(); });
    connect(AVIFileEdit, &QLineEdit::textChanged, this, [this] { AVIFileEditChange(); });
    connect(TimeSpin, &QSpinBox::valueChanged, this, [this] { TimeSpinChange(); });
    connect(QualitySpin, &QSpinBox::valueChanged, this, [this] { QualitySpinChange(); });
    connect(PixelCombo, &QComboBox::activated, this, [this] { PixelComboChange(); });
    connect(CompCombo, &QComboBox::activated, this, [this] { CompComboChange(); });
    connect(ParamButton, &QPushButton::clicked, this, [this] { ParamButtonClick(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });

    // The control with the state the window gives it.
    try {
        fAviWriter = std::make_unique<TZembraAviWriter>(TZembraAviWriter::DialogState());
    } catch (const std::exception& error) {
        fControlError = QString::fromUtf8(error.what());
    }
    FormCreate();
}

TToAVIForm::~TToAVIForm() = default;

void TToAVIForm::FormCreate()
{
    IsSave = true;
}

void TToAVIForm::done(int result)
{
    QDialog::done(result);
    if (Host.Core && Host.Core->Hooks.CommandStates)
        Host.Core->Hooks.CommandStates(); // EnBut
}

void TToAVIForm::MarkModified() const
{
    if (!IsFill)
        Host.MarkModified();
}

void TToAVIForm::SetCompressor(int index)
{
    TProjectOptions* o = Options();
    if (!o)
        return;
    if (!IsSave) {
        o->AviCompressor = index; // remembered, not an edit
        return;
    }
    Host.EditSetting(QStringLiteral("Compression"), [index](TProjectOptions& opt) { opt.AviCompressor = index; });
}

void TToAVIForm::ShowMessage(const QString& text) const
{
    if (Host.Core)
        Host.Core->Dialogs.ShowMessage(text);
}

bool TToAVIForm::PrepareShow()
{
    if (!fAviWriter) {
        ShowMessage(fControlError);
        return false;
    }
    if (TProjectOptions* o = Options()) {
        IsFill = true;
        AVIFileEdit->setText(o->AviFile);
        TimeSpin->setValue(o->AviFrameTime);
        QualitySpin->setValue(o->AviQuality);
        SetComboIndex(PixelCombo, o->AviPixelFormat);
        IsFill = false;
    }
    try {
        PixelComboChange();
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what()));
        return false;
    }
    return true;
}

void TToAVIForm::AVIFileButtonClick()
{
    if (!Host.Core)
        return;
    TFileDialogRequest request;
    request.Filter = QStringLiteral("AVI (*.avi)|*.avi|All Files (*.*)|*.*");
    request.DefaultExt = QStringLiteral("avi");
    request.OverwritePrompt = true;
    request.FileName = AVIFileEdit->text();
    if (const auto chosen = Host.Core->Dialogs.SaveFile(request))
        AVIFileEdit->setText(chosen->FileName);
}

void TToAVIForm::AVIFileEditChange()
{
    const QString file = AVIFileEdit->text();
    EditSetting(QStringLiteral("AVI File"), [&file](TProjectOptions& o) { o.AviFile = file; }, true);
}

void TToAVIForm::TimeSpinChange()
{
    const int value = TimeSpin->value();
    EditSetting(QStringLiteral("AVI Frame Duration"), [value](TProjectOptions& o) { o.AviFrameTime = value; }, true);
}

void TToAVIForm::QualitySpinChange()
{
    const int value = QualitySpin->value();
    EditSetting(QStringLiteral("AVI Quality"), [value](TProjectOptions& o) { o.AviQuality = value; }, true);
}

void TToAVIForm::PixelComboChange()
{
    const int index = PixelCombo->currentIndex();
    const TProjectOptions* o = Options();
    if (!o || index < 0 || o->AviPixelFormat == index) {
        UpdatePixelCombo();
        return;
    }
    // The pixel format and the compressor item it leaves are one step.
    Host.EditSetting(QStringLiteral("Pixel Format"), [this, index](TProjectOptions& opt) {
        opt.AviPixelFormat = index;
        UpdatePixelCombo();
    });
}

void TToAVIForm::UpdatePixelCombo()
{
    if (!fAviWriter)
        return;
    if (PixelCombo->currentIndex() >= 0)
        fAviWriter->SetPixelFormat(AviPixelFormatOf(PixelCombo->currentIndex()));
    UpdateCompCombo();
}

void TToAVIForm::UpdateCompCombo()
{
    if (!fAviWriter)
        return;
    // The project's compressor item is the remembered selection.
    const TProjectOptions* options = Options();
    const int remembered = options ? options->AviCompressor : CompCombo->currentIndex();
    QStringList before;
    for (int i = 0; i < CompCombo->count(); ++i)
        before << CompCombo->itemText(i);

    fAviWriter->Compressorlist();
    QStringList items;
    const int count = fAviWriter->AVIGetCount();
    for (int i = 0; i < count; ++i) {
        const QString name = TrimmedName(fAviWriter->AVIGetName(i));
        items << (name == kNoCompressionName ? Msg.QNo : name);
    }
    const int selected = remembered >= 0 && remembered < count ? remembered : 0;
    CompCombo->clear();
    CompCombo->addItems(items);
    CompCombo->setCurrentIndex(items.isEmpty() ? -1 : selected);

    // Only a list or choice that changed is an edit of the project.
    if (TProjectOptions* o = Options(); o && o->AviCompressor != selected) {
        SetCompressor(selected);
    } else if (IsSave && before != items && !before.isEmpty()) {
        MarkModified();
    }
}

void TToAVIForm::CompComboChange()
{
    if (!fAviWriter || CompCombo->currentIndex() < 0)
        return;
    const int index = CompCombo->currentIndex();
    try {
        fAviWriter->SetCompression(fAviWriter->AVIGetCode(index));
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what()));
        return;
    }
    if (const TProjectOptions* o = Options(); o && o->AviCompressor != index)
        SetCompressor(index);
}

void TToAVIForm::ParamButtonClick()
{
    if (!fAviWriter)
        return;
    try {
        fAviWriter->ShowCompressorDialog(reinterpret_cast<void*>(winId()));
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what()));
    }
}

void TToAVIForm::SaveButtonClick()
{
    if (!Host.Core)
        return;
    if (!fAviWriter) {
        ShowMessage(fControlError);
        return;
    }
    TAviExportSettings settings;
    settings.FileName = AVIFileEdit->text();
    settings.FrameTime = TimeSpin->value();
    settings.Quality = QualitySpin->value();
    settings.PixelFormatIndex = std::max(PixelCombo->currentIndex(), 0);
    settings.CompressorIndex = std::max(CompCombo->currentIndex(), 0);
    TAviExportResult result = TAviExportResult::Written;
    try {
        result = ExportAvi(*Host.Core, *fAviWriter, settings, Msg);
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what())); // the window stays open
        return;
    }
    if (result == TAviExportResult::NoFileName) {
        ShowMessage(Msg.QSetAVI);
        AVIFileEdit->setFocus();
        return;
    }
    accept();
}
