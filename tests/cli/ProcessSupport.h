#pragma once
// Running the headless commands in a child process: with a time limit, an
// address-space limit (plain builds) and its peak memory measured.
#include <QString>
#include <QStringList>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

struct TChildRun {
    int Status = -1;     // exit status, or -1 when killed
    int Signal = 0;      // the signal that ended it
    bool TimedOut = false;
    long PeakKiB = 0;    // peak resident memory
};

// Runs `program args...` with its output discarded. `seconds` bounds the wall
// time (the child is killed after it); `memoryMiB`, when not 0, bounds the
// address space of plain builds (sanitizers reserve far more than they use).
inline TChildRun RunChild(const QString& program, const QStringList& args, double seconds, long memoryMiB = 0)
{
    std::vector<QByteArray> storage{program.toLocal8Bit()};
    for (const QString& a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        if (memoryMiB > 0 && !kSanitized) {
            const rlim_t bytes = rlim_t(memoryMiB) << 20;
            const rlimit limit{bytes, bytes};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    TChildRun run;
    int status = 0;
    rusage usage{};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            run.TimedOut = true;
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.PeakKiB = usage.ru_maxrss;
    if (WIFEXITED(status))
        run.Status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        run.Signal = WTERMSIG(status);
    return run;
}
