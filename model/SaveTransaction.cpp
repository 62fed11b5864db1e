#include "model/SaveTransaction.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray kJournalHeader = "ZembraSave 1";
const QByteArray kJournalEnd = "E";

// Temporary files are the final name + "." + six letters or digits + ".tmp".
const QString kTempPattern = QStringLiteral(".XXXXXX.tmp");
const QRegularExpression& TempName()
{
    static const QRegularExpression re(QStringLiteral("\\.[A-Za-z0-9]{6}\\.tmp$"));
    return re;
}

bool Rename(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Makes a folder's entries (renames, removals) durable.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QByteArray Encode(const QDir& base, const QString& path)
{
    return base.relativeFilePath(path).toUtf8().toPercentEncoding();
}

QString Decode(const QDir& base, const QByteArray& text)
{
    return base.absoluteFilePath(QString::fromUtf8(QByteArray::fromPercentEncoding(text)));
}

// Writes `data` to `path` through a temporary file beside it, flushed to disk.
bool WriteDurably(const QString& path, const QByteArray& data, QString& error)
{
    QTemporaryFile file(path + kTempPattern);
    file.setAutoRemove(false);
    if (!file.open()) {
        error = QStringLiteral("Cannot create a file beside %1: %2").arg(path, file.errorString());
        return false;
    }
    const QString temp = file.fileName();
    const bool written = file.write(data) == data.size() && file.flush() && ::fsync(file.handle()) == 0;
    file.close();
    if (!written || !Rename(temp, path)) {
        error = QStringLiteral("Cannot write %1").arg(path);
        QFile::remove(temp);
        return false;
    }
    SyncFolder(QFileInfo(path).absolutePath());
    return true;
}

// Carries out a complete journal: the renames whose temporary file is still
// there, then the removals. Each step can be repeated, so a kill during this
// is finished by the next run.
bool Replay(const QString& journal, QString& error)
{
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read %1").arg(journal);
        return false;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QDir base = QFileInfo(journal).absoluteDir();
    const bool complete = lines.size() >= 2 && lines.first() == kJournalHeader
                       && lines.contains(kJournalEnd);
    if (!complete) {
        // A journal is renamed into place only when whole, and nothing is
        // replaced before: a broken one replaced nothing and goes.
        QFile::remove(journal);
        return true;
    }
    QSet<QString> folders;
    QSet<QString> written;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 3 && parts[0] == "R") {
            const QString temp = Decode(base, parts[1]);
            const QString target = Decode(base, parts[2]);
            written.insert(target);
            folders.insert(QFileInfo(target).absolutePath());
            if (QFileInfo::exists(temp) && !Rename(temp, target)) {
                error = QStringLiteral("Cannot replace %1").arg(target);
                return false;
            }
        }
    }
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2 && parts[0] == "D") {
            const QString path = Decode(base, parts[1]);
            if (!written.contains(path) && QFileInfo(path).isFile()) {
                QFile::remove(path);
                folders.insert(QFileInfo(path).absolutePath());
            }
        }
    }
    for (const QString& folder : folders)
        SyncFolder(folder);
    QFile::remove(journal);
    SyncFolder(base.absolutePath());
    return true;
}

} // namespace

TSaveTransaction::TSaveTransaction(QString journal) : fJournal(QFileInfo(journal).absoluteFilePath())
{
}

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
    QTemporaryFile file(path + kTempPattern);
    file.setAutoRemove(false);
    if (!file.open()) {
        fError = QStringLiteral("Cannot create a file beside %1: %2").arg(path, file.errorString());
        return false;
    }
    const QString temp = QFileInfo(file.fileName()).absoluteFilePath();
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
    fStaged.push_back({temp, QFileInfo(path).absoluteFilePath()});
    return true;
}

void TSaveTransaction::RemoveUnlessStaged(const QString& path)
{
    fRemove.append(QFileInfo(path).absoluteFilePath());
}

QByteArray TSaveTransaction::JournalText() const
{
    const QDir base = QFileInfo(fJournal).absoluteDir();
    QByteArray text = kJournalHeader + '\n';
    for (const TStaged& staged : fStaged)
        text += "R " + Encode(base, staged.Temp) + ' ' + Encode(base, staged.Target) + '\n';
    for (const QString& path : fRemove)
        text += "D " + Encode(base, path) + '\n';
    return text + kJournalEnd + '\n';
}

bool TSaveTransaction::Commit()
{
    // The point of no return: once the journal is in place the save completes,
    // now or at the next recovery.
    if (!WriteDurably(fJournal, JournalText(), fError)) {
        Discard();
        return false;
    }
    fStaged.clear(); // the journal owns the temporary files now
    fRemove.clear();
    return Replay(fJournal, fError);
}

bool TSaveTransaction::Recover(const QString& journal, const QStringList& files, const QStringList& folders,
                               QString& error)
{
    if (QFileInfo(journal).isFile() && !Replay(journal, error))
        return false;
    // What is left are temporary files of saves that never reached their
    // journal: they belong to nothing.
    for (const QString& path : files + QStringList{journal}) {
        const QFileInfo info(path);
        const QString prefix = info.fileName() + QLatin1Char('.');
        for (const QFileInfo& entry : info.absoluteDir().entryInfoList({prefix + QStringLiteral("*.tmp")}, QDir::Files))
            if (entry.fileName().size() == prefix.size() + 10 && TempName().match(entry.fileName()).hasMatch())
                QFile::remove(entry.absoluteFilePath());
    }
    for (const QString& folder : folders) {
        QDirIterator it(folder, {QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (TempName().match(it.fileName()).hasMatch())
                QFile::remove(path);
        }
    }
    return true;
}
