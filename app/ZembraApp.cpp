#include "app/ZembraApp.h"

#include "editor/ApplyForm.h"
#include "editor/QtDialogs.h"
#include "editor/SkyStyle.h"
#include "editor/core/Messages.h"
#include "platform/BuildInfo.h"
#include "platform/SingleInstance.h"
#include "tools/AboutBox.h"
#include "tools/ColorForm.h"
#include "tools/DesktopForm.h"
#include "tools/ExtractForm.h"
#include "tools/FolderForm.h"
#include "tools/GIFFromImagesForm.h"
#include "tools/ScreenForm.h"
#include "tools/ToAVIForm.h"
#include "tools/ToolHost.h"

#include <QApplication>
#include <QIcon>

TZembraWindows CreateWindows(TDialogs& dialogs, const QStringList& arguments, const QString& documentsDir)
{
    TZembraWindows windows;
    windows.MainForm = std::make_unique<TMainForm>(dialogs, arguments, documentsDir);
    TMainForm* main = windows.MainForm.get();
    TToolWindows& tools = windows.Tools;
    auto* screenForm = new TScreenForm(main);
    tools.ScreenForm = screenForm;
    auto* desktopForm = new TDesktopForm(main);
    tools.DesktopForm = desktopForm;
    screenForm->SetDesktopForm(desktopForm);
    tools.ApplyForm = new TApplyForm(main);
    auto* extractForm = new TExtractForm(main);
    tools.ExtractForm = extractForm;
    tools.AboutBox = new TAboutBox(main);
    auto* folderForm = new TFolderForm(main);
    tools.FolderForm = folderForm;
    auto* aviForm = new TToAVIForm(main);
    tools.ToAVIForm = aviForm;
    auto* gifForm = new TGIFFromImagesForm(main);
    tools.GIFFromImagesForm = gifForm;
    tools.ColorForm = new TColorForm(main);
    tools.GIFFromImages = gifForm;
    tools.Extract = extractForm;
    tools.ToAVI = aviForm;
    main->SetToolWindows(tools);
    // The tools reach the project through the main window's core and page.
    const TToolHost host{&main->EditorCore(), &main->OptionsPage(), folderForm};
    folderForm->SetDialogs(&dialogs);
    gifForm->SetHost(host);
    extractForm->SetHost(host);
    screenForm->SetHost(host);
    aviForm->SetHost(host);
    return windows;
}

QString SecondInstanceMessage()
{
    return QAlreadyRunning;
}

QString StyleFailureMessage()
{
    return QStringLiteral("The visual style \"Sky\" could not be applied.");
}

int RunZembra(int argc, char** argv)
{
    // The thread locale (Russian) has no counterpart here. The application object
    // comes first, as any message needs it.
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zembra"));
    QApplication::setApplicationVersion(QStringLiteral(ZEMBRA_VERSION));
    // Ties the windows to the installed desktop entry (its icon, its name).
    QGuiApplication::setDesktopFileName(QStringLiteral(ZEMBRA_APP_ID));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/org.zembra.Zembra.png").arg(size));
    QApplication::setWindowIcon(icon);
    TQtDialogs dialogs;

    TSingleInstance instance;
    if (instance.TryAcquire() == TSingleInstance::TResult::AlreadyRunning) {
        dialogs.ShowMessage(SecondInstanceMessage());
        return 0;
    }

    if (!ApplySkyStyle(application))
        dialogs.ShowMessage(StyleFailureMessage());

    TZembraWindows windows = CreateWindows(dialogs, QApplication::arguments().mid(1));
    dialogs.SetParent(windows.MainForm.get());
    if (auto* colorForm = qobject_cast<TColorForm*>(windows.Tools.ColorForm))
        dialogs.SetColorPicker([colorForm](std::span<const TColor> palette, TColor current) {
            return colorForm->Pick(palette, current);
        });
    windows.MainForm->show();
    return application.exec();
}
