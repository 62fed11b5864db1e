// TMainForm: the settings file - window geometry, panel sizes, last project and
// default figure properties.
#include "editor/MainForm.h"

#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"

#include "editor/CanvasPage.h"
#include "editor/OptionsSheet.h"
#include "editor/StripPage.h"

#include <QDir>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSplitter>

namespace {

constexpr uint8_t StateNormal = 0;
constexpr uint8_t StateMinimized = 1;
constexpr uint8_t StateMaximized = 2;

// Gives the second pane of a splitter the size wanted (the first takes the rest),
// within what the splitter's panes allow.
void SetSecondPaneSize(QSplitter* splitter, int wanted)
{
    const QList<int> sizes = splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0 || wanted <= 0)
        return;
    const int second = std::min(wanted, total);
    splitter->setSizes({total - second, second});
}

// Whether any part of the rectangle lies on a screen.
bool OnSomeScreen(const QRect& rect)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen* screen : screens)
        if (screen->availableGeometry().intersects(rect))
            return true;
    return false;
}

} // namespace

QString TMainForm::SettingsPath() const
{
    return ZembraDir.isEmpty() ? QString() : QDir(ZembraDir).filePath(SettingsFileName);
}

bool TMainForm::ReadSettings(QString* lastProject)
{
    TWindowSettings window;
    const QString path = SettingsPath();
    if (path.isEmpty() || !LoadSettingsFile(path, window, Core->DefaultParam))
        return false;
    ApplyWindowSettings(window);
    if (lastProject)
        *lastProject = window.LastProject;
    return true;
}

bool TMainForm::WriteSettings()
{
    const QString path = SettingsPath();
    return !path.isEmpty() && SaveSettingsFile(path, CurrentWindowSettings(), Core->DefaultParam);
}

TWindowSettings TMainForm::CurrentWindowSettings() const
{
    TWindowSettings w;
    w.WindowState = isMinimized() ? StateMinimized : isMaximized() ? StateMaximized : StateNormal;
    // A maximised or minimised window keeps the place it returns to.
    const QRect normal = (isMinimized() || isMaximized()) && normalGeometry().isValid() ? normalGeometry() : geometry();
    const QPoint topLeft = (isMinimized() || isMaximized()) ? normal.topLeft() : pos();
    w.Left = topLeft.x();
    w.Top = topLeft.y();
    w.Width = normal.width();
    w.Height = normal.height();
    w.PropertyPanelWidth = CanvasPage->PropertyPanelWidth();
    w.FrameStripHeight = StripPage->FramesImageHeight();
    w.LastProject = Core->Doc.ProjFile;
    w.OptimiseGIF = Page->OptimiseGIF;
    return w;
}

void TMainForm::ApplyWindowSettings(const TWindowSettings& w)
{
    Page->OptimiseGIF = w.OptimiseGIF;
    OptionsSheet->ShowOptimise(w.OptimiseGIF);
    // Sizes that no window can have keep the designed size; a place off every
    // screen keeps the window where it is, so that it can always be seen.
    if (w.Width > 0 && w.Height > 0 && w.Width <= QWIDGETSIZE_MAX && w.Height <= QWIDGETSIZE_MAX)
        resize(w.Width, w.Height);
    const QRect wanted(QPoint(w.Left, w.Top), size());
    if (OnSomeScreen(wanted))
        move(wanted.topLeft());

    // Panel sizes need the new window size laid out first.
    if (QLayout* mainLayout = layout())
        mainLayout->activate();
    if (QLayout* central = centralWidget()->layout())
        central->activate();
    SetSecondPaneSize(CanvasPage->Splitter(), w.PropertyPanelWidth);
    if (w.FrameStripHeight > 0)
        SetSecondPaneSize(BottomSplitter, w.FrameStripHeight + StripPage->height() - StripPage->FramesImageHeight());

    if (w.WindowState == StateMaximized)
        setWindowState(Qt::WindowMaximized);
    else if (w.WindowState == StateMinimized)
        setWindowState(Qt::WindowMinimized);
}
