#include "gif/FramePacker.h"

#include <QThread>
#include <QThreadPool>

std::shared_ptr<const TPackedFrame> TPackTicket::Wait() const
{
    std::unique_lock lock(fMutex);
    fDone.wait(lock, [this] { return fFinished; });
    if (fError)
        std::rethrow_exception(fError);
    return fResult;
}

bool TPackTicket::Done() const
{
    std::lock_guard lock(fMutex);
    return fFinished;
}

bool TPackTicket::Ready() const
{
    std::lock_guard lock(fMutex);
    return fFinished && !fError;
}

void TPackTicket::Finish(std::shared_ptr<const TPackedFrame> result, std::exception_ptr error)
{
    {
        std::lock_guard lock(fMutex);
        fResult = std::move(result);
        fError = std::move(error);
        fFinished = true;
    }
    fDone.notify_all();
}

TFramePacker::TFramePacker(int threads)
{
    if (threads < 0)
        threads = std::max(QThread::idealThreadCount(), 1);
    if (threads > 0) {
        fPool = std::make_unique<QThreadPool>();
        fPool->setMaxThreadCount(threads);
    }
}

TFramePacker::~TFramePacker()
{
    if (fPool)
        fPool->waitForDone();
}

int TFramePacker::ThreadCount() const
{
    return fPool ? fPool->maxThreadCount() : 0;
}

void TFramePacker::Run(TPackTicket& ticket, const QImage& image, TPixelFormat format)
{
    try {
        ticket.Finish(TPackedFrame::Pack(image, format), nullptr);
    } catch (...) {
        ticket.Finish(nullptr, std::current_exception());
    }
}

std::shared_ptr<TPackTicket> TFramePacker::Submit(const QImage& image, TPixelFormat format)
{
    if (!fPool)
        return PackNow(image, format);
    auto ticket = std::make_shared<TPackTicket>(image.width(), image.height());
    // The job holds its own reference to the pixels: the frame may change or
    // go away meanwhile.
    fPool->start([ticket, image, format] { Run(*ticket, image, format); });
    return ticket;
}

std::shared_ptr<TPackTicket> TFramePacker::PackNow(const QImage& image, TPixelFormat format)
{
    auto ticket = std::make_shared<TPackTicket>(image.width(), image.height());
    Run(*ticket, image, format);
    return ticket;
}
