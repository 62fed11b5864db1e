#pragma once
#include <QStringList>

// "zembra record --rect X,Y,W,H --interval MS (--frames N | --seconds S) OUT.gif":
// records that rectangle of the screen of $DISPLAY into an animated GIF; in a
// Wayland session, of the screen or window shared through the desktop's portal.
// args holds what follows "record".
int RunRecordCommand(const QStringList& args);
