#pragma once
// The usage texts of the program and of its headless commands, and the
// answers to the conventional options (--help, --version, an unknown option).
#include <QString>

enum class TCommand { Gif, Render, Record, Regsvr };

// Exit status of a command line that names an option nobody knows.
constexpr int UsageErrorStatus = 2;

// "zembra X.Y.Z".
QString VersionLine();
// The window and every command: what `zembra --help` prints.
QString ProgramHelp();
// One command's synopsis ("usage: zembra render ..."), shown with errors.
QString CommandSynopsis(TCommand command);
// The synopsis and what each option does: what `zembra COMMAND --help` prints.
QString CommandHelp(TCommand command);

// Prints "zembra COMMAND: unknown option OPTION" and the synopsis on stderr;
// returns UsageErrorStatus. An empty command stands for the program itself.
int ReportUnknownOption(const QString& command, const QString& option, const QString& synopsis);
// True for "-x" and "--xyz" (not for "-", which names no option).
bool LooksLikeOption(const QString& arg);
// Prints text and a line end on stdout; returns 0.
int PrintAndSucceed(const QString& text);
