#include "tools/ExtractForm.h"

TExtractForm::TExtractForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExtractForm"));
    setWindowTitle(QStringLiteral("Extract Frames"));
}
