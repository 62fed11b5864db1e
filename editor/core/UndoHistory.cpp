// TUndoHistory: edit scopes, the stack of steps, the clean state and the memory cap.
#include "editor/core/UndoHistory.h"

#include "editor/core/EditCommand.h"
#include "editor/core/EditorCore.h"

TUndoHistory::TUndoHistory(TEditorCore& core) : fCore(core) {}

void TUndoHistory::Begin(const QString& text, int mergeKey)
{
    if (fDepth++ > 0)
        return;
    fText = text;
    fMergeKey = mergeKey;
    fModifiedBefore = fCore.Doc.IsModify;
    try {
        fBefore = TProjectState::Capture(fCore, fLast.get());
        fLast = fBefore;
    } catch (const std::bad_alloc&) {
        fBefore.reset(); // this edit cannot be undone
    }
}

void TUndoHistory::End(const QString& text)
{
    if (fDepth == 0 || --fDepth > 0)
        return;
    if (!text.isEmpty())
        fText = text;
    std::shared_ptr<const TProjectState> before = std::move(fBefore);
    fBefore.reset();
    if (!before)
        return;
    try {
        auto after = TProjectState::Capture(fCore, before.get());
        if (TProjectState::SameProject(*before, *after)) {
            // Nothing of the project changed: no step, and not modified by it.
            fCore.Doc.IsModify = fModifiedBefore;
            return;
        }
        fLast = after;
        auto* command = new TEditCommand(fCore, fText, std::move(before), std::move(after), fMergeKey);
        fStack.push(command); // the editor is in the after-state already: no redo
        Trim();
    } catch (const std::bad_alloc&) {
        // Without memory for the step the edit stays, without undo.
    }
    AfterChange();
}

void TUndoHistory::Undo()
{
    if (!CanUndo())
        return;
    fStack.undo();
    fLast = static_cast<const TEditCommand*>(fStack.command(fStack.index()))->BeforePtr();
    AfterChange();
}

void TUndoHistory::Redo()
{
    if (!CanRedo())
        return;
    fStack.redo();
    fLast = static_cast<const TEditCommand*>(fStack.command(fStack.index() - 1))->AfterPtr();
    AfterChange();
}

int TUndoHistory::MergeKeyOf(const QString& text)
{
    const auto [at, added] = fNamedKeys.try_emplace(text, 0);
    if (added)
        at->second = NewMergeKey();
    return at->second;
}

QString TUndoHistory::UndoText() const
{
    return fStack.canUndo() ? QStringLiteral("Undo ") + fStack.undoText() : QString();
}

QString TUndoHistory::RedoText() const
{
    return fStack.canRedo() ? QStringLiteral("Redo ") + fStack.redoText() : QString();
}

void TUndoHistory::SetClean()
{
    fStack.setClean();
    fLast.reset();
}

void TUndoHistory::Clear()
{
    fStack.clear();
    fLast.reset();
    fBefore.reset();
    fDepth = 0;
}

void TUndoHistory::SetMemoryLimit(int64_t bytes)
{
    fLimit = bytes;
    Trim();
}

int64_t TUndoHistory::Memory() const
{
    TStateMemory memory;
    for (int i = 0; i < fStack.count(); ++i) {
        const auto* command = static_cast<const TEditCommand*>(fStack.command(i));
        memory.Add(command->Before());
        memory.Add(command->After());
    }
    return memory.Bytes();
}

void TUndoHistory::AfterChange()
{
    fCore.Doc.IsModify = !fStack.isClean();
    fCore.AfterHistoryChange();
}

void TUndoHistory::Trim()
{
    const int count = fStack.count();
    if (count < 2 || Memory() <= fLimit)
        return;
    // The steps that fit, newest first; the newest always stays.
    std::vector<const TEditCommand*> all;
    for (int i = 0; i < count; ++i)
        all.push_back(static_cast<const TEditCommand*>(fStack.command(i)));
    int keep = 1;
    while (keep < count) {
        TStateMemory memory;
        for (int i = count - keep - 1; i < count; ++i) {
            memory.Add(all[static_cast<size_t>(i)]->Before());
            memory.Add(all[static_cast<size_t>(i)]->After());
        }
        if (memory.Bytes() > fLimit)
            break;
        ++keep;
    }
    const int drop = count - keep;
    const int clean = fStack.cleanIndex(); // -1 when unreachable
    struct TStep {
        QString Text;
        std::shared_ptr<const TProjectState> Before, After;
        int MergeKey;
    };
    std::vector<TStep> steps;
    for (int i = drop; i < count; ++i)
        steps.push_back({all[static_cast<size_t>(i)]->text(), all[static_cast<size_t>(i)]->BeforePtr(),
                         all[static_cast<size_t>(i)]->AfterPtr(), all[static_cast<size_t>(i)]->MergeKey()});
    // QUndoStack drops no steps from the bottom by itself: the kept steps are
    // pushed again onto the emptied stack, without running them.
    fStack.clear();
    if (clean == drop)
        fStack.setClean();
    for (size_t i = 0; i < steps.size(); ++i) {
        // Merging stays with the newest step alone.
        const int key = i + 1 == steps.size() ? steps[i].MergeKey : 0;
        fStack.push(new TEditCommand(fCore, steps[i].Text, steps[i].Before, steps[i].After, key));
        if (clean == drop + static_cast<int>(i) + 1)
            fStack.setClean();
    }
    if (clean >= 0 && clean < drop)
        fStack.resetClean();
    else if (clean < 0)
        fStack.resetClean();
}
