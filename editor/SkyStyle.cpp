#include "editor/SkyStyle.h"

#include <QApplication>
#include <QFile>
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
    application.setStyleSheet(sheet);
    return true;
}
