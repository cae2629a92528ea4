// The Qt scheduler's queued calls and the message sink's events.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <thread>
#include <vector>

#include "device/message_event.h"
#include "device/qt_message_sink.h"
#include "device/qt_scheduler.h"
#include "records/window_messages.h"

namespace somnexa::device {
namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "device_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

class Receiver : public QObject {
public:
    std::vector<std::tuple<int, std::intptr_t, std::intptr_t>> got;
    bool event(QEvent* e) override {
        if (e->type() >= QEvent::User) {
            auto* m = static_cast<MessageEvent*>(e);
            got.emplace_back(m->message(), m->wParam(), m->lParam());
            return true;
        }
        return QObject::event(e);
    }
};

TEST(QtScheduler, CallsPostedFromAnyThreadRunInOrderOnTheOwnThread) {
    app();
    QtScheduler scheduler;
    std::vector<int> order;
    const auto self = std::this_thread::get_id();
    bool sameThread = true;
    std::thread other([&] {
        for (int i = 0; i < 50; ++i)
            scheduler.post([&, i] {
                order.push_back(i);
                sameThread = sameThread && std::this_thread::get_id() == self;
            });
    });
    other.join();
    scheduler.processEvents();
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_TRUE(sameThread);
}

TEST(QtScheduler, CallsStillQueuedWhenItIsDestroyedAreDropped) {
    app();
    bool ran = false;
    {
        QtScheduler scheduler;
        scheduler.post([&] { ran = true; });
        const auto id = scheduler.startTimer(1000, [&] { ran = true; });
        scheduler.stopTimer(id);
        scheduler.stopTimer(id);  // twice is harmless
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

TEST(QtMessageSink, PostsMessageEventsWithTheirParameters) {
    app();
    Receiver receiver;
    QtMessageSink sink(&receiver);
    sink.postMessage(msg::WM_DEVICE_NOTIFY, 255, 11);
    sink.postMessage(msg::WM_DEVICE_ERROR, -5, 0);
    EXPECT_TRUE(receiver.got.empty());  // posted, not sent
    QCoreApplication::processEvents();
    ASSERT_EQ(receiver.got.size(), 2u);
    EXPECT_EQ(receiver.got[0], std::make_tuple(1824, std::intptr_t{255}, std::intptr_t{11}));
    EXPECT_EQ(receiver.got[1], std::make_tuple(1825, std::intptr_t{-5}, std::intptr_t{0}));
}

TEST(QtMessageSink, AGoneReceiverGetsNothing) {
    app();
    auto* receiver = new Receiver;
    QtMessageSink sink(receiver);
    delete receiver;
    sink.postMessage(msg::WM_DEVICE_NOTIFY, 1, 0);
    QCoreApplication::processEvents();
    SUCCEED();
}

}  // namespace
}  // namespace somnexa::device
