#include "new_patient_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/window_message.h"
#include "page_look.h"
#include "patient_figures.h"
#include "patient_files.h"

namespace somnexa::patients {

using app::qs;
using app::ss;

namespace {

constexpr int kShortText = 30;
constexpr int kLongText = 200;
constexpr int kMemoText = 240;
const QDate kDefaultBirthday(1990, 1, 1);

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    return edit;
}

QLabel* caption(QWidget* parent, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QStringLiteral("lblCaption"));
    return label;
}

// Keeps a multi-line text within its column's width.
void limitMemo(QPlainTextEdit* memo, int limit) {
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, limit] {
        const QString text = memo->toPlainText();
        if (text.size() <= limit) return;
        const QSignalBlocker block(memo);
        memo->setPlainText(text.left(limit));
        QTextCursor cursor = memo->textCursor();
        cursor.movePosition(QTextCursor::End);
        memo->setTextCursor(cursor);
    });
}

std::string memoText(const QPlainTextEdit* memo) { return ss(memo->toPlainText()); }

}  // namespace

TfrmNewPatient::TfrmNewPatient(app::AppContext& context, QWidget* parent)
    : TQvForm(context, QStringLiteral("frmNewPatient"), parent),
      registry_(context.dm(), context.presenter(), ss(context.programDir())) {
    setWindowTitle(QStringLiteral("New Patient"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(PageStyleSheet(objectName()) +
                  QStringLiteral("QLabel#lblCaption { color: #4a6178; }"
                                 "QLabel#imgPhoto { background: #f4f8fc; border: 1px dashed #9fb6cc;"
                                 "  border-radius: 6px; color: #6a8199; }"
                                 "QLabel#lblBMIClass { font-weight: 600; }"));

    auto* card = new QWidget(this);
    card->setObjectName(QStringLiteral("pnlCard"));
    card->setAttribute(Qt::WA_StyledBackground, true);
    auto* title = new QLabel(QStringLiteral("Patient Info"), card);
    title->setObjectName(QStringLiteral("lblPageTitle"));

    pgcInfo = new QTabWidget(card);
    pgcInfo->setObjectName(QStringLiteral("pgcInfo"));
    auto* basic = new QWidget;
    auto* additional = new QWidget;
    buildBasicTab(basic);
    buildAdditionalTab(additional);
    pgcInfo->addTab(basic, QStringLiteral("Basic"));
    pgcInfo->addTab(additional, QStringLiteral("Additional"));

    auto* buttons = new QWidget(card);
    buttons->setObjectName(QStringLiteral("pnlButtons"));
    buttons->setAttribute(Qt::WA_StyledBackground, true);
    btnNew = new QPushButton(QStringLiteral("&New"), buttons);
    btnNew->setObjectName(QStringLiteral("btnNew"));
    btnModify = new QPushButton(QStringLiteral("&Modify"), buttons);
    btnModify->setObjectName(QStringLiteral("btnModify"));
    btnSave = new QPushButton(QStringLiteral("&Save"), buttons);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), buttons);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnSave->setDefault(true);
    auto* bar = new QHBoxLayout(buttons);
    bar->setContentsMargins(12, 10, 30, 10);  // "&Cancel" 30 pixels from the right edge
    bar->setSpacing(10);
    bar->addStretch(1);
    for (QPushButton* b : {btnNew, btnModify, btnSave, btnCancel}) bar->addWidget(b);

    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(20, 16, 20, 0);
    cardLayout->setSpacing(12);
    cardLayout->addWidget(title);
    cardLayout->addWidget(pgcInfo, 1);
    cardLayout->addWidget(buttons);
    cardLayout->setContentsMargins(20, 16, 20, 16);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(card);

    connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
    connect(btnModify, &QPushButton::clicked, this, [this] { btnModifyClick(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
    connect(edtName, &QLineEdit::textChanged, this, [this] { edtNameChange(); });
    connect(dtpBirthday, &QDateEdit::dateChanged, this, [this] { dtpBirthdayChange(); });
    connect(edtWeight, &QLineEdit::textChanged, this, [this] { edtWeightChange(); });
    imgPhoto->installEventFilter(this);
    ResetInputs(false, false);
    setButtons(false);
}

void TfrmNewPatient::buildBasicTab(QWidget* tab) {
    edtPatientID = lineEdit(tab, "edtPatientID", kShortText);
    edtName = lineEdit(tab, "edtName", kShortText);
    dtpBirthday = new QDateEdit(tab);
    dtpBirthday->setObjectName(QStringLiteral("dtpBirthday"));
    dtpBirthday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpBirthday->setCalendarPopup(true);
    lblAgeValue = new QLabel(tab);
    lblAgeValue->setObjectName(QStringLiteral("lblAgeValue"));
    lblAgeValue->setMinimumWidth(60);
    cobSex = new QComboBox(tab);
    cobSex->setObjectName(QStringLiteral("cobSex"));
    cobSex->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
    edtHeight = lineEdit(tab, "edtHeight", kShortText);
    edtWeight = lineEdit(tab, "edtWeight", kShortText);
    edtBMI = lineEdit(tab, "edtBMI", kShortText);
    lblBMIClass = new QLabel(tab);
    lblBMIClass->setObjectName(QStringLiteral("lblBMIClass"));
    lblBMIClass->setMinimumWidth(90);
    edtPhone = lineEdit(tab, "edtPhone", kShortText);
    edtAddress = lineEdit(tab, "edtAddress", kLongText);
    edtEmail = lineEdit(tab, "edtEmail", kLongText);
    edtSavePath = lineEdit(tab, "edtSavePath", kLongText);
    btnBrowse = new QPushButton(QStringLiteral("..."), tab);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setStyleSheet(QStringLiteral("min-width: 20px; padding: 4px 10px;"));
    imgPhoto = new QLabel(QStringLiteral("Chick Add Picture"), tab);
    imgPhoto->setObjectName(QStringLiteral("imgPhoto"));
    imgPhoto->setAlignment(Qt::AlignCenter);
    imgPhoto->setFixedSize(170, 210);
    imgPhoto->setScaledContents(true);
    imgPhoto->setCursor(Qt::PointingHandCursor);
    for (QLineEdit* field : {edtPatientID, edtBMI, edtSavePath}) MarkReadOnly(field);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    int row = 0;
    const auto pair = [&](int column, const char* text, QWidget* field) {
        grid->addWidget(caption(tab, text), row, column);
        grid->addWidget(field, row, column + 1);
    };
    pair(0, "PatientID", edtPatientID);
    pair(2, "Name", edtName);
    ++row;
    pair(0, "Birthday", dtpBirthday);
    pair(2, "Age", lblAgeValue);
    ++row;
    pair(0, "Sex", cobSex);
    pair(2, "Phone", edtPhone);
    ++row;
    pair(0, "Height(cm)", edtHeight);
    pair(2, "Weight(kg)", edtWeight);
    ++row;
    auto* bmi = new QHBoxLayout;
    bmi->setSpacing(10);
    bmi->addWidget(edtBMI, 1);
    bmi->addWidget(lblBMIClass);
    grid->addWidget(caption(tab, "BMI"), row, 0);
    grid->addLayout(bmi, row, 1);
    pair(2, "E-Mail", edtEmail);
    ++row;
    grid->addWidget(caption(tab, "Address"), row, 0);
    grid->addWidget(edtAddress, row, 1, 1, 3);
    ++row;
    auto* path = new QHBoxLayout;
    path->setSpacing(6);
    path->addWidget(edtSavePath, 1);
    path->addWidget(btnBrowse);
    grid->addWidget(caption(tab, "Save path"), row, 0);
    grid->addLayout(path, row, 1, 1, 3);

    auto* layout = new QHBoxLayout(tab);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(28);
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addStretch(1);
    layout->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(imgPhoto);
    right->addStretch(1);
    layout->addLayout(right);
}

void TfrmNewPatient::buildAdditionalTab(QWidget* tab) {
    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(12);
    int row = 0;
    for (auto [memo, name, text] : {std::tuple{&mmoAllergic, "mmoAllergic", "Allergic"},
                                    std::tuple{&mmoClinic, "mmoClinic", "Medical"},
                                    std::tuple{&mmoReadme, "mmoReadme", "Readme"}}) {
        *memo = new QPlainTextEdit(tab);
        (*memo)->setObjectName(QString::fromLatin1(name));
        limitMemo(*memo, kMemoText);
        auto* label = caption(tab, text);
        layout->addWidget(label, row, 0, Qt::AlignTop);
        layout->addWidget(*memo, row, 1);
        ++row;
    }
    layout->setColumnStretch(1, 1);
}

QObject* TfrmNewPatient::mainWindow() const {
    if (mainWindow_) return mainWindow_;
    return window() != this ? window() : nullptr;
}

void TfrmNewPatient::ResetInputs(bool enable, bool keep) {
    for (QLineEdit* e : {edtPatientID, edtName, edtHeight, edtWeight, edtBMI, edtPhone, edtAddress, edtEmail,
                         edtSavePath}) {
        if (!keep) e->clear();
        const bool readOnly = e == edtPatientID || e == edtBMI || e == edtSavePath;
        e->setEnabled(enable && !readOnly);
    }
    if (!keep) {
        dtpBirthday->setDate(kDefaultBirthday);
        cobSex->setCurrentIndex(0);
    }
    dtpBirthday->setEnabled(enable);
    cobSex->setEnabled(enable);
    btnBrowse->setEnabled(enable);
    for (QPlainTextEdit* m : {mmoAllergic, mmoClinic, mmoReadme}) {
        if (!keep) m->clear();
        m->setEnabled(enable);
    }
    dtpBirthdayChange();
    imgPhoto->setPixmap(QPixmap());
    imgPhoto->setText(Translate(QStringLiteral("Chick Add Picture")));
    if (!keep) photoPath_.clear();
    pgcInfo->setCurrentIndex(0);
    newRecord_ = false;
}

void TfrmNewPatient::setButtons(bool editing) {
    btnNew->setEnabled(!editing);
    btnModify->setEnabled(!editing && !context().CurrentPatientID.empty());
    btnSave->setEnabled(editing);
    btnCancel->setEnabled(editing);
}

void TfrmNewPatient::FormShow() { ShowPage(); }

void TfrmNewPatient::ShowPage() {
    TranslateWindow();
    const bool selected = !context().CurrentPatientID.empty();
    ResetInputs(false, selected);
    setButtons(false);
    btnModify->setEnabled(false);
    if (!selected) return;
    const auto record = registry_.Load(context().CurrentPatientID);
    if (!record) return;
    edtPatientID->setText(qs(record->patientID));
    edtName->setText(qs(record->name));
    cobSex->setCurrentIndex(cobSex->findText(qs(record->gender), Qt::MatchExactly | Qt::MatchCaseSensitive));
    const CalendarTime day = record->birthday.calendar();
    dtpBirthday->setDate(QDate(day.year, day.month, day.day));
    edtHeight->setText(qs(record->height));
    edtWeight->setText(qs(record->weight));
    edtPhone->setText(qs(record->phone));
    edtAddress->setText(qs(record->address));
    edtEmail->setText(qs(record->email));
    mmoAllergic->setPlainText(qs(record->allergic));
    mmoClinic->setPlainText(qs(record->clinic));
    mmoReadme->setPlainText(qs(record->readme));
    edtSavePath->setText(qs(record->patientPath));
    if (FileExists(record->photo)) {
        showPhoto(qs(record->photo));
        photoPath_ = qs(record->photo);
    } else {
        photoPath_.clear();
    }
    btnModify->setEnabled(true);
    dtpBirthdayChange();
}

void TfrmNewPatient::btnNewClick() {
    ResetInputs(true, false);
    edtName->setFocus();
    setButtons(true);
    newRecord_ = true;
    edtPatientID->setText(qs(context().dm().NewPatientID()));
    cobSex->setCurrentIndex(0);
    edtNameChange();
}

void TfrmNewPatient::btnModifyClick() {
    ResetInputs(true, true);
    setButtons(true);
    newRecord_ = false;
    if (!photoPath_.isEmpty() && QFileInfo::exists(photoPath_)) showPhoto(photoPath_);
}

void TfrmNewPatient::btnCancelClick() { ShowPage(); }

void TfrmNewPatient::edtNameChange() {
    if (!newRecord_) return;
    edtSavePath->setText(qs(DefaultSavePath(registry_.programDir(), ss(edtName->text()))));
}

void TfrmNewPatient::dtpBirthdayChange() {
    const QDate d = dtpBirthday->date();
    const auto birthday = DateTime::fromCalendar(d.year(), d.month(), d.day());
    const int age = birthday ? AgeFromBirthday(*birthday, DateTime(context().dm().now())) : 0;
    lblAgeValue->setText(QString::number(age));
}

void TfrmNewPatient::edtWeightChange() {
    const auto bmi = ComputeBmi(ss(edtWeight->text()), ss(edtHeight->text()));
    edtBMI->setText(qs(BmiText(bmi)));
    if (!bmi) {
        lblBMIClass->hide();
        return;
    }
    const BmiClass c = ClassifyBmi(*bmi);
    lblBMIClass->setText(Translate(QString::fromLatin1(c.text)));
    lblBMIClass->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);").arg(c.red).arg(c.green).arg(c.blue));
    lblBMIClass->show();
}

void TfrmNewPatient::showPhoto(const QString& file) {
    QPixmap picture(file);
    if (picture.isNull()) return;
    imgPhoto->setText(QString());
    imgPhoto->setPixmap(picture);
}

void TfrmNewPatient::clearPhoto() {
    imgPhoto->setPixmap(QPixmap());
    imgPhoto->setText(Translate(QStringLiteral("Chick Add Picture")));
}

void TfrmNewPatient::imgPhotoClick() {
    if (!btnSave->isEnabled()) return;
    const auto file = context().presenter().ChooseOpenFile(
        "", "Pictures (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png", "");
    if (!file || !FileExists(*file)) return;
    photoPath_ = qs(*file);
    clearPhoto();
    showPhoto(photoPath_);
}

void TfrmNewPatient::btnBrowseClick() {
    const auto folder = context().presenter().ChooseFolder(ss(Translate(QStringLiteral("Select patient data save folder:"))),
                                                           registry_.programDir());
    if (!folder) return;
    std::string chosen = *folder;
    while (chosen.size() > 1 && chosen.back() == '/') chosen.pop_back();
    edtSavePath->setText(qs(chosen + "/" + ss(edtPatientID->text())));
}

PatientRecord TfrmNewPatient::recordFromFields() const {
    PatientRecord r;
    r.patientID = ss(edtPatientID->text());
    r.name = ss(edtName->text());
    r.gender = ss(cobSex->currentText());
    const QDate d = dtpBirthday->date();
    r.birthday = DateTime::fromCalendar(d.year(), d.month(), d.day()).value_or(DateTime());
    r.age = ss(lblAgeValue->text());
    r.height = ss(edtHeight->text());
    r.weight = ss(edtWeight->text());
    r.bmi = ss(edtBMI->text());
    r.phone = ss(edtPhone->text());
    r.address = ss(edtAddress->text());
    r.email = ss(edtEmail->text());
    r.allergic = memoText(mmoAllergic);
    r.clinic = memoText(mmoClinic);
    r.readme = memoText(mmoReadme);
    return r;
}

void TfrmNewPatient::btnSaveClick() {
    PatientRecord record = recordFromFields();
    const auto selection = registry_.Save(newRecord_ ? SaveMode::New : SaveMode::Modify, record,
                                          ss(edtSavePath->text()), ss(photoPath_));
    if (!selection) {
        if (edtName->text().trimmed().isEmpty()) edtName->setFocus();
        return;
    }
    edtSavePath->setText(qs(record.patientPath));
    context().CurrentPatientID = selection->patientID;
    context().CurrentPatientCaption = selection->caption;
    app::PostMessage(mainWindow(), msg::WM_USER_INFO);
    ShowPage();
}

bool TfrmNewPatient::WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) {
    if (message == msg::WM_USER_RESIZE) {
        RoundCorners(this);
        return true;
    }
    return TQvForm::WindowMessage(message, wParam, lParam, result);
}

void TfrmNewPatient::resizeEvent(QResizeEvent* event) {
    TQvForm::resizeEvent(event);
    RoundCorners(this);
}

bool TfrmNewPatient::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgPhoto && event->type() == QEvent::MouseButtonRelease) {
        imgPhotoClick();
        return true;
    }
    return TQvForm::eventFilter(watched, event);
}

}  // namespace somnexa::patients
