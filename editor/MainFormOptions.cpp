// TMainForm: the "Options" page and the project commands wired to their logic
// (TOptionsPage, TProjectLife).
#include "editor/MainForm.h"

#include "editor/OptionsSheet.h"
#include "editor/PropertySheets.h"
#include "editor/StripPage.h"
#include "editor/CanvasPage.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/PropertyPanels.h"

#include <QAction>
#include <QTabWidget>
#include <algorithm>

void TMainForm::BuildOptionsWiring()
{
    Page = std::make_unique<TOptionsPage>(*Core);
    Page->Changed = [this] { ShowOptionsPage(); };

    OptionsSheet->Wire(*Page, [this](const std::function<void()>& command) { Guard(command); });
    connect(OpenGIFAct, &QAction::triggered, OptionsSheet, &TOptionsSheet::OpenGIF);
    connect(SaveGIFAct, &QAction::triggered, this, [this] { Guard([this] { Page->SaveGIFButtonClick(); }); });
    connect(SaveFrameAct, &QAction::triggered, this, [this] { Guard([this] { Page->SaveFrameButtonClick(); }); });
}

void TMainForm::BuildProjectWiring()
{
    Life = std::make_unique<TProjectLife>(*Core, *Page);
    Life->ProjectShown = [this] { ProjectShown(); };
    Life->ProjectCleared = [this] {
        if (Tools.GIFFromImages)
            Tools.GIFFromImages->Reset();
    };

    connect(NewProjectAct, &QAction::triggered, this, [this] {
        Guard([this] {
            Panels->IsDefault = false;
            Life->NewProjectButtonClick();
        });
    });
    connect(OpenProjectAct, &QAction::triggered, this, [this] {
        Guard([this] {
            Panels->IsDefault = false;
            Life->OpenProjectButtonClick();
        });
    });
    connect(SaveAct, &QAction::triggered, this, [this] { Guard([this] { Life->SaveActExecute(); }); });
    connect(SaveAsProjectAct, &QAction::triggered, this, [this] { Guard([this] { Life->SaveAsProjectButtonClick(); }); });

    // The shown pages are stored with the project.
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) { Core->Doc.Options.MainPage = index; });
    connect(&Sheets(), &QTabWidget::currentChanged, this, [this] {
        if (Sheets().currentWidget())
            Core->Doc.Options.FigurePage = Sheets().CurrentSheetNumber();
    });
}

void TMainForm::ShowOptionsPage()
{
    OptionsSheet->Show(*Page, Core->Doc.Animation.BackBMP, BMPNo);
    StripPage->ShowCurrentDelay(Page->Options().CurrentFrameDelay);
}

void TMainForm::ProjectShown()
{
    ShowOptionsPage();
    const TProjectOptions& o = Core->Doc.Options;
    PageControl->setCurrentIndex(std::clamp(int(o.MainPage), 0, PageControl->count() - 1));
    Sheets().SetCurrentSheetNumber(int(o.FigurePage));
    Core->RedrawStrip(); // at the strip position the project was saved with
    ObjEnCount();
    SetGoTo();
    ResizeAnim();
    ShowCaption();
    EnBut();
}
