#include "foundation/ui/CUserPrefsPropSheet.h"

#include "foundation/CmdHistory.h"
#include "foundation/GeneralSettingsEditCmd.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/HelpButton.h"
#include "foundation/ui/UIStringWidgets.h"

#include <QDialogButtonBox>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

std::array<PreferencePageFactory, kPrefsPageCount>& Factories()
{
    static std::array<PreferencePageFactory, kPrefsPageCount> factories;
    return factories;
}

// Caption of each page, by index.
constexpr int kCaptions[kPrefsPageCount] = {
    UIStringId::PrefsNumericDisplay,
    UIStringId::PrefsBOM,
    UIStringId::PrefsPrintOptions,
    UIStringId::PrefsPrintOrientation,
    UIStringId::PrefsFileLocations,
    UIStringId::PrefsFonts,
    UIStringId::PrefsShading,
    UIStringId::PrefsReports,
    UIStringId::PrefsLayoutDisplay,
};

} // namespace

CPreferencePage::CPreferencePage(GeneralSettings* record, QWidget* parent)
    : QWidget(parent)
    , m_record(record)
{ }

void RegisterPreferencePage(PrefsPage page, PreferencePageFactory factory)
{
    Factories()[static_cast<int>(page)] = std::move(factory);
}

CUserPrefsPropSheet::CUserPrefsPropSheet(PrefsPage startPage, QWidget* parent)
    : QDialog(parent)
    , m_record(TakeGeneralSettingsSnapshot())
    , m_tabs(new QTabWidget(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(LoadUIString(UIStringId::PrefsSheetTitle));
    for (int index = 0; index < kPrefsPageCount; ++index) {
        const PreferencePageFactory& factory = Factories()[index];
        CPreferencePage* page = factory ? factory(&m_record) : nullptr;
        if (!page)
            page = new CPreferencePage(&m_record);
        m_pages[index] = page;
        m_tabs->addTab(page, LoadUIString(kCaptions[index]));
    }
    // All nine tabs show whole: the sheet is made as wide as their titles
    // instead of hiding some behind scroll arrows.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    m_tabs->setCurrentIndex(static_cast<int>(startPage));
    m_activeIndex = m_tabs->currentIndex();
    connect(m_tabs, &QTabWidget::currentChanged, this, &CUserPrefsPropSheet::OnTabChanged);

    SetOkCancelTexts(m_buttons);
    AddHelpButton(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
}

void CUserPrefsPropSheet::OnTabChanged(int index)
{
    if (index == m_activeIndex)
        return;
    if (!m_pages[m_activeIndex]->OnKillActive()) {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_activeIndex);
        return;
    }
    m_activeIndex = index;
}

void CUserPrefsPropSheet::accept()
{
    // Pages once left have passed their check; only the current one has not.
    if (!m_pages[m_activeIndex]->OnKillActive())
        return;
    for (CPreferencePage* page : m_pages)
        page->CommitToRecord();
    QDialog::accept();
}

int CUserPrefsPropSheet::DoModal()
{
    const int result = exec();
    if (result != QDialog::Accepted)
        return result;
    auto command = std::make_shared<GeneralSettingsEditCmd>(m_record);
    if (CmdHistory* history = GetCmdHistory())
        history->Add(command);
    else
        ExecuteCommand(*command);
    return result;
}
