#include "model/BOMBase.h"

#include "model/CMaterialEx.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Line : public BOMLineItemBase
{
public:
    Line(QString name, std::int64_t unitCost) : m_name(std::move(name)), m_cost(CMoney::FromCount(unitCost)) {}

    void Serialize(ArchiveWrapper&, const std::shared_ptr<IdentityMapper>&) override {}
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity>) override {}
    CMoney GetTotalCost() const override { return m_cost; }
    QString GetUnitsText() const override { return m_name; }
    double GetQuantityNeeded() const override { return 1.0; }
    double GetQuantityInStock() const override { return 2.0; }
    double GetQuantityToBuy() const override { return 3.0; }
    QString GetVendorName() const override { return QStringLiteral("t1"); }
    QString GetRowText() const override { return QStringLiteral("t2"); }
    QString GetThicknessText() const override { return QStringLiteral("t3"); }
    double GetThicknessInches() const override { return 4.0; }
    CMoney GetUnitCost() const override { return m_cost.MultiplyBy(2.0); }
    void Recount() override { ++refreshes; }
    bool LineMatches() const override { return matches; }
    bool IsFullyOptimized() const override { return !pending; }

    int refreshes = 0;
    bool matches = false;
    bool pending = false;

private:
    QString m_name;
    CMoney m_cost;
};

class ListBOM : public BOMBase
{
public:
    void ResetLineItems() override { lines.clear(); }
    int GetLineItemCount() const override { return static_cast<int>(lines.size()); }
    BOMItemPtr GetLineItemAt(int index) const override { return lines.at(static_cast<std::size_t>(index)); }

    std::vector<std::shared_ptr<Line>> lines;
};

} // namespace

TEST(BOMBase, TotalsAddUpTheLinesAndResetClearsThem)
{
    ListBOM bom;
    EXPECT_EQ((*bom.GetTotalsDTO())[0].GetCount(), 0) << "no lines, zero totals";

    bom.lines = {std::make_shared<Line>(QStringLiteral("Birch"), 10000), std::make_shared<Line>(QStringLiteral("Oak"), 2500)};
    const CostPriceDTOPtr totals = bom.GetTotalsDTO();
    EXPECT_EQ((*totals)[0].GetCount(), 12500);
    EXPECT_EQ((*bom.GetTotalsDTO())[0].GetCount(), 12500) << "recomputed, not added twice";
    EXPECT_EQ(bom.lines[0]->refreshes, 2) << "every total refreshes the entries first";
    bom.lines[0] = std::make_shared<Line>(QStringLiteral("Birch"), 30000);
    bom.lines[0]->pending = true;
    EXPECT_FALSE(bom.IsFullyOptimized());
    EXPECT_EQ((*bom.GetTotalsDTO())[0].GetCount(), 12500) << "totals wait while an entry is pending";
    bom.lines[0]->pending = false;
    EXPECT_EQ((*bom.GetTotalsDTO())[0].GetCount(), 32500);
    bom.lines[0] = std::make_shared<Line>(QStringLiteral("Birch"), 10000);

    const int refreshed = bom.lines[1]->refreshes;
    bom.RefreshLineItems();
    EXPECT_EQ(bom.lines[1]->refreshes, refreshed + 1);
    EXPECT_FALSE(bom.AnyLineItemMatches());
    bom.lines[1]->matches = true;
    EXPECT_TRUE(bom.AnyLineItemMatches());

    EXPECT_EQ(bom.FindLineItemByName(CMaterialEx(QStringLiteral("Oak"))), bom.lines[1]);
    EXPECT_EQ(bom.FindLineItemByName(CMaterialEx(QStringLiteral("oak"))), nullptr);
    const Line stranger(QStringLiteral("Oak"), 1);
    EXPECT_EQ(bom.FindLineItem(stranger), bom.lines[1]);
    EXPECT_EQ(bom.FindLineItem(*bom.lines[0]), bom.lines[0]);

    const auto dto = BOMBase::MakeBOMLineItemDTO(*bom.lines[0]);
    EXPECT_EQ(dto->unitsText, QStringLiteral("Birch"));
    EXPECT_EQ(dto->thicknessText, QStringLiteral("t3"));
    EXPECT_EQ(dto->unitCost.GetCount(), 20000);

    bom.ResetCosts();
    EXPECT_EQ(bom.GetLineItemCount(), 0);
    EXPECT_EQ((*totals)[0].GetCount(), 0);
}

TEST(BOMBase, LineItemsAreMadeByRegisteredTypeCode)
{
    EXPECT_EQ(CreateBOMLineItem(1), nullptr) << "nothing registered yet";
    RegisterBOMLineItemCreator(1, [] { return std::make_shared<Line>(QStringLiteral("made"), 0); });
    const BOMLineItemPtr item = CreateBOMLineItem(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetUnitsText(), QStringLiteral("made"));
    EXPECT_EQ(CreateBOMLineItem(2), nullptr);
    RegisterBOMLineItemCreator(1, nullptr);
}
