#pragma once
// "zembra regsvr [-u] LIBRARY": registers an in-process server (its
// DllRegisterServer) for this user, or with -u unregisters it, as regsvr32
// does on Windows. Returns the exit status.
#include <QStringList>

int RunRegsvrCommand(const QStringList& args);
