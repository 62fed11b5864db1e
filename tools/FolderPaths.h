#pragma once
// Folder helpers shared by the tool windows: making sure an output folder
// exists, choosing where a folder dialog opens, and making one new subfolder.
#include <QString>

// Creates the folder with every missing parent; true when it exists afterwards.
// An empty or blank path is never usable.
bool ForceFolder(const QString& path);

// The folder a folder dialog starts in: the text when it names an existing
// folder, otherwise `fallback` (the user's Pictures folder).
QString StartFolder(const QString& text, const QString& fallback);

enum class TNewFolderResult { Created, EmptyName, Failed };

// Creates the single folder `name` (used as typed, blanks included) inside
// `parent`; no intermediate folders are made. A name of blanks only is
// refused. On success `created` receives the new folder's path.
TNewFolderResult CreateSubfolder(const QString& parent, const QString& name, QString* created = nullptr);
