#include "editor/PropertySheets.h"

#include "drawobjects/Bezier.h"
#include "editor/ColorShape.h"
#include "editor/FigureSheets.h"
#include "editor/core/EditorCore.h"
#include "editor/core/PropertyPanels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <algorithm>

TPropertySheets::TPropertySheets(QWidget* parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("DrawObjectControl"));
    setUsesScrollButtons(true);
    AnimationSheet = new TAnimationSheet(QStringLiteral("Animation"));
    ImageSheet = new TImageSheet(QStringLiteral("Image"));
    CoordinatesSheet = new TCoordinatesSheet(QStringLiteral("Coordinates"));
    RotationSheet = new TRotationSheet(QStringLiteral("Rotation"));
    ColorSheet = new TColorSheet(QStringLiteral("Color and Border"));
    TextSheet = new TTextSheet(QStringLiteral("Text"));
    LineSheet = new TLineSheet(QStringLiteral("Line"));
    FigureSheets = {AnimationSheet, ImageSheet, CoordinatesSheet, RotationSheet, ColorSheet, TextSheet, LineSheet};
    for (TFigureSheet* sheet : FigureSheets)
        addTab(sheet, sheet->windowTitle());
}

QPlainTextEdit* TPropertySheets::Memo() const
{
    return TextSheet->TextMemo;
}

// Pages a figure has no use for leave the tab bar rather than being hidden in
// it: the tab bar scrolls wrongly over hidden tabs (a gap opens before the
// first tab). A page comes back at its place in the fixed order.
void TPropertySheets::SetSheetShown(TFigureSheet* sheet, bool shown)
{
    const int index = indexOf(sheet);
    if (shown == (index >= 0))
        return;
    if (!shown) {
        removeTab(index);
        return;
    }
    int position = 0;
    for (TFigureSheet* other : FigureSheets) {
        if (other == sheet)
            break;
        if (indexOf(other) >= 0)
            ++position;
    }
    insertTab(position, sheet, sheet->windowTitle());
}

int TPropertySheets::CurrentSheetNumber() const
{
    const auto it = std::find(FigureSheets.begin(), FigureSheets.end(), currentWidget());
    return it == FigureSheets.end() ? 0 : int(it - FigureSheets.begin());
}

void TPropertySheets::SetCurrentSheetNumber(int number)
{
    TFigureSheet* sheet = FigureSheets[size_t(std::clamp(number, 0, int(FigureSheets.size()) - 1))];
    if (indexOf(sheet) >= 0)
        setCurrentWidget(sheet);
}

void TPropertySheets::ObjEn(bool single)
{
    setVisible(single);
    if (!single || !Panels)
        return;
    Core->SetIsDel(false);
    {
        // Filling the pages is no edit ("Amount" applies on every change of its value).
        const QSignalBlocker blockCount(CoordinatesSheet->PointsCountSpin);
        ShowPanels(Panels->Fill());
    }
    Core->SetIsDel(true);
}

void TPropertySheets::ShowPanelControls(bool pages)
{
    if (pages)
        for (TFigureSheet* sheet : FigureSheets)
            SetSheetShown(sheet, true);
    CoordinatesSheet->ShowAllControls();
    RotationSheet->ShowAllControls();
    ColorSheet->ShowAllControls();
    TextSheet->ShowAllControls();
    LineSheet->ShowAllControls();
}

void TPropertySheets::ShowPanels(const TPanelView& v)
{
    const QSignalBlocker blockPages(this);
    const QSignalBlocker blockMemo(TextSheet->TextMemo);
    const QSignalBlocker blockAmount(CoordinatesSheet->PointsCountSpin);
    ShowPanelControls(false);
    SetSheetShown(AnimationSheet, true);
    SetSheetShown(CoordinatesSheet, true);
    SetSheetShown(RotationSheet, true);
    AnimationSheet->Show(v);
    SetSheetShown(ImageSheet, v.ImagePage);
    if (v.ImagePage)
        ImageSheet->Show(v, BMPNo);
    RotationSheet->Show(v);
    SetSheetShown(TextSheet, v.TextPage);
    TextSheet->Show(v);
    SetSheetShown(LineSheet, v.LinePage);
    LineSheet->Show(v);
    SetSheetShown(ColorSheet, v.ColorPage);
    ColorSheet->Show(v);
    CoordinatesSheet->Show(v, Core->DrObj());
}

void TPropertySheets::ShowDefault(const TDefaultParam& d)
{
    Panels->IsDefault = true;
    Core->SetIsDel(false);
    {
        // Filling the boxes is no edit.
        const QSignalBlocker blockMemo(TextSheet->TextMemo);
        const QSignalBlocker blockCount(CoordinatesSheet->PointsCountSpin);
        ShowPanelControls(true);
        for (TFigureSheet* sheet : FigureSheets)
            SetSheetShown(sheet, sheet != AnimationSheet);
        CoordinatesSheet->ShowDefault(d);
        RotationSheet->ShowDefault(d);
        ColorSheet->ShowDefault(d);
        TextSheet->ShowDefault(d);
        LineSheet->ShowDefault(d);
        ImageSheet->ShowDefault(d, BMPNo);
        setCurrentWidget(CoordinatesSheet);
        show();
    }
    Core->SetIsDel(true);
}

void TPropertySheets::SetCoord()
{
    CoordinatesSheet->SetCoord(Core->DrObj());
}

void TPropertySheets::SetPoints()
{
    CoordinatesSheet->SetPoints(Core->DrObj());
}

void TPropertySheets::ShowCentre(int x, int y)
{
    RotationSheet->ShowCentre(x, y);
}

void TPropertySheets::PointsGridCellClicked(int row, int column)
{
    if (CoordinatesSheet->EditCell(row, column))
        Core->SetQRow(row);
}

void TPropertySheets::PointSpinExit()
{
    QSpinBox* spin = CoordinatesSheet->PointSpin;
    if (!spin->isVisible())
        return;
    spin->hide(); // hiding ends the edit once; the focus change does not repeat it
    const int row = Core->QRow();
    if (QTableWidgetItem* item = CoordinatesSheet->PointsGrid->item(row, 1))
        item->setText(QString::number(spin->value()));
    Guard([this, row, spin] {
        Panels->PointChange(row, spin->value());
        SetPoints();
    });
}

void TPropertySheets::FramesChangesListClick(int row)
{
    Guard([this, row] {
        const int frame = Core->Doc.FramesChangesListClick(row);
        if (frame < 0)
            return;
        if (GoToFrame)
            GoToFrame(frame);
        // Going to the frame filled the pages again: the line stays chosen.
        AnimationSheet->FramesChangesList->setCurrentRow(row);
        Core->Doc.DeleteChangesEnabled = Panels->ChangesEnable();
        AnimationSheet->DeleteChangesButton->setEnabled(Core->Doc.DeleteChangesEnabled);
    });
}

void TPropertySheets::DeleteChangesButtonClick()
{
    Guard([this] {
        if (Panels->DeleteChanges() && Refill)
            Refill(true);
    });
}

void TPropertySheets::StartFrameSpinExit()
{
    TEditScope edit(Core->History(), QStringLiteral("Start Frame"));
    const TStartCountChange change = Core->Doc.StartFrameSpinExit(
        AnimationSheet->StartFrameSpin->value(), AnimationSheet->FramesCountSpin->value(), Core->FrameCount());
    if (!change.Changed)
        return;
    // The animation grows by background frames or loses frames at its end.
    TZGIFImage& animation = Core->Animation();
    Core->FillApBMP();
    for (int i = 0; i < change.AddFrames; ++i) {
        const int added = animation.AddFrame(Core->ApBMP());
        animation.Frames(added).SetAnimateInterval(static_cast<uint16_t>(std::clamp(Core->Doc.AnInt, 0, 65535)));
    }
    for (int i = 0; i < change.DeleteFrames && animation.Count() > 1; ++i)
        animation.DeleteFrame(animation.Count() - 1);
    Core->GetAnim();
    Core->EditFrame();
    if (FramesChanged)
        FramesChanged();
    Core->SetModifyTrue();
}

// On a Bezier figure the filling and the arrows exclude each other, so each
// of these edits shows the other checks again.
void TPropertySheets::LineChecks()
{
    const auto* bezier = dynamic_cast<const TBezier*>(Core->Doc.DrObj);
    if (Panels->IsDefault || !bezier)
        return;
    LineSheet->LineCheck->setChecked(!bezier->Filled());
    LineSheet->StartArrowCheck->setChecked(bezier->Arrow1());
    LineSheet->EndArrowCheck->setChecked(bezier->Arrow2());
}

void TPropertySheets::Wire(TEditorCore& core, TPropertyPanels& panels, const TGuard& guard)
{
    Core = &core;
    Panels = &panels;
    Guard = guard;
    BuildWiring();
}

void TPropertySheets::BuildWiring()
{
    TPropertyPanels& p = *Panels;
    TEditorCore* c = Core;

    // Spin boxes apply when left or on Enter; an edit ends with the command states.
    auto onExit = [this](QSpinBox* spin, std::function<void(int)> apply) {
        connect(spin, &QSpinBox::editingFinished, this, [this, spin, apply] { Guard([&] { apply(spin->value()); }); });
    };
    onExit(RotationSheet->AngleSpin, [&p](int v) { p.AngleChange(v); });
    onExit(ColorSheet->ShadowWidthSpin, [&p](int v) { p.ShadowWidthChange(v); });
    onExit(RotationSheet->XSpin, [&p](int v) { p.RotationPointChange(true, v); });
    onExit(RotationSheet->YSpin, [&p](int v) { p.RotationPointChange(false, v); });
    onExit(TextSheet->PaddingSpin, [&p](int v) { p.PaddingChange(v); });
    onExit(ColorSheet->BorderWidthSpin, [this, &p](int v) {
        p.BorderWidthChange(v);
        if (!p.IsDefault)
            SetCoord(); // a point's size follows its pen
    });
    const std::pair<QSpinBox*, TCoordBox> coords[] = {{CoordinatesSheet->LeftSpin, TCoordBox::Left},
                                                      {CoordinatesSheet->TopSpin, TCoordBox::Top},
                                                      {CoordinatesSheet->WidthSpin, TCoordBox::Width},
                                                      {CoordinatesSheet->HeightSpin, TCoordBox::Height}};
    for (const auto& [spin, box] : coords) {
        onExit(spin, [this, &p, box = box](int v) {
            p.CoordInit(box, v);
            if (!p.IsDefault)
                SetPoints();
        });
    }

    // "Amount" follows every change of its value (arrows, Enter, leaving).
    TCoordinatesSheet* sheet = CoordinatesSheet;
    sheet->PointsCountSpin->setKeyboardTracking(false);
    connect(sheet->PointsCountSpin, &QSpinBox::valueChanged, this, [this, &p](int v) {
        Guard([&] {
            p.PointsCountChange(v);
            SetPoints();
        });
    });
    connect(sheet->PointsGrid, &QTableWidget::cellClicked, this, &TPropertySheets::PointsGridCellClicked);
    connect(sheet->PointSpin, &QSpinBox::editingFinished, this, &TPropertySheets::PointSpinExit);
    connect(sheet->PointsCopyButton, &QPushButton::clicked, this, [this, &p, sheet] {
        Guard([&] {
            p.PointsCopy();
            sheet->PointsPasteButton->show();
        });
    });
    connect(sheet->PointsPasteButton, &QPushButton::clicked, this, [this, &p] {
        Guard([&] {
            p.PointsPaste();
            SetPoints();
        });
    });

    auto onCheck = [this](QCheckBox* check, std::function<void(bool)> apply) {
        connect(check, &QCheckBox::clicked, this, [this, apply](bool on) { Guard([&] { apply(on); }); });
    };
    onCheck(RotationSheet->CenterCheck, [this, &p](bool on) {
        p.CenterChange(on);
        RotationSheet->RotCenEn(!on);
    });
    onCheck(LineSheet->AutoCenterCheck, [&p](bool on) { p.AutoCenterChange(on); });
    onCheck(LineSheet->LineCheck, [this, &p](bool on) {
        p.LineChange(on);
        LineChecks();
    });
    onCheck(LineSheet->StartArrowCheck, [this, &p](bool on) {
        p.ArrowChange(true, on);
        LineChecks();
    });
    onCheck(LineSheet->EndArrowCheck, [this, &p](bool on) {
        p.ArrowChange(false, on);
        LineChecks();
    });
    onCheck(ImageSheet->ImageTransparentCheck, [&p](bool on) { p.TransparentChange(on); });

    auto onCombo = [this](QComboBox* combo, std::function<void(int)> apply) {
        connect(combo, &QComboBox::activated, this, [this, apply](int index) { Guard([&] { apply(index); }); });
    };
    onCombo(TextSheet->OutlineCombo, [&p](int i) { p.OutlineChange(i); });
    onCombo(LineSheet->OrientationCombo, [&p](int i) { p.OrientationChange(i); });
    onCombo(TextSheet->SpeechCombo, [&p](int i) { p.SpeechChange(i); });

    // A text block's size follows its text and font.
    connect(TextSheet->TextMemo, &QPlainTextEdit::textChanged, this, [this, &p] {
        Guard([&] {
            p.TextChange(TextSheet->MemoLines());
            if (!p.IsDefault)
                SetCoord();
        });
    });
    connect(TextSheet->FontButton, &QPushButton::clicked, this, [this, &p] {
        Guard([&] {
            if (p.FontButtonClick() && !p.IsDefault)
                SetCoord();
        });
    });

    const std::tuple<QPushButton*, TColorShape*, TColorSwatch> swatches[] = {
        {ColorSheet->FigureColorButton, ColorSheet->FigureColorShape, TColorSwatch::Fill},
        {ColorSheet->ShadowColorButton, ColorSheet->ShadowColorShape, TColorSwatch::Shadow},
        {ColorSheet->BorderColorButton, ColorSheet->BorderColorShape, TColorSwatch::Border}};
    for (const auto& [button, shape, swatch] : swatches) {
        connect(button, &QPushButton::clicked, this, [this, &p, shape = shape, swatch = swatch] {
            Guard([&] {
                const TColor color = p.ColorButtonClick(swatch);
                if (color != clNone)
                    shape->SetColor(color);
            });
        });
    }

    TAnimationSheet* animation = AnimationSheet;
    connect(animation->FramesChangesList, &QListWidget::itemClicked, this,
            [this, animation](QListWidgetItem* item) { FramesChangesListClick(animation->FramesChangesList->row(item)); });
    connect(animation->DeleteChangesButton, &QPushButton::clicked, this, &TPropertySheets::DeleteChangesButtonClick);
    connect(animation->StartFrameSpin, &QSpinBox::editingFinished, this, [this] { Guard([this] { StartFrameSpinExit(); }); });
    connect(animation->FramesCountSpin, &QSpinBox::editingFinished, this, [this] { Guard([this] { StartFrameSpinExit(); }); });
    connect(animation->AllFramesCheck, &QCheckBox::clicked, this, [this, c](bool on) {
        Guard([c, on] {
            TEditScope edit(c->History(), QStringLiteral("In All Frames"));
            c->Doc.AllFramesCheck(on);
            c->GetAnim();
            c->EditFrame();
        });
    });
    connect(RotationSheet->CenterButton, &QPushButton::clicked, this, [this, c] { Guard([c] { c->CenterButtonClick(); }); });

    // A page chosen by the user: the pages are filled again.
    connect(tabBar(), &QTabBar::tabBarClicked, this, [this, c](int) {
        Guard([this, c] {
            if (!Panels->IsDefault && Refill)
                Refill(true);
            c->Doc.IsModify = true;
        });
    });
}

void TPropertySheets::ShowDeleteChanges(bool enabled)
{
    AnimationSheet->DeleteChangesButton->setEnabled(enabled);
}
