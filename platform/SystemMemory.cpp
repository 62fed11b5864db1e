#include "platform/SystemMemory.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray ReadSmallFile(const char* path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(1 << 16);
}

// "MemAvailable:  123456 kB" in /proc/meminfo.
int64_t MemInfoAvailable()
{
    const QByteArray info = ReadSmallFile("/proc/meminfo");
    for (const QByteArray& line : info.split('\n')) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        bool ok = false;
        const qint64 kb = line.mid(13).trimmed().split(' ').value(0).toLongLong(&ok);
        if (ok && kb >= 0)
            return int64_t(kb) * 1024;
    }
    return std::numeric_limits<int64_t>::max();
}

// Room left under the control group's memory.max (cgroup v2), or no bound.
int64_t CGroupRoom()
{
    const QByteArray max = ReadSmallFile("/sys/fs/cgroup/memory.max").trimmed();
    const QByteArray current = ReadSmallFile("/sys/fs/cgroup/memory.current").trimmed();
    bool maxOk = false;
    bool currentOk = false;
    const qint64 limit = max.toLongLong(&maxOk);
    const qint64 used = current.toLongLong(&currentOk);
    if (!maxOk || !currentOk)
        return std::numeric_limits<int64_t>::max();
    return std::max<int64_t>(limit - used, 0);
}

// Room left under the process's address-space limit, or no bound.
int64_t AddressSpaceRoom()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::numeric_limits<int64_t>::max();
    // The first field of /proc/self/statm: pages of address space in use.
    bool ok = false;
    const qint64 pages = ReadSmallFile("/proc/self/statm").split(' ').value(0).toLongLong(&ok);
    const int64_t used = ok ? int64_t(pages) * ::sysconf(_SC_PAGESIZE) : 0;
    return std::max<int64_t>(int64_t(limit.rlim_cur) - used, 0);
}

} // namespace

int64_t AvailableMemory()
{
    return std::min({MemInfoAvailable(), CGroupRoom(), AddressSpaceRoom()});
}
