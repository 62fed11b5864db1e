#pragma once
// TMainForm, the editor's main window: the shell around the pages. It holds
// the commands (actions) and their toolbars, lays out the pages — the
// "Editing" page with the canvas and the figure property pages (TCanvasPage,
// TPropertySheets), the "Options" page (TOptionsSheet), the "Preview" page
// (TPreviewPage) and the frame strip (TStripPage) — pairs each with its logic
// (TEditorCore, TOptionsPage, TPropertyPanels, TProjectLife) and runs the life
// cycle. The class is split across files by concern: MainFormLayout.cpp builds
// the window, MainFormEditing.cpp wires the pages to the editor core,
// MainFormOptions.cpp the "Options" page and the project commands,
// MainFormPreview.cpp the preview and going to a frame, MainFormStrip.cpp the
// frame commands, MainFormClipboard.cpp the figure clipboard and dropped files,
// MainFormTools.cpp the tool windows, MainFormLifecycle.cpp start-up, closing,
// caption and help, MainFormSettings.cpp the settings file.
#include "editor/ToolWindows.h"
#include "editor/core/Messages.h"
#include "editor/core/SettingsFile.h"
#include "model/DefaultParam.h"
#include "model/Records.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"

#include "platform/Bitmap.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QSplitter;
class QTabWidget;
class QToolBar;
class QToolButton;
class TCanvasPage;
class TEditorCore;
class TOptionsPage;
class TOptionsSheet;
class TPreviewPage;
class TProjectLife;
class TPropertyPanels;
class TPropertySheets;
class TStripPage;
class TTextMenu;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command line after the program name (a project to open);
    // documentsDir: the user's Documents folder, empty to ask the system.
    TMainForm(TDialogs& dialogs, QStringList arguments = {}, QString documentsDir = {});
    ~TMainForm() override;

    // The tool windows, created after this window (see the start-up order).
    void SetToolWindows(const TToolWindows& tools);
    const TToolWindows& ToolWindows() const { return Tools; }

    // Start-up and closing.
    void FormShow();
    // Asks to save a modified project and writes the settings; false when the
    // user chose to save and the project was not saved (the window stays open).
    bool FormClose();
    bool Started() const { return !IsStart; }

    // Default figure properties.
    void InitDefault();
    void ShowDefault();
    // The editor core owns them.
    const TDefaultParam& Defaults() const;

    // Caption and help.
    void ShowCaption();
    // F1: "Zembra.chm" beside the program, else the installed user's guide.
    void HelpExecute();
    QString HelpFile() const;
    QString GuideFile() const;
    void AboutExecute(); // Shift+F1: "About Zembra"
    // The program's own folder, where the help file lives.
    void SetProgramFolder(const QString& folder) { ProgramFolder = folder; }

    // Settings file ("settings.dat" in ZembraDir).
    QString SettingsPath() const;
    // Applies the stored window and default properties; lastProject receives
    // the project that was open when the settings were written.
    bool ReadSettings(QString* lastProject = nullptr);
    bool WriteSettings();
    TWindowSettings CurrentWindowSettings() const;
    void ApplyWindowSettings(const TWindowSettings& settings);

    // Project life cycle.
    void ClearProject();
    bool SavePrompt(); // false: "Yes" was answered and nothing was saved
    void SetModify(bool value);
    void SetModifyTrue() { SetModify(true); }
    void SetModifyFalse() { SetModify(false); }
    bool Modified() const;
    QString ProjectFile() const;
    QString ZembraFolder() const { return ZembraDir; }

    // Long operations.
    TProgress& Progress();
    void ApplyStart(int count, const QString& title) { Progress().ApplyStart(count, title); }
    void SetProgress(int value) { Progress().SetProgress(value); }

    // Number of frames of the animation.
    int AnimationFrameCount() const;

    // The editing, rendering and preview logic behind the window
    // (MainFormEditing.cpp, MainFormPreview.cpp).
    TEditorCore& EditorCore() const;
    // The "Options" page's logic (the tools load a background GIF through it).
    TOptionsPage& OptionsPage() const { return *Page; }
    void EnBut();
    // The undo and redo actions name the steps they would take.
    void ShowUndoState();

    // Designed size of the window and its panels.
    static constexpr int DesignWidth = 1180;
    static constexpr int DesignHeight = 800;
    static constexpr int DesignPanelWidth = 300;
    static constexpr int DesignStripHeight = 130;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Window building.
    void BuildActions();
    void BuildMainToolBar();
    void BuildPages();
    void BuildBottomPanel();
    QAction* MakeAction(const QString& name, const QString& caption, const QKeySequence& shortcut = {});
    TPropertySheets& Sheets() const;

    // Start-up pieces.
    void FillMessages();
    void InitFlags();
    void CreateWorkObjects();
    void ObjEn(bool single);

    // Commands (more are wired as the editor grows).
    void ParamButtonClick();
    void ResetButtonClick();
    // Runs a command; an error it raises is shown as a message and the
    // window goes on (the command has left the project as it was).
    void Guard(const std::function<void()>& command);
    // The same for the canvas's pointer events, which refresh the commands
    // only when they fail.
    void GuardPointer(const std::function<void()>& command);

    // The "Options" page and the project life cycle (MainFormOptions.cpp).
    void BuildOptionsWiring();
    void BuildProjectWiring();
    // Refills the "Options" page's controls from the page's logic.
    void ShowOptionsPage();
    // After a project was cleared, opened or saved under a new name.
    void ProjectShown();

    // Editing and preview wiring.
    void BuildEditorCore();
    void BuildPreviewWiring();
    void QNewFigure(TQFigName kind);
    void ObjEnCount();
    void GoToFrame(int index);
    // "Go to Frame #" left with a frame number (1-based).
    void GoSpinExit(int value);
    void ResizeAnim();
    void SetGoTo();
    void SetCurrentDelay();

    // The figure property pages.
    void BuildPanelsWiring();
    // Stops the preview when the "Editing" or "Options" page is shown.
    void TabStop();

    // "GIF from Images", "Screen Record", "Extract Frames" and "Save AVI" (MainFormTools.cpp).
    void BuildToolsWiring();
    void GIFFromImagesActExecute();
    void ScreenRecordActExecute();
    void ExtractFramesActExecute();
    void SaveAVIActExecute();
    bool IsToolsWired = false;

    // The figure clipboard, the system clipboard's picture and dropped files
    // (MainFormClipboard.cpp).
    void BuildClipboardWiring();
    void PasteImageExecute();
    // Opens a dropped project, or makes figures of dropped pictures at `at`.
    void DropFiles(const QStringList& files, QPoint at);
    // "Paste Image" is offered with frames and a picture on the system clipboard.
    void EnPasteImage();

    // The frame strip and the frame commands (MainFormStrip.cpp).
    void BuildStripWiring();

    TDialogs* Dialogs;
    QStringList Arguments;
    QString DocumentsDir;
    QString ProgramFolder;
    TToolWindows Tools;
    THeadlessProgress HeadlessProgress; // until the progress window exists
    std::unique_ptr<TEditorCore> Core;
    std::unique_ptr<TOptionsPage> Page; // the "Options" page's logic
    std::unique_ptr<TProjectLife> Life; // new, open, save
    std::unique_ptr<TPropertyPanels> Panels; // the figure property pages' logic
    TTextMenu* TextMenu = nullptr; // the spin boxes' and the memo's context menu

    // Window state; the project's state, the default figure properties and the
    // message texts live in the editor core.
    QString ZembraDir;
    TBitmap BMPNo; // "No" placeholder for empty preview boxes
    bool IsStart = true;
    bool IsGo = true; // the go-to box acts (false while code sets it)

    // Commands.
    QAction* NewProjectAct = nullptr;
    QAction* OpenProjectAct = nullptr;
    QAction* SaveAct = nullptr;
    QAction* SaveAsProjectAct = nullptr;
    QAction* UndoAct = nullptr; // "Undo X" (Ctrl+Z)
    QAction* RedoAct = nullptr; // "Redo X" (Ctrl+Shift+Z, Ctrl+Y)
    QAction* OpenGIFAct = nullptr;
    QAction* SaveGIFAct = nullptr;
    QAction* SaveAVIAct = nullptr;
    QAction* GIFFromImagesAct = nullptr;
    QAction* ScreenRecordAct = nullptr;
    QAction* ExtractFramesAct = nullptr;
    QAction* HelpAct = nullptr;
    QAction* AboutAct = nullptr;
    QAction* CopyFigureAct = nullptr;
    QAction* CutFigureAct = nullptr;
    QAction* PasteFigureAct = nullptr;
    QAction* DeleteFigureAct = nullptr;
    QAction* PasteImageAct = nullptr;
    QAction* BackAct = nullptr;
    QAction* FrontAct = nullptr;
    QAction* ParamAct = nullptr;
    QAction* ResetAct = nullptr;
    QAction* AddFrameAct = nullptr;
    QAction* DuplicateFrameAct = nullptr;
    QAction* SaveFrameAct = nullptr;
    QAction* RedrawAct = nullptr;
    QAction* CopyFrameAct = nullptr;
    QAction* CutFrameAct = nullptr;
    QAction* PasteFrameAct = nullptr;
    QAction* DeleteFrameAct = nullptr;
    QAction* MoveLeftAct = nullptr;
    QAction* MoveRightAct = nullptr;
    std::array<QAction*, 14> FigureActs{};

    // Window structure: the pages own their controls.
    QToolBar* MainToolBar = nullptr;
    QTabWidget* PageControl = nullptr;
    QSplitter* BottomSplitter = nullptr;
    TCanvasPage* CanvasPage = nullptr;   // "Editing"
    TOptionsSheet* OptionsSheet = nullptr; // "Options"
    TPreviewPage* PreviewPage = nullptr; // "Preview"
    TStripPage* StripPage = nullptr;     // the frame strip under the pages
    QWidget* BottomPanel = nullptr;
    QToolBar* FrameToolBar = nullptr;
};
