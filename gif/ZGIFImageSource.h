#pragma once
// The frames of a TZGIFImage as a source for TGIFExporter. A frame that was
// not decoded before it is exported is freed again afterwards, so exporting a
// long animation keeps only a few frames decoded.
#include "gif/GIFExporter.h"

class TZGIFImage;

class TZGIFImageSource : public TGIFFrameSource {
public:
    explicit TZGIFImageSource(TZGIFImage& image) : fImage(image) {}

    TGIFAnimationInfo Info() const override;
    int Count() const override;
    TGIFSourceFrame Frame(int index) override;

private:
    TZGIFImage& fImage;
};

// Writes the image through the exporter to a file (replaced only once it is complete).
void ExportGIF(TZGIFImage& image, const QString& fileName, const TGIFExportOptions& options);
