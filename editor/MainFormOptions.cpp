// TMainForm: the "Options" page (background, frame size, durations, loop), the
// "Preview" page, and the wiring of the page and the project commands.
#include "editor/MainForm.h"

#include "editor/ColorShape.h"
#include "editor/Controls.h"
#include "editor/ImagePanel.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/PropertyPanels.h"

#include <QAction>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

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

void TMainForm::BuildOptionsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("OptionsSheet"));

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
    PageControl->addTab(page, QStringLiteral("Options"));
}

void TMainForm::BuildPreviewPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PreviewSheet"));

    // The preview control (GIFAnimator) is placed into this black panel.
    GIFAnimatorPanel = new QWidget(page);
    GIFAnimatorPanel->setObjectName(QStringLiteral("GIFAnimatorPanel"));
    GIFAnimatorPanel->setAutoFillBackground(true);
    GIFAnimatorPanel->setStyleSheet(QStringLiteral("#GIFAnimatorPanel { background: black; }"));
    GIFAnimatorPanel->setAttribute(Qt::WA_StyledBackground);
    GIFAnimatorPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    PlayButton = MakeButton(page, QStringLiteral("PlayButton"), QStringLiteral("Play"));
    StopButton = MakeButton(page, QStringLiteral("StopButton"), QStringLiteral("Stop"));
    StartButton = MakeButton(page, QStringLiteral("StartButton"), QStringLiteral("Start"));
    PreviousButton = MakeButton(page, QStringLiteral("PreviousButton"), QStringLiteral("Previous"));
    NextButton = MakeButton(page, QStringLiteral("NextButton"), QStringLiteral("Next"));
    EndButton = MakeButton(page, QStringLiteral("EndButton"), QStringLiteral("End"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {PlayButton, StopButton, StartButton, PreviousButton, NextButton, EndButton})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(GIFAnimatorPanel, 1);
    layout->addLayout(buttons);
    PageControl->addTab(page, QStringLiteral("Preview"));
}

void TMainForm::BuildOptionsWiring()
{
    Page = std::make_unique<TOptionsPage>(*Core);
    Page->Changed = [this] { ShowOptionsPage(); };

    connect(GIFOpenButton, &QPushButton::clicked, this, [this] { Guard([this] { Page->GIFOpenButtonClick(); }); });
    connect(OpenGIFAct, &QAction::triggered, GIFOpenButton, &QPushButton::click);
    connect(GIFDeleteButton, &QPushButton::clicked, this, [this] { Guard([this] { Page->GIFDeleteButtonClick(); }); });
    connect(PictureOpenButton, &QPushButton::clicked, this,
            [this] { Guard([this] { Page->PictureOpenButtonClick(); }); });
    connect(PictureDeleteButton, &QPushButton::clicked, this,
            [this] { Guard([this] { Page->PictureDeleteButtonClick(); }); });
    connect(BackColorButton, &QPushButton::clicked, this, [this] { Guard([this] { Page->BackColorButtonClick(); }); });

    // Boxes act when they are left or on Enter, as their values are typed.
    connect(BackWidthSpin, &QSpinBox::editingFinished, this,
            [this] { Guard([this] { Page->BackWidthSpinExit(BackWidthSpin->value()); }); });
    connect(BackHeightSpin, &QSpinBox::editingFinished, this,
            [this] { Guard([this] { Page->BackHeightSpinExit(BackHeightSpin->value()); }); });
    connect(ProportionalCheck, &QCheckBox::clicked, this, [this](bool on) { Guard([this, on] { Page->ProportionalCheckClick(on); }); });
    connect(BackTransparentCheck, &QCheckBox::clicked, this,
            [this](bool on) { Guard([this, on] { Page->BackTransparentCheckClick(on); }); });
    connect(OptimiseCheck, &QCheckBox::toggled, this, [this](bool on) { Page->OptimiseGIF = on; });
    connect(InfinityCheck, &QCheckBox::clicked, this, [this](bool on) { Guard([this, on] { Page->InfinityCheckClick(on); }); });
    connect(TimesSpin, &QSpinBox::editingFinished, this,
            [this] { Guard([this] { Page->TimesSpinExit(TimesSpin->value()); }); });
    connect(FrameDelaySpin, &QSpinBox::editingFinished, this,
            [this] { Guard([this] { Page->FrameDelaySpinExit(FrameDelaySpin->value()); }); });
    connect(CurrentFrameDelaySpin, &QSpinBox::editingFinished, this,
            [this] { Guard([this] { Page->CurrentFrameDelaySpinExit(CurrentFrameDelaySpin->value()); }); });

    connect(SaveGIFAct, &QAction::triggered, this, [this] { Guard([this] { Page->SaveGIFButtonClick(); }); });
    connect(SaveFrameAct, &QAction::triggered, this, [this] { Guard([this] { Page->SaveFrameButtonClick(); }); });
}

void TMainForm::BuildProjectWiring()
{
    Life = std::make_unique<TProjectLife>(*Core, *Page);
    Life->ProjectShown = [this] { ProjectShown(); };
    Life->ProjectCleared = [this] {
        if (Tools.GIFFromImages)
            Tools.GIFFromImages->Reset();
    };

    connect(NewProjectAct, &QAction::triggered, this, [this] {
        Guard([this] {
            Panels->IsDefault = false;
            Life->NewProjectButtonClick();
        });
    });
    connect(OpenProjectAct, &QAction::triggered, this, [this] {
        Guard([this] {
            Panels->IsDefault = false;
            Life->OpenProjectButtonClick();
        });
    });
    connect(SaveAct, &QAction::triggered, this, [this] { Guard([this] { Life->SaveActExecute(); }); });
    connect(SaveAsProjectAct, &QAction::triggered, this, [this] { Guard([this] { Life->SaveAsProjectButtonClick(); }); });

    // The shown pages are stored with the project.
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) { Core->Doc.Options.MainPage = index; });
    connect(DrawObjectControl, &QTabWidget::currentChanged, this, [this] {
        if (QWidget* sheet = DrawObjectControl->currentWidget())
            Core->Doc.Options.FigurePage = FigureSheetNumber(sheet);
    });
}

void TMainForm::ShowOptionsPage()
{
    const TOptionsPage& page = *Page;
    const TProjectOptions& o = page.Options();
    const QSignalBlocker blocks[] = {QSignalBlocker(BackWidthSpin), QSignalBlocker(BackHeightSpin),
                                     QSignalBlocker(ProportionalCheck), QSignalBlocker(BackTransparentCheck),
                                     QSignalBlocker(FrameDelaySpin), QSignalBlocker(InfinityCheck),
                                     QSignalBlocker(TimesSpin), QSignalBlocker(CurrentFrameDelaySpin)};
    BackColorShape->SetColor(o.BackShapeColor);
    BackWidthSpin->setValue(page.BackWidth);
    BackHeightSpin->setValue(page.BackHeight);
    ProportionalCheck->setChecked(o.MaintainAspectRatio);
    BackTransparentCheck->setChecked(o.BackTransparent);
    FrameDelaySpin->setValue(o.FrameDelay);
    InfinityCheck->setChecked(o.InfiniteLoop);
    TimesSpin->setValue(o.RepeatCount);
    TimesSpin->setEnabled(page.TimesEnabled());
    if (QWidget* label = findChild<QWidget*>(QStringLiteral("TimesLabel")))
        label->setEnabled(page.TimesEnabled());
    CurrentFrameDelaySpin->setValue(o.CurrentFrameDelay);
    GIFDimensionsLabel->setText(page.GIFDimensions);
    BackFramesCountLabel->setText(page.BackFramesCount);
    PictureDimensionsLabel->setText(page.PictureDimensions);
    GIFImage->SetPicture(page.GIFPreview.Empty() ? BMPNo : page.GIFPreview);
    PictureImage->SetPicture(page.PicturePreview ? Core->Doc.Animation.BackBMP : BMPNo);
}

void TMainForm::ProjectShown()
{
    ShowOptionsPage();
    const TProjectOptions& o = Core->Doc.Options;
    PageControl->setCurrentIndex(std::clamp(int(o.MainPage), 0, PageControl->count() - 1));
    QWidget* figurePage = FigureSheets[size_t(std::clamp(int(o.FigurePage), 0, int(FigureSheets.size()) - 1))];
    if (DrawObjectControl->indexOf(figurePage) >= 0)
        DrawObjectControl->setCurrentWidget(figurePage);
    Core->RedrawStrip(); // at the strip position the project was saved with
    ObjEnCount();
    SetGoTo();
    ResizeAnim();
    ShowCaption();
    EnBut();
}
