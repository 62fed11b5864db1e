// The wizard's picture list: which files it takes, moving the selection to the
// start, up, down and to the end, deleting, and the buttons' enabled states.
#include "tools/ImageList.h"

#include <gtest/gtest.h>

namespace {

// A list of the named files with the given items selected.
TImageList Make(const QStringList& names, std::initializer_list<int> selected)
{
    TImageList list;
    list.Add(names);
    for (const int i : selected)
        list.SetSelected(i, true);
    return list;
}

QString Order(const TImageList& list)
{
    QString order;
    for (int i = 0; i < list.Count(); ++i)
        order += list.Name(i).left(1) + (list.Selected(i) ? QStringLiteral("*") : QString());
    return order;
}

const QStringList Four{QStringLiteral("/p/a.png"), QStringLiteral("/p/b.jpg"), QStringLiteral("/p/c.BMP"),
                       QStringLiteral("/p/d.jpeg")};

} // namespace

TEST(ImageListTest, TakesOnlyPictureExtensions)
{
    EXPECT_TRUE(IsExtension(QStringLiteral("x.JPG")));
    EXPECT_TRUE(IsExtension(QStringLiteral("/a.b/x.jpeg")));
    EXPECT_TRUE(IsExtension(QStringLiteral("x.Png")));
    EXPECT_TRUE(IsExtension(QStringLiteral("x.bmp")));
    EXPECT_FALSE(IsExtension(QStringLiteral("x.gif")));
    EXPECT_FALSE(IsExtension(QStringLiteral("x.jpg.txt")));
    EXPECT_FALSE(IsExtension(QStringLiteral("png")));
    EXPECT_FALSE(IsExtension(QStringLiteral("/some.png/x")));

    TImageList list;
    EXPECT_FALSE(list.Add({QStringLiteral("/p/a.png"), QStringLiteral("/p/b.gif"), QStringLiteral("/p/c.bmp")}));
    EXPECT_EQ(list.Paths(), QStringList({QStringLiteral("/p/a.png"), QStringLiteral("/p/c.bmp")}));
    EXPECT_EQ(list.Name(1), QStringLiteral("c.bmp"));
    EXPECT_TRUE(list.Add({QStringLiteral("/q/d.jpg")}));
    EXPECT_EQ(list.Count(), 3);
}

TEST(ImageListTest, MovesGatherOrShiftTheSelection)
{
    struct Case {
        TMoveMode Mode;
        std::initializer_list<int> Selected;
        const char* Expected;
    };
    const Case cases[] = {
        {qcmStart, {1, 3}, "b*d*ac"}, // 2nd and 4th to the top, still selected
        {qcmStart, {2}, "c*abd"},
        {qcmEnd, {0, 2}, "bda*c*"},
        {qcmEnd, {1}, "acdb*"},
        {qcmUp, {1, 2}, "b*c*ad"},  // a run moves one place
        {qcmUp, {1, 3}, "b*ad*c"},
        {qcmDown, {0, 1}, "ca*b*d"},
        {qcmDown, {0, 2}, "ba*dc*"},
    };
    for (const Case& c : cases) {
        TImageList list = Make(Four, c.Selected);
        SCOPED_TRACE(c.Expected);
        EXPECT_TRUE(list.Move(c.Mode));
        EXPECT_EQ(Order(list), QString::fromLatin1(c.Expected));
        // The paths move with the names.
        for (int i = 0; i < list.Count(); ++i)
            EXPECT_TRUE(list.Path(i).endsWith(list.Name(i)));
    }

    TImageList none = Make(Four, {});
    for (const TMoveMode mode : {qcmStart, qcmUp, qcmDown, qcmEnd})
        EXPECT_FALSE(none.Move(mode));
    EXPECT_EQ(Order(none), QStringLiteral("abcd"));
}

TEST(ImageListTest, DeleteAndButtonStates)
{
    TImageList list;
    EXPECT_EQ(list.Buttons(), TImageList::TButtons{});
    EXPECT_FALSE(list.Delete());

    list = Make(Four, {});
    TImageList::TButtons b = list.Buttons();
    EXPECT_TRUE(b.Clear);
    EXPECT_FALSE(b.Start || b.Up || b.Down || b.End || b.Delete);

    list = Make(Four, {0});
    b = list.Buttons();
    EXPECT_FALSE(b.Start);
    EXPECT_FALSE(b.Up);
    EXPECT_TRUE(b.Down && b.End && b.Delete);

    list = Make(Four, {1, 3});
    b = list.Buttons();
    EXPECT_TRUE(b.Start && b.Up && b.Delete);
    EXPECT_FALSE(b.Down || b.End);

    EXPECT_TRUE(list.Delete());
    EXPECT_EQ(Order(list), QStringLiteral("ac"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}
