#include "devsim/simulated_ventilator.h"

#include <limits>

namespace somnexa::devsim {

SimulatedVentilator::SimulatedVentilator(FlashImage flash, std::string manufacturer, std::string product,
                                         FaultOptions faults)
    : flash_(std::move(flash)),
      manufacturer_(std::move(manufacturer)),
      product_(std::move(product)),
      path_("sim:0"),
      faults_(faults),
      random_(faults.seed) {
    protocol_.setState(faults_.busy ? kStateBusy : kStateIdle);
}

void SimulatedVentilator::setFaults(const FaultOptions& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    faultReports_ = 0;
    readRequests_ = 0;
    silentUntilMs_ = -1;
    silenceUsed_ = false;
    random_.seed(faults.seed);
    protocol_.setState(faults_.busy ? kStateBusy : kStateIdle);
}

FaultOptions SimulatedVentilator::faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

VentilatorStats SimulatedVentilator::stats() const {
    std::lock_guard lock(mutex_);
    return stats_;
}

std::vector<Command> SimulatedVentilator::commands() const {
    std::lock_guard lock(mutex_);
    return commands_;
}

void SimulatedVentilator::setRecordFrames(bool on) {
    std::lock_guard lock(mutex_);
    recordFrames_ = on;
    if (!on) frames_.clear();
}

std::vector<std::vector<std::uint8_t>> SimulatedVentilator::frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

bool SimulatedVentilator::plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

void SimulatedVentilator::setPlugged(bool plugged) {
    std::lock_guard lock(mutex_);
    plugged_ = plugged;
}

Report SimulatedVentilator::garbage() {
    Report r;
    for (auto& b : r) b = static_cast<std::uint8_t>(random_());
    return r;
}

Reply SimulatedVentilator::receive(std::span<const std::uint8_t> frame, std::int64_t nowMs) {
    std::lock_guard lock(mutex_);
    Reply reply;
    if (!plugged_ || faults_.failWrites) {
        ++stats_.failedWrites;
        return reply;
    }
    reply.accepted = true;
    if (recordFrames_) frames_.emplace_back(frame.begin(), frame.end());
    Command command;
    if (!parseFrame(frame, command)) {
        ++stats_.badFrames;
        return reply;
    }
    ++stats_.frames;
    commands_.push_back(command);
    if (silentUntilMs_ >= 0) {
        if (nowMs < silentUntilMs_) return reply;  // the frame is lost in the silence
        silentUntilMs_ = -1;
    }
    addReports(reply.reports, protocol_.handle(command), command, nowMs, reply.vanish);
    if (reply.vanish) plugged_ = false;
    return reply;
}

void SimulatedVentilator::addReports(std::vector<Report>& out, std::vector<Report> produced, const Command& command,
                                     std::int64_t nowMs, bool& vanish) {
    const bool isRead = command.code == kCmdReadRange || command.code == kCmdReadHeaders;
    if (isRead && !produced.empty()) {
        ++readRequests_;
        if (faults_.swapEvery > 0 && produced.size() == 2 && readRequests_ % faults_.swapEvery == 0)
            std::swap(produced[0], produced[1]);
    }
    const bool isAnswer = command.code == kCmdState || command.code == kCmdStop;
    if (isAnswer && faults_.answers != AnswerFault::None) {
        Report wrong = produced.front();
        wrong[2] = static_cast<std::uint8_t>(wrong[2] ^ 0x20);  // another command code
        if (faults_.answers == AnswerFault::WrongCode)
            produced.front() = wrong;
        else
            produced.insert(produced.begin(), wrong);
        ++stats_.extraReports;
    }
    for (std::size_t i = 0; i < produced.size(); ++i) {
        if (faults_.vanishAfterReports >= 0 && faultReports_ >= std::uint64_t(faults_.vanishAfterReports)) {
            // Whatever the device had still to send is lost with it.
            vanish = true;
            stats_.reportsLost += produced.size() - i;
            return;
        }
        if (!silenceUsed_ && faults_.silentAfterReports >= 0 &&
            faultReports_ >= std::uint64_t(faults_.silentAfterReports)) {
            silenceUsed_ = true;
            silentUntilMs_ = faults_.silentForMs < 0 ? std::numeric_limits<std::int64_t>::max()
                                                     : nowMs + faults_.silentForMs;
        }
        ++stats_.reports;
        ++faultReports_;
        if (silentUntilMs_ >= 0 && nowMs < silentUntilMs_) {
            ++stats_.reportsLost;
            continue;
        }
        if (faults_.dropEvery > 0 && faultReports_ % faults_.dropEvery == 0) {
            ++stats_.reportsLost;
            continue;
        }
        out.push_back(produced[i]);
        if (faults_.duplicateEvery > 0 && faultReports_ % faults_.duplicateEvery == 0) {
            out.push_back(produced[i]);
            ++stats_.extraReports;
        }
        if (faults_.garbageEvery > 0 && faultReports_ % faults_.garbageEvery == 0) {
            out.push_back(garbage());
            ++stats_.extraReports;
        }
    }
}

}  // namespace somnexa::devsim
