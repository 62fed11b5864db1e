#include "editor/CanvasPage.h"

#include "editor/Controls.h"
#include "editor/ImagePanel.h"
#include "editor/PropertySheets.h"
#include "editor/core/EditorCore.h"

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Room beside the page tabs for the pages' own frame.
constexpr int kPanelSlack = 8;

void AddTools(QToolBar* bar, const QList<TToolEntry>& tools)
{
    for (const TToolEntry& tool : tools) {
        if (tool.Action)
            AddToolButton(bar, tool.Action, tool.Name);
        else
            bar->addSeparator();
    }
}

TShiftState ShiftOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons)
{
    TShiftState s = 0;
    if (keys & Qt::ShiftModifier)
        s |= ssShift;
    if (keys & Qt::AltModifier)
        s |= ssAlt;
    if (keys & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

TMouseButton ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return TMouseButton::mbRight;
    case Qt::MiddleButton:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

} // namespace

TCanvasPage::TCanvasPage(const QList<TToolEntry>& editTools, const QList<TToolEntry>& defaultsTools,
                         const QList<QAction*>& canvasMenu, int designWidth, int designPanelWidth)
{
    setObjectName(QStringLiteral("EditingSheet"));
    EditToolBar = new QToolBar(QStringLiteral("Editing"), this);
    EditToolBar->setObjectName(QStringLiteral("EditToolBar"));
    EditToolBar->setIconSize(QSize(24, 24));
    AddTools(EditToolBar, editTools);

    // The canvas sits at the top-left of a scroll box.
    FramePanel = new TImagePanel;
    FramePanel->setObjectName(QStringLiteral("FramePanel"));
    FramePanel->setCursor(Qt::CrossCursor);
    FramePanel->setMouseTracking(true);
    FramePanel->setFixedSize(200, 200);
    FramePanel->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QAction* action : canvasMenu) {
        if (!action) {
            action = new QAction(FramePanel);
            action->setSeparator(true);
        }
        FramePanel->addAction(action);
    }

    ScrollBox = new QScrollArea;
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setWidget(FramePanel);

    DrawObjectScroll = new QScrollArea;
    DrawObjectScroll->setObjectName(QStringLiteral("DrawObjectScroll"));
    DrawObjectScroll->setWidgetResizable(true);
    DrawObjectScroll->setMinimumWidth(120);
    DrawObjectControl = new TPropertySheets;
    DrawObjectScroll->setWidget(DrawObjectControl);

    // The property panel with the default-properties commands above it.
    auto* propertyColumn = new QWidget;
    propertyColumn->setObjectName(QStringLiteral("PropertyPanel"));
    auto* defaultsBar = new QToolBar(QStringLiteral("Default Properties"), propertyColumn);
    defaultsBar->setObjectName(QStringLiteral("DefaultsToolBar"));
    defaultsBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    AddTools(defaultsBar, defaultsTools);
    auto* columnLayout = new QVBoxLayout(propertyColumn);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(2);
    columnLayout->addWidget(defaultsBar);
    columnLayout->addWidget(DrawObjectScroll, 1);

    EditorSplitter = new QSplitter(Qt::Horizontal);
    EditorSplitter->setObjectName(QStringLiteral("EditorSplitter"));
    EditorSplitter->setChildrenCollapsible(false);
    // The canvas column: the scroll box with the zoom bar under it.
    auto* canvasColumn = new QWidget;
    canvasColumn->setObjectName(QStringLiteral("CanvasColumn"));
    ZoomToolBar = new QToolBar(QStringLiteral("Zoom"), canvasColumn);
    ZoomToolBar->setObjectName(QStringLiteral("ZoomToolBar"));
    ZoomToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* canvasLayout = new QVBoxLayout(canvasColumn);
    canvasLayout->setContentsMargins(0, 0, 0, 0);
    canvasLayout->setSpacing(0);
    canvasLayout->addWidget(ScrollBox, 1);
    canvasLayout->addWidget(ZoomToolBar);
    EditorSplitter->addWidget(canvasColumn);
    EditorSplitter->addWidget(propertyColumn);
    EditorSplitter->setStretchFactor(0, 1);
    EditorSplitter->setStretchFactor(1, 0);
    const int panelWidth = StartPanelWidth(designPanelWidth);
    EditorSplitter->setSizes({designWidth - panelWidth, panelWidth});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(EditToolBar);
    layout->addWidget(EditorSplitter, 1);

    BuildZoomTools();
}

int TCanvasPage::StartPanelWidth(int designPanelWidth) const
{
    // All seven tabs are in the bar now; its size hint is their whole width.
    const int tabs = DrawObjectControl->tabBar()->sizeHint().width();
    const int frame = 2 * DrawObjectScroll->frameWidth() + DrawObjectScroll->verticalScrollBar()->sizeHint().width();
    return std::max(designPanelWidth, tabs + frame + kPanelSlack);
}

int TCanvasPage::PropertyPanelWidth() const
{
    return DrawObjectScroll->width();
}

void TCanvasPage::Wire(TEditorCore& core, const TGuard& guardPointer)
{
    // The pointer handlers refresh nothing themselves: the core asks for it.
    TEditorCore* c = &core;
    fCore = &core;
    fGuard = guardPointer;
    FramePanel->installEventFilter(this);
    ScrollBox->viewport()->installEventFilter(this);
    ApplyZoom();
    connect(FramePanel, &TImagePanel::MouseDown, this,
            [c, guardPointer](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                guardPointer([&] { c->FramePanelMouseDown(ButtonOf(button), ShiftOf(keys, button), x, y); });
            });
    connect(FramePanel, &TImagePanel::MouseMove, this,
            [c, guardPointer](Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int x, int y) {
                guardPointer([&] { c->FramePanelMouseMove(ShiftOf(keys, buttons), x, y); });
            });
    connect(FramePanel, &TImagePanel::MouseUp, this,
            [c, guardPointer](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                guardPointer([&] { c->FramePanelMouseUp(ButtonOf(button), ShiftOf(keys, Qt::NoButton), x, y); });
            });
}

void TCanvasPage::SetCursor(TCanvasCursor cursor)
{
    if (fSpaceHeld || fPanning)
        return; // the hand of panning stays
    switch (cursor) {
    case TCanvasCursor::Hand:
        FramePanel->setCursor(Qt::PointingHandCursor);
        break;
    case TCanvasCursor::SizeNWSE:
        FramePanel->setCursor(Qt::SizeFDiagCursor);
        break;
    case TCanvasCursor::Cross:
        FramePanel->setCursor(Qt::CrossCursor);
        break;
    }
}

void TCanvasPage::ResetCanvas(const TBitmap& white)
{
    FramePanel->move(0, 0);
    SetCanvasSize(200, 200);
    FramePanel->setCursor(Qt::CrossCursor);
    FramePanel->SetPicture(white);
}
