#pragma once
#include <QStringList>

// "zembra gif info|frames|make ...": args holds what follows "gif".
int RunGifCommand(const QStringList& args);
