// The settings file: exact bytes, short and damaged files, safe replacing.
#include "editor/core/SettingsFile.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Little-endian bytes written by hand, independent of the writer under test.
struct TBytes {
    QByteArray Data;
    TBytes& Byte(uint8_t v) { Data.append(char(v)); return *this; }
    TBytes& Int(int32_t v)
    {
        const uint32_t u = uint32_t(v);
        for (int i = 0; i < 4; ++i)
            Data.append(char((u >> (8 * i)) & 0xFF));
        return *this;
    }
    TBytes& Str(const QString& s)
    {
        Int(int32_t(s.size()));
        for (QChar c : s) {
            Data.append(char(c.unicode() & 0xFF));
            Data.append(char(c.unicode() >> 8));
        }
        return *this;
    }
};

TWindowSettings SampleWindow()
{
    TWindowSettings w;
    w.WindowState = 2;
    w.Left = 10;
    w.Top = -5;
    w.Width = 800;
    w.Height = 600;
    w.PropertyPanelWidth = 300;
    w.FrameStripHeight = 130;
    w.LastProject = QStringLiteral("a.z");
    return w;
}

// Every field different from its neighbours and from the built-in value, so a
// field in the wrong place shows.
TDefaultParam SampleDefaults()
{
    TDefaultParam d;
    d.Center = false;
    d.Arrow1 = true;
    d.Arrow2 = false;
    d.ChCn = false;
    d.Line = true;
    d.Transparent = true;
    d.PointX = 1;
    d.PointY = 2;
    d.Padding = 3;
    d.BorderWidth = 5;
    d.ShadowWidth = 6;
    d.TextSize = 7;
    d.Angle = -8;
    d.TextFill = 2;
    d.TextSpeech = 3;
    d.Orient = 1;
    d.Left = 11;
    d.Top = 12;
    d.Width = 13;
    d.Height = 14;
    d.BackColor = 0x010203;
    d.ShadowColor = 0x040506;
    d.BorderColor = 0x070809;
    d.TextColor = 0x0A0B0C;
    d.TextName = QStringLiteral("Ab");
    d.TextValue = QString(QChar(0x0416));
    d.TextStyle = 0x05;
    return d;
}

QByteArray SampleBytes()
{
    TBytes b;
    b.Byte(2).Int(10).Int(-5).Int(800).Int(600).Int(300).Int(130).Str(QStringLiteral("a.z"));
    b.Byte(0).Byte(1).Byte(0).Byte(0).Byte(1).Byte(1);           // Center .. Transparent
    b.Int(1).Int(2);                                            // PointX, PointY
    b.Int(3).Int(5).Int(6).Int(7).Int(-8).Int(2).Int(3).Int(1); // Padding .. Orient
    b.Int(11).Int(12).Int(13).Int(14);                          // Left, Top, Width, Height
    b.Int(0x010203).Int(0x040506).Int(0x070809).Int(0x0A0B0C);  // colours
    b.Str(QStringLiteral("Ab")).Str(QString(QChar(0x0416)));    // TextName, TextValue
    b.Byte(0x05);                                               // TextStyle
    return b.Data;
}

bool ReadBytes(const QByteArray& bytes, TWindowSettings& window, TDefaultParam& defaults)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return ReadSettings(buffer, window, defaults);
}

} // namespace

TEST(SettingsFile, WritesTheExactLayout)
{
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteSettings(buffer, SampleWindow(), SampleDefaults()));
    EXPECT_EQ(written.toHex(' '), SampleBytes().toHex(' '));
}

TEST(SettingsFile, BuiltInDefaultsAreStoredAsTheWindowsProgramStoresThem)
{
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteSettings(buffer, TWindowSettings{}, TDefaultParam{}));
    TBytes b;
    b.Byte(0).Int(0).Int(0).Int(0).Int(0).Int(0).Int(0).Str({});
    b.Byte(1).Byte(0).Byte(0).Byte(1).Byte(0).Byte(0).Int(0).Int(0);
    b.Int(4).Int(2).Int(0).Int(12).Int(0).Int(0).Int(0).Int(0);
    b.Int(4).Int(4).Int(100).Int(100);
    b.Int(0xFFFFFF).Int(0xFFFFFF).Int(0).Int(0);
    b.Str(QStringLiteral("Arial")).Str({}).Byte(0);
    EXPECT_EQ(written.toHex(' '), b.Data.toHex(' '));
}

TEST(SettingsFile, ReadsEveryField)
{
    TWindowSettings window;
    TDefaultParam defaults;
    ASSERT_TRUE(ReadBytes(SampleBytes(), window, defaults));
    EXPECT_EQ(window, SampleWindow());
    EXPECT_EQ(defaults, SampleDefaults());
}

TEST(SettingsFile, AnyBooleanByteOtherThanZeroReadsTrue)
{
    QByteArray bytes = SampleBytes();
    const int firstBoolean = 1 + 6 * 4 + 4 + 3 * 2;
    bytes[firstBoolean] = char(0x7F);
    TWindowSettings window;
    TDefaultParam defaults;
    ASSERT_TRUE(ReadBytes(bytes, window, defaults));
    EXPECT_TRUE(defaults.Center);
}

TEST(SettingsFile, AShortFileAppliesNoWindowFieldAndKeepsTheDefaultsReadBeforeItsEnd)
{
    const QByteArray full = SampleBytes();
    const TWindowSettings untouched{7, 1, 2, 3, 4, 5, 6, QStringLiteral("keep")};
    for (int length = 0; length < full.size(); ++length) {
        TWindowSettings window = untouched;
        TDefaultParam defaults;
        EXPECT_FALSE(ReadBytes(full.left(length), window, defaults)) << length;
        EXPECT_EQ(window, untouched) << length;
    }

    // Cut inside the window fields: nothing of the defaults is touched.
    {
        TWindowSettings window;
        TDefaultParam defaults;
        ReadBytes(full.left(20), window, defaults);
        EXPECT_EQ(defaults, TDefaultParam{});
    }
    // Cut in the middle of BorderWidth: Center .. Padding were read, the rest stays built-in.
    {
        const int windowPart = 1 + 6 * 4 + 4 + 3 * 2;
        const int cut = windowPart + 6 + 2 * 4 + 4 + 2;
        TWindowSettings window;
        TDefaultParam defaults;
        ReadBytes(full.left(cut), window, defaults);
        const TDefaultParam sample = SampleDefaults();
        EXPECT_EQ(defaults.Arrow1, sample.Arrow1);
        EXPECT_EQ(defaults.Transparent, sample.Transparent);
        EXPECT_EQ(defaults.PointY, sample.PointY);
        EXPECT_EQ(defaults.Padding, sample.Padding);
        EXPECT_EQ(defaults.BorderWidth, TDefaultParam{}.BorderWidth);
        EXPECT_EQ(defaults.TextName, TDefaultParam{}.TextName);
    }
}

TEST(SettingsFile, DamagedFilesNeverCrashNorAllocateWithoutBound)
{
    // Absurd and negative string lengths where the last project is stored.
    for (int32_t count : {0x7FFFFFFF, -1, int32_t(0x80000000), 1000}) {
        TBytes b;
        b.Byte(0).Int(1).Int(2).Int(3).Int(4).Int(5).Int(6).Int(count);
        TWindowSettings window;
        TDefaultParam defaults;
        EXPECT_FALSE(ReadBytes(b.Data, window, defaults)) << count;
        EXPECT_EQ(window, TWindowSettings{});
    }
    // Random bytes of many lengths.
    QRandomGenerator random(1234);
    for (int i = 0; i < 500; ++i) {
        QByteArray bytes(int(random.bounded(200)), Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random.bounded(256));
        TWindowSettings window;
        TDefaultParam defaults;
        ReadBytes(bytes, window, defaults); // must simply return
    }
}

TEST(SettingsFile, SavingReplacesTheWholeOldFileAndAFailedSaveCreatesNothing)
{
    const QString path = TempDir() + QStringLiteral("/settings.dat");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4096, 'x')); // longer than the new content
    }
    ASSERT_TRUE(SaveSettingsFile(path, SampleWindow(), SampleDefaults()));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), SampleBytes());

    TWindowSettings window;
    TDefaultParam defaults;
    EXPECT_TRUE(LoadSettingsFile(path, window, defaults));
    EXPECT_EQ(window, SampleWindow());

    const QString nowhere = TempDir() + QStringLiteral("/missing/settings.dat");
    EXPECT_FALSE(SaveSettingsFile(nowhere, SampleWindow(), SampleDefaults()));
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_FALSE(LoadSettingsFile(nowhere, window, defaults));
}

TEST(SettingsFile, OptimiseOffIsOneTrailingByteAndAFileWithoutItMeansOn)
{
    TWindowSettings off = SampleWindow();
    off.OptimiseGIF = false;
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteSettings(buffer, off, SampleDefaults()));
    EXPECT_EQ(written, SampleBytes() + QByteArray(1, '\0'));

    TWindowSettings window;
    TDefaultParam defaults;
    ASSERT_TRUE(ReadBytes(written, window, defaults));
    EXPECT_FALSE(window.OptimiseGIF);
    ASSERT_TRUE(ReadBytes(SampleBytes(), window, defaults));
    EXPECT_TRUE(window.OptimiseGIF);
}
