#pragma once
// Reading a folder of numbered images for the wizard's "Folder" page: every
// JPG, PNG or BMP file whose name holds digits, in the order of the number
// those digits make (file "a9.png" before "a10.png"); names with the same
// number keep the order the folder listing gave them.
#include "editor/core/Messages.h"
#include "platform/Progress.h"

#include <QString>
#include <QStringList>
#include <optional>

// The number formed by all decimal digits of the name (extension included),
// or nothing when it has none or they do not fit in 32 bits.
std::optional<int> NameNumber(const QString& fileName);

// The bare names of the numbered images of the folder, sorted by number, under
// the progress window ("Loading Images From Folder", then "Image Sorting").
// Nothing when the user cancelled.
std::optional<QStringList> LoadNumberedImages(const QString& folder, TProgress& progress,
                                              const TGIFFromImagesMessages& msg);
