#include "grids/CVendorsDlg.h"

#include "foundation/CmdHistory.h"
#include "foundation/CommandBase.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/HelpButton.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/GridsStrings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CVendorsDlg::CVendorsDlg(MaterialsBase& library, const QFont* gridFont, QWidget* parent)
    : QDialog(parent)
    , m_delete(new QPushButton(LoadUIString(kStrDelete), this))
    , m_ok(new QPushButton(LoadUIString(UIStringId::Ok), this))
    , m_cancel(new QPushButton(LoadUIString(UIStringId::Cancel), this))
    , m_help(new QPushButton(LoadUIString(UIStringId::Help), this))
    , m_gridFont(gridFont)
    , m_grid(new CUGRowMode)
{
    setWindowTitle(LoadUIString(kStrVendorsTitle));
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_delete, m_ok, m_cancel, m_help})
        buttons->addWidget(button);
    // The grid takes the place, and the font, of the dialog's "Vendors Grid".
    auto* place = new QLabel(QStringLiteral("Vendors Grid"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(place, 1);
    layout->addLayout(buttons);
    resize(360, 340);
    m_grid->AttachGrid(place);
    delete layout->replaceWidget(place, m_grid);

    m_manager = std::make_unique<CVendorGDM>(library, m_queued, m_delete);
    if (m_gridFont)
        m_grid->SetGridFont(m_gridFont);
    m_grid->SetSingleRowSelection(false);
    m_manager->SetColumnMenuEnabled(false);
    m_grid->SetCornerButtonSizing(0);
    m_grid->SetDataSource(m_grid->AddDataSource(m_manager.get()));
    m_manager->SetRowHeadingMarks(true);
    // The side heading makes room for the row marks.
    m_grid->OnSourceMessage(0, 6, 1);
    if (m_grid->GetRowCount() > 1)
        m_grid->SelectCell(0, 0);
    Refresh();

    connect(m_delete, &QPushButton::clicked, this, &CVendorsDlg::OnDelete);
    connect(m_ok, &QPushButton::clicked, this, &CVendorsDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CVendorsDlg::reject);
    ConnectHelpButton(m_help);
}

CVendorsDlg::~CVendorsDlg()
{
    // The grid reads the manager until it dies: it goes first.
    delete m_grid;
}

void CVendorsDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The one column fills the grid at whatever size the dialog has.
    m_grid->FitColumnsByMode();
}

void CVendorsDlg::Refresh()
{
    m_manager->RefreshRowCount();
    m_grid->FitColumnsByMode();
    m_manager->UpdateDeleteButton();
}

void CVendorsDlg::OnDelete()
{
    m_manager->DeleteSelectedRows();
    Refresh();
}

void CVendorsDlg::accept()
{
    m_manager->FinishEditing();
    if (m_manager->HasPendingRow())
        return;
    if (CmdHistory* history = GetCmdHistory()) {
        auto scope = history->OpenNamedScope(LoadUIString(kStrEditVendorsList));
        for (const auto& command : m_queued)
            history->Add(command);
    }
    m_queued.clear();
    QDialog::accept();
}

void CVendorsDlg::reject()
{
    m_manager->AbandonRowEdit();
    m_queued.clear();
    QDialog::reject();
}
