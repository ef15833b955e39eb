#pragma once
// The whole program in the test process, driven as a user drives it: menu
// items chosen from the menu bar, tabs clicked, text typed into the grids,
// tree items clicked. What each page shows is read back from its grids,
// trees and panes, so that two moments of a project can be compared page by
// page.

#include "ShellTestSupport.h"

#include <platform/Rect.h>

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <iosfwd>

class CKWLView;
class CUserPrefsPropSheet;
class CUGCtrl;
class QTreeWidget;
class QTreeWidgetItem;

// Every page's contents, as text.
struct PagesShown
{
    QStringList parts;
    QStringList layoutsTree;
    // Per target (material and thickness) of the layouts tree, in tree
    // order: the thumbnails shown with it, where the main diagram draws each
    // part, and the rows of the take-off list.
    QList<int> thumbnails;
    QList<QStringList> diagrams;
    QList<QStringList> takeOffs;
    QStringList bom;
    QList<QStringList> reports;
    QStringList rawMaterials;

    friend bool operator==(const PagesShown&, const PagesShown&) = default;
};

void PrintTo(const PagesShown& pages, std::ostream* out);
// Texts in failure messages as text, not as bytes.
void PrintTo(const QString& text, std::ostream* out);

// One line per row, heading row first, cells joined by " | ".
QStringList GridRows(CUGCtrl& grid);
// One line per item in tree order, indented by depth.
QStringList TreeLines(const QTreeWidget& tree);

class JourneyTest : public ShellTest
{
protected:
    static constexpr QChar kDownKey = QChar(0x19);
    void SetUp() override;
    void TearDown() override;

    // The program, its lock and hand-over socket named for this process.
    CKerfwellPlusApp& StartProgram(const QStringList& arguments = {});
    // File > Exit, then the end of the program.
    void Quit();
    static QString InstanceName();

    // The events the last input caused, handled.
    static void Settle();
    CKWLView& View() const;
    // The menu bar's item of the command: brought up to date as its menu
    // opens, and chosen. False (and a failure) when it is missing or disabled.
    bool Choose(int commandId);
    void ClickTab(int page);
    // Types into the parts grid's cell as a user does: a click on the cell,
    // then each key to the grid, or to the cell's editor once one is open.
    // "\t", "\n" and kDownKey stand for Tab, Enter and the down arrow; a
    // letter on a drop-list cell opens its list on the first item it begins.
    void TypeIntoPartsGrid(int partsColumn, int row, const QString& keys);
    void ClickTreeItem(QTreeWidget& tree, QTreeWidgetItem* item);
    // A drag of the Layouts page's shown diagram's first part by the layout
    // offset (in 1/16384 inch), pressed at its centre, with the button held
    // through the moves; a drop that is accepted pins the diagram.
    void DragFirstPart(const platform::Point& layoutOffset);

    // One part typed into the append row, from its description on.
    void TypePart(const QString& keys);
    // Three parts typed into the append row, two of the shipped 3/4"
    // plywood and one of the 1/2" plywood, each chosen from the material
    // column's list ("P" opens it on "Plywood 1/2 in").
    void TypeParts();

    // Opens General Preferences; once the sheet shows, act runs on it, and
    // then its OK (or, when ok is false, its Cancel) button is clicked.
    // False when the sheet stayed open, which it does while a page refuses.
    bool RunPreferences(const std::function<void(CUserPrefsPropSheet&)>& act, bool ok = true);

    // The print dialog answered with every section, on PDF output.
    static void PrintEverySectionToPdf();

    // Clicks through every page and reads it.
    PagesShown ReadEveryPage();
    QStringList PartsRows();
    QStringList BomRows();
    int PartCount();

    // Windows a journey did not expect to stop at: each is closed and fails
    // the test, so that a journey never waits for a dialog nobody answers.
    static constexpr const char* kAnsweredByTheTest = "answered by the test";
    QTimer* m_watchdog = nullptr;
    // The skipped-parts alert is closed without a failure.
    bool m_skippedPartsExpected = false;
};
