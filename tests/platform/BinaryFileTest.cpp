#include "platform/BinaryFile.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

TEST(BinaryFile, WritesEachPrimitiveLittleEndian)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter out(buffer);
    EXPECT_TRUE(out.WriteByte(0xAB));
    EXPECT_TRUE(out.WriteBool(true));
    EXPECT_TRUE(out.WriteBool(false));
    EXPECT_TRUE(out.WriteWord(0x1234));
    EXPECT_TRUE(out.WriteInt(-2));
    EXPECT_TRUE(out.WritePoint({1, -1}));
    EXPECT_TRUE(out.WriteColor(clNone));
    EXPECT_TRUE(out.WriteStyle(fsBold | fsStrikeOut));
    EXPECT_TRUE(out.WriteString("Ab"));
    EXPECT_TRUE(out.WriteString(""));
    EXPECT_TRUE(out.WriteString(QString::fromUtf8("Я")));
    EXPECT_TRUE(out.WriteIntArray({7, 0x01020304}));
    EXPECT_TRUE(out.WriteIntArray({}));
    EXPECT_TRUE(out.Ok());

    const QByteArray expected = Bytes({
        0xAB, 0x01, 0x00, 0x34, 0x12,                   // byte, true, false, word
        0xFE, 0xFF, 0xFF, 0xFF,                         // Int32 -2
        0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, // point (1, -1)
        0xFF, 0xFF, 0xFF, 0x1F,                         // colour clNone
        0x09,                                           // bold + strike-out
        0x02, 0x00, 0x00, 0x00, 0x41, 0x00, 0x62, 0x00, // "Ab"
        0x00, 0x00, 0x00, 0x00,                         // ""
        0x01, 0x00, 0x00, 0x00, 0x2F, 0x04,             // U+042F
        0x02, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x04, 0x03, 0x02, 0x01,
        0x00, 0x00, 0x00, 0x00,
    });
    EXPECT_EQ(buffer.data().toHex(' '), expected.toHex(' '));
}

TEST(BinaryFile, ReadsHandWrittenBytes)
{
    const QByteArray data = Bytes({
        0x7F, 0x02, 0x00, 0xCD, 0xAB,       // byte, Boolean 2 (true), Boolean 0, word
        0x00, 0x00, 0x00, 0x80,             // INT32_MIN
        0x05, 0x00, 0x00, 0x00, 0xFB, 0xFF, 0xFF, 0xFF,
        0x11, 0x22, 0x33, 0x00,             // colour
        0x06,                               // italic + underline
        0x03, 0x00, 0x00, 0x00, 0x5A, 0x00, 0x3D, 0xD8, 0x00, 0xDE, // "Z" + surrogate pair
        0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x7F,
    });
    TBinaryReader in(data);
    uint8_t b = 0;
    bool t = false, f = true;
    uint16_t w = 0;
    int32_t i = 0;
    TPoint p;
    TColor c = 0;
    TFontStyles s = 0;
    QString text;
    std::vector<int32_t> array;
    ASSERT_TRUE(in.ReadByte(b) && in.ReadBool(t) && in.ReadBool(f) && in.ReadWord(w) && in.ReadInt(i)
                && in.ReadPoint(p) && in.ReadColor(c) && in.ReadStyle(s) && in.ReadString(text)
                && in.ReadIntArray(array));
    EXPECT_EQ(b, 0x7F);
    EXPECT_TRUE(t);
    EXPECT_FALSE(f);
    EXPECT_EQ(w, 0xABCD);
    EXPECT_EQ(i, INT32_MIN);
    EXPECT_EQ(p, TPoint(5, -5));
    EXPECT_EQ(c, 0x332211u);
    EXPECT_EQ(s, fsItalic | fsUnderline);
    EXPECT_EQ(text, QString::fromUtf8("Z\xF0\x9F\x98\x80"));
    EXPECT_EQ(array, std::vector<int32_t>{INT32_MAX});
    EXPECT_TRUE(in.AtEnd());
    EXPECT_FALSE(in.ReadByte(b)); // past the end
}

TEST(BinaryFile, CountsAreBoundedByTheRemainingData)
{
    // A string of 2^30 units announced in a 20-byte file fails without allocating.
    QByteArray huge = Bytes({0x00, 0x00, 0x00, 0x40});
    huge.append(16, 'x');
    QString text = "kept";
    {
        TBinaryReader in(huge);
        EXPECT_FALSE(in.ReadString(text));
        EXPECT_EQ(text, "kept"); // the target is untouched on failure
    }
    // Negative counts, counts one unit or value short, a count of INT32_MAX.
    const QByteArray cases[] = {
        Bytes({0xFF, 0xFF, 0xFF, 0xFF}),
        Bytes({0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}),
        Bytes({0x02, 0x00, 0x00, 0x00, 0x41, 0x00, 0x42}),
        Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00}),
    };
    for (const QByteArray& data : cases) {
        TBinaryReader strings(data);
        EXPECT_FALSE(strings.ReadString(text)) << data.toHex().constData();
        TBinaryReader arrays(data);
        std::vector<int32_t> values{42};
        EXPECT_FALSE(arrays.ReadIntArray(values)) << data.toHex().constData();
        EXPECT_EQ(values, std::vector<int32_t>{42});
    }
}

TEST(BinaryFile, ErrorsAreStickyUntilCleared)
{
    // A file without the expected header: the first read fails, later reads
    // fail too, and after clearing and rewinding the data reads from offset 0.
    const QByteArray data = Bytes({0x10, 0x00, 0x00, 0x00, 0x01});
    TBinaryReader in(data);
    QString signature;
    EXPECT_FALSE(in.ReadString(signature));
    uint8_t b = 0;
    EXPECT_FALSE(in.ReadByte(b));
    EXPECT_FALSE(in.Ok());
    EXPECT_FALSE(in.Seek(0)); // no seeking while failed
    in.ClearError();
    ASSERT_TRUE(in.Seek(0));
    int32_t v = 0;
    EXPECT_TRUE(in.ReadInt(v) && in.ReadByte(b));
    EXPECT_EQ(v, 16);
    EXPECT_EQ(b, 1);
    EXPECT_FALSE(in.Seek(6));
    EXPECT_FALSE(in.Ok());

    // A writer on a device that refuses writes fails and stays failed.
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    TBinaryWriter out(readOnly);
    EXPECT_FALSE(out.WriteInt(1));
    EXPECT_FALSE(out.WriteString("x"));
    EXPECT_FALSE(out.Ok());
}

TEST(BinaryFile, ReadsFromAFileDevice)
{
    const QString path = TempDir() + "/values.bin";
    WriteAll(path, Bytes({0x03, 0x00, 0x00, 0x00, 0x41, 0x00, 0x42, 0x00, 0x43, 0x00, 0x09}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TBinaryReader in(file);
    QString text;
    uint8_t b = 0;
    EXPECT_TRUE(in.ReadString(text) && in.ReadByte(b));
    EXPECT_EQ(text, "ABC");
    EXPECT_EQ(b, 9);
    EXPECT_EQ(in.Remaining(), 0);

    QFile closed(path);
    TBinaryReader unopened(closed);
    EXPECT_FALSE(unopened.ReadByte(b));
}

TEST(BinaryFile, SafeSaveReplacesTheOldFileOnlyOnSuccess)
{
    const QString path = TempDir() + "/settings.dat";
    WriteAll(path, "old content");

    // A writer that gives up half-way leaves the old file as it was.
    QString error;
    EXPECT_FALSE(SaveFileSafely(
        path,
        [](QIODevice& file) {
            TBinaryWriter out(file);
            out.WriteInt(1);
            return false;
        },
        &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(path), "old content");

    // An exception inside the writer leaves it as well, and passes through.
    EXPECT_THROW(SaveFileSafely(path, [](QIODevice&) -> bool { throw std::runtime_error("boom"); }),
                 std::runtime_error);
    EXPECT_EQ(ReadAll(path), "old content");

    EXPECT_TRUE(SaveFileSafely(path, [](QIODevice& file) {
        TBinaryWriter out(file);
        return out.WriteString("Ab") && out.Ok();
    }));
    EXPECT_EQ(ReadAll(path), Bytes({0x02, 0x00, 0x00, 0x00, 0x41, 0x00, 0x62, 0x00}));

    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(SaveFileSafely(TempDir() + "/missing/x.dat", [](QIODevice&) { return true; }, &error));
    EXPECT_FALSE(error.isEmpty());
}
