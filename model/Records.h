#pragma once
// The project records: the animation, its figures, their key frames and the
// property values a key frame carries. Plain values; a figure only observes its
// drawing object (the document owns the objects).
#include "gif/ZGIFImage.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Types.h"

#include <cstdint>
#include <vector>

class TDrawObject;

// The properties a key frame can set. The values are stored in project files.
enum TQPropName : uint8_t {
    qpCenter = 0,       // BoolValue: rotate about the figure's centre
    qpArrow1 = 1,       // BoolValue: arrow head at the line start
    qpArrow2 = 2,       // BoolValue: arrow head at the line end
    qpChCn = 3,         // BoolValue: auto-centre of a Z-line
    qpLine = 4,         // BoolValue: a Bezier figure is not filled
    qpTransparent = 5,  // BoolValue: transparent picture background
    qpPointX = 6,       // IntValue: rotation point X
    qpPointY = 7,       // IntValue: rotation point Y
    qpLeft = 8,         // IntValue
    qpTop = 9,          // IntValue
    qpWidth = 10,       // IntValue
    qpHeight = 11,      // IntValue
    qpPadding = 12,     // IntValue: text margin
    qpBorderWidth = 13, // IntValue: pen width
    qpShadowWidth = 14, // IntValue: shadow size
    qpTextSize = 15,    // IntValue: font size
    qpAngle1 = 16,      // IntValue: never produced by an edit
    qpAngle2 = 17,      // IntValue: never produced by an edit
    qpAngle = 18,       // IntValue: rotation in whole degrees
    qpTextFill = 19,    // IntValue: outline mode of a Bezier text
    qpTextSpeech = 20,  // IntValue: speech-balloon point of an ellipse
    qpOrient = 21,      // IntValue: orientation of a connector
    qpNodeCount = 22,   // IntValue: number of control points
    qpNode = 23,        // Number + Value: position of one control point
    qpBackColor = 24,   // Color: fill
    qpShadowColor = 25, // Color: shadow
    qpBorderColor = 26, // Color: pen
    qpTextColor = 27,   // Color: font
    qpTextName = 28,    // StrValue: font name (index into StrArr)
    qpTextValue = 29,   // StrValue: text (index into StrArr)
    qpTextStyle = 30,   // Style: font style
    qpBitmap = 31,      // IsGIF + Bitmap + FNum: the picture of a picture figure
};
constexpr int kPropNameCount = 32;

// The figure kinds. The values are stored in project files.
enum TQFigName : uint8_t {
    qfPoint = 0,
    qfLine = 1,
    qfLLine = 2,
    qfZLine = 3,
    qfRectangle = 4,
    qfDiamond = 5,
    qfArrow = 6,
    qfStar = 7,
    qfPolygon = 8,
    qfEllipse = 9,
    qfArc = 10, // no class: a project holding it does not open
    qfBezier = 11,
    qfText = 12,
    qfTextBezier = 13,
    qfPicture = 14,
};
constexpr int kFigNameCount = 15;

// How a property is carried from one key frame toward the next.
enum class TQPropKind { Next, Interpolated, ColorInterpolated, NodeInterpolated, Held };
TQPropKind PropKind(TQPropName name);

// One property value. Each property uses the fields named beside it in
// TQPropName; the others stay 0.
struct TQPropValue {
    TQPropName Name = qpCenter;
    bool BoolValue = false;
    int32_t IntValue = 0;
    int32_t Number = 0;    // qpNode: the control point
    TPoint Value;          // qpNode: its position
    TColor Color = 0;
    int32_t StrValue = 0;  // index into StrArr
    TFontStyles Style = 0;
    bool IsGIF = false;    // qpBitmap: the picture comes from a GIF
    int32_t Bitmap = 0;    // qpBitmap: index into BMPArr, or into GIFArr when IsGIF
    int32_t FNum = 0;      // qpBitmap with IsGIF: index into BMPGIF

    static TQPropValue OfBool(TQPropName name, bool value);
    static TQPropValue OfInt(TQPropName name, int32_t value);
    static TQPropValue OfColor(TQPropName name, TColor value);
    static TQPropValue OfString(TQPropName name, int32_t strIndex);
    static TQPropValue OfStyle(TFontStyles value);
    static TQPropValue OfNode(int32_t number, TPoint value);
    static TQPropValue OfBitmap(bool isGIF, int32_t bitmap, int32_t fNum = 0);

    friend bool operator==(const TQPropValue&, const TQPropValue&) = default;
};

using TQChange = std::vector<TQPropValue>;

// A key frame: the values set at frame Number.
struct TQFrame {
    int32_t Number = 0;
    TQChange Change;

    friend bool operator==(const TQFrame&, const TQFrame&) = default;
};
using TQFrArr = std::vector<TQFrame>;

struct TQFigure {
    TQFigName Name = qfPoint;
    bool All = false;           // shown in every frame
    bool Foc = false;           // selected when saved
    int32_t Start = 0;          // first frame, 0-based
    int32_t Count = 0;          // frames shown from Start
    TQFrArr Frames;             // key frames in ascending Number
    TDrawObject* Obj = nullptr; // the live drawing object; owned by the document

    // Shown in frame `frame`: always with All, else within Start..Start+Count-1.
    bool IsVisible(int frame) const;
};
using TQFigArr = std::vector<TQFigure>;

// The project.
struct TQAnimation {
    TZGIFImage BackGIF;     // background GIF, 0 frames when none
    TBitmap BackBMP;        // picture background
    bool IsBackBMP = false; // the picture background is used
    TColor BackColor = clWhite;
    TQFigArr Figures;       // a figure's index is its figure number
};

// One entry of the figures clipboard: the figure and its own copies of the
// pictures it shows (its qpBitmap values index these lists).
struct TQBufEntry {
    TQFigure Fig;
    std::vector<TBitmap> BMP;
    std::vector<TZGIFImage> GIF;
};
using TQBufArr = std::vector<TQBufEntry>;
using TQFrInt = std::vector<int32_t>;
