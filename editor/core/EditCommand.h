#pragma once
// TEditCommand: one step of the undo history. It holds the editor's state
// before and after the edit and returns the editor to either; merging takes
// the later step's after-state (successive steps of one drag).
#include "editor/core/ProjectState.h"

#include <QUndoCommand>
#include <memory>

class TEditorCore;

class TEditCommand : public QUndoCommand {
public:
    // mergeKey: steps with the same non-zero key merge into one.
    TEditCommand(TEditorCore& core, const QString& text, std::shared_ptr<const TProjectState> before,
                 std::shared_ptr<const TProjectState> after, int mergeKey);

    void undo() override;
    void redo() override;
    int id() const override { return fMergeKey != 0 ? kMergeId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

    const TProjectState& Before() const { return *fBefore; }
    const TProjectState& After() const { return *fAfter; }
    const std::shared_ptr<const TProjectState>& BeforePtr() const { return fBefore; }
    const std::shared_ptr<const TProjectState>& AfterPtr() const { return fAfter; }
    int MergeKey() const { return fMergeKey; }
    // The step changed the rendered frames: undo and redo bring them back too.
    bool RestoresFrames() const { return fFrames; }
    // The next redo() does nothing: the editor already is in the after-state
    // (the step was just done, or the history was rebuilt).
    void SkipNextRedo() { fSkipRedo = true; }

private:
    static constexpr int kMergeId = 1;

    TEditorCore& fCore;
    std::shared_ptr<const TProjectState> fBefore;
    std::shared_ptr<const TProjectState> fAfter;
    int fMergeKey = 0;
    bool fFrames = false;
    bool fSkipRedo = true;
};
