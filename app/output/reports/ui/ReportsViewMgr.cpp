#include "output/reports/ui/ReportsViewMgr.h"

#include "output/reports/ui/ReportsFrame.h"
#include "output/reports/ui/ReportsModel.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

ReportsViewMgr::ReportsViewMgr(IReportsPageHost& host)
    : m_host(host), m_frame(new ReportsFrame(host.GetPageParent()))
{
    m_frame->setGeometry(host.GetPageRect());
    QListWidget& list = m_frame->GetListPane().GetList();
    m_model = std::make_unique<ReportsModel>(host.GetReportsDocument(), [this] { return m_host.OptimizeForReports(); },
                                             list, m_frame->GetGridPane().GetGrid());
    QObject::connect(&list, &QListWidget::currentRowChanged, m_frame, [this](int) { OnListSelChange(); });
    ShowTitle();
    m_model->ShowColumnsOnly();
}

ReportsViewMgr::~ReportsViewMgr()
{
    m_model.reset();
    delete m_frame;
}

void ReportsViewMgr::Show(bool show)
{
    m_frame->setVisible(show);
    if (!show)
        return;
    if (m_accumulated & kRelevantChanges)
        RefreshReport();
    m_accumulated = 0;
}

void ReportsViewMgr::OnUpdate(std::uint64_t changeMask, bool flush)
{
    if (!flush) {
        m_accumulated |= changeMask;
        return;
    }
    if (changeMask & kRelevantChanges)
        RefreshReport();
    m_accumulated = 0;
}

void ReportsViewMgr::OnListSelChange()
{
    m_model->OnSelChange();
    ShowTitle();
}

void ReportsViewMgr::SelectReport(int id)
{
    m_model->Show(id);
    QListWidget& list = m_frame->GetListPane().GetList();
    const QSignalBlocker block(list);
    list.setCurrentRow(m_model->GetCurrentId());
    ShowTitle();
}

void ReportsViewMgr::RefreshReport()
{
    m_model->Refresh();
}

CUGRowMode& ReportsViewMgr::GetReportGrid() const
{
    return m_model->GetReportGrid();
}

QString ReportsViewMgr::GetReportTitle() const
{
    return m_model->GetTitle();
}

int ReportsViewMgr::GetCurrentReport() const
{
    return m_model->GetCurrentId();
}

bool ReportsViewMgr::HasReportRows() const
{
    return m_model->HasReportRows();
}

void ReportsViewMgr::CopyReportToClipboard() const
{
    m_model->CopyToClipboard();
}

void ReportsViewMgr::ApplyGridlinesPref()
{
    m_frame->GetGridPane().ApplyGridlinesPref();
}

void ReportsViewMgr::RefreshColumnHeaders()
{
    m_model->ApplyColumnHeaders();
}

void ReportsViewMgr::Reposition()
{
    m_frame->setGeometry(m_host.GetPageRect());
}

void ReportsViewMgr::SetFocus()
{
    m_frame->setFocus();
}

void ReportsViewMgr::ShowTitle()
{
    m_frame->GetGridPane().GetCaption().setText(m_model->GetTitle());
}
