#include "app/pending_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace somnexa::app {

TfrmPendingPage::TfrmPendingPage(AppContext& context, const QString& formName, const QString& title,
                                 const QString& text, QWidget* parent)
    : TQvForm(context, formName, parent) {
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "TfrmPendingPage, QWidget#%1 { background: #eef3f8; }"
        "#pnlCard { background: white; border: 1px solid #d3deea; border-radius: 10px; }"
        "#lblPageTitle { color: #1d4f82; font-size: 22px; font-weight: 600; }"
        "#lblPageText { color: #5a6f85; font-size: 14px; }").arg(formName));
    auto* card = new QWidget(this);
    card->setObjectName(QStringLiteral("pnlCard"));
    card->setAttribute(Qt::WA_StyledBackground, true);
    auto* heading = new QLabel(title, card);
    heading->setObjectName(QStringLiteral("lblPageTitle"));
    auto* body = new QLabel(text, card);
    body->setObjectName(QStringLiteral("lblPageText"));
    body->setWordWrap(true);
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(32, 28, 32, 28);
    cardLayout->setSpacing(12);
    cardLayout->addWidget(heading);
    cardLayout->addWidget(body);
    cardLayout->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 24);
    layout->addWidget(card);
}

}  // namespace somnexa::app
