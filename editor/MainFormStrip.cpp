// TMainForm: the frame strip under the canvas and the frame commands wired
// to the editor core — clicks and resizes of the strip, its scroll bar,
// "Duplicate Frame", frame Copy, Cut, Paste, Delete, "Move Left", "Move Right".
#include "editor/MainForm.h"

#include "editor/ImagePanel.h"
#include "editor/core/EditorCore.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

namespace {

TShiftState StripShift(Qt::KeyboardModifiers keys)
{
    TShiftState s = 0;
    if (keys & Qt::ShiftModifier)
        s |= ssShift;
    if (keys & Qt::ControlModifier)
        s |= ssCtrl;
    if (keys & Qt::AltModifier)
        s |= ssAlt;
    return s;
}

} // namespace

void TMainForm::BuildStripWiring()
{
    TEditorHooks& hooks = Core->Hooks;
    hooks.Strip = [this] { ShowStrip(); };
    const QColor window = palette().color(QPalette::Window);
    Core->StripFillColor = RGB(window.red(), window.green(), window.blue());
    hooks.CopyBitmap = [](const TBitmap& bitmap) {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setImage(bitmap.ConstImage());
    };

    connect(FramesImage, &TImagePanel::Resized, this,
            [this] { Core->SetStripSize(FramesImage->width(), FramesImage->height()); });
    connect(FramesImage, &TImagePanel::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
                if (button != Qt::LeftButton)
                    return; // the right button opens the frame commands' menu
                Guard([&] { Core->FramesImageMouseDown(TMouseButton::mbLeft, StripShift(keys) | ssLeft, x, y); });
            });
    connect(FramesScrollBar, &QScrollBar::valueChanged, this, [this](int position) {
        if (position != Core->Doc.OldPos) // resetting the bar at start-up is no scroll
            Core->FramesScrollBarChange(position);
    });

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

void TMainForm::ShowStrip()
{
    FramesImage->SetPicture(Core->FramesBMP);
    const QSignalBlocker block(FramesScrollBar); // set by code, not a scroll by the user
    FramesScrollBar->setRange(0, Core->FramesScroll.Max);
    FramesScrollBar->setValue(Core->FramesScroll.Position);
    FramesScrollBar->setPageStep(std::max(Core->Doc.FrCount, 1));
    FramesScrollBar->setMaximumWidth(Core->StripCellsWidth);
}
