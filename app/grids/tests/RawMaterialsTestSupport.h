#pragma once
// A project document with a materials library, the strings of every layer
// up to the grids, and a host of the Raw Materials page that records what
// the grid, the strip and the tree ask of it.

#include "ProjectDocumentFixture.h"

#include "foundation/CmdHistory.h"
#include "grids/GridsStrings.h"
#include "grids/RawMaterialsHost.h"
#include "model/MaterialCommands.h"
#include "optimization/manual/ManualEditStrings.h"

#include <QLocale>
#include <QStringList>

class RecordingRawMaterialsHost : public IRawMaterialsHost
{
public:
    void UpdateSizeCostMenu(bool end) override
    {
        events << (end ? QStringLiteral("end") : QStringLiteral("begin"));
    }
    bool IsSizeCostMenuItemEnabled(int position) override { return position != disabledPosition; }
    void EditSizeCostNote() override { events << QStringLiteral("edit note"); }
    void DeleteSizeCostNote() override { events << QStringLiteral("delete note"); }
    void DeleteSizeCostRows() override { events << QStringLiteral("delete rows"); }
    void CutSizeCostRows() override { events << QStringLiteral("cut"); }
    void CopySizeCostRows() override { events << QStringLiteral("copy"); }
    void PasteSizeCostRows() override { events << QStringLiteral("paste"); }
    void RefreshRawMaterialsDisplay() override
    {
        events << QStringLiteral("refresh");
        if (onRefresh)
            onRefresh();
    }
    QWidget* GetMainWindow() override { return nullptr; }
    void FinishRawMaterialsEdits() override { events << QStringLiteral("finish"); }
    void FocusMainControl() override { events << QStringLiteral("focus"); }

    int disabledPosition = -1;
    QStringList events;
    std::function<void()> onRefresh;
};

class RawMaterialsTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        InitUIStrings(m_stringsFolder.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                DocumentStringResources(), ManualEditStringResources(), GridsStringResources() });
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_prefs.prefs->SetInt(PrefId::DimensionAlignment, 34);
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        ProjectDocumentTest::TearDown();
    }

    // Pins the first diagram of a run over the project's parts.
    void PinFirstDiagram()
    {
        RunJobs(*m_doc);
        StackList stacks;
        m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
        ASSERT_FALSE(stacks.empty());
        m_doc->GetBOMOptMgr()->PinDiagram(stacks.front());
        GetCmdHistory()->Clear();
        m_shown.clear();
    }

    std::size_t Steps() const { return GetCmdHistory()->GetStepCount(); }

    RecordingRawMaterialsHost m_host;

private:
    QTemporaryDir m_stringsFolder;
};
