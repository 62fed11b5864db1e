// The main window's tool commands: "GIF from Images" opens the wizard beside
// the window; "Screen Record" hides the window behind the recording window;
// "Extract Frames" and "Save AVI" bring the frames up to date and show their
// windows modally.
#include "editor/MainForm.h"

#include "editor/core/EditorCore.h"

#include <QAction>
#include <QDialog>

void TMainForm::BuildToolsWiring()
{
    if (IsToolsWired)
        return;
    IsToolsWired = true;
    connect(GIFFromImagesAct, &QAction::triggered, this, [this] { Guard([this] { GIFFromImagesActExecute(); }); });
    connect(ScreenRecordAct, &QAction::triggered, this, [this] { Guard([this] { ScreenRecordActExecute(); }); });
    connect(ExtractFramesAct, &QAction::triggered, this, [this] { Guard([this] { ExtractFramesActExecute(); }); });
    connect(SaveAVIAct, &QAction::triggered, this, [this] { Guard([this] { SaveAVIActExecute(); }); });
}

void TMainForm::GIFFromImagesActExecute()
{
    if (!Tools.GIFFromImages || !Tools.GIFFromImagesForm)
        return;
    Tools.GIFFromImages->Init();
    Tools.GIFFromImagesForm->show();
    Tools.GIFFromImagesForm->raise();
    Tools.GIFFromImagesForm->activateWindow();
}

void TMainForm::ScreenRecordActExecute()
{
    if (!Tools.ScreenForm)
        return;
    hide();
    Tools.ScreenForm->show();
    Tools.ScreenForm->raise();
    Tools.ScreenForm->activateWindow();
}

void TMainForm::ExtractFramesActExecute()
{
    if (!Tools.Extract || !Tools.ExtractForm)
        return;
    Core->ConfirmRedraw();
    Tools.Extract->PrepareShow();
    Tools.ExtractForm->exec();
    EnBut();
}

void TMainForm::SaveAVIActExecute()
{
    if (!Tools.ToAVI || !Tools.ToAVIForm)
        return;
    Core->ConfirmRedraw();
    if (Tools.ToAVI->PrepareShow())
        Tools.ToAVIForm->exec();
    EnBut();
}
