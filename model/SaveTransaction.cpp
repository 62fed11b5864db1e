#include "model/SaveTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

std::filesystem::path LocalPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

TSaveTransaction::~TSaveTransaction()
{
    Discard();
}

void TSaveTransaction::Discard()
{
    for (const TStaged& staged : fStaged)
        QFile::remove(staged.Temp);
    fStaged.clear();
}

bool TSaveTransaction::Stage(const QString& path, const QByteArray& data)
{
    if (QFileInfo(path).isDir()) {
        fError = QStringLiteral("%1 is a folder").arg(path);
        return false;
    }
    QTemporaryFile file(path + QStringLiteral(".XXXXXX.tmp"));
    file.setAutoRemove(false);
    if (!file.open()) {
        fError = QStringLiteral("Cannot create a file beside %1: %2").arg(path, file.errorString());
        return false;
    }
    const QString temp = file.fileName();
    const bool written = file.write(data) == data.size() && file.flush() && ::fsync(file.handle()) == 0;
    if (!written) {
        fError = QStringLiteral("Cannot write %1: %2").arg(temp, file.errorString());
        file.close();
        QFile::remove(temp);
        return false;
    }
    file.close();
    // A temporary file is created readable by its owner only; the new file
    // keeps the permissions of the one it replaces, or those of a usual new file.
    file.setPermissions(QFileInfo::exists(path) ? QFile::permissions(path)
                                                : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    fStaged.push_back({temp, path});
    return true;
}

void TSaveTransaction::RemoveUnlessStaged(const QString& path)
{
    fRemove.append(path);
}

bool TSaveTransaction::Commit()
{
    for (size_t i = 0; i < fStaged.size(); ++i) {
        std::error_code error;
        std::filesystem::rename(LocalPath(fStaged[i].Temp), LocalPath(fStaged[i].Target), error);
        if (error) {
            fError = QStringLiteral("Cannot replace %1: %2")
                         .arg(fStaged[i].Target, QString::fromStdString(error.message()));
            fStaged.erase(fStaged.begin(), fStaged.begin() + static_cast<std::ptrdiff_t>(i));
            Discard();
            return false;
        }
    }
    QStringList written;
    for (const TStaged& staged : fStaged)
        written.append(QFileInfo(staged.Target).absoluteFilePath());
    fStaged.clear();
    for (const QString& path : fRemove)
        if (!written.contains(QFileInfo(path).absoluteFilePath()))
            QFile::remove(path);
    fRemove.clear();
    return true;
}
