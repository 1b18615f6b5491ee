#include "app/window/PaintingWait.h"

#include <QEventLoop>
#include <exception>
#include <thread>

void RunWhileRepainting(const std::function<void()>& job) {
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued, so it also ends the loop when the job is done before the loop runs.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}
