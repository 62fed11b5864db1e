#pragma once
// Where the program finds what is installed with it, relative to its own
// folder (bin/ of the prefix, or the build tree, which mirrors it).
#include <QString>

// The user's guide: .../share/zembra/guide/index.html.
QString GuideIndexFile(const QString& programFolder);
// The folder of the program's private libraries (the AVI writer).
QString PrivateLibraryFolder(const QString& programFolder);
