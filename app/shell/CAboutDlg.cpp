#include "shell/CAboutDlg.h"

#include "shell/ShellStrings.h"
#include "shell/SmallDialogs.h"

#include "document/ProjectFile.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
    , m_version(new QLabel(this))
    , m_support(new QLabel(this))
    , m_title(new QLabel(QStringLiteral("Kerfwell Plus Solo"), this))
{
    setWindowTitle(LoadUIString(kStrAboutTitle));
    QLabel* title = m_title;
    title->installEventFilter(this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_version->setText(LoadUIString(kStrVersion) + QLatin1Char(' ') + ProgramVersionText());
    auto* notice = new QLabel(
        QStringLiteral("Plans how the parts of a woodworking project are cut from sheet stock."), this);
    QFont noticeFont(QStringLiteral("Arial"));
    noticeFont.setPixelSize(12);
    notice->setFont(noticeFont);
    notice->setWordWrap(true);
    m_support->setText(
        LoadUIString(kStrSupportLine)
            .arg(QString::fromLatin1(kSupportWebAddress), QString::fromLatin1(kSupportMailAddress)));
    m_support->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadUIString(UIStringId::Ok));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_version);
    layout->addWidget(notice);
    layout->addWidget(m_support);
    layout->addWidget(buttons);
    resize(483, 302);
}

bool CAboutDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_title && event->type() == QEvent::MouseButtonDblClick) {
        OpenSupportTools();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CAboutDlg::OpenSupportTools()
{
    CSupportTools tools(m_skipGridStateSave, this);
    tools.exec();
}

QString CAboutDlg::GetVersionLine() const
{
    return m_version->text();
}

QString CAboutDlg::GetSupportLine() const
{
    return m_support->text();
}
