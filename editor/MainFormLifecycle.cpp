// TMainForm: start-up (FormShow), closing (FormClose), the project life cycle,
// default figure properties, caption and help.
#include "editor/MainForm.h"

#include "editor/ColorShape.h"
#include "editor/ImagePanel.h"
#include "editor/core/Caption.h"
#include "editor/core/EditorCore.h"
#include "platform/Canvas.h"
#include "platform/KnownFolders.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QUrl>
#include <algorithm>

namespace {

const QString ProjectFilter = QStringLiteral("Projects (*.zembra)|*.zembra|All Files (*.*)|*.*");

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

void SetComboIndex(QComboBox* combo, int index)
{
    combo->setCurrentIndex(std::clamp(index, 0, combo->count() - 1));
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
    Msg = TMessages{};
}

void TMainForm::InitFlags()
{
    IsProject = false;
    IsRead = false;
    IsCnt = true;
    IsBtnCnt = true;
    IsGo = true;
    IsGIFDraw = true;
    IsFramePanel = true;
    IsResize = false;
    IsCoord = true;
    Progress().SetNotFile(true);
    IsRedraw = true;
    IsParam = true;
    IsEditorResize = true;
    IsMouseDown = false;
    IsOldObj = false;
    BackNum = -1;
    FramesScrollBar->setRange(0, 0);
    FramesScrollBar->setValue(0);
    ImgWidth = 0;
    ImgHeight = 0;
    AnInt = 50;
    CapX = 0;
    CapY = 0;
    ProjFile.clear();
}

void TMainForm::CreateWorkObjects()
{
    BMPNo = MakeNoImage(Msg.NoImg);
    IBMP = WhiteBitmap(200, 200);
    FramePanel->move(0, 0);
    FramePanel->setFixedSize(200, 200);
    FramePanel->setCursor(Qt::CrossCursor);
    FramePanel->SetPicture(IBMP);
}

void TMainForm::FormShow()
{
    if (!IsStart)
        return;
    FillMessages();
    InitFlags();
    ShowCaption();
    CreateWorkObjects();

    // The settings folder: Documents/Zembra, created when missing. Without a
    // Documents folder there is no settings folder (nothing is read or written).
    bool opened = false;
    const QString documents = DocumentsDir.isEmpty() ? GetKnownFolderPath(TKnownFolder::Documents) : DocumentsDir;
    ZembraDir = documents.isEmpty() ? QString() : QDir(documents).filePath(QStringLiteral("Zembra"));
    if (!ZembraDir.isEmpty())
        QDir().mkpath(ZembraDir);

    ClearProject();

    if (!Arguments.isEmpty() && QFileInfo(Arguments.first()).isFile()) {
        ProjFile = QFileInfo(Arguments.first()).absoluteFilePath();
        if (ReadProject(ProjFile)) {
            IsProject = true;
            SetModifyFalse();
            ShowCaption();
            opened = true;
        }
    }

    InitDefault();

    if (!ZembraDir.isEmpty() && QDir(ZembraDir).exists()) {
        const QString commandLineProject = ProjFile;
        ReadSettings();
        if (opened) {
            ProjFile = commandLineProject; // the stored last project does not replace it
        } else if (!ProjFile.isEmpty() && QFileInfo(ProjFile).isFile() && ReadProject(ProjFile)) {
            IsProject = true;
            SetModifyFalse();
            ShowCaption();
            opened = true;
        }
    }

    if (!opened) {
        ObjEn(false);
        NewProject();
        SaveGIFParam();
    }
    IsStart = false;
}

bool TMainForm::FormClose()
{
    const bool saved = SavePrompt();
    if (!ZembraDir.isEmpty() && QDir(ZembraDir).exists())
        WriteSettings();
    return saved;
}

void TMainForm::ClearProject()
{
    ObjEn(false);
    BackNum = -1;
    SelCen = false;
    IsDel = true;
    IsProject = true;
    IsChRot = true;
    Progress().SetApply(true);
    IsChDelay = false;
    IsFrOper = false;
    IsDefault = false;
    Progress().SetShowApply(false);
    IsRedrawFrames = false;
    IsSelRec = false;
    IsShift = false;
    FrCount = 0;
    ImgH = 0;
    OldPos = 0;
    ImgWidth = 200;
    ImgHeight = 200;
    PropWidth = 200;
    PropHeight = 200;
    AnInt = 50;
    QRow = 0;
    OldFrame = -1;
    CurIndex = -2;

    // Canvas and its bitmap 200 x 200, white.
    IBMP = WhiteBitmap(200, 200);
    FramePanel->setFixedSize(200, 200);
    FramePanel->SetPicture(IBMP);
    Core->Msg = Msg;
    Core->ClearProject(); // the project, the animation and the canvas the core draws

    // The "Options" page back to a new project's values.
    GIFImage->SetPicture(BMPNo);
    PictureImage->SetPicture(BMPNo);
    GIFDimensionsLabel->clear();
    BackFramesCountLabel->clear();
    PictureDimensionsLabel->clear();
    BackColorShape->SetColor(clWhite);
    BackWidthSpin->setValue(200);
    BackHeightSpin->setValue(200);
    ProportionalCheck->setChecked(true);
    IsParam = false;
    BackTransparentCheck->setChecked(false);
    IsParam = true;
    FrameDelaySpin->setValue(50);
    InfinityCheck->setChecked(true);
    TimesSpin->setValue(1);
    IsChGoTo = false;
    CurrentFrameDelaySpin->setValue(50);
    IsChGoTo = true;
    PageControl->setCurrentIndex(0);
    DrawObjectControl->setCurrentIndex(0);

    SetModifyFalse();
    ProjFile.clear();
    ShowCaption();
    FramesScrollBar->setRange(0, 0);
    FramesScrollBar->setValue(0);
}

void TMainForm::NewProject()
{
    ClearProject();
    Core->AddFrames(0); // the first frame, as "Add Frame" makes it
    Core->Doc.OldFrame = 0;
    Core->Doc.IsFrOper = false;
    OldFrame = 0;
    IsFrOper = false;
    SetGoTo();
    EnBut();
}

void TMainForm::SaveGIFParam()
{
    GIFTransparent = BackTransparentCheck->isChecked();
    GIFLoop = InfinityCheck->isChecked();
    GIFWidth = BackWidthSpin->value();
    GIFHeight = BackHeightSpin->value();
    GIFRepeatCount = TimesSpin->value();
    GIFBackColor = BackColorShape->Color();
}

void TMainForm::LoadGIFParam()
{
    IsParam = false;
    BackTransparentCheck->setChecked(GIFTransparent);
    IsParam = true;
    InfinityCheck->setChecked(GIFLoop);
    BackWidthSpin->setValue(GIFWidth);
    BackHeightSpin->setValue(GIFHeight);
    TimesSpin->setValue(GIFRepeatCount);
    BackColorShape->SetColor(GIFBackColor);
}

bool TMainForm::ReadProject(const QString&)
{
    return false; // no project reader yet: every project fails to open
}

bool TMainForm::WriteProject(const QString&)
{
    return false; // no project writer yet: every save fails and says so
}

void TMainForm::SetModify(bool value)
{
    Core->Doc.SetModify(value);
    IsModify = value;
    SaveAct->setEnabled(value);
}

bool TMainForm::SavePrompt()
{
    if (IsModify && Dialogs->AskYesNo(Msg.QSaveChanges))
        return SaveActExecute();
    return true;
}

bool TMainForm::SaveActExecute()
{
    if (ProjFile.isEmpty())
        return SaveAsProjectButtonClick();
    if (WriteProject(ProjFile)) {
        SetModifyFalse();
        return true;
    }
    Dialogs->ShowMessage(Msg.QNotSaved);
    return false;
}

bool TMainForm::SaveAsProjectButtonClick()
{
    TFileDialogRequest request;
    request.Filter = ProjectFilter;
    request.DefaultExt = QStringLiteral("zembra");
    request.OverwritePrompt = true;
    if (QDir(ZembraDir).exists())
        request.InitialDir = ZembraDir;
    const auto chosen = Dialogs->SaveFile(request);
    if (!chosen)
        return false;
    if (!WriteProject(chosen->FileName)) {
        Dialogs->ShowMessage(Msg.QPrNotSaved);
        return false;
    }
    IsModify = false;
    SaveAct->setEnabled(false);
    ProjFile = chosen->FileName;
    ShowCaption();
    return true;
}

void TMainForm::NewProjectButtonClick()
{
    if (!SavePrompt())
        return; // the work the user wanted saved is kept
    NewProject();
}

void TMainForm::OpenProjectButtonClick()
{
    if (!SavePrompt())
        return;
    TFileDialogRequest request;
    request.Filter = ProjectFilter;
    request.MustExist = true;
    if (QDir(ZembraDir).exists())
        request.InitialDir = ZembraDir;
    const auto chosen = Dialogs->OpenFile(request);
    if (!chosen)
        return;
    ClearProject();
    if (ReadProject(chosen->FileName)) {
        IsProject = true;
        SetModifyFalse();
        ProjFile = chosen->FileName;
        ShowCaption();
    } else {
        NewProject();
        Dialogs->ShowMessage(Msg.QPrNotOpen);
    }
}

void TMainForm::ObjEn(bool single)
{
    ParamAct->setEnabled(true);
    DrawObjectControl->setVisible(single);
}

void TMainForm::InitDefault()
{
    DefaultParam.InitDefault();
}

void TMainForm::ShowDefault()
{
    IsDefault = true;
    IsDel = false;
    IsCoord = false;
    IsBtnCnt = false;

    const int animationPage = DrawObjectControl->indexOf(AnimationSheet);
    for (int i = 0; i < DrawObjectControl->count(); ++i)
        DrawObjectControl->setTabVisible(i, i != animationPage);
    NodesGroup->hide();
    CenterButton->hide();
    WidthSpin->show();
    HeightSpin->show();

    const TDefaultParam& d = DefaultParam;
    LeftSpin->setValue(d.Left);
    TopSpin->setValue(d.Top);
    WidthSpin->setValue(d.Width);
    HeightSpin->setValue(d.Height);
    AngleSpin->setValue(d.Angle);
    CenterCheck->setChecked(d.Center);
    XSpin->setValue(d.PointX);
    YSpin->setValue(d.PointY);
    XSpin->setEnabled(!d.Center);
    YSpin->setEnabled(!d.Center);
    FigureColorShape->SetColor(d.BackColor);
    ShadowColorShape->SetColor(d.ShadowColor);
    BorderColorShape->SetColor(d.BorderColor);
    BorderWidthSpin->setMinimum(0);
    BorderWidthSpin->setValue(d.BorderWidth);
    ShadowWidthSpin->setValue(d.ShadowWidth);
    PaddingSpin->setValue(d.Padding);
    TextMemo->setPlainText(d.TextValue);
    FontDialogFont.Name = d.TextName;
    FontDialogFont.Size = d.TextSize;
    FontDialogFont.Color = d.TextColor;
    FontDialogFont.Style = d.TextStyle;
    SetComboIndex(OutlineCombo, d.TextFill);
    SetComboIndex(SpeechCombo, d.TextSpeech);
    SetComboIndex(OrientationCombo, d.Orient);
    AutoCenterCheck->setChecked(d.ChCn);
    LineCheck->setChecked(d.Line);
    ImageTransparentCheck->setChecked(d.Transparent);
    DrawObjectImage->SetPicture(BMPNo);

    DrawObjectControl->setCurrentWidget(CoordinatesSheet);
    DrawObjectControl->show();

    IsCoord = true;
    IsBtnCnt = true;
    IsDel = true;
}

void TMainForm::ParamButtonClick()
{
    ShowDefault();
    ParamAct->setEnabled(false);
}

void TMainForm::ResetButtonClick()
{
    InitDefault();
    if (IsDefault)
        ShowDefault();
}

void TMainForm::ShowCaption()
{
    setWindowTitle(MainCaption(ProjFile, AnimationFrameCount(), Msg.QFrames1, CapX, CapY));
}

QString TMainForm::HelpFile() const
{
    const QString folder = ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : ProgramFolder;
    return QDir(folder).filePath(QStringLiteral("Zembra.chm"));
}

void TMainForm::HelpExecute()
{
    const QString file = HelpFile();
    if (QFileInfo(file).isFile())
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    else
        Dialogs->ShowMessage(Msg.QHelp);
}
