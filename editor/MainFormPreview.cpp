// TMainForm: the "Preview" page wired to the editor core, going to a frame,
// "Redraw Frames", "Add Frame" and "Go to Frame #".
#include "editor/MainForm.h"

#include "editor/PreviewPage.h"
#include "editor/StripPage.h"
#include "editor/ZGIFAnimator.h"
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"

#include <QAction>
#include <QTabWidget>

void TMainForm::BuildPreviewWiring()
{
    PreviewPage->Wire(*Core, [this](const std::function<void()>& command) { Guard(command); },
                      [this](int index) { GoToFrame(index); });
    PreviewPage->PanelResized = [this] { ResizeAnim(); };
    TZGIFAnimator* animator = PreviewPage->Animator();
    connect(animator, &TZGIFAnimator::OnChange, this, [this, animator] {
        if (!animator->Animate())
            ShowCaption();
    });
    connect(animator, &TZGIFAnimator::OnStop, this, [this] { EnBut(); });

    connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl->widget(index) == PreviewPage && !IsStart) {
            Core->DrawOld(); // the figures' state goes into the shown frame
            ResizeAnim();
        }
    });

    connect(RedrawAct, &QAction::triggered, this, [this] {
        Guard([this] {
            Core->RedrawButtonClick();
            SetGoTo();
            SetCurrentDelay();
        });
    });
    connect(AddFrameAct, &QAction::triggered, this, [this] { Guard([this] { Core->AddFrameButtonClick(); }); });
    StripPage->GoTo = [this](int value) { GoSpinExit(value); };
}

void TMainForm::GoSpinExit(int value)
{
    if (Core->IsChGoTo()) {
        IsGo = false;
        GoToFrame(value - 1);
        IsGo = true;
    }
    Core->Doc.IsModify = true;
    EnBut();
}

void TMainForm::GoToFrame(int index)
{
    Core->SetFrameIndex(index); // out-of-range values are ignored
    SetGoTo();
    EnBut();
}

void TMainForm::ResizeAnim()
{
    if (!PreviewPage->Animator() || !Core || Core->FrameCount() == 0)
        return;
    PreviewPage->ResizeAnim(Core->Animation());
}

void TMainForm::SetGoTo()
{
    if (!Core || !IsGo)
        return;
    StripPage->ShowGoTo(Core->FrameCount(), Core->FrameIndex());
    ShowCaption();
}

void TMainForm::SetCurrentDelay()
{
    if (Page)
        Page->SetCurrentDelay(); // the page refills "Current Frame Duration"
}
