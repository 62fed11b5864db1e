// The property pages in the window: filled for the figure drawn, each control
// reaching the figure or, in default mode, the defaults; and the command states.
#include "MainFormFixture.h"

#include "drawobjects/BaseLine.h"
#include "drawobjects/SolidWithText.h"
#include "editor/ColorShape.h"
#include "editor/TextMenu.h"
#include "editor/core/EditorCore.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

namespace {

class MainFormPanelsTest : public MainFormFixture {
protected:
    void SetUp() override { CreateAndShow(); }
    TEditorCore& Core() { return form->EditorCore(); }
    void Trigger(const QString& name) { Find<QAction>(name)->trigger(); }
    // Types a value into a spin box and leaves it.
    void Enter(const QString& name, int value)
    {
        auto* spin = Find<QSpinBox>(name);
        spin->setValue(value);
        emit spin->editingFinished();
    }
    bool TabShown(const QString& sheet)
    {
        auto* pages = Find<QTabWidget>(QStringLiteral("DrawObjectControl"));
        return pages->indexOf(Find<QWidget>(sheet)) >= 0;
    }
};

} // namespace

TEST_F(MainFormPanelsTest, PagesFollowTheFigureAndEditsReachIt)
{
    auto* pages = Find<QTabWidget>(QStringLiteral("DrawObjectControl"));
    EXPECT_FALSE(pages->isVisible());
    EXPECT_FALSE(Find<QAction>(QStringLiteral("CopyFigureAct"))->isEnabled());

    Trigger(QStringLiteral("RectangleAct"));
    TDrawObject* obj = Core().DrObj();
    ASSERT_NE(obj, nullptr);
    EXPECT_TRUE(pages->isVisible());
    EXPECT_TRUE(TabShown(QStringLiteral("TextSheet")));
    EXPECT_TRUE(TabShown(QStringLiteral("ColorSheet")));
    EXPECT_FALSE(TabShown(QStringLiteral("ImageSheet")));
    EXPECT_FALSE(TabShown(QStringLiteral("LineSheet")));
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("WidthSpin"))->value(), obj->Width());
    EXPECT_TRUE(Find<QAction>(QStringLiteral("CopyFigureAct"))->isEnabled());
    EXPECT_FALSE(Find<QAction>(QStringLiteral("PasteFigureAct"))->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(QStringLiteral("StopButton"))->isEnabled());

    Enter(QStringLiteral("WidthSpin"), 150);
    EXPECT_EQ(obj->Width(), 150);
    Enter(QStringLiteral("BorderWidthSpin"), 9);
    EXPECT_EQ(obj->Pen().Width, 9);
    Enter(QStringLiteral("AngleSpin"), 30);
    EXPECT_EQ(obj->QAngle, 30);
    Find<QPlainTextEdit>(QStringLiteral("TextMemo"))->setPlainText(QStringLiteral("Hello\nthere"));
    EXPECT_EQ(dynamic_cast<TSolidWithText*>(obj)->Strings(),
              (QStringList{QStringLiteral("Hello"), QStringLiteral("there")}));
    dialogs.QueueColor(0x0080FF);
    Find<QPushButton>(QStringLiteral("FigureColorButton"))->click();
    EXPECT_EQ(obj->Color, TColor(0x0080FF));
    EXPECT_EQ(Find<TColorShape>(QStringLiteral("FigureColorShape"))->Color(), TColor(0x0080FF));
    EXPECT_TRUE(Find<QAction>(QStringLiteral("SaveAct"))->isEnabled());

    // A line: its nodes in the grid; the cell editor edits row 3, the y of node 2.
    Trigger(QStringLiteral("LineAct"));
    TDrawObject* line = Core().DrObj();
    auto* grid = Find<QTableWidget>(QStringLiteral("PointsGrid"));
    ASSERT_EQ(grid->rowCount(), 2 * line->ButtonCount());
    EXPECT_EQ(grid->item(3, 0)->text(), QStringLiteral("Y2"));
    const int y = line->BtnPoints[1].Y - 5;
    pages->setCurrentWidget(Find<QWidget>(QStringLiteral("CoordinatesSheet")));
    emit grid->cellClicked(3, 1);
    auto* editor = Find<QSpinBox>(QStringLiteral("PointSpin"));
    EXPECT_TRUE(editor->isVisible());
    editor->setValue(y);
    emit editor->editingFinished();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(line->BtnPoints[1].Y, y);
    EXPECT_EQ(grid->item(3, 1)->text(), QString::number(y));
}

TEST_F(MainFormPanelsTest, DefaultPropertiesEditTheDefaultsUntilAFigureIsShown)
{
    Trigger(QStringLiteral("EllipseAct"));
    auto* obj = dynamic_cast<TSolidWithText*>(Core().DrObj());
    ASSERT_NE(obj, nullptr);
    const int padding = obj->Padding();

    Trigger(QStringLiteral("ParamAct"));
    EXPECT_FALSE(Find<QAction>(QStringLiteral("ParamAct"))->isEnabled());
    EXPECT_FALSE(TabShown(QStringLiteral("AnimationSheet")));
    Enter(QStringLiteral("PaddingSpin"), padding + 7);
    EXPECT_EQ(form->Defaults().Padding, padding + 7);
    EXPECT_EQ(obj->Padding(), padding);
    Enter(QStringLiteral("LeftSpin"), 77);
    Enter(QStringLiteral("BorderWidthSpin"), 5);
    EXPECT_EQ(form->Defaults().BorderWidth, 5);
    EXPECT_EQ(Find<QSpinBox>(QStringLiteral("LeftSpin"))->value(), 77); // still the defaults shown
    EXPECT_EQ(form->Defaults().Left, 77);

    // A new figure takes the defaults and ends default mode.
    Trigger(QStringLiteral("RectangleAct"));
    EXPECT_EQ(dynamic_cast<TSolidWithText*>(Core().DrObj())->Padding(), padding + 7);
    EXPECT_TRUE(TabShown(QStringLiteral("AnimationSheet")));
    EXPECT_TRUE(Find<QAction>(QStringLiteral("ParamAct"))->isEnabled());
    Enter(QStringLiteral("PaddingSpin"), 1);
    EXPECT_EQ(dynamic_cast<TSolidWithText*>(Core().DrObj())->Padding(), 1);
    EXPECT_EQ(form->Defaults().Padding, padding + 7);
}

TEST_F(MainFormPanelsTest, TextMenuOffersOnlyWhatTheBoxCanTake)
{
    // Paste into a spin box: integers within a non-zero bound only.
    EXPECT_TRUE(TTextMenu::CanPasteIntoSpin(QStringLiteral("42"), 1, 100));
    EXPECT_TRUE(TTextMenu::CanPasteIntoSpin(QStringLiteral(" -7 "), 0, 100)); // a 0 minimum is no bound
    EXPECT_FALSE(TTextMenu::CanPasteIntoSpin(QStringLiteral("0"), 1, 100));
    EXPECT_FALSE(TTextMenu::CanPasteIntoSpin(QStringLiteral("101"), 1, 100));
    EXPECT_FALSE(TTextMenu::CanPasteIntoSpin(QStringLiteral("4.5"), 0, 0));
    EXPECT_FALSE(TTextMenu::CanPasteIntoSpin(QStringLiteral("ten"), 0, 0));
    EXPECT_FALSE(TTextMenu::CanPasteIntoSpin(QStringLiteral("99999999999999"), 0, 0));

    TTextMenuStates spin = TTextMenu::SpinStates(true, QStringLiteral("12"), QStringLiteral("5"), 1, 100);
    EXPECT_TRUE(spin.Copy);
    EXPECT_FALSE(spin.Cut); // never for spin boxes
    EXPECT_TRUE(spin.Paste);
    EXPECT_TRUE(spin.SelectAll);
    spin = TTextMenu::SpinStates(false, {}, {}, 1, 100);
    EXPECT_FALSE(spin.Copy || spin.Paste || spin.SelectAll);
    const TTextMenuStates memo = TTextMenu::MemoStates(true, QStringLiteral("abc"), QStringLiteral("x y"));
    EXPECT_TRUE(memo.Cut && memo.Paste && memo.SelectAll);

    // Every spin box of the shown window has the menu; "Paste" sets the value.
    for (QSpinBox* box : form->findChildren<QSpinBox*>())
        EXPECT_EQ(box->contextMenuPolicy(), Qt::CustomContextMenu) << box->objectName().toStdString();
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    auto* go = Find<QSpinBox>(QStringLiteral("FrameDelaySpin"));
    QMenu* menu = form->findChild<TTextMenu*>()->MenuFor(go);
    ASSERT_EQ(menu->actions().size(), 5);
    QAction* paste = menu->actions().at(2);
    EXPECT_EQ(paste->text(), QStringLiteral("Paste"));
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(go->value(), 77);
    menu->close();
}

TEST_F(MainFormPanelsTest, LinePageSetsTheArrowsAndAnEditEnablesDeleteChanges)
{
    Trigger(QStringLiteral("AddFrameAct"));
    Core().SetFrameIndex(1);
    Trigger(QStringLiteral("LineAct"));
    auto* line = dynamic_cast<TBaseLine*>(Core().DrObj());
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(TabShown(QStringLiteral("LineSheet")));
    auto* start = Find<QCheckBox>(QStringLiteral("StartArrowCheck"));
    auto* end = Find<QCheckBox>(QStringLiteral("EndArrowCheck"));
    EXPECT_EQ(start->text(), QStringLiteral("Start Arrow"));
    EXPECT_EQ(end->text(), QStringLiteral("End Arrow"));
    auto* deleteChanges = Find<QPushButton>(QStringLiteral("DeleteChangesButton"));
    ASSERT_FALSE(deleteChanges->isEnabled()) << "no key frame chosen yet";

    end->click();
    EXPECT_TRUE(line->Arrow2());
    EXPECT_FALSE(line->Arrow1());
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(deleteChanges->isEnabled()) << "the edit enables Delete Changes";

    // Default mode: the boxes are there and edit the defaults.
    Trigger(QStringLiteral("ParamAct"));
    EXPECT_FALSE(start->isHidden());
    start->click();
    EXPECT_TRUE(form->Defaults().Arrow1);
    EXPECT_FALSE(line->Arrow1());
}
