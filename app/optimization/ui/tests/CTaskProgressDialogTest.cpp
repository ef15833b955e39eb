// The progress dialog on its own: rows, the progress notifications as the
// optimizer's workers send them, and the ways the user can try to leave.
#include "optimization/ui/CTaskProgressDialog.h"
#include "optimization/RunStartLatch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace {

TaskProgressRows ThreeRows()
{
    return { { QStringLiteral("3/4 in  Maple"), 7, TaskProgressRow::Waiting },
        { QStringLiteral("1/2 in  Maple"), (std::uint64_t { 1 } << 32) | 8, TaskProgressRow::Waiting },
        { QStringLiteral("18 mm  Birch"), 9, TaskProgressRow::Waiting } };
}

std::vector<int> States(const CTaskProgressDialog& dialog)
{
    std::vector<int> states;
    for (const TaskProgressRow& row : dialog.GetRows())
        states.push_back(row.state);
    return states;
}

TEST(TaskProgressDialog, ShowingFillsTheRowsAndOnlyThenReleasesTheRun)
{
    RunStartLatch start;
    CTaskProgressDialog dialog(start, ThreeRows());
    EXPECT_FALSE(start.IsOpen());
    dialog.show();
    EXPECT_TRUE(start.IsOpen());
    const QTableWidget* list = dialog.GetTaskList();
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("3/4 in  Maple"));
    EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("18 mm  Birch"));
    EXPECT_FALSE(list->item(1, 0)->icon().isNull());

    // Clicking a row selects nothing.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0, 1)).center());
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

// The notifications come from worker threads and change the rows only on
// the dialog's thread; an identity of 2^32 or more never matches.
TEST(TaskProgressDialog, NotificationsFromWorkersMoveRowsForwardOnly)
{
    RunStartLatch start;
    CTaskProgressDialog dialog(start, ThreeRows());
    dialog.show();
    std::thread worker([&dialog] {
        dialog.OnRunStarted(7);
        dialog.OnRunEnded(9); // never started: straight to finished
        dialog.OnRunStarted(8); // the second row's identity is 2^32 + 8
        dialog.OnRunEnded(7);
        dialog.OnRunStarted(7); // late: rows never move back
        dialog.OnRunEnded(12345);
    });
    worker.join();
    EXPECT_EQ(States(dialog), (std::vector<int> { 0, 0, 0 }));
    QCoreApplication::processEvents();
    EXPECT_EQ(States(dialog), (std::vector<int> { 2, 0, 2 }));
}

TEST(TaskProgressDialog, CancelAndEscapeDisableTheDialogAndTheCloseBoxDoesNothing)
{
    enum class Way { Button, Escape };
    for (const Way way : { Way::Button, Way::Escape }) {
        SCOPED_TRACE(static_cast<int>(way));
        RunStartLatch start;
        CTaskProgressDialog dialog(start, ThreeRows());
        dialog.show();
        QCloseEvent close;
        QApplication::sendEvent(&dialog, &close);
        EXPECT_FALSE(close.isAccepted());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.IsCancelRequested());

        if (way == Way::Button)
            QTest::mouseClick(dialog.GetCancelButton(), Qt::LeftButton);
        else {
            // Sent as the window system would: the dialog, disabled by its
            // own Escape, takes no key release (which QTest would report).
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &escape);
        }
        EXPECT_TRUE(dialog.IsCancelRequested());
        EXPECT_FALSE(dialog.isEnabled());
        EXPECT_FALSE(dialog.GetCancelButton()->isEnabled());
        // It stays until the run closes it.
        EXPECT_TRUE(dialog.isVisible());
        dialog.PostRunDone();
        QCoreApplication::processEvents();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

// Posted by a run whose dialog is already gone: dropped, never delivered to
// freed memory.
TEST(TaskProgressDialog, NotificationsForADestroyedDialogAreDropped)
{
    RunStartLatch start;
    auto dialog = std::make_unique<CTaskProgressDialog>(start, ThreeRows());
    dialog->OnRunStarted(7);
    dialog->PostRunDone();
    dialog.reset();
    QCoreApplication::processEvents();
    SUCCEED();
}

} // namespace
