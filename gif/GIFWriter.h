#pragma once
// Writes a TZGIFImage as a GIF file in memory: encodes every frame that has
// no encoded data, brings the frames' extensions up to date, then lays out
// header, screen, tables, loop extension, frames, comment and trailer.
#include <QByteArray>

class TZGIFFrame;
class TZGIFImage;

class TGIFWriter {
public:
    static QByteArray Write(TZGIFImage& image);
    // Adds, updates or removes the frame's extensions to match its duration,
    // transparent colour and disposal method.
    static void UpdateExtensions(TZGIFFrame& frame);
};
