#include "editor/core/SettingsFile.h"

#include "platform/BinaryFile.h"

#include <QFile>

namespace {

bool ReadDefaults(TBinaryReader& in, TDefaultParam& d)
{
    // Straight into the record, field by field: a short file keeps what was read.
    // (The reader's error is sticky, so each read after the end fails at once.)
    in.ReadBool(d.Center);
    in.ReadBool(d.Arrow1);
    in.ReadBool(d.Arrow2);
    in.ReadBool(d.ChCn);
    in.ReadBool(d.Line);
    in.ReadBool(d.Transparent);
    in.ReadInt(d.PointX);
    in.ReadInt(d.PointY);
    in.ReadInt(d.Padding);
    in.ReadInt(d.BorderWidth);
    in.ReadInt(d.ShadowWidth);
    in.ReadInt(d.TextSize);
    in.ReadInt(d.Angle);
    in.ReadInt(d.TextFill);
    in.ReadInt(d.TextSpeech);
    in.ReadInt(d.Orient);
    in.ReadInt(d.Left);
    in.ReadInt(d.Top);
    in.ReadInt(d.Width);
    in.ReadInt(d.Height);
    in.ReadColor(d.BackColor);
    in.ReadColor(d.ShadowColor);
    in.ReadColor(d.BorderColor);
    in.ReadColor(d.TextColor);
    in.ReadString(d.TextName);
    in.ReadString(d.TextValue);
    in.ReadStyle(d.TextStyle);
    return in.Ok();
}

} // namespace

bool ReadSettings(QIODevice& device, TWindowSettings& window, TDefaultParam& defaults)
{
    TBinaryReader in(device);
    TWindowSettings read;
    in.ReadByte(read.WindowState);
    in.ReadInt(read.Left);
    in.ReadInt(read.Top);
    in.ReadInt(read.Width);
    in.ReadInt(read.Height);
    in.ReadInt(read.PropertyPanelWidth);
    in.ReadInt(read.FrameStripHeight);
    in.ReadString(read.LastProject);
    if (!in.Ok())
        return false;
    if (!ReadDefaults(in, defaults))
        return false;
    if (!device.atEnd()) {
        uint8_t optimise = 1;
        in.ReadByte(optimise);
        read.OptimiseGIF = !in.Ok() || optimise != 0;
    }
    window = read;
    return true;
}

bool LoadSettingsFile(const QString& path, TWindowSettings& window, TDefaultParam& defaults)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ReadSettings(file, window, defaults);
}

bool WriteSettings(QIODevice& device, const TWindowSettings& w, const TDefaultParam& d)
{
    TBinaryWriter out(device);
    out.WriteByte(w.WindowState);
    out.WriteInt(w.Left);
    out.WriteInt(w.Top);
    out.WriteInt(w.Width);
    out.WriteInt(w.Height);
    out.WriteInt(w.PropertyPanelWidth);
    out.WriteInt(w.FrameStripHeight);
    out.WriteString(w.LastProject);
    out.WriteBool(d.Center);
    out.WriteBool(d.Arrow1);
    out.WriteBool(d.Arrow2);
    out.WriteBool(d.ChCn);
    out.WriteBool(d.Line);
    out.WriteBool(d.Transparent);
    out.WriteInt(d.PointX);
    out.WriteInt(d.PointY);
    out.WriteInt(d.Padding);
    out.WriteInt(d.BorderWidth);
    out.WriteInt(d.ShadowWidth);
    out.WriteInt(d.TextSize);
    out.WriteInt(d.Angle);
    out.WriteInt(d.TextFill);
    out.WriteInt(d.TextSpeech);
    out.WriteInt(d.Orient);
    out.WriteInt(d.Left);
    out.WriteInt(d.Top);
    out.WriteInt(d.Width);
    out.WriteInt(d.Height);
    out.WriteColor(d.BackColor);
    out.WriteColor(d.ShadowColor);
    out.WriteColor(d.BorderColor);
    out.WriteColor(d.TextColor);
    out.WriteString(d.TextName);
    out.WriteString(d.TextValue);
    out.WriteStyle(d.TextStyle);
    if (!w.OptimiseGIF)
        out.WriteBool(false);
    return out.Ok();
}

bool SaveSettingsFile(const QString& path, const TWindowSettings& window, const TDefaultParam& defaults)
{
    return SaveFileSafely(path, [&](QIODevice& file) { return WriteSettings(file, window, defaults); });
}
