#include "tools/ScreenForm.h"

TScreenForm::TScreenForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ScreenForm"));
    setWindowTitle(QStringLiteral("Screen Record"));
}
