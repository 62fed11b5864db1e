#include "tools/FolderPaths.h"

#include <QDir>
#include <QFileInfo>

bool ForceFolder(const QString& path)
{
    if (path.trimmed().isEmpty())
        return false;
    QDir().mkpath(path);
    return QFileInfo(path).isDir();
}

QString StartFolder(const QString& text, const QString& fallback)
{
    if (!text.isEmpty() && QFileInfo(text).isDir())
        return text;
    return fallback;
}

TNewFolderResult CreateSubfolder(const QString& parent, const QString& name, QString* created)
{
    if (name.trimmed().isEmpty())
        return TNewFolderResult::EmptyName;
    // Only a name, never a path: a separator would make folders elsewhere.
    if (name.contains(QLatin1Char('/')) || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return TNewFolderResult::Failed;
    QDir dir(parent);
    if (parent.isEmpty() || !dir.exists() || !dir.mkdir(name))
        return TNewFolderResult::Failed;
    if (created)
        *created = QDir::cleanPath(dir.filePath(name));
    return TNewFolderResult::Created;
}
