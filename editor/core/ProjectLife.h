#pragma once
// TProjectLife: the project's life cycle without widgets: new, open, save,
// save as, the question whether to save changes, opening the project named on
// the command line or the last one at start-up, and the caption. The window
// forwards its commands here; tests and the headless commands drive it
// directly with scripted dialogs.
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"

#include <QString>
#include <functional>
#include <optional>

class TProjectLife {
public:
    TProjectLife(TEditorCore& core, TOptionsPage& page);

    // Folder the project dialogs start in (Documents/Zembra), may be empty.
    QString ZembraDir;

    // The window's part: refill every control after a project was cleared or
    // read (tool windows, pages), lay itself out again, refresh commands.
    std::function<void()> ProjectShown;
    // The tool windows drop what they gathered for the project that went
    // (ClearProject, before New and Open).
    std::function<void()> ProjectCleared;

    // Empties the project; a 200 x 200 white frame size, no file name.
    void ClearProject();
    // ClearProject and one background frame.
    void NewProject();
    // Reads a project into the cleared document; the Options page and the core
    // take its settings. False when it does not open.
    bool ReadProject(const QString& path);
    // Writes the project; false when it was not saved (the old file stays).
    bool WriteProject(const QString& path);
    // The message for a save that failed: the documented text, followed by
    // the reason when the save was refused (a companion folder in use).
    QString NotSavedMessage(const QString& text) const;
    // Reads the project and makes it the current one (start-up and "Open").
    bool OpenProject(const QString& path);

    // Asks "Save changes to the project?" when modified. False only when the
    // user answered "Yes" and the project was not saved (a failed write or a
    // cancelled "Save Project As"): the caller must not drop the project.
    bool SavePrompt();
    // "Save Project" (Ctrl+S); true when saved.
    bool SaveActExecute();
    // "Save Project As"; true when saved.
    bool SaveAsProjectButtonClick(const std::optional<QString>& fileName = std::nullopt);
    void NewProjectButtonClick();
    void OpenProjectButtonClick(const std::optional<QString>& fileName = std::nullopt);
    // Closing the window: true when it may close.
    bool CloseQuery();

    // Start-up: the project named on the command line (when that file exists),
    // else the last project; a new project when the one tried does not open. Returns whether
    // a project was opened.
    bool OpenAtStart(const QString& commandLineProject, const QString& lastProject);

    // "Zembra - [demo.zembra] 12 frame(s) X:0 Y:0".
    QString Caption() const;
    QString ProjFile() const { return Core.Doc.ProjFile; }

    // The page shows the settings just read.
    void ApplyOptions();

    TEditorCore& Core;
    TOptionsPage& Page;

private:
    void Shown();
    // "Save Project As" once the redraw question was answered.
    bool SaveAs(const std::optional<QString>& fileName);
    // Reads the project into a scratch document: whether it opens, with the
    // current project untouched.
    bool CanRead(const QString& path);
    // "The project does not open!" with the file's name.
    QString NotOpenMessage(const QString& path) const;
    // The project dialogs' filter, starting in ZembraDir when it exists.
    TFileDialogRequest ProjectRequest() const;

    QString fSaveNotice; // why the last save was refused
};
