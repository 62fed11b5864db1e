#pragma once
// Lines of text as one string, the way text lists are kept in project files:
// every line followed by CR LF. Reading splits at CR, LF or CR LF; a break at
// the very end starts no further line.
#include <QString>
#include <QStringList>

QString StringsToText(const QStringList& lines);
QStringList TextToStrings(const QString& text);
