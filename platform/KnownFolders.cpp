#include "platform/KnownFolders.h"

#include <QStandardPaths>

QString GetKnownFolderPath(TKnownFolder folder)
{
    const auto location = folder == TKnownFolder::Documents ? QStandardPaths::DocumentsLocation
                                                            : QStandardPaths::PicturesLocation;
    return QStandardPaths::writableLocation(location);
}
