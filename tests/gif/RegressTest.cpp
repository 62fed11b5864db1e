// GIFs that once took far more memory than their bytes warrant: each is
// refused with a message before anything large is allocated.
#include "gif/GIFError.h"
#include "gif/ZGIFImage.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(GIFRegress, KeptInputsAreRefusedBeforeAllocating)
{
    const QDir kept(SourceDir() + QStringLiteral("/tests/data/regress/fuzz_gif_reader"));
    const QStringList names = kept.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile file(kept.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        TZGIFImage image;
        EXPECT_THROW(image.LoadFromBytes({reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size())}),
                     EInvalidGraphicOperation)
            << name.toStdString();
    }
}

TEST(GIFRegress, ScreensUpToTheBitmapLimitAreAccepted)
{
    // Screen WxH, a two-colour table and one 1x1 frame.
    auto gif = [](uint16_t w, uint16_t h) {
        QByteArray b("GIF89a");
        for (uint16_t v : {w, h})
            b.append(char(v & 0xFF)).append(char(v >> 8));
        b.append("\x80\x00\x00\x00\x00\x00\xff\xff\xff", 9);
        b.append("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b", 16);
        return b;
    };
    auto load = [](const QByteArray& data) {
        TZGIFImage image;
        try {
            image.LoadFromBytes({reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size())});
        } catch (const EInvalidGraphicOperation& e) {
            return std::string(e.what());
        }
        return std::string("loaded");
    };
    EXPECT_EQ(load(gif(8192, 8192)), "loaded");
    EXPECT_EQ(load(gif(8192, 8193)), "GIF frame too large: 8192 x 8193 pixels");
    EXPECT_EQ(load(gif(2631, 65351)), "GIF frame too large: 2631 x 65351 pixels");
}
