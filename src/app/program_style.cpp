#include "app/program_style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace somnexa::app {

void applyProgramStyle(QApplication& application) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) application.setStyle(fusion);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(13);
    font.setStyleHint(QFont::SansSerif);
    application.setFont(font);
    QPalette palette = application.palette();
    palette.setColor(QPalette::Window, QColor(0xf4, 0xf7, 0xfb));
    palette.setColor(QPalette::Highlight, QColor(0x2e, 0x80, 0xc9));
    palette.setColor(QPalette::WindowText, QColor(0x23, 0x3a, 0x52));
    palette.setColor(QPalette::ButtonText, QColor(0x23, 0x3a, 0x52));
    application.setPalette(palette);
    application.setStyleSheet(QStringLiteral(
        "QPushButton { background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #ffffff, stop:1 #e8eff7);"
        "  border: 1px solid #a9bdd2; border-radius: 5px; padding: 6px 22px; min-width: 70px; color: #1f3d5c; }"
        "QPushButton:hover { border-color: #2e80c9; }"
        "QPushButton:pressed { background: #dbe7f3; }"
        "QPushButton:default { background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #3b93dd, stop:1 #2a74b8);"
        "  color: white; border-color: #22639e; }"
        "QComboBox { border: 1px solid #a9bdd2; border-radius: 4px; padding: 4px 8px; background: white; }"
        "QComboBox:hover { border-color: #2e80c9; }"
        "QComboBox::drop-down { border: none; width: 24px; }"
        "QGroupBox { border: 1px solid #d0dbe7; border-radius: 8px; margin-top: 14px; background: white;"
        "  font-weight: 600; color: #1d4f82; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 14px; padding: 0 6px; }"
        "QToolTip { background: #ffffff; color: #23384d; border: 1px solid #a9bdd2; }"));
}

}  // namespace somnexa::app
