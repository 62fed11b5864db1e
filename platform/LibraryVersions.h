#pragma once
// The libraries the program runs on and their versions, for the about box.
#include <QString>
#include <vector>

struct TLibraryVersion {
    QString Name;
    QString Version;
};

// Qt, libpng and zlib as loaded at run time; libjpeg-turbo as built against
// (its IJG interface has no version call).
std::vector<TLibraryVersion> LibraryVersions();
