// TMainForm: the figure clipboard commands, a picture pasted from the system
// clipboard, and files dropped on the canvas or the window.
#include "editor/MainForm.h"

#include "editor/CanvasPage.h"
#include "editor/FileDrop.h"
#include "editor/ImagePanel.h"
#include "editor/core/CommandStates.h"
#include "editor/core/EditorCore.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/PropertyPanels.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QShortcut>

namespace {

bool IsProjectFile(const QString& file)
{
    return QFileInfo(file).suffix().compare(QLatin1String("zembra"), Qt::CaseInsensitive) == 0;
}

// The files the "Image" button offers.
bool IsPictureFile(const QString& file)
{
    static const QStringList kinds{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                   QStringLiteral("bmp"), QStringLiteral("gif")};
    return kinds.contains(QFileInfo(file).suffix(), Qt::CaseInsensitive);
}

bool ClipboardHasImage()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

} // namespace

void TMainForm::BuildClipboardWiring()
{
    connect(CopyFigureAct, &QAction::triggered, this, [this] { Guard([this] { Core->CopyFigureExecute(); }); });
    connect(CutFigureAct, &QAction::triggered, this, [this] { Guard([this] { Core->CutFigureExecute(); }); });
    connect(PasteFigureAct, &QAction::triggered, this, [this] { Guard([this] { Core->PasteFigureExecute(); }); });
    connect(DeleteFigureAct, &QAction::triggered, this, [this] { Guard([this] { Core->DeleteFigureExecute(); }); });

    // The system clipboard's picture: an entry of the canvas's menu, and Ctrl+V
    // on the canvas while the figure clipboard is empty.
    PasteImageAct = MakeAction(QStringLiteral("PasteImageAct"), QStringLiteral("Paste Image"));
    TImagePanel* canvas = CanvasPage->Canvas();
    canvas->addAction(PasteImageAct);
    connect(PasteImageAct, &QAction::triggered, this, [this] { Guard([this] { PasteImageExecute(); }); });
    canvas->setFocusPolicy(Qt::ClickFocus);
    auto* canvasPaste = new QShortcut(QKeySequence::Paste, canvas);
    canvasPaste->setObjectName(QStringLiteral("CanvasPasteShortcut"));
    canvasPaste->setContext(Qt::WidgetShortcut);
    connect(canvasPaste, &QShortcut::activated, this, [this] {
        QAction* act = Core->Doc.FigBuf.empty() ? PasteImageAct : PasteFigureAct;
        if (act->isEnabled())
            act->trigger();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { EnBut(); });

    // Pictures dropped on the canvas become figures there; a project dropped
    // on the canvas or anywhere on the window is opened.
    auto* canvasDrop = new TFileDrop(canvas);
    canvasDrop->Accepts = [this](const QString& file) {
        return IsProjectFile(file) || (IsPictureFile(file) && CommandStates(*Core).Frames);
    };
    canvasDrop->Dropped = [this, canvas](const QStringList& files, QPoint at) {
        const TPoint frame = canvas->PicturePoint(at); // the drop point in frame pixels, at any zoom
        Guard([&] { DropFiles(files, QPoint(frame.X, frame.Y)); });
    };
    auto* windowDrop = new TFileDrop(this);
    windowDrop->Accepts = IsProjectFile;
    windowDrop->Dropped = [this](const QStringList& files, QPoint) { Guard([&] { DropFiles(files, {}); }); };
}

void TMainForm::PasteImageExecute()
{
    if (!CommandStates(*Core).Frames)
        return;
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return;
    Core->PasteImageFigure(TBitmap(image));
}

void TMainForm::DropFiles(const QStringList& files, QPoint at)
{
    for (const QString& file : files)
        if (IsProjectFile(file)) {
            // The project replaces everything; the pictures beside it are not added.
            Panels->IsDefault = false;
            Life->OpenProjectButtonClick(file);
            return;
        }
    if (!CommandStates(*Core).Frames)
        return;
    Core->DropPictureFiles(files, TPoint{at.x(), at.y()});
}

void TMainForm::EnPasteImage()
{
    if (PasteImageAct)
        PasteImageAct->setEnabled(CommandStates(*Core).Frames && ClipboardHasImage());
}
