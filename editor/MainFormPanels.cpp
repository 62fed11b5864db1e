// TMainForm: the figure property page control (DrawObjectControl) and its
// seven pages: building them, filling them from the selected figure and
// handing every edit to the pages' logic (TPropertyPanels).
#include "editor/MainForm.h"

#include "drawobjects/Bezier.h"
#include "editor/ColorShape.h"
#include "editor/Controls.h"
#include "editor/ImagePanel.h"
#include "editor/TextMenu.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/PropertyPanels.h"

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
#include <QAction>
#include <QSignalBlocker>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>
#include <initializer_list>

namespace {

// Room beside the page tabs for the pages' own frame.
constexpr int kPanelSlack = 8;

QWidget* MakeSheet(const QString& name)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(name);
    return sheet;
}

// The label whose buddy is the control, if any.
QLabel* LabelOf(QWidget* control)
{
    for (QLabel* label : control->parentWidget()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

// Shows or hides a control with its caption.
void SetShown(QWidget* control, bool shown)
{
    control->setVisible(shown);
    if (QLabel* label = LabelOf(control))
        label->setVisible(shown);
}

// The memo's text as lines; an empty memo has none.
QStringList MemoLines(const QPlainTextEdit* memo)
{
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace

void TMainForm::BuildPropertyPages()
{
    DrawObjectControl = new QTabWidget;
    DrawObjectControl->setObjectName(QStringLiteral("DrawObjectControl"));
    DrawObjectControl->setUsesScrollButtons(true);
    FigureSheets = {BuildAnimationSheet(), BuildImageSheet(), BuildCoordinatesSheet(), BuildRotationSheet(),
                    BuildColorSheet(),     BuildTextSheet(),  BuildLineSheet()};
    const std::array<QString, 7> titles{QStringLiteral("Animation"), QStringLiteral("Image"),
                                        QStringLiteral("Coordinates"), QStringLiteral("Rotation"),
                                        QStringLiteral("Color and Border"), QStringLiteral("Text"),
                                        QStringLiteral("Line")};
    for (size_t i = 0; i < FigureSheets.size(); ++i) {
        FigureSheets[i]->setWindowTitle(titles[i]);
        DrawObjectControl->addTab(FigureSheets[i], titles[i]);
    }
}

int TMainForm::StartPanelWidth() const
{
    // All seven tabs are in the bar now; its size hint is their whole width.
    const int tabs = DrawObjectControl->tabBar()->sizeHint().width();
    const int frame = 2 * DrawObjectScroll->frameWidth() + DrawObjectScroll->verticalScrollBar()->sizeHint().width();
    return std::max(DesignPanelWidth, tabs + frame + kPanelSlack);
}

// Pages a figure has no use for leave the tab bar rather than being hidden in
// it: the tab bar scrolls wrongly over hidden tabs (a gap opens before the
// first tab). A page comes back at its place in the fixed order.
void TMainForm::SetSheetShown(QWidget* sheet, bool shown)
{
    const int index = DrawObjectControl->indexOf(sheet);
    if (shown == (index >= 0))
        return;
    if (!shown) {
        DrawObjectControl->removeTab(index);
        return;
    }
    int position = 0;
    for (QWidget* other : FigureSheets) {
        if (other == sheet)
            break;
        if (DrawObjectControl->indexOf(other) >= 0)
            ++position;
    }
    DrawObjectControl->insertTab(position, sheet, sheet->windowTitle());
}

int TMainForm::FigureSheetNumber(QWidget* sheet) const
{
    const auto it = std::find(FigureSheets.begin(), FigureSheets.end(), sheet);
    return it == FigureSheets.end() ? 0 : int(it - FigureSheets.begin());
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
    StartArrowCheck = MakeCheck(LineSheet, QStringLiteral("StartArrowCheck"), QStringLiteral("Start Arrow"), false);
    EndArrowCheck = MakeCheck(LineSheet, QStringLiteral("EndArrowCheck"), QStringLiteral("End Arrow"), false);

    auto* form = new QFormLayout;
    form->addRow(MakeLabel(LineSheet, QStringLiteral("Orientation"), OrientationCombo), OrientationCombo);
    auto* layout = new QVBoxLayout(LineSheet);
    layout->addLayout(form);
    layout->addWidget(AutoCenterCheck);
    layout->addWidget(LineCheck);
    layout->addWidget(StartArrowCheck);
    layout->addWidget(EndArrowCheck);
    layout->addStretch(1);
    return LineSheet;
}

void TMainForm::BuildPanelsWiring()
{
    Panels = std::make_unique<TPropertyPanels>(*Core, DefaultParam);
    TPropertyPanels& p = *Panels;

    // Spin boxes apply when left or on Enter; an edit ends with the command states.
    auto onExit = [this](QSpinBox* spin, std::function<void(int)> apply) {
        connect(spin, &QSpinBox::editingFinished, this, [this, spin, apply] { Guard([&] { apply(spin->value()); }); });
    };
    onExit(AngleSpin, [&p](int v) { p.AngleChange(v); });
    onExit(ShadowWidthSpin, [&p](int v) { p.ShadowWidthChange(v); });
    onExit(XSpin, [&p](int v) { p.RotationPointChange(true, v); });
    onExit(YSpin, [&p](int v) { p.RotationPointChange(false, v); });
    onExit(PaddingSpin, [&p](int v) { p.PaddingChange(v); });
    onExit(BorderWidthSpin, [this, &p](int v) {
        p.BorderWidthChange(v);
        if (!p.IsDefault)
            SetCoord(); // a point's size follows its pen
    });
    const std::pair<QSpinBox*, TCoordBox> coords[] = {
        {LeftSpin, TCoordBox::Left}, {TopSpin, TCoordBox::Top},
        {WidthSpin, TCoordBox::Width}, {HeightSpin, TCoordBox::Height}};
    for (const auto& [spin, box] : coords) {
        onExit(spin, [this, &p, box = box](int v) {
            p.CoordInit(box, v);
            if (!p.IsDefault)
                SetPoints();
        });
    }

    // "Amount" follows every change of its value (arrows, Enter, leaving).
    PointsCountSpin->setKeyboardTracking(false);
    connect(PointsCountSpin, &QSpinBox::valueChanged, this, [this, &p](int v) {
        Guard([&] {
            p.PointsCountChange(v);
            SetPoints();
        });
    });
    connect(PointsGrid, &QTableWidget::cellClicked, this, &TMainForm::PointsGridCellClicked);
    connect(PointSpin, &QSpinBox::editingFinished, this, &TMainForm::PointSpinExit);
    connect(PointsCopyButton, &QPushButton::clicked, this, [this, &p] {
        Guard([&] {
            p.PointsCopy();
            PointsPasteButton->show();
        });
    });
    connect(PointsPasteButton, &QPushButton::clicked, this, [this, &p] {
        Guard([&] {
            p.PointsPaste();
            SetPoints();
        });
    });

    auto onCheck = [this](QCheckBox* check, std::function<void(bool)> apply) {
        connect(check, &QCheckBox::clicked, this, [this, apply](bool on) { Guard([&] { apply(on); }); });
    };
    onCheck(CenterCheck, [this, &p](bool on) {
        p.CenterChange(on);
        RotCenEn(!on);
    });
    onCheck(AutoCenterCheck, [&p](bool on) { p.AutoCenterChange(on); });
    // On a Bezier figure the filling and the arrows exclude each other, so
    // each of these edits shows the other checks again.
    auto lineChecks = [this, &p] {
        const auto* bezier = dynamic_cast<const TBezier*>(Core->Doc.DrObj);
        if (p.IsDefault || !bezier)
            return;
        LineCheck->setChecked(!bezier->Filled());
        StartArrowCheck->setChecked(bezier->Arrow1());
        EndArrowCheck->setChecked(bezier->Arrow2());
    };
    onCheck(LineCheck, [&p, lineChecks](bool on) {
        p.LineChange(on);
        lineChecks();
    });
    onCheck(StartArrowCheck, [&p, lineChecks](bool on) {
        p.ArrowChange(true, on);
        lineChecks();
    });
    onCheck(EndArrowCheck, [&p, lineChecks](bool on) {
        p.ArrowChange(false, on);
        lineChecks();
    });
    onCheck(ImageTransparentCheck, [&p](bool on) { p.TransparentChange(on); });

    auto onCombo = [this](QComboBox* combo, std::function<void(int)> apply) {
        connect(combo, &QComboBox::activated, this, [this, apply](int index) { Guard([&] { apply(index); }); });
    };
    onCombo(OutlineCombo, [&p](int i) { p.OutlineChange(i); });
    onCombo(OrientationCombo, [&p](int i) { p.OrientationChange(i); });
    onCombo(SpeechCombo, [&p](int i) { p.SpeechChange(i); });

    // A text block's size follows its text and font.
    connect(TextMemo, &QPlainTextEdit::textChanged, this, [this, &p] {
        Guard([&] {
            p.TextChange(MemoLines(TextMemo));
            if (!p.IsDefault)
                SetCoord();
        });
    });
    connect(FontButton, &QPushButton::clicked, this, [this, &p] {
        Guard([&] {
            if (p.FontButtonClick() && !p.IsDefault)
                SetCoord();
        });
    });

    const std::tuple<QPushButton*, TColorShape*, TColorSwatch> swatches[] = {
        {FigureColorButton, FigureColorShape, TColorSwatch::Fill},
        {ShadowColorButton, ShadowColorShape, TColorSwatch::Shadow},
        {BorderColorButton, BorderColorShape, TColorSwatch::Border}};
    for (const auto& [button, shape, swatch] : swatches) {
        connect(button, &QPushButton::clicked, this, [this, &p, shape = shape, swatch = swatch] {
            Guard([&] {
                const TColor color = p.ColorButtonClick(swatch);
                if (color != clNone)
                    shape->SetColor(color);
            });
        });
    }

    connect(FramesChangesList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { FramesChangesListClick(FramesChangesList->row(item)); });
    connect(DeleteChangesButton, &QPushButton::clicked, this, &TMainForm::DeleteChangesButtonClick);

    TextMenu = new TTextMenu(this, [this] { EnBut(); });
    TextMenu->Attach(TextMemo);

    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        const QString page = PageControl->tabText(index);
        if (page == QLatin1String("Editing") || page == QLatin1String("Options"))
            TabStop();
        if (page == QLatin1String("Options") && Page) {
            // "Maintain Aspect Ratio" keeps the present frame size.
            Page->PropWidth = Core->ImgWidth();
            Page->PropHeight = Core->ImgHeight();
        }
    });

    // A page chosen by the user: the pages are filled again.
    connect(DrawObjectControl->tabBar(), &QTabBar::tabBarClicked, this, [this](int) {
        Guard([this] {
            if (!Panels->IsDefault)
                ObjEn(true);
            Core->Doc.IsModify = true;
        });
    });
}

void TMainForm::ObjEn(bool single)
{
    ParamAct->setEnabled(true);
    DrawObjectControl->setVisible(single);
    if (!single || !Panels)
        return;
    Core->Doc.IsDel = false;
    {
        // Filling the pages is no edit ("Amount" applies on every change of its value).
        const QSignalBlocker blockCount(PointsCountSpin);
        ShowPanels(Panels->Fill());
    }
    Core->Doc.IsDel = true;
}

void TMainForm::ShowPanelControls(bool pages)
{
    if (pages)
        for (QWidget* sheet : FigureSheets)
            SetSheetShown(sheet, true);
    for (QWidget* w : std::initializer_list<QWidget*>{WidthSpin, HeightSpin, PaddingSpin, SpeechCombo, OutlineCombo,
                                                       OrientationCombo})
        SetShown(w, true);
    for (QWidget* w : std::initializer_list<QWidget*>{NodesGroup, CenterButton, AutoCenterCheck, LineCheck,
                                                       FigureColorShape, FigureColorButton})
        w->show();
    if (QLabel* fill = LabelOf(FigureColorButton))
        fill->show();
    PointsCountSpin->show();
    if (QLabel* amount = LabelOf(PointsCountSpin))
        amount->show();
}

void TMainForm::ShowPanels(const TPanelView& v)
{
    const QSignalBlocker blockPages(DrawObjectControl);
    const QSignalBlocker blockMemo(TextMemo);
    const QSignalBlocker blockAmount(PointsCountSpin);
    ShowPanelControls(false);
    auto page = [this](QWidget* sheet, bool shown) { SetSheetShown(sheet, shown); };
    page(AnimationSheet, true);
    page(CoordinatesSheet, true);
    page(RotationSheet, true);

    // "Animation"
    AllFramesCheck->setChecked(v.All);
    StartFrameSpin->setValue(v.StartFrame);
    FramesCountSpin->setValue(v.FramesCount);
    DeleteChangesButton->setEnabled(v.DeleteChangesEnabled);
    FramesChangesList->clear();
    FramesChangesList->addItems(v.Changes);

    // "Image"
    page(ImageSheet, v.ImagePage);
    if (v.ImagePage) {
        ImageTransparentCheck->setChecked(v.ImageTransparent);
        DrawObjectImage->SetPicture(v.ImagePicture ? *v.ImagePicture : BMPNo);
        ImageDimensionsValueLabel->setText(v.ImageDimensions);
        ImageFramesCountLabel->setText(v.ImageFrames);
    }

    // "Rotation"
    AngleSpin->setValue(v.Angle);
    XSpin->setValue(v.X);
    YSpin->setValue(v.Y);
    CenterCheck->setChecked(v.Center);
    RotCenEn(!v.Center);

    // "Text"
    page(TextSheet, v.TextPage);
    SetShown(PaddingSpin, v.MarginShown);
    SetShown(SpeechCombo, v.SpeechShown);
    SetShown(OutlineCombo, v.OutlineShown);
    PaddingSpin->setValue(v.Margin);
    SetComboIndex(SpeechCombo, v.Speech);
    SetComboIndex(OutlineCombo, v.Outline);
    TextMemo->setPlainText(v.TextLines.join(QLatin1Char('\n')));

    // "Line"
    page(LineSheet, v.LinePage);
    SetShown(OrientationCombo, v.OrientationShown);
    AutoCenterCheck->setVisible(v.AutoCenterShown);
    LineCheck->setVisible(v.LineShown);
    SetComboIndex(OrientationCombo, v.Orientation);
    AutoCenterCheck->setChecked(v.AutoCenter);
    LineCheck->setChecked(v.Line);
    StartArrowCheck->setChecked(v.Arrow1);
    EndArrowCheck->setChecked(v.Arrow2);

    // "Color and Border"
    page(ColorSheet, v.ColorPage);
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

    // "Coordinates"
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
    SetCoord();
    DrawPoints();
    PointsPasteButton->setVisible(v.PasteShown);
}

void TMainForm::SetCoord()
{
    const TDrawObject* obj = Core->DrObj();
    if (!obj)
        return;
    // The boxes apply when left: setting them is no edit.
    LeftSpin->setValue(obj->Left);
    TopSpin->setValue(obj->Top);
    WidthSpin->setValue(obj->Width());
    HeightSpin->setValue(obj->Height());
}

void TMainForm::DrawPoints()
{
    PointSpin->hide();
    const TDrawObject* obj = Core->DrObj();
    const std::vector<TPoint> nodes = obj ? obj->BtnPoints : std::vector<TPoint>{};
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

void TMainForm::SetPoints()
{
    SetCoord();
    DrawPoints();
    const TDrawObject* obj = Core->DrObj();
    if (obj && PointsCountSpin->isVisible()) {
        const QSignalBlocker block(PointsCountSpin);
        PointsCountSpin->setValue(obj->ButtonCount());
    }
}

void TMainForm::RotCenEn(bool flag)
{
    XSpin->setEnabled(flag);
    YSpin->setEnabled(flag);
    CenterButton->setEnabled(flag);
}

void TMainForm::PointsGridCellClicked(int row, int column)
{
    if (column != 1 || !PointsGrid->item(row, 1))
        return;
    Core->Doc.QRow = row;
    // The cell editor covers the value cell.
    const QRect cell = PointsGrid->visualItemRect(PointsGrid->item(row, 1));
    const QSignalBlocker block(PointSpin);
    PointSpin->setValue(PointsGrid->item(row, 1)->text().toInt());
    PointSpin->setGeometry(cell.left(), cell.top(), cell.width() + 1, cell.height() + 1);
    PointSpin->show();
    PointSpin->setFocus();
    PointSpin->selectAll();
}

void TMainForm::PointSpinExit()
{
    if (!PointSpin->isVisible())
        return;
    PointSpin->hide(); // hiding ends the edit once; the focus change does not repeat it
    const int row = Core->Doc.QRow;
    if (QTableWidgetItem* item = PointsGrid->item(row, 1))
        item->setText(QString::number(PointSpin->value()));
    Guard([this, row] {
        Panels->PointChange(row, PointSpin->value());
        SetPoints();
    });
}

void TMainForm::FramesChangesListClick(int row)
{
    Guard([this, row] {
        const int frame = Core->Doc.FramesChangesListClick(row);
        if (frame < 0)
            return;
        GoToFrame(frame);
        // Going to the frame filled the pages again: the line stays chosen.
        FramesChangesList->setCurrentRow(row);
        Core->Doc.DeleteChangesEnabled = Panels->ChangesEnable();
        DeleteChangesButton->setEnabled(Core->Doc.DeleteChangesEnabled);
    });
}

void TMainForm::DeleteChangesButtonClick()
{
    Guard([this] {
        if (Panels->DeleteChanges())
            ObjEn(true);
    });
}

void TMainForm::TabStop()
{
    if (!IsStart && StopButton->isEnabled())
        StopButton->click();
}
