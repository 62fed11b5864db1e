#pragma once
// TFramePacker packs frame pixels (TPackedFrame) on a thread pool while the
// caller goes on with the next frame. Each job works on its own shared copy of
// the pixels and its result depends on nothing else, so the packed frames are
// the same for any number of threads. TPackTicket is a job's outcome; it is
// shared by the frames that hold it and outlives the packer.
#include "gif/PackedFrame.h"

#include <QImage>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

class QThreadPool;

class TPackTicket {
public:
    TPackTicket(int width, int height) : fWidth(width), fHeight(height) {}
    // Blocks until the job has run; raises what the job raised.
    std::shared_ptr<const TPackedFrame> Wait() const;
    bool Done() const;
    bool Ready() const; // done, and packed without error
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }

private:
    friend class TFramePacker;
    void Finish(std::shared_ptr<const TPackedFrame> result, std::exception_ptr error);

    const int fWidth;
    const int fHeight;
    mutable std::mutex fMutex;
    mutable std::condition_variable fDone;
    bool fFinished = false;
    std::shared_ptr<const TPackedFrame> fResult;
    std::exception_ptr fError;
};

class TFramePacker {
public:
    // threads < 0: as many as the machine has cores; 0: every job runs at
    // once on the calling thread.
    explicit TFramePacker(int threads = -1);
    ~TFramePacker(); // waits for the jobs still running
    TFramePacker(const TFramePacker&) = delete;
    TFramePacker& operator=(const TFramePacker&) = delete;

    int ThreadCount() const;
    // A job packing the pixels of a Format_RGB32 image of the given format.
    std::shared_ptr<TPackTicket> Submit(const QImage& image, TPixelFormat format);
    // The same job run at once on the calling thread.
    static std::shared_ptr<TPackTicket> PackNow(const QImage& image, TPixelFormat format);

private:
    static void Run(TPackTicket& ticket, const QImage& image, TPixelFormat format);
    std::unique_ptr<QThreadPool> fPool; // none when jobs run on the calling thread
};
