#include "charts/opt_diagram.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <limits>

#include "charts/diagram_loader.h"
#include "records/fixed_text.h"
#include "records/window_messages.h"

namespace somnexa::charts {
namespace {

constexpr int kPageHeight = 370;
constexpr int kPageWidth = 540;
const QString kItemSeparator = QStringLiteral(" - ");

// The list pictures: a waveform for realtime charts, a trend with bars for log charts.
QIcon listIcon(bool realtime) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (realtime) {
        painter.setPen(QPen(QColor(0x00, 0x46, 0xB4), 1.6));
        QPainterPath path(QPointF(1, 8));
        path.cubicTo(4, 1, 5, 1, 8, 8);
        path.cubicTo(11, 15, 12, 15, 15, 8);
        painter.drawPath(path);
    } else {
        painter.fillRect(2, 9, 3, 6, QColor(0xDC, 0x1E, 0x1E));
        painter.fillRect(7, 5, 3, 10, QColor(0xE6, 0x78, 0x00));
        painter.fillRect(12, 2, 3, 13, QColor(0x8C, 0x3C, 0xAA));
    }
    return QIcon(picture);
}

QSpinBox* spin(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, maximum);
    box->setMinimumWidth(90);
    return box;
}

QLineEdit* line(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(50);
    edit->setMinimumWidth(220);
    return edit;
}

QLabel* caption(QWidget* parent, const char* text) { return new QLabel(QString::fromUtf8(text), parent); }

QGroupBox* group(QWidget* parent, const char* title, const char* name) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QGridLayout* grid(QGroupBox* box) {
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(14, 16, 14, 10);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(6);
    layout->setColumnStretch(3, 1);
    return layout;
}

}  // namespace

TfrmOptDiagram::TfrmOptDiagram(app::AppContext& context, QWidget* parent)
    : TQvForm(context, QStringLiteral("frmOptDiagram"), parent) {
    constexpr int kIntMin = std::numeric_limits<int>::min();
    constexpr int kIntMax = std::numeric_limits<int>::max();
    cobList = new QComboBox(this);
    cobList->setObjectName(QStringLiteral("cobList"));
    cobList->setMinimumWidth(300);
    connect(cobList, &QComboBox::activated, this, [this](int) { cobListChange(); });

    QGroupBox* basic = group(this, "Basic information", "grpBasic");
    edtName = line(basic, "edtName");
    edtChannleName = line(basic, "edtChannleName");
    edtUnits = line(basic, "edtUnits");
    edtTextFormat = line(basic, "edtTextFormat");
    chkVisible = new QCheckBox(QStringLiteral("Graphic display"), basic);
    chkVisible->setObjectName(QStringLiteral("chkVisible"));
    QGridLayout* b = grid(basic);
    b->addWidget(caption(basic, "Name"), 0, 0);
    b->addWidget(edtName, 0, 1, 1, 2);
    b->addWidget(caption(basic, "Display name"), 1, 0);
    b->addWidget(edtChannleName, 1, 1, 1, 2);
    b->addWidget(caption(basic, "Unit"), 2, 0);
    b->addWidget(edtUnits, 2, 1, 1, 2);
    b->addWidget(caption(basic, "DisplayFormat"), 3, 0);
    b->addWidget(edtTextFormat, 3, 1, 1, 2);
    b->addWidget(chkVisible, 4, 1, 1, 2);

    QGroupBox* diagram = group(this, "Diagram information", "grpDiagram");
    cobLineColor = new LineColorBox(diagram);
    cobLineColor->setObjectName(QStringLiteral("cobLineColor"));
    edtRows = spin(diagram, "edtRows", 0, 255);
    edtHeight = spin(diagram, "edtHeight", 0, 1000);
    QGridLayout* d = grid(diagram);
    d->setColumnStretch(3, 0);
    d->setColumnStretch(5, 1);
    d->addWidget(caption(diagram, "Line color"), 0, 0);
    d->addWidget(cobLineColor, 0, 1, 1, 4);
    d->addWidget(caption(diagram, "Rows"), 1, 0);
    d->addWidget(edtRows, 1, 1);
    d->addWidget(caption(diagram, "Height"), 1, 2);
    d->addWidget(edtHeight, 1, 3);
    d->addWidget(caption(diagram, "Pixel"), 1, 4);

    diagramData_ = group(this, "Diagram data", "grpDiagramData");
    edtCols = spin(diagramData_, "edtCols", 0, 255);
    cobDiagramModel = new QComboBox(diagramData_);
    cobDiagramModel->setObjectName(QStringLiteral("cobDiagramModel"));
    edtRate = spin(diagramData_, "edtRate", 0, 255);
    edtMinY = spin(diagramData_, "edtMinY", kIntMin, kIntMax);
    edtMaxY = spin(diagramData_, "edtMaxY", kIntMin, kIntMax);
    edtDigitalMin = spin(diagramData_, "edtDigitalMin", kIntMin, kIntMax);
    edtDigitalMax = spin(diagramData_, "edtDigitalMax", kIntMin, kIntMax);
    QGridLayout* g = grid(diagramData_);
    g->addWidget(caption(diagramData_, "Cols"), 0, 0);
    g->addWidget(edtCols, 0, 1);
    g->addWidget(caption(diagramData_, "Diagram model"), 1, 0);
    g->addWidget(cobDiagramModel, 1, 1, 1, 3);
    g->addWidget(caption(diagramData_, "Data rate"), 2, 0);
    g->addWidget(edtRate, 2, 1);
    g->addWidget(caption(diagramData_, "Hz"), 2, 2);
    g->addWidget(caption(diagramData_, "Physical"), 3, 0);
    g->addWidget(edtMinY, 3, 1);
    g->addWidget(caption(diagramData_, "-"), 3, 2);
    g->addWidget(edtMaxY, 3, 3);
    g->addWidget(caption(diagramData_, "AD"), 4, 0);
    g->addWidget(edtDigitalMin, 4, 1);
    g->addWidget(caption(diagramData_, "-"), 4, 2);
    g->addWidget(edtDigitalMax, 4, 3);

    dataLoading_ = group(this, "Data loading", "grpDataLoading");
    cobDataMode = new QComboBox(dataLoading_);
    cobDataMode->setObjectName(QStringLiteral("cobDataMode"));
    edtCode = spin(dataLoading_, "edtCode", 0, 255);
    edtCodePos = spin(dataLoading_, "edtCodePos", 0, 1);
    QGridLayout* l = grid(dataLoading_);
    l->addWidget(caption(dataLoading_, "Load mode"), 0, 0);
    l->addWidget(cobDataMode, 0, 1, 1, 3);
    l->addWidget(caption(dataLoading_, "Identification code"), 1, 0);
    l->addWidget(edtCode, 1, 1);
    l->addWidget(caption(dataLoading_, "Data location"), 2, 0);
    l->addWidget(edtCodePos, 2, 1);
    // The chart's data source and scales are part of the configuration that
    // comes with the system: loaded and saved, not shown.
    diagramData_->hide();
    dataLoading_->hide();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(20, 12, 20, 12);
    layout->setVerticalSpacing(8);
    layout->addWidget(cobList, 0, 0);
    layout->addWidget(basic, 1, 0);
    layout->addWidget(diagram, 2, 0);
    layout->addWidget(diagramData_, 3, 0);
    layout->addWidget(dataLoading_, 4, 0);
    layout->setRowStretch(5, 1);

    fillList();
    resize(kPageWidth, kPageHeight);
}

void TfrmOptDiagram::fillList() {
    cobDiagramModel->clear();
    for (const char* kind : {"Diagram chart", "Vertical bar chart", "Rectangular chart", "Column chart"})
        cobDiagramModel->addItem(Translate(QString::fromLatin1(kind)));
    cobDataMode->clear();
    for (const char* mode : {"Get data from file", "Get data from database"})
        cobDataMode->addItem(Translate(QString::fromLatin1(mode)));
    cobList->clear();
    arTChannleInfo infos;
    const QString realtime = Translate(QStringLiteral("Realtime data"));
    if (LoadChannelInfos(context().dm(), kRealtimeDiagrams, false, infos) > 0) {
        for (const TChannleInfo& info : infos) {
            const QString name = app::qs(fixedText(info.Name));
            if (name.trimmed().isEmpty()) continue;
            cobList->addItem(listIcon(true), realtime + kItemSeparator + name);
        }
    }
    const QString log = Translate(QStringLiteral("Log data"));
    if (LoadChannelInfos(context().dm(), kLogDiagrams, false, infos) > 0) {
        for (const TChannleInfo& info : infos)
            cobList->addItem(listIcon(false), log + kItemSeparator + app::qs(fixedText(info.Name)));
    }
    cobList->setCurrentIndex(-1);
}

void TfrmOptDiagram::FormShow() {
    if (cobList->count() > 0 && cobList->currentIndex() < 0) {
        cobList->setCurrentIndex(0);
        cobListChange();
    }
}

bool TfrmOptDiagram::chosenDefinition(int& type, std::string& name) const {
    const QString item = cobList->currentText();
    const qsizetype cut = item.indexOf(kItemSeparator);
    if (cobList->currentIndex() < 0 || cut < 0) return false;
    type = item.left(cut) == Translate(QStringLiteral("Realtime data")) ? kRealtimeDiagrams : kLogDiagrams;
    name = app::ss(item.mid(cut + kItemSeparator.size()));
    return true;
}

void TfrmOptDiagram::cobListChange() {
    int type = 0;
    std::string name;
    if (!chosenDefinition(type, name)) return;
    arTChannleInfo infos;
    if (LoadChannelInfos(context().dm(), type, false, infos) <= 0) return;
    for (const TChannleInfo& info : infos) {
        if (fixedText(info.Name) != name) continue;
        edtName->setText(app::qs(fixedText(info.Name)));
        edtChannleName->setText(app::qs(fixedText(info.ChannleName)));
        edtUnits->setText(app::qs(fixedText(info.Units)));
        edtTextFormat->setText(app::qs(fixedText(info.TextFormatY)));
        chkVisible->setChecked(info.Visible != 0);
        cobLineColor->setColor(static_cast<TColor>(info.LineColor));
        edtRows->setValue(info.Rows);
        edtHeight->setValue(info.Height);
        edtCols->setValue(info.Cols);
        cobDiagramModel->setCurrentIndex(info.DiagramModel - 1);
        edtRate->setValue(info.Rate);
        edtMinY->setValue(info.MinY);
        edtMaxY->setValue(info.MaxY);
        edtDigitalMin->setValue(info.DigitalMin);
        edtDigitalMax->setValue(info.DigitalMax);
        cobDataMode->setCurrentIndex(info.DataMode - 1);
        edtCode->setValue(info.Code);
        edtCodePos->setValue(info.CodePos);
        return;
    }
}

bool TfrmOptDiagram::WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) {
    if (message != msg::WM_OPTION_SAVE) return false;
    result = WMOptionSave(wParam, lParam);
    return true;
}

std::intptr_t TfrmOptDiagram::WMOptionSave(std::intptr_t wParam, std::intptr_t lParam) {
    int type = 0;
    std::string oldName;
    // With no chart chosen (no definitions at all) there is nothing to check
    // or store, and the other pages must still be able to save.
    if (!chosenDefinition(type, oldName)) return 0;
    if (edtMaxY->value() <= edtMinY->value() || edtDigitalMax->value() <= edtDigitalMin->value()) {
        if (lParam != 0) ShowInfo("Ranges of parameters in the latter must be greater than the former!");
        return -1;
    }
    if (wParam == 0) return 0;
    using storage::QuotedStr;
    const auto number = [](int value) { return std::to_string(value); };
    const std::string sql =
        "update tDiagram set [Name]=" + QuotedStr(app::ss(edtName->text())) +
        ",ChannleName=" + QuotedStr(app::ss(edtChannleName->text())) + ",Units=" + QuotedStr(app::ss(edtUnits->text())) +
        ",TextFormatY=" + QuotedStr(app::ss(edtTextFormat->text())) + ",[Visible]=" + (chkVisible->isChecked() ? "-1" : "0") +
        ",[Height]=" + number(edtHeight->value()) + ",[Rows]=" + number(edtRows->value()) +
        ",[Cols]=" + number(edtCols->value()) + ",LineColor=" + std::to_string(cobLineColor->color()) +
        ",DiagramModel=" + number(cobDiagramModel->currentIndex() + 1) + ",Rate=" + number(edtRate->value()) +
        ",MinY=" + number(edtMinY->value()) + ",MaxY=" + number(edtMaxY->value()) +
        ",DigitalMin=" + number(edtDigitalMin->value()) + ",DigitalMax=" + number(edtDigitalMax->value()) +
        ",DataMode=" + number(cobDataMode->currentIndex() + 1) + ",Code=" + number(edtCode->value()) +
        ",CodePos=" + number(edtCodePos->value()) + " where [Name]=" + QuotedStr(oldName) +
        " and [Type]=" + std::to_string(type);
    storage::TDM& dm = context().dm();
    if (!dm.ConnectDatabase(storage::kMasterConnection)) return -2;
    // The update must change exactly the one chart shown: when the name
    // matches no row or several (a name cut to its first 20 characters, two
    // charts of one name), nothing is kept.
    if (!dm.BeginTransaction(storage::kMasterConnection)) return -2;
    storage::Query q;
    if (dm.ExecSQL(q, sql, storage::kMasterConnection, true) != 1) {
        dm.RollbackTransaction(storage::kMasterConnection);
        return -2;
    }
    if (!dm.CommitTransaction(storage::kMasterConnection)) return -2;
    if (lParam != 0) ShowInfo("System settings saved successfully!");
    // The list is made again (names may have changed); the same place stays chosen.
    const int position = cobList->currentIndex();
    fillList();
    FormShow();
    if (position >= 0 && position < cobList->count()) {
        cobList->setCurrentIndex(position);
        cobListChange();
    }
    return 0;
}

void TfrmOptDiagram::wheelEvent(QWheelEvent* event) {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* box = qobject_cast<QScrollArea*>(w)) {
            QScrollBar* bar = box->verticalScrollBar();
            // Towards the user (negative angle) scrolls down.
            bar->setValue(bar->value() + (event->angleDelta().y() < 0 ? bar->singleStep() : -bar->singleStep()));
            event->accept();
            return;
        }
    }
    TQvForm::wheelEvent(event);
}

void registerDiagramOptionPage(app::AppContext& context) {
    context.optionPages[2] = [](app::AppContext& c, QWidget* owner) -> app::TQvForm* {
        return new TfrmOptDiagram(c, owner);
    };
}

}  // namespace somnexa::charts
