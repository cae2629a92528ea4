#include "open_patient_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/window_helpers.h"
#include "app/window_message.h"
#include "page_look.h"

namespace somnexa::patients {

using app::qs;
using app::ss;

namespace {

struct ColumnDef {
    const char* title;
    const char* field;
    Qt::Alignment alignment;
    int width;
};

const ColumnDef kColumns[] = {
    {"Patient ID", "PatientID", Qt::AlignCenter, 135},
    {"Name", "PatientName1", Qt::AlignLeft | Qt::AlignVCenter, 106},
    {"Age", "PatientAge", Qt::AlignCenter, 59},
    {"Sex", "Gender", Qt::AlignCenter, 57},
    {"Patient Path", "PatientPath1", Qt::AlignLeft | Qt::AlignVCenter, 384},
};

constexpr int kEntryRole = Qt::UserRole + 1;  // on the first cell: the row's index fields

}  // namespace

TfrmOpenPatient::TfrmOpenPatient(app::AppContext& context, ListMode mode, QWidget* parent)
    : TQvForm(context, QStringLiteral("frmOpenPatient"), parent),
      mode_(mode),
      index_(context.dm(), context.presenter(), ss(context.programDir())) {
    setWindowTitle(QStringLiteral("Select Patient"));
    setAttribute(Qt::WA_StyledBackground, true);
    if (mode_ == ListMode::Dialog) setWindowFlags(Qt::Dialog);
    setStyleSheet(PageStyleSheet(objectName()));

    auto* card = new QWidget(this);
    card->setObjectName(QStringLiteral("pnlCard"));
    card->setAttribute(Qt::WA_StyledBackground, true);

    auto* title = new QLabel(QStringLiteral("Select Patient"), card);
    title->setObjectName(QStringLiteral("lblPageTitle"));
    auto* searchLabel = new QLabel(QStringLiteral("PatientID/Name"), card);
    edtSearch = new QLineEdit(card);
    edtSearch->setObjectName(QStringLiteral("edtSearch"));
    edtSearch->setClearButtonEnabled(true);
    btnSearch = new QPushButton(QStringLiteral("&Search"), card);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    auto* searchBar = new QHBoxLayout;
    searchBar->setSpacing(10);
    searchBar->addWidget(searchLabel);
    searchBar->addWidget(edtSearch, 1);
    searchBar->addWidget(btnSearch);

    model_ = new QStandardItemModel(0, static_cast<int>(std::size(kColumns)), this);
    for (int c = 0; c < model_->columnCount(); ++c)
        model_->setHeaderData(c, Qt::Horizontal, QString::fromLatin1(kColumns[c].title));
    grdList = new QTableView(card);
    grdList->setObjectName(QStringLiteral("grdList"));
    grdList->setModel(model_);
    grdList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdList->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdList->setSelectionMode(QAbstractItemView::SingleSelection);
    grdList->setAlternatingRowColors(true);
    grdList->verticalHeader()->hide();
    grdList->verticalHeader()->setDefaultSectionSize(26);
    grdList->horizontalHeader()->setHighlightSections(false);
    grdList->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < model_->columnCount(); ++c) grdList->setColumnWidth(c, kColumns[c].width);

    auto* buttons = new QWidget(card);
    buttons->setObjectName(QStringLiteral("pnlButtons"));
    buttons->setAttribute(Qt::WA_StyledBackground, true);
    btnImport = new QPushButton(QStringLiteral("&Import Patient"), buttons);
    btnImport->setObjectName(QStringLiteral("btnImport"));
    btnSelect = new QPushButton(QStringLiteral("Select &Patient"), buttons);
    btnSelect->setObjectName(QStringLiteral("btnSelect"));
    btnDelete = new QPushButton(QStringLiteral("&Delete Patient"), buttons);
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnBack = new QPushButton(QStringLiteral("&Back Patient"), buttons);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnSelect->setDefault(true);
    auto* bar = new QHBoxLayout(buttons);
    bar->setContentsMargins(12, 10, 30, 10);  // the back button 30 pixels from the right edge
    bar->setSpacing(10);
    bar->addStretch(1);
    for (QPushButton* b : {btnImport, btnSelect, btnDelete, btnBack}) bar->addWidget(b);

    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(20, 16, 20, 16);
    cardLayout->setSpacing(12);
    if (mode_ == ListMode::Page) cardLayout->addWidget(title);
    else title->hide();
    cardLayout->addLayout(searchBar);
    cardLayout->addWidget(grdList, 1);
    cardLayout->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    // A page stands 8 pixels inside the page area on every side.
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(card);

    if (mode_ == ListMode::Dialog) {
        resize(600, 450);
        btnImport->hide();
        btnBack->setText(QStringLiteral("&Cancel"));
    }

    connect(btnSearch, &QPushButton::clicked, this, [this] { btnSearchClick(); });
    connect(edtSearch, &QLineEdit::returnPressed, this, [this] { btnSearchClick(); });
    connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelectClick(); });
    connect(grdList, &QTableView::doubleClicked, this, [this] { btnSelectClick(); });
    connect(btnImport, &QPushButton::clicked, this, [this] { btnImportClick(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
    connect(btnBack, &QPushButton::clicked, this, [this] { btnBackClick(); });
}

TfrmOpenPatient::~TfrmOpenPatient() {
    if (mode_ == ListMode::Page) app::SaveGridLayout(context(), *grdList, QStringLiteral("OpenPatientList"));
}

QString TfrmOpenPatient::gridSection() const {
    return mode_ == ListMode::Page ? QStringLiteral("OpenPatientList") : QStringLiteral("OpenPatientList2");
}

QObject* TfrmOpenPatient::mainWindow() const {
    if (mainWindow_) return mainWindow_;
    return window() != this ? window() : nullptr;
}

void TfrmOpenPatient::FormShow() {
    app::RestoreGridLayout(context(), *grdList, gridSection());
    btnSearchClick();
}

void TfrmOpenPatient::ShowModal() {
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    loop_ = &loop;
    if (isVisible()) loop.exec();
    loop_ = nullptr;
}

void TfrmOpenPatient::btnSearchClick() {
    const QString text = edtSearch->text().trimmed();
    edtSearch->setText(text);
    storage::Query rows;
    if (index_.Search(ss(text), rows) >= 0) fill(rows);
    edtSearch->setFocus();
    edtSearch->selectAll();
}

void TfrmOpenPatient::fill(storage::Query& rows) {
    model_->removeRows(0, model_->rowCount());
    for (rows.First(); !rows.Eof(); rows.Next()) {
        QList<QStandardItem*> items;
        for (const ColumnDef& column : kColumns) {
            auto* item = new QStandardItem(qs(rows.FieldByName(column.field).AsString()));
            item->setTextAlignment(column.alignment);
            items.push_back(item);
        }
        const PatientEntry entry = EntryOfRow(rows);
        items[0]->setData(QStringList{qs(entry.patientID), qs(entry.name), qs(entry.gender), qs(entry.age),
                                      qs(entry.path)},
                          kEntryRole);
        model_->appendRow(items);
    }
    if (model_->rowCount() > 0) selectRow(0);
}

int TfrmOpenPatient::rowCount() const { return model_->rowCount(); }

PatientEntry TfrmOpenPatient::entryAt(int row) const {
    const QStringList f = model_->index(row, 0).data(kEntryRole).toStringList();
    if (f.size() != 5) return {};
    return {ss(f[0]), ss(f[1]), ss(f[2]), ss(f[3]), ss(f[4])};
}

void TfrmOpenPatient::selectRow(int row) { grdList->selectRow(row); }

int TfrmOpenPatient::currentRow() const {
    const QModelIndex current = grdList->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void TfrmOpenPatient::btnSelectClick() {
    if (model_->rowCount() == 0) {
        ShowInfo("Please select the need to open the patient!");
        return;
    }
    const int row = currentRow();
    Selection selection;
    if (index_.Open(entryAt(row), selection) == OpenResult::FileMissing) {
        model_->removeRow(row);
        return;
    }
    context().CurrentPatientID = selection.patientID;
    context().CurrentPatientCaption = selection.caption;
    app::PostMessage(mainWindow(), msg::WM_USER_INFO);
    if (mode_ == ListMode::Dialog) close();
    else app::PostMessage(mainWindow(), msg::WM_CHANGE_PAGE, 2);
}

void TfrmOpenPatient::btnBackClick() {
    if (mode_ == ListMode::Dialog) close();
    else app::PostMessage(mainWindow(), msg::WM_CHANGE_PAGE, 2);
}

void TfrmOpenPatient::btnImportClick() {
    if (mode_ != ListMode::Page) return;
    const auto file = context().presenter().ChooseOpenFile("", "(*.mdb)|*.mdb", "");
    if (!file) return;
    if (index_.Import(*file)) btnSearchClick();
}

void TfrmOpenPatient::btnDeleteClick() {
    if (!AskQuestion("Are you sure you want to delete this patient information?")) return;
    if (model_->rowCount() == 0) return;
    const int row = currentRow();
    const PatientEntry entry = entryAt(row);
    const std::string caption = PatientCaption(entry);
    if (!index_.Delete(entry.patientID)) return;
    model_->removeRow(row);
    if (caption == context().CurrentPatientCaption) {
        context().CurrentPatientCaption.clear();
        context().CurrentPatientID.clear();
        app::PostMessage(mainWindow(), msg::WM_USER_INFO);
    }
}

void TfrmOpenPatient::layoutPage() {
    if (mode_ == ListMode::Page) RoundCorners(this);
}

bool TfrmOpenPatient::WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) {
    if (message == msg::WM_USER_RESIZE) {
        layoutPage();
        return true;
    }
    return TQvForm::WindowMessage(message, wParam, lParam, result);
}

void TfrmOpenPatient::resizeEvent(QResizeEvent* event) {
    TQvForm::resizeEvent(event);
    layoutPage();
}

void TfrmOpenPatient::closeEvent(QCloseEvent* event) {
    app::SaveGridLayout(context(), *grdList, gridSection());
    TQvForm::closeEvent(event);
    if (loop_) loop_->quit();
}

}  // namespace somnexa::patients
