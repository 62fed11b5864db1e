#include "editor/core/SettingsFile.h"

#include "model/DefaultFields.h"
#include "platform/BinaryFile.h"

#include <QFile>
#include <variant>

namespace {

void Read(TBinaryReader& in, bool& value) { in.ReadBool(value); }
void Read(TBinaryReader& in, int32_t& value) { in.ReadInt(value); }
void Read(TBinaryReader& in, TColor& value) { in.ReadColor(value); }
void Read(TBinaryReader& in, QString& value) { in.ReadString(value); }
void Read(TBinaryReader& in, TFontStyles& value) { in.ReadStyle(value); }
void Write(TBinaryWriter& out, bool value) { out.WriteBool(value); }
void Write(TBinaryWriter& out, int32_t value) { out.WriteInt(value); }
void Write(TBinaryWriter& out, TColor value) { out.WriteColor(value); }
void Write(TBinaryWriter& out, const QString& value) { out.WriteString(value); }
void Write(TBinaryWriter& out, TFontStyles value) { out.WriteStyle(value); }

bool ReadDefaults(TBinaryReader& in, TDefaultParam& d)
{
    // Straight into the record, field by field: a short file keeps what was read.
    // (The reader's error is sticky, so each read after the end fails at once.)
    for (const TDefaultField& field : DefaultFields())
        std::visit([&](auto member) { Read(in, d.*member); }, field.Member);
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
    for (const TDefaultField& field : DefaultFields())
        std::visit([&](auto member) { Write(out, d.*member); }, field.Member);
    if (!w.OptimiseGIF)
        out.WriteBool(false);
    return out.Ok();
}

bool SaveSettingsFile(const QString& path, const TWindowSettings& window, const TDefaultParam& defaults)
{
    return SaveFileSafely(path, [&](QIODevice& file) { return WriteSettings(file, window, defaults); });
}
