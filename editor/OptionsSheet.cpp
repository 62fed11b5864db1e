#include "editor/OptionsSheet.h"

#include "editor/ColorShape.h"
#include "editor/Controls.h"
#include "editor/ImagePanel.h"
#include "editor/core/CommandStates.h"
#include "editor/core/OptionsPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// Size of the background preview boxes (the "No" placeholder's size).
constexpr QSize PreviewBoxSize(140, 118);

TImagePanel* MakePreviewBox(QWidget* parent, const QString& name)
{
    auto* box = new TImagePanel(parent);
    box->setObjectName(name);
    box->setFixedSize(PreviewBoxSize);
    box->SetStretch(true);
    box->SetFillColor(Qt::white);
    return box;
}

} // namespace

TOptionsSheet::TOptionsSheet(QWidget* parent)
    : QWidget(parent)
{
    QWidget* page = this;
    setObjectName(QStringLiteral("OptionsSheet"));

    // Background GIF.
    auto* gifGroup = new QGroupBox(page);
    gifGroup->setObjectName(QStringLiteral("GIFFileGroup"));
    GIFOpenButton = MakeButton(gifGroup, QStringLiteral("GIFOpenButton"), QStringLiteral("Open"));
    GIFDeleteButton = MakeButton(gifGroup, QStringLiteral("GIFDeleteButton"), QStringLiteral("Delete"));
    GIFImage = MakePreviewBox(gifGroup, QStringLiteral("GIFImage"));
    GIFDimensionsLabel = MakeLabel(gifGroup, {}, nullptr, QStringLiteral("GIFDimensionsLabel"));
    BackFramesCountLabel = MakeLabel(gifGroup, {}, nullptr, QStringLiteral("BackFramesCountLabel"));
    {
        auto* grid = new QGridLayout(gifGroup);
        grid->addWidget(MakeLabel(gifGroup, QStringLiteral("GIF File"), GIFOpenButton, QStringLiteral("GIFFileLabel")), 0, 0, 1, 2);
        grid->addWidget(GIFImage, 1, 0, 4, 1);
        grid->addWidget(GIFOpenButton, 1, 1);
        grid->addWidget(GIFDeleteButton, 2, 1);
        grid->addWidget(GIFDimensionsLabel, 3, 1);
        grid->addWidget(BackFramesCountLabel, 4, 1);
        grid->setColumnStretch(2, 1);
    }

    // Background picture.
    auto* pictureGroup = new QGroupBox(page);
    pictureGroup->setObjectName(QStringLiteral("PictureFileGroup"));
    PictureOpenButton = MakeButton(pictureGroup, QStringLiteral("PictureOpenButton"), QStringLiteral("Open"));
    PictureDeleteButton = MakeButton(pictureGroup, QStringLiteral("PictureDeleteButton"), QStringLiteral("Delete"));
    PictureImage = MakePreviewBox(pictureGroup, QStringLiteral("PictureImage"));
    PictureDimensionsLabel = MakeLabel(pictureGroup, {}, nullptr, QStringLiteral("PictureDimensionsLabel"));
    {
        auto* grid = new QGridLayout(pictureGroup);
        grid->addWidget(MakeLabel(pictureGroup, QStringLiteral("JPG, PNG, BMP File"), PictureOpenButton, QStringLiteral("PictureFileLabel")), 0, 0, 1, 2);
        grid->addWidget(PictureImage, 1, 0, 4, 1);
        grid->addWidget(PictureOpenButton, 1, 1);
        grid->addWidget(PictureDeleteButton, 2, 1);
        grid->addWidget(PictureDimensionsLabel, 3, 1);
        grid->setRowStretch(4, 1);
        grid->setColumnStretch(2, 1);
    }

    // Colour, frame size and transparency.
    auto* frameGroup = new QGroupBox(QStringLiteral("Background"), page);
    frameGroup->setObjectName(QStringLiteral("BackgroundGroup"));
    BackColorShape = new TColorShape(frameGroup);
    BackColorShape->setObjectName(QStringLiteral("BackColorShape"));
    BackColorButton = MakeButton(frameGroup, QStringLiteral("BackColorButton"), QStringLiteral("..."));
    BackColorButton->setFixedWidth(32);
    BackWidthSpin = MakeSpin(frameGroup, QStringLiteral("BackWidthSpin"), 1, 10000, 200);
    BackHeightSpin = MakeSpin(frameGroup, QStringLiteral("BackHeightSpin"), 1, 10000, 200);
    ProportionalCheck = MakeCheck(frameGroup, QStringLiteral("ProportionalCheck"), QStringLiteral("Maintain Aspect Ratio"), true);
    BackTransparentCheck = MakeCheck(frameGroup, QStringLiteral("BackTransparentCheck"), QStringLiteral("Transparent"), false);
    {
        auto* grid = new QGridLayout(frameGroup);
        grid->addWidget(MakeLabel(frameGroup, QStringLiteral("Color"), BackColorButton, QStringLiteral("BackColorLabel")), 0, 0);
        auto* colorRow = new QHBoxLayout;
        colorRow->addWidget(BackColorShape);
        colorRow->addWidget(BackColorButton);
        colorRow->addStretch(1);
        grid->addLayout(colorRow, 0, 1);
        grid->addWidget(MakeLabel(frameGroup, QStringLiteral("Width"), BackWidthSpin), 1, 0);
        grid->addWidget(BackWidthSpin, 1, 1);
        grid->addWidget(MakeLabel(frameGroup, QStringLiteral("Height"), BackHeightSpin), 2, 0);
        grid->addWidget(BackHeightSpin, 2, 1);
        grid->addWidget(ProportionalCheck, 3, 0, 1, 2);
        grid->addWidget(BackTransparentCheck, 4, 0, 1, 2);
        grid->setColumnStretch(2, 1);
    }

    // Durations and loop.
    auto* animationGroup = new QGroupBox(QStringLiteral("Animation"), page);
    animationGroup->setObjectName(QStringLiteral("AnimationGroup"));
    FrameDelaySpin = MakeSpin(animationGroup, QStringLiteral("FrameDelaySpin"), 10, 1000000, 50);
    InfinityCheck = MakeCheck(animationGroup, QStringLiteral("InfinityCheck"), QStringLiteral("Infinitely"), true);
    TimesSpin = MakeSpin(animationGroup, QStringLiteral("TimesSpin"), 1, 1000, 1);
    OptimiseCheck = MakeCheck(animationGroup, QStringLiteral("OptimiseCheck"), QStringLiteral("Optimise"), true);
    OptimiseCheck->setToolTip(QStringLiteral("Save GIF writes only what changes from frame to frame"));
    {
        auto* grid = new QGridLayout(animationGroup);
        grid->addWidget(MakeLabel(animationGroup, QStringLiteral("Default Frame Duration"), FrameDelaySpin), 0, 0);
        grid->addWidget(FrameDelaySpin, 0, 1);
        grid->addWidget(MakeLabel(animationGroup, QStringLiteral("ms"), nullptr, QStringLiteral("FrameDelayMSLabel")), 0, 2);
        grid->addWidget(InfinityCheck, 1, 0, 1, 3);
        grid->addWidget(MakeLabel(animationGroup, QStringLiteral("Repeat"), TimesSpin, QStringLiteral("RepeatLabel")), 2, 0);
        grid->addWidget(TimesSpin, 2, 1);
        grid->addWidget(MakeLabel(animationGroup, QStringLiteral("time(s)"), nullptr, QStringLiteral("TimesLabel")), 2, 2);
        grid->addWidget(OptimiseCheck, 3, 0, 1, 3);
        grid->setColumnStretch(3, 1);
    }

    auto* grid = new QGridLayout(page);
    grid->addWidget(gifGroup, 0, 0);
    grid->addWidget(pictureGroup, 0, 1);
    grid->addWidget(frameGroup, 1, 0);
    grid->addWidget(animationGroup, 1, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
}

void TOptionsSheet::Wire(TOptionsPage& page, const TGuard& guard)
{
    TOptionsPage* p = &page;
    const auto click = [this, guard](QPushButton* button, std::function<void()> apply) {
        connect(button, &QPushButton::clicked, this, [guard, apply] { guard(apply); });
    };
    click(GIFOpenButton, [p] { p->GIFOpenButtonClick(); });
    click(GIFDeleteButton, [p] { p->GIFDeleteButtonClick(); });
    click(PictureOpenButton, [p] { p->PictureOpenButtonClick(); });
    click(PictureDeleteButton, [p] { p->PictureDeleteButtonClick(); });
    click(BackColorButton, [p] { p->BackColorButtonClick(); });

    // Boxes act when they are left or on Enter, as their values are typed.
    const auto spin = [this, guard](QSpinBox* box, void (TOptionsPage::*apply)(int), TOptionsPage* target) {
        connect(box, &QSpinBox::editingFinished, this,
                [guard, box, apply, target] { guard([&] { (target->*apply)(box->value()); }); });
    };
    spin(BackWidthSpin, &TOptionsPage::BackWidthSpinExit, p);
    spin(BackHeightSpin, &TOptionsPage::BackHeightSpinExit, p);
    spin(TimesSpin, &TOptionsPage::TimesSpinExit, p);
    spin(FrameDelaySpin, &TOptionsPage::FrameDelaySpinExit, p);
    const auto check = [this, guard](QCheckBox* box, void (TOptionsPage::*apply)(bool), TOptionsPage* target) {
        connect(box, &QCheckBox::clicked, this,
                [guard, apply, target](bool on) { guard([&] { (target->*apply)(on); }); });
    };
    check(ProportionalCheck, &TOptionsPage::ProportionalCheckClick, p);
    check(BackTransparentCheck, &TOptionsPage::BackTransparentCheckClick, p);
    check(InfinityCheck, &TOptionsPage::InfinityCheckClick, p);
    // A setting of the user's, not an edit of the project.
    connect(OptimiseCheck, &QCheckBox::toggled, this, [p](bool on) { p->OptimiseGIF = on; });
}

void TOptionsSheet::OpenGIF()
{
    GIFOpenButton->click();
}

void TOptionsSheet::ShowOptimise(bool on)
{
    OptimiseCheck->setChecked(on);
}

void TOptionsSheet::Show(const TOptionsPage& page, const TBitmap& backPicture, const TBitmap& no)
{
    const TProjectOptions& o = page.Options();
    const QSignalBlocker blocks[] = {QSignalBlocker(BackWidthSpin), QSignalBlocker(BackHeightSpin),
                                     QSignalBlocker(ProportionalCheck), QSignalBlocker(BackTransparentCheck),
                                     QSignalBlocker(FrameDelaySpin), QSignalBlocker(InfinityCheck),
                                     QSignalBlocker(TimesSpin)};
    BackColorShape->SetColor(o.BackShapeColor);
    BackWidthSpin->setValue(page.BackWidth);
    BackHeightSpin->setValue(page.BackHeight);
    ProportionalCheck->setChecked(o.MaintainAspectRatio);
    BackTransparentCheck->setChecked(o.BackTransparent);
    FrameDelaySpin->setValue(o.FrameDelay);
    InfinityCheck->setChecked(o.InfiniteLoop);
    TimesSpin->setValue(o.RepeatCount);
    TimesSpin->setEnabled(page.TimesEnabled());
    EnableLabels(this, {"TimesLabel"}, page.TimesEnabled());
    GIFDimensionsLabel->setText(page.GIFDimensions);
    BackFramesCountLabel->setText(page.BackFramesCount);
    PictureDimensionsLabel->setText(page.PictureDimensions);
    GIFImage->SetPicture(page.GIFPreview.Empty() ? no : page.GIFPreview);
    PictureImage->SetPicture(page.PicturePreview ? backPicture : no);
}

void TOptionsSheet::ShowStates(const TCommandStates& s)
{
    BackTransparentCheck->setEnabled(s.Project);
    BackWidthSpin->setEnabled(true);
    BackHeightSpin->setEnabled(true);
    BackColorShape->setEnabled(s.Frames);
    BackColorButton->setEnabled(s.Frames);
    EnableLabels(this, {"BackColorLabel"}, s.Frames);
    GIFOpenButton->setEnabled(s.Project);
    PictureOpenButton->setEnabled(s.Project);
    EnableLabels(this, {"GIFFileLabel", "PictureFileLabel"}, s.Project);
    GIFDeleteButton->setEnabled(s.BackGIFDelete);
    BackFramesCountLabel->setEnabled(s.BackGIFDelete);
    PictureDeleteButton->setEnabled(s.PictureDelete);
    InfinityCheck->setEnabled(s.Frames);
    EnableLabels(this, {"RepeatLabel"}, s.Frames);
    TimesSpin->setEnabled(s.Times);
    EnableLabels(this, {"TimesLabel"}, s.Times);
    FrameDelaySpin->setEnabled(s.AddFrame);
    EnableLabels(this, {"FrameDelayLabel", "FrameDelayMSLabel"}, s.AddFrame);
}

