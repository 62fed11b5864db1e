// Reading hand-made files: extensions, transparency, tables, damage and errors.
#include "gif/GIFError.h"
#include "gif/LZWEncoder.h"
#include "gif/ZGIFImage.h"

#include <gtest/gtest.h>

namespace {

// Builds GIF files byte by byte.
class TGifBytes {
public:
    explicit TGifBytes(const char* version = "GIF89a") : fBytes(version) {}
    TGifBytes& Byte(int b)
    {
        fBytes.append(char(b));
        return *this;
    }
    TGifBytes& Word(int w) { return Byte(w & 0xFF).Byte(w >> 8); }
    TGifBytes& Text(const char* s)
    {
        fBytes.append(s);
        return *this;
    }
    TGifBytes& Screen(int w, int h, int tableBits, int background = 0)
    {
        Word(w).Word(h).Byte(tableBits ? 0x80 | (tableBits - 1) << 4 | (tableBits - 1) : 0).Byte(background).Byte(0);
        return *this;
    }
    TGifBytes& Table(std::initializer_list<uint32_t> colors)
    {
        for (uint32_t c : colors)
            Byte(int(c >> 16)).Byte(int(c >> 8) & 0xFF).Byte(int(c & 0xFF));
        return *this;
    }
    TGifBytes& Control(int packed, int delay, int transparentIndex)
    {
        return Byte(0x21).Byte(0xF9).Byte(4).Byte(packed).Word(delay).Byte(transparentIndex).Byte(0);
    }
    TGifBytes& Comment(const char* text)
    {
        return Byte(0x21).Byte(0xFE).Byte(int(strlen(text))).Text(text).Byte(0);
    }
    TGifBytes& Loop(int count)
    {
        return Byte(0x21).Byte(0xFF).Byte(11).Text("NETSCAPE2.0").Byte(3).Byte(1).Word(count).Byte(0);
    }
    // A frame of w x h pixels all of `index`, coded with code size 2.
    TGifBytes& Frame(int x, int y, int w, int h, int flags = 0, int index = 1)
    {
        Byte(0x2C).Word(x).Word(y).Word(w).Word(h).Byte(flags);
        return Pixels(std::vector<uint8_t>(size_t(w) * size_t(h), uint8_t(index)), w, h);
    }
    TGifBytes& Pixels(const std::vector<uint8_t>& pixels, int w, int h)
    {
        const auto data = TLZWEncoder::Encode(pixels.data(), w, h, w, 2);
        fBytes.append(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
        return *this;
    }
    QByteArray Bytes() const { return fBytes; }

private:
    QByteArray fBytes;
};

void Load(TZGIFImage& image, const QByteArray& bytes)
{
    image.LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
}

std::string LoadError(const QByteArray& bytes)
{
    TZGIFImage image;
    try {
        Load(image, bytes);
    } catch (const EInvalidGraphicOperation& e) {
        return e.what();
    }
    return "no error";
}

const uint32_t Black = 0x000000, White = 0xFFFFFF, Red = 0xFF0000, Green = 0x00FF00;

} // namespace

TEST(GIFReader, ExtensionsGiveDurationsTransparencyLoopAndComments)
{
    TGifBytes gif;
    gif.Screen(4, 3, 2, 2).Table({Black, White, Red, Green}).Loop(40000);
    gif.Comment("first frame").Control(2 << 2 | 1, 12, 0).Frame(0, 0, 4, 3);
    // A plain-text block drops the control block gathered before it.
    gif.Control(3 << 2, 50, 0);
    gif.Byte(0x21).Byte(0x01).Byte(12);
    for (int i = 0; i < 12; ++i)
        gif.Byte(0);
    gif.Byte(2).Text("hi").Byte(0);
    gif.Frame(1, 1, 2, 2, 0, 2);
    gif.Comment("one").Comment("two").Byte(0x3B);

    TZGIFImage image;
    Load(image, gif.Bytes());
    ASSERT_EQ(image.Count(), 2);
    EXPECT_EQ(image.Version(), TGIFVersion::gv89a);
    EXPECT_EQ(image.BackgroundColor(), RGB(255, 0, 0));
    EXPECT_TRUE(image.Looping());
    EXPECT_EQ(image.RepeatCount(), 30000);
    EXPECT_EQ(image.FrameIndex(), 0);
    EXPECT_EQ(image.Comment(), QStringList({"one", "\r\n\r\n", "two"}));

    TZGIFFrame& first = image.Frames(0);
    EXPECT_EQ(first.AnimateInterval(), 120);
    EXPECT_EQ(first.DisposalMethod(), TDisposalMethod::dmRestoreBackground);
    EXPECT_EQ(first.TransparentColor(), RGB(0, 0, 0));
    EXPECT_EQ(first.CommentLines(), QStringList({"first frame"}));
    EXPECT_FALSE(first.LocalColors());
    EXPECT_EQ(first.Bitmap().PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(first.Bitmap().Palette().size(), 4u);
    EXPECT_EQ(first.Bitmap().Pixel(3, 2), RGB(255, 255, 255));

    TZGIFFrame& second = image.Frames(1);
    EXPECT_EQ(second.AnimateInterval(), 0);
    EXPECT_EQ(second.DisposalMethod(), TDisposalMethod::dmUndefined);
    EXPECT_EQ(second.TransparentColor(), clNone);
    EXPECT_EQ(second.Origin(), TPoint(1, 1));
    EXPECT_EQ(second.Bitmap().Pixel(0, 0), RGB(255, 0, 0));
}

TEST(GIFReader, TransparentEntryIsMadeUnique)
{
    // Entry 1 is repeated by entry 2 and its one-lower blue by entry 3.
    TGifBytes gif;
    gif.Screen(2, 1, 2).Table({Black, 0x102030, 0x102030, 0x10202F}).Control(1, 0, 1).Frame(0, 0, 2, 1).Byte(0x3B);
    TZGIFImage image;
    Load(image, gif.Bytes());
    EXPECT_EQ(image.Frames(0).TransparentColor(), RGB(0x10, 0x20, 0x2E));
    EXPECT_EQ(image.Frames(0).Item().ColorMap().Colors[1], (TGIFColor{0x10, 0x20, 0x2E}));
    EXPECT_EQ(image.Frames(0).Item().ColorMap().Colors[2], (TGIFColor{0x10, 0x20, 0x30}));
    // The global table itself is not touched.
    EXPECT_EQ(image.GlobalData().FColorMap.Colors[1], (TGIFColor{0x10, 0x20, 0x30}));

    // At blue 0 the entry moves upwards instead.
    TGifBytes low;
    low.Screen(2, 1, 1).Table({0x000000, 0x000000}).Control(1, 0, 0).Frame(0, 0, 2, 1).Byte(0x3B);
    Load(image, low.Bytes());
    EXPECT_EQ(image.Frames(0).TransparentColor(), RGB(0, 0, 1));
}

TEST(GIFReader, ToleratesDamageThatLeavesAPicture)
{
    // A sub-block cut by the end of the file: the frame loads, marked corrupted.
    TGifBytes cut;
    cut.Screen(8, 8, 2).Table({Black, White, Red, Green}).Frame(0, 0, 8, 8, 0, 1);
    QByteArray bytes = cut.Bytes();
    bytes.chop(3);
    bytes[bytes.size() - 1] = char(200);
    TZGIFImage image;
    Load(image, bytes);
    ASSERT_EQ(image.Count(), 1);
    EXPECT_TRUE(image.Frames(0).Corrupted());

    // A zero-size descriptor takes the screen's size; unknown bytes after a frame end the file.
    TGifBytes zero;
    zero.Screen(3, 2, 1).Table({Black, White}).Frame(0, 0, 0, 0).Byte(0x77).Byte(0x2C);
    Load(image, zero.Bytes());
    ASSERT_EQ(image.Count(), 1);
    EXPECT_EQ(image.Frames(0).Width(), 3);
    EXPECT_EQ(image.Frames(0).Height(), 2);

    // Reading back what we wrote keeps the encoded frames as they were.
    TGifBytes plain;
    plain.Screen(5, 4, 2).Table({Black, White, Red, Green}).Control(0, 7, 0).Frame(0, 0, 5, 4, 0, 2).Byte(0x3B);
    Load(image, plain.Bytes());
    const std::vector<uint8_t> data = image.Frames(0).Item().FImageData;
    TZGIFImage again;
    Load(again, image.SaveToBytes());
    EXPECT_EQ(again.Frames(0).Item().FImageData, data);
    EXPECT_EQ(again.Frames(0).AnimateInterval(), 70);
}

TEST(GIFReader, FileCutAfterWholeFramesKeepsThem)
{
    // Two whole frames, then the file ends inside the next block.
    TGifBytes whole;
    whole.Screen(4, 4, 2).Table({Black, White, Red, Green}).Control(0, 5, 0).Frame(0, 0, 4, 4, 0, 1)
        .Control(0, 7, 0).Frame(0, 0, 4, 4, 0, 2);
    const QByteArray head = whole.Bytes();
    const std::pair<const char*, QByteArray> cuts[] = {
        {"inside an extension", head + QByteArray("\x21\xF9\x04\x00", 4)},
        {"inside a descriptor", head + QByteArray("\x2C\x00\x00\x04", 4)},
        {"inside a local table", head + QByteArray("\x2C\x00\x00\x00\x00\x04\x00\x04\x00\x81\x00\x00", 12)},
        {"after an extension label", head + QByteArray("\x21", 1)},
    };
    for (const auto& [where, bytes] : cuts) {
        SCOPED_TRACE(where);
        TZGIFImage image;
        ASSERT_NO_THROW(Load(image, bytes));
        ASSERT_EQ(image.Count(), 2);
        EXPECT_TRUE(image.Corrupted());
        EXPECT_EQ(image.Frames(1).AnimateInterval(), 70);
        EXPECT_EQ(image.Frames(1).Bitmap().Pixel(3, 3), RGB(0xFF, 0, 0));
    }
    // A whole file is not marked.
    TZGIFImage image;
    Load(image, head + QByteArray(1, char(0x3B)));
    EXPECT_FALSE(image.Corrupted());
}

TEST(GIFReader, RaisesTheDocumentedErrors)
{
    EXPECT_EQ(LoadError("GIF"), "Unknown GIF version");
    EXPECT_EQ(LoadError("PNG89a......."), "Unknown GIF version");
    EXPECT_EQ(LoadError("GIF88a\x01\x00\x01\x00\x00\x00\x00"), "Unknown GIF version");
    EXPECT_EQ(LoadError(TGifBytes().Screen(1, 1, 0).Byte(0x21).Byte(0x99).Bytes()), "Unrecognized extension block: 99");
    EXPECT_EQ(LoadError(TGifBytes().Screen(1, 1, 0).Comment("x").Byte(0x42).Bytes()), "Stream read error");
    // A table cut short, and a descriptor cut short.
    EXPECT_EQ(LoadError(TGifBytes().Screen(1, 1, 8).Table({Black}).Bytes()), "Stream read error");
    EXPECT_EQ(LoadError(TGifBytes().Screen(1, 1, 0).Byte(0x2C).Word(0).Bytes()), "Stream read error");
    // No table at all: frame 0 cannot be decoded and is dropped.
    TZGIFImage image;
    const QByteArray noTable = TGifBytes().Screen(2, 2, 0).Frame(0, 0, 2, 2).Byte(0x3B).Bytes();
    EXPECT_EQ(LoadError(noTable), "Wrong number of colors; must be a power of 2");
    EXPECT_THROW(Load(image, noTable), EInvalidGraphicOperation);
    EXPECT_EQ(image.Count(), 0);
    // A frame too large to allocate is refused instead.
    const QByteArray huge = TGifBytes().Screen(60000, 60000, 1).Table({Black, White}).Frame(0, 0, 0, 0).Bytes();
    EXPECT_EQ(LoadError(huge), "GIF frame too large: 60000 x 60000 pixels");
}
