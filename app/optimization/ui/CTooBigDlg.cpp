#include "optimization/ui/CTooBigDlg.h"

#include "foundation/UIStringTable.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/UIStringWidgets.h"
#include "optimization/OptimizationStrings.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The flag preference "Skipped Parts" in "Alerts".
constexpr int kPrefSkippedPartsAlert = 2047;

} // namespace

CTooBigDlg::CTooBigDlg(QWidget* parent)
    : QDialog(parent)
{
    SetWindowTextById(this, kStrSkippedPartsTitle);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::Window);
    m_message = new QLabel(frame);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetWindowTextById(m_message, kStrSkippedPartsMessage);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_message);

    m_dontShowAgain = new QCheckBox(this);
    SetWindowTextById(m_dontShowAgain, kStrSkippedPartsDontShow);
    m_ok = new QPushButton(this);
    SetWindowTextById(m_ok, UIStringId::Ok);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CTooBigDlg::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_dontShowAgain);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(bottom);
    resize(315, 200);
    m_ok->setFocus();
}

void CTooBigDlg::accept()
{
    QDialog::accept();
    if (!m_dontShowAgain->isChecked())
        return;
    if (UserPrefsBase* prefs = GetUserPrefs())
        prefs->SetFlag(kPrefSkippedPartsAlert, false);
}
