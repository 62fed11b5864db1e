#pragma once
// Writing the frames of the rendered animation as separate picture files:
// "Image<n>.<ext>" in a folder (n the 1-based frame number), as JPG, PNG,
// single-frame GIF or BMP, either every frame or the frames selected in the
// frame strip.
#include "editor/core/Messages.h"

#include <QString>
#include <vector>

class TEditorCore;

// The items of the "Format" box, in their order.
enum class TExtractFormat { Jpg, Png, Gif, Bmp };

struct TExtractRequest {
    QString Folder;
    TExtractFormat Format = TExtractFormat::Jpg;
    int Quality = 77;          // JPEG quality, 1..100
    bool SelectedOnly = false; // only the frames selected in the strip
};

// "jpg", "png", "gif" or "bmp".
QString ExtractExtension(TExtractFormat format);
// The file frame `index` (0-based) is written to.
QString ExtractFileName(const QString& folder, int index, TExtractFormat format);

// The frames a request writes: the selection in its own order (entries that
// name no frame are left out) or every frame.
std::vector<int> ExtractFrameIndexes(const TEditorCore& core, bool selectedOnly);

// Makes the folder (with its parents) and writes the frames under the progress
// window, until the user cancels. False, with nothing written, when the folder
// cannot be made. Write errors are raised; files already written stay.
bool ExtractFrames(TEditorCore& core, const TExtractRequest& request, const TExtractMessages& msg);
