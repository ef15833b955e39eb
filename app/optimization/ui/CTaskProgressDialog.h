#pragma once
// The modal dialog in front of an optimization run: one row per target with
// a state icon (waiting, running, finished), a busy indicator and Cancel.
// It is also the optimizer's progress object: the optimizer's workers ask it
// whether the user cancelled and tell it when a target starts and ends; the
// rows change on the dialog's own thread through queued calls.

#include "optimization/RunProgressDialog.h"

#include <QDialog>

#include <cstdint>

class QGroupBox;
class QProgressBar;
class QPushButton;
class QTableWidget;

class CTaskProgressDialog : public QDialog, public RunProgressDialog
{
    Q_OBJECT

public:
    CTaskProgressDialog(RunStartLatch& start, TaskProgressRows rows, QWidget* parent = nullptr);
    ~CTaskProgressDialog() override;

    // Worker threads; the identity is the low 32 bits of the target's.
    void OnRunStarted(std::uint32_t targetId) override;
    void OnRunEnded(std::uint32_t targetId) override;

    void RunModal() override;
    void PostRunDone() override;

    const TaskProgressRows& GetRows() const { return m_rows; }
    QTableWidget* GetTaskList() const { return m_taskList; }
    QPushButton* GetCancelButton() const { return m_cancel; }

    // Cancel and Escape: the jobs end early, the dialog stays until the run closes it.
    void OnCancel();
    void reject() override;

Q_SIGNALS:
    // A row moved on: to running (1) or finished (2).
    void taskStateChanged(int row, int state);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Makes the rows ready and, last of all, releases the run's task.
    void OnInitDialog();
    void FillTaskList();
    void RefreshTaskStates();
    // Queued to the dialog's thread from a worker.
    void PostTaskState(std::uint32_t targetId, int state);
    void SetTaskState(std::uint32_t targetId, int state);
    void OnOptimizationDone();

    QGroupBox* m_group = nullptr;
    QPushButton* m_cancel = nullptr;
    QTableWidget* m_taskList = nullptr;
    QProgressBar* m_busy = nullptr;
    RunStartLatch* m_start;
    TaskProgressRows m_rows;
    bool m_initialised = false;
};

// Lets the document make this dialog for its runs.
void InstallTaskProgressDialog();
