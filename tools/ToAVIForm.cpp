#include "tools/ToAVIForm.h"

TToAVIForm::TToAVIForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ToAVIForm"));
    setWindowTitle(QStringLiteral("Save AVI"));
}
