#include "device/udev_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace somnexa::device {

UdevMonitor::~UdevMonitor() { stop(); }

bool UdevMonitor::start(Handler handler) {
    if (running()) return false;
    udev_ = udev_new();
    if (udev_) monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (!monitor_ || wakeFd_ < 0 || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        release();
        return false;
    }
    handler_ = std::move(handler);
    thread_ = std::thread([this] { run(); });
    return true;
}

void UdevMonitor::run() {
    const int monitorFd = udev_monitor_get_fd(monitor_);
    for (;;) {
        pollfd fds[2] = {{monitorFd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        const int n = ::poll(fds, 2, -1);
        if (n < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents != 0) return;
        if ((fds[0].revents & POLLIN) == 0) {
            if (fds[0].revents != 0) return;  // the socket failed
            continue;
        }
        struct udev_device* dev = udev_monitor_receive_device(monitor_);
        if (!dev) continue;
        const char* action = udev_device_get_action(dev);
        const char* node = udev_device_get_devnode(dev);
        if (handler_) handler_(action ? action : "", node ? node : "");
        udev_device_unref(dev);
    }
}

void UdevMonitor::stop() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wakeFd_, &one, sizeof one);
        thread_.join();
    }
    release();
}

void UdevMonitor::release() {
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
    if (wakeFd_ >= 0) ::close(wakeFd_);
    monitor_ = nullptr;
    udev_ = nullptr;
    wakeFd_ = -1;
    handler_ = nullptr;
}

}  // namespace somnexa::device
