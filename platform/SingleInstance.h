#pragma once
// Single-instance guard: an advisory lock (flock) on a file named after the
// program in the user's runtime folder. The kernel drops the lock when the
// process ends, however it ends, so a crashed copy never blocks the next start.
#include <QString>

class TSingleInstance {
public:
    enum class TResult {
        Acquired,       // this process now holds the lock
        AlreadyRunning, // another process holds it
        Unavailable     // the lock file cannot be opened; the caller decides
    };

    // folder: where the lock file lives; empty means the user's runtime folder.
    explicit TSingleInstance(QString name = QStringLiteral("Zembra"), QString folder = {});
    ~TSingleInstance(); // releases the lock
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    TResult TryAcquire();
    bool IsHeld() const { return fFd >= 0; }
    void Release();
    QString LockPath() const { return fPath; }

private:
    QString fPath;
    int fFd = -1;
};
