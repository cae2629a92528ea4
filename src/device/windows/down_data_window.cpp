#include "device/windows/down_data_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/window_message.h"
#include "device/windows/device_icons.h"
#include "device/windows/download_devices.h"
#include "device/windows/down_data_style.h"
#include "device/windows/downing_window.h"
#include "patients/open_patient_window.h"
#include "patients/page_look.h"

namespace somnexa::device::windows {

using app::qs;
using app::ss;

namespace {

constexpr int kPatientPage = 2;
constexpr int kSessionColumns = 3;
// Below the session list: the link labels 10 pixels under it, then the
// check boxes; the list ends 95 pixels above the button panel.
constexpr int kBelowListHeight = 95;
constexpr int kLinksGap = 10;

}  // namespace

TfrmDownData::TfrmDownData(app::AppContext& context, std::unique_ptr<DownloadDevices> devices, QWidget* parent)
    : TQvForm(context, QStringLiteral("frmDownData"), parent), devices_(std::move(devices)) {
    build();
    makeWorkflow(devices_->backend(), devices_->scheduler(), {});
}

TfrmDownData::TfrmDownData(app::AppContext& context, HidBackend& backend, Scheduler& scheduler, QWidget* parent,
                           const std::string& imageFolder)
    : TQvForm(context, QStringLiteral("frmDownData"), parent) {
    build();
    makeWorkflow(backend, scheduler, imageFolder);
}

TfrmDownData::~TfrmDownData() {
    workflow_->setView(nullptr);
    delete progress_.data();  // a top-level window of its own
    workflow_.reset();
}

TfrmDowning* TfrmDownData::progressWindow() const { return progress_; }

void TfrmDownData::makeWorkflow(HidBackend& backend, Scheduler& scheduler, const std::string& imageFolder) {
    DownloadSettings settings;
    settings.dm = &context().dm();
    settings.presenter = &context().presenter();
    settings.translate = [this](const std::string& text) { return Translate(std::string_view(text)); };
    settings.imageFolder = imageFolder;
    workflow_ = std::make_unique<DownloadWorkflow>(backend, scheduler, std::move(settings));
    workflow_->setView(this);
    workflow_->setMin10(chkMin10->isChecked());
    workflow_->setOverwrite(chkCover->isChecked());
    workflow_->setLeads(chkPressure->isChecked(), chkFlow->isChecked());
}

void TfrmDownData::build() {
    setWindowTitle(QStringLiteral("Down Data"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(patients::PageStyleSheet(objectName()) + DownDataStyleSheet());

    auto* card = new QWidget(this);
    card->setObjectName(QStringLiteral("pnlCard"));
    card->setAttribute(Qt::WA_StyledBackground, true);

    auto* title = new QLabel(QStringLiteral("Down Data"), card);
    title->setObjectName(QStringLiteral("lblPageTitle"));

    // The patient the data go to.
    auto* patientLabel = new QLabel(QStringLiteral("Selected Patient"), card);
    patientLabel->setObjectName(QStringLiteral("lblPatient"));
    edtFind = new QLineEdit(card);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setReadOnly(true);
    edtFind->setFocusPolicy(Qt::NoFocus);
    patients::MarkReadOnly(edtFind);
    btnFind = new QPushButton(QStringLiteral("&Select"), card);
    btnFind->setObjectName(QStringLiteral("btnFind"));
    auto* patientBar = new QHBoxLayout;
    patientBar->setSpacing(10);
    patientBar->addWidget(patientLabel);
    patientBar->addWidget(edtFind, 1);
    patientBar->addWidget(btnFind);

    // The ventilators.
    auto* devices = new QGroupBox(QStringLiteral("Select Device"), card);
    devices->setObjectName(QStringLiteral("grpDevice"));
    lvList = new QListWidget(devices);
    lvList->setObjectName(QStringLiteral("lvList"));
    lvList->setViewMode(QListView::IconMode);
    lvList->setIconSize(QSize(kDeviceIconWidth, kDeviceIconHeight));
    lvList->setGridSize(QSize(112, 76));
    lvList->setMovement(QListView::Static);
    lvList->setResizeMode(QListView::Adjust);
    lvList->setWordWrap(true);
    lvList->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* devicesLayout = new QVBoxLayout(devices);
    devicesLayout->setContentsMargins(10, 14, 10, 10);
    devicesLayout->addWidget(lvList);
    devices->setFixedWidth(260);

    // The sessions and the choices of the download.
    auto* sessions = new QGroupBox(QStringLiteral("Select Data"), card);
    sessions->setObjectName(QStringLiteral("grpData"));
    lstLogData = new QTreeWidget(sessions);
    lstLogData->setObjectName(QStringLiteral("lstLogData"));
    lstLogData->setColumnCount(kSessionColumns);
    lstLogData->setHeaderLabels({QStringLiteral("Start Time"), QStringLiteral("Time Length"),
                                 QStringLiteral("Realtime Data")});
    lstLogData->setRootIsDecorated(false);
    lstLogData->setUniformRowHeights(true);
    lstLogData->setAlternatingRowColors(true);
    lstLogData->setSelectionMode(QAbstractItemView::SingleSelection);
    lstLogData->header()->setStretchLastSection(true);
    lstLogData->header()->setSectionsMovable(false);
    lstLogData->setColumnWidth(0, 230);
    lstLogData->setColumnWidth(1, 150);

    auto* below = new QWidget(sessions);
    below->setObjectName(QStringLiteral("pnlChoices"));
    below->setFixedHeight(kBelowListHeight);
    lblSelectAll = new QPushButton(QStringLiteral("Select All"), below);
    lblSelectAll->setObjectName(QStringLiteral("lblSelectAll"));
    lblSelectReverse = new QPushButton(QStringLiteral("ReSelect"), below);
    lblSelectReverse->setObjectName(QStringLiteral("lblSelectReverse"));
    for (QPushButton* link : {lblSelectAll, lblSelectReverse}) {
        link->setFlat(true);
        link->setCursor(Qt::PointingHandCursor);
        link->setFocusPolicy(Qt::NoFocus);
        link->setProperty("link", true);
    }
    chkMin10 = new QCheckBox(QStringLiteral("Less than 10 minutes."), below);
    chkMin10->setObjectName(QStringLiteral("chkMin10"));
    chkMin10->setChecked(true);
    chkCover = new QCheckBox(QStringLiteral("Forced overlay data"), below);
    chkCover->setObjectName(QStringLiteral("chkCover"));
    chkCover->setChecked(false);
    // The lead choice: kept, never shown (both leads are always fetched).
    grpSelect = new QGroupBox(QStringLiteral("导联选择"), below);
    grpSelect->setObjectName(QStringLiteral("grpSelect"));
    chkPressure = new QCheckBox(QStringLiteral("压力"), grpSelect);
    chkPressure->setObjectName(QStringLiteral("chkPressure"));
    chkPressure->setChecked(true);
    chkFlow = new QCheckBox(QStringLiteral("流量"), grpSelect);
    chkFlow->setObjectName(QStringLiteral("chkFlow"));
    chkFlow->setChecked(true);
    auto* leads = new QHBoxLayout(grpSelect);
    leads->addWidget(chkPressure);
    leads->addWidget(chkFlow);
    grpSelect->setVisible(false);

    auto* links = new QHBoxLayout;
    links->setSpacing(16);
    links->addWidget(lblSelectAll);
    links->addWidget(lblSelectReverse);
    links->addStretch(1);
    auto* checks = new QHBoxLayout;
    checks->setSpacing(24);
    checks->addWidget(chkMin10);
    checks->addWidget(chkCover);
    checks->addWidget(grpSelect);
    checks->addStretch(1);
    auto* belowLayout = new QVBoxLayout(below);
    belowLayout->setContentsMargins(0, kLinksGap, 0, 0);
    belowLayout->setSpacing(12);
    belowLayout->addLayout(links);
    belowLayout->addLayout(checks);
    belowLayout->addStretch(1);

    auto* sessionsLayout = new QVBoxLayout(sessions);
    sessionsLayout->setContentsMargins(10, 14, 10, 0);
    sessionsLayout->setSpacing(0);
    sessionsLayout->addWidget(lstLogData, 1);
    sessionsLayout->addWidget(below);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(14);
    middle->addWidget(devices);
    middle->addWidget(sessions, 1);

    // The button panel: "&Back Patient" 30 pixels from the right edge,
    // "&Down Data" 10 pixels left of it.
    auto* buttons = new QWidget(card);
    buttons->setObjectName(QStringLiteral("pnlButtons"));
    buttons->setAttribute(Qt::WA_StyledBackground, true);
    btnOK = new QPushButton(QStringLiteral("&Down Data"), buttons);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Back Patient"), buttons);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* bar = new QHBoxLayout(buttons);
    bar->setContentsMargins(12, 10, 30, 10);
    bar->setSpacing(10);
    bar->addStretch(1);
    bar->addWidget(btnOK);
    bar->addWidget(btnCancel);

    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(20, 16, 20, 16);
    cardLayout->setSpacing(12);
    cardLayout->addWidget(title);
    cardLayout->addLayout(patientBar);
    cardLayout->addLayout(middle, 1);
    cardLayout->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(card);

    connect(btnFind, &QPushButton::clicked, this, [this] { btnFindClick(); });
    connect(lvList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { lvListClick(lvList->row(item)); });
    connect(chkMin10, &QCheckBox::clicked, this, [this] { chkMin10Click(); });
    connect(chkCover, &QCheckBox::clicked, this, [this] { chkCoverClick(); });
    connect(chkPressure, &QCheckBox::clicked, this, [this] { grpSelectClick(); });
    connect(chkFlow, &QCheckBox::clicked, this, [this] { grpSelectClick(); });
    connect(lblSelectAll, &QPushButton::clicked, this, [this] { lblSelectAllClick(); });
    connect(lblSelectReverse, &QPushButton::clicked, this, [this] { lblSelectReverseClick(); });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(lstLogData, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (filling_ || column != 0) return;
        workflow_->setRowChecked(lstLogData->indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
    });
}

// ---- showing ---------------------------------------------------------------------

void TfrmDownData::FormShow() {
    showPatient();
    // A new link: the device list fills at once.
    workflow_->Show();
}

void TfrmDownData::showPatient() {
    edtFind->setText(qs(context().CurrentPatientCaption));
    workflow_->setPatient(context().CurrentPatientID, context().CurrentPatientCaption);
}

QObject* TfrmDownData::mainWindow() const {
    if (mainWindow_) return mainWindow_;
    return window() != this ? window() : nullptr;
}

// ---- the user's actions ------------------------------------------------------------

void TfrmDownData::btnFindClick() {
    if (choosePatient_) choosePatient_();
    else runPatientDialog();
    showPatient();
}

void TfrmDownData::runPatientDialog() {
    patients::TfrmOpenPatient dialog(context(), patients::ListMode::Dialog, this);
    if (QObject* main = mainWindow()) dialog.setMainWindow(main);
    dialog.ShowModal();
}

void TfrmDownData::lvListClick(int row) {
    if (row < 0) return;
    workflow_->ChooseDevice(row);
}

void TfrmDownData::chkMin10Click() { workflow_->setMin10(chkMin10->isChecked()); }

void TfrmDownData::chkCoverClick() { workflow_->setOverwrite(chkCover->isChecked()); }

void TfrmDownData::grpSelectClick() { workflow_->setLeads(chkPressure->isChecked(), chkFlow->isChecked()); }

void TfrmDownData::lblSelectAllClick() { workflow_->SelectAll(); }

void TfrmDownData::lblSelectReverseClick() { workflow_->ReSelect(); }

void TfrmDownData::btnOKClick() {
    // The workflow reads the patient from the field as it is now.
    workflow_->setPatient(context().CurrentPatientID, ss(edtFind->text()));
    if (!workflow_->StartDownload() && edtFind->text().trimmed().isEmpty()) btnFind->setFocus();
}

void TfrmDownData::btnCancelClick() { app::PostMessage(mainWindow(), msg::WM_CHANGE_PAGE, kPatientPage); }

// ---- what the workflow shows ---------------------------------------------------------

void TfrmDownData::devicesChanged() {
    const auto& list = workflow_->devices();
    // The same devices: only their pictures and the selection change (the
    // items stay, as this may run from a click on one of them).
    bool same = lvList->count() == static_cast<int>(list.size());
    for (std::size_t i = 0; same && i < list.size(); ++i)
        same = lvList->item(static_cast<int>(i))->toolTip() == qs(list[i].data.ProductName);
    if (same) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            QListWidgetItem* item = lvList->item(static_cast<int>(i));
            item->setIcon(QIcon(DeviceIconPicture(list[i].icon)));
            item->setSelected(static_cast<int>(i) == workflow_->selectedDevice());
        }
        return;
    }
    filling_ = true;
    lvList->clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        auto* item = new QListWidgetItem(QIcon(DeviceIconPicture(list[i].icon)), qs(list[i].caption), lvList);
        item->setToolTip(qs(list[i].data.ProductName));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        if (static_cast<int>(i) == workflow_->selectedDevice()) item->setSelected(true);
    }
    filling_ = false;
}

void TfrmDownData::sessionsChanged() {
    filling_ = true;
    lstLogData->clear();
    QList<QTreeWidgetItem*> items;
    for (const SessionRow& row : workflow_->rows()) {
        auto* item = new QTreeWidgetItem({qs(row.startTime), qs(row.timeLength), qs(row.realtime)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
        item->setData(0, Qt::UserRole, row.id);
        items.push_back(item);
    }
    lstLogData->addTopLevelItems(items);
    filling_ = false;
}

void TfrmDownData::progressShown() {
    if (!progress_) {
        progress_ = new TfrmDowning(context(), this, [this] { workflow_->Cancel(); });
        if (QWidget* top = window(); top && top != progress_)
            progress_->move(top->geometry().center() - progress_->rect().center());
    }
    progress_->show();
    progress_->raise();
}

void TfrmDownData::progressChanged(const ProgressFigures& figures) {
    if (progress_) progress_->showFigures(figures);
}

void TfrmDownData::progressClosed() {
    if (!progress_) return;
    TfrmDowning* window = progress_;
    progress_ = nullptr;
    window->hide();
    window->deleteLater();
}

// ---- messages and layout ---------------------------------------------------------------

void TfrmDownData::WMUserReSize() {
    if (QWidget* parent = parentWidget(); parent && !isWindow()) setGeometry(parent->rect());
    patients::RoundCorners(this, patients::kPageCornerRadius);
}

bool TfrmDownData::WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) {
    switch (message) {
        case msg::WM_USER_RESIZE:
            WMUserReSize();
            return true;
        case msg::WM_DEVICE_NOTIFY:
        case msg::WM_DEVICE_ERROR:
            // Device messages posted to the window go to the download.
            workflow_->handleMessage(message, wParam, lParam);
            return true;
        default:
            return TQvForm::WindowMessage(message, wParam, lParam, result);
    }
}

void TfrmDownData::resizeEvent(QResizeEvent* event) {
    TQvForm::resizeEvent(event);
    patients::RoundCorners(this, patients::kPageCornerRadius);
}

QWidget* CreateDownDataPage(app::AppContext& context, QWidget* owner) {
    DeviceSourceOptions options;
    options.simulatedFlash = context.SimulatedFlash;
    options.latencyUs = context.SimulatedLatencyUs;
    return new TfrmDownData(context, std::make_unique<DownloadDevices>(options), owner);
}

}  // namespace somnexa::device::windows
