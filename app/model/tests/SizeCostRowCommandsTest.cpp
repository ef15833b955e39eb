// The size/cost row edit and delete, the row-note operations and the row
// operations they rest on: masks, comparison, row copy, deleted names.
#include "ModelTestSupport.h"

#include "model/CPricingScheme.h"
#include "model/ModelStrings.h"
#include "model/SizeCostRowCommands.h"
#include "model/SizeCostRowOps.h"

namespace {

class SizeCostRowCommandsTest : public LibraryTest
{
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        m_vendor = std::make_shared<CVendor>();
        m_vendor->SetName(QStringLiteral("Acme"));
        m_library->AddVendor(m_vendor);
        m_material = AddSheetGood(QStringLiteral("Birch"));
        for (double thickness : { 0.25, 0.5, 0.75, 1.0 })
            m_material->GetSizeCosts().push_back(MakeRow(thickness, 48, 96, m_vendor));
        GetCmdHistory()->Clear();
        m_library->SetModified(false);
    }

    std::vector<std::shared_ptr<ISGSC>>& Rows() { return m_material->GetSizeCosts(); }

    std::shared_ptr<CVendor> m_vendor;
    std::shared_ptr<CSheetGoodEx> m_material;
};

TEST_F(SizeCostRowCommandsTest, MasksAndComparisonFollowTheComparedValues)
{
    struct Case
    {
        const char* name;
        std::function<void(ISGSC&)> change;
        std::uint64_t mask;
        std::uint64_t kind;
    };
    const auto other = std::make_shared<CVendor>();
    const Case cases[] = {
        { "vendor, bin and notes",
            [&](ISGSC& r) {
                r.SetVendor(other);
                r.SetBin("B7");
                r.SetSpecialNotes("n");
            },
            0x40, 0x80 },
        { "thickness 2 counts apart",
            [](ISGSC& r) { r.SetThickness(CDimension::FromUnits(r.GetThickness().GetUnits() + 2)); }, 0x40,
            0x80 },
        { "thickness 3 counts apart",
            [](ISGSC& r) { r.SetThickness(CDimension::FromUnits(r.GetThickness().GetUnits() + 3)); }, 0x48,
            0x81 },
        { "unit cost",
            [](ISGSC& r) {
                const CMoney c = CMoney::FromReal(12.5);
                r.SetUnitCost(&c);
            },
            0x48, 0x81 },
        { "units", [](ISGSC& r) { r.SetPricingScheme(std::make_unique<CSGPSBoard>()); }, 0x48, 0x81 },
        { "off-cut", [](ISGSC& r) { r.SetOffCut(true); }, 0x48, 0x81 },
        { "left/right trim",
            [](ISGSC& r) {
                SheetDimensions s = r.GetSheetDimensions();
                s.SetLeftRightTrim(CDimension::FromInches(0.5));
                r.SetSheetDimensions(s);
            },
            0x48, 0x81 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto a = MakeRow(0.75, 48, 96, m_vendor);
        const auto b = a->Clone();
        c.change(*b);
        EXPECT_EQ(DiffSheetGoodSizeCostMask(*a, *b), c.mask);
        EXPECT_EQ(DiffSheetGoodSizeCostKind(*a, *b), c.kind);
        EXPECT_EQ(SheetGoodSizeCostDiffers(*a, *b), c.kind == 0x81);
    }
    EXPECT_EQ(GetSizeCostAllChangedMask(), 0x48u);

    // Unlimited rows compare equal in inventory whatever count they stored.
    const auto a = MakeRow(0.75, 48, 96, nullptr);
    const auto b = a->Clone();
    a->SetInventory(5);
    a->SetUnlimited();
    b->SetInventory(9);
    b->SetUnlimited();
    EXPECT_FALSE(SheetGoodSizeCostDiffers(*a, *b));
}

TEST_F(SizeCostRowCommandsTest, RowCopyTakesEveryValueAndKeepsTheTarget)
{
    const auto source = MakeRow(0.5, 30, 60, m_vendor);
    source->SetInventory(7);
    source->SetOffCut(true);
    source->SetCanBuyMore(true); // stored while an off-cut, which never buys more
    source->SetBin(QStringLiteral("A1"));
    source->SetSpecialNotes(QStringLiteral("edge"));
    source->SetPricingScheme(std::make_unique<CSGPSSquareMeter>());
    const CMoney cost = CMoney::FromReal(33.25);
    source->SetUnitCost(&cost);

    const auto target = MakeRow(1, 48, 96, nullptr);
    ISGSC& result = CopySheetGoodProperties(*target, *source);
    EXPECT_EQ(&result, target.get());
    EXPECT_TRUE(target->Matches(*source));
    EXPECT_EQ(target->GetVendor(), m_vendor);
    EXPECT_NE(target->GetPricingScheme(), source->GetPricingScheme());
    EXPECT_TRUE(target->GetRecord().GetCanBuyMoreFlag());
    EXPECT_EQ(target->GetInventory(), 7u);

    // From an unlimited source the target is unlimited and may buy more.
    const auto unlimited = MakeRow(1, 48, 96, nullptr);
    unlimited->SetUnlimited();
    unlimited->SetCanBuyMore(false);
    CopySheetGoodProperties(*target, *unlimited);
    EXPECT_TRUE(target->IsUnlimited());
    EXPECT_TRUE(target->GetRecord().GetCanBuyMoreFlag());
}

TEST_F(SizeCostRowCommandsTest, DeletedVendorShowsDeletedAndCopiesKeepTheMark)
{
    EXPECT_EQ(GetRefNameOrDeleted(*m_vendor), QStringLiteral("Acme"));
    m_vendor->SetDeleted(true);
    EXPECT_EQ(GetRefNameOrDeleted(*m_vendor), UiText(kStrDeletedVendor));
    const CVendor copy(*m_vendor);
    EXPECT_EQ(GetRefNameOrDeleted(copy), UiText(kStrDeletedVendor));
    CVendor assigned;
    assigned = *m_vendor;
    EXPECT_TRUE(assigned.IsDeleted());
    CVendor live;
    CopyByteFlag(assigned, live);
    EXPECT_FALSE(assigned.IsDeleted());
    EXPECT_EQ(assigned.GetName(), QStringLiteral("Acme"));
}

TEST_F(SizeCostRowCommandsTest, EditOfTwoCellsIsOneStepOnTheSameRowObject)
{
    const std::shared_ptr<ISGSC> row = Rows()[2];
    const auto edited = row->Clone();
    edited->SetBin(QStringLiteral("Rack 4"));
    edited->SetInventory(12);
    auto command = std::make_shared<SheetGoodRowEditCmd>(m_material, row, edited);
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags() & 0x48, 0x48u);
    GetCmdHistory()->Add(command);

    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1u);
    EXPECT_TRUE(GetUndoMenuText().contains(QStringLiteral("Edit Size-Cost Info")));
    EXPECT_EQ(Rows()[2], row);
    EXPECT_EQ(row->GetBin(), QStringLiteral("Rack 4"));
    EXPECT_EQ(row->GetInventory(), 12u);
    EXPECT_TRUE(m_library->IsModified());

    HistoryUndo();
    EXPECT_EQ(Rows()[2], row);
    EXPECT_TRUE(row->GetBin().isEmpty());
    EXPECT_TRUE(row->IsUnlimited());
    EXPECT_FALSE(m_library->IsModified());

    HistoryRedo();
    EXPECT_EQ(Rows()[2], row);
    EXPECT_EQ(row->GetBin(), QStringLiteral("Rack 4"));
    EXPECT_EQ(row->GetInventory(), 12u);
}

TEST_F(SizeCostRowCommandsTest, DeletedRowsComeBackAfterEveryoneElseLetGo)
{
    std::vector<std::weak_ptr<ISGSC>> watched;
    {
        std::vector<std::shared_ptr<ISGSC>> selected(Rows().begin(), Rows().begin() + 3);
        for (const auto& row : selected)
            watched.push_back(row);
        auto command = std::make_shared<SheetGoodRowDeleteCmd>(m_material, selected);
        GetCmdHistory()->Add(command);
        // The command must keep the rows by itself, not through what its
        // update information happens to list.
        command->ResetUpdateInfo();
    }
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1u);
    EXPECT_TRUE(GetUndoMenuText().contains(QStringLiteral("Delete Size-Cost Info")));
    ASSERT_EQ(Rows().size(), 1u);
    // Only the command holds the deleted rows now.
    for (const auto& weak : watched) {
        ASSERT_FALSE(weak.expired());
        EXPECT_TRUE(weak.lock()->IsRemoved());
    }

    HistoryUndo();
    ASSERT_EQ(Rows().size(), 4u);
    for (std::size_t i = 0; i < watched.size(); ++i) {
        EXPECT_EQ(Rows()[i + 1], watched[i].lock());
        EXPECT_FALSE(Rows()[i + 1]->IsRemoved());
    }
    EXPECT_FALSE(m_library->IsModified());

    HistoryRedo();
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(SizeCostRowCommandsTest, RowNotesGoThroughTheEdit)
{
    const std::shared_ptr<ISGSC> row = Rows()[0];
    row->SetSpecialNotes(QStringLiteral("old"));
    QString offered;
    EXPECT_FALSE(EditRowNote(m_material, row, [&](QString& note) {
        offered = note;
        note = QStringLiteral("ignored");
        return false;
    }));
    EXPECT_EQ(offered, QStringLiteral("old"));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0u);

    EXPECT_TRUE(EditRowNote(m_material, row, [](QString& note) {
        note = QStringLiteral("new");
        return true;
    }));
    EXPECT_EQ(row->GetSpecialNotes(), QStringLiteral("new"));
    EXPECT_TRUE(DeleteRowNote(m_material, row));
    EXPECT_TRUE(row->GetSpecialNotes().isEmpty());
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 2u);
    // Deleting a note that is not there records nothing.
    EXPECT_FALSE(DeleteRowNote(m_material, row));
    EXPECT_FALSE(DeleteRowNote(nullptr, row));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 2u);

    HistoryUndo();
    EXPECT_EQ(row->GetSpecialNotes(), QStringLiteral("new"));
    HistoryUndo();
    EXPECT_EQ(row->GetSpecialNotes(), QStringLiteral("old"));
}

TEST_F(SizeCostRowCommandsTest, AnEditedCopyWithoutChangesIsRecognised)
{
    const std::shared_ptr<ISGSC> row = Rows()[1];
    const auto copy = row->Clone();
    EXPECT_TRUE(IsUnchangedSizeCostEdit(*row, *copy));
    copy->SetBin(QStringLiteral("x"));
    EXPECT_FALSE(IsUnchangedSizeCostEdit(*row, *copy));
    const auto sameName = std::make_shared<CVendor>(*m_vendor);
    const auto other = row->Clone();
    other->SetVendor(sameName);
    EXPECT_FALSE(IsUnchangedSizeCostEdit(*row, *other));
}

} // namespace
