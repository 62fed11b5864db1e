#pragma once
// The main window's caption: "Zembra", the project file's name when there is one,
// the frame count and the pointer position over the frame:
// "Zembra - [demo.zembra] 12 frame(s) X:0 Y:0".
#include <QString>

QString MainCaption(const QString& projFile, int frameCount, const QString& framesWord, int capX, int capY);
