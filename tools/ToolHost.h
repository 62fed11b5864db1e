#pragma once
// What the tool windows use of the main window: the editor core (project,
// animation, progress, dialogs), the "Options" page that loads a background
// GIF, and the folder dialog. The application passes it once the main window
// and the tool windows exist; the tools only observe these objects.
#include "editor/core/EditorCore.h"

class TOptionsPage;
class TFolderForm;

struct TToolHost {
    TEditorCore* Core = nullptr;
    TOptionsPage* Page = nullptr;
    TFolderForm* FolderForm = nullptr;

    // A setting of the project that a tool window shows: `change` writes it
    // into the project's options as one undoable step named `text`; with
    // `merge`, successive changes of the setting (keystrokes, slider moves)
    // make one step. A change that leaves the setting as it was is no step
    // and leaves the modified flag as it was.
    template <class Change>
    void EditSetting(const QString& text, Change&& change, bool merge = false) const
    {
        if (!Core)
            return;
        TUndoHistory& history = Core->History();
        {
            TEditScope edit(history, text, merge ? history.MergeKeyOf(text) : 0);
            change(Core->Doc.Options);
            Core->Doc.IsModify = true;
        }
        if (Core->Hooks.CommandStates)
            Core->Hooks.CommandStates();
    }

    // Sets the project's modified flag alone (a choice the project does not
    // keep) and lets the window refresh its commands ("Save Project").
    void MarkModified() const
    {
        if (!Core)
            return;
        Core->Doc.IsModify = true;
        if (Core->Hooks.CommandStates)
            Core->Hooks.CommandStates();
    }
};
