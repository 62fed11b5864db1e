#include "editor/FigureSheets.h"

#include "drawobjects/DrawObject.h"
#include "editor/ColorShape.h"
#include "editor/Controls.h"
#include "editor/ImagePanel.h"
#include "editor/core/PropertyPanels.h"
#include "model/DefaultParam.h"
#include "model/TextLines.h"

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
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

TFigureSheet::TFigureSheet(const QString& name, const QString& title)
{
    setObjectName(name);
    setWindowTitle(title);
}

TAnimationSheet::TAnimationSheet(const QString& title)
    : TFigureSheet(QStringLiteral("AnimationSheet"), title)
{
    AllFramesCheck = MakeCheck(this, QStringLiteral("AllFramesCheck"), QStringLiteral("In All Frames"), true);
    StartFrameSpin = MakeSpin(this, QStringLiteral("StartFrameSpin"), 1, 100000, 1);
    FramesCountSpin = MakeSpin(this, QStringLiteral("FramesCountSpin"), 1, 100000, 1);
    FramesChangesList = new QListWidget(this);
    FramesChangesList->setObjectName(QStringLiteral("FramesChangesList"));
    DeleteChangesButton = MakeButton(this, QStringLiteral("DeleteChangesButton"), QStringLiteral("Delete Changes"));

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(this, QStringLiteral("Start Frame"), StartFrameSpin), StartFrameSpin);
    form->addRow(MakeLabel(this, QStringLiteral("Number of Frames"), FramesCountSpin), FramesCountSpin);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AllFramesCheck);
    layout->addLayout(form);
    layout->addWidget(MakeLabel(this, QStringLiteral("Frames with Changes"), FramesChangesList));
    layout->addWidget(FramesChangesList, 1);
    layout->addWidget(DeleteChangesButton);
}

TImageSheet::TImageSheet(const QString& title)
    : TFigureSheet(QStringLiteral("ImageSheet"), title)
{
    DrawObjectImage = new TImagePanel(this);
    DrawObjectImage->setObjectName(QStringLiteral("DrawObjectImage"));
    DrawObjectImage->setFixedSize(140, 118);
    DrawObjectImage->SetStretch(true);
    DrawObjectImage->SetFillColor(Qt::white);
    ImageDimensionsValueLabel = MakeLabel(this, {}, nullptr, QStringLiteral("ImageDimensionsValueLabel"));
    ImageFramesCountLabel = MakeLabel(this, {}, nullptr, QStringLiteral("ImageFramesCountLabel"));
    ImageTransparentCheck = MakeCheck(this, QStringLiteral("ImageTransparentCheck"), QStringLiteral("Transparent Background"), false);

    auto* dimensions = new QHBoxLayout;
    dimensions->addWidget(MakeLabel(this, QStringLiteral("Image Dimensions:"), nullptr, QStringLiteral("ImageDimensionsLabel")));
    dimensions->addWidget(ImageDimensionsValueLabel, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DrawObjectImage);
    layout->addLayout(dimensions);
    layout->addWidget(ImageFramesCountLabel);
    layout->addWidget(ImageTransparentCheck);
    layout->addStretch(1);
}

TCoordinatesSheet::TCoordinatesSheet(const QString& title)
    : TFigureSheet(QStringLiteral("CoordinatesSheet"), title)
{
    LeftSpin = MakeSpin(this, QStringLiteral("LeftSpin"), -10000, 10000, 0);
    TopSpin = MakeSpin(this, QStringLiteral("TopSpin"), -10000, 10000, 0);
    WidthSpin = MakeSpin(this, QStringLiteral("WidthSpin"), -10000, 10000, 0);
    HeightSpin = MakeSpin(this, QStringLiteral("HeightSpin"), -10000, 10000, 0);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(this, QStringLiteral("Left"), LeftSpin), LeftSpin);
    form->addRow(MakeLabel(this, QStringLiteral("Top"), TopSpin), TopSpin);
    form->addRow(MakeLabel(this, QStringLiteral("Width"), WidthSpin), WidthSpin);
    form->addRow(MakeLabel(this, QStringLiteral("Height"), HeightSpin), HeightSpin);

    auto* nodes = new QGroupBox(QStringLiteral("Nodes"), this);
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

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(nodes, 1);
}

TRotationSheet::TRotationSheet(const QString& title)
    : TFigureSheet(QStringLiteral("RotationSheet"), title)
{
    AngleSpin = MakeSpin(this, QStringLiteral("AngleSpin"), -3600, 3600, 0);

    auto* center = new QGroupBox(QStringLiteral("Center of Rotation"), this);
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
    form->addRow(MakeLabel(this, QStringLiteral("Angle"), AngleSpin), AngleSpin);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(center);
    layout->addStretch(1);
}

TColorSheet::TColorSheet(const QString& title)
    : TFigureSheet(QStringLiteral("ColorSheet"), title)
{
    auto* colors = new QGroupBox(QStringLiteral("Color"), this);
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

    BorderWidthSpin = MakeSpin(this, QStringLiteral("BorderWidthSpin"), 0, 100, 1);
    ShadowWidthSpin = MakeSpin(this, QStringLiteral("ShadowWidthSpin"), 0, 100, 1);
    auto* form = new QFormLayout;
    form->addRow(MakeLabel(this, QStringLiteral("Border Thickness"), BorderWidthSpin), BorderWidthSpin);
    form->addRow(MakeLabel(this, QStringLiteral("Shadow Thickness"), ShadowWidthSpin), ShadowWidthSpin);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(colors);
    layout->addLayout(form);
    layout->addStretch(1);
}

TTextSheet::TTextSheet(const QString& title)
    : TFigureSheet(QStringLiteral("TextSheet"), title)
{
    FontButton = MakeButton(this, QStringLiteral("FontButton"), QStringLiteral("Font"));
    TextMemo = new QPlainTextEdit(this);
    TextMemo->setObjectName(QStringLiteral("TextMemo"));
    OutlineCombo = MakeCombo(this, QStringLiteral("OutlineCombo"),
                             {QStringLiteral("No"), QStringLiteral("Transparent"), QStringLiteral("Colored")});
    SpeechCombo = MakeCombo(this, QStringLiteral("SpeechCombo"),
                            {QStringLiteral("No"), QStringLiteral("Top Left"), QStringLiteral("Top Right"),
                             QStringLiteral("Bottom Left"), QStringLiteral("Bottom Right")});
    PaddingSpin = MakeSpin(this, QStringLiteral("PaddingSpin"), 0, 1000, 0);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(this, QStringLiteral("Outline"), OutlineCombo), OutlineCombo);
    form->addRow(MakeLabel(this, QStringLiteral("Speech"), SpeechCombo), SpeechCombo);
    form->addRow(MakeLabel(this, QStringLiteral("Margin"), PaddingSpin), PaddingSpin);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FontButton, 0, Qt::AlignLeft);
    layout->addWidget(TextMemo, 1);
    layout->addLayout(form);
}

TLineSheet::TLineSheet(const QString& title)
    : TFigureSheet(QStringLiteral("LineSheet"), title)
{
    OrientationCombo = MakeCombo(this, QStringLiteral("OrientationCombo"),
                                 {QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
    AutoCenterCheck = MakeCheck(this, QStringLiteral("AutoCenterCheck"), QStringLiteral("Autocenter"), false);
    LineCheck = MakeCheck(this, QStringLiteral("LineCheck"), QStringLiteral("Line"), false);
    StartArrowCheck = MakeCheck(this, QStringLiteral("StartArrowCheck"), QStringLiteral("Start Arrow"), false);
    EndArrowCheck = MakeCheck(this, QStringLiteral("EndArrowCheck"), QStringLiteral("End Arrow"), false);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(this, QStringLiteral("Orientation"), OrientationCombo), OrientationCombo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(AutoCenterCheck);
    layout->addWidget(LineCheck);
    layout->addWidget(StartArrowCheck);
    layout->addWidget(EndArrowCheck);
    layout->addStretch(1);
}

void TAnimationSheet::Show(const TPanelView& v)
{
    AllFramesCheck->setChecked(v.All);
    StartFrameSpin->setValue(v.StartFrame);
    FramesCountSpin->setValue(v.FramesCount);
    DeleteChangesButton->setEnabled(v.DeleteChangesEnabled);
    FramesChangesList->clear();
    FramesChangesList->addItems(v.Changes);
}

void TImageSheet::Show(const TPanelView& v, const TBitmap& no)
{
    ImageTransparentCheck->setChecked(v.ImageTransparent);
    DrawObjectImage->SetPicture(v.ImagePicture ? *v.ImagePicture : no);
    ImageDimensionsValueLabel->setText(v.ImageDimensions);
    ImageFramesCountLabel->setText(v.ImageFrames);
}

void TImageSheet::ShowDefault(const TDefaultParam& d, const TBitmap& no)
{
    ImageTransparentCheck->setChecked(d.Transparent);
    DrawObjectImage->SetPicture(no);
}

void TCoordinatesSheet::Show(const TPanelView& v, const TDrawObject* figure)
{
    SetShown(WidthSpin, v.SizeShown);
    SetShown(HeightSpin, v.SizeShown);
    NodesGroup->setVisible(v.SizeShown);
    PointsCountSpin->setVisible(v.AmountShown);
    if (QLabel* amount = LabelOf(PointsCountSpin))
        amount->setVisible(v.AmountShown);
    if (v.AmountShown) {
        PointsCountSpin->setRange(v.AmountMin, v.AmountMax);
        PointsCountSpin->setSingleStep(v.AmountStep);
    } else {
        PointsCountSpin->setRange(0, 10000);
        PointsCountSpin->setSingleStep(1);
    }
    PointsCountSpin->setValue(v.Amount);
    SetCoord(figure);
    DrawPoints(figure);
    PointsPasteButton->setVisible(v.PasteShown);
}

void TCoordinatesSheet::ShowDefault(const TDefaultParam& d)
{
    NodesGroup->hide();
    WidthSpin->show();
    HeightSpin->show();
    LeftSpin->setValue(d.Left);
    TopSpin->setValue(d.Top);
    WidthSpin->setValue(d.Width);
    HeightSpin->setValue(d.Height);
}

void TCoordinatesSheet::ShowAllControls()
{
    SetShown(WidthSpin, true);
    SetShown(HeightSpin, true);
    NodesGroup->show();
    PointsCountSpin->show();
    if (QLabel* amount = LabelOf(PointsCountSpin))
        amount->show();
}

void TCoordinatesSheet::SetCoord(const TDrawObject* figure)
{
    if (!figure)
        return;
    // The boxes apply when left: setting them is no edit.
    LeftSpin->setValue(figure->Left);
    TopSpin->setValue(figure->Top);
    WidthSpin->setValue(figure->Width());
    HeightSpin->setValue(figure->Height());
}

void TCoordinatesSheet::DrawPoints(const TDrawObject* figure)
{
    PointSpin->hide();
    const std::vector<TPoint> nodes = figure ? figure->BtnPoints : std::vector<TPoint>{};
    PointsGrid->setRowCount(static_cast<int>(nodes.size()) * 2);
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        const QString n = QString::number(i + 1);
        const TPoint pt = nodes[static_cast<size_t>(i)];
        auto set = [this](int row, const QString& caption, int value) {
            PointsGrid->setItem(row, 0, new QTableWidgetItem(caption));
            PointsGrid->setItem(row, 1, new QTableWidgetItem(QString::number(value)));
        };
        set(2 * i, QStringLiteral("X") + n, pt.X);
        set(2 * i + 1, QStringLiteral("Y") + n, pt.Y);
    }
}

void TCoordinatesSheet::SetPoints(const TDrawObject* figure)
{
    SetCoord(figure);
    DrawPoints(figure);
    if (figure && PointsCountSpin->isVisible()) {
        const QSignalBlocker block(PointsCountSpin);
        PointsCountSpin->setValue(figure->ButtonCount());
    }
}

bool TCoordinatesSheet::EditCell(int row, int column)
{
    if (column != 1 || !PointsGrid->item(row, 1))
        return false;
    // The cell editor covers the value cell.
    const QRect cell = PointsGrid->visualItemRect(PointsGrid->item(row, 1));
    const QSignalBlocker block(PointSpin);
    PointSpin->setValue(PointsGrid->item(row, 1)->text().toInt());
    PointSpin->setGeometry(cell.left(), cell.top(), cell.width() + 1, cell.height() + 1);
    PointSpin->show();
    PointSpin->setFocus();
    PointSpin->selectAll();
    return true;
}

void TRotationSheet::Show(const TPanelView& v)
{
    AngleSpin->setValue(v.Angle);
    XSpin->setValue(v.X);
    YSpin->setValue(v.Y);
    CenterCheck->setChecked(v.Center);
    RotCenEn(!v.Center);
}

void TRotationSheet::ShowDefault(const TDefaultParam& d)
{
    CenterButton->hide();
    AngleSpin->setValue(d.Angle);
    CenterCheck->setChecked(d.Center);
    XSpin->setValue(d.PointX);
    YSpin->setValue(d.PointY);
    RotCenEn(!d.Center);
}

void TRotationSheet::ShowAllControls()
{
    CenterButton->show();
}

void TRotationSheet::RotCenEn(bool flag)
{
    XSpin->setEnabled(flag);
    YSpin->setEnabled(flag);
    CenterButton->setEnabled(flag);
}

void TRotationSheet::ShowCentre(int x, int y)
{
    const QSignalBlocker blockX(XSpin);
    const QSignalBlocker blockY(YSpin);
    XSpin->setValue(x);
    YSpin->setValue(y);
}

void TColorSheet::Show(const TPanelView& v)
{
    FigureColorShape->setVisible(v.FillShown);
    FigureColorButton->setVisible(v.FillShown);
    if (QLabel* fill = LabelOf(FigureColorButton))
        fill->setVisible(v.FillShown);
    FigureColorShape->SetColor(v.Fill);
    ShadowColorShape->SetColor(v.Shadow);
    BorderColorShape->SetColor(v.Border);
    BorderWidthSpin->setMinimum(v.BorderMin);
    BorderWidthSpin->setValue(v.BorderWidth);
    ShadowWidthSpin->setValue(v.ShadowWidth);
}

void TColorSheet::ShowDefault(const TDefaultParam& d)
{
    FigureColorShape->SetColor(d.BackColor);
    ShadowColorShape->SetColor(d.ShadowColor);
    BorderColorShape->SetColor(d.BorderColor);
    BorderWidthSpin->setMinimum(0);
    BorderWidthSpin->setValue(d.BorderWidth);
    ShadowWidthSpin->setValue(d.ShadowWidth);
}

void TColorSheet::ShowAllControls()
{
    FigureColorShape->show();
    FigureColorButton->show();
    if (QLabel* fill = LabelOf(FigureColorButton))
        fill->show();
}

void TTextSheet::Show(const TPanelView& v)
{
    SetShown(PaddingSpin, v.MarginShown);
    SetShown(SpeechCombo, v.SpeechShown);
    SetShown(OutlineCombo, v.OutlineShown);
    PaddingSpin->setValue(v.Margin);
    SetComboIndex(SpeechCombo, v.Speech);
    SetComboIndex(OutlineCombo, v.Outline);
    TextMemo->setPlainText(v.TextLines.join(QLatin1Char('\n')));
}

void TTextSheet::ShowDefault(const TDefaultParam& d)
{
    PaddingSpin->setValue(d.Padding);
    TextMemo->setPlainText(TextToStrings(d.TextValue).join(QLatin1Char('\n')));
    SetComboIndex(OutlineCombo, d.TextFill);
    SetComboIndex(SpeechCombo, d.TextSpeech);
}

void TTextSheet::ShowAllControls()
{
    SetShown(PaddingSpin, true);
    SetShown(SpeechCombo, true);
    SetShown(OutlineCombo, true);
}

QStringList TTextSheet::MemoLines() const
{
    const QString text = TextMemo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TLineSheet::Show(const TPanelView& v)
{
    SetShown(OrientationCombo, v.OrientationShown);
    AutoCenterCheck->setVisible(v.AutoCenterShown);
    LineCheck->setVisible(v.LineShown);
    SetComboIndex(OrientationCombo, v.Orientation);
    AutoCenterCheck->setChecked(v.AutoCenter);
    LineCheck->setChecked(v.Line);
    StartArrowCheck->setChecked(v.Arrow1);
    EndArrowCheck->setChecked(v.Arrow2);
}

void TLineSheet::ShowDefault(const TDefaultParam& d)
{
    SetComboIndex(OrientationCombo, d.Orient);
    AutoCenterCheck->setChecked(d.ChCn);
    LineCheck->setChecked(d.Line);
    StartArrowCheck->setChecked(d.Arrow1);
    EndArrowCheck->setChecked(d.Arrow2);
}

void TLineSheet::ShowAllControls()
{
    SetShown(OrientationCombo, true);
    AutoCenterCheck->show();
    LineCheck->show();
}
