// Undo and redo: every kind of step returns the saved project byte for byte,
// drags are one step, the clean state drives the save question, and the
// history keeps within its memory with pictures shared between steps.
#include "editor/core/EditorCore.h"
#include "editor/core/OptionsPage.h"
#include "editor/core/ProjectLife.h"
#include "editor/core/PropertyPanels.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

namespace {

using TSaved = std::map<QString, QByteArray>; // file in the save -> its bytes

class UndoHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core.SetRedrawQuestion(false); // no redraw question
        life.NewProject();
        core.DefaultParam.Left = 20;
        core.DefaultParam.Top = 30;
    }

    // Saves the project under a new name and reads back every file written.
    TSaved Save()
    {
        const QString name = QStringLiteral("p%1").arg(++fSaves);
        const QString file = fDir.filePath(name + QStringLiteral(".zembra"));
        EXPECT_TRUE(life.WriteProject(file));
        TSaved saved;
        saved[QStringLiteral("project")] = Read(file);
        const QString folder = fDir.filePath(name + QStringLiteral("Files"));
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            saved[QDir(folder).relativeFilePath(path)] = Read(path);
        }
        return saved;
    }

    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    // Save, do, save, undo, save, redo, save: undo gives the first file, redo the second.
    void ExpectUndoable(const std::function<void()>& edit, const QString& step)
    {
        const TSaved before = Save();
        const int count = core.History().Stack().count();
        edit();
        ASSERT_EQ(core.History().Stack().count(), count + 1) << step.toStdString();
        EXPECT_EQ(core.History().UndoText(), QStringLiteral("Undo ") + step);
        const TSaved after = Save();
        EXPECT_NE(before, after) << step.toStdString();
        core.Undo();
        EXPECT_EQ(Save(), before) << "undo of " << step.toStdString();
        EXPECT_EQ(core.History().RedoText(), QStringLiteral("Redo ") + step);
        core.Redo();
        EXPECT_EQ(Save(), after) << "redo of " << step.toStdString();
    }

    TDrawObject* AddFigure(TQFigName kind = qfRectangle)
    {
        EXPECT_TRUE(core.QNewFigure(kind));
        return core.DrObj();
    }

    // A drag of the selected figure's inside by (dx, dy) in `steps` moves.
    void Drag(int dx, int dy, int steps = 3)
    {
        TDrawObject* obj = core.DrObj();
        const int x = obj->Left + obj->Width() / 2;
        const int y = obj->Top + obj->Height() / 2;
        core.FramePanelMouseDown(TMouseButton::mbLeft, ssLeft, x, y);
        for (int i = 1; i <= steps; ++i)
            core.FramePanelMouseMove(ssLeft, x + dx * i / steps, y + dy * i / steps);
        core.FramePanelMouseUp(TMouseButton::mbLeft, 0, x + dx, y + dy);
    }

    QTemporaryDir fDir;
    int fSaves = 0;
    TScriptedDialogs dialogs;
    THeadlessProgress progress;
    TEditorCore core{dialogs, progress};
    TOptionsPage page{core};
    TProjectLife life{core, page};
    TPropertyPanels panels{core, core.DefaultParam};
};

TEST_F(UndoHistoryTest, EveryKindOfStepUndoesToTheSavedBytes)
{
    ExpectUndoable([&] { AddFigure(qfRectangle); }, QStringLiteral("New Rectangle"));
    ExpectUndoable([&] { Drag(25, 10); }, QStringLiteral("Move"));
    ExpectUndoable([&] { panels.BorderWidthChange(5); }, QStringLiteral("Border Width"));
    ExpectUndoable([&] { panels.CoordInit(TCoordBox::Width, 80); }, QStringLiteral("Width"));
    ExpectUndoable([&] { panels.AngleChange(30); }, QStringLiteral("Angle"));
    dialogs.QueueColor(0x00FF00);
    ExpectUndoable([&] { panels.ColorButtonClick(TColorSwatch::Fill); }, QStringLiteral("Fill Color"));
    ExpectUndoable([&] { panels.TextChange({QStringLiteral("hello")}); }, QStringLiteral("Text"));

    // Key frames at a later frame, and the "Animation" page.
    ExpectUndoable([&] { core.AddFrameButtonClick(); }, QStringLiteral("Add Frame"));
    core.SetFrameIndex(1);
    ExpectUndoable([&] { panels.CoordInit(TCoordBox::Left, 90); }, QStringLiteral("Left"));
    core.Doc.ChangeNumber = 1;
    ExpectUndoable([&] { panels.DeleteChanges(); }, QStringLiteral("Delete Changes"));

    AddFigure(qfEllipse);
    ExpectUndoable([&] { core.BackButtonClick(); }, QStringLiteral("Send to Back"));
    core.CopyFigureExecute();
    ExpectUndoable([&] { core.PasteFigureExecute(); }, QStringLiteral("Paste"));
    ExpectUndoable([&] { core.DeleteFigureExecute(); }, QStringLiteral("Delete"));

    // The "Options" page and the frame strip.
    ExpectUndoable([&] { page.BackWidthSpinExit(320); }, QStringLiteral("Frame Width"));
    ExpectUndoable([&] { page.InfinityCheckClick(false); }, QStringLiteral("Infinitely"));
    ExpectUndoable([&] { page.FrameDelaySpinExit(120); }, QStringLiteral("Default Frame Duration"));
    dialogs.QueueColor(0x0000FF);
    ExpectUndoable([&] { page.BackColorButtonClick(); }, QStringLiteral("Background Color"));
    ExpectUndoable([&] { core.DuplicateFrameButtonClick(); }, QStringLiteral("Duplicate Frame"));
    core.SetFrameIndex(core.FrameCount() - 1);
    ExpectUndoable([&] { page.CurrentFrameDelaySpinExit(200); }, QStringLiteral("Current Frame Duration"));
    core.SetOne(core.FrameCount() - 1);
    ExpectUndoable([&] { core.MoveLeftButtonClick(); }, QStringLiteral("Move Left"));
    ExpectUndoable([&] { core.DeleteFrameButtonClick(); }, QStringLiteral("Delete Frames"));
}

TEST_F(UndoHistoryTest, EveryFigureKindIsCreatedAndDeletedUndoably)
{
    for (TQFigName kind : {qfPoint, qfLine, qfLLine, qfZLine, qfRectangle, qfDiamond, qfArrow, qfStar, qfPolygon,
                           qfEllipse, qfBezier, qfText, qfTextBezier}) {
        ExpectUndoable([&] { AddFigure(kind); }, QStringLiteral("New ") + TEditorCore::KindCaption(kind));
        ExpectUndoable([&] { panels.ShadowWidthChange(4); }, QStringLiteral("Shadow Width"));
    }
    ExpectUndoable([&] { core.DeleteFigureExecute(); }, QStringLiteral("Delete"));
}

TEST_F(UndoHistoryTest, UndoAfterRedrawReturnsTheProjectAndAsksForARedraw)
{
    AddFigure();
    core.AddFrameButtonClick();
    const TSaved before = Save();
    Drag(30, 0);
    core.RedrawAnimation();
    EXPECT_FALSE(core.Doc.RedrawEnabled);
    core.Undo();
    EXPECT_TRUE(core.Doc.RedrawEnabled);
    // The rendered frames stay as redrawn; the project is as before the drag.
    const TSaved undone = Save();
    TSaved withoutAnimation = undone, beforeWithoutAnimation = before;
    withoutAnimation.erase(QStringLiteral("Anim.gif"));
    beforeWithoutAnimation.erase(QStringLiteral("Anim.gif"));
    EXPECT_EQ(withoutAnimation, beforeWithoutAnimation);
}

TEST_F(UndoHistoryTest, OneDragIsOneStepAndStepsOfOneGestureMerge)
{
    AddFigure();
    const int count = core.History().Stack().count();
    Drag(10, 10, 8);
    EXPECT_EQ(core.History().Stack().count(), count + 1);

    // A group drag is stored at its release, as one step.
    AddFigure(qfEllipse);
    for (const auto& obj : core.Doc.DrawArr)
        obj->SetFocused(true);
    core.CountFocusedDrawObjs();
    TDrawObject* first = core.Doc.DrawArr.front().get();
    const int left = first->Left;
    const TSaved before = Save();
    core.FramePanelMouseDown(TMouseButton::mbLeft, ssLeft, first->Left + 5, first->Top + 5);
    for (int i = 1; i <= 5; ++i)
        core.FramePanelMouseMove(ssLeft, first->Left + 5 + i, first->Top + 5);
    core.FramePanelMouseUp(TMouseButton::mbLeft, 0, left + 10, first->Top + 5);
    EXPECT_EQ(core.History().UndoText(), QStringLiteral("Undo Move"));
    core.Undo();
    EXPECT_EQ(Save(), before);

    // Steps with the same key become one; undo returns to before the first.
    const int key = core.History().NewMergeKey();
    const TSaved start = Save();
    const int steps = core.History().Stack().index(); // the undone drag goes with the next step
    for (int i = 0; i < 4; ++i) {
        core.History().Begin(QStringLiteral("Move"), key);
        core.Doc.Animation.Figures[0].Frames[0].Change[0].IntValue += 1;
        core.History().End();
    }
    EXPECT_EQ(core.History().Stack().count(), steps + 1);
    core.Undo();
    EXPECT_EQ(Save(), start);

    // A drag that changes nothing leaves no step.
    const int unchanged = core.History().Stack().count();
    Drag(0, 0, 2);
    EXPECT_EQ(core.History().Stack().count(), unchanged);
}

TEST_F(UndoHistoryTest, CleanStateDrivesTheModifiedFlagAndTheSaveQuestion)
{
    const QString file = fDir.filePath(QStringLiteral("clean.zembra"));
    AddFigure();
    ASSERT_TRUE(life.SaveAsProjectButtonClick(file));
    EXPECT_FALSE(core.Doc.IsModify);

    panels.BorderWidthChange(7);
    EXPECT_TRUE(core.Doc.IsModify);
    core.Undo();
    EXPECT_FALSE(core.Doc.IsModify);
    dialogs.ClearAsked();
    EXPECT_TRUE(life.SavePrompt());
    EXPECT_TRUE(dialogs.Questions().isEmpty()); // nothing differs: no question

    core.Undo(); // back past the save: differs again
    EXPECT_TRUE(core.Doc.IsModify);
    core.Redo();
    EXPECT_FALSE(core.Doc.IsModify);
    core.Redo();
    EXPECT_TRUE(core.Doc.IsModify);
    dialogs.QueueYesNo(false);
    EXPECT_TRUE(life.SavePrompt());
    EXPECT_EQ(dialogs.Questions().size(), 1);

    // An edit that changes nothing is no step and does not mark the project.
    ASSERT_TRUE(life.SaveActExecute());
    const int count = core.History().Stack().count();
    panels.BorderWidthChange(core.DrObj()->Pen().Width);
    EXPECT_EQ(core.History().Stack().count(), count);
    EXPECT_FALSE(core.Doc.IsModify);

    // New and Open clear the history.
    life.NewProject();
    EXPECT_EQ(core.History().Stack().count(), 0);
    EXPECT_FALSE(core.History().CanUndo());
    AddFigure();
    life.OpenProjectButtonClick(file);
    EXPECT_EQ(core.History().Stack().count(), 0);
    EXPECT_FALSE(core.Doc.IsModify);
}

TEST_F(UndoHistoryTest, HistoryKeepsWithinItsMemoryAndSharesPictures)
{
    // A large background picture shared by every step is counted once.
    const QString picture = fDir.filePath(QStringLiteral("back.bmp"));
    {
        TBitmap big(1000, 1000);
        TEditorCore::FillBitmap(big, 0x336699, 1000, 1000);
        ASSERT_TRUE(TOptionsPage::SaveFrame(big, picture));
    }
    page.PictureOpenButtonClick(picture);
    ASSERT_TRUE(core.Doc.Animation.IsBackBMP);
    AddFigure();
    for (int i = 0; i < 30; ++i)
        panels.BorderWidthChange(2 + i % 20);
    const int64_t picBytes = int64_t(1000) * 1000 * 3;
    EXPECT_LT(core.History().Memory(), 2 * picBytes + (int64_t(1) << 20));

    // Under a small cap the oldest steps go, the newest stay undoable.
    core.History().SetMemoryLimit(picBytes / 2);
    // Every step holds the picture, more than the cap: only the newest stays.
    EXPECT_EQ(core.History().Stack().count(), 1);
    const TSaved now = Save();
    core.Undo();
    core.Redo();
    EXPECT_EQ(Save(), now);
    while (core.History().CanUndo())
        core.Undo();
    EXPECT_TRUE(core.Doc.IsModify); // the saved state is no longer reachable
}

TEST_F(UndoHistoryTest, RandomEditsUndosAndRedosKeepEveryStateReachable)
{
    std::mt19937 random(18);
    std::vector<TSaved> states{Save()}; // states[i]: after i steps from the start
    int at = 0;
    for (int round = 0; round < 40; ++round) {
        const int choice = static_cast<int>(random() % 7);
        const int count = core.History().Stack().count();
        if (choice == 0 && core.History().CanUndo()) {
            core.Undo();
            --at;
        } else if (choice == 1 && core.History().CanRedo()) {
            core.Redo();
            ++at;
        } else {
            switch (choice) {
            case 2:
                AddFigure(random() % 2 ? qfRectangle : qfStar);
                break;
            case 3:
                if (core.DrObj())
                    Drag(static_cast<int>(random() % 21) - 10, static_cast<int>(random() % 21) - 10);
                break;
            case 4:
                if (core.DrObj())
                    panels.BorderWidthChange(1 + static_cast<int>(random() % 9));
                break;
            case 5:
                core.AddFrameButtonClick();
                break;
            default:
                if (core.DrObj())
                    core.DeleteFigureExecute();
                break;
            }
            if (core.History().Stack().count() == count && core.History().Stack().index() == at)
                continue; // no step
            at = core.History().Stack().index();
            states.resize(static_cast<size_t>(at));
            states.push_back({});
        }
        ASSERT_EQ(at, core.History().Stack().index());
        const TSaved saved = Save();
        if (states[static_cast<size_t>(at)].empty())
            states[static_cast<size_t>(at)] = saved;
        else
            ASSERT_EQ(saved, states[static_cast<size_t>(at)]) << "round " << round;
        // Saving itself stores the shown frame; what it stored is the state of this step.
        states[static_cast<size_t>(at)] = Save();
    }
}

} // namespace
