#pragma once
// The tool windows the main window calls on, created after it at start-up and
// owned by it as their Qt parent; the main window only observes them.
class QDialog;
class QWidget;
class TApplyForm;

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
};
