#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TSingleInstance::TSingleInstance(QString name, QString folder)
{
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    fPath = QDir(folder).filePath(name);
}

TSingleInstance::~TSingleInstance()
{
    Release();
}

TSingleInstance::TResult TSingleInstance::TryAcquire()
{
    if (fFd >= 0)
        return TResult::Acquired;
    // O_CLOEXEC: programs we start (a help viewer) must not inherit the lock.
    const QByteArray path = QFile::encodeName(fPath);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return TResult::Unavailable;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? TResult::AlreadyRunning : TResult::Unavailable;
    }
    fFd = fd;
    return TResult::Acquired;
}

void TSingleInstance::Release()
{
    if (fFd < 0)
        return;
    ::flock(fFd, LOCK_UN);
    ::close(fFd);
    fFd = -1;
}
