#include "ModelTestSupport.h"

#include "model/MaterialCommands.h"
#include "model/ModelStrings.h"
#include "model/VendorCommands.h"

#include <functional>

namespace {

class MaterialCommandsTest : public LibraryTest
{
protected:
    QStringList Names() const
    {
        QStringList names;
        for (const auto& material : m_library->GetMaterials())
            names << material->GetStoredName();
        return names;
    }
    CmdHistory& History() { return *GetCmdHistory(); }
};

TEST_F(MaterialCommandsTest, UniqueNamesCountUpIgnoringCase)
{
    struct Case
    {
        QStringList existing;
        QString wanted;
        QString expected;
    };
    const Case cases[] = {
        { {}, "New", "New" },
        { { "New" }, "New", "New (1)" },
        { { "new", "NEW (1)" }, "New", "New (2)" },
        { { "New (1)" }, "New", "New" },
        { { "Birch", "birch (1)", "Birch (2)" }, "BIRCH", "BIRCH (3)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wanted.toStdString());
        SheetGoodList list;
        for (const QString& name : c.existing)
            list.push_back(std::make_shared<CSheetGoodEx>(name));
        EXPECT_EQ(MakeUniqueName(list, nullptr, c.wanted), c.expected);
    }
    // A name only the material itself bears is free for it.
    SheetGoodList list { std::make_shared<CSheetGoodEx>(QStringLiteral("Oak")) };
    EXPECT_EQ(MakeUniqueName(list, list[0].get(), QStringLiteral("OAK")), QStringLiteral("OAK"));
}

TEST_F(MaterialCommandsTest, NewMaterialGetsUniqueNameAndUndoesWithModifiedFlag)
{
    AddSheetGood(UiText(kStrNewMaterialName));
    AddSheetGood(UiText(kStrNewMaterialName) + QStringLiteral(" (1)"));
    ASSERT_FALSE(m_library->IsModified());

    auto material = AddNewMaterial();
    EXPECT_EQ(material->GetStoredName(), UiText(kStrNewMaterialName) + QStringLiteral(" (2)"));
    EXPECT_EQ(m_library->GetMaterials().back(), material);
    EXPECT_TRUE(m_library->IsModified());

    HistoryUndo();
    EXPECT_EQ(m_library->GetMaterials().size(), 2u);
    EXPECT_TRUE(material->IsPlaceholder());
    EXPECT_FALSE(m_library->IsModified());

    HistoryRedo();
    EXPECT_EQ(m_library->GetMaterials().back(), material);
    EXPECT_FALSE(material->IsPlaceholder());
    EXPECT_TRUE(m_library->IsModified());
}

TEST_F(MaterialCommandsTest, UndoRestoresTheFlagOfItsOwnStepNotFalse)
{
    AddNewMaterial();
    AddNewMaterial();
    HistoryUndo();
    // Undoing the second step leaves the first step's change modified.
    EXPECT_TRUE(m_library->IsModified());
    HistoryUndo();
    EXPECT_FALSE(m_library->IsModified());
}

TEST_F(MaterialCommandsTest, UndoAfterStoreLeavesLibraryModified)
{
    auto material = AddNewMaterial();
    m_library->Store();
    ASSERT_FALSE(m_library->IsModified());
    // Memory now differs from the stored file.
    HistoryUndo();
    EXPECT_TRUE(m_library->IsModified());
    EXPECT_TRUE(m_library->GetMaterials().empty());
}

// Changes that no undo step records stay in memory after an undo: the
// library must stay modified, or they are lost at exit.
TEST_F(MaterialCommandsTest, UndoAfterAnUnrecordedChangeLeavesLibraryModified)
{
    struct Case
    {
        const char* label;
        std::function<void()> change;
    };
    const Case cases[] = {
        { "vendor added on the way", [&] { m_library->FindOrAddVendor(QStringLiteral("Fresh Vendor")); } },
        { "project material joins",
            [&] { ResolvePartMaterial(std::make_shared<CSheetGoodEx>(QStringLiteral("From a project"))); } },
        { "row added without a step",
            [&] { m_library->GetMaterials().front()->AddSizeCostUnrecorded(MakeRow(0.5, 10, 20, nullptr)); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        m_library->SetModified(false);
        AddNewMaterial();
        c.change();
        HistoryUndo();
        EXPECT_TRUE(m_library->IsModified());
    }
}

TEST_F(MaterialCommandsTest, NewRowUndoesAndRedoes)
{
    auto material = AddNewMaterialWithRow();
    ASSERT_EQ(material->GetSizeCosts().size(), 1u);
    auto row = material->GetSizeCosts()[0];
    EXPECT_NEAR(row->GetRoughWidth().GetInches(), 48.0, 1e-9);
    EXPECT_NEAR(row->GetRoughLength().GetInches(), 96.0, 1e-9);

    EXPECT_FALSE(row->IsRemoved());

    // One undo removes the row only: the two commands are two steps. What
    // still holds the row sees it marked removed until the redo.
    HistoryUndo();
    EXPECT_TRUE(material->GetSizeCosts().empty());
    EXPECT_EQ(m_library->GetMaterials().size(), 1u);
    EXPECT_TRUE(row->IsRemoved());
    HistoryRedo();
    ASSERT_EQ(material->GetSizeCosts().size(), 1u);
    EXPECT_EQ(material->GetSizeCosts()[0], row);
    EXPECT_FALSE(row->IsRemoved());
}

TEST_F(MaterialCommandsTest, RenameKeepsNamesUnique)
{
    auto oak = AddSheetGood(QStringLiteral("Oak"));
    AddSheetGood(QStringLiteral("Maple"));

    EXPECT_EQ(MakeRenameCommand(oak, m_library->GetMaterials(), QStringLiteral("maple")), nullptr);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith(QStringLiteral("maple ")));
    EXPECT_EQ(oak->GetStoredName(), QStringLiteral("Oak"));

    // Its own name in other letter case is allowed.
    auto command = MakeRenameCommand(oak, m_library->GetMaterials(), QStringLiteral("OAK"));
    ASSERT_NE(command, nullptr);
    History().Add(command);
    EXPECT_EQ(oak->GetStoredName(), QStringLiteral("OAK"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags() & 521, 521u);
    HistoryUndo();
    EXPECT_EQ(oak->GetStoredName(), QStringLiteral("Oak"));
    EXPECT_FALSE(m_library->IsModified());
    HistoryRedo();
    EXPECT_EQ(oak->GetStoredName(), QStringLiteral("OAK"));
    EXPECT_TRUE(m_library->IsModified());
}

TEST_F(MaterialCommandsTest, EditAndGrainEditUndoAndRedo)
{
    auto material = AddSheetGood(QStringLiteral("Birch"));
    auto edited = material->CloneSheetGood();
    edited->GetSawSetupForEdit().SetKerf(CDimension::FromInches(0.25));
    History().Add(material->CreateEditCommand(edited));
    EXPECT_EQ(material->GetSawSetup().GetKerf().GetUnits(), CDimension::UnitsPerInch / 4);
    HistoryUndo();
    EXPECT_EQ(material->GetSawSetup().GetKerf().GetUnits(), CDimension::UnitsPerInch / 8);
    HistoryRedo();
    EXPECT_EQ(material->GetSawSetup().GetKerf().GetUnits(), CDimension::UnitsPerInch / 4);

    GrainInfo noGrain;
    noGrain.SetHasGrain(false);
    auto grainEdit = material->CreateGrainEdit(noGrain);
    EXPECT_EQ(grainEdit->GetUpdateHint().GetChangeFlags(), 264u);
    History().Add(grainEdit);
    EXPECT_FALSE(material->GetGrainInfo().GetHasGrain());
    HistoryUndo();
    EXPECT_TRUE(material->GetGrainInfo().GetHasGrain());
}

TEST_F(MaterialCommandsTest, VendorCommandsUndoAndRedo)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Lumber Inc"));
    auto material = AddSheetGood(QStringLiteral("Pine"));
    auto row = MakeRow(0.75, 48, 96, vendor);
    material->GetSizeCosts().push_back(row);
    auto contains = [this](const std::shared_ptr<CVendor>& v) {
        const auto& list = m_library->GetVendors();
        return std::find(list.begin(), list.end(), v) != list.end();
    };

    History().Add(std::make_shared<CVendorNew>(vendor));
    EXPECT_TRUE(contains(vendor));
    EXPECT_TRUE(m_library->IsModified());
    HistoryUndo();
    EXPECT_FALSE(contains(vendor));
    EXPECT_TRUE(vendor->IsDeleted());
    EXPECT_FALSE(m_library->IsModified());
    HistoryRedo();
    EXPECT_TRUE(contains(vendor));
    EXPECT_FALSE(vendor->IsDeleted());

    // Each command below starts from an unmodified library (as after a save).
    m_library->SetModified(false);
    auto deleteCommand = std::make_shared<CVendorDelete>(vendor);
    EXPECT_EQ(deleteCommand->GetUpdateHint().GetChangeFlags(), 0x1040u);
    EXPECT_EQ(deleteCommand->GetUpdateHint().GetDetailFlags(), 0x80u);
    History().Add(deleteCommand);
    EXPECT_EQ(row->GetVendor()->GetDisplayName(), UiText(kStrDeletedVendor));
    EXPECT_FALSE(contains(vendor));
    EXPECT_TRUE(m_library->IsModified());
    HistoryUndo();
    EXPECT_EQ(row->GetVendor()->GetDisplayName(), QStringLiteral("Lumber Inc"));
    EXPECT_TRUE(contains(vendor));
    EXPECT_FALSE(m_library->IsModified());
    HistoryRedo();
    EXPECT_TRUE(vendor->IsDeleted());
    EXPECT_FALSE(contains(vendor));
    EXPECT_TRUE(m_library->IsModified());
    HistoryUndo();

    m_library->SetModified(false);
    auto newValues = std::make_shared<CVendor>(*vendor);
    newValues->SetName(QStringLiteral("Lumber Ltd"));
    History().Add(std::make_shared<CVendorEdit>(vendor, newValues));
    EXPECT_EQ(row->GetVendor()->GetName(), QStringLiteral("Lumber Ltd"));
    EXPECT_TRUE(m_library->IsModified());
    HistoryUndo();
    EXPECT_EQ(row->GetVendor()->GetName(), QStringLiteral("Lumber Inc"));
    EXPECT_FALSE(m_library->IsModified());
    HistoryRedo();
    EXPECT_EQ(row->GetVendor()->GetName(), QStringLiteral("Lumber Ltd"));
    EXPECT_TRUE(m_library->IsModified());
}

// A deleted vendor leaves the name list (picking its stale name made a new
// vendor), and relinking a row that refers to it never makes a live vendor
// named after the deletion marker.
TEST_F(MaterialCommandsTest, DeletedVendorLeavesTheNameListAndIsNeverRevived)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Lumber Inc"));
    History().Add(std::make_shared<CVendorNew>(vendor));
    EXPECT_TRUE(m_library->GetVendorNameList().contains(QStringLiteral("Lumber Inc")));
    auto row = MakeRow(0.75, 48, 96, vendor);
    AddSheetGood(QStringLiteral("Pine"))->GetSizeCosts().push_back(row);

    History().Add(std::make_shared<CVendorDelete>(vendor));
    EXPECT_FALSE(m_library->GetVendorNameList().contains(QStringLiteral("Lumber Inc")));
    EXPECT_FALSE(m_library->FindVendor(QStringLiteral("Lumber Inc")));

    row->ResetPinnableID();
    EXPECT_FALSE(m_library->FindVendor(UiText(kStrDeletedVendor)));
    EXPECT_EQ(row->GetVendor(), m_library->FindVendor(QString()));
    HistoryUndo();
    EXPECT_TRUE(m_library->GetVendorNameList().contains(QStringLiteral("Lumber Inc")));
}

TEST_F(MaterialCommandsTest, VendorNameListFollowsRemoveAndRename)
{
    auto vendor = std::make_shared<CVendor>();
    vendor->SetName(QStringLiteral("Lumber Inc"));
    History().Add(std::make_shared<CVendorNew>(vendor));
    auto names = [this] { return m_library->GetVendorNameList(); };
    EXPECT_TRUE(names().contains(QStringLiteral("Lumber Inc")));

    auto newValues = std::make_shared<CVendor>(*vendor);
    newValues->SetName(QStringLiteral("Timber Co"));
    History().Add(std::make_shared<CVendorEdit>(vendor, newValues));
    EXPECT_FALSE(names().contains(QStringLiteral("Lumber Inc")));
    EXPECT_TRUE(names().contains(QStringLiteral("Timber Co")));
    HistoryUndo();
    EXPECT_TRUE(names().contains(QStringLiteral("Lumber Inc")));
    EXPECT_FALSE(names().contains(QStringLiteral("Timber Co")));
    HistoryRedo();

    History().Add(std::make_shared<CVendorDelete>(vendor));
    EXPECT_FALSE(names().contains(QStringLiteral("Timber Co")));
    HistoryUndo();
    EXPECT_TRUE(names().contains(QStringLiteral("Timber Co")));
}

TEST_F(MaterialCommandsTest, ProjectMaterialJoinsLibraryUnlessItHasATwin)
{
    auto library = AddSheetGood(QStringLiteral("Birch"));
    auto sameData = std::make_shared<CSheetGoodEx>(QStringLiteral("birch"));
    EXPECT_EQ(ResolvePartMaterial(sameData), library);

    // Same name, other saw setup: joins under a unique name, no undo step.
    auto otherKerf = std::make_shared<CSheetGoodEx>(QStringLiteral("Birch"));
    otherKerf->GetSawSetupForEdit().SetKerf(CDimension::FromInches(0.2));
    EXPECT_EQ(ResolvePartMaterial(otherKerf), otherKerf);
    EXPECT_EQ(otherKerf->GetStoredName(), QStringLiteral("Birch (1)"));
    EXPECT_EQ(m_library->GetMaterials().back(), otherKerf);
    EXPECT_TRUE(otherKerf->IsPinnableIDSet());
    EXPECT_FALSE(History().CanUndo());

    // By name: the library's material, or the default material.
    auto byName = std::make_shared<CSheetGoodEx>(QStringLiteral("BIRCH"));
    EXPECT_EQ(ResolveMaterialByName(byName), library);
    auto unnamed = std::make_shared<CSheetGoodEx>(QStringLiteral("  "));
    EXPECT_EQ(ResolveMaterialByName(unnamed), GetDefaultMaterial());
    auto notSpecified = std::make_shared<CSheetGoodEx>(QStringLiteral("Not Specified"));
    EXPECT_EQ(ResolveMaterialByName(notSpecified), GetDefaultMaterial());
}

} // namespace
