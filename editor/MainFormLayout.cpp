// TMainForm: building the window: its actions, toolbars, pages and layout.
#include "editor/MainForm.h"

#include "editor/ApplyForm.h"
#include "editor/CanvasPage.h"
#include "editor/Controls.h"
#include "editor/FigureIcons.h"
#include "editor/OptionsSheet.h"
#include "editor/PreviewPage.h"
#include "editor/PropertySheets.h"
#include "editor/StripPage.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/PropertyPanels.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct TFigureButtonInfo {
    TFigureButton Kind;
    const char* Name;
    const char* Caption;
};

// The editing toolbar's figure buttons, in toolbar order.
constexpr std::array<TFigureButtonInfo, 14> FigureButtons{{
    {TFigureButton::Point, "PointButton", "Point"},
    {TFigureButton::Line, "LineButton", "Line"},
    {TFigureButton::LLine, "LLineButton", "L-Line"},
    {TFigureButton::ZLine, "ZLineButton", "Z-Line"},
    {TFigureButton::Bezier, "BezierButton", "Bezier Figure"},
    {TFigureButton::Rectangle, "RectangleButton", "Rectangle"},
    {TFigureButton::Diamond, "DiamondButton", "Rhombus"},
    {TFigureButton::Ellipse, "EllipseButton", "Ellipse"},
    {TFigureButton::Star, "StarButton", "Star"},
    {TFigureButton::Polygon, "PolygonButton", "Polygon"},
    {TFigureButton::Arrow, "ArrowButton", "Arrow"},
    {TFigureButton::Text, "TextButton", "Plain Text"},
    {TFigureButton::TextBezier, "TextBezierButton", "Bezier Text"},
    {TFigureButton::Picture, "PictureButton", "Image"},
}};

} // namespace

TMainForm::TMainForm(TDialogs& dialogs, QStringList arguments, QString documentsDir)
    : Dialogs(&dialogs), Arguments(std::move(arguments)), DocumentsDir(std::move(documentsDir))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zembra"));
    IsStart = true; // FormCreate: everything else waits for the first showing

    BuildActions();
    BuildMainToolBar();

    BuildPages();
    BuildBottomPanel();

    BottomSplitter = new QSplitter(Qt::Vertical);
    BottomSplitter->setObjectName(QStringLiteral("BottomSplitter"));
    BottomSplitter->setChildrenCollapsible(false);
    BottomSplitter->addWidget(PageControl);
    BottomSplitter->addWidget(StripPage);
    BottomSplitter->setStretchFactor(0, 1);
    BottomSplitter->setStretchFactor(1, 0);
    BottomSplitter->setSizes({DesignHeight - DesignStripHeight, DesignStripHeight});

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(BottomSplitter, 1);
    layout->addWidget(BottomPanel);
    setCentralWidget(central);

    resize(DesignWidth, DesignHeight);
    BuildEditorCore();
}

TMainForm::~TMainForm() = default;

void TMainForm::SetToolWindows(const TToolWindows& tools)
{
    Tools = tools;
    Core->SetProgress(Progress());
    BuildToolsWiring();
}

TProgress& TMainForm::Progress()
{
    if (Tools.ApplyForm)
        return *Tools.ApplyForm;
    return HeadlessProgress;
}

QAction* TMainForm::MakeAction(const QString& name, const QString& caption, const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setToolTip(caption + QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    }
    addAction(action); // shortcuts work wherever the focus is in the window
    return action;
}

TPropertySheets& TMainForm::Sheets() const
{
    return CanvasPage->Sheets();
}

void TMainForm::BuildActions()
{
    NewProjectAct = MakeAction(QStringLiteral("NewProjectAct"), QStringLiteral("New Project"), QKeySequence(Qt::CTRL | Qt::Key_N));
    OpenProjectAct = MakeAction(QStringLiteral("OpenProjectAct"), QStringLiteral("Open Project"), QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveAct = MakeAction(QStringLiteral("SaveAct"), QStringLiteral("Save Project"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsProjectAct = MakeAction(QStringLiteral("SaveAsProjectAct"), QStringLiteral("Save Project As"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    OpenGIFAct = MakeAction(QStringLiteral("OpenGIFAct"), QStringLiteral("Open GIF"));
    SaveGIFAct = MakeAction(QStringLiteral("SaveGIFAct"), QStringLiteral("Save GIF"));
    SaveAVIAct = MakeAction(QStringLiteral("SaveAVIAct"), QStringLiteral("Save AVI"));
    GIFFromImagesAct = MakeAction(QStringLiteral("GIFFromImagesAct"), QStringLiteral("GIF from Images"));
    ScreenRecordAct = MakeAction(QStringLiteral("ScreenRecordAct"), QStringLiteral("Screen Record"));
    ExtractFramesAct = MakeAction(QStringLiteral("ExtractFramesAct"), QStringLiteral("Extract Frames"));
    HelpAct = MakeAction(QStringLiteral("HelpAct"), QStringLiteral("Help"), QKeySequence(Qt::Key_F1));
    AboutAct = MakeAction(QStringLiteral("AboutAct"), QStringLiteral("About Zembra"), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    UndoAct = MakeAction(QStringLiteral("UndoAct"), QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoAct = MakeAction(QStringLiteral("RedoAct"), QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    RedoAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    CopyFigureAct = MakeAction(QStringLiteral("CopyFigureAct"), QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    CutFigureAct = MakeAction(QStringLiteral("CutFigureAct"), QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X));
    PasteFigureAct = MakeAction(QStringLiteral("PasteFigureAct"), QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V));
    DeleteFigureAct = MakeAction(QStringLiteral("DeleteFigureAct"), QStringLiteral("Delete"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    BackAct = MakeAction(QStringLiteral("BackAct"), QStringLiteral("Send to Back"));
    FrontAct = MakeAction(QStringLiteral("FrontAct"), QStringLiteral("Bring to Front"));
    ParamAct = MakeAction(QStringLiteral("ParamAct"), QStringLiteral("Default Properties"));
    ResetAct = MakeAction(QStringLiteral("ResetAct"), QStringLiteral("Reset Properties"));

    AddFrameAct = MakeAction(QStringLiteral("AddFrameAct"), QStringLiteral("Add Frame"));
    DuplicateFrameAct = MakeAction(QStringLiteral("DuplicateFrameAct"), QStringLiteral("Duplicate Frame"));
    SaveFrameAct = MakeAction(QStringLiteral("SaveFrameAct"), QStringLiteral("Save Frame"));
    RedrawAct = MakeAction(QStringLiteral("RedrawAct"), QStringLiteral("Redraw Frames"));
    CopyFrameAct = MakeAction(QStringLiteral("CopyFrameAct"), QStringLiteral("Copy"), QKeySequence(Qt::ALT | Qt::Key_C));
    CutFrameAct = MakeAction(QStringLiteral("CutFrameAct"), QStringLiteral("Cut"), QKeySequence(Qt::ALT | Qt::Key_X));
    PasteFrameAct = MakeAction(QStringLiteral("PasteFrameAct"), QStringLiteral("Paste"), QKeySequence(Qt::ALT | Qt::Key_V));
    DeleteFrameAct = MakeAction(QStringLiteral("DeleteFrameAct"), QStringLiteral("Delete"), QKeySequence(Qt::ALT | Qt::Key_Delete));
    MoveLeftAct = MakeAction(QStringLiteral("MoveLeftAct"), QStringLiteral("Move Left"));
    MoveRightAct = MakeAction(QStringLiteral("MoveRightAct"), QStringLiteral("Move Right"));

    for (size_t i = 0; i < FigureButtons.size(); ++i) {
        const auto& info = FigureButtons[i];
        QString actName = QString::fromLatin1(info.Name);
        actName.replace(QStringLiteral("Button"), QStringLiteral("Act"));
        FigureActs[i] = MakeAction(actName, QString::fromLatin1(info.Caption));
        FigureActs[i]->setIcon(FigureIcon(info.Kind));
    }

    connect(HelpAct, &QAction::triggered, this, &TMainForm::HelpExecute);
    connect(AboutAct, &QAction::triggered, this, &TMainForm::AboutExecute);
    connect(ParamAct, &QAction::triggered, this, &TMainForm::ParamButtonClick);
    connect(ResetAct, &QAction::triggered, this, &TMainForm::ResetButtonClick);
}

void TMainForm::BuildMainToolBar()
{
    MainToolBar = new QToolBar(QStringLiteral("Main"), this);
    MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    MainToolBar->setMovable(false);
    MainToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    AddToolButton(MainToolBar, NewProjectAct, QStringLiteral("NewProjectButton"));
    AddToolButton(MainToolBar, OpenProjectAct, QStringLiteral("OpenProjectButton"));
    AddToolButton(MainToolBar, SaveAct, QStringLiteral("SaveProjectButton"));
    AddToolButton(MainToolBar, SaveAsProjectAct, QStringLiteral("SaveAsProjectButton"));
    MainToolBar->addSeparator();
    AddToolButton(MainToolBar, UndoAct, QStringLiteral("UndoButton"));
    AddToolButton(MainToolBar, RedoAct, QStringLiteral("RedoButton"));
    MainToolBar->addSeparator();
    AddToolButton(MainToolBar, OpenGIFAct, QStringLiteral("OpenGIFButton"));
    AddToolButton(MainToolBar, SaveGIFAct, QStringLiteral("SaveGIFButton"));
    AddToolButton(MainToolBar, SaveAVIAct, QStringLiteral("SaveAVIButton"));
    MainToolBar->addSeparator();
    AddToolButton(MainToolBar, GIFFromImagesAct, QStringLiteral("GIFFromImagesButton"));
    AddToolButton(MainToolBar, ScreenRecordAct, QStringLiteral("ScreenRecordButton"));
    AddToolButton(MainToolBar, ExtractFramesAct, QStringLiteral("ExtractFramesButton"));
    MainToolBar->addSeparator();
    // The Help button runs the help; its menu also has the about box.
    if (QToolButton* help = AddToolButton(MainToolBar, HelpAct, QStringLiteral("HelpButton"))) {
        auto* helpMenu = new QMenu(help);
        helpMenu->setObjectName(QStringLiteral("HelpMenu"));
        helpMenu->addAction(HelpAct);
        helpMenu->addAction(AboutAct);
        help->setMenu(helpMenu);
        help->setPopupMode(QToolButton::MenuButtonPopup);
    }
    addToolBar(Qt::TopToolBarArea, MainToolBar);
}

void TMainForm::BuildPages()
{
    PageControl = new QTabWidget;
    PageControl->setObjectName(QStringLiteral("PageControl"));

    QList<TToolEntry> editTools;
    for (size_t i = 0; i < FigureButtons.size(); ++i)
        editTools.append({FigureActs[i], QString::fromLatin1(FigureButtons[i].Name)});
    editTools.append(TToolEntry{}); // a separator
    editTools.append({CopyFigureAct, QStringLiteral("CopyFigureButton")});
    editTools.append({CutFigureAct, QStringLiteral("CutFigureButton")});
    editTools.append({PasteFigureAct, QStringLiteral("PasteFigureButton")});
    editTools.append({DeleteFigureAct, QStringLiteral("DeleteFigureButton")});
    editTools.append(TToolEntry{}); // a separator
    editTools.append({BackAct, QStringLiteral("BackButton")});
    editTools.append({FrontAct, QStringLiteral("FrontButton")});
    const QList<TToolEntry> defaultsTools{{ParamAct, QStringLiteral("ParamButton")},
                                          {ResetAct, QStringLiteral("ResetButton")}};
    CanvasPage = new TCanvasPage(editTools, defaultsTools,
                                 {UndoAct, RedoAct, nullptr, CopyFigureAct, CutFigureAct, PasteFigureAct, DeleteFigureAct},
                                 DesignWidth, DesignPanelWidth);
    PageControl->addTab(CanvasPage, QStringLiteral("Editing"));
    OptionsSheet = new TOptionsSheet;
    PageControl->addTab(OptionsSheet, QStringLiteral("Options"));
    PreviewPage = new TPreviewPage;
    PageControl->addTab(PreviewPage, QStringLiteral("Preview"));
    StripPage = new TStripPage({AddFrameAct, DuplicateFrameAct, SaveFrameAct, CopyFrameAct, CutFrameAct, PasteFrameAct,
                                DeleteFrameAct, MoveLeftAct, MoveRightAct});
}

void TMainForm::BuildBottomPanel()
{
    BottomPanel = new QWidget;
    BottomPanel->setObjectName(QStringLiteral("BottomPanel"));

    FrameToolBar = new QToolBar(QStringLiteral("Frames"), BottomPanel);
    FrameToolBar->setObjectName(QStringLiteral("FrameToolBar"));
    FrameToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    AddToolButton(FrameToolBar, AddFrameAct, QStringLiteral("AddFrameButton"));
    AddToolButton(FrameToolBar, DuplicateFrameAct, QStringLiteral("DuplicateFrameButton"));
    AddToolButton(FrameToolBar, SaveFrameAct, QStringLiteral("SaveFrameButton"));
    AddToolButton(FrameToolBar, RedrawAct, QStringLiteral("RedrawButton"));
    FrameToolBar->addSeparator();
    AddToolButton(FrameToolBar, CopyFrameAct, QStringLiteral("CopyFrameButton"));
    AddToolButton(FrameToolBar, CutFrameAct, QStringLiteral("CutFrameButton"));
    AddToolButton(FrameToolBar, PasteFrameAct, QStringLiteral("PasteFrameButton"));
    AddToolButton(FrameToolBar, DeleteFrameAct, QStringLiteral("DeleteFrameButton"));
    FrameToolBar->addSeparator();
    AddToolButton(FrameToolBar, MoveLeftAct, QStringLiteral("MoveLeftButton"));
    AddToolButton(FrameToolBar, MoveRightAct, QStringLiteral("MoveRightButton"));

    auto* layout = new QHBoxLayout(BottomPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FrameToolBar, 1);
}
