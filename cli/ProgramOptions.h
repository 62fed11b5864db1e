#pragma once
// The options of the program itself (zembra --help, --version), answered
// before any window or display is needed.
#include "cli/Usage.h"
#include "gif/GIFExporter.h"

#include <QStringList>
#include <optional>

// For the arguments after the program's name, when no command is named:
// prints the help or the version and returns 0, or reports an unknown option
// and returns UsageErrorStatus; returns nothing when the editor should start.
// Qt's own window options pass (the application object takes them).
std::optional<int> AnswerProgramOptions(const QStringList& args);

// For a command's arguments: --help prints the command's help, --version the
// version (status 0); otherwise nothing. Unknown options are the command's own
// parser's business, as only it knows which values follow which option.
std::optional<int> AnswerCommandOptions(TCommand command, const QStringList& args);

// The options of the commands that export GIFs: --no-optimise, --reducer
// popularity|quality, --dither. When args[i] is one of them it is taken (with
// its value; i moves past it) and true returned, `error` receiving a message
// for a bad value; false when args[i] is none of them.
bool TakeGIFExportOption(const QStringList& args, int& i, TGIFExportOptions& options, QString& error);
