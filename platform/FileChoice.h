#pragma once
// Commands that write or read a file take it from their caller (tests, the
// headless commands) or ask the user for it; these pick the one or the other.
#include "platform/Dialogs.h"

#include <QString>
#include <optional>

// The file the caller named, else the one picked in the open dialog; nothing when cancelled.
std::optional<QString> OpenFileName(TDialogs& dialogs, const std::optional<QString>& given,
                                    const TFileDialogRequest& request);
// The file the caller named, else the one picked in the save dialog; nothing when cancelled.
std::optional<QString> SaveFileName(TDialogs& dialogs, const std::optional<QString>& given,
                                    const TFileDialogRequest& request);
