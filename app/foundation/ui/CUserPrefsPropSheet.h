#pragma once

#include "foundation/GeneralSettings.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <functional>

class QDialogButtonBox;
class QTabWidget;

// One page of the preferences sheet. It edits the sheet's working record in
// place; CommitToRecord is its OK step, which writes what its controls hold.
class CPreferencePage : public QWidget
{
    Q_OBJECT

public:
    explicit CPreferencePage(GeneralSettings* record, QWidget* parent = nullptr);
    virtual void CommitToRecord() { }
    // Asked before the page is left (another tab, OK); a page whose fields
    // fail validation says why and answers false, and stays current.
    virtual bool OnKillActive() { return true; }

protected:
    GeneralSettings* Record() const { return m_record; }

private:
    GeneralSettings* m_record;
};

// The sheet's pages by index, in the order they are added.
enum class PrefsPage : int {
    DisplayStyle = 0,
    PickList = 1,
    PrintOptions = 2,
    PrintOrientation = 3,
    FileLocations = 4,
    Fonts = 5,
    Shading = 6,
    Reports = 7,
    LayoutDisplay = 8,
};
inline constexpr int kPrefsPageCount = 9;

// How the window layers make a page; a place without one shows an empty page.
using PreferencePageFactory = std::function<CPreferencePage*(GeneralSettings* record)>;
void RegisterPreferencePage(PrefsPage page, PreferencePageFactory factory);

// The preferences sheet: nine pages over a snapshot of the preferences. OK
// applies the edited snapshot as one undoable step ("Edit General Settings"),
// even when nothing changed; Cancel changes nothing.
class CUserPrefsPropSheet : public QDialog
{
    Q_OBJECT

public:
    explicit CUserPrefsPropSheet(PrefsPage startPage = PrefsPage::DisplayStyle, QWidget* parent = nullptr);

    // Runs the sheet; on OK records the edit. Answers the dialog's result.
    int DoModal();

    const GeneralSettings& GetRecord() const { return m_record; }
    QTabWidget* GetTabs() const { return m_tabs; }
    CPreferencePage* GetPage(PrefsPage page) const { return m_pages[static_cast<int>(page)]; }
    QDialogButtonBox* GetButtons() const { return m_buttons; }

    void accept() override;

private:
    void OnTabChanged(int index);

    GeneralSettings m_record;
    QTabWidget* m_tabs;
    int m_activeIndex = 0;
    QDialogButtonBox* m_buttons;
    std::array<CPreferencePage*, kPrefsPageCount> m_pages {};
};
