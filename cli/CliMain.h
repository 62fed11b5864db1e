#pragma once
// Headless subcommands of zembra ("zembra gif info FILE", ...). They run
// without a display: the caller has not created any Qt application yet.
#include <QtGlobal>
#include <optional>

// When argv names a subcommand, runs it and returns its exit status;
// otherwise returns nothing and the caller starts the editor.
std::optional<int> RunCommandLine(int argc, char** argv);

// The headless commands print only their own lines: Qt's notes (such as a
// missing XDG_RUNTIME_DIR under cron or in a container) are dropped; a fatal
// error still shows its text before the run ends. Returns the handler it
// replaced.
QtMessageHandler QuietToolkitMessages();
