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

    // Sets the project's modified flag alone and lets the window refresh its
    // commands ("Save Project").
    void MarkModified() const
    {
        if (!Core)
            return;
        Core->Doc.IsModify = true;
        if (Core->Hooks.CommandStates)
            Core->Hooks.CommandStates();
    }
};
