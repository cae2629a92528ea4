#pragma once
// Notices hidraw devices being added and removed, through a libudev monitor
// read on a thread of its own. The thread sleeps in poll() until the kernel
// (through udev) reports a change or stop() wakes it: there is no polling.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

struct udev;
struct udev_monitor;

namespace somnexa::device {

class UdevMonitor {
public:
    // action is "add", "remove", ...; node the device node ("/dev/hidraw3"),
    // possibly empty. Called on the monitor's thread.
    using Handler = std::function<void(const std::string& action, const std::string& node)>;

    UdevMonitor() = default;
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // Starts watching the hidraw subsystem; false when the monitor cannot be
    // set up (no netlink socket, no libudev context) or it already runs.
    bool start(Handler handler);
    // Stops and joins the thread; returns at once when not running.
    void stop();
    bool running() const { return thread_.joinable(); }

private:
    void run();
    void release();

    Handler handler_;
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
    int wakeFd_ = -1;  // eventfd that stop() signals
    std::thread thread_;
};

}  // namespace somnexa::device
