#pragma once
// The tool windows the main window calls on, created after it at start-up and
// owned by it as their Qt parent; the main window only observes them.
class QDialog;
class QWidget;
class TApplyForm;

// What the main window's tool commands call on the tool windows.
class IGIFFromImagesTool {
public:
    virtual ~IGIFFromImagesTool() = default;
    // Back to the first step, its controls showing the project's settings.
    virtual void Init() = 0;
    // A project was cleared or opened: the gathered pictures go, and the
    // window starts again from the first step with that project's settings.
    virtual void Reset() = 0;
};

class IExtractTool {
public:
    virtual ~IExtractTool() = default;
    // Fills the controls from the project's settings (an empty folder becomes
    // the user's Pictures folder) and refreshes their enabled states.
    virtual void PrepareShow() = 0;
};

class IToAVITool {
public:
    virtual ~IToAVITool() = default;
    // Fills the controls from the project's settings and rebuilds the
    // compressor list for the pixel format; false, after showing why, when
    // the window cannot save (no AVI writer).
    virtual bool PrepareShow() = 0;
};

struct TToolWindows {
    QDialog* ScreenForm = nullptr;        // screen recording
    QWidget* DesktopForm = nullptr;       // desktop area chooser
    TApplyForm* ApplyForm = nullptr;      // progress window
    QDialog* ExtractForm = nullptr;       // frame extraction
    QDialog* AboutBox = nullptr;
    QDialog* FolderForm = nullptr;
    QDialog* ToAVIForm = nullptr;         // Save AVI
    QDialog* GIFFromImagesForm = nullptr;
    QDialog* ColorForm = nullptr;         // palette colour picker
    IGIFFromImagesTool* GIFFromImages = nullptr; // the same window as GIFFromImagesForm
    IExtractTool* Extract = nullptr;             // the same window as ExtractForm
    IToAVITool* ToAVI = nullptr;                 // the same window as ToAVIForm
};
