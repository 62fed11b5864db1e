#include "tools/DesktopForm.h"

TDesktopForm::TDesktopForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DesktopForm"));
    setWindowTitle(QStringLiteral("Screen"));
}
