#pragma once
// The cancel query by which a running optimizer asks its caller whether the
// user gave up. It is called from the worker thread between passes and inside
// long passes (also from the workers of the parallel evaluation), so an
// implementation must be cheap and thread-safe.

#include <nestcore_export.h>

namespace optimization {

class NESTCORE_EXPORT IOptProgressDlg
{
public:
    virtual ~IOptProgressDlg();

    // True once the user asked to cancel.
    virtual bool IsCancelRequested() const = 0;

protected:
    IOptProgressDlg() = default;
    IOptProgressDlg(const IOptProgressDlg&) = default;
    IOptProgressDlg& operator=(const IOptProgressDlg&) = default;
};

} // namespace optimization
