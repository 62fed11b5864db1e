// TMainForm: the frame strip and the frame commands wired to the editor core —
// "Duplicate Frame", frame Copy, Cut, Paste, Delete, "Move Left", "Move Right".
#include "editor/MainForm.h"

#include "editor/StripPage.h"
#include "editor/core/EditorCore.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

void TMainForm::BuildStripWiring()
{
    TEditorHooks& hooks = Core->Hooks;
    hooks.Strip = [this] { StripPage->ShowStrip(*Core); };
    const QColor window = palette().color(QPalette::Window);
    Core->SetStripFillColor(RGB(window.red(), window.green(), window.blue()));
    hooks.CopyBitmap = [](const TBitmap& bitmap) {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setImage(bitmap.ConstImage());
    };
    StripPage->Wire(*Core, *Page, [this](const std::function<void()>& command) { Guard(command); });

    const auto command = [this](QAction* action, void (TEditorCore::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { Guard([&] { ((*Core).*handler)(); }); });
    };
    command(DuplicateFrameAct, &TEditorCore::DuplicateFrameButtonClick);
    command(CopyFrameAct, &TEditorCore::CopyFrameButtonClick);
    command(CutFrameAct, &TEditorCore::CutFrameButtonClick);
    command(PasteFrameAct, &TEditorCore::PasteFrameButtonClick);
    command(DeleteFrameAct, &TEditorCore::DeleteFrameButtonClick);
    command(MoveLeftAct, &TEditorCore::MoveLeftButtonClick);
    command(MoveRightAct, &TEditorCore::MoveRightButtonClick);
}
