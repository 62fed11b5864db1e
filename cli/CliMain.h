#pragma once
// Headless subcommands of zembra ("zembra gif info FILE", ...). They run
// without a display: the caller has not created any Qt application yet.
#include <optional>

// When argv names a subcommand, runs it and returns its exit status;
// otherwise returns nothing and the caller starts the editor.
std::optional<int> RunCommandLine(int argc, char** argv);
