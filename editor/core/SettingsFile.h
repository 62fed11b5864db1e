#pragma once
// The user's settings file "settings.dat": a flat little-endian file without
// signature or version, byte-compatible with the Windows program:
//   window state (byte: 0 normal, 1 minimised, 2 maximised), left, top, width,
//   height, property panel width, frame strip height (Int32 each), last project
//   (string), then the default figure properties in this order: Center, Arrow1,
//   Arrow2, ChCn, Line, Transparent (Boolean each), PointX, PointY, Padding,
//   BorderWidth, ShadowWidth, TextSize, Angle, TextFill, TextSpeech, Orient,
//   Left, Top, Width, Height (Int32 each), BackColor, ShadowColor, BorderColor,
//   TextColor (COLORREF), TextName, TextValue (string), TextStyle (byte).
// One Boolean may follow, Zembra's own: "Optimise" for Save GIF. It is written
// only when off, so that a file with the default settings stays the Windows
// program's byte for byte; a file without it means on.
#include "model/DefaultParam.h"

#include <QIODevice>
#include <QString>
#include <cstdint>

inline const QString SettingsFileName = QStringLiteral("settings.dat");

struct TWindowSettings {
    uint8_t WindowState = 0; // 0 normal, 1 minimised, 2 maximised
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t PropertyPanelWidth = 0; // DrawObjectScroll
    int32_t FrameStripHeight = 0;   // FramesImage
    QString LastProject;
    bool OptimiseGIF = true;

    friend bool operator==(const TWindowSettings&, const TWindowSettings&) = default;
};

// Reads the settings. The window fields are stored into `window` only when the
// whole file was read; the default figure properties go straight into
// `defaults`, so those read before a short end stay read. Returns whether
// everything was read.
bool ReadSettings(QIODevice& in, TWindowSettings& window, TDefaultParam& defaults);
bool LoadSettingsFile(const QString& path, TWindowSettings& window, TDefaultParam& defaults);

// Writes every field in order; stops at the first failed write.
bool WriteSettings(QIODevice& out, const TWindowSettings& window, const TDefaultParam& defaults);
// Writes the file through a temporary file renamed over the old one, so that a
// failed write leaves the previous file as it was.
bool SaveSettingsFile(const QString& path, const TWindowSettings& window, const TDefaultParam& defaults);
