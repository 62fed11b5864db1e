#include "platform/InstallLayout.h"

#include "platform/BuildInfo.h"

#include <QDir>

QString GuideIndexFile(const QString& programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(ZEMBRA_GUIDE_FROM_BINDIR "/index.html")));
}

QString PrivateLibraryFolder(const QString& programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(ZEMBRA_LIBDIR_FROM_BINDIR)));
}
