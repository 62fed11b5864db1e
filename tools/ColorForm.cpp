#include "tools/ColorForm.h"

#include "tools/ColorGrid.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int GridBorder = 2;        // the grid panel's sunken border
constexpr int BottomPanelWidth = 96; // the buttons' column beside the grid
} // namespace

TColorForm::TColorForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ColorForm"));
    setWindowTitle(QStringLiteral("Color Selection"));

    GridPanel = new QFrame(this);
    GridPanel->setObjectName(QStringLiteral("GridPanel"));
    GridPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    GridPanel->setLineWidth(GridBorder);
    ColorGrid = new TColorGrid(GridPanel);
    auto* gridLayout = new QHBoxLayout(GridPanel);
    gridLayout->setContentsMargins(GridBorder, GridBorder, GridBorder, GridBorder);
    gridLayout->addWidget(ColorGrid);

    BottomPanel = new QWidget(this);
    BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    BottomPanel->setFixedWidth(BottomPanelWidth);
    OKButton = new QPushButton(QStringLiteral("OK"), BottomPanel);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), BottomPanel);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QVBoxLayout(BottomPanel);
    buttons->setContentsMargins(8, 4, 8, 4);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch(1);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(GridPanel, 0, Qt::AlignTop);
    layout->addWidget(BottomPanel);

    FPaletteEntries.fill(RGB(128, 128, 128));
}

void TColorForm::SetPalette(std::span<const TColor> palette)
{
    FPalette.assign(palette.begin(), palette.end());
    FCount = int(std::min<size_t>(palette.size(), FPaletteEntries.size()));
    FPaletteEntries.fill(RGB(128, 128, 128));
    for (int i = 0; i < FCount; ++i)
        FPaletteEntries[size_t(i)] = palette[size_t(i)] & 0xFFFFFF;
    ColorGrid->SetEntries(FPaletteEntries);

    if (FCount > 16)
        ColorGrid->SetShape(16, FCount / 16 + (FCount % 16 != 0 ? 1 : 0), SmallCell);
    else
        ColorGrid->SetShape(8, 2, LargeCell);

    // The window's client area is the grid with its panel's border, and the
    // button column beside it.
    const int width = ColorGrid->ColCount() * ColorGrid->CellSize() + 2 * GridBorder + BottomPanelWidth;
    const int height = ColorGrid->RowCount() * ColorGrid->CellSize() + 2 * GridBorder;
    setFixedSize(width, std::max(height, BottomPanel->minimumSizeHint().height()));
}

void TColorForm::SelectColor(TColor color)
{
    int entry = -1;
    if (!FPalette.empty())
        entry = NearestPaletteIndex(FPalette.data(), int(FPalette.size()), ColorToRGB(color));
    if (entry >= 0 && entry < FCount)
        ColorGrid->SetCell(entry / ColorGrid->ColCount(), entry % ColorGrid->ColCount());
    else
        ColorGrid->SetCell(0, 0);
}

TColor TColorForm::CurrentColor() const
{
    return ColorGrid->CurrentColor();
}

std::optional<TColor> TColorForm::Pick(std::span<const TColor> palette, TColor color)
{
    if (palette.empty())
        return color;
    SetPalette(palette);
    SelectColor(color);
    ColorGrid->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return CurrentColor();
}

TColor TColorForm::ChooseColor(std::span<const TColor> palette, TColor color)
{
    return Pick(palette, color).value_or(color);
}
