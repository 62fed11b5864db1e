#pragma once
// Settings a project carries besides its records: the "Options" page, the
// page controls, and the tool windows (screen recording, frame extraction,
// AVI, GIF from images). The editor shows these values and writes edits back;
// the project file stores them. Member initialisers are a new project's values.
#include "platform/Color.h"

#include <QString>
#include <cstdint>

struct TProjectOptions {
    // "Options" page.
    TColor BackShapeColor = clWhite;   // the background colour swatch
    bool BackTransparent = false;      // "Transparent"
    int32_t FrameDelay = 50;           // "Default Frame Duration" (ms)
    bool InfiniteLoop = true;          // "Infinitely"
    int32_t RepeatCount = 1;           // "time(s)"
    int32_t CurrentFrameDelay = 50;    // "Current Frame Duration" (ms)
    bool MaintainAspectRatio = true;   // "Maintain Aspect Ratio"

    // Page controls and the rotation angle box of the figure panel.
    int32_t MainPage = 0;
    int32_t FigurePage = 0;
    int32_t AngleSpin = 0;

    // Screen recording.
    int32_t RecordDelay = 50;

    // Frame extraction.
    QString ExtractFolder;             // the Pictures folder for a new project
    int32_t ExtractQuality = 77;
    bool SelectedOnly = false;         // "Selected Only"

    // Save AVI.
    QString AviFile;
    int32_t AviFrameTime = 50;         // ms
    int32_t AviQuality = 10000;
    int32_t AviPixelFormat = 1;        // item index
    int32_t AviCompressor = 0;         // item index

    // GIF from images.
    int32_t ImagesSource = 0;          // radio group index
    int32_t ImagesDelay = 50;          // ms
    QString ImagesFolder;              // the Pictures folder for a new project

    // A new project's settings, with the folders set to the user's Pictures folder.
    static TProjectOptions Defaults();

    friend bool operator==(const TProjectOptions&, const TProjectOptions&) = default;
};

// Frames keep their duration in 16 bits: longer durations are held at the longest.
constexpr int32_t kMaxFrameDuration = 65535;
