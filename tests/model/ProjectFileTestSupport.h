#pragma once
// Helpers of the project-file tests: a byte builder for files made by hand
// from the item table, a progress that cancels on cue, and small pictures.
#include "gif/ZGIFImage.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Progress.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <cstdint>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

// Little-endian bytes appended item by item.
class TBytes {
public:
    TBytes& Byte(uint8_t v)
    {
        fData.append(char(v));
        return *this;
    }
    TBytes& Bool(bool v) { return Byte(v ? 1 : 0); }
    TBytes& Int(int32_t v)
    {
        char raw[4];
        qToLittleEndian(v, raw);
        fData.append(raw, 4);
        return *this;
    }
    TBytes& Ints(std::initializer_list<int32_t> values)
    {
        for (int32_t v : values)
            Int(v);
        return *this;
    }
    TBytes& Str(const QString& s)
    {
        Int(int32_t(s.size()));
        for (QChar c : s) {
            char raw[2];
            qToLittleEndian(c.unicode(), raw);
            fData.append(raw, 2);
        }
        return *this;
    }
    TBytes& IntArray(std::initializer_list<int32_t> values)
    {
        Int(int32_t(values.size()));
        return Ints(values);
    }
    const QByteArray& Data() const { return fData; }

private:
    QByteArray fData;
};

// Cancels the running operation at the n-th look at the progress window's input.
class TCancellingProgress final : public TProgress {
public:
    explicit TCancellingProgress(int cancelAt) : fCancelAt(cancelAt) {}
    int Calls() const { return fCalls; }

protected:
    void ProcessPending() override
    {
        if (++fCalls == fCancelAt)
            Cancel();
    }

private:
    int fCancelAt;
    int fCalls = 0;
};

inline bool WriteBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A bitmap of one colour with a differently coloured rectangle in it.
inline TBitmap MakeBitmap(int width, int height, TColor color, TRect mark = {}, TColor markColor = clBlack)
{
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    TCanvas canvas(bitmap);
    canvas.Brush.Color = color;
    canvas.FillRect(TRect{0, 0, width, height});
    if (!mark.IsEmpty()) {
        canvas.Brush.Color = markColor;
        canvas.FillRect(mark);
    }
    return bitmap;
}

// A GIF whose frames are bitmaps of the given colours, `delay` ms each.
inline TZGIFImage MakeGIF(int width, int height, std::initializer_list<TColor> colors, uint16_t delay = 100)
{
    TZGIFImage gif;
    for (TColor c : colors) {
        const int i = gif.AddFrame(MakeBitmap(width, height, c));
        gif.Frames(i).SetAnimateInterval(delay);
    }
    return gif;
}

// A project file made by hand, item by item, for any format version
// (-1: a file without header). The editor-state values are chosen so that
// each lands in a field of its own on reading.
struct THandProject {
    int Version = 4;
    int FigureCount = 0;
    TBytes Figures;              // the figure records of item 27, without the count
    std::vector<int32_t> FigOrd; // item 24
    QStringList Strings;         // item 52
    int32_t BitmapCount = 0;     // item 53
    int32_t GIFCount = 0;        // item 54
    int32_t BackNum = -1;        // item 55
    int32_t ClipboardCount = 0;  // item 56
    TBytes Clipboard;            // item 57
    int32_t AviFrameTime = 40;
    int32_t AviQuality = 5000;
    int32_t AviPixelFormat = 2;
    int32_t AviCompressor = 1;
    int32_t Width = 320;
    int32_t Height = 240;
    int32_t AnInt = 70;

    QByteArray Build() const
    {
        TBytes b;
        if (Version >= 0)
            b.Str(QStringLiteral("Zembra")).Int(Version);
        b.Bool(true).Bool(false).Bool(false).Bool(true).Bool(false).Byte(0x55).Bool(true).Bool(false).Bool(true);
        b.Ints({7, 8, 9, Width, Height, AnInt, 0, 2, 3, 4, 5});
        b.IntArray({1, 2});
        b.Int(int32_t(FigOrd.size()));
        for (int32_t v : FigOrd)
            b.Int(v);
        b.Int(0);                       // reserved figure list
        b.Int(0x00C08040);              // BackColor
        b.Int(FigureCount);
        QByteArray data = b.Data() + Figures.Data();
        TBytes o;
        o.Int(0);                       // reserved array
        o.Ints({0x123456, 0x111111, 0x222222, 0x333333});
        o.Int(Width).Int(Height).Bool(true).Int(80).Bool(false).Int(3).Ints({90, 91, 92});
        o.Int(1).Int(2).Int(60).Str(QStringLiteral("ignored")).Ints({1, 2, 33});
        o.Str(QStringLiteral("/tmp/frames")).Str(QStringLiteral("x")).Int(55);
        o.Int(int32_t(Strings.size()));
        for (const QString& s : Strings)
            o.Str(s);
        o.Int(BitmapCount).Int(GIFCount);
        if (Version >= 0)
            o.Int(BackNum).Int(ClipboardCount);
        data += o.Data();
        if (Version >= 0)
            data += Clipboard.Data();
        TBytes t;
        if (Version > 0)
            t.Bool(true);
        if (Version > 1)
            t.Str(QStringLiteral("out.avi")).Ints({AviFrameTime, AviQuality, AviPixelFormat, AviCompressor});
        if (Version > 2)
            t.Int(1).Int(120).Str(QStringLiteral("/tmp/images"));
        if (Version > 3)
            t.Bool(false);
        return data + t.Data();
    }
};

// Writes `data` as `name` in `folder` together with its companion folder.
inline QString PutProject(const QString& folder, const QString& name, const QByteArray& data)
{
    const QString path = folder + QLatin1Char('/') + name;
    QString base = name;
    if (base.contains(QLatin1Char('.')))
        base.truncate(base.indexOf(QLatin1Char('.')));
    QDir().mkpath(folder + QLatin1Char('/') + base + QStringLiteral("Files"));
    WriteBytes(path, data);
    return path;
}

// Empty when equal; otherwise where and how the bytes first differ.
inline std::string FirstDifference(const QByteArray& got, const QByteArray& want)
{
    const qsizetype n = std::min(got.size(), want.size());
    qsizetype i = 0;
    while (i < n && got[i] == want[i])
        ++i;
    if (i == n && got.size() == want.size())
        return {};
    return "differ at byte " + std::to_string(i) + " (sizes " + std::to_string(got.size()) + ", "
         + std::to_string(want.size()) + "): got " + got.mid(i, 16).toHex().toStdString() + ", want "
         + want.mid(i, 16).toHex().toStdString();
}
