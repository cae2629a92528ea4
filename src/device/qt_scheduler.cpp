#include "device/qt_scheduler.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <utility>

namespace somnexa::device {

QtScheduler::QtScheduler() : context_(std::make_unique<QObject>()) { clock_.start(); }

QtScheduler::~QtScheduler() = default;  // context_ takes its timers and queued calls along

std::int64_t QtScheduler::nowMs() { return clock_.elapsed(); }

Scheduler::TimerId QtScheduler::startTimer(int intervalMs, std::function<void()> tick) {
    auto* timer = new QTimer(context_.get());
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, context_.get(), std::move(tick));
    timer->start();
    const TimerId id = nextId_++;
    timers_.emplace(id, timer);
    return id;
}

void QtScheduler::stopTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    // The tick itself may stop its timer: stop now, free once the signal is done.
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

void QtScheduler::post(std::function<void()> call) {
    QMetaObject::invokeMethod(context_.get(), std::move(call), Qt::QueuedConnection);
}

void QtScheduler::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtScheduler::sleepMs(int ms) {
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

}  // namespace somnexa::device
