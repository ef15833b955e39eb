#include "foundation/ui/QZAlert.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/UIStringWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QZAlert::QZAlert(const QString& message, QWidget* parent)
    : QDialog(parent)
    , m_dontRemindBox(new QCheckBox(this))
    , m_ok(new QPushButton(this))
    , m_cancel(new QPushButton(this))
    , m_message(new QLabel(this))
    , m_text(message)
{
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_cancel->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dontRemindBox);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addLayout(buttons);

    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QZAlert::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QZAlert::reject);
}

void QZAlert::OnInitDialog()
{
    SetWindowTextById(this, UIStringId::Alert);
    SetWindowTextById(m_ok, UIStringId::Ok);
    SetWindowTextById(m_cancel, UIStringId::Cancel);
    SetWindowTextById(m_dontRemindBox, UIStringId::DontRemindAgain);
    m_message->setText(m_text);
}

void QZAlert::setVisible(bool visible)
{
    if (visible && !m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void QZAlert::accept()
{
    m_dontRemind = m_dontRemindBox->isChecked();
    QDialog::accept();
}
