// The walk over the project's material bills that the reports share.
#include "output/reports/ReportedResults.h"

#include "optimization/TopLevelBOM.h"

#include "ReportsTestProject.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

// A project bill that remembers which of its material bills were asked for.
class WatchedBill : public SheetGoodsBOM
{
public:
    MaterialBOMPtr GetMaterialBOM(int index) const override
    {
        asked.push_back(index);
        return SheetGoodsBOM::GetMaterialBOM(index);
    }
    mutable std::vector<int> asked;
};

class ReportedResultsTest : public ReportsProjectTest
{
};

TEST_F(ReportedResultsTest, EachMaterialBillIsVisitedOnceAndNoneBeyondTheLast)
{
    const SheetGoodsBOM& project = *m_bom->GetSheetGoodsBOM();
    WatchedBill bill;
    for (unsigned i = 0; i < project.GetCount(); ++i)
        bill.AddMaterialBOM(project.GetMaterialBOM(static_cast<int>(i)));
    ASSERT_GE(bill.GetCount(), 2U);
    bill.asked.clear();

    const std::vector<ReportedMaterial> reported = CollectReportedResults(bill);
    std::vector<int> expected(bill.GetCount());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(bill.asked, expected);

    // By name, each with its result sets that hold diagrams: the part
    // without material settled without any.
    std::vector<std::string> names;
    std::vector<std::size_t> resultSets;
    for (const ReportedMaterial& entry : reported) {
        names.push_back(entry.bill->GetName().toStdString());
        resultSets.push_back(entry.results.size());
    }
    EXPECT_EQ(names, (std::vector<std::string> { "Ash", "Not Specified", "Oak" }));
    EXPECT_EQ(resultSets, (std::vector<std::size_t> { 1, 0, 2 }));
}

} // namespace
