#pragma once
// Base of the program's optimization progress dialog. There is no window to
// post to from the library, so the two messages of a run ("run started" and
// "run ended") are virtual notifications carrying the low 32 bits of the
// target's identity. They are called on the optimizer's worker thread: the
// program's dialog derives from this class and marshals them to its GUI
// thread itself. The cancel flag is atomic so that the GUI thread may set it
// while workers read it.

#include <nestcore/IOptProgressDlg.h>
#include <nestcore_export.h>

#include <atomic>
#include <cstdint>

namespace optimization {

class NESTCORE_EXPORT OptProgressDlgBase : public IOptProgressDlg
{
public:
    ~OptProgressDlgBase() override;

    OptProgressDlgBase(const OptProgressDlgBase&) = delete;
    OptProgressDlgBase& operator=(const OptProgressDlgBase&) = delete;

    bool IsCancelRequested() const override;

    // Sets the cancel flag (the dialog's Cancel button); never cleared.
    void RequestCancel();

    // A target's passes begin. Not sent for a target that the pre-check
    // settles, nor when the run is cancelled before the passes.
    virtual void OnRunStarted(std::uint32_t targetId);
    // A target's passes have ended. Not sent for a cancelled run.
    virtual void OnRunEnded(std::uint32_t targetId);

protected:
    OptProgressDlgBase();

private:
    std::atomic<bool> m_cancelRequested{false};
};

} // namespace optimization
