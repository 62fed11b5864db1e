#pragma once
// Text lines as GIF data sub-blocks: empty lines skipped, each line cut to 255
// bytes, then the zero-length terminator. `Sink` has Byte(uint8_t) and
// Bytes(const void*, size_t).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

template <class Sink>
void WriteLineSubBlocks(Sink& sink, const QStringList& lines)
{
    for (const QString& line : lines) {
        const QByteArray bytes = line.toLatin1().left(255);
        if (bytes.isEmpty())
            continue;
        sink.Byte(uint8_t(bytes.size()));
        sink.Bytes(bytes.constData(), size_t(bytes.size()));
    }
    sink.Byte(0);
}
