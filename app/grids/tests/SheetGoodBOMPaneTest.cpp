// The B.O.M. pane: copying its rows, refreshing through its owner, and its
// saved column layout.
#include "OptimizationTestSupport.h"

#include "foundation/RealArchive.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/SheetGoodBOMPane.h"
#include "optimization/NamedSheetGoodBOM.h"
#include "optimization/TopLevelBOM.h"

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

class FakeOwner : public IBOMPaneOwner
{
public:
    std::shared_ptr<IOptimizedTopLevelBOM> GetSheetGoodsBOM() override { return bom; }
    bool LoadBOMData(int request) override
    {
        requests.push_back(request);
        return answer;
    }
    std::shared_ptr<SheetGoodsBOM> bom = std::make_shared<SheetGoodsBOM>();
    std::vector<int> requests;
    bool answer = true;
};

std::vector<QStringList> Texts(const ParseFieldRows& rows)
{
    std::vector<QStringList> texts;
    for (const ParseFieldRow& row : rows) {
        QStringList fields;
        for (int i = 0; i < row.GetFieldCount(); ++i)
            fields << row.GetField(i).GetText();
        texts.push_back(fields);
    }
    return texts;
}

TEST(SheetGoodBOMPane, CopyingAnEmptyBillGivesTheTitleAndTheHeadings)
{
    FakeOwner owner;
    owner.bom->AddMaterialBOM(std::make_shared<NamedSheetGoodBOM>(MakeSheetGood(QStringLiteral("Empty"))));
    QWidget parent;
    SheetGoodBOMPane pane(owner, &parent);
    ParseFieldRows rows;
    AppendSingleFieldRow(rows, QStringLiteral("stale"));
    pane.GetRowsForCopy(rows);
    EXPECT_EQ(owner.requests, std::vector<int> { 1 });
    const auto texts = Texts(rows);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], QStringList { QStringLiteral("B.O.M.: Sheet Goods") });
    ASSERT_EQ(texts[1].size(), 12);
    EXPECT_EQ(texts[1].front(), QStringLiteral("Material Name"));
    EXPECT_EQ(texts[1].back(), QStringLiteral("Bin"));
    EXPECT_FALSE(pane.HasRows());
    EXPECT_EQ(pane.GetGrid().parentWidget(), &parent);
}

TEST(SheetGoodBOMPane, ShowingNormallyRefreshesAndReloadAsksWhetherTheBillChanged)
{
    FakeOwner owner;
    QWidget parent;
    SheetGoodBOMPane pane(owner, &parent);
    pane.Show(0);
    EXPECT_TRUE(owner.requests.empty());
    pane.Show(5);
    EXPECT_EQ(owner.requests, std::vector<int> { 1 });
    owner.answer = false;
    EXPECT_FALSE(pane.Reload());
    EXPECT_EQ(owner.requests.back(), -1);
    pane.MoveTo(QRect(10, 20, 300, 100));
    EXPECT_EQ(pane.GetGrid().geometry(), QRect(10, 20, 300, 100));
}

TEST(SheetGoodBOMPane, TheGridStateKeepsVersionOneOnly)
{
    FakeOwner owner;
    SheetGoodBOMPane pane(owner, nullptr);
    std::ostringstream out;
    {
        platform::BinaryArchive archive = platform::BinaryArchive::storing(out, "GridStat.KWG");
        RealArchive ar(archive);
        pane.SerializeGridState(ar);
        archive.flush();
    }
    std::string bytes = out.str();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], '\x01');
    const auto load = [&pane](const std::string& stored) {
        const std::vector<std::uint8_t> data(stored.begin(), stored.end());
        platform::BinaryArchive archive = platform::BinaryArchive::loading(data, "GridStat.KWG");
        RealArchive ar(archive);
        pane.SerializeGridState(ar);
    };
    EXPECT_NO_THROW(load(bytes));
    bytes[0] = '\x02';
    EXPECT_THROW(load(bytes), platform::ArchiveError);
}

} // namespace
