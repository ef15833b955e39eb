#include "gridctrl/CUGScrollBars.h"

#include "gridctrl/CUGCtrl.h"

CUGVScroll::CUGVScroll(CUGCtrl* ctrl)
    : QScrollBar(Qt::Vertical, ctrl)
    , m_ctrl(ctrl)
{
    setFocusPolicy(Qt::NoFocus);
}

void CUGVScroll::Update()
{
}

CUGHScroll::CUGHScroll(CUGCtrl* ctrl)
    : QScrollBar(Qt::Horizontal, ctrl)
    , m_ctrl(ctrl)
{
    setFocusPolicy(Qt::NoFocus);
}

void CUGHScroll::Update()
{
}

CUGTab::CUGTab(CUGCtrl* ctrl)
    : QWidget(ctrl)
    , m_ctrl(ctrl)
{
}

void CUGTab::Refresh()
{
    update();
}
