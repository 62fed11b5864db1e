// TMainForm: start-up (FormShow), closing (FormClose), the project life cycle,
// default figure properties, caption and help.
#include "editor/MainForm.h"

#include "editor/CanvasPage.h"
#include "editor/PropertySheets.h"
#include "editor/StripPage.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/PropertyPanels.h"
#include "editor/TextMenu.h"
#include "editor/core/EditorCore.h"
#include "platform/Canvas.h"
#include "platform/ImageFiles.h"
#include "platform/InstallLayout.h"
#include "platform/KnownFolders.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSpinBox>
#include <QUrl>
#include <algorithm>

namespace {

// A file that starts like a GIF, whatever its name.
bool IsGIFFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && DetectImageKind(file.read(16)) == TImageFileKind::Gif;
}

// The placeholder of empty preview boxes: white, 140 x 118, the text centred in
// black "Times New Roman" of size 16.
TBitmap MakeNoImage(const QString& text)
{
    TBitmap bitmap(140, 118);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(TRect(0, 0, 140, 118));
    canvas.Font.Name = QStringLiteral("Times New Roman");
    canvas.Font.Size = 16;
    canvas.Font.Color = clBlack;
    canvas.TextOut((140 - canvas.TextWidth(text)) / 2, (118 - canvas.TextHeight(text)) / 2, text);
    return bitmap;
}

// A white bitmap of the given size.
TBitmap WhiteBitmap(int width, int height)
{
    TBitmap bitmap(width, height);
    bitmap.Canvas().Brush.Color = clWhite;
    bitmap.Canvas().FillRect(TRect(0, 0, width, height));
    return bitmap;
}

} // namespace

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (IsStart)
        FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Work the user chose to save but that could not be saved keeps the window open.
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TMainForm::FillMessages()
{
    Core->Msg = TMessages{};
}

void TMainForm::InitFlags()
{
    Progress().SetNotFile(true);
    StripPage->ResetScroll();
}

void TMainForm::CreateWorkObjects()
{
    BMPNo = MakeNoImage(Core->Msg.NoImg);
    Sheets().SetPlaceholder(BMPNo);
    CanvasPage->ResetCanvas(WhiteBitmap(200, 200));
}

void TMainForm::FormShow()
{
    if (!IsStart)
        return;
    FillMessages();
    InitFlags();
    CreateWorkObjects();
    ShowCaption();

    // The settings folder: Documents/Zembra, created when missing. Without a
    // Documents folder there is no settings folder (nothing is read or written).
    const QString documents = DocumentsDir.isEmpty() ? GetKnownFolderPath(TKnownFolder::Documents) : DocumentsDir;
    ZembraDir = documents.isEmpty() ? QString() : QDir(documents).filePath(QStringLiteral("Zembra"));
    if (!ZembraDir.isEmpty())
        QDir().mkpath(ZembraDir);
    Life->ZembraDir = ZembraDir;

    InitDefault();
    QString lastProject;
    if (!ZembraDir.isEmpty() && QDir(ZembraDir).exists())
        ReadSettings(&lastProject);

    // The project named on the command line, else the last one, else a new one.
    // A GIF named there ("Open with Zembra") becomes the background GIF of a
    // new project.
    QString commandLineProject;
    QString commandLineGIF;
    if (!Arguments.isEmpty() && QFileInfo(Arguments.first()).isFile()) {
        const QString file = QFileInfo(Arguments.first()).absoluteFilePath();
        (IsGIFFile(file) ? commandLineGIF : commandLineProject) = file;
    }
    if (!Life->OpenAtStart(commandLineProject, commandLineGIF.isEmpty() ? lastProject : QString()))
        ObjEn(false);
    if (!commandLineGIF.isEmpty())
        Guard([&] { Page->GIFOpenButtonClick(commandLineGIF); });
    for (QSpinBox* spin : findChildren<QSpinBox*>())
        TextMenu->Attach(spin);
    IsStart = false;
    EnBut();
}

bool TMainForm::FormClose()
{
    const bool closing = Life->CloseQuery();
    if (!ZembraDir.isEmpty() && QDir(ZembraDir).exists())
        WriteSettings();
    return closing;
}

void TMainForm::ClearProject()
{
    Panels->IsDefault = false;
    Life->ClearProject();
}

void TMainForm::SetModify(bool value)
{
    Core->Doc.SetModify(value);
    EnBut();
}

bool TMainForm::Modified() const
{
    return Core->Doc.IsModify;
}

QString TMainForm::ProjectFile() const
{
    return Core->Doc.ProjFile;
}

bool TMainForm::SavePrompt()
{
    return Life->SavePrompt();
}

void TMainForm::Guard(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        Progress().SetApply(false);
        Dialogs->ShowMessage(QString::fromUtf8(e.what()));
    }
    EnBut();
}

void TMainForm::GuardPointer(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        // The drag or selection the failed event was part of ends with it.
        Core->CancelPointer();
        Progress().SetApply(false);
        Dialogs->ShowMessage(QString::fromUtf8(e.what()));
        EnBut();
    }
}

void TMainForm::InitDefault()
{
    Core->DefaultParam.InitDefault();
}

void TMainForm::ShowDefault()
{
    Sheets().ShowDefault(Core->DefaultParam);
}

void TMainForm::ParamButtonClick()
{
    ShowDefault();
    ParamAct->setEnabled(false);
}

void TMainForm::ResetButtonClick()
{
    InitDefault();
    if (Panels->IsDefault)
        ShowDefault();
}

void TMainForm::ShowCaption()
{
    if (Life)
        setWindowTitle(Life->Caption());
}

QString TMainForm::HelpFile() const
{
    const QString folder = ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : ProgramFolder;
    return QDir(folder).filePath(QStringLiteral("Zembra.chm"));
}

QString TMainForm::GuideFile() const
{
    return GuideIndexFile(ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : ProgramFolder);
}

void TMainForm::HelpExecute()
{
    // A Windows help file beside the program still wins; Linux installs carry
    // the HTML guide, which the default browser shows.
    for (const QString& file : {HelpFile(), GuideFile()}) {
        if (QFileInfo(file).isFile()) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(file));
            return;
        }
    }
    Dialogs->ShowMessage(Core->Msg.QHelp);
}

void TMainForm::AboutExecute()
{
    if (Tools.AboutBox)
        Tools.AboutBox->open();
}
