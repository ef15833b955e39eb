#pragma once
// A small optimized project for the reports' tests.

#include "FakeOptimizationDoc.h"
#include "ProjectTestFixture.h"
#include "model/CMoney.h"
#include "output/reports/ReportCreatorRegistry.h"

// The document as the creators read it: the parts and the bills.
class ReportsDoc : public FakeOptimizationDoc
{
public:
    std::shared_ptr<BOMOptMgr> GetBOMOptMgr() const override { return manager; }
    std::shared_ptr<BOMOptMgr> manager;
};

// Two materials, three thicknesses: Oak 3/4 (two sheets of two 24 x 48
// parts), Oak 1/2 (a hand-edited sheet filled by one part), Ash 3/4 (one
// sheet with 3 of 5 small parts placed); and a part without material.
class ReportsProjectTest : public ProjectTest
{
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        m_prefs.prefs->SetInt(3050, 1); // square feet
        m_prefs.prefs->SetInt(3051, 1); // feet
        m_prefs.prefs->SetFlag(2026, false);
        m_oak = AddMaterial(QStringLiteral("Oak"));
        m_oakThick = PricedRow(*m_oak, 0.75, 50);
        m_oakThin = PricedRow(*m_oak, 0.5, 40);
        m_ash = AddMaterial(QStringLiteral("Ash"));
        m_ashRow = PricedRow(*m_ash, 0.75, 30);

        m_doors = AddPart(m_oak, Inches(0.75), 4);
        m_doors->SetWidth(Inches(24));
        m_doors->SetLength(Inches(48));
        m_top = AddPart(m_oak, Inches(0.5), 1);
        m_top->SetWidth(Inches(48));
        m_top->SetLength(Inches(96));
        m_blocks = AddPart(m_ash, Inches(0.75), 5);
        m_blocks->SetWidth(Inches(12));
        m_blocks->SetLength(Inches(12));
        m_blocks->SetDescription(QStringLiteral("Block"));
        m_loose = AddPart(nullptr, Inches(0.75), 2);
        m_loose->SetDescription(QStringLiteral("Spare"));
        m_doc.parts = Parts();
        m_doc.manager = m_bom;
        m_bom->AddParts(Parts());

        Optimized(TargetOf(m_doors), {StackFor(TargetOf(m_doors), {m_doors, m_doors}, 2)});
        m_doors->SetOptimizerPlacedCopies(4);
        const StackPtr edited = StackFor(TargetOf(m_top), {m_top}, 1);
        edited->GetDiagram()->PrepareManualGeometry(edited->GetCurrentGeoStyle());
        edited->SetCurrentGeoStyle(GeometryStyles::ManualEdit);
        Optimized(TargetOf(m_top), {edited});
        m_top->SetOptimizerPlacedCopies(1);
        Optimized(TargetOf(m_blocks), {StackFor(TargetOf(m_blocks), {m_blocks, m_blocks, m_blocks}, 1)});
        m_blocks->SetOptimizerPlacedCopies(3);
        m_blocks->SetSkipReason(7);
        m_loose->SetSkipReason(2);
        // The part without material settles as skipped: its bill has an
        // entry without diagrams.
        Optimized(TargetOf(m_loose), {});
    }

    std::shared_ptr<ISGSC> PricedRow(CSheetGoodEx& material, double thickness, double dollars)
    {
        auto row = AddRow(material, thickness, 48, 96);
        row->SetUnlimited();
        const CMoney cost = CMoney::FromReal(dollars);
        row->SetUnitCost(&cost);
        return row;
    }

    SimpleReportPtr Build(int id)
    {
        ReportCreatorRegistry registry(m_doc);
        return registry.GetCreator(id)->Build();
    }

    std::string Label(const std::shared_ptr<ISGSC>& row) const { return row->GetDescription().toStdString(); }

    ReportsDoc m_doc;
    std::shared_ptr<CSheetGoodEx> m_oak, m_ash;
    std::shared_ptr<ISGSC> m_oakThick, m_oakThin, m_ashRow;
    CMilledPart* m_doors = nullptr;
    CMilledPart* m_top = nullptr;
    CMilledPart* m_blocks = nullptr;
    CMilledPart* m_loose = nullptr;
};

