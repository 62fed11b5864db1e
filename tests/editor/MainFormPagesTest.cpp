// The window's pages own their controls: each control lives inside its page,
// the keyboard walks a page's controls in their order on the page, and the
// shell reaches them only through the pages.
#include "editor/CanvasPage.h"
#include "editor/FigureSheets.h"
#include "editor/OptionsSheet.h"
#include "editor/PreviewPage.h"
#include "editor/PropertySheets.h"
#include "editor/StripPage.h"
#include "tests/editor/MainFormFixture.h"

#include <QSpinBox>
#include <QTabWidget>

namespace {

class MainFormPagesTest : public MainFormFixture {};

// The focusable controls of `page`, in the order Tab reaches them.
std::string TabWalk(QWidget* page)
{
    QStringList names;
    QWidget* first = page;
    for (QWidget* w = first->nextInFocusChain(); w && w != first; w = w->nextInFocusChain())
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() &&
            !w->objectName().startsWith(QLatin1String("qt_")))
            names << w->objectName();
    return names.join(QLatin1Char(' ')).toStdString();
}

} // namespace

TEST_F(MainFormPagesTest, EachPageOwnsItsControls)
{
    CreateAndShow();
    const std::pair<const char*, QStringList> pages[] = {
        {"OptionsSheet", {"GIFOpenButton", "PictureDeleteButton", "BackWidthSpin", "TimesSpin", "GIFImage"}},
        {"PreviewSheet", {"GIFAnimatorPanel", "GIFAnimator", "PlayButton", "EndButton"}},
        {"StripPanel", {"FramesImage", "FramesScrollBar", "CurrentFrameDelaySpin", "GoSpin"}},
        {"EditingSheet", {"EditToolBar", "FramePanel", "DrawObjectControl", "ParamButton", "EditorSplitter"}},
        {"ColorSheet", {"BorderWidthSpin", "FigureColorShape", "ShadowWidthSpin"}},
        {"CoordinatesSheet", {"LeftSpin", "PointsGrid", "PointSpin", "PointsPasteButton"}},
        {"TextSheet", {"TextMemo", "FontButton", "SpeechCombo"}},
    };
    for (const auto& [pageName, controls] : pages) {
        auto* page = Find<QWidget>(QString::fromLatin1(pageName));
        ASSERT_NE(page, nullptr);
        for (const QString& control : controls)
            EXPECT_NE(page->findChild<QWidget*>(control), nullptr) << pageName << " " << control.toStdString();
    }
    EXPECT_NE(qobject_cast<TOptionsSheet*>(Find<QWidget>(QStringLiteral("OptionsSheet"))), nullptr);
    EXPECT_NE(qobject_cast<TPreviewPage*>(Find<QWidget>(QStringLiteral("PreviewSheet"))), nullptr);
    EXPECT_NE(qobject_cast<TStripPage*>(Find<QWidget>(QStringLiteral("StripPanel"))), nullptr);
    EXPECT_NE(qobject_cast<TCanvasPage*>(Find<QWidget>(QStringLiteral("EditingSheet"))), nullptr);
    EXPECT_NE(qobject_cast<TPropertySheets*>(Find<QWidget>(QStringLiteral("DrawObjectControl"))), nullptr);
    EXPECT_NE(qobject_cast<TColorSheet*>(Find<QWidget>(QStringLiteral("ColorSheet"))), nullptr);
}

TEST_F(MainFormPagesTest, TabWalksEachPageInTheOrderOfItsControls)
{
    CreateAndShow();
    EXPECT_EQ(TabWalk(Find<QWidget>(QStringLiteral("OptionsSheet"))),
              "GIFOpenButton GIFDeleteButton PictureOpenButton PictureDeleteButton BackColorButton BackWidthSpin "
              "BackHeightSpin ProportionalCheck BackTransparentCheck FrameDelaySpin InfinityCheck TimesSpin OptimiseCheck");
    EXPECT_EQ(TabWalk(Find<QWidget>(QStringLiteral("ColorSheet"))),
              "FigureColorButton ShadowColorButton BorderColorButton BorderWidthSpin ShadowWidthSpin");
    EXPECT_EQ(TabWalk(Find<QWidget>(QStringLiteral("StripPanel"))),
              "CurrentFrameDelaySpin GoSpin");
}

TEST_F(MainFormPagesTest, PropertyPagesKeepTheirFixedOrderWhenTheyComeBack)
{
    CreateAndShow();
    auto* sheets = qobject_cast<TPropertySheets*>(Find<QWidget>(QStringLiteral("DrawObjectControl")));
    ASSERT_NE(sheets, nullptr);
    // "Default Properties" shows every page but "Animation", in the fixed order.
    form->findChild<QAction*>(QStringLiteral("ParamAct"))->trigger();
    QStringList titles;
    for (int i = 0; i < sheets->count(); ++i)
        titles << sheets->tabText(i);
    EXPECT_EQ(titles, (QStringList{"Image", "Coordinates", "Rotation", "Color and Border", "Text", "Line"}));
    EXPECT_EQ(sheets->CurrentSheetNumber(), 2); // "Coordinates"
    sheets->SetCurrentSheetNumber(99);          // out of range: the last page
    EXPECT_EQ(sheets->CurrentSheetNumber(), 6);
    sheets->SetCurrentSheetNumber(0);           // "Animation" is not shown: no change
    EXPECT_EQ(sheets->CurrentSheetNumber(), 6);
}
