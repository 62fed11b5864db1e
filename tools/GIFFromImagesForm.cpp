#include "tools/GIFFromImagesForm.h"

TGIFFromImagesForm::TGIFFromImagesForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GIFFromImagesForm"));
    setWindowTitle(QStringLiteral("GIF From Images"));
}
