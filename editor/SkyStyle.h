#pragma once
// The "Sky" visual style: light sky blues, applied to the whole application as a
// Qt style sheet kept in the program's resources.
#include <QString>

class QApplication;

// The style sheet's text; empty when the resource cannot be read.
QString SkyStyleSheet();

// Applies the style; returns false (and leaves the look alone) when it cannot.
bool ApplySkyStyle(QApplication& application);
