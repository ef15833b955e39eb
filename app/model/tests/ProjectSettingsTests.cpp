#include "model/IProjectSettingsDoc.h"
#include "model/ProjSettingsEditCmd.h"
#include "model/ProjSettingsUpdateInfo.h"
#include "model/ProjectSettings.h"

#include "ArchiveTestUtil.h"
#include "ModelTestSupport.h"
#include "foundation/tests/FakePrefs.h"

#include <platform/ArchiveError.h>

#include <gtest/gtest.h>

namespace {

void AppendUInt32(Bytes& bytes, std::uint32_t value)
{
    AppendInt32(bytes, static_cast<std::int32_t>(value));
}

// Text as the archive writes it: FF FFFE, a one-byte length, UTF-16 units.
void AppendText(Bytes& bytes, const std::u16string& text)
{
    bytes.insert(bytes.end(), { 0xFF, 0xFE, 0xFF, static_cast<std::uint8_t>(text.size()) });
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
}

OptimizationSettings SampleOptimization()
{
    OptimizationSettings settings;
    settings.objective = 2;
    settings.packing = 3;
    settings.optionWord1 = 7;
    settings.optionWord2 = 0x01020304;
    settings.useOffCutsFirst = true;
    settings.useInventoryFirst = false;
    settings.materialOption = 5;
    return settings;
}

Bytes SampleOptimizationBytes(std::int32_t version = 1)
{
    Bytes bytes;
    AppendInt32(bytes, version);
    for (const std::uint32_t word : { 2u, 3u, 7u, 0x01020304u })
        AppendUInt32(bytes, word);
    bytes.push_back(1);
    bytes.push_back(0);
    AppendUInt32(bytes, 5);
    return bytes;
}

Bytes SampleProjectBytes(std::int32_t schema = 10, std::int32_t optimizationVersion = 1)
{
    Bytes bytes;
    AppendInt32(bytes, schema);
    AppendText(bytes, u"Desk");
    AppendText(bytes, u"Oak\u00e9");
    const Bytes block = SampleOptimizationBytes(optimizationVersion);
    bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

ProjectSettings SampleProject()
{
    ProjectSettings settings;
    settings.SetProjectName(QStringLiteral("Desk"));
    settings.SetNotes(QStringLiteral("Oak\u00e9"));
    settings.SetOptimizationSettings(SampleOptimization());
    return settings;
}

class SettingsDoc : public CountingDoc, public IProjectSettingsDoc
{
public:
    const ProjectSettings& GetProjectSettings() const override { return settings; }
    void SetProjectSettings(const ProjectSettings& value) override
    {
        settings = value;
        ++assignments;
    }
    ProjectSettings settings;
    int assignments = 0;
};

} // namespace

TEST(OptimizationSettings, DefaultsWordsByCodeAndObjectiveTexts)
{
    const OptimizationSettings settings = SampleOptimization();
    const std::pair<int, std::uint32_t> codes[] = { { 0, 0 }, { 1, 7 }, { 2, 0x01020304 }, { 3, 3 }, { 4, 0 } };
    for (const auto& [code, word] : codes)
        EXPECT_EQ(settings.GetWordByCode(code), word) << "code " << code;

    const OptimizationSettings defaults;
    EXPECT_EQ(defaults, (OptimizationSettings { 0, 1, 1, 1, false, false, 0 }));

    const std::pair<std::uint32_t, const char*> texts[] = { { 0, "Minimize Waste." },
        { 1, "Minimize total cost." }, { 2, "Minimize pro-rated cost." }, { 3, "Minimize total cost." },
        { 0xFFFFFFFF, "Minimize total cost." } };
    for (const auto& [objective, text] : texts) {
        OptimizationSettings record;
        record.objective = objective;
        EXPECT_EQ(record.GetObjectiveText(), QString::fromUtf8(text)) << "objective " << objective;
    }
}

TEST(OptimizationSettings, ComparisonsNameWhatChanged)
{
    const OptimizationSettings base;
    OptimizationSettings word1 = base;
    word1.optionWord1 = 2;
    EXPECT_EQ(OptimizationSettingsChangeMask(base, word1), 0x8u);
    EXPECT_EQ(ChangedWordCodes(base, word1), std::set<int> { 1 });
    EXPECT_FALSE(CostBasisChanged(base, word1));
    EXPECT_EQ(OptimizationSettingsChangeMask(base, base), 0u);

    OptimizationSettings offCuts = base;
    offCuts.useOffCutsFirst = true;
    EXPECT_TRUE(InventoryUsageChanged(base, offCuts));
    EXPECT_FALSE(InventoryFirstChanged(base, offCuts));
    EXPECT_TRUE(CostBasisChanged(base, offCuts));

    OptimizationSettings packing = base;
    packing.packing = 0;
    packing.materialOption = 1;
    EXPECT_EQ(ChangedWordCodes(base, packing), std::set<int> { 3 });
    EXPECT_TRUE(MaterialOptionChanged(base, packing));
}

TEST(OptimizationSettings, RecordIsByteExactAndLoadsWhole)
{
    OptimizationSettings settings = SampleOptimization();
    EXPECT_EQ(StoreBytes([&](ArchiveWrapper& ar) { settings.Serialize(ar); }), SampleOptimizationBytes());

    OptimizationSettings loaded;
    LoadBytes(SampleOptimizationBytes(), [&](ArchiveWrapper& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded, settings);

    for (const std::int32_t version : { 0, 2 }) {
        OptimizationSettings refused;
        EXPECT_THROW(LoadBytes(SampleOptimizationBytes(version), [&](ArchiveWrapper& ar) { refused.Serialize(ar); }),
            platform::ArchiveError)
            << "version " << version;
        EXPECT_EQ(refused, OptimizationSettings());
    }
    // Cut before the last word: nothing of the record changes.
    Bytes truncated = SampleOptimizationBytes();
    truncated.resize(truncated.size() - 2);
    OptimizationSettings untouched;
    EXPECT_THROW(LoadBytes(truncated, [&](ArchiveWrapper& ar) { untouched.Serialize(ar); }), platform::ArchiveError);
    EXPECT_EQ(untouched, OptimizationSettings());
}

TEST(ProjectSettings, NewRecordTakesTheOptimizationPreferences)
{
    {
        ScopedFakePrefs prefs;
        prefs.prefs->SetInt(3066, 2);
        prefs.prefs->SetInt(3067, 0);
        prefs.prefs->SetFlag(2121, true);
        prefs.prefs->SetFlag(2122, true);
        ProjectSettings settings;
        settings.SetProjectName(QStringLiteral("x"));
        settings.SetOptimizationSettings(SampleOptimization());
        settings.ResetToDefaults();
        EXPECT_TRUE(settings.GetProjectName().isEmpty());
        EXPECT_TRUE(settings.GetNotes().isEmpty());
        EXPECT_EQ(settings.GetOptimizationSettings(), (OptimizationSettings { 2, 0, 1, 1, true, true, 0 }));
    }
    // Without a preferences store the registered defaults hold.
    EXPECT_EQ(ProjectSettings().GetOptimizationSettings(), (OptimizationSettings { 1, 1, 1, 1, false, false, 0 }));
}

TEST(ProjectSettings, RecordIsByteExactAndRefusesOtherSchemas)
{
    ProjectSettings settings = SampleProject();
    EXPECT_EQ(StoreBytes([&](ArchiveWrapper& ar) { settings.Serialize(ar); }), SampleProjectBytes());

    ProjectSettings loaded;
    LoadBytes(SampleProjectBytes(), [&](ArchiveWrapper& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded, settings);

    const std::pair<std::int32_t, std::int32_t> refused[] = { { 9, 1 }, { 11, 1 }, { 10, 0 }, { 10, 2 } };
    for (const auto& [schema, version] : refused) {
        ProjectSettings record;
        EXPECT_THROW(LoadBytes(SampleProjectBytes(schema, version), [&](ArchiveWrapper& ar) { record.Serialize(ar); }),
            platform::ArchiveError)
            << "schema " << schema << " version " << version;
        EXPECT_EQ(record, ProjectSettings()) << "a refused block leaves name and notes as they were";
    }
}

TEST(ProjectSettings, CurrentSettingsAreTheInstalledRecord)
{
    ProjectSettings settings = SampleProject();
    SetCurrentProjectSettings(&settings);
    EXPECT_EQ(GetCurrentProjectSettings(), &settings);
    SetCurrentProjectSettings(nullptr);
    EXPECT_EQ(GetCurrentProjectSettings(), nullptr);
}

TEST(ProjSettingsEditCmd, DoneUndoneAndRedone)
{
    SettingsDoc doc;
    CreateCmdHistory(&doc);
    const ProjectSettings before = doc.settings;
    const ProjectSettings after = SampleProject();

    auto command = std::make_shared<ProjSettingsEditCmd>(doc, after);
    EXPECT_EQ(command->GetName(), QStringLiteral("Edit Project Settings"));
    EXPECT_EQ(command->GetUpdateHint().GetChangeFlags(), 0u);
    EXPECT_EQ(command->GetUpdateHint().GetDetailFlags(), 0x1u) << "the material option word changed";
    EXPECT_TRUE(command->GetUpdateInfo()->HasChanges());
    EXPECT_FALSE(command->GetUpdateInfo()->AffectsTarget(nullptr));
    EXPECT_FALSE(command->GetUpdateInfo()->NeedsRebuild());

    GetCmdHistory()->Add(command);
    EXPECT_EQ(doc.settings, after);
    HistoryUndo();
    EXPECT_EQ(doc.settings, before);
    HistoryRedo();
    EXPECT_EQ(doc.settings, after);
    EXPECT_EQ(doc.assignments, 3);
    CreateCmdHistory(nullptr);
}

TEST(ProjSettingsEditCmd, NameAndNotesAloneTouchNoResults)
{
    SettingsDoc doc;
    ProjectSettings renamed = doc.settings;
    renamed.SetProjectName(QStringLiteral("Bench"));
    renamed.SetOptimizationSettings([&] {
        OptimizationSettings s = renamed.GetOptimizationSettings();
        s.packing = 3; // the options command reports this one
        return s;
    }());
    ProjSettingsEditCmd command(doc, renamed);
    EXPECT_EQ(command.GetUpdateHint().GetDetailFlags(), 0u);
    EXPECT_FALSE(command.GetUpdateInfo()->HasChanges());
}
