#include "output/print/CCoverPagePrinter.h"

#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "model/ProjectSettings.h"
#include "output/print/CPrintEngineBase.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintStrings.h"
#include "platform/ui/IPrintControl.h"

#include <stdexcept>

namespace {
constexpr int kRows = 9;
constexpr int kColumns = 7;
// Columns 1 and 5 are narrow indents under the group headings.
const char* const kColumnWidths[kColumns] = { "2%", "15%", "13%", "20%", "2%", "15%", "33%" };

QString ObjectiveText(const OptimizationSettings& settings)
{
    QString text = settings.GetObjectiveText();
    if (settings.useOffCutsFirst)
        text += QLatin1Char(' ') + LoadUIString(kStrUseOffCutsFirst);
    if (settings.useInventoryFirst)
        text += QLatin1Char(' ') + LoadUIString(kStrUseInventoryFirst);
    return text;
}
} // namespace

CCoverPagePrinter::CCoverPagePrinter(CPrintEngineBase& engine)
    : m_engine(engine)
    , m_control(engine.GetControl())
{ }

void CCoverPagePrinter::Heading(int row, int column, int stringId, int span)
{
    m_engine.SetCellText(row, column, LoadUIString(stringId), false);
    m_engine.SetHeaderCell(row, column);
    m_engine.SetCellSpan(row, column, span);
}

void CCoverPagePrinter::PrintCoverPage()
{
    const ProjectSettings* project = GetCurrentProjectSettings();
    if (!project)
        throw std::logic_error("printing the cover page needs the project's settings");

    m_engine.StartNewPage(true);
    m_engine.SetPageHeader(LoadUIString(kStrCoverPage), true);
    m_engine.PrintTextBlock(LoadUIString(kStrProjectCoverPage), CPrintEngineBase::SectionTitle);
    m_engine.ApplyTextStyle(CPrintEngineBase::Body);

    m_control.StartTable();
    m_control.SetTableBorder(platform::TableLinesRows);
    m_engine.SetTableRows(kRows);
    m_control.SetTableCell(platform::TableColumns, 1, 1, 1, 1, kColumns);
    for (int column = 1; column <= kColumns; ++column) {
        m_control.SetTableCell(
            platform::TableColumnWidth, 1, column, 1, column, QString::fromLatin1(kColumnWidths[column - 1]));
    }
    m_control.SetTableCell(platform::TableColumnTakesRest, 1, 4, 1, 4, 1);
    m_control.SetTableCell(platform::TableEndPadding, 1, 1, kRows, 1, QStringLiteral("1mm"));
    m_control.SetTableCell(platform::TableSidePadding, 1, 1, kRows, 1, QStringLiteral("1mm"));

    Heading(1, 1, kStrProjectName, 7);
    m_engine.SetCellSpan(2, 2, 6);
    m_engine.SetRowSetting8(3);
    Heading(3, 1, kStrBomRoundingMethod, 4);
    Heading(3, 5, kStrLayoutDiagramSettings, 3);
    m_engine.SetCellSpan(4, 2, 3);
    m_engine.SetCellSpan(4, 6, kColumns - 6 + 1);
    m_engine.SetRowSetting8(5);
    Heading(5, 1, kStrOptimizationSettings, 7);
    m_engine.SetCellSpan(6, 2, 2);
    m_engine.SetCellSpan(6, 4, 4);
    m_engine.SetRowSetting8(7);
    m_engine.SetCellSpan(7, 1, 6);
    m_engine.SetRowSetting8(8);
    Heading(8, 1, kStrNotesHeading, 7);
    m_engine.SetCellSpan(9, 2, 6);

    const bool proRate = PrintPrefs().GetFlag(PrintPrefId::ProRateCosts);
    const bool stretch = PrintPrefs().GetFlag(PrintPrefId::Stretch);
    m_engine.SetCellText(2, 2, project->GetProjectName(), true);
    m_engine.SetCellText(4, 2, LoadUIString(proRate ? kStrPrintProRateCosts : kStrPrintRoundUpCosts), true);
    m_engine.SetCellText(4, 6, LoadUIString(stretch ? kStrNarrowLayoutsStretched : kStrLayoutsToScale), true);
    m_engine.SetCellText(6, 2, LoadUIString(kStrPrimaryObjective), false);
    m_engine.SetCellText(6, 4, ObjectiveText(project->GetOptimizationSettings()), true);
    m_engine.SetCellText(7, 1,
        LoadUIString(kStrProgramName) + QLatin1Char('\n') + ProjectPathName(m_engine.GetDocument()), false);
    m_engine.SetCellText(9, 2, project->GetNotes(), false);

    m_control.EndTable();
}
