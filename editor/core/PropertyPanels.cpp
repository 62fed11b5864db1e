#include "editor/core/PropertyPanels.h"

#include "drawobjects/Bezier.h"
#include "drawobjects/Ellipse.h"
#include "drawobjects/LLine.h"
#include "drawobjects/Line.h"
#include "drawobjects/Pic.h"
#include "drawobjects/Polygon.h"
#include "drawobjects/Rectangle.h"
#include "drawobjects/SolidPoint.h"
#include "drawobjects/SolidWithText.h"
#include "drawobjects/Star.h"
#include "drawobjects/TextBezier.h"
#include "drawobjects/ZLine.h"
#include "editor/core/EditorCore.h"
#include "model/DefaultFields.h"
#include "model/TextLines.h"

#include <algorithm>

namespace {

// Largest node count the "Amount" box offers.
constexpr int kMaxNodes = 100;
// Range of a node coordinate typed into the grid.
constexpr int kMaxCoord = 10000;

template <class T>
T* As(TDrawObject* obj)
{
    return dynamic_cast<T*>(obj);
}

template <class T>
const T* As(const TDrawObject* obj)
{
    return dynamic_cast<const T*>(obj);
}

// The memo's lines as one text, the way the defaults record keeps a text.
QString LinesToText(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

TPropertyPanels::TPropertyPanels(TEditorCore& core, TDefaultParam& defaults)
    : Core(core)
    , Defaults(defaults)
{
}

TNodeCountRange TPropertyPanels::NodeCountRange(const TDrawObject& obj)
{
    TNodeCountRange range;
    if (As<TBezier>(&obj)) {
        range = {true, 4, kMaxNodes, 3};
    } else if (As<TStar>(&obj)) {
        range = {true, 10, kMaxNodes, 2};
    } else if (As<TPolygon>(&obj)) {
        range = {true, 3, kMaxNodes, 1};
    } else if (As<TLine>(&obj)) {
        range = {true, 2, kMaxNodes, 1};
    }
    return range;
}

bool TPropertyPanels::ChangesEnable() const
{
    return Core.Doc.GetFrInd() >= 0;
}

TPanelView TPropertyPanels::Fill()
{
    TPanelView v;
    IsDefault = false;
    TDocument& doc = Core.Doc;
    TDrawObject* obj = doc.DrObj;
    if (!obj || obj->FigNum < 0 || obj->FigNum >= doc.FigureCount())
        return v;
    const TQFigure& fig = doc.Animation.Figures[static_cast<size_t>(obj->FigNum)];

    // "Animation"
    v.All = fig.All;
    v.StartFrame = fig.Start + 1;
    v.FramesCount = fig.Count;
    v.Changes = doc.FramesChangesList(obj->FigNum);
    v.DeleteChangesEnabled = doc.DeleteChangesEnabled = ChangesEnable();

    // "Image"
    if (const auto* pic = As<TPic>(obj)) {
        v.ImagePage = true;
        v.ImageTransparent = pic->Transparent();
        const TGIFComposites* composites = nullptr;
        if (pic->GNum >= 0 && pic->GNum < static_cast<int>(doc.BMPGIF.size()))
            composites = &doc.BMPGIF[static_cast<size_t>(pic->GNum)];
        if (pic->GNum < 0 || !composites || composites->empty())
            v.ImagePicture = &pic->Picture();
        else
            v.ImagePicture = &composites->front();
        v.ImageDimensions = QString::number(v.ImagePicture->Width()) + QStringLiteral(" X ")
            + QString::number(v.ImagePicture->Height());
        if (pic->GNum >= 0)
            v.ImageFrames = QString::number(composites ? composites->size() : 0) + QStringLiteral(" frame(s)");
    }

    // "Rotation": the angle of the key frames in effect here.
    const TQChange change = doc.GetChange(obj->FigNum);
    const int angleAt = TDocument::FindProp(change, qpAngle, 0);
    v.Angle = angleAt >= 0 ? change[static_cast<size_t>(angleAt)].IntValue : 0;
    v.X = obj->QRotPt.X;
    v.Y = obj->QRotPt.Y;
    v.Center = obj->QRotCenter;

    // "Text"
    const auto* solidText = As<TSolidWithText>(obj);
    const auto* textBezier = As<TTextBezier>(obj);
    v.TextPage = solidText || textBezier;
    if (solidText) {
        v.MarginShown = true;
        v.Margin = solidText->Padding();
        v.TextLines = solidText->Strings();
    }
    if (const auto* ellipse = As<TEllipse>(obj)) {
        v.SpeechShown = true;
        v.Speech = static_cast<int>(ellipse->BalloonPoint());
    }
    if (textBezier) {
        v.OutlineShown = true;
        v.Outline = static_cast<int>(textBezier->Outline());
        v.TextLines = TextToStrings(textBezier->Text());
    }

    // "Line"
    const auto* line = As<TBaseLine>(obj);
    v.LinePage = line && !textBezier;
    if (v.LinePage) {
        v.Arrow1 = line->Arrow1();
        v.Arrow2 = line->Arrow2();
    }
    if (v.LinePage && As<TConnector>(obj)) {
        if (const auto* lline = As<TLLine>(obj)) {
            v.OrientationShown = true;
            v.Orientation = static_cast<int>(lline->Orientation());
        }
        if (const auto* zline = As<TZLine>(obj)) {
            v.AutoCenterShown = true;
            v.AutoCenter = zline->AutoCenter();
        }
        if (const auto* bezier = As<TBezier>(obj)) {
            v.LineShown = true;
            v.Line = !bezier->Filled();
        }
    }

    // "Color and Border"
    const bool point = As<TSolidPoint>(obj) != nullptr;
    v.ColorPage = !As<TText>(obj) && !As<TPic>(obj);
    v.FillShown = !point && !As<TLine>(obj) && !As<TLLine>(obj) && !As<TZLine>(obj);
    v.Fill = obj->Color;
    v.Shadow = obj->ColorShadow;
    v.Border = obj->Pen().Color;
    v.BorderMin = point ? 3 : 0;
    v.BorderWidth = obj->Pen().Width;
    v.ShadowWidth = obj->ShadowSize();

    // "Coordinates"
    v.Left = obj->Left;
    v.Top = obj->Top;
    v.Width = obj->Width();
    v.Height = obj->Height();
    v.SizeShown = !point;
    const TNodeCountRange range = NodeCountRange(*obj);
    v.AmountShown = range.Shown;
    if (range.Shown) {
        v.AmountMin = range.Min;
        v.AmountMax = range.Max;
        v.AmountStep = range.Step;
    }
    v.Amount = obj->ButtonCount();
    if (!point)
        v.Nodes = obj->BtnPoints;
    v.PasteShown = !obj->CoordPoints.empty();
    return v;
}

TDrawObject* TPropertyPanels::Target() const
{
    return IsDefault ? nullptr : Core.Doc.DrObj;
}

bool TPropertyPanels::PropertyChange(const TQPropValue& value, bool bitmaps)
{
    if (IsDefault)
        return SetDefaultValue(Defaults, value);
    TDocument& doc = Core.Doc;
    TDrawObject* obj = Target();
    if (!obj)
        return false;
    // While the panels are being filled the object only takes the value.
    const bool store = Core.IsDel() && doc.QCount == 1;
    if (!(store ? doc.StoreProperty(obj->FigNum, value) : doc.SetProperty(obj->FigNum, value)))
        return false; // the figure's kind does not have the property
    Repaint(bitmaps);
    if (Core.IsDel()) {
        doc.DeleteChangesEnabled = true;
        doc.SetModify(true);
    }
    return true;
}

void TPropertyPanels::SetDel()
{
    TDocument& doc = Core.Doc;
    if (!Core.IsDel())
        return;
    doc.DeleteChangesEnabled = true;
    doc.StoreSelectedFigure();
    doc.SetModify(true);
}

void TPropertyPanels::Repaint(bool bitmaps)
{
    if (bitmaps)
        Core.SetRedraw();
    Core.DrawFrameBuffer();
}

void TPropertyPanels::Applied(bool bitmaps)
{
    Repaint(bitmaps);
    SetDel();
}

void TPropertyPanels::StoreAndReload()
{
    TDocument& doc = Core.Doc;
    if (doc.DrObj && doc.QCount == 1)
        doc.SetGetFig(doc.DrObj->FigNum);
    Core.SetRedraw();
    Core.DrawFrameBuffer();
}

void TPropertyPanels::AngleChange(int degrees)
{
    TEditScope edit(Core.History(), QStringLiteral("Angle"));
    const TQPropValue value = TQPropValue::OfInt(qpAngle, std::clamp(degrees, -3600, 3600));
    // Filling the panels shows the angle of the key frames, not the object's: not applied then.
    if (IsDefault || Core.IsDel())
        PropertyChange(value);
}

void TPropertyPanels::ShadowWidthChange(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Shadow Width"));
    PropertyChange(TQPropValue::OfInt(qpShadowWidth, value));
}

void TPropertyPanels::RotationPointChange(bool x, int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Rotation Centre"));
    PropertyChange(TQPropValue::OfInt(x ? qpPointX : qpPointY, value), false);
}

void TPropertyPanels::PaddingChange(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Margin"));
    PropertyChange(TQPropValue::OfInt(qpPadding, value));
}

void TPropertyPanels::BorderWidthChange(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Border Width"));
    TDrawObject* obj = Target();
    if (!As<TSolidPoint>(obj)) {
        PropertyChange(TQPropValue::OfInt(qpBorderWidth, value));
        return;
    }
    // A point is a square twice its pen wide; thinner than 3 it would vanish.
    value = std::max(value, 3);
    obj->Pen().Width = value;
    obj->SetWidth(2 * value);
    obj->SetHeight(2 * value);
    Applied();
}

void TPropertyPanels::CenterChange(bool value)
{
    TEditScope edit(Core.History(), QStringLiteral("Shape Center"));
    PropertyChange(TQPropValue::OfBool(qpCenter, value), false);
}

void TPropertyPanels::AutoCenterChange(bool value)
{
    TEditScope edit(Core.History(), QStringLiteral("Autocenter"));
    PropertyChange(TQPropValue::OfBool(qpChCn, value));
}

void TPropertyPanels::LineChange(bool value)
{
    TEditScope edit(Core.History(), QStringLiteral("Line"));
    PropertyChange(TQPropValue::OfBool(qpLine, value)); // checked: not filled
}

void TPropertyPanels::ArrowChange(bool start, bool value)
{
    TEditScope edit(Core.History(), start ? QStringLiteral("Start Arrow") : QStringLiteral("End Arrow"));
    // Bezier text shows no arrows. A Bezier figure loses its filling when an
    // arrow is switched on.
    if (!As<TTextBezier>(Target()))
        PropertyChange(TQPropValue::OfBool(start ? qpArrow1 : qpArrow2, value));
}

void TPropertyPanels::TransparentChange(bool value)
{
    TEditScope edit(Core.History(), QStringLiteral("Transparent Background"));
    PropertyChange(TQPropValue::OfBool(qpTransparent, value));
}

void TPropertyPanels::OutlineChange(int index)
{
    TEditScope edit(Core.History(), QStringLiteral("Outline"));
    PropertyChange(TQPropValue::OfInt(qpTextFill, std::clamp(index, 0, 2)));
}

void TPropertyPanels::OrientationChange(int index)
{
    TEditScope edit(Core.History(), QStringLiteral("Orientation"));
    // Of the connectors only L-lines show their orientation.
    if (IsDefault || As<TLLine>(Target()))
        PropertyChange(TQPropValue::OfInt(qpOrient, std::clamp(index, 0, 1)));
}

void TPropertyPanels::SpeechChange(int index)
{
    TEditScope edit(Core.History(), QStringLiteral("Speech"));
    PropertyChange(TQPropValue::OfInt(qpTextSpeech, std::clamp(index, 0, 4)));
}

void TPropertyPanels::TextChange(const QStringList& lines)
{
    TEditScope edit(Core.History(), QStringLiteral("Text"));
    if (IsDefault) {
        Defaults.TextValue = LinesToText(lines);
        return;
    }
    TDrawObject* obj = Target();
    if (auto* text = As<TText>(obj)) {
        // A text block takes the size of its lines.
        text->SetStrings(lines);
        text->Resize();
        Applied();
    } else if (auto* solidText = As<TSolidWithText>(obj)) {
        solidText->SetStrings(lines);
        Applied();
    } else if (auto* textBezier = As<TTextBezier>(obj)) {
        textBezier->SetText(LinesToText(lines));
        Applied();
    }
}

TQPropName TPropertyPanels::SwatchProperty(TColorSwatch swatch)
{
    switch (swatch) {
    case TColorSwatch::Shadow:
        return qpShadowColor;
    case TColorSwatch::Border:
        return qpBorderColor;
    case TColorSwatch::Fill:
        break;
    }
    return qpBackColor;
}

TColor TPropertyPanels::SwatchColor(TColorSwatch swatch) const
{
    if (IsDefault) {
        switch (swatch) {
        case TColorSwatch::Fill:
            return Defaults.BackColor;
        case TColorSwatch::Shadow:
            return Defaults.ShadowColor;
        case TColorSwatch::Border:
            return Defaults.BorderColor;
        }
    }
    const TDrawObject* obj = Core.Doc.DrObj;
    if (!obj)
        return clNone;
    switch (swatch) {
    case TColorSwatch::Fill:
        return obj->Color;
    case TColorSwatch::Shadow:
        return obj->ColorShadow;
    case TColorSwatch::Border:
        return obj->Pen().Color;
    }
    return clNone;
}

TColor TPropertyPanels::ColorDialogDel(TColor old)
{
    const auto& palette = HalftonePalette();
    if (const auto chosen = Core.Dialogs.ChooseColor(palette, old))
        return *chosen;
    return old;
}

TColor TPropertyPanels::ColorButtonClick(TColorSwatch swatch)
{
    static const QString names[] = {QStringLiteral("Fill Color"), QStringLiteral("Shadow Color"),
                                    QStringLiteral("Border Color")};
    TEditScope edit(Core.History(), names[static_cast<int>(swatch)]);
    TDrawObject* obj = Target();
    if (!IsDefault && !obj)
        return clNone;
    const TColor old = SwatchColor(swatch);
    const TColor color = ColorDialogDel(old);
    if (color == old)
        return old;
    PropertyChange(TQPropValue::OfColor(SwatchProperty(swatch), color));
    return color;
}

bool TPropertyPanels::FontButtonClick()
{
    TEditScope edit(Core.History(), QStringLiteral("Font"));
    if (IsDefault) {
        TFont font;
        font.Name = Defaults.TextName;
        font.Size = Defaults.TextSize;
        font.Color = Defaults.TextColor;
        font.Style = Defaults.TextStyle;
        if (!Core.Dialogs.ChooseFont(font))
            return false;
        Defaults.TextName = font.Name;
        Defaults.TextSize = font.Size;
        Defaults.TextColor = font.Color;
        Defaults.TextStyle = font.Style;
        return true;
    }
    TDrawObject* obj = Target();
    if (!As<TSolidWithText>(obj) && !As<TTextBezier>(obj))
        return false;
    TFont font = obj->Font;
    if (!Core.Dialogs.ChooseFont(font))
        return false;
    obj->Font = font;
    if (auto* text = As<TText>(obj)) {
        text->ResizeObjectToFitText();
        text->Resize();
    }
    Applied();
    return true;
}

void TPropertyPanels::CoordInit(TCoordBox box, int value)
{
    static const QString names[] = {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"),
                                    QStringLiteral("Height")};
    TEditScope edit(Core.History(), names[static_cast<int>(box)]);
    value = std::clamp(value, -kMaxCoord, kMaxCoord);
    if (IsDefault) {
        switch (box) {
        case TCoordBox::Left:
            Defaults.Left = value;
            break;
        case TCoordBox::Top:
            Defaults.Top = value;
            break;
        case TCoordBox::Width:
            Defaults.Width = value;
            break;
        case TCoordBox::Height:
            Defaults.Height = value;
            break;
        }
        return;
    }
    TDrawObject* obj = Target();
    if (!obj)
        return;
    switch (box) {
    case TCoordBox::Left:
        obj->Left = value;
        break;
    case TCoordBox::Top:
        obj->Top = value;
        break;
    case TCoordBox::Width:
        obj->SetWidth(value);
        obj->Resize();
        break;
    case TCoordBox::Height:
        obj->SetHeight(value);
        obj->Resize();
        break;
    }
    StoreAndReload();
    SetDel();
}

bool TPropertyPanels::PointsCountChange(int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Nodes"));
    TDrawObject* obj = Target();
    if (!obj)
        return false;
    const TNodeCountRange range = NodeCountRange(*obj);
    if (!range.Shown)
        return false;
    value = std::clamp(value, range.Min, range.Max);
    const int before = obj->ButtonCount();
    if (value == before)
        return false;
    if (auto* line = As<TBaseLine>(obj))
        line->SetButtonCount(value);
    else if (auto* polygon = As<TPolygon>(obj))
        polygon->SetButtonCount(value);
    obj->InternalResize();
    Core.SetRedraw();
    Core.DrawFrameBuffer();
    SetDel();
    return obj->ButtonCount() != before;
}

void TPropertyPanels::PointChange(int row, int value)
{
    TEditScope edit(Core.History(), QStringLiteral("Node"));
    TDrawObject* obj = Target();
    if (!obj || row < 0)
        return;
    const int node = row / 2;
    if (node >= static_cast<int>(obj->BtnPoints.size()))
        return;
    value = std::clamp(value, -kMaxCoord, kMaxCoord);
    TPoint pt = obj->BtnPoints[static_cast<size_t>(node)];
    if (row % 2 == 0)
        pt.X = value;
    else
        pt.Y = value;
    // Nodes are kept unrotated in the object's own space; the move takes a
    // frame position of the figure as drawn.
    const TPoint target = obj->RotatePoint(obj->BtnToFrame(pt), obj->SAngle);
    if (obj->MoveBtnTo(node, target))
        obj->InternalResize();
    SetDel();
    StoreAndReload();
}

void TPropertyPanels::PointsCopy()
{
    if (TDrawObject* obj = Target())
        obj->CopyCoord();
}

void TPropertyPanels::PointsPaste()
{
    TEditScope edit(Core.History(), QStringLiteral("Paste Nodes"));
    TDrawObject* obj = Target();
    if (!obj || obj->CoordPoints.empty())
        return;
    obj->PasteCoord();
    SetDel();
    StoreAndReload();
}

bool TPropertyPanels::DeleteChanges()
{
    TEditScope edit(Core.History(), QStringLiteral("Delete Changes"));
    TDocument& doc = Core.Doc;
    if (IsDefault || !doc.DrObj || !doc.DeleteChanges())
        return false;
    Core.SetRedraw();
    Core.DrawFrameBuffer();
    doc.StoreSelectedFigure();
    doc.SetModify(true);
    return true;
}
