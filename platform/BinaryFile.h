#pragma once
// Little-endian readers and writers of the primitive encodings shared by the
// settings file and the project file:
//   byte                one byte
//   Boolean             one byte, 0 or 1 (any non-zero byte reads as true)
//   16-bit unit         two bytes
//   Int32               four bytes, signed
//   point               two Int32 (X, Y)
//   colour              Int32 COLORREF (0x00BBGGRR)
//   font style set      one byte (bit 0 bold, 1 italic, 2 underline, 3 strike-out)
//   string              Int32 count of UTF-16 code units, then the units; no terminator
//   integer array       Int32 count, then that many Int32
//
// Every operation returns whether the whole value was transferred. Both sides
// keep a sticky error: after the first failure every further operation fails
// too, so a composite can run a chain of reads and check once. A reader never
// trusts a count: a string or array longer than what remains of the data fails
// before anything is allocated for it.
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Types.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TBinaryReader {
public:
    // Reads from an open device, starting at its current position. The device
    // must outlive the reader. For sequential devices "what remains" is what
    // the device has available.
    explicit TBinaryReader(QIODevice& device);
    // Reads from bytes in memory (the reader keeps its own shallow copy).
    explicit TBinaryReader(const QByteArray& data);
    ~TBinaryReader();
    TBinaryReader(const TBinaryReader&) = delete;
    TBinaryReader& operator=(const TBinaryReader&) = delete;

    bool ReadByte(uint8_t& value);
    bool ReadBool(bool& value);
    bool ReadWord(uint16_t& value);
    bool ReadInt(int32_t& value);
    bool ReadPoint(TPoint& value);
    bool ReadColor(TColor& value);
    bool ReadStyle(TFontStyles& value);
    bool ReadString(QString& value);
    bool ReadIntArray(std::vector<int32_t>& values);
    // Exactly `count` raw bytes (fails without reading when fewer remain).
    bool ReadBytes(char* data, qint64 count);

    // False once any operation has failed.
    bool Ok() const { return fOk; }
    // Forgets an earlier failure (for example before re-reading from offset 0).
    void ClearError() { fOk = true; }

    qint64 Pos() const;
    // Moves to an absolute position; fails (and sets the error) outside the data.
    bool Seek(qint64 pos);
    // Bytes left between the position and the end of the data.
    qint64 Remaining() const;
    bool AtEnd() const { return Remaining() <= 0; }

private:
    bool Fail() { fOk = false; return false; }

    std::unique_ptr<QBuffer> fOwnBuffer; // set when reading from memory
    QIODevice* fDevice = nullptr;
    bool fOk = true;
};

class TBinaryWriter {
public:
    // Writes to an open device at its current position; the device must outlive the writer.
    explicit TBinaryWriter(QIODevice& device) : fDevice(&device) {}

    bool WriteByte(uint8_t value);
    bool WriteBool(bool value);
    bool WriteWord(uint16_t value);
    bool WriteInt(int32_t value);
    bool WritePoint(const TPoint& value);
    bool WriteColor(TColor value);
    bool WriteStyle(TFontStyles value);
    bool WriteString(const QString& value);
    bool WriteIntArray(const std::vector<int32_t>& values);
    bool WriteBytes(const char* data, qint64 count);

    bool Ok() const { return fOk; }

private:
    bool Fail() { fOk = false; return false; }

    QIODevice* fDevice;
    bool fOk = true;
};

// Writes a file so that an existing file of that name is replaced only when the
// whole new content was written: the content goes to a temporary file in the
// same folder, which is renamed over the old file when `write` returns true and
// every write succeeded; otherwise the old file stays untouched. Returns
// whether the new file is in place; `error` (when given) receives the reason.
//
//     SaveFileSafely(path, [&](QIODevice& file) {
//         TBinaryWriter out(file);
//         out.WriteInt(4);
//         out.WriteString(name);
//         return out.Ok();
//     });
bool SaveFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write,
                    QString* error = nullptr);
