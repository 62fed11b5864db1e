#include "cli/Usage.h"

#include "platform/BuildInfo.h"

#include <cstdio>

namespace {

const char* const GifSynopsis =
    "usage: zembra gif info FILE | frames FILE DIR [--composed] [--png-level 0..9] | make OUT.gif "
    "[--delay MS] [--loop N | --once] [--transparent RRGGBB] [--no-optimise] [--reducer popularity|quality] "
    "[--dither] IMAGE...";

const char* const RenderSynopsis =
    "usage: zembra render PROJECT.zembra [--gif OUT.gif [--no-optimise] [--reducer popularity|quality] [--dither]] "
    "[--frames DIR [--format png|jpg|gif|bmp] "
    "[--quality N]] [--save-project OUT.zembra] [--avi OUT.avi [--avi-codec DIB|MJPG] [--avi-quality 0..10000] "
    "[--avi-frame-time MS] [--avi-bits 8|24|32] [--wav FILE[@DELAY_MS]]...]";

const char* const RecordSynopsis =
    "usage: zembra record --rect X,Y,W,H --interval MS (--frames N | --seconds S) [--no-optimise] "
    "[--reducer popularity|quality] [--dither] OUT.gif";

const char* const RegsvrSynopsis = "usage: zembra regsvr [-u] LIBRARY";

const char* const GifDetails = R"(
Reads and makes GIF files without a display.
  info FILE              print the header line and one line per frame
  frames FILE DIR        write each frame as DIR/frame0001.png ...
    --composed           write the frames as a viewer shows them
    --png-level N        PNG compression 0..9 (default 1, fast; 9 is smallest)
  make OUT.gif IMAGE...  make an animated GIF of PNG, JPEG, BMP or GIF images
    --delay MS           duration of every frame in milliseconds (default 100)
    --loop N             repeat N times (0, the default, loops forever)
    --once               write no loop block
    --transparent RRGGBB make that colour transparent in every frame
    --no-optimise        write every frame whole, not only what changed
    --reducer KIND       colour reduction of frames of more than 256 colours:
                         quality (the default) or popularity
    --dither             diffuse the reduction's error (larger files))";

const char* const RenderDetails = R"(
Opens a project, redraws every frame and writes what is asked, without a display.
  --gif OUT.gif             the animation as a GIF
  --no-optimise             ... with every frame whole, not only what changed
  --reducer quality|popularity  colour reduction of frames of more than 256 colours
  --dither                  diffuse the reduction's error (larger files)
  --frames DIR              each frame as DIR/Image1.png ...
  --format png|jpg|gif|bmp  the frames' file format (default png)
  --quality N               JPEG quality 1..100 (default 77)
  --save-project OUT.zembra a copy of the project with its folder
  --avi OUT.avi             the frames as an AVI video, as "Save AVI" does
  --avi-codec DIB|MJPG      full frames or Motion-JPEG
  --avi-quality 0..10000    the compressor's quality
  --avi-frame-time MS       the duration of each frame
  --avi-bits 8|24|32        the frames' depth
  --wav FILE[@DELAY_MS]     a wave file for the sound track (repeatable)
Options not given take the project's own settings.)";

const char* const RegsvrDetails = R"(
Registers the AVI-writer control LIBRARY (libZembraAviWriter.so) for this user.
  -u               unregister it instead)";

const char* const RecordDetails = R"(
Records a rectangle of the X11 screen of $DISPLAY (in a Wayland session: of what
the desktop shares through its screen-cast portal) into an animated GIF.
  --rect X,Y,W,H   the rectangle, in screen pixels
  --interval MS    one frame every MS milliseconds (10..1000000)
  --frames N       stop after N frames
  --seconds S      stop after S seconds
  --no-optimise    write every frame whole, not only what changed
  --reducer KIND   quality (the default) or popularity, for frames of more than 256 colours
  --dither         diffuse the reduction's error (larger files))";

const char* const ProgramText = R"(usage: zembra [OPTION]... [PROJECT.zembra | ANIMATION.gif]
       zembra gif info FILE
       zembra gif frames FILE DIR [--composed] [--png-level 0..9]
       zembra gif make OUT.gif [--delay MS] [--loop N | --once] [--transparent RRGGBB] [--no-optimise] IMAGE...
       zembra render PROJECT.zembra [--gif OUT.gif] [--frames DIR] [--avi OUT.avi] [OPTION]...
       zembra record --rect X,Y,W,H --interval MS (--frames N | --seconds S) OUT.gif
       zembra regsvr [-u] LIBRARY

Zembra, an editor for animated GIFs. Without a command it opens the editor with
PROJECT.zembra, or with a new project whose background is ANIMATION.gif, or else
with the project that was open when it was last closed.

Options:
  -h, --help     print this help and exit
  -V, --version  print the version and exit
The window also takes Qt's options (-platform NAME, -style NAME, -display DISPLAY ...).

Commands run without a display; "zembra COMMAND --help" lists a command's options.
Exit status: 0 done, 1 failed (a one-line message on stderr), 2 unknown option.
More in zembra(1) and in the user's guide (F1 in the editor).)";

} // namespace

QString VersionLine()
{
    return QStringLiteral("zembra " ZEMBRA_VERSION);
}

QString ProgramHelp()
{
    return QString::fromUtf8(ProgramText);
}

QString CommandSynopsis(TCommand command)
{
    switch (command) {
    case TCommand::Gif: return QString::fromUtf8(GifSynopsis);
    case TCommand::Render: return QString::fromUtf8(RenderSynopsis);
    case TCommand::Record: return QString::fromUtf8(RecordSynopsis);
    case TCommand::Regsvr: return QString::fromUtf8(RegsvrSynopsis);
    }
    return {};
}

QString CommandHelp(TCommand command)
{
    const char* details = command == TCommand::Gif      ? GifDetails
                          : command == TCommand::Render ? RenderDetails
                          : command == TCommand::Regsvr ? RegsvrDetails
                                                        : RecordDetails;
    return CommandSynopsis(command) + QString::fromUtf8(details);
}

int ReportUnknownOption(const QString& command, const QString& option, const QString& synopsis)
{
    const QString who = command.isEmpty() ? QStringLiteral("zembra") : QStringLiteral("zembra ") + command;
    const QString text = QStringLiteral("%1: unknown option %2\n%3\n").arg(who, option, synopsis);
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return UsageErrorStatus;
}

bool LooksLikeOption(const QString& arg)
{
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

int PrintAndSucceed(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}
