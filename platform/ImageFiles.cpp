#include "platform/ImageFiles.h"

#include "platform/BinaryFile.h"
#include "platform/BmpCodec.h"
#include "platform/JpegCodec.h"
#include "platform/PngCodec.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace {

// Larger than any picture within the pixel limit, with its headers.
constexpr qint64 kMaxImageFileBytes = qint64(3) << 29;

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

void SaveBytes(const QByteArray& bytes, const QString& path)
{
    QString error;
    if (!SaveFileSafely(path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); }, &error))
        throw EImageFileError(QStringLiteral("The picture \"%1\" cannot be saved: %2").arg(FileName(path), error));
}

} // namespace

TImageFileKind DetectImageKind(const QByteArray& data)
{
    const auto starts = [&](const char* magic, qsizetype length) {
        return data.size() >= length && std::memcmp(data.constData(), magic, size_t(length)) == 0;
    };
    if (starts("BM", 2))
        return TImageFileKind::Bmp;
    if (starts("\xFF\xD8\xFF", 3))
        return TImageFileKind::Jpeg;
    if (starts("\x89PNG\r\n\x1A\n", 8))
        return TImageFileKind::Png;
    if (starts("GIF87a", 6) || starts("GIF89a", 6))
        return TImageFileKind::Gif;
    return TImageFileKind::Unknown;
}

TBitmap LoadImageData(const QByteArray& data)
{
    switch (DetectImageKind(data)) {
    case TImageFileKind::Bmp:
        return BmpCodec::Decode(data);
    case TImageFileKind::Jpeg:
        return JpegCodec::Decode(data);
    case TImageFileKind::Png:
        return PngCodec::Decode(data);
    case TImageFileKind::Gif:
        throw EImageFileError("The data is a GIF picture, not a BMP, JPEG or PNG picture.");
    case TImageFileKind::Unknown:
        break;
    }
    if (data.isEmpty())
        throw EImageFileError("The picture file is empty.");
    throw EImageFileError("The data is not a BMP, JPEG or PNG picture.");
}

TBitmap LoadImageFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EImageFileError(QStringLiteral("The picture \"%1\" cannot be opened: %2").arg(FileName(path), file.errorString()));
    if (file.size() > kMaxImageFileBytes)
        throw EImageFileError(QStringLiteral("The picture \"%1\" is too large (%2 bytes).").arg(FileName(path)).arg(file.size()));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EImageFileError(QStringLiteral("The picture \"%1\" cannot be read: %2").arg(FileName(path), file.errorString()));
    try {
        return LoadImageData(data);
    } catch (const EImageFileError& e) {
        throw EImageFileError(QStringLiteral("The picture \"%1\" cannot be loaded. %2").arg(FileName(path), e.Message()));
    }
}

QByteArray EncodeBmp(const TBitmap& bitmap)
{
    return BmpCodec::Encode(bitmap);
}

QByteArray EncodeJpeg(const TBitmap& bitmap, int quality)
{
    return JpegCodec::Encode(bitmap, quality);
}

QByteArray EncodePng(const TBitmap& bitmap, int level)
{
    return PngCodec::Encode(bitmap, level);
}

QByteArray EncodePngRgba(const QImage& image, int level)
{
    return PngCodec::EncodeRgba(image, level);
}

void SaveImageFile(const TBitmap& bitmap, const QString& path, TImageFileKind kind, int jpegQuality)
{
    switch (kind) {
    case TImageFileKind::Bmp:
        return SaveBytes(EncodeBmp(bitmap), path);
    case TImageFileKind::Jpeg:
        return SaveBytes(EncodeJpeg(bitmap, jpegQuality), path);
    case TImageFileKind::Png:
        return SaveBytes(EncodePng(bitmap), path);
    case TImageFileKind::Gif:
    case TImageFileKind::Unknown:
        break;
    }
    throw EImageFileError(QStringLiteral("The picture \"%1\" cannot be saved in that format.").arg(FileName(path)));
}

void SaveBmpFile(const TBitmap& bitmap, const QString& path)
{
    SaveBytes(EncodeBmp(bitmap), path);
}

void SaveJpegFile(const TBitmap& bitmap, const QString& path, int quality)
{
    SaveBytes(EncodeJpeg(bitmap, quality), path);
}

void SavePngFile(const TBitmap& bitmap, const QString& path, int level)
{
    SaveBytes(EncodePng(bitmap, level), path);
}

void SavePngRgbaFile(const QImage& image, const QString& path, int level)
{
    SaveBytes(EncodePngRgba(image, level), path);
}
