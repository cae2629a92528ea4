#pragma once
// The download workflow without widgets: device list, the two session indexes,
// the session list, then for every ticked session its realtime data and its
// log data, each decoded into its data file, and the session stored in the
// patient database. Driven by WM_DEVICE_NOTIFY / WM_DEVICE_ERROR, which the
// link posts and the workflow posts to itself, one step per message.
//
// The download window shows what the workflow holds and forwards the user's
// actions; somnexa-tool runs the same workflow without windows.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/device_item.h"
#include "device/download_progress.h"
#include "device/hid_backend.h"
#include "device/message_sink.h"
#include "device/qv_hid.h"
#include "device/scheduler.h"
#include "device/session_store.h"
#include "records/data_file.h"
#include "records/device_records.h"
#include "storage/data_module.h"
#include "storage/presenter.h"

namespace somnexa::device {

enum class DownloadState {
    NoDevice,              // nothing chosen yet, or the device list changed
    LoadingLogIndex,       // headers of the log region
    LoadingRealtimeIndex,  // headers of the realtime region
    ChoosingSessions,      // the session list is shown
    RealtimePhase,
    LogPhase,
    Done,                  // "Data download!"
    Failed,                // failed or cancelled
};

const char* StateName(DownloadState state);

struct DeviceListItem {
    std::string caption;
    TItemData data;
    int icon = kIconOtherModel;
};

struct SessionRow {
    std::int32_t id = 0;
    std::string startTime;  // "YYYY-MM-DD HH:NN:SS"
    std::string timeLength; // "HH:NN:SS" (wraps at 24 h)
    std::string realtime;   // translated "Yes" / "No"
    std::string text;       // the three columns in one line
    bool checked = false;
};

// What the workflow stored and wrote for one session.
struct DownloadedSession {
    std::int32_t id = 0;
    StoreResult store;
    std::string logFile;
    std::string realtimeFile;  // empty when not fetched this time
};

// The windows' side: told when something to show has changed.
class DownloadView {
public:
    virtual ~DownloadView() = default;
    virtual void devicesChanged() {}
    virtual void sessionsChanged() {}
    virtual void progressShown() {}
    virtual void progressChanged(const ProgressFigures&) {}
    virtual void progressClosed() {}
    virtual void stateChanged(DownloadState) {}
    // A data file has been completed (.hidr or .hidl).
    virtual void fileWritten(const std::string&) {}
    // A session's log has been handled: stored, kept, or its storing failed.
    virtual void sessionHandled(const DownloadedSession&) {}
};

// Loads the channel list of a data file kind (1 realtime, 2 log): the count
// or a negative code, as the chart definition loader answers.
using ChannelLoader = std::function<int(int type, arTChannleInfo& channels)>;

struct DownloadSettings {
    storage::TDM* dm = nullptr;               // patient database (PatientDBPath) and master
    storage::Presenter* presenter = nullptr;  // message boxes
    Translator translate;                     // window texts (identity when empty)
    ChannelLoader loadChannels;               // by default the tDiagram rows of the master database
    std::string imageFolder;                  // where image files go; empty: the working directory
};

class DownloadWorkflow : public MessageSink {
public:
    static constexpr int kProgressIntervalMs = 100;
    static constexpr int kMinListedSeconds = 600;

    DownloadWorkflow(HidBackend& backend, Scheduler& scheduler, DownloadSettings settings);
    ~DownloadWorkflow() override;
    DownloadWorkflow(const DownloadWorkflow&) = delete;
    DownloadWorkflow& operator=(const DownloadWorkflow&) = delete;

    void setView(DownloadView* view) { view_ = view; }

    // Showing the window: a new link (the device list fills at once) and a new decoder.
    void Show();
    // The selected patient: its identifier and caption ("" when none).
    void setPatient(const std::string& patientId, const std::string& caption);
    const std::string& patientCaption() const { return patientCaption_; }

    // ---- the user's actions ------------------------------------------------
    void ChooseDevice(int index);  // a click on the device list
    void setMin10(bool on);        // "Less than 10 minutes." (refills the list)
    bool min10() const { return min10_; }
    void setOverwrite(bool on) { overwrite_ = on; }  // "Forced overlay data"
    bool overwrite() const { return overwrite_; }
    void setLeads(bool pressure, bool flow) { leadPressure_ = pressure, leadFlow_ = flow; }
    void setRowChecked(int row, bool checked);
    void SelectAll();
    void ReSelect();
    // "&Down Data": false when refused (with its information box).
    bool StartDownload();
    // "&Cancel" of the progress window.
    void Cancel();

    // ---- messages ------------------------------------------------------------
    void postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) override;
    void handleMessage(int message, std::intptr_t wParam, std::intptr_t lParam);

    // ---- state ---------------------------------------------------------------
    DownloadState state() const { return state_; }
    const std::vector<DeviceListItem>& devices() const { return devices_; }
    int selectedDevice() const { return selected_; }
    const std::vector<SessionRow>& rows() const { return rows_; }
    const arTLogData& LogIndex() const { return logIndex_; }
    const arTRealTimeData& RealtimeIndex() const { return realtimeIndex_; }
    const arTLogData& LogSessions() const { return logSessions_; }
    const arTChannleInfo& ChannelList() const { return channelList_; }
    std::int64_t TransferTotal() const { return transferTotal_; }
    int CurrentSession() const { return currentSession_; }
    int SavedEvents() const { return savedEvents_; }
    bool progressVisible() const { return progressVisible_; }
    const ProgressFigures& lastProgress() const { return lastProgress_; }
    TQvHid* link() { return link_.get(); }
    const std::vector<DownloadedSession>& downloaded() const { return downloaded_; }
    // Data files written since the last StartDownload, in order.
    const std::vector<std::string>& writtenFiles() const { return writtenFiles_; }

    int FindSession(std::int32_t id, int mode) const;  // mode 0 log index, 1 realtime index
    bool HasRealtimeData(std::int32_t id) const;
    void FillSessionList();
    // One tick of the progress display (the timer calls it every 100 ms).
    void ProgressTick();

private:
    struct Step;  // one step of the workflow; messages wait until it ends
    struct Deferred {
        int message;
        std::intptr_t wParam;
        std::intptr_t lParam;
    };
    void flushDeferred();
    bool failurePending() const;
    bool transferRunning() const;
    void showErrorAfter(DownloadState state, const std::string& text);
    void setState(DownloadState state);
    void refreshDeviceList();
    void onLogIndex();
    void onRealtimeIndex();
    void startRealtimePhase();
    void onRealtimeSession();
    void continueRealtimePhase();
    void startLogPhase();
    void onLogSession();
    void continueLogPhase();
    void onFailure(std::intptr_t lParam);
    void preparePhase(int type);
    void prepareDecoder(std::uint8_t fileKind, const TDeviceTime& start);
    std::int32_t startRead(std::uint32_t address, std::uint32_t size, int type);
    void dropImage();
    void ShowProgress();
    void CloseProgress();
    void stopWithError(const std::string& text);
    std::string tr(const std::string& text) const;
    std::string patientFolder() const;
    void showInfo(const std::string& text);
    void showError(const std::string& text);

    HidBackend& backend_;
    Scheduler& scheduler_;
    DownloadSettings settings_;
    DownloadView* view_ = nullptr;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    std::unique_ptr<TQvHid> link_;
    std::unique_ptr<TDataFile> dataFile_;
    std::string patientId_;
    std::string patientCaption_;

    DownloadState state_ = DownloadState::NoDevice;
    std::vector<DeviceListItem> devices_;
    int selected_ = -1;
    std::vector<SessionRow> rows_;
    std::vector<std::int32_t> rowIds_;
    bool min10_ = true;
    bool overwrite_ = false;
    bool leadPressure_ = true;
    bool leadFlow_ = true;

    arTLogData logIndex_;
    arTRealTimeData realtimeIndex_;
    arTLogData logSessions_;
    arTRealTimeData realtimeSessions_;
    std::size_t nextRow_ = 0;
    int currentSession_ = -1;
    int savedEvents_ = 0;
    std::int64_t transferTotal_ = 0;
    bool tickDone_ = true;
    DataFileHeader fileHeader_{};
    TPatientInfo patientInfoBlock_{};
    arTChannleInfo channelList_;

    std::string imageFile_;  // image of the transfer in flight or just completed
    bool progressVisible_ = false;
    Scheduler::TimerId progressTimer_ = 0;
    ProgressFigures lastProgress_;
    std::vector<DownloadedSession> downloaded_;
    std::vector<std::string> writtenFiles_;
    std::vector<std::pair<std::int32_t, std::string>> realtimeFiles_;  // session Id, .hidr written
    int nesting_ = 0;
    std::vector<Deferred> deferred_;
};

}  // namespace somnexa::device
