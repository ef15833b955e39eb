#include <nestcore/OptProgressDlgBase.h>

namespace optimization {

IOptProgressDlg::~IOptProgressDlg() = default;

OptProgressDlgBase::OptProgressDlgBase() = default;
OptProgressDlgBase::~OptProgressDlgBase() = default;

bool OptProgressDlgBase::IsCancelRequested() const
{
    return m_cancelRequested.load(std::memory_order_relaxed);
}

void OptProgressDlgBase::RequestCancel()
{
    m_cancelRequested.store(true, std::memory_order_relaxed);
}

void OptProgressDlgBase::OnRunStarted(std::uint32_t) {}
void OptProgressDlgBase::OnRunEnded(std::uint32_t) {}

} // namespace optimization
