#pragma once
// TUndoHistory: the editor's undo and redo. Every edit runs inside an edit
// scope (Begin/End, or TEditScope); when the project differs afterwards the
// step goes onto a QUndoStack as a TEditCommand. The modified flag follows the
// stack's clean state (set when the project is saved or opened); New and Open
// clear the history. The history is capped by the memory its steps hold
// (shared pictures counted once): the oldest steps go first.
#include "editor/core/ProjectState.h"

#include <QString>
#include <QUndoStack>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class TEditorCore;

class TUndoHistory {
public:
    explicit TUndoHistory(TEditorCore& core);
    TUndoHistory(const TUndoHistory&) = delete;
    TUndoHistory& operator=(const TUndoHistory&) = delete;

    // The window builds its actions and tooltips on the stack.
    QUndoStack& Stack() { return fStack; }
    const QUndoStack& Stack() const { return fStack; }

    // Opens an edit; nested edits belong to the outermost one. mergeKey: a
    // non-zero key merges this step with the previous step of the same key.
    void Begin(const QString& text, int mergeKey = 0);
    // Closes an edit; `text`, when given, names the step instead of Begin's.
    void End(const QString& text = {});
    bool InEdit() const { return fDepth > 0; }
    // A key no earlier edit used, for the steps of one gesture.
    int NewMergeKey() { return ++fLastMergeKey; }
    // The key of the steps named `text`, the same for every call: successive
    // changes of one setting merge.
    int MergeKeyOf(const QString& text);

    bool CanUndo() const { return !InEdit() && fStack.canUndo(); }
    bool CanRedo() const { return !InEdit() && fStack.canRedo(); }
    // Both do nothing while an edit is open.
    void Undo();
    void Redo();
    // "Undo Move" / "Redo Border Width"; empty when there is nothing.
    QString UndoText() const;
    QString RedoText() const;

    // The project was saved: this is the clean state.
    void SetClean();
    // New and Open: no steps, clean.
    void Clear();

    // The memory the steps may hold; 256 MiB unless set.
    void SetMemoryLimit(int64_t bytes);
    int64_t MemoryLimit() const { return fLimit; }
    // The memory the steps hold now.
    int64_t Memory() const;

    // Runs after an undo or redo brought the editor to another state (the
    // pages refill their controls).
    std::vector<std::function<void()>> Restored;

private:
    void AfterChange();
    // Drops the oldest steps until the history fits its memory.
    void Trim();

    TEditorCore& fCore;
    QUndoStack fStack;
    std::shared_ptr<const TProjectState> fBefore; // of the open edit
    std::shared_ptr<const TProjectState> fLast;   // the latest state captured, to share records with
    QString fText;
    int fMergeKey = 0;
    int fDepth = 0;
    int fLastMergeKey = 0;
    std::map<QString, int> fNamedKeys; // MergeKeyOf
    bool fModifiedBefore = false;
    int64_t fLimit = int64_t(256) << 20;
};

// An edit for the length of a block.
class TEditScope {
public:
    TEditScope(TUndoHistory& history, const QString& text, int mergeKey = 0) : fHistory(history)
    {
        fHistory.Begin(text, mergeKey);
    }
    ~TEditScope() { fHistory.End(); }
    TEditScope(const TEditScope&) = delete;
    TEditScope& operator=(const TEditScope&) = delete;

private:
    TUndoHistory& fHistory;
};
