#include "tools/ColorGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

TColorGrid::TColorGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ColorGrid"));
    setFocusPolicy(Qt::StrongFocus);
    fEntries.fill(RGB(128, 128, 128));
    SetShape(fColCount, fRowCount, fCellSize);
}

void TColorGrid::SetShape(int colCount, int rowCount, int cellSize)
{
    fColCount = std::max(1, colCount);
    fRowCount = std::max(1, rowCount);
    fCellSize = std::max(1, cellSize);
    setFixedSize(fColCount * fCellSize, fRowCount * fCellSize);
    SetCell(std::min(fRow, fRowCount - 1), std::min(fCol, fColCount - 1));
    update();
}

void TColorGrid::SetEntries(const std::array<TColor, 256>& entries)
{
    fEntries = entries;
    update();
}

void TColorGrid::SetCell(int row, int col)
{
    if (row < 0 || row >= fRowCount || col < 0 || col >= fColCount)
        return;
    if (row == fRow && col == fCol)
        return;
    fRow = row;
    fCol = col;
    update();
    emit CellChanged(row, col);
}

TColor TColorGrid::CurrentColor() const
{
    const int entry = CurrentEntry();
    return entry >= 0 && entry < int(fEntries.size()) ? fEntries[size_t(entry)] : RGB(128, 128, 128);
}

QPoint TColorGrid::CellAt(QPoint pos) const
{
    if (pos.x() < 0 || pos.y() < 0)
        return {-1, -1};
    const int col = pos.x() / fCellSize;
    const int row = pos.y() / fCellSize;
    if (col >= fColCount || row >= fRowCount)
        return {-1, -1};
    return {col, row};
}

void TColorGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = ToQColor(clBtnFace);
    const QColor shadow = ToQColor(clBtnShadow);
    const QColor highlight = ToQColor(clBtnHighlight);
    for (int row = 0; row < fRowCount; ++row) {
        for (int col = 0; col < fColCount; ++col) {
            QRect cell(col * fCellSize, row * fCellSize, fCellSize, fCellSize);
            // Outline in the button face, then a two-pixel sunken frame.
            painter.setPen(face);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            cell.adjust(1, 1, -1, -1);
            for (int i = 0; i < 2; ++i) {
                painter.setPen(shadow);
                painter.drawLine(cell.topLeft(), cell.topRight());
                painter.drawLine(cell.topLeft(), cell.bottomLeft());
                painter.setPen(highlight);
                painter.drawLine(cell.bottomLeft(), cell.bottomRight());
                painter.drawLine(cell.topRight(), cell.bottomRight());
                cell.adjust(1, 1, -1, -1);
            }
            const int entry = row * fColCount + col;
            const TColor color = entry < int(fEntries.size()) ? fEntries[size_t(entry)] : RGB(128, 128, 128);
            painter.fillRect(cell, ToQColor(color));
            if (row == fRow && col == fCol) {
                QStyleOptionFocusRect option;
                option.initFrom(this);
                option.rect = cell.adjusted(1, 1, -1, -1);
                option.backgroundColor = ToQColor(color);
                style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
                // A visible mark also where the style draws no focus frame.
                painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(cell.adjusted(1, 1, -2, -2));
            }
        }
    }
}

void TColorGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() >= 0)
        SetCell(cell.y(), cell.x());
    setFocus();
}

void TColorGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: SetCell(fRow, fCol - 1); break;
    case Qt::Key_Right: SetCell(fRow, fCol + 1); break;
    case Qt::Key_Up: SetCell(fRow - 1, fCol); break;
    case Qt::Key_Down: SetCell(fRow + 1, fCol); break;
    case Qt::Key_Home: SetCell(fRow, 0); break;
    case Qt::Key_End: SetCell(fRow, fColCount - 1); break;
    default: QWidget::keyPressEvent(event); return;
    }
}
