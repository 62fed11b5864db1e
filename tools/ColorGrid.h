#pragma once
// The swatch grid of the colour-selection window: ColCount x RowCount cells of
// one size, each showing a palette entry with a sunken 3D frame; the current
// cell carries a focus rectangle. Entry n sits in row n / ColCount, column
// n % ColCount. Mouse clicks and the arrow keys move the current cell.
#include "platform/Color.h"

#include <QWidget>
#include <array>

class TColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit TColorGrid(QWidget* parent = nullptr);

    // Shape of the grid; the widget takes exactly the cells' size.
    void SetShape(int colCount, int rowCount, int cellSize);
    int ColCount() const { return fColCount; }
    int RowCount() const { return fRowCount; }
    int CellSize() const { return fCellSize; }

    // The 256 entries the cells show (entries past the cells are not shown).
    void SetEntries(const std::array<TColor, 256>& entries);

    // Current cell; out-of-range values are ignored.
    int Col() const { return fCol; }
    int Row() const { return fRow; }
    void SetCell(int row, int col);
    // Entry of the current cell and its colour.
    int CurrentEntry() const { return fRow * fColCount + fCol; }
    TColor CurrentColor() const;
    // Cell under a point of the widget, or {-1, -1}.
    QPoint CellAt(QPoint pos) const;

    QSize sizeHint() const override { return {fColCount * fCellSize, fRowCount * fCellSize}; }

signals:
    void CellChanged(int row, int col);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int fColCount = 16;
    int fRowCount = 16;
    int fCellSize = 18;
    int fCol = 0;
    int fRow = 0;
    std::array<TColor, 256> fEntries{};
};
