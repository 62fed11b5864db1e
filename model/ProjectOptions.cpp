#include "model/ProjectOptions.h"

#include <QStandardPaths>

TProjectOptions TProjectOptions::Defaults()
{
    TProjectOptions options;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    options.ExtractFolder = pictures;
    options.ImagesFolder = pictures;
    return options;
}
