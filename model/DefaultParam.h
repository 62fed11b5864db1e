#pragma once
// The properties a newly drawn figure receives; edited through "Default
// Properties" and kept in the settings file. Fields in their stored order.
#include "platform/Canvas.h"
#include "platform/Color.h"

#include <QString>
#include <cstdint>

struct TDefaultParam {
    bool Center = true;       // rotate about the shape centre
    bool Arrow1 = false;      // arrow head at the line start
    bool Arrow2 = false;      // arrow head at the line end
    bool ChCn = true;         // auto-centre of a Z-line
    bool Line = false;        // "Line" check of a Bezier figure
    bool Transparent = false; // transparent background of a picture
    int32_t PointX = 0;       // rotation point when Center is false
    int32_t PointY = 0;
    int32_t Left = 4;
    int32_t Top = 4;
    int32_t Width = 100;
    int32_t Height = 100;
    int32_t Padding = 4;      // text margin
    int32_t BorderWidth = 2;  // pen width
    int32_t ShadowWidth = 0;
    int32_t TextSize = 12;    // font size
    int32_t Angle = 0;        // degrees
    int32_t TextFill = 0;     // item of the "Outline" choice
    int32_t TextSpeech = 0;   // item of the "Speech" choice
    int32_t Orient = 0;       // item of the "Orientation" choice
    TColor BackColor = clWhite;
    TColor ShadowColor = clWhite;
    TColor BorderColor = clBlack;
    TColor TextColor = clBlack;
    QString TextName = QStringLiteral("Arial");
    QString TextValue;
    TFontStyles TextStyle = 0;

    // Back to the built-in values above.
    void InitDefault();

    friend bool operator==(const TDefaultParam&, const TDefaultParam&) = default;
};
