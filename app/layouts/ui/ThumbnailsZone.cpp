#include "layouts/ui/ThumbnailsZone.h"

#include "foundation/PrintSettings.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/CIconButton.h"
#include "foundation/ui/CStaticWithTip.h"
#include "foundation/ui/ControlFactory.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/ui/DiagramIcons.h"
#include "layouts/ui/IThumbnailsZoneMgr.h"
#include "layouts/ui/ThumbsPanel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

ThumbnailsZone::ThumbnailsZone(QWidget* parent)
    : QWidget(parent)
    , m_panel(new ThumbsPanel(this))
    , m_quickPrint(CreateIconButton(this, kQuickPrintId, MakeDiagramIcon(DiagramIcon::QuickPrint)))
    , m_checkAll(CreateIconButton(this, kCheckAllId, MakeDiagramIcon(DiagramIcon::CheckAll)))
    , m_uncheckAll(CreateIconButton(this, kUncheckAllId, MakeDiagramIcon(DiagramIcon::UncheckAll)))
    , m_pinAll(CreateIconButton(this, kPinAllId, MakeDiagramIcon(DiagramIcon::PinAll)))
    , m_label(CreateStaticWithTip(this, QString(), kLabelId))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QFont& statsFont = GetUIResources()->GetDiagramStatsFont();
    setFont(statsFont);
    m_label->setFont(statsFont);
    connect(m_checkAll, &QToolButton::clicked, this, [this] {
        if (m_manager)
            m_manager->CheckAll(true);
    });
    connect(m_uncheckAll, &QToolButton::clicked, this, [this] {
        if (m_manager)
            m_manager->CheckAll(false);
    });
    connect(m_quickPrint, &QToolButton::clicked, this, [this] {
        if (m_manager)
            m_manager->QuickPrint();
    });
    connect(m_pinAll, &QToolButton::clicked, this, [this] {
        if (m_manager)
            m_manager->PinAll(m_pinAll->WasCtrlClick());
    });
    for (CIconButton* button : { m_quickPrint, m_checkAll, m_uncheckAll, m_pinAll }) {
        button->setToolTip(ToolTipText(GetControlId(button)));
        button->installEventFilter(this);
    }
    EnableButtons(false, false);
}

void ThumbnailsZone::SetManager(IThumbnailsZoneMgr* manager)
{
    m_manager = manager;
    m_panel->SetManager(manager);
}

void ThumbnailsZone::SetThumbnails(const ThumbnailList& thumbnails, const QString& text, int tipId)
{
    m_panel->SetThumbnails(thumbnails);
    m_label->setText(text);
    m_labelTipId = tipId;
    m_label->SetTipText(ToolTipText(kLabelId));
}

void ThumbnailsZone::EnableButtons(bool hasDiagrams, bool anyChecked)
{
    m_checkAll->setEnabled(hasDiagrams);
    m_uncheckAll->setEnabled(hasDiagrams);
    m_pinAll->setEnabled(hasDiagrams);
    m_quickPrint->setEnabled(anyChecked);
}

QString ThumbnailsZone::ToolTipText(int controlId) const
{
    QString text;
    switch (controlId) {
    case kQuickPrintId: {
        text = LoadUIString(kStrQuickPrintTip);
        const UserPrefsBase* prefs = GetUserPrefs();
        text += QStringLiteral(": ")
            + (prefs ? prefs->GetPrintSettings().GetPrinterPageSetup().device : QString());
        break;
    }
    case kCheckAllId:
        text = LoadUIString(kStrCheckAll);
        break;
    case kUncheckAllId:
        text = LoadUIString(kStrUncheckAll);
        break;
    case kPinAllId:
        text = LoadUIString(kStrPinAllTip);
        break;
    case kLabelId:
        text = m_labelTipId ? LoadUIString(m_labelTipId) : QString();
        break;
    default:
        break;
    }
    return CutToolTipText(text);
}

bool ThumbnailsZone::eventFilter(QObject* watched, QEvent* event)
{
    // The texts are read when shown: the printer may have changed meanwhile.
    if (event->type() == QEvent::ToolTip) {
        if (auto* control = qobject_cast<QWidget*>(watched))
            control->setToolTip(ToolTipText(GetControlId(control)));
    }
    return QWidget::eventFilter(watched, event);
}

int ThumbnailsZone::LineHeight()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2;
}

void ThumbnailsZone::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    const int h = LineHeight();
    m_panel->setGeometry(0, 0, cx, std::max(0, cy - 6 - h - 27));
    m_label->setGeometry(3, cy - 27 - h - 3, std::max(0, cx - 6), h);
    const int buttonHeight = cy < 27 ? 0 : 27;
    m_checkAll->setGeometry(3, cy - 27, 27, buttonHeight);
    m_uncheckAll->setGeometry(30, cy - 27, 27, buttonHeight);
    m_quickPrint->setGeometry(62, cy - 27, 27, buttonHeight);
    m_pinAll->setGeometry(94, cy - 27, 27, buttonHeight);
    update();
}

void ThumbnailsZone::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int strip = LineHeight() + 33;
    const int top = std::max(0, height() - strip);
    painter.fillRect(QRect(0, 0, width(), top), palette().color(QPalette::Light));
    painter.fillRect(QRect(0, top, width(), height() - top), palette().color(QPalette::Button));
}
