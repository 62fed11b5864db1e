#include "platform/BinaryFile.h"

#include <QSaveFile>
#include <QtEndian>
#include <limits>

// ---- reader -------------------------------------------------------------

TBinaryReader::TBinaryReader(QIODevice& device) : fDevice(&device)
{
    if (!device.isOpen() || !device.isReadable())
        fOk = false;
}

TBinaryReader::TBinaryReader(const QByteArray& data) : fOwnBuffer(std::make_unique<QBuffer>())
{
    fOwnBuffer->setData(data);
    fOwnBuffer->open(QIODevice::ReadOnly);
    fDevice = fOwnBuffer.get();
}

TBinaryReader::~TBinaryReader() = default;

qint64 TBinaryReader::Pos() const
{
    return fDevice->pos();
}

qint64 TBinaryReader::Remaining() const
{
    if (!fDevice->isOpen())
        return 0;
    if (fDevice->isSequential())
        return fDevice->bytesAvailable();
    return fDevice->size() - fDevice->pos();
}

bool TBinaryReader::Seek(qint64 pos)
{
    if (!fOk)
        return false;
    if (pos < 0 || fDevice->isSequential() || pos > fDevice->size() || !fDevice->seek(pos))
        return Fail();
    return true;
}

bool TBinaryReader::ReadBytes(char* data, qint64 count)
{
    if (!fOk)
        return false;
    if (count < 0 || count > Remaining())
        return Fail();
    qint64 done = 0;
    while (done < count) {
        const qint64 got = fDevice->read(data + done, count - done);
        if (got <= 0)
            return Fail();
        done += got;
    }
    return true;
}

bool TBinaryReader::ReadByte(uint8_t& value)
{
    char c = 0;
    if (!ReadBytes(&c, 1))
        return false;
    value = uint8_t(c);
    return true;
}

bool TBinaryReader::ReadBool(bool& value)
{
    uint8_t b = 0;
    if (!ReadByte(b))
        return false;
    value = b != 0;
    return true;
}

bool TBinaryReader::ReadWord(uint16_t& value)
{
    char raw[2];
    if (!ReadBytes(raw, 2))
        return false;
    value = qFromLittleEndian<uint16_t>(raw);
    return true;
}

bool TBinaryReader::ReadInt(int32_t& value)
{
    char raw[4];
    if (!ReadBytes(raw, 4))
        return false;
    value = qFromLittleEndian<int32_t>(raw);
    return true;
}

bool TBinaryReader::ReadPoint(TPoint& value)
{
    int32_t x = 0, y = 0;
    if (!ReadInt(x) || !ReadInt(y))
        return false;
    value = {x, y};
    return true;
}

bool TBinaryReader::ReadColor(TColor& value)
{
    int32_t v = 0;
    if (!ReadInt(v))
        return false;
    value = TColor(v);
    return true;
}

bool TBinaryReader::ReadStyle(TFontStyles& value)
{
    return ReadByte(value);
}

bool TBinaryReader::ReadString(QString& value)
{
    int32_t count = 0;
    if (!ReadInt(count))
        return false;
    // The count is checked against the data before any allocation.
    if (count < 0 || qint64(count) * 2 > Remaining())
        return Fail();
    QString text(count, Qt::Uninitialized);
    if (!ReadBytes(reinterpret_cast<char*>(text.data()), qint64(count) * 2))
        return false;
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        for (QChar& c : text)
            c = QChar(qFromLittleEndian(c.unicode()));
    }
    value = std::move(text);
    return true;
}

bool TBinaryReader::ReadIntArray(std::vector<int32_t>& values)
{
    int32_t count = 0;
    if (!ReadInt(count))
        return false;
    if (count < 0 || qint64(count) * 4 > Remaining())
        return Fail();
    std::vector<int32_t> result(static_cast<size_t>(count));
    for (int32_t& v : result)
        if (!ReadInt(v))
            return false;
    values = std::move(result);
    return true;
}

// ---- writer -------------------------------------------------------------

bool TBinaryWriter::WriteBytes(const char* data, qint64 count)
{
    if (!fOk)
        return false;
    if (count < 0 || !fDevice->isOpen() || !fDevice->isWritable())
        return Fail();
    if (count > 0 && fDevice->write(data, count) != count)
        return Fail();
    return true;
}

bool TBinaryWriter::WriteByte(uint8_t value)
{
    const char c = char(value);
    return WriteBytes(&c, 1);
}

bool TBinaryWriter::WriteBool(bool value)
{
    return WriteByte(value ? 1 : 0);
}

bool TBinaryWriter::WriteWord(uint16_t value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    return WriteBytes(raw, 2);
}

bool TBinaryWriter::WriteInt(int32_t value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    return WriteBytes(raw, 4);
}

bool TBinaryWriter::WritePoint(const TPoint& value)
{
    return WriteInt(value.X) && WriteInt(value.Y);
}

bool TBinaryWriter::WriteColor(TColor value)
{
    return WriteInt(int32_t(value));
}

bool TBinaryWriter::WriteStyle(TFontStyles value)
{
    return WriteByte(value);
}

bool TBinaryWriter::WriteString(const QString& value)
{
    if (value.size() > std::numeric_limits<int32_t>::max() / 2)
        return Fail();
    if (!WriteInt(int32_t(value.size())))
        return false;
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        return WriteBytes(reinterpret_cast<const char*>(value.utf16()), qint64(value.size()) * 2);
    } else {
        for (QChar c : value)
            if (!WriteWord(c.unicode()))
                return false;
        return true;
    }
}

bool TBinaryWriter::WriteIntArray(const std::vector<int32_t>& values)
{
    if (values.size() > size_t(std::numeric_limits<int32_t>::max()))
        return Fail();
    if (!WriteInt(int32_t(values.size())))
        return false;
    for (int32_t v : values)
        if (!WriteInt(v))
            return false;
    return true;
}

// ---- safe saving --------------------------------------------------------

bool SaveFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool written = false;
    try {
        written = write(file);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!written) {
        file.cancelWriting();
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString()
                                                          : QStringLiteral("The file was not written completely");
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
