#include "gridctrl/CUGGridInfo.h"

#include "gridctrl/CUGMultiSelect.h"

#include <QApplication>
#include <QStyle>

using platform::SystemColor;
using platform::SystemColorRef;

CUGGridInfo::CUGGridInfo()
    : m_builtInSource(std::make_unique<CUGMem>())
{
    m_defDataSource = m_builtInSource.get();
    m_hdgDefault.SetBackColor(SystemColorRef(SystemColor::ButtonFace));
    m_hdgDefault.SetBorderStyle(8192);
    m_hdgDefault.SetAlignment(CUGCell::kAlignCenter | CUGCell::kAlignVCenter);
    const int bar = QApplication::style() ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
    m_vScrollWidth = bar;
    m_hScrollHeight = bar;
    m_gridLinePen = QPen(platform::ToQColor(platform::MakeColorRef(220, 220, 220)), 1);
}

CUGGridInfo::~CUGGridInfo() = default;
