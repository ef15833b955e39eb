#include "document/LockProjectCmd.h"

#include "CancellingRunDialog.h"
#include "ProjectDocumentFixture.h"

#include "foundation/CmdHistory.h"
#include "foundation/ThreadAffinity.h"
#include "model/MaterialsBase.h"
#include "optimization/RunProgressDialog.h"
#include "optimization/RunStartLatch.h"
#include "optimization/ui/CTaskProgressDialog.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

namespace {

constexpr int kPrefSkippedPartsAlert = 2047;

class ProjectRunTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        InstallTaskProgressDialog();
        m_realMaker = SetRunProgressDialogMaker(nullptr);
        UseRealDialog();
        Append(m_oak, 24, 48, 3, QStringLiteral("Door"));
        Append(m_ash, 10, 20, 2, QStringLiteral("Shelf"));
        GetCmdHistory()->Clear();
        m_doc->SetModifiedFlag(false);
    }

    void TearDown() override
    {
        SetRunProgressDialogMaker(nullptr);
        ProjectDocumentTest::TearDown();
    }

    // The real dialog, counting how many runs opened one.
    void UseRealDialog()
    {
        SetRunProgressDialogMaker([this](RunStartLatch& start, TaskProgressRows rows) {
            ++m_dialogs;
            return m_realMaker(start, std::move(rows));
        });
    }

    void UseCancellingDialog()
    {
        SetRunProgressDialogMaker([this](RunStartLatch& start, TaskProgressRows) {
            ++m_dialogs;
            return std::make_unique<CancellingDialog>(start);
        });
    }

    RunProgressDialogMaker m_realMaker;
    int m_dialogs = 0;
};

TEST_F(ProjectRunTest, OptimizeRunsThePendingTargetsOnce)
{
    EXPECT_TRUE(m_doc->Optimize(0));
    EXPECT_EQ(m_dialogs, 0);
    EXPECT_FALSE(m_doc->IsFullyOptimized());

    EXPECT_TRUE(m_doc->Optimize(-1));
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    EXPECT_EQ(m_doc->GetProgressDialog(), nullptr);
    for (const CMilledPart* part : m_doc->GetPartList())
        EXPECT_EQ(part->GetOptimizerPlacedCopies(), part->GetCopies());
    StackList stacks;
    m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
    for (const StackPtr& stack : stacks)
        EXPECT_FALSE(GetDiagramIndex().FindDiagramLabel(stack).isEmpty());

    // Nothing pending: no second dialog.
    EXPECT_TRUE(m_doc->Optimize(-1));
    EXPECT_EQ(m_dialogs, 1);
}

TEST_F(ProjectRunTest, ACancelledRunAnswersFalseAndLeavesTheTargetsPending)
{
    UseCancellingDialog();
    EXPECT_FALSE(m_doc->Optimize(-1));
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    EXPECT_FALSE(m_shell.events.contains(QStringLiteral("skipped")));
    UseRealDialog();
    EXPECT_TRUE(m_doc->Optimize(-1));
    EXPECT_TRUE(m_doc->IsFullyOptimized());
}

// The jobs run on workers while this thread sits in the progress dialog;
// they took what they need of the library and the history before, here.
TEST_F(ProjectRunTest, JobsOnWorkersNeverReachTheLibraryNorTheHistory)
{
    // A call from another thread is noted.
    const std::uint64_t start = GetForeignThreadCallCount();
    std::thread([] {
        GetMaterialsLibrary();
        GetCmdHistory();
    }).join();
    ASSERT_EQ(GetForeignThreadCallCount(), start + 2);

    const std::uint64_t before = GetForeignThreadCallCount();
    EXPECT_TRUE(m_doc->Optimize(-1));
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    for (const CMilledPart* part : m_doc->GetPartList())
        EXPECT_EQ(part->GetOptimizerPlacedCopies(), part->GetCopies());
    EXPECT_EQ(GetForeignThreadCallCount(), before);
}

TEST_F(ProjectRunTest, LockOptimizesAndLocksUndoUnlocksRedoLocksAgain)
{
    GetCmdHistory()->Add(std::make_shared<LockProjectCmd>(LockProjectCmd::Lock));
    EXPECT_TRUE(m_doc->IsProjectLocked());
    EXPECT_TRUE(m_doc->IsFullyOptimized());
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Lock Project\tCtrl+Z"));
    // Locked: no run.
    const int dialogs = m_dialogs;
    EXPECT_TRUE(m_doc->Optimize(-1));
    EXPECT_EQ(m_dialogs, dialogs);

    HistoryUndo();
    EXPECT_FALSE(m_doc->IsProjectLocked());
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    HistoryRedo();
    EXPECT_TRUE(m_doc->IsProjectLocked());
    EXPECT_TRUE(m_doc->IsFullyOptimized());
}

TEST_F(ProjectRunTest, ACancelledLockLeavesNoTrace)
{
    UseCancellingDialog();
    GetCmdHistory()->Add(std::make_shared<LockProjectCmd>(LockProjectCmd::Lock));
    EXPECT_FALSE(m_doc->IsProjectLocked());
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
    EXPECT_FALSE(GetCmdHistory()->CanUndo());
}

// Lock and unlock steps done, undone and redone, the lock's optimization
// cancelled at one of them: what was cancelled did not happen, and the Edit
// menu offers what the project's lock state allows.
TEST_F(ProjectRunTest, ALockCancelledInAnUndoOrRedoLeavesTheHistoryAsItWas)
{
    enum Step { Lock, Unlock, Undo, Redo };
    struct Case
    {
        const char* name;
        bool lockedFirst;
        std::vector<Step> steps; // the last one's lock is cancelled
        QString undo;
        QString redo;
        Step retry; // the cancelled lock, done again to its end
    };
    const QString cantUndo = QStringLiteral("Can't Undo");
    const QString cantRedo = QStringLiteral("Can't Redo");
    const QString undoLock = QStringLiteral("&Undo Lock Project\tCtrl+Z");
    const QString undoUnlock = QStringLiteral("&Undo Unlock Project\tCtrl+Z");
    const QString redoLock = QStringLiteral("&Redo Lock Project\tCtrl+Y");
    const QString redoUnlock = QStringLiteral("&Redo Unlock Project\tCtrl+Y");
    const Case cases[] = {
        { "lock", false, { Lock }, cantUndo, cantRedo, Lock },
        { "redo of a lock", false, { Lock, Undo, Redo }, cantUndo, redoLock, Redo },
        { "undo of an unlock", true, { Unlock, Undo }, undoUnlock, cantRedo, Undo },
        { "undo of an unlock after a lock", false, { Lock, Unlock, Undo }, undoUnlock, cantRedo, Undo },
        { "redo of a lock after an unlock", true, { Unlock, Lock, Undo, Undo, Redo, Redo }, undoUnlock,
            redoLock, Redo },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseRealDialog();
        if (c.lockedFirst) {
            ASSERT_TRUE(m_doc->LockProject());
        } else {
            m_doc->UnlockProject();
        }
        GetCmdHistory()->Clear();
        auto run = [](Step step) {
            if (step == Lock)
                GetCmdHistory()->Add(std::make_shared<LockProjectCmd>(LockProjectCmd::Lock));
            else if (step == Unlock)
                GetCmdHistory()->Add(std::make_shared<LockProjectCmd>(LockProjectCmd::Unlock));
            else if (step == Undo)
                HistoryUndo();
            else
                HistoryRedo();
        };
        for (std::size_t i = 0; i + 1 < c.steps.size(); ++i)
            run(c.steps[i]);
        const bool modified = m_doc->IsModified();
        const std::size_t steps = GetCmdHistory()->GetStepCount();
        UseCancellingDialog();
        run(c.steps.back());
        EXPECT_FALSE(m_doc->IsProjectLocked());
        EXPECT_EQ(m_doc->IsModified(), modified);
        EXPECT_EQ(GetCmdHistory()->GetStepCount(), steps);
        EXPECT_EQ(GetUndoMenuText(), c.undo);
        EXPECT_EQ(GetRedoMenuText(), c.redo);

        UseRealDialog();
        run(c.retry);
        EXPECT_TRUE(m_doc->IsProjectLocked());
        EXPECT_TRUE(m_doc->IsFullyOptimized());
        if (c.retry == Undo)
            EXPECT_EQ(GetRedoMenuText(), redoUnlock);
        else
            EXPECT_EQ(GetUndoMenuText(), undoLock);
    }
}

// An unlocked project's file holds no results, and the open computes none:
// a large project would keep the user waiting behind the progress dialog.
// Its parts show the placeholder until the first request for results runs
// the optimization, which announces the skipped part as any run does.
TEST_F(ProjectRunTest, AnUnlockedProjectOpensWithoutARunAndIsOptimizedOnRequest)
{
    m_prefs.prefs->SetFlag(kPrefSkippedPartsAlert, true);
    Append(m_oak, 60, 120, 1, QStringLiteral("Too large"));
    ASSERT_TRUE(m_doc->Optimize(-1));
    const QString path = PathOf(QStringLiteral("Unlocked.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));
    const int dialogs = m_dialogs;
    m_shell.events.clear();

    CKWLDoc reopened;
    reopened.SetShell(&m_shell);
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(m_dialogs, dialogs) << "a run as the project opened";
    EXPECT_FALSE(reopened.IsFullyOptimized());
    EXPECT_FALSE(reopened.IsModified());
    EXPECT_EQ(reopened.PathName(), path);
    ASSERT_EQ(reopened.GetPartList().size(), 3U);
    for (const CMilledPart* part : reopened.GetPartList()) {
        SCOPED_TRACE(part->GetDescription().toStdString());
        EXPECT_EQ(FormatPartDiagramList(*part).toStdString(), "TBD");
        EXPECT_FALSE(part->GetSkipInfo().IsSkipped());
    }

    EXPECT_TRUE(reopened.Optimize(-1));
    EXPECT_EQ(m_dialogs, dialogs + 1);
    EXPECT_TRUE(reopened.IsFullyOptimized());
    EXPECT_FALSE(reopened.IsModified());
    EXPECT_TRUE(m_shell.events.contains(QStringLiteral("skipped")));
    EXPECT_EQ(FormatPartDiagramList(*reopened.GetPartList()[0]).toStdString(), "B1, B2, B3");
    EXPECT_EQ(FormatPartDiagramList(*reopened.GetPartList()[2]).toStdString(), "Skipped");
    EXPECT_TRUE(reopened.GetPartList()[2]->GetSkipInfo().IsSkipped());
}

TEST_F(ProjectRunTest, ALockedProjectReopensLockedWithItsLayouts)
{
    ASSERT_TRUE(m_doc->LockProject());
    StackList stacks;
    m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
    ASSERT_GE(stacks.size(), 2U);
    m_doc->GetBOMOptMgr()->PinDiagram(stacks[0]);
    stacks[1]->GetDiagram()->PrepareManualGeometry(stacks[1]->GetCurrentGeoStyle());
    stacks[1]->SetCurrentGeoStyle(GeometryStyles::ManualEdit);
    auto describe = [](const StackList& list) {
        std::vector<std::string> rows;
        for (const StackPtr& stack : list)
            rows.push_back(QStringLiteral("%1 %2 x%3 style %4 pinned %5 parts %6")
                               .arg(stack->GetStockSpec().GetMaterialName())
                               .arg(stack->GetStockSpec().size ? stack->GetStockSpec().size->GetDescription() : QString())
                               .arg(stack->GetCount())
                               .arg(stack->GetCurrentGeoStyle())
                               .arg(stack->IsPinned())
                               .arg(stack->GetCurrentParts().size())
                               .toStdString());
        return rows;
    };
    const auto before = describe(stacks);
    const QString path = PathOf(QStringLiteral("Locked.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));

    CKWLDoc reopened;
    reopened.SetShell(&m_shell);
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_TRUE(reopened.IsProjectLocked());
    EXPECT_TRUE(reopened.IsFullyOptimized());
    StackList loaded;
    reopened.GetBOMOptMgr()->GetAllDiagrams(loaded);
    EXPECT_EQ(describe(loaded), before);
    const int dialogs = m_dialogs;
    EXPECT_TRUE(reopened.Optimize(-1));
    EXPECT_EQ(m_dialogs, dialogs);
}

} // namespace
