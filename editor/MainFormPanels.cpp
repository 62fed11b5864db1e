// TMainForm: the figure property page control (DrawObjectControl) and its seven pages.
#include "editor/MainForm.h"

#include "editor/ColorShape.h"
#include "editor/Controls.h"
#include "editor/ImagePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QWidget* MakeSheet(const QString& name)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(name);
    return sheet;
}

} // namespace

void TMainForm::BuildPropertyPages()
{
    DrawObjectControl = new QTabWidget;
    DrawObjectControl->setObjectName(QStringLiteral("DrawObjectControl"));
    DrawObjectControl->setUsesScrollButtons(true);
    DrawObjectControl->addTab(BuildAnimationSheet(), QStringLiteral("Animation"));
    DrawObjectControl->addTab(BuildImageSheet(), QStringLiteral("Image"));
    DrawObjectControl->addTab(BuildCoordinatesSheet(), QStringLiteral("Coordinates"));
    DrawObjectControl->addTab(BuildRotationSheet(), QStringLiteral("Rotation"));
    DrawObjectControl->addTab(BuildColorSheet(), QStringLiteral("Color and Border"));
    DrawObjectControl->addTab(BuildTextSheet(), QStringLiteral("Text"));
    DrawObjectControl->addTab(BuildLineSheet(), QStringLiteral("Line"));
}

QWidget* TMainForm::BuildAnimationSheet()
{
    AnimationSheet = MakeSheet(QStringLiteral("AnimationSheet"));
    AllFramesCheck = MakeCheck(AnimationSheet, QStringLiteral("AllFramesCheck"), QStringLiteral("In All Frames"), true);
    StartFrameSpin = MakeSpin(AnimationSheet, QStringLiteral("StartFrameSpin"), 1, 100000, 1);
    FramesCountSpin = MakeSpin(AnimationSheet, QStringLiteral("FramesCountSpin"), 1, 100000, 1);
    FramesChangesList = new QListWidget(AnimationSheet);
    FramesChangesList->setObjectName(QStringLiteral("FramesChangesList"));
    DeleteChangesButton = MakeButton(AnimationSheet, QStringLiteral("DeleteChangesButton"), QStringLiteral("Delete Changes"));

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(AnimationSheet, QStringLiteral("Start Frame"), StartFrameSpin), StartFrameSpin);
    form->addRow(MakeLabel(AnimationSheet, QStringLiteral("Number of Frames"), FramesCountSpin), FramesCountSpin);

    auto* layout = new QVBoxLayout(AnimationSheet);
    layout->addWidget(AllFramesCheck);
    layout->addLayout(form);
    layout->addWidget(MakeLabel(AnimationSheet, QStringLiteral("Frames with Changes"), FramesChangesList));
    layout->addWidget(FramesChangesList, 1);
    layout->addWidget(DeleteChangesButton);
    return AnimationSheet;
}

QWidget* TMainForm::BuildImageSheet()
{
    ImageSheet = MakeSheet(QStringLiteral("ImageSheet"));
    DrawObjectImage = new TImagePanel(ImageSheet);
    DrawObjectImage->setObjectName(QStringLiteral("DrawObjectImage"));
    DrawObjectImage->setFixedSize(140, 118);
    DrawObjectImage->SetStretch(true);
    DrawObjectImage->SetFillColor(Qt::white);
    ImageDimensionsValueLabel = MakeLabel(ImageSheet, {}, nullptr, QStringLiteral("ImageDimensionsValueLabel"));
    ImageFramesCountLabel = MakeLabel(ImageSheet, {}, nullptr, QStringLiteral("ImageFramesCountLabel"));
    ImageTransparentCheck = MakeCheck(ImageSheet, QStringLiteral("ImageTransparentCheck"), QStringLiteral("Transparent Background"), false);

    auto* dimensions = new QHBoxLayout;
    dimensions->addWidget(MakeLabel(ImageSheet, QStringLiteral("Image Dimensions:"), nullptr, QStringLiteral("ImageDimensionsLabel")));
    dimensions->addWidget(ImageDimensionsValueLabel, 1);

    auto* layout = new QVBoxLayout(ImageSheet);
    layout->addWidget(DrawObjectImage);
    layout->addLayout(dimensions);
    layout->addWidget(ImageFramesCountLabel);
    layout->addWidget(ImageTransparentCheck);
    layout->addStretch(1);
    return ImageSheet;
}

QWidget* TMainForm::BuildCoordinatesSheet()
{
    CoordinatesSheet = MakeSheet(QStringLiteral("CoordinatesSheet"));
    LeftSpin = MakeSpin(CoordinatesSheet, QStringLiteral("LeftSpin"), -10000, 10000, 0);
    TopSpin = MakeSpin(CoordinatesSheet, QStringLiteral("TopSpin"), -10000, 10000, 0);
    WidthSpin = MakeSpin(CoordinatesSheet, QStringLiteral("WidthSpin"), -10000, 10000, 0);
    HeightSpin = MakeSpin(CoordinatesSheet, QStringLiteral("HeightSpin"), -10000, 10000, 0);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(CoordinatesSheet, QStringLiteral("Left"), LeftSpin), LeftSpin);
    form->addRow(MakeLabel(CoordinatesSheet, QStringLiteral("Top"), TopSpin), TopSpin);
    form->addRow(MakeLabel(CoordinatesSheet, QStringLiteral("Width"), WidthSpin), WidthSpin);
    form->addRow(MakeLabel(CoordinatesSheet, QStringLiteral("Height"), HeightSpin), HeightSpin);

    auto* nodes = new QGroupBox(QStringLiteral("Nodes"), CoordinatesSheet);
    nodes->setObjectName(QStringLiteral("NodesGroup"));
    NodesGroup = nodes;
    PointsCountSpin = MakeSpin(nodes, QStringLiteral("PointsCountSpin"), 0, 10000, 0);
    PointsGrid = new QTableWidget(0, 2, nodes);
    PointsGrid->setObjectName(QStringLiteral("PointsGrid"));
    PointsGrid->horizontalHeader()->hide();
    PointsGrid->verticalHeader()->hide();
    PointsGrid->horizontalHeader()->setStretchLastSection(true);
    PointsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PointsGrid->setMinimumHeight(120);
    // The cell editor, placed over the value cell being edited.
    PointSpin = MakeSpin(PointsGrid->viewport(), QStringLiteral("PointSpin"), -10000, 10000, 0);
    PointSpin->hide();
    PointsCopyButton = MakeButton(nodes, QStringLiteral("PointsCopyButton"), QStringLiteral("Copy"));
    PointsPasteButton = MakeButton(nodes, QStringLiteral("PointsPasteButton"), QStringLiteral("Paste"));

    auto* amount = new QHBoxLayout;
    amount->addWidget(MakeLabel(nodes, QStringLiteral("Amount"), PointsCountSpin));
    amount->addWidget(PointsCountSpin, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PointsCopyButton);
    buttons->addWidget(PointsPasteButton);
    auto* nodesLayout = new QVBoxLayout(nodes);
    nodesLayout->addLayout(amount);
    nodesLayout->addWidget(PointsGrid, 1);
    nodesLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(CoordinatesSheet);
    layout->addLayout(form);
    layout->addWidget(nodes, 1);
    return CoordinatesSheet;
}

QWidget* TMainForm::BuildRotationSheet()
{
    RotationSheet = MakeSheet(QStringLiteral("RotationSheet"));
    AngleSpin = MakeSpin(RotationSheet, QStringLiteral("AngleSpin"), -3600, 3600, 0);

    auto* center = new QGroupBox(QStringLiteral("Center of Rotation"), RotationSheet);
    center->setObjectName(QStringLiteral("CenterGroup"));
    CenterCheck = MakeCheck(center, QStringLiteral("CenterCheck"), QStringLiteral("Shape Center"), true);
    XSpin = MakeSpin(center, QStringLiteral("XSpin"), 0, 10000, 0);
    YSpin = MakeSpin(center, QStringLiteral("YSpin"), 0, 10000, 0);
    CenterButton = MakeButton(center, QStringLiteral("CenterButton"), QStringLiteral("..."));
    CenterButton->setFixedWidth(32);
    auto* grid = new QGridLayout(center);
    grid->addWidget(CenterCheck, 0, 0, 1, 3);
    grid->addWidget(MakeLabel(center, QStringLiteral("X"), XSpin), 1, 0);
    grid->addWidget(XSpin, 1, 1);
    grid->addWidget(MakeLabel(center, QStringLiteral("Y"), YSpin), 2, 0);
    grid->addWidget(YSpin, 2, 1);
    grid->addWidget(CenterButton, 1, 2, 2, 1);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(RotationSheet, QStringLiteral("Angle"), AngleSpin), AngleSpin);
    auto* layout = new QVBoxLayout(RotationSheet);
    layout->addLayout(form);
    layout->addWidget(center);
    layout->addStretch(1);
    return RotationSheet;
}

QWidget* TMainForm::BuildColorSheet()
{
    ColorSheet = MakeSheet(QStringLiteral("ColorSheet"));
    auto* colors = new QGroupBox(QStringLiteral("Color"), ColorSheet);
    colors->setObjectName(QStringLiteral("ColorGroup"));
    auto* grid = new QGridLayout(colors);
    auto addColor = [&](int row, const QString& caption, const QString& base, TColor color, TColorShape*& shape,
                        QPushButton*& button) {
        shape = new TColorShape(colors);
        shape->setObjectName(base + QStringLiteral("Shape"));
        shape->SetColor(color);
        button = MakeButton(colors, base + QStringLiteral("Button"), QStringLiteral("..."));
        button->setFixedWidth(32);
        grid->addWidget(MakeLabel(colors, caption, button, base + QStringLiteral("Label")), row, 0);
        grid->addWidget(shape, row, 1);
        grid->addWidget(button, row, 2);
    };
    addColor(0, QStringLiteral("Fill"), QStringLiteral("FigureColor"), clWhite, FigureColorShape, FigureColorButton);
    addColor(1, QStringLiteral("Shadow"), QStringLiteral("ShadowColor"), clWhite, ShadowColorShape, ShadowColorButton);
    addColor(2, QStringLiteral("Border"), QStringLiteral("BorderColor"), clBlack, BorderColorShape, BorderColorButton);
    grid->setColumnStretch(3, 1);

    BorderWidthSpin = MakeSpin(ColorSheet, QStringLiteral("BorderWidthSpin"), 0, 100, 1);
    ShadowWidthSpin = MakeSpin(ColorSheet, QStringLiteral("ShadowWidthSpin"), 0, 100, 1);
    auto* form = new QFormLayout;
    form->addRow(MakeLabel(ColorSheet, QStringLiteral("Border Thickness"), BorderWidthSpin), BorderWidthSpin);
    form->addRow(MakeLabel(ColorSheet, QStringLiteral("Shadow Thickness"), ShadowWidthSpin), ShadowWidthSpin);

    auto* layout = new QVBoxLayout(ColorSheet);
    layout->addWidget(colors);
    layout->addLayout(form);
    layout->addStretch(1);
    return ColorSheet;
}

QWidget* TMainForm::BuildTextSheet()
{
    TextSheet = MakeSheet(QStringLiteral("TextSheet"));
    FontButton = MakeButton(TextSheet, QStringLiteral("FontButton"), QStringLiteral("Font"));
    TextMemo = new QPlainTextEdit(TextSheet);
    TextMemo->setObjectName(QStringLiteral("TextMemo"));
    OutlineCombo = MakeCombo(TextSheet, QStringLiteral("OutlineCombo"),
                             {QStringLiteral("No"), QStringLiteral("Transparent"), QStringLiteral("Colored")});
    SpeechCombo = MakeCombo(TextSheet, QStringLiteral("SpeechCombo"),
                            {QStringLiteral("No"), QStringLiteral("Top Left"), QStringLiteral("Top Right"),
                             QStringLiteral("Bottom Left"), QStringLiteral("Bottom Right")});
    PaddingSpin = MakeSpin(TextSheet, QStringLiteral("PaddingSpin"), 0, 1000, 0);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(TextSheet, QStringLiteral("Outline"), OutlineCombo), OutlineCombo);
    form->addRow(MakeLabel(TextSheet, QStringLiteral("Speech"), SpeechCombo), SpeechCombo);
    form->addRow(MakeLabel(TextSheet, QStringLiteral("Margin"), PaddingSpin), PaddingSpin);

    auto* layout = new QVBoxLayout(TextSheet);
    layout->addWidget(FontButton, 0, Qt::AlignLeft);
    layout->addWidget(TextMemo, 1);
    layout->addLayout(form);
    return TextSheet;
}

QWidget* TMainForm::BuildLineSheet()
{
    LineSheet = MakeSheet(QStringLiteral("LineSheet"));
    OrientationCombo = MakeCombo(LineSheet, QStringLiteral("OrientationCombo"),
                                 {QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
    AutoCenterCheck = MakeCheck(LineSheet, QStringLiteral("AutoCenterCheck"), QStringLiteral("Autocenter"), false);
    LineCheck = MakeCheck(LineSheet, QStringLiteral("LineCheck"), QStringLiteral("Line"), false);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(LineSheet, QStringLiteral("Orientation"), OrientationCombo), OrientationCombo);
    auto* layout = new QVBoxLayout(LineSheet);
    layout->addLayout(form);
    layout->addWidget(AutoCenterCheck);
    layout->addWidget(LineCheck);
    layout->addStretch(1);
    return LineSheet;
}
