#include "layouts/ui/LayoutsFrame.h"

#include "foundation/ResourceBase.h"
#include "layouts/LayoutPrefs.h"
#include "layouts/LayoutsStrings.h"
#include "layouts/ui/InteractiveDiagramWnd.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsViewMgr.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "optimization/manual/ManualEditStrings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int kIconSize = 24;

struct ToolButton
{
    int id;
    int caption;
};

// The toolbar's buttons in order, each with its caption.
constexpr ToolButton kToolButtons[] = {
    { LayoutsCmd::Stretch, kStrCaptionStretch },
    { LayoutsCmd::PartNumbers, kStrCaptionPartNumbers },
    { LayoutsCmd::Descriptions, kStrCaptionDescriptions },
    { LayoutsCmd::Dimensions, kStrCaptionDimensions },
    { LayoutsCmd::UserInfo, kStrCaptionUserInfo },
    { LayoutsCmd::ShowGrain, kStrCaptionShowGrain },
    { LayoutsCmd::HideDupes, kStrCaptionHideDupes },
    { LayoutsCmd::LayoutStyle, kStrCaptionStyle },
    { LayoutsCmd::OptimizationSettings, kStrCaptionSettings },
    { LayoutsCmd::PinDiagram, kStrCaptionPin },
};

// A sheet with the cut lines of a layout style.
void DrawStyle(QPainter& painter, int style)
{
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor(230, 200, 150));
    painter.drawRect(2, 4, 19, 15);
    painter.setPen(QPen(QColor(160, 30, 30), 2));
    switch (style) {
    case 1: // rip-cuts: along the length
        painter.drawLine(3, 9, 20, 9);
        painter.drawLine(3, 14, 20, 14);
        break;
    case 2: // cross-cuts: across the length
        painter.drawLine(8, 5, 8, 18);
        painter.drawLine(14, 5, 14, 18);
        break;
    case 3: // the off-cut at the side
        painter.fillRect(15, 5, 6, 14, QColor(250, 250, 250));
        painter.drawLine(15, 5, 15, 18);
        break;
    case 4: // the off-cut at the bottom
        painter.fillRect(3, 14, 18, 5, QColor(250, 250, 250));
        painter.drawLine(3, 14, 20, 14);
        break;
    case 5: // a hand
        painter.setBrush(QColor(60, 110, 200));
        painter.drawEllipse(QPoint(12, 12), 4, 4);
        break;
    default:
        painter.drawLine(3, 11, 20, 11);
        painter.drawLine(11, 11, 11, 18);
        break;
    }
}

} // namespace

QIcon MakeLayoutsCommandIcon(int commandId)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (const LayoutStyleCommand* style = FindLayoutStyleCommand(commandId)) {
        DrawStyle(painter, style->style);
        return QIcon(pixmap);
    }
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor(235, 235, 235));
    painter.drawRect(2, 2, 19, 19);
    painter.setPen(QPen(QColor(30, 70, 150), 2));
    switch (commandId) {
    case LayoutsCmd::Stretch:
        painter.drawLine(5, 12, 18, 12);
        painter.drawLine(5, 12, 8, 9);
        painter.drawLine(18, 12, 15, 9);
        break;
    case LayoutsCmd::PartNumbers:
        painter.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("#"));
        break;
    case LayoutsCmd::Descriptions:
        for (int y = 7; y <= 16; y += 4)
            painter.drawLine(6, y, 17, y);
        break;
    case LayoutsCmd::Dimensions:
        painter.drawLine(5, 16, 18, 16);
        painter.drawLine(5, 13, 5, 19);
        painter.drawLine(18, 13, 18, 19);
        break;
    case LayoutsCmd::UserInfo:
        painter.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("i"));
        break;
    case LayoutsCmd::ShowGrain:
        for (int y = 6; y <= 18; y += 3)
            painter.drawLine(5, y, 18, y + 1);
        break;
    case LayoutsCmd::HideDupes:
        painter.drawRect(5, 5, 9, 9);
        painter.drawRect(9, 9, 9, 9);
        break;
    case LayoutsCmd::LayoutStyle:
        DrawStyle(painter, 0);
        break;
    case LayoutsCmd::OptimizationSettings:
        painter.drawEllipse(QPoint(12, 12), 5, 5);
        break;
    case LayoutsCmd::PinDiagram:
        painter.drawLine(12, 5, 12, 19);
        painter.drawEllipse(QPoint(12, 7), 3, 3);
        break;
    default:
        break;
    }
    return QIcon(pixmap);
}

LayoutsFrame::LayoutsFrame(LayoutsViewMgr* viewMgr, const QRect& rect, QWidget* parent)
    : QWidget(parent)
    , m_viewMgr(viewMgr)
    , m_commands(this)
{
    setObjectName(QStringLiteral("LayoutsFrame"));
    hide();
    setGeometry(rect);
    CreateCommands();
    CreateToolBar();
    // The view manager sets the arrangement the preferences ask for.
    m_content = new WideMainContentFrame(this, ContentRect());
}

LayoutsFrame::~LayoutsFrame()
{
    delete m_content;
    m_content = nullptr;
}

void LayoutsFrame::CreateCommands()
{
    auto add = [this](int id, const QString& text, std::function<void()> handler) {
        QAction* action = m_commands.Add(id, text, {}, ResourceFirstLine(id));
        action->setToolTip(ResourceSecondPart(id));
        m_commands.SetHandler(id, [this, handler] {
            handler();
            UpdateCommandStates();
        });
        return action;
    };
    LayoutsViewMgr* mgr = m_viewMgr;
    struct Toggle
    {
        int id;
        int pref;
        void (LayoutsViewMgr::*run)();
    };
    const Toggle toggles[] = {
        { LayoutsCmd::Stretch, 2028, &LayoutsViewMgr::ToggleStretch },
        { LayoutsCmd::PartNumbers, 2027, &LayoutsViewMgr::TogglePartNumbers },
        { LayoutsCmd::Descriptions, 2108, &LayoutsViewMgr::ToggleDescriptions },
        { LayoutsCmd::UserInfo, 2106, &LayoutsViewMgr::ToggleUserInfo },
        { LayoutsCmd::Dimensions, 2029, &LayoutsViewMgr::ToggleDimensions },
        { LayoutsCmd::ShowGrain, 2093, &LayoutsViewMgr::ToggleShowGrain },
        { LayoutsCmd::HideDupes, 2034, &LayoutsViewMgr::ToggleHideDupes },
    };
    for (const Toggle& toggle : toggles) {
        add(toggle.id, QString(), [mgr, run = toggle.run] { (mgr->*run)(); })->setCheckable(true);
        m_commands.SetEnabledRule(toggle.id, [] { return true; });
        m_commands.SetCheckedRule(toggle.id, [pref = toggle.pref] { return LayoutPrefFlagOn(pref); });
    }
    add(LayoutsCmd::OptimizationSettings, QString(), [mgr] { mgr->OpenOptimizationSettings(); });
    m_commands.SetEnabledRule(LayoutsCmd::OptimizationSettings, [] { return true; });
    add(LayoutsCmd::LayoutStyle, QString(), [] {});
    m_commands.SetEnabledRule(LayoutsCmd::LayoutStyle, [mgr] { return mgr->HasCurrentDiagram(); });
    add(LayoutsCmd::PinDiagram, QString(), [mgr] { mgr->TogglePinCurrentDiagram(); })->setCheckable(true);
    m_commands.SetEnabledRule(LayoutsCmd::PinDiagram, [mgr] { return mgr->HasCurrentDiagram(); });
    m_commands.SetCheckedRule(LayoutsCmd::PinDiagram, [mgr] { return mgr->IsCurrentDiagramPinned(); });
    for (const LayoutStyleCommand& entry : kLayoutStyleCommands) {
        for (const int id : { entry.mainId, entry.contextId }) {
            QAction* action = add(
                id, GetLayoutStyleLabel(entry.style), [mgr, id] { mgr->ApplyLayoutStyleCommand(id); });
            action->setCheckable(true);
            action->setIcon(MakeLayoutsCommandIcon(id));
            m_commands.SetEnabledRule(id, [mgr, id] { return mgr->CanApplyLayoutStyle(id); });
            m_commands.SetCheckedRule(id, [mgr, id] { return mgr->IsLayoutStyleChecked(id); });
        }
    }
    add(LayoutsCmd::PinAllInNode, QString(), [mgr] { mgr->PinAllInTreeNode(); });
    add(LayoutsCmd::UnpinAllInNode, QString(), [mgr] { mgr->UnpinAllInTreeNode(); });
}

void LayoutsFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolBar->setIconSize(QSize(kIconSize, kIconSize));
    m_styleMenu = new QMenu(this);
    for (const LayoutStyleCommand& entry : kLayoutStyleCommands)
        m_styleMenu->addAction(m_commands.Find(entry.mainId));
    connect(m_styleMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    for (const ToolButton& button : kToolButtons) {
        QAction* action = m_commands.Find(button.id);
        action->setText(LoadUIString(button.caption));
        action->setIcon(MakeLayoutsCommandIcon(button.id));
        if (button.id == LayoutsCmd::LayoutStyle) {
            m_styleButton = new QToolButton(m_toolBar);
            m_styleButton->setDefaultAction(action);
            m_styleButton->setMenu(m_styleMenu);
            m_styleButton->setPopupMode(QToolButton::InstantPopup);
            m_styleButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            m_styleButton->setIconSize(QSize(kIconSize, kIconSize));
            m_toolBar->addWidget(m_styleButton);
        } else {
            m_toolBar->addAction(action);
        }
    }
}

QString LayoutsFrame::ResourceFirstLine(int id)
{
    ResourceBase* resources = GetResources();
    return resources ? resources->FirstLine(id) : QString();
}

QString LayoutsFrame::ResourceSecondPart(int id)
{
    ResourceBase* resources = GetResources();
    return resources ? resources->SecondPart(id) : QString();
}

bool LayoutsFrame::LayoutPrefFlagOn(int id)
{
    return LayoutPrefFlag(id);
}

QRect LayoutsFrame::ContentRect() const
{
    const int top = m_toolBar ? m_toolBar->sizeHint().height() : 0;
    return QRect(0, top, width(), std::max(height() - top, 0));
}

void LayoutsFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_toolBar)
        m_toolBar->setGeometry(0, 0, width(), m_toolBar->sizeHint().height());
    if (m_content && width() > 0 && height() > 0)
        m_content->setGeometry(ContentRect());
}

void LayoutsFrame::Show(int code)
{
    if (code == FrameShow::Hide) {
        hide();
        return;
    }
    show();
    m_contentSeen = true;
    UpdateCommandStates();
}

void LayoutsFrame::MoveTo(const QRect& rect)
{
    setGeometry(rect);
}

bool LayoutsFrame::IsVisible() const
{
    return isVisible();
}

void LayoutsFrame::PostFrameMessage(int id)
{
    QPointer<LayoutsFrame> self(this);
    QTimer::singleShot(0, this, [self, id] {
        if (self && id == LayoutsCmd::RearrangeMessage)
            self->m_viewMgr->ApplyScreenArrangement();
    });
}

void LayoutsFrame::CaptureMouse()
{
    if (QWidget::mouseGrabber() != this)
        grabMouse();
}

void LayoutsFrame::ReleaseMouse()
{
    if (QWidget::mouseGrabber() != this)
        return;
    m_releasing = true;
    releaseMouse();
    // As any change of the capture, the frame's own release is announced.
    QEvent lost(QEvent::UngrabMouse);
    QCoreApplication::sendEvent(this, &lost);
    m_releasing = false;
}

bool LayoutsFrame::event(QEvent* event)
{
    if (event->type() == QEvent::UngrabMouse && !m_releasing)
        m_viewMgr->OnCaptureLost();
    return QWidget::event(event);
}

void LayoutsFrame::TrackPopupMenu(int menuId, const QPoint& screenPoint)
{
    if (menuId != LayoutsCmd::DiagramContextMenu)
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const LayoutStyleCommand& entry : kLayoutStyleCommands)
        menu->addAction(m_commands.Find(entry.contextId));
    UpdateCommandStates();
    m_popup = menu;
    menu->popup(screenPoint);
}

QMenu* LayoutsFrame::ActivePopup() const
{
    return m_popup.data();
}

bool LayoutsFrame::BalanceRows()
{
    return m_content ? m_content->BalanceRows() : true;
}

void LayoutsFrame::BalanceColumns()
{
    if (m_content)
        m_content->BalanceColumns();
}

void LayoutsFrame::SetTextBelowIcons(bool on)
{
    m_toolBar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    m_styleButton->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

void LayoutsFrame::SaveSplitterSizes()
{
    // A content never shown has no sizes of the user's yet: its splitters
    // hold the stored ones, squeezed to whatever space it had.
    if (m_content && m_contentSeen)
        m_content->SaveSplitterSizes();
}

void LayoutsFrame::SetArrangement(bool wide)
{
    const bool visible = isVisible();
    hide();
    delete m_content;
    m_content = nullptr;
    m_contentSeen = visible;
    if (wide)
        m_content = new WideMainContentFrame(this, ContentRect());
    else
        m_content = new TallMainContentFrame(this, ContentRect());
    m_content->show();
    if (visible)
        show();
}

std::shared_ptr<InteractiveDiagramBase> LayoutsFrame::GetDiagramWnd() const
{
    LayoutsPanes panes;
    if (m_content)
        m_content->GetPanes(panes);
    return panes.diagramWnd;
}

std::shared_ptr<ThumbnailsZone> LayoutsFrame::GetThumbnailsZone() const
{
    LayoutsPanes panes;
    if (m_content)
        m_content->GetPanes(panes);
    return panes.thumbnails;
}

std::shared_ptr<ITreeCtrl> LayoutsFrame::GetTreeCtrl() const
{
    LayoutsPanes panes;
    if (m_content)
        m_content->GetPanes(panes);
    return panes.treeCtrl;
}

std::shared_ptr<ITakeOffCtrl> LayoutsFrame::GetTakeOffCtrl() const
{
    LayoutsPanes panes;
    if (m_content)
        m_content->GetPanes(panes);
    return panes.takeOffCtrl;
}

std::shared_ptr<CUGRowMode> LayoutsFrame::GetTakeOffGrid() const
{
    LayoutsPanes panes;
    if (m_content)
        m_content->GetPanes(panes);
    return panes.takeOffGrid;
}

std::shared_ptr<QTabBar> LayoutsFrame::GetTakeOffTabs() const
{
    LayoutsPanes panes;
    if (m_content)
        m_content->GetPanes(panes);
    return panes.takeOffTabs;
}

void LayoutsFrame::SetLayoutStyleIcon(int commandId)
{
    if (const QAction* style = m_commands.Find(commandId))
        m_commands.Find(LayoutsCmd::LayoutStyle)->setIcon(style->icon());
    m_toolBar->update();
}

void LayoutsFrame::UpdateCommandStates()
{
    m_commands.UpdateActions();
}

void LayoutsFrame::mouseMoveEvent(QMouseEvent* event)
{
    m_viewMgr->OnMouseMove(event->buttons(), event->modifiers(), event->globalPosition().toPoint());
    QWidget::mouseMoveEvent(event);
}

void LayoutsFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_viewMgr->OnMouseUp(event->globalPosition().toPoint());
    QWidget::mouseReleaseEvent(event);
}

void LayoutsFrame::keyPressEvent(QKeyEvent* event)
{
    m_viewMgr->OnListKeyDown(event->key());
    QWidget::keyPressEvent(event);
}

void LayoutsFrame::keyReleaseEvent(QKeyEvent* event)
{
    m_viewMgr->OnListKeyUp(event->key());
    QWidget::keyReleaseEvent(event);
}
