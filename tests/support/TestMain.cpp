// Test entry: every suite runs inside an offscreen Qt application, so fonts,
// painting and widgets work without a display. The suites of the headless
// layers run on a Gui application: nothing of theirs may need a widget.
#ifdef ZEMBRA_TEST_GUI_ONLY
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#else
#include <QApplication>
using TTestApplication = QApplication;
#endif
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
