#include "page_look.h"

#include <QPainterPath>
#include <QRegion>
#include <QWidget>

namespace somnexa::patients {

void RoundCorners(QWidget* widget, int radius) {
    if (widget->width() <= 0 || widget->height() <= 0) return;
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, widget->width(), widget->height()), radius, radius);
    widget->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

QString PageStyleSheet(const QString& formName) {
    return QStringLiteral(
               "QWidget#%1 { background: #edf5fc; }"
               "QWidget#pnlCard { background: white; border: 1px solid #d3deea; border-radius: 10px; }"
               "QWidget#pnlButtons { background: #f6f9fc; border-top: 1px solid #d3deea; }"
               "QLabel#lblPageTitle { color: #1d4f82; font-size: 18px; font-weight: 600; }"
               "QLineEdit, QPlainTextEdit, QDateEdit { border: 1px solid #b9c9da; border-radius: 4px; padding: 4px 6px;"
               "  background: white; selection-background-color: #2e80c9; }"
               "QLineEdit:focus, QPlainTextEdit:focus, QDateEdit:focus { border-color: #2e80c9; }"
               "QLineEdit:disabled, QPlainTextEdit:disabled, QDateEdit:disabled { color: #33475b; background: #f4f7fa; }"
               "QComboBox:disabled { color: #33475b; background: #f4f7fa; }"
               "QComboBox::drop-down, QDateEdit::drop-down { border: none; width: 24px;"
               "  subcontrol-origin: padding; subcontrol-position: center right; }"
               "QComboBox::down-arrow, QDateEdit::down-arrow {"
               "  image: url(:/patients/pictures/arrow_down.png); width: 10px; height: 6px; }"
               "QComboBox::down-arrow:disabled, QDateEdit::down-arrow:disabled {"
               "  image: url(:/patients/pictures/arrow_down_disabled.png); }"
               "QPushButton:disabled { color: #9aabbd; background: #eef2f6; border-color: #cfd9e3; }"
               "QLineEdit[readOnlyField=\"true\"] { background: #ffffe1; color: #33475b; }"
               "QTabWidget::pane { border: 1px solid #d3deea; border-radius: 6px; background: white; top: -1px; }"
               "QTabBar::tab { background: #e3ecf5; border: 1px solid #d3deea; padding: 7px 22px; margin-right: 2px;"
               "  border-top-left-radius: 6px; border-top-right-radius: 6px; color: #35506b; }"
               "QTabBar::tab:selected { background: white; border-bottom-color: white; color: #1d4f82; font-weight: 600; }"
               "QTableView { background: white; border: 1px solid #d3deea; gridline-color: #e4ebf2;"
               "  selection-background-color: #2e80c9; alternate-background-color: #f5f9fd; }"
               "QHeaderView::section { background: #e8f0f8; border: none; border-right: 1px solid #d3deea;"
               "  border-bottom: 1px solid #c9d6e3; padding: 5px; color: #1d4f82; font-weight: 600; }")
        .arg(formName);
}

void MarkReadOnly(QWidget* field) {
    field->setProperty("readOnlyField", true);
}

}  // namespace somnexa::patients
