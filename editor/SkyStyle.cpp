#include "editor/SkyStyle.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QStyleFactory>

QString SkyStyleSheet()
{
    QFile file(QStringLiteral(":/styles/Sky.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool ApplySkyStyle(QApplication& application)
{
    const QString sheet = SkyStyleSheet();
    if (sheet.isEmpty())
        return false;
    // Fusion draws every control from the style sheet's colours the same way on every desktop.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        application.setStyle(fusion);
    // The controls the sheet leaves to the style (spin boxes, combo boxes) take the sky colours from the palette.
    QPalette palette = application.palette();
    palette.setColor(QPalette::Window, QColor(0xea, 0xf4, 0xfc));
    palette.setColor(QPalette::Button, QColor(0xdc, 0xec, 0xf9));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0x5a, 0xa9, 0xe6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::WindowText, QColor(0x10, 0x26, 0x3d));
    palette.setColor(QPalette::ButtonText, QColor(0x10, 0x26, 0x3d));
    application.setPalette(palette);
    application.setStyleSheet(sheet);
    return true;
}
