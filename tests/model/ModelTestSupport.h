#pragma once
// Shared fixtures of the model tests: documents with real figures, and a
// snapshot of everything the engine stores about a drawing object.
#include "drawobjects/Bezier.h"
#include "drawobjects/Connector.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/Pic.h"
#include "drawobjects/SolidWithText.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"
#include "model/Document.h"
#include "model/FigureFactory.h"

#include <QImage>
#include <ostream>

// The stored state of a drawing object; kind-specific parts stay at their
// defaults for classes that do not have them.
struct TFigState {
    std::vector<TPoint> Points;
    int Left = 0, Top = 0, Width = 0, Height = 0, Angle = 0;
    float SAngle = 0;
    bool Center = false;
    TPoint RotPt;
    TColor Fill = 0, Shadow = 0, PenColor = 0;
    int PenWidth = 0, ShadowSize = 0;
    bool Arrow1 = false, Arrow2 = false, AutoCenter = false, Filled = false, Transparent = false;
    int Orient = -1, Padding = -1, Balloon = -1, Outline = -1, GNum = -2;
    QString Text;
    QStringList Lines;
    TFont Font;
    QImage Picture;

    friend bool operator==(const TFigState&, const TFigState&) = default;
};

inline TFigState Capture(TDrawObject& obj)
{
    TFigState s;
    s.Points = obj.BtnPoints;
    s.Left = obj.Left;
    s.Top = obj.Top;
    s.Width = obj.Width();
    s.Height = obj.Height();
    s.Angle = obj.QAngle;
    s.SAngle = obj.SAngle;
    s.Center = obj.QRotCenter;
    s.RotPt = obj.QRotPt;
    s.Fill = obj.Color;
    s.Shadow = obj.ColorShadow;
    s.PenColor = obj.Pen().Color;
    s.PenWidth = obj.Pen().Width;
    s.ShadowSize = obj.ShadowSize();
    if (auto* line = dynamic_cast<TBaseLine*>(&obj)) {
        s.Arrow1 = line->Arrow1();
        s.Arrow2 = line->Arrow2();
    }
    if (auto* c = dynamic_cast<TConnector*>(&obj))
        s.Orient = static_cast<int>(c->Orientation());
    if (auto* z = dynamic_cast<TZLine*>(&obj))
        s.AutoCenter = z->AutoCenter();
    if (auto* b = dynamic_cast<TBezier*>(&obj))
        s.Filled = b->Filled();
    if (auto* t = dynamic_cast<TSolidWithText*>(&obj)) {
        s.Lines = t->Strings();
        s.Padding = t->Padding();
        s.Font = obj.Font;
    }
    if (auto* t = dynamic_cast<TTextBezier*>(&obj)) {
        s.Text = t->Text();
        s.Outline = static_cast<int>(t->Outline());
        s.Font = obj.Font;
    }
    if (auto* e = dynamic_cast<TEllipse*>(&obj))
        s.Balloon = static_cast<int>(e->BalloonPoint());
    if (auto* p = dynamic_cast<TPic*>(&obj)) {
        s.Transparent = p->Transparent();
        s.GNum = p->GNum;
        s.Picture = p->Picture().ConstImage();
    }
    return s;
}

inline void PrintTo(const TFigState& s, std::ostream* os)
{
    *os << "{L" << s.Left << " T" << s.Top << " W" << s.Width << " H" << s.Height << " A" << s.Angle
        << " pts" << s.Points.size() << " fill" << std::hex << s.Fill << " sh" << s.Shadow << " pen" << s.PenColor
        << std::dec << " pw" << s.PenWidth << " ss" << s.ShadowSize << " c" << s.Center << " rot" << s.RotPt.X << ","
        << s.RotPt.Y << " ar" << s.Arrow1 << s.Arrow2 << " ac" << s.AutoCenter << " fi" << s.Filled << " or" << s.Orient
        << " pad" << s.Padding << " bal" << s.Balloon << " out" << s.Outline << " tr" << s.Transparent << " g" << s.GNum
        << " text'" << s.Text.toStdString() << "' lines" << s.Lines.size() << " font" << s.Font.Name.toStdString()
        << "/" << s.Font.Size << "/" << s.Font.Style << " pic" << s.Picture.width() << "x" << s.Picture.height() << "}";
}

// A bitmap of one colour.
inline TBitmap Solid(int w, int h, TColor color)
{
    TBitmap b(w, h, TPixelFormat::pf24bit);
    b.Image().fill(QColor::fromRgb(ColorToQRgb(color)));
    return b;
}

// Adds a figure of `kind` starting at `start` and gives it its first key frame.
inline int AddFigure(TDocument& doc, TQFigName kind, int start = 0)
{
    const int num = doc.NewFigure(kind, CreateDrawObject(kind), start);
    if (auto* pic = dynamic_cast<TPic*>(doc.Animation.Figures[num].Obj)) {
        pic->Picture() = Solid(8, 6, 0x112233);
        pic->GNum = -1;
        pic->Modify = true;
    }
    doc.StoreNewFigure(num);
    return num;
}

inline TDrawObject& Obj(TDocument& doc, int num)
{
    return *doc.Animation.Figures[static_cast<size_t>(num)].Obj;
}

// "Loads" a GIF picture: a GIF entry and its composited frames, one colour each.
inline int AddGIF(TDocument& doc, std::initializer_list<TColor> frameColors)
{
    doc.GIFArr.emplace_back();
    std::vector<TBitmap> frames;
    for (TColor c : frameColors)
        frames.push_back(Solid(4, 4, c));
    doc.BMPGIF.push_back(std::move(frames));
    return static_cast<int>(doc.BMPGIF.size() - 1);
}

// Every qpBitmap value of the project and every picture object's indexes
// designate existing entries.
inline bool PictureReferencesValid(const TDocument& doc)
{
    for (const TQFigure& fig : doc.Animation.Figures)
        for (const TQFrame& frame : fig.Frames)
            for (const TQPropValue& v : frame.Change) {
                if (v.Name != qpBitmap)
                    continue;
                if (v.IsGIF) {
                    if (v.Bitmap < 0 || v.Bitmap >= static_cast<int>(doc.GIFArr.size()) || v.FNum < 0
                        || v.FNum >= static_cast<int>(doc.BMPGIF.size()))
                        return false;
                } else if (v.Bitmap < 0 || v.Bitmap >= static_cast<int>(doc.BMPArr.size())) {
                    return false;
                }
            }
    for (const auto& obj : doc.DrawArr)
        if (auto* pic = dynamic_cast<const TPic*>(obj.get()))
            if (pic->GNum >= static_cast<int>(doc.BMPGIF.size()))
                return false;
    return doc.BackNum < static_cast<int>(doc.BMPGIF.size());
}
