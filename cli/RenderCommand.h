#pragma once
#include <QStringList>

// "zembra render PROJECT.zembra [--gif OUT.gif] [--frames DIR [--format
// png|jpg|gif|bmp] [--quality N]] [--save-project OUT.zembra] [--avi OUT.avi
// [--avi-codec DIB|MJPG] [--avi-quality Q] [--avi-frame-time MS] [--avi-bits
// 8|24|32] [--wav FILE[@DELAY_MS]]...]": opens the project without a display,
// runs "Redraw Frames" and writes what is asked. The AVI is exported as the
// Save-AVI window does; options not given take the project's AVI settings.
// args holds what follows "render". Returns the exit status: 0 on success,
// 1 with the editor's message on stderr otherwise.
int RunRenderCommand(const QStringList& args);

// The usage line printed for a malformed command.
extern const char* const RenderUsage;
