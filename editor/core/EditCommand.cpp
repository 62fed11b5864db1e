// TEditCommand: a step of the undo history as two captured states.
#include "editor/core/EditCommand.h"

#include "editor/core/EditorCore.h"

TEditCommand::TEditCommand(TEditorCore& core, const QString& text, std::shared_ptr<const TProjectState> before,
                           std::shared_ptr<const TProjectState> after, int mergeKey)
    : QUndoCommand(text), fCore(core), fBefore(std::move(before)), fAfter(std::move(after)), fMergeKey(mergeKey),
      fFrames(!TProjectState::SameFrames(*fBefore, *fAfter))
{
}

void TEditCommand::undo()
{
    fCore.RestoreState(*fBefore, fFrames);
}

void TEditCommand::redo()
{
    if (fSkipRedo) {
        fSkipRedo = false;
        return;
    }
    fCore.RestoreState(*fAfter, fFrames);
}

bool TEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const TEditCommand*>(other);
    if (!next || next->fMergeKey != fMergeKey || fMergeKey == 0)
        return false;
    fAfter = next->fAfter;
    fFrames = fFrames || next->fFrames;
    // A drag that ends where it began changes nothing.
    setObsolete(TProjectState::SameProject(*fBefore, *fAfter) && !fFrames);
    return true;
}
