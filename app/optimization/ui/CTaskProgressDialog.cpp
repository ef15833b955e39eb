#include "optimization/ui/CTaskProgressDialog.h"

#include "foundation/UIStringTable.h"
#include "foundation/ui/UIStringWidgets.h"
#include "optimization/OptimizationStrings.h"
#include "optimization/RunStartLatch.h"
#include "optimization/ui/TaskStateIcons.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { StatusColumn = 0, TaskColumn = 1 };

} // namespace

CTaskProgressDialog::CTaskProgressDialog(RunStartLatch& start, TaskProgressRows rows, QWidget* parent)
    : QDialog(parent)
    , m_start(&start)
    , m_rows(std::move(rows))
{
    SetWindowTextById(this, kStrOptProgressTitle);

    m_group = new QGroupBox(this);
    SetWindowTextById(m_group, kStrOptProgressTasks);
    m_taskList = new QTableWidget(0, 2, m_group);
    m_taskList->setHorizontalHeaderLabels(
        { OptimizationText(kStrOptProgressStatus), OptimizationText(kStrOptProgressTask) });
    m_taskList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_taskList->horizontalHeader()->setStretchLastSection(true);
    m_taskList->verticalHeader()->hide();
    m_taskList->setColumnWidth(StatusColumn, 45);
    m_taskList->setColumnWidth(TaskColumn, 300);
    m_taskList->setShowGrid(true);
    m_taskList->setSelectionMode(QAbstractItemView::NoSelection);
    m_taskList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_taskList->setFocusPolicy(Qt::NoFocus);
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_taskList);

    // Stands in for the animation: it moves while the run is busy.
    m_busy = new QProgressBar(this);
    m_busy->setTextVisible(false);
    m_busy->setRange(0, 1);

    m_cancel = new QPushButton(this);
    SetWindowTextById(m_cancel, UIStringId::Cancel);
    connect(m_cancel, &QPushButton::clicked, this, &CTaskProgressDialog::OnCancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group, 1);
    layout->addWidget(m_busy);
    layout->addLayout(buttons);
    resize(411, 374);
}

CTaskProgressDialog::~CTaskProgressDialog() = default;

void CTaskProgressDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_initialised)
        OnInitDialog();
}

void CTaskProgressDialog::OnInitDialog()
{
    m_initialised = true;
    FillTaskList();
    m_busy->setRange(0, 0);
    // Last: from here on the jobs may report to the rows.
    m_start->Open();
}

void CTaskProgressDialog::FillTaskList()
{
    m_taskList->setRowCount(0);
    m_taskList->setRowCount(static_cast<int>(m_rows.size()));
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        auto* status = new QTableWidgetItem;
        status->setFlags(Qt::ItemIsEnabled);
        m_taskList->setItem(i, StatusColumn, status);
        auto* task = new QTableWidgetItem(m_rows[static_cast<std::size_t>(i)].label);
        task->setFlags(Qt::ItemIsEnabled);
        m_taskList->setItem(i, TaskColumn, task);
    }
    RefreshTaskStates();
}

void CTaskProgressDialog::RefreshTaskStates()
{
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        if (QTableWidgetItem* item = m_taskList->item(i, StatusColumn))
            item->setIcon(MakeTaskStateIcon(m_rows[static_cast<std::size_t>(i)].state));
    }
}

void CTaskProgressDialog::OnRunStarted(std::uint32_t targetId)
{
    PostTaskState(targetId, TaskProgressRow::Running);
}

void CTaskProgressDialog::OnRunEnded(std::uint32_t targetId)
{
    PostTaskState(targetId, TaskProgressRow::Finished);
}

void CTaskProgressDialog::PostTaskState(std::uint32_t targetId, int state)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [dialog = QPointer<CTaskProgressDialog>(this), targetId, state] {
            if (dialog)
                dialog->SetTaskState(targetId, state);
        },
        Qt::QueuedConnection);
}

void CTaskProgressDialog::SetTaskState(std::uint32_t targetId, int state)
{
    // Only an identity below 2^32 can match the 32 bits the optimizer sends.
    const auto row = std::find_if(m_rows.begin(), m_rows.end(),
        [targetId](const TaskProgressRow& r) { return r.identity == targetId; });
    if (row == m_rows.end() || row->state >= state)
        return;
    row->state = state;
    RefreshTaskStates();
    Q_EMIT taskStateChanged(static_cast<int>(row - m_rows.begin()), state);
}

void CTaskProgressDialog::RunModal()
{
    exec();
}

void CTaskProgressDialog::PostRunDone()
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [dialog = QPointer<CTaskProgressDialog>(this)] {
            if (dialog)
                dialog->OnOptimizationDone();
        },
        Qt::QueuedConnection);
}

void CTaskProgressDialog::OnOptimizationDone()
{
    m_busy->setRange(0, 1);
    done(QDialog::Accepted);
}

void CTaskProgressDialog::OnCancel()
{
    setEnabled(false);
    m_cancel->setEnabled(false);
    RequestCancel();
}

void CTaskProgressDialog::reject()
{
    // Escape cancels the run; the dialog closes only when the run ends.
    OnCancel();
}

// The close box does nothing: the dialog closes when the run has ended.
void CTaskProgressDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void InstallTaskProgressDialog()
{
    SetRunProgressDialogMaker(
        [](RunStartLatch& start, TaskProgressRows rows) -> std::unique_ptr<RunProgressDialog> {
            return std::make_unique<CTaskProgressDialog>(start, std::move(rows));
        });
}
