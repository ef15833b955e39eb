#include "TargetTestFixture.h"

#include "foundation/UserPrefsBase.h"
#include "model/IProjectSettingsDoc.h"
#include "model/ProjectSettings.h"
#include "optimization/OptSettingsUpdateInfo.h"
#include "optimization/OptimizationOptionsEditCmd.h"

#include <functional>

namespace {

class SettingsDoc : public IProjectSettingsDoc
{
public:
    const ProjectSettings& GetProjectSettings() const override { return m_settings; }
    void SetProjectSettings(const ProjectSettings& settings) override { m_settings = settings; }

    ProjectSettings m_settings;
};

OptimizationSettings Changed(const std::function<void(OptimizationSettings&)>& change)
{
    OptimizationSettings settings;
    change(settings);
    return settings;
}

} // namespace

TEST_F(TargetTest, ASettingsChangeSendsBackTheTargetsItConcerns)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    AddRow(*oak, 0.75, 48, 96);
    const OptimizationTargetPtr target = Join(AddPart(oak, Inches(0.75)));
    SettingsDoc doc;

    struct Case
    {
        const char* name;
        std::function<void(OptimizationSettings&)> change;
        bool affects;
        std::set<int> codes;
        bool inventoryFirst;
        bool inventoryUsage;
    };
    const Case cases[] = {
        {"nothing", [](OptimizationSettings&) { }, false, {}, false, false},
        {"optionWord1", [](OptimizationSettings& s) { s.optionWord1 = 7; }, false, {1}, false, false},
        {"optionWord2", [](OptimizationSettings& s) { s.optionWord2 = 0; }, false, {2}, false, false},
        {"packing", [](OptimizationSettings& s) { s.packing = 3; }, true, {3}, false, false},
        {"objective", [](OptimizationSettings& s) { s.objective = 2; }, true, {}, false, false},
        {"off-cuts", [](OptimizationSettings& s) { s.useOffCutsFirst = true; }, true, {}, false, true},
        {"inventory", [](OptimizationSettings& s) { s.useInventoryFirst = true; }, true, {}, true, true},
        {"material option", [](OptimizationSettings& s) { s.materialOption = 1; }, true, {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OptimizationSettings old;
        OptimizationOptionsEditCmd command(doc, old, Changed(c.change));
        const auto info = command.GetSettingsUpdateInfo();
        ASSERT_EQ(command.GetUpdateInfo(), info);
        const bool any = std::string(c.name) != "nothing";
        EXPECT_EQ(info->HasChanges(), any);
        EXPECT_EQ(command.GetUpdateHint().GetChangeFlags(), any ? 0x8u : 0u);
        EXPECT_EQ(command.GetUpdateHint().GetDetailFlags(), 0x1u);
        EXPECT_EQ(info->GetChangedCodes(), c.codes);
        EXPECT_EQ(info->AffectsTarget(target), c.affects);
        EXPECT_EQ(info->InventoryFirstChanged(), c.inventoryFirst);
        EXPECT_EQ(info->InventoryUsageChanged(), c.inventoryUsage);
        EXPECT_FALSE(info->NeedsRebuild());
    }
}

TEST_F(TargetTest, TheSettingsCommandPutsTheRecordInTheProjectAndThePreferences)
{
    SettingsDoc doc;
    doc.m_settings.SetProjectName(QStringLiteral("Cabinet"));
    const OptimizationSettings old = Changed([](OptimizationSettings& s) { s.objective = 1; s.packing = 1; });
    doc.SetOptimizationSettings(old);
    const OptimizationSettings next = Changed([](OptimizationSettings& s) {
        s.objective = 2;
        s.packing = 0;
        s.useOffCutsFirst = true;
        s.useInventoryFirst = true;
        s.optionWord2 = 5;
    });
    OptimizationOptionsEditCmd command(doc, old, next);
    EXPECT_EQ(command.GetName(), QStringLiteral("Edit Project Settings"));

    const UserPrefsBase& prefs = *GetUserPrefs();
    auto expectIn = [&](const OptimizationSettings& s) {
        EXPECT_EQ(doc.GetOptimizationSettings(), s);
        EXPECT_EQ(doc.GetProjectSettings().GetProjectName(), QStringLiteral("Cabinet")) << "name stays";
        EXPECT_EQ(prefs.GetInt(3066), static_cast<int>(s.objective));
        EXPECT_EQ(prefs.GetInt(3067), static_cast<int>(s.packing));
        EXPECT_EQ(prefs.GetFlag(2121), s.useOffCutsFirst);
        EXPECT_EQ(prefs.GetFlag(2122), s.useInventoryFirst);
    };
    command.Execute();
    expectIn(next);
    command.Undo();
    expectIn(old);
    command.Redo();
    expectIn(next);
    EXPECT_TRUE(command.CanUndo());
    EXPECT_TRUE(command.CanRedo());
}
