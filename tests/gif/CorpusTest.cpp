// Every sample GIF of the test corpus (tests/data/corpus) loads or fails with a documented
// message, quickly; where giflib also decodes a frame cleanly, the palette
// indices agree.
#include "gif/GIFComposer.h"
#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"
#include "tests/gif/GiflibPeer.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <ctime>
#include <gtest/gtest.h>

namespace {

// The processor-time budget per file (processor time, so that a loaded
// machine does not fail it); sanitizer builds run several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 BudgetMs = 5000;
#else
constexpr qint64 BudgetMs = 1000;
#endif

bool Documented(const std::string& message)
{
    static const char* const known[] = {"Unknown GIF version", "Stream read error",
                                        "Wrong number of colors; must be a power of 2"};
    for (const char* k : known)
        if (message == k)
            return true;
    return message.rfind("Unrecognized extension block: ", 0) == 0 || message.rfind("GIF frame too large: ", 0) == 0;
}

// Palette indices of a decoded frame bitmap, rows top to bottom.
std::vector<uint8_t> Indices(TBitmap& bitmap)
{
    std::vector<uint8_t> out;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            out.push_back(uint8_t(bitmap.PixelIndex(x, y)));
    return out;
}

} // namespace

TEST(GIFCorpus, EveryFileLoadsOrFailsCleanly)
{
    const QDir dir(CorpusDir() + "/gif");
    const QStringList files = dir.entryList({"*.gif"}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    int loaded = 0, compared = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const std::clock_t started = std::clock();
        const auto elapsedMs = [started] { return qint64((std::clock() - started) * 1000 / CLOCKS_PER_SEC); };
        TZGIFImage image;
        try {
            image.LoadFromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
            ++loaded;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_TRUE(Documented(e.what())) << e.what();
        }
        // Every frame that is there decodes and composes, or fails with a documented message.
        TGIFComposer composer(image);
        for (int i = 0; i < image.Count(); ++i) {
            try {
                image.Frames(i).Bitmap();
                TColor key;
                composer.Compose(i, key);
            } catch (const EInvalidGraphicOperation& e) {
                EXPECT_TRUE(Documented(e.what())) << e.what();
            }
        }
        EXPECT_LT(elapsedMs(), BudgetMs);
        RecordProperty(name.toStdString(), int(elapsedMs()));

        const TPeerGif peer = DecodeWithGiflib(bytes);
        if (!peer.Ok || int(peer.Frames.size()) != image.Count())
            continue;
        for (int i = 0; i < image.Count(); ++i) {
            TZGIFFrame& frame = image.Frames(i);
            if (frame.Corrupted() || !frame.HasBitmap() || frame.Width() != peer.Frames[size_t(i)].Width ||
                frame.Height() != peer.Frames[size_t(i)].Height)
                continue;
            // Our decoder masks values to the table's size; giflib passes them on.
            std::vector<uint8_t> expected = peer.Frames[size_t(i)].Indices;
            const size_t tableSize = std::max<size_t>(peer.Frames[size_t(i)].Palette.size(), 2);
            for (uint8_t& v : expected)
                v &= uint8_t(tableSize - 1);
            EXPECT_EQ(Indices(frame.Bitmap()), expected) << "frame " << i;
            ++compared;
        }
    }
    EXPECT_GT(loaded, 10);
    EXPECT_GT(compared, 5);
}
