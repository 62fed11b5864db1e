// Screen recording figures, under an X server ($DISPLAY, e.g. Xvfb):
//   bench_record --pattern SECONDS
//       shows an 800 x 600 window at (0, 0) whose picture changes all the time
//       (a shifting colour gradient, moving discs, a counter);
//   bench_record --editor SECONDS [--interval MS]
//       records (0, 0, 800 x 600) through the "Screen Record" window into a
//       project, stops, lets the editor load the frames, and prints the frames,
//       the frames per second reached and the peak memory while recording and
//       after loading.
// bench/measure-record.sh runs both and "zembra record" under one Xvfb.
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "platform/ScriptedDialogs.h"
#include "tools/DesktopForm.h"
#include "tools/ScreenForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <sys/resource.h>

namespace {

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class TPattern : public QWidget {
public:
    TPattern() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
    {
        setGeometry(0, 0, 800, 600);
        setAttribute(Qt::WA_OpaquePaintEvent);
        startTimer(20, Qt::PreciseTimer);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, width(), height());
        g.setColorAt(0, QColor::fromHsv((fTick * 3) % 360, 200, 230));
        g.setColorAt(1, QColor::fromHsv((fTick * 3 + 180) % 360, 200, 120));
        p.fillRect(rect(), g);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 12; ++i) {
            p.setBrush(QColor::fromHsv((i * 30 + fTick) % 360, 255, 255));
            p.drawEllipse(QPoint((fTick * (3 + i) + i * 67) % 800, 50 + i * 45), 30, 30);
        }
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 40));
        p.drawText(20, 580, QString::number(fTick));
    }
    void timerEvent(QTimerEvent*) override
    {
        ++fTick;
        update();
    }

private:
    int fTick = 0;
};

int Pattern(QApplication& app, int seconds)
{
    TPattern pattern;
    pattern.show();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}

int Editor(QApplication& app, int seconds, int interval)
{
    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
    TOptionsPage page{core};
    core.NewProject();
    QWidget main;
    auto* form = new TScreenForm(&main);
    form->SetDesktopForm(new TDesktopForm(&main));
    form->SetHost(TToolHost{&core, &page, nullptr});
    form->show();
    form->Spin->setValue(interval);
    form->SetRect(TRect(0, 0, 799, 599));
    const long before = PeakKiB();
    QElapsedTimer clock;
    QTimer::singleShot(500, form, [&] {
        clock.start();
        form->RecordButtonClick();
    });
    long recording = 0;
    double elapsed = 0;
    QTimer::singleShot(500 + seconds * 1000, form, [&] {
        elapsed = clock.elapsed() / 1000.0;
        recording = PeakKiB();
        form->RecordButtonClick(); // stops and loads
        app.quit();
    });
    app.exec();
    const TZGIFImage& back = core.Doc.Animation.BackGIF;
    std::printf("editor: %d frames of %dx%d in %.2f s: %.1f frames per second (%.1f asked)\n", back.Count(),
                back.ScreenWidth(), back.ScreenHeight(), elapsed, back.Count() / elapsed, 1000.0 / interval);
    std::printf("editor: peak memory %ld MiB before, %ld MiB while recording, %ld MiB after loading the frames\n",
                before / 1024, recording / 1024, PeakKiB() / 1024);
    for (const QString& message : dialogs.Messages())
        std::printf("message: %s\n", message.toUtf8().constData());
    return back.Count() > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int seconds = args.size() > 2 ? args[2].toInt() : 0;
    const int at = int(args.indexOf(QStringLiteral("--interval")));
    const int interval = at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : 50;
    if (seconds > 0 && interval >= 10 && args[1] == QStringLiteral("--pattern"))
        return Pattern(app, seconds);
    if (seconds > 0 && interval >= 10 && args[1] == QStringLiteral("--editor"))
        return Editor(app, seconds, interval);
    std::fputs("usage: bench_record --pattern SECONDS | --editor SECONDS [--interval MS]\n", stderr);
    return 2;
}
