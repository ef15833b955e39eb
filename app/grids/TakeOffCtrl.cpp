#include "grids/TakeOffCtrl.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/GridsStrings.h"

#include <QPainter>
#include <QPalette>
#include <QTabBar>

namespace {

constexpr int kTabsTop = 3;
constexpr int kGridLeft = 8;
constexpr int kGridTop = 31;
constexpr int kGridWidthLess = 16;
constexpr int kGridHeightLess = 39;

// A child held by shared pointer: deleting it also takes it off its parent.
template <class T> void DeleteChild(T* child)
{
    delete child;
}

} // namespace

TakeOffCtrl::TakeOffCtrl(QWidget* parent)
    : QWidget(parent)
{ }

TakeOffCtrl::~TakeOffCtrl()
{
    // Qt would delete the children with this window; the list manager may
    // still hold them (it unregisters from the old grid at its next attach).
    if (m_grid)
        m_grid->setParent(nullptr);
    if (m_tabs)
        m_tabs->setParent(nullptr);
}

bool TakeOffCtrl::Create(QWidget* parent, int id)
{
    setParent(parent);
    setProperty("controlId", id);
    m_grid = std::shared_ptr<CUGRowMode>(new CUGRowMode, DeleteChild<CUGRowMode>);
    if (!m_grid->CreateGrid(0, platform::Rect(), this, kGridId))
        return false;
    m_tabs = std::shared_ptr<QTabBar>(new QTabBar(this), DeleteChild<QTabBar>);
    m_tabs->setProperty("controlId", kTabsId);
    m_tabs->setFont(GetUIResources()->GetTabFont());
    m_tabs->setExpanding(false);
    for (int caption : { kStrTakeOffTabMaterial, kStrTakeOffTabDiagram, kStrTakeOffTabUnplaced })
        m_tabs->addTab(LoadUIString(caption));
    // Every change of the current tab (a click, the arrow keys, the mouse
    // wheel) switches the list; the list manager moves the tabs itself with
    // their signals blocked.
    connect(m_tabs.get(), &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && m_listener)
            m_listener->OnTabChanged();
    });
    // The grid lies inside the tab bar's frame, above it.
    m_grid->raise();
    m_tabs->show();
    m_grid->show();
    show();
    LayOut();
    return true;
}

void TakeOffCtrl::SetListener(std::shared_ptr<ITakeOffCtrlListener> listener)
{
    m_listener = std::move(listener);
}

void TakeOffCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
}

void TakeOffCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void TakeOffCtrl::LayOut()
{
    if (!m_grid || !m_tabs)
        return;
    m_tabs->setGeometry(0, kTabsTop, width(), height());
    m_grid->setGeometry(
        kGridLeft, kGridTop, std::max(0, width() - kGridWidthLess), std::max(0, height() - kGridHeightLess));
    m_grid->FitColumnsByMode();
}
