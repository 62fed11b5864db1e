#include "cli/EngineAviControl.h"

#include <QFile>

namespace {

std::string FileNameOf(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

QString FileNameFrom(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

} // namespace

void TEngineAviControl::Setfilename(const QString& value)
{
    fEngine.Setfilename(FileNameOf(value));
}

QString TEngineAviControl::filename() const
{
    return FileNameFrom(fEngine.filename());
}

void TEngineAviControl::SetTempFileName(const QString& value)
{
    fEngine.SetTempFileName(FileNameOf(value));
}

void TEngineAviControl::SetWavFileName(const QString& value)
{
    fEngine.SetWavFileName(FileNameOf(value));
}

QString TEngineAviControl::AVIGetCode(int32_t index)
{
    return QString::fromStdString(fEngine.AVIGetCode(index));
}

void TEngineAviControl::SetCompression(const QString& code)
{
    fEngine.SetCompression(code.toStdString());
}

void TEngineAviControl::AddWaveFile(const QString& fileName, int32_t delay)
{
    fEngine.AddWaveFile(FileNameOf(fileName), delay);
}
