#pragma once
// TColorForm, "Color Selection": the palette colour picker. It shows the
// entries of a palette as a grid of swatches, preselects the entry nearest to
// the colour it is given and returns the one picked. Palettes of more than 16
// entries show 16 columns of 18-pixel cells; smaller ones 8 x 2 cells of 31.
#include "platform/Color.h"

#include <QDialog>
#include <array>
#include <optional>
#include <span>
#include <vector>

class QFrame;
class QPushButton;
class QWidget;
class TColorGrid;

class TColorForm : public QDialog {
    Q_OBJECT
public:
    explicit TColorForm(QWidget* parent);

    // The colour picked, or `color` when the palette is empty or the window
    // is not closed with OK.
    TColor ChooseColor(std::span<const TColor> palette, TColor color);
    // The same for the dialogs seam: nothing when cancelled.
    std::optional<TColor> Pick(std::span<const TColor> palette, TColor color);

    // Loads a palette (at most 256 entries are shown) and shapes the grid and
    // the window to it.
    void SetPalette(std::span<const TColor> palette);
    // Makes the cell of the palette entry nearest to the colour current (the
    // first cell when that entry has no cell).
    void SelectColor(TColor color);
    // Colour of the current cell.
    TColor CurrentColor() const;

    int Count() const { return FCount; }
    TColorGrid* Grid() const { return ColorGrid; }

    static constexpr int LargeCell = 31;
    static constexpr int SmallCell = 18;

private:
    std::vector<TColor> FPalette;                // the palette loaded
    int FCount = 0;                              // entries shown, at most 256
    std::array<TColor, 256> FPaletteEntries{};   // copy of the entries, padded with grey

    QFrame* GridPanel = nullptr;
    TColorGrid* ColorGrid = nullptr;
    QWidget* BottomPanel = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
