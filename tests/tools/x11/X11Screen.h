#pragma once
// The X server the recording tests run on, and a window of the test's own that
// paints a changing pattern at a known place of its screen.
#include <QWidget>

// Whether the test main could start an X server; otherwise why not.
bool HaveX11Screen();
const char* NoX11Reason();

#define REQUIRE_X11_SCREEN()                                                   \
    do {                                                                       \
        if (!HaveX11Screen())                                                  \
            GTEST_SKIP() << "no X server could be started: " << NoX11Reason(); \
    } while (0)

// Lets Qt and the X server catch up for `ms` milliseconds.
void Settle(int ms = 100);

// A frameless window at (Left, Top) of the screen, Size x Size points: a grey
// field with a black block that moves right by Step pixels on every tick of
// its own timer, and the tick count in red in the corner.
class TPatternWindow : public QWidget {
public:
    static constexpr int Left = 40;
    static constexpr int Top = 30;
    static constexpr int Size = 120;
    static constexpr int Block = 20;
    static constexpr int Step = 7;

    TPatternWindow();
    int Counter() const { return FCounter; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int FCounter = 0;
};
