#pragma once
// Start-up of the editor: single instance, visual style, the windows in their
// fixed order, the message loop.
#include "editor/MainForm.h"
#include "editor/ToolWindows.h"

#include <QStringList>
#include <memory>

struct TZembraWindows {
    std::unique_ptr<TMainForm> MainForm; // the application's main window
    TToolWindows Tools;                  // owned by the main window (Qt parent)
};

// Creates the main window first, then the tool windows in order: screen
// recording, desktop area, progress window, frame extraction, about box, folder,
// AVI, GIF from images, colour selection. Nothing is shown.
TZembraWindows CreateWindows(TDialogs& dialogs, const QStringList& arguments, const QString& documentsDir = {});

// The message a second copy of the program shows before it ends.
QString SecondInstanceMessage();
// Reported when the visual style cannot be applied; start-up goes on.
QString StyleFailureMessage();

// The editor's program entry; returns the process's exit status.
int RunZembra(int argc, char** argv);
