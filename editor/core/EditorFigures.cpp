// TEditorCore: new figures from the editing toolbar and the default
// properties they start with.
#include "editor/core/EditorCore.h"
#include "editor/core/PicSize.h"
#include "model/FigureDefaults.h"
#include "model/FigureFactory.h"

#include "drawobjects/Pic.h"
#include "gif/GIFError.h"
#include "platform/ImageFiles.h"

#include <QFileInfo>
#include <algorithm>

namespace {

std::unique_ptr<TDrawObject> MakeFigure(TQFigName kind, IDrawOwner* owner)
{
    return CreateDrawObject(kind, owner);
}

} // namespace

const QString TEditorCore::PictureFigureFilter = QStringLiteral(
    "Graphic Files (*.gif; *.jpg; *.jpeg; *.png; *.bmp)|*.gif;*.jpg;*.jpeg;*.png;*.bmp|GIF (*.gif)|*.gif|"
    "JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|All Files (*.*)|*.*");

bool TEditorCore::CanCreate(TQFigName kind)
{
    return MakeFigure(kind, nullptr) != nullptr;
}

QString TEditorCore::KindCaption(TQFigName kind)
{
    switch (kind) {
    case qfPoint: return QStringLiteral("Point");
    case qfLine: return QStringLiteral("Line");
    case qfLLine: return QStringLiteral("L-Line");
    case qfZLine: return QStringLiteral("Z-Line");
    case qfRectangle: return QStringLiteral("Rectangle");
    case qfDiamond: return QStringLiteral("Rhombus");
    case qfArrow: return QStringLiteral("Arrow");
    case qfStar: return QStringLiteral("Star");
    case qfPolygon: return QStringLiteral("Polygon");
    case qfEllipse: return QStringLiteral("Ellipse");
    case qfArc: return QStringLiteral("Arc");
    case qfBezier: return QStringLiteral("Bezier Figure");
    case qfText: return QStringLiteral("Plain Text");
    case qfTextBezier: return QStringLiteral("Bezier Text");
    case qfPicture: return QStringLiteral("Image");
    }
    return {};
}

bool TEditorCore::QNewFigure(TQFigName kind, const QString& pictureFile)
{
    QString file = pictureFile;
    if (kind == qfPicture && file.isEmpty()) {
        TFileDialogRequest request;
        request.Filter = PictureFigureFilter;
        request.MustExist = true;
        const auto chosen = Dialogs.OpenFile(request);
        if (!chosen)
            return false; // cancelled: no figure
        file = chosen->FileName;
    }
    TEditScope edit(fHistory, QStringLiteral("New ") + KindCaption(kind));
    return CreateFigure(kind, [this, &file](TPic& pic) { return LoadFigurePicture(pic, file); }, std::nullopt);
}

bool TEditorCore::PasteImageFigure(const TBitmap& picture)
{
    TEditScope edit(fHistory, QStringLiteral("Paste Image"));
    if (picture.Empty())
        return false;
    return CreateFigure(qfPicture, [this, &picture](TPic& pic) {
        SetFigurePicture(pic, picture);
        return true;
    }, std::nullopt);
}

int TEditorCore::DropPictureFiles(const QStringList& files, TPoint at)
{
    TEditScope edit(fHistory, QStringLiteral("Drop Pictures"));
    // Each further picture a little lower right, so that none hides another.
    constexpr int kCascade = 16;
    int made = 0;
    for (const QString& file : files) {
        const TPoint place{at.X + made * kCascade, at.Y + made * kCascade};
        if (CreateFigure(qfPicture, [this, &file](TPic& pic) { return LoadFigurePicture(pic, file); }, place))
            ++made;
    }
    return made;
}

bool TEditorCore::CreateFigure(TQFigName kind, const std::function<bool(TPic&)>& picture,
                               const std::optional<TPoint>& at)
{
    std::unique_ptr<TDrawObject> made = MakeFigure(kind, this);
    if (!made)
        return false;

    // 1. The figures' present state goes into the current frame.
    Doc.CurIndex = std::max(FrameIndex(), 0);
    Doc.SetAnim();
    ClearAllDrawObjFocuses();

    // 2-4. On top of the canvas order, selected, with the default properties.
    TDrawObject* obj = made.get();
    const int num = Doc.NewFigure(kind, std::move(made), FrameIndex());
    Doc.QCount = 1;
    Doc.DrObj = obj;
    obj->SetFocused(true);
    obj->SmallRedraw = true;
    obj->BigRedraw = true;
    SetDefault();

    // 5. The picture of an "Image".
    if (auto* pic = dynamic_cast<TPic*>(obj)) {
        if (!picture || !picture(*pic)) {
            DeleteNewFigure(num);
            return false;
        }
    }
    if (at) {
        // The box's visible corner goes to the point.
        obj->Left = at->X - obj->Coord;
        obj->Top = at->Y - obj->Coord;
    }

    // 6. Its first key frame.
    Doc.StoreNewFigure(num);
    Doc.CurIndex = std::max(FrameIndex(), 0);
    Notify(Hooks.SelectionChanged);
    DrawFrameBuffer();
    SetModifyTrue();
    Notify(Hooks.CommandStates);
    return true;
}

bool TEditorCore::LoadFigurePicture(TPic& pic, const QString& file)
{
    const QString ext = QFileInfo(file).suffix().toUpper();
    int width = 0;
    int height = 0;
    try {
        if (ext == QLatin1String("BMP") || ext == QLatin1String("JPG") || ext == QLatin1String("JPEG")
            || ext == QLatin1String("PNG")) {
            SetFigurePicture(pic, LoadImageFile(file));
            return true;
        }
        if (ext == QLatin1String("GIF")) {
            TZGIFImage gif;
            gif.LoadFromFile(file);
            Doc.GIFArr.push_back(gif);
            pic.GIF() = gif;
            pic.BitNum = static_cast<int>(Doc.GIFArr.size()) - 1;
            Progress().ApplyStart(gif.Count(), Msg.QLoadFrames);
            pic.GNum = AddBMPArr(Doc.GIFArr.back());
            Progress().Close();
            Progress().SetApply(false);
            if (pic.GNum < 0) {
                // Nothing will refer to the GIF: it leaves the table, which
                // must stay in step with the composites lists.
                Doc.GIFArr.pop_back();
                pic.BitNum = -1;
            } else if (!Doc.BMPGIF[static_cast<size_t>(pic.GNum)].empty()) {
                pic.Picture() = Doc.BMPGIF[static_cast<size_t>(pic.GNum)][0];
            }
            width = gif.ScreenWidth();
            height = gif.ScreenHeight();
        } else {
            Dialogs.ShowMessage(Msg.QBadFormat);
            return false;
        }
    } catch (const EImageFileError& e) {
        Dialogs.ShowMessage(e.Message());
        return false;
    } catch (const std::exception& e) {
        // A GIF that does not read: the message of its codec.
        Dialogs.ShowMessage(QString::fromUtf8(e.what()));
        return false;
    }
    FitFigurePicture(pic, width, height);
    return true;
}

void TEditorCore::SetFigurePicture(TPic& pic, const TBitmap& picture)
{
    pic.Picture() = picture;
    pic.Picture().SetPixelFormat(TPixelFormat::pf24bit);
    pic.GIF().Clear();
    pic.GNum = -1;
    FitFigurePicture(pic, pic.Picture().Width(), pic.Picture().Height());
}

void TEditorCore::FitFigurePicture(TPic& pic, int width, int height)
{
    pic.Modify = true;
    const TSize size = GetPicSize(DefaultParam.Width, DefaultParam.Height, width, height);
    pic.SetWidth(size.cx);
    pic.SetHeight(size.cy);
    pic.Resize();
    pic.SetStretch(true);
    pic.SmallRedraw = true;
    pic.BigRedraw = true;
}

void TEditorCore::DeleteNewFigure(int num)
{
    TQFigure& fig = Doc.Animation.Figures[static_cast<size_t>(num)];
    TDrawObject* obj = fig.Obj;
    auto& arr = Doc.DrawArr;
    arr.erase(std::remove_if(arr.begin(), arr.end(), [obj](const auto& p) { return p.get() == obj; }), arr.end());
    Doc.Animation.Figures.erase(Doc.Animation.Figures.begin() + num);
    Doc.DrObj = nullptr;
    Doc.QCount = 0;
    Notify(Hooks.SelectionChanged);
    DrawFrameBuffer();
}

void TEditorCore::SetDefault()
{
    if (!Doc.DrObj)
        return;
    ::SetDefault(*Doc.DrObj, Doc.Animation.Figures[static_cast<size_t>(Doc.DrObj->FigNum)].Name, DefaultParam);
    Doc.DrObj->SmallRedraw = true;
    Doc.DrObj->BigRedraw = true;
}
