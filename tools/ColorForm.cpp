#include "tools/ColorForm.h"

TColorForm::TColorForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ColorForm"));
    setWindowTitle(QStringLiteral("Color Selection"));
}
