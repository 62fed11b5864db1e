// Entry of the recording tests: starts an Xvfb on a free display, then a Qt
// application on it (xcb). Without an X server the tests skip with the reason.
#include "tests/tools/x11/X11Screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QThread>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Reason = "not started";
bool Started = false;

// The Xvfb of this process: it picks a free display itself and writes its
// number to our pipe once it accepts clients. Ended when the tests are done.
class TXvfb {
public:
    bool Start()
    {
        int fds[2];
        if (pipe(fds) != 0) {
            Reason = "no pipe";
            return false;
        }
        fPid = fork();
        if (fPid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (fPid < 0) {
            close(fds[0]);
            Reason = "could not fork";
            return false;
        }
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (number.find('\n') == std::string::npos && poll(&p, 1, 15000) > 0 && read(fds[0], &c, 1) == 1)
            number += c;
        close(fds[0]);
        while (!number.empty() && (number.back() == '\n' || number.back() == ' '))
            number.pop_back();
        if (number.empty()) {
            Reason = "Xvfb is missing or gave no display";
            Stop();
            return false;
        }
        setenv("DISPLAY", (":" + number).c_str(), 1);
        return true;
    }
    void Stop()
    {
        if (fPid <= 0)
            return;
        kill(fPid, SIGTERM);
        waitpid(fPid, nullptr, 0);
        fPid = -1;
    }
    ~TXvfb() { Stop(); }

private:
    pid_t fPid = -1;
};

} // namespace

bool HaveX11Screen()
{
    return Started;
}

const char* NoX11Reason()
{
    return Reason.c_str();
}

void Settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

TPatternWindow::TPatternWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
{
    setGeometry(Left, Top, Size, Size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    startTimer(15, Qt::PreciseTimer);
}

void TPatternWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(200, 200, 200));
    const int x = (FCounter * Step) % (Size - Block);
    painter.fillRect(x, Size / 2, Block, Block, Qt::black);
    painter.setPen(Qt::red);
    painter.drawText(4, 16, QString::number(FCounter));
}

void TPatternWindow::timerEvent(QTimerEvent*)
{
    ++FCounter;
    repaint(); // at once, so the screen follows the counter
}

int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    TXvfb xvfb;
    if (!listing)
        Started = xvfb.Start();
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("XDG_SESSION_TYPE");
    setenv("QT_QPA_PLATFORM", Started ? "xcb" : "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
