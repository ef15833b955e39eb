#include "output/reports/ReportCreatorRegistry.h"
#include "output/reports/SkippedPartsReportCreator.h"

#include "ReportsTestProject.h"

#include <gtest/gtest.h>

namespace {

// One row as text: the attributes, then the cells, so a failure shows all.
std::string Describe(const SimpleReportRow& row)
{
    QString text = QStringLiteral("%1%2 i%3 r%4 n%5:")
                       .arg(row.plainBackground ? QString() : QStringLiteral("band "))
                       .arg(row.plainFirstCell ? QString() : QStringLiteral("bold"))
                       .arg(row.indent)
                       .arg(row.ruleFrom)
                       .arg(row.noteColumn);
    for (const QString& cell : row.cells)
        text += QLatin1Char('|') + cell;
    if (!row.noteText.isEmpty())
        text += QStringLiteral(" note=") + row.noteText;
    return text.toStdString();
}

std::vector<std::string> Describe(const SimpleReportPtr& report)
{
    std::vector<std::string> rows;
    for (const SimpleReportRow& row : report->GetRows())
        rows.push_back(Describe(row));
    return rows;
}

class ReportCreatorsTest : public ReportsProjectTest
{
};

TEST_F(ReportCreatorsTest, DescriptionsNameTheirColumnsAndAlignments)
{
    ReportCreatorRegistry registry(m_doc);
    struct Case
    {
        int id;
        const char* title;
        std::vector<std::int32_t> captions;
        std::vector<std::int32_t> alignments;
        bool sortable;
    };
    const Case cases[] = {
        {0, "Cost Summary", {68, 4659, 4660, 4655, 4658}, {33, 34, 33, 34, 34}, false},
        {1, "Materials Statistics", {68, 69, 80, 85, 86, 87, 191}, {33, 34, 34, 34, 34, 34, 34}, false},
        {2, "Parts Statistics", {100, 96, 97, 98, 99}, {33, 34, 34, 34, 34}, false},
        {3, "Skipped Parts", {4190, 4185, 4656, 4187, 4654}, {33, 33, 33, 33, 34}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const SimpleReportMetaPtr meta = registry.GetMeta(c.id);
        ASSERT_TRUE(meta);
        EXPECT_EQ(meta->title.toStdString(), c.title);
        EXPECT_EQ(meta->columnCount, static_cast<int>(c.captions.size()));
        EXPECT_EQ(meta->captionIds, c.captions);
        EXPECT_EQ(meta->alignments, c.alignments);
        EXPECT_EQ(meta->sortable, c.sortable);
    }
    EXPECT_FALSE(registry.GetCreator(4));
    EXPECT_FALSE(registry.GetMeta(4));
}

TEST_F(ReportCreatorsTest, CostSummaryInWholeSheetsAndProRated)
{
    // Bills by name, Oak's targets thinner first. The bill of the part
    // without material has an entry but no diagrams: its heading alone.
    const std::vector<std::string> wholeSheets = {
        "bold i0 r-1 n-1:|Ash||||",
        " i1 r-1 n-1:|" + Label(m_ashRow) + "|$30.00|Sheets|1|$30.00",
        " i1 r1 n-1:|Total||||$30.00",
        "bold i0 r-1 n-1:|Not Specified||||",
        "bold i0 r-1 n-1:|Oak||||",
        " i1 r-1 n-1:|" + Label(m_oakThin) + "|$40.00|Sheets|1|$40.00",
        " i1 r1 n-1:|Total||||$40.00",
        " i1 r-1 n-1:|" + Label(m_oakThick) + "|$50.00|Sheets|2|$100.00",
        " i1 r1 n-1:|Total||||$100.00",
        " i0 r-1 n-1:|||||",
        "band bold i0 r-1 n-1:|Project Total||||$170.00",
    };
    EXPECT_EQ(Describe(Build(kReportCostSummary)), wholeSheets);

    // Pro-rated: the sheet's share the parts take, two decimals.
    m_prefs.prefs->SetFlag(2026, true);
    const std::vector<std::string> proRated = {
        "bold i0 r-1 n-1:|Ash||||",
        " i1 r-1 n-1:|" + Label(m_ashRow) + "|$30.00|Sheets|0.09|$2.81",
        " i1 r1 n-1:|Total||||$2.81",
        "bold i0 r-1 n-1:|Not Specified||||",
        "bold i0 r-1 n-1:|Oak||||",
        " i1 r-1 n-1:|" + Label(m_oakThin) + "|$40.00|Sheets|1.00|$40.00",
        " i1 r1 n-1:|Total||||$40.00",
        " i1 r-1 n-1:|" + Label(m_oakThick) + "|$50.00|Sheets|1.00|$50.00",
        " i1 r1 n-1:|Total||||$50.00",
        " i0 r-1 n-1:|||||",
        "band bold i0 r-1 n-1:|Project Total||||$92.81",
    };
    EXPECT_EQ(Describe(Build(kReportCostSummary)), proRated);
}

TEST_F(ReportCreatorsTest, MaterialsStatisticsMarkTheHandEditedDiagram)
{
    const std::vector<std::string> expected = {
        "bold i0 r-1 n-1:|Ash||||||",
        " i1 r-1 n-1:|" + Label(m_ashRow) + "|90.6%|3.00 ft2|2|7.50 ft|12.00 ft|8.00 ft",
        " i1 r1 n-1:|Total|90.6%|3.00 ft2|2|7.50 ft|12.00 ft|8.00 ft",
        "bold i0 r-1 n-1:|Not Specified||||||",
        "bold i0 r-1 n-1:|Oak||||||",
        " i1 r-1 n-1:|" + Label(m_oakThin) + "|0.0%|32.00 ft2|*|*|24.00 ft|8.00 ft",
        " i1 r1 n-1:|Total|0.0%|32.00 ft2|*|*|24.00 ft|8.00 ft",
        " i1 r-1 n-1:|" + Label(m_oakThick) + "|50.0%|32.00 ft2|4|15.00 ft|48.00 ft|16.00 ft",
        " i1 r1 n-1:|Total|50.0%|32.00 ft2|4|15.00 ft|48.00 ft|16.00 ft",
        " i0 r-1 n-1:|||||||",
        "band bold i0 r-1 n-1:|Project Total|47.7%|67.00 ft2|*|*|84.00 ft|32.00 ft",
        " i0 r-1 n-1:|||||||",
        " i0 r-1 n-1:|||||||",
        " i0 r-1 n-1:|* Manually edited diagram.||||||",
    };
    EXPECT_EQ(Describe(Build(kReportMaterialsStats)), expected);
}

TEST_F(ReportCreatorsTest, PartsStatisticsPerMaterialName)
{
    const std::string unspecified = m_loose->GetMaterialName().toStdString();
    ASSERT_FALSE(unspecified.empty());
    const std::vector<std::string> expected = {
        " i0 r-1 n-1:|Ash|5|2|5.00 ft2|20.00 ft",
        " i0 r-1 n-1:|" + unspecified + "|2|2|2.78 ft2|10.00 ft",
        " i0 r-1 n-1:|Oak|5|0|64.00 ft2|72.00 ft",
        " i0 r-1 n-1:|||||",
        "band bold i0 r-1 n-1:|Project Total|12|4|71.78 ft2|102.00 ft",
    };
    EXPECT_EQ(Describe(Build(kReportPartsStats)), expected);
}

TEST_F(ReportCreatorsTest, SkippedPartsWithReasonNotes)
{
    const std::string unspecified = m_loose->GetMaterialName().toStdString();
    const std::vector<std::string> expected = {
        " i0 r-1 n2:|3|Block|Insufficient inventory|Ash|2 of 5 note=There is not enough inventory of the "
        "specified material, in the appropriate sizes for this part.",
        " i0 r-1 n2:|4|Spare|Unspecified material|" + unspecified
            + "|2 of 2 note=No material name is specified for this part.",
    };
    EXPECT_EQ(Describe(Build(kReportSkippedParts)), expected);

    // A reason without texts of its own gives an empty cell and note.
    m_loose->SetSkipReason(6);
    const auto rows = Build(kReportSkippedParts)->GetRows();
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[1].cells[2], QString());
    EXPECT_EQ(rows[1].noteText, QString());
}

} // namespace

namespace {

class EmptyProjectReportsTest : public ProjectTest
{
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        m_prefs.prefs->SetInt(3050, 0); // square inches
        m_prefs.prefs->SetInt(3051, 3); // inches
        m_doc.manager = m_bom;
    }

    SimpleReportPtr Build(int id)
    {
        m_doc.parts = Parts();
        ReportCreatorRegistry registry(m_doc);
        return registry.GetCreator(id)->Build();
    }

    ReportsDoc m_doc;
};

TEST_F(EmptyProjectReportsTest, NothingOptimizedLeavesOnlyTheTotalsThatAlwaysShow)
{
    EXPECT_EQ(Describe(Build(kReportCostSummary)),
              (std::vector<std::string> {" i0 r-1 n-1:|||||", "band bold i0 r-1 n-1:|Project Total||||$0.00"}));
    EXPECT_TRUE(Build(kReportMaterialsStats)->GetRows().empty());
    EXPECT_TRUE(Build(kReportPartsStats)->GetRows().empty());
    EXPECT_TRUE(Build(kReportSkippedParts)->GetRows().empty());
}

TEST_F(EmptyProjectReportsTest, MaterialNamesDifferingInCaseAreTwoGroups)
{
    AddPart(AddMaterial(QStringLiteral("oak")), Inches(0.75), 1);
    AddPart(AddMaterial(QStringLiteral("Oak")), Inches(0.75), 2);
    // 10 x 20 parts: 200 square inches and 60 inches around a copy.
    EXPECT_EQ(Describe(Build(kReportPartsStats)),
              (std::vector<std::string> {
                  " i0 r-1 n-1:|Oak|2|2|400.00 in2|120.00 in",
                  " i0 r-1 n-1:|oak|1|1|200.00 in2|60.00 in",
                  " i0 r-1 n-1:|||||",
                  "band bold i0 r-1 n-1:|Project Total|3|3|600.00 in2|180.00 in",
              }));
}

TEST_F(EmptyProjectReportsTest, WasteOfAnEmptyAndOfAFullSheet)
{
    auto material = AddMaterial(QStringLiteral("Birch"));
    AddRow(*material, 0.75, 10, 20)->SetUnlimited();
    CMilledPart* part = AddPart(material, Inches(0.75), 1);
    m_bom->AddParts(Parts());
    const OptimizationTargetPtr target = TargetOf(part);
    // A sheet filled by its part, and a sheet of no size: 0 % and 100 %.
    const StackPtr full = StackFor(target, {part}, 1);
    auto zeroRow = AddRow(*material, 0.75, 0, 0);
    const StackPtr empty = MakeStack(StockSpec {material, zeroRow, 0}, {}, 1);
    Optimized(target, {full, empty});
    const auto rows = Build(kReportMaterialsStats)->GetRows();
    ASSERT_GE(rows.size(), 3U);
    EXPECT_EQ(rows[1].cells[1], QStringLiteral("0.0%"));
    EXPECT_EQ(rows[2].cells[1], QStringLiteral("100.0%"));
}

} // namespace
