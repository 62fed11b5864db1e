#pragma once
// The user's known folders (the Windows FOLDERID_Documents and FOLDERID_Pictures),
// found here through the XDG user folders.
#include <QString>

enum class TKnownFolder { Documents, Pictures };

// Path of the folder, or an empty string when the system names none.
QString GetKnownFolderPath(TKnownFolder folder);
