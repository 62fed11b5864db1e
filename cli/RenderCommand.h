#pragma once
#include <QStringList>

// "zembra render PROJECT.zembra [--gif OUT.gif] [--frames DIR [--format
// png|jpg|gif|bmp] [--quality N]] [--save-project OUT.zembra]": opens the
// project without a display, runs "Redraw Frames" and writes what is asked.
// args holds what follows "render". Returns the exit status: 0 on success,
// 1 with the editor's message on stderr otherwise.
int RunRenderCommand(const QStringList& args);

// The usage line printed for a malformed command.
extern const char* const RenderUsage;
