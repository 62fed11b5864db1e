#pragma once
// TGIFFromImages: turns a list of still pictures into the project's background
// GIF and hands it to the "Options" page's loader, which builds the project's
// frames from it. Every picture becomes one frame of the first picture's size:
// the background colour, with the picture fitted in at the top-left corner.
#include "editor/core/Messages.h"
#include "platform/Color.h"

#include <QString>
#include <QStringList>

class TEditorCore;
class TOptionsPage;
class TBitmap;
class TZGIFImage;

class TGIFFromImages {
public:
    TGIFFromImages(TEditorCore& core, TOptionsPage& page) : Core(core), Page(page) {}

    // Makes the frames from the pictures (full paths), each lasting `delay` ms
    // (held at the longest duration a frame keeps). A cancel puts an earlier
    // background GIF back; so does a picture that cannot be read, whose error
    // is raised after the project is back as it was.
    void CreateGIF(const QStringList& files, int delay);

    // The frame made of one picture: size x size of the first picture, the
    // background colour, the picture fitted in at the top-left corner.
    static void DrawFrame(TBitmap& frame, const TBitmap& picture, int width, int height, TColor backColor);

    TGIFFromImagesMessages Msg;

private:
    // Puts the kept background GIF back, or leaves none.
    void RestoreBack(bool hadBack, const TZGIFImage& kept);

    TEditorCore& Core;
    TOptionsPage& Page;
};
