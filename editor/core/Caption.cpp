#include "editor/core/Caption.h"

#include <QFileInfo>

QString MainCaption(const QString& projFile, int frameCount, const QString& framesWord, int capX, int capY)
{
    QString caption = QStringLiteral("Zembra");
    if (!projFile.isEmpty())
        caption += QStringLiteral(" - [") + QFileInfo(projFile).fileName() + QLatin1Char(']');
    caption += QLatin1Char(' ') + QString::number(frameCount) + QLatin1Char(' ') + framesWord;
    caption += QStringLiteral(" X:") + QString::number(capX) + QStringLiteral(" Y:") + QString::number(capY);
    return caption;
}
