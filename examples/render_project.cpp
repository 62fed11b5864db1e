// The editor's core without any window: opens a project, redraws every frame
// and writes the animation as a GIF. It links the core libraries and Qt Gui
// only (no QtWidgets), like the tests and the headless commands.
//
//   render_project PROJECT.zembra OUT.gif
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "platform/ScriptedDialogs.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // fonts and painting need a Gui application
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: render_project PROJECT.zembra OUT.gif\n");
        return 2;
    }

    TScriptedDialogs dialogs; // every question is answered "No"
    THeadlessProgress progress;
    TEditorCore core(dialogs, progress);
    TOptionsPage page(core);
    TProjectLife life(core, page);
    core.SetRedrawQuestion(false); // no redraw question before our own redraw

    try {
        if (!life.OpenProject(args[1])) {
            std::fprintf(stderr, "%s\n", qPrintable(core.Msg.QPrNotOpen));
            return 1;
        }
        core.RedrawAnimation();
        if (const QStringList shown = dialogs.Messages(); !shown.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(shown.last()));
            return 1;
        }
        core.Animation().SaveToFile(args[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("%d frame(s)\n", core.Animation().Count());
    return 0;
}
