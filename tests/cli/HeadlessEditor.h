#pragma once
// A headless editor holding a new project, for tests that build projects to save.
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "platform/ScriptedDialogs.h"

struct THeadlessEditor {
    THeadlessEditor()
    {
        core.SetRedrawQuestion(false);
        life.NewProject();
    }

    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
    TOptionsPage page{core};
    TProjectLife life{core, page};
};
