#include "device/download_workflow.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "charts/diagram_loader.h"
#include "device/hid_protocol.h"
#include "records/qv_func.h"
#include "records/window_messages.h"

namespace somnexa::device {

namespace {

constexpr int kLogChannels = 2;
constexpr int kRealtimeChannels = 1;
constexpr std::int32_t kSlowLogModel = 10;
constexpr std::uint16_t kSlowLogPointsPerSample = 20;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string timeOfDay(std::int32_t seconds) {
    const std::int32_t s = ((seconds % 86400) + 86400) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return text;
}

}  // namespace

const char* StateName(DownloadState state) {
    switch (state) {
        case DownloadState::NoDevice: return "no device chosen";
        case DownloadState::LoadingLogIndex: return "loading the log index";
        case DownloadState::LoadingRealtimeIndex: return "loading the realtime index";
        case DownloadState::ChoosingSessions: return "choosing sessions";
        case DownloadState::RealtimePhase: return "realtime phase";
        case DownloadState::LogPhase: return "log phase";
        case DownloadState::Done: return "done";
        case DownloadState::Failed: return "failed or cancelled";
    }
    return "";
}

DownloadWorkflow::DownloadWorkflow(HidBackend& backend, Scheduler& scheduler, DownloadSettings settings)
    : backend_(backend), scheduler_(scheduler), settings_(std::move(settings)) {
    if (!settings_.loadChannels) {
        storage::TDM* dm = settings_.dm;
        settings_.loadChannels = [dm](int type, arTChannleInfo& channels) {
            if (!dm) return -1;
            return charts::LoadChannelInfos(*dm, type, false, channels);
        };
    }
}

DownloadWorkflow::~DownloadWorkflow() {
    if (progressTimer_) scheduler_.stopTimer(progressTimer_);
    link_.reset();
    dropImage();
}

// ---- nesting -----------------------------------------------------------------
// The link waits for answers, and storing lets events run, by running the
// event loop. A message that arrives meanwhile waits until the step that is
// running has finished, so that the steps never interleave.

struct DownloadWorkflow::Step {
    explicit Step(DownloadWorkflow& w) : w(w) { ++w.nesting_; }
    ~Step() {
        if (--w.nesting_ == 0) w.flushDeferred();
    }
    DownloadWorkflow& w;
};

void DownloadWorkflow::flushDeferred() {
    auto deferred = std::move(deferred_);
    deferred_.clear();
    for (const auto& m : deferred) postMessage(m.message, m.wParam, m.lParam);
}

bool DownloadWorkflow::failurePending() const {
    return std::any_of(deferred_.begin(), deferred_.end(), [](const Deferred& m) {
        return m.message == msg::WM_DEVICE_ERROR || (m.message == msg::WM_DEVICE_NOTIFY && m.wParam == 255);
    });
}

// ---- messages ------------------------------------------------------------------

void DownloadWorkflow::postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
    std::weak_ptr<int> alive = alive_;
    scheduler_.post([this, alive, message, wParam, lParam] {
        if (!alive.expired()) handleMessage(message, wParam, lParam);
    });
}

void DownloadWorkflow::handleMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
    if (nesting_ > 0) {
        deferred_.push_back({message, wParam, lParam});
        return;
    }
    Step step(*this);
    if (message == msg::WM_DEVICE_ERROR) {
        postMessage(msg::WM_DEVICE_NOTIFY, 255, 11);
        return;
    }
    if (message != msg::WM_DEVICE_NOTIFY) return;
    // Completions that belong to no step in progress (a stale one after a
    // cancel, say) are dropped.
    switch (wParam) {
        case 1:
            refreshDeviceList();
            break;
        case 2:
            if (state_ == DownloadState::LoadingRealtimeIndex) onRealtimeIndex();
            break;
        case 3:
            if (state_ == DownloadState::LoadingLogIndex) onLogIndex();
            break;
        case 4:
            if (lParam == 1 && state_ == DownloadState::RealtimePhase) startLogPhase();
            else if (lParam == 0 && state_ == DownloadState::LogPhase) onLogSession();
            break;
        case 5:
            if (state_ != DownloadState::RealtimePhase) break;
            if (lParam == 1) startRealtimePhase();
            else onRealtimeSession();
            break;
        case 255:
            onFailure(lParam);
            break;
        default:
            break;
    }
}

// ---- showing, devices, indexes ---------------------------------------------------

void DownloadWorkflow::Show() {
    if (progressVisible_) CloseProgress();
    link_.reset();
    dropImage();
    dataFile_ = std::make_unique<TDataFile>();
    devices_.clear();
    rows_.clear();
    rowIds_.clear();
    selected_ = -1;
    setState(DownloadState::NoDevice);
    // The new link lists the devices at once and posts WM_DEVICE_NOTIFY 1.
    link_ = std::make_unique<TQvHid>(backend_, scheduler_, this);
}

void DownloadWorkflow::setPatient(const std::string& patientId, const std::string& caption) {
    patientId_ = patientId;
    patientCaption_ = caption;
}

void DownloadWorkflow::refreshDeviceList() {
    devices_.clear();
    rows_.clear();
    rowIds_.clear();
    selected_ = -1;
    if (link_)
        for (const auto& name : link_->DeviceNames()) {
            DeviceListItem item;
            item.caption = DeviceCaption(name);
            item.data = MakeItemData(name);
            item.icon = DeviceIcon(item.caption);
            devices_.push_back(std::move(item));
        }
    // A transfer in flight ends with its own failure message.
    if (state_ == DownloadState::ChoosingSessions || state_ == DownloadState::Done) setState(DownloadState::NoDevice);
    if (view_) {
        view_->devicesChanged();
        view_->sessionsChanged();
    }
}

bool DownloadWorkflow::transferRunning() const {
    return state_ == DownloadState::LoadingLogIndex || state_ == DownloadState::LoadingRealtimeIndex ||
           state_ == DownloadState::RealtimePhase || state_ == DownloadState::LogPhase;
}

void DownloadWorkflow::ChooseDevice(int index) {
    if (!link_ || nesting_ > 0 || transferRunning()) return;
    if (index < 0 || static_cast<std::size_t>(index) >= devices_.size()) return;
    Step step(*this);
    for (auto& item : devices_) item.icon = DeviceIcon(item.caption);
    selected_ = index;
    transferTotal_ = kRegionBHeaderBytes;
    rows_.clear();
    rowIds_.clear();
    logIndex_.clear();
    realtimeIndex_.clear();
    if (view_) {
        view_->devicesChanged();
        view_->sessionsChanged();
    }
    link_->SelectDevice(devices_[static_cast<std::size_t>(index)].data.ProductName);
    if (startRead(kRegionBStart, kRegionBHeaderBytes, kRegionBHeaders) < 0) {
        setState(DownloadState::Failed);
        showError("Device is not currently idle state!");
        return;
    }
    setState(DownloadState::LoadingLogIndex);
    ShowProgress();
}

void DownloadWorkflow::onLogIndex() {
    try {
        const int r = dataFile_->DecodeLogImage(imageFile_, kLogHeaders, logIndex_);
        link_->SetRegionType(kRegionNone);
        dropImage();
        if (r < 0) {
            stopWithError("An error occurred while reading data!");
            return;
        }
        transferTotal_ = kRegionAHeaderBytes;
        if (startRead(kRegionAStart, kRegionAHeaderBytes, kRegionAHeaders) != 0) {
            stopWithError("Device is not currently idle state!");
            return;
        }
        setState(DownloadState::LoadingRealtimeIndex);
    } catch (...) {
        CloseProgress();
        dropImage();
        setState(DownloadState::Failed);
        showInfo("111");
    }
}

void DownloadWorkflow::onRealtimeIndex() {
    const int r = dataFile_->DecodeRealtimeImage(imageFile_, kRealtimeHeaders, realtimeIndex_);
    link_->SetRegionType(kRegionNone);
    dropImage();
    if (r < 0) {
        stopWithError("An error occurred while reading data!");
        return;
    }
    FillSessionList();
    if (selected_ >= 0 && static_cast<std::size_t>(selected_) < devices_.size())
        devices_[static_cast<std::size_t>(selected_)].icon = kIconDownloaded;
    if (view_) view_->devicesChanged();
    CloseProgress();
    setState(DownloadState::ChoosingSessions);
}

int DownloadWorkflow::FindSession(std::int32_t id, int mode) const {
    if (mode == 0) {
        for (std::size_t i = 0; i < logIndex_.size(); ++i)
            if (logIndex_[i].Id == id) return static_cast<int>(i);
    } else {
        for (std::size_t i = 0; i < realtimeIndex_.size(); ++i)
            if (realtimeIndex_[i].Id == id) return static_cast<int>(i);
    }
    return -1;
}

bool DownloadWorkflow::HasRealtimeData(std::int32_t id) const { return FindSession(id, 1) >= 0; }

void DownloadWorkflow::FillSessionList() {
    rows_.clear();
    rowIds_.clear();
    for (const TLogData& e : logIndex_) {
        if (e.Times <= 0) continue;
        if (min10_ && e.Times < kMinListedSeconds) continue;
        SessionRow row;
        row.id = e.Id;
        row.startTime = FormatDeviceTime(DateTimeForm::DateTimeText, e.Time).value_or("");
        row.timeLength = timeOfDay(e.Times);
        row.realtime = tr(HasRealtimeData(e.Id) ? "Yes" : "No");
        row.text = row.startTime + std::string(16, ' ') + row.timeLength + std::string(14, ' ') + row.realtime;
        rows_.push_back(std::move(row));
        rowIds_.push_back(e.Id);
    }
    if (view_) view_->sessionsChanged();
}

void DownloadWorkflow::setMin10(bool on) {
    min10_ = on;
    if (state_ == DownloadState::ChoosingSessions || state_ == DownloadState::Done ||
        (state_ == DownloadState::Failed && !rows_.empty()))
        FillSessionList();
}

void DownloadWorkflow::setRowChecked(int row, bool checked) {
    if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) rows_[static_cast<std::size_t>(row)].checked = checked;
}

void DownloadWorkflow::SelectAll() {
    for (auto& row : rows_) row.checked = true;
    if (view_) view_->sessionsChanged();
}

void DownloadWorkflow::ReSelect() {
    for (auto& row : rows_) row.checked = !row.checked;
    if (view_) view_->sessionsChanged();
}

// ---- the download ------------------------------------------------------------------

bool DownloadWorkflow::StartDownload() {
    if (!link_ || nesting_ > 0 || transferRunning()) return false;
    if (trimmed(patientCaption_).empty()) {
        showInfo("Please open a patient!");
        return false;
    }
    if (!leadPressure_ && !leadFlow_) {
        showInfo("请选择需要下载的导联！");
        return false;
    }
    if (std::none_of(rows_.begin(), rows_.end(), [](const SessionRow& r) { return r.checked; })) {
        showInfo("Please select your download data!");
        return false;
    }
    Step step(*this);
    downloaded_.clear();
    writtenFiles_.clear();
    realtimeFiles_.clear();
    link_->StopDevice();
    setState(DownloadState::RealtimePhase);
    postMessage(msg::WM_DEVICE_NOTIFY, 5, 1);
    transferTotal_ = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!rows_[i].checked) continue;
        const int log = FindSession(rowIds_[i], 0);
        if (log >= 0) transferTotal_ += logIndex_[static_cast<std::size_t>(log)].Size;
        const int rt = FindSession(rowIds_[i], 1);
        if (rt >= 0) transferTotal_ += realtimeIndex_[static_cast<std::size_t>(rt)].Size;
    }
    return true;
}

void DownloadWorkflow::Cancel() { postMessage(msg::WM_DEVICE_NOTIFY, 255, 0); }

void DownloadWorkflow::preparePhase(int type) {
    nextRow_ = 0;
    fileHeader_ = DataFileHeader{};
    patientInfoBlock_ = TPatientInfo{};
    channelList_.clear();
    if (settings_.dm) settings_.dm->ReadPatientInfo(patientId_, patientInfoBlock_);
    if (settings_.loadChannels(type, channelList_) < 0) channelList_.clear();
    std::uint16_t points = 1;
    if (type == kLogChannels && selected_ >= 0 && static_cast<std::size_t>(selected_) < devices_.size() &&
        devices_[static_cast<std::size_t>(selected_)].data.ModelNumber == kSlowLogModel)
        points = kSlowLogPointsPerSample;
    for (auto& channel : channelList_) channel.PointsPerSample = points;
}

void DownloadWorkflow::prepareDecoder(std::uint8_t fileKind, const TDeviceTime& start) {
    fileHeader_.FileKind = fileKind;
    fileHeader_.StartTime = DeviceTimeToDateTime(start).value_or(DateTime()).days();
    dataFile_->Header = fileHeader_;
    dataFile_->PatientBlockData = PatientBlock{};
    dataFile_->PatientBlockData.Info = patientInfoBlock_;
    dataFile_->SetChannels(channelList_);
    dataFile_->OutputFolder = patientFolder();
}

void DownloadWorkflow::startRealtimePhase() {
    preparePhase(kRealtimeChannels);
    continueRealtimePhase();
}

void DownloadWorkflow::onRealtimeSession() {
    if (currentSession_ < 0 || static_cast<std::size_t>(currentSession_) >= realtimeIndex_.size()) return;
    const TRealTimeData& entry = realtimeIndex_[static_cast<std::size_t>(currentSession_)];
    prepareDecoder(kRealtimeFileKind, entry.Time);
    realtimeSessions_.clear();
    const int r = dataFile_->DecodeRealtimeImage(imageFile_, kRealtimeSession, realtimeSessions_);
    link_->SetRegionType(kRegionNone);
    dropImage();
    if (r < 0) {
        stopWithError("An error occurred while reading data!");
        return;
    }
    if (!dataFile_->LastWrittenFile().empty()) {
        writtenFiles_.push_back(dataFile_->LastWrittenFile());
        realtimeFiles_.emplace_back(entry.Id, dataFile_->LastWrittenFile());
        if (view_) view_->fileWritten(dataFile_->LastWrittenFile());
    }
    continueRealtimePhase();
}

void DownloadWorkflow::continueRealtimePhase() {
    if (failurePending()) return;
    currentSession_ = -1;
    const std::string folder = patientFolder();
    for (std::size_t i = nextRow_; i < rows_.size(); ++i) {
        if (!rows_[i].checked) continue;
        currentSession_ = FindSession(rowIds_[i], 1);
        if (currentSession_ < 0) continue;
        const TRealTimeData& entry = realtimeIndex_[static_cast<std::size_t>(currentSession_)];
        const auto stamp = FormatDeviceTime(DateTimeForm::FileStamp, entry.Time);
        std::error_code ec;
        if (stamp && !overwrite_ && std::filesystem::exists(folder + *stamp + ".hidr", ec)) continue;
        if (startRead(static_cast<std::uint32_t>(entry.Address), static_cast<std::uint32_t>(entry.Size),
                      kRegionARange) < 0) {
            stopWithError("Device is not currently idle state!");
            return;
        }
        ShowProgress();
        nextRow_ = i + 1;
        return;
    }
    postMessage(msg::WM_DEVICE_NOTIFY, 4, 1);
}

void DownloadWorkflow::startLogPhase() {
    setState(DownloadState::LogPhase);
    preparePhase(kLogChannels);
    continueLogPhase();
}

void DownloadWorkflow::onLogSession() {
    if (currentSession_ < 0 || static_cast<std::size_t>(currentSession_) >= logIndex_.size()) return;
    const TLogData& entry = logIndex_[static_cast<std::size_t>(currentSession_)];
    prepareDecoder(kLogFileKind, entry.Time);
    logSessions_.clear();
    const int r = dataFile_->DecodeLogImage(imageFile_, kLogSession, logSessions_);
    link_->SetRegionType(kRegionNone);
    dropImage();
    if (r < 0 || logSessions_.empty() || !DeviceTimeToDateTime(logSessions_.front().Time)) {
        stopWithError("An error occurred while reading data!");
        return;
    }
    DownloadedSession done;
    done.id = entry.Id;
    done.logFile = dataFile_->LastWrittenFile();
    if (!done.logFile.empty()) {
        writtenFiles_.push_back(done.logFile);
        if (view_) view_->fileWritten(done.logFile);
    }
    for (const auto& [id, file] : realtimeFiles_)
        if (id == entry.Id) done.realtimeFile = file;

    StoreOptions options;
    options.overwrite = overwrite_;
    options.savedEvents = &savedEvents_;
    options.afterRow = [this] { scheduler_.processEvents(); };
    if (!settings_.dm) {
        stopWithError("Database connection failed!");
        return;
    }
    done.store = StoreSessionRows(*settings_.dm, logSessions_.front(), realtimeIndex_, options);
    downloaded_.push_back(done);
    if (view_) view_->sessionHandled(done);
    if (done.store.outcome == StoreOutcome::Failed) {
        // The error box has been shown by the database layer.
        CloseProgress();
        setState(DownloadState::Failed);
        return;
    }
    continueLogPhase();
}

void DownloadWorkflow::continueLogPhase() {
    if (failurePending()) return;
    currentSession_ = -1;
    for (std::size_t i = nextRow_; i < rows_.size(); ++i) {
        if (!rows_[i].checked) continue;
        currentSession_ = FindSession(rowIds_[i], 0);
        if (currentSession_ < 0) continue;
        const TLogData& entry = logIndex_[static_cast<std::size_t>(currentSession_)];
        if (startRead(static_cast<std::uint32_t>(entry.Address), static_cast<std::uint32_t>(entry.Size),
                      kRegionBRange) < 0) {
            stopWithError("Device is not currently idle state!");
            return;
        }
        ShowProgress();
        nextRow_ = i + 1;
        return;
    }
    CloseProgress();
    setState(DownloadState::Done);
    showInfo("Data download!");
}

void DownloadWorkflow::onFailure(std::intptr_t lParam) {
    if (progressVisible_) CloseProgress();
    if (lParam != 0) {
        showErrorAfter(DownloadState::Failed, "An error occurred while reading data!");
        return;
    }
    if (link_ && link_->RegionType() != kRegionNone) link_->StopDevice();
    if (link_) link_->SetRegionType(kRegionNone);
    dropImage();
    setState(DownloadState::Failed);
}

// ---- helpers -------------------------------------------------------------------------

std::int32_t DownloadWorkflow::startRead(std::uint32_t address, std::uint32_t size, int type) {
    dropImage();
    std::string name;
    if (!settings_.imageFolder.empty())
        name = (std::filesystem::path(settings_.imageFolder) / NewGuidName()).string();
    const std::int32_t r = link_->StartRead(name, address, size, type);
    imageFile_ = link_->ImageFileName();
    if (r < 0) {
        link_->SetRegionType(kRegionNone);
        dropImage();
    }
    return r;
}

void DownloadWorkflow::dropImage() {
    if (imageFile_.empty()) return;
    if (link_ && link_->imageOpen()) return;  // still being written; removed when it ends
    std::error_code ec;
    std::filesystem::remove(imageFile_, ec);
    imageFile_.clear();
}

void DownloadWorkflow::ShowProgress() {
    if (!progressVisible_) {
        progressVisible_ = true;
        if (view_) view_->progressShown();
    }
    if (!progressTimer_) {
        std::weak_ptr<int> alive = alive_;
        progressTimer_ = scheduler_.startTimer(kProgressIntervalMs, [this, alive] {
            if (!alive.expired()) ProgressTick();
        });
    }
}

void DownloadWorkflow::CloseProgress() {
    if (progressTimer_) scheduler_.stopTimer(progressTimer_);
    progressTimer_ = 0;
    // A tick never waits, so one that has started has finished here.
    if (progressVisible_) {
        progressVisible_ = false;
        if (view_) view_->progressClosed();
    }
}

void DownloadWorkflow::ProgressTick() {
    tickDone_ = false;
    ProgressInputs in;
    in.regionType = link_ ? link_->RegionType() : 0;
    in.received = link_ ? link_->Received() : 0;
    in.transferTotal = transferTotal_;
    in.currentSession = currentSession_;
    in.savedEvents = savedEvents_;
    in.logIndex = &logIndex_;
    in.realtimeIndex = &realtimeIndex_;
    in.logSessions = &logSessions_;
    lastProgress_ = device::ProgressTick(in, settings_.translate);
    transferTotal_ = lastProgress_.transferTotal;
    if (view_) view_->progressChanged(lastProgress_);
    tickDone_ = true;
}

void DownloadWorkflow::stopWithError(const std::string& text) {
    CloseProgress();
    if (link_) link_->SetRegionType(kRegionNone);
    dropImage();
    showErrorAfter(DownloadState::Failed, text);
}

void DownloadWorkflow::showErrorAfter(DownloadState state, const std::string& text) {
    dropImage();
    setState(state);
    showError(text);
}

void DownloadWorkflow::setState(DownloadState state) {
    if (state_ == state) return;
    state_ = state;
    if (view_) view_->stateChanged(state);
}

std::string DownloadWorkflow::tr(const std::string& text) const {
    return settings_.translate ? settings_.translate(text) : text;
}

std::string DownloadWorkflow::patientFolder() const {
    if (!settings_.dm || settings_.dm->PatientDBPath.empty()) return {};
    const auto folder = std::filesystem::path(settings_.dm->PatientDBPath).parent_path();
    if (folder.empty()) return {};
    std::string text = folder.string();
    if (text.back() != '/') text += '/';
    return text;
}

void DownloadWorkflow::showInfo(const std::string& text) {
    if (settings_.presenter) settings_.presenter->ShowInfo(text);
}

void DownloadWorkflow::showError(const std::string& text) {
    if (settings_.presenter) settings_.presenter->ShowError(text);
}

}  // namespace somnexa::device
