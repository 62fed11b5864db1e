// A second process for the single-instance tests.
//   zembra_lock_probe FOLDER try    exit 0 when it got the lock, 3 when another holds it
//   zembra_lock_probe FOLDER hold   takes the lock, prints "held", then waits to be killed
#include "platform/SingleInstance.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    TSingleInstance instance(QStringLiteral("Zembra"), QString::fromLocal8Bit(argv[1]));
    const auto result = instance.TryAcquire();
    if (std::strcmp(argv[2], "hold") == 0) {
        if (result != TSingleInstance::TResult::Acquired)
            return 3;
        std::printf("held\n");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    switch (result) {
    case TSingleInstance::TResult::Acquired: return 0;
    case TSingleInstance::TResult::AlreadyRunning: return 3;
    case TSingleInstance::TResult::Unavailable: return 4;
    }
    return 5;
}
