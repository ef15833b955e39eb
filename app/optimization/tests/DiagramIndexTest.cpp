#include "TargetTestFixture.h"

#include "foundation/ColumnLetters.h"
#include "optimization/StackOrders.h"

TEST_F(TargetTest, TargetsAreLetteredByKindNameAndThickness)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    auto ash = AddMaterial(QStringLiteral("Ash"));
    const auto thick = Join(AddPart(oak, Inches(0.75)));
    const auto thin = Join(AddPart(oak, Inches(0.5)));
    const auto ashTarget = Join(AddPart(ash, Inches(1.0)));
    const DiagramIndex& index = GetDiagramIndex();
    EXPECT_EQ(index.FindTargetLetter(ashTarget.get()), QStringLiteral("A"));
    EXPECT_EQ(index.FindTargetLetter(thin.get()), QStringLiteral("B"));
    EXPECT_EQ(index.FindTargetLetter(thick.get()), QStringLiteral("C"));
}

TEST_F(TargetTest, TargetsEquivalentForTheNumberingKeepTheirListOrder)
{
    // Forty targets of materials named alike, at thicknesses within the
    // 2-count tolerance: all equivalent, so the letters follow the list order.
    std::vector<std::shared_ptr<OptTargetBase>> many;
    for (int i = 0; i < 40; ++i) {
        auto pine = AddMaterial(QStringLiteral("Pine"));
        CMilledPart* part = AddPart(pine, CDimension::FromUnits(12288 + (i % 2)));
        many.push_back(MakeOptimizationTarget(MakeCriteriaForPart(*part), m_usage));
    }
    GetDiagramIndex().AssignTargetLetters(many);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(GetDiagramIndex().FindTargetLetter(many[static_cast<std::size_t>(i)].get()), FormatColumnLetters(i + 1));
}

TEST_F(TargetTest, APartListsTheDiagramsItLiesOn)
{
    auto oak = AddMaterial(QStringLiteral("Oak"));
    AddRow(*oak, 0.75, 48, 96);
    CMilledPart* part = AddPart(oak, Inches(0.75), 10);
    CMilledPart* other = AddPart(oak, Inches(0.75), 10);
    const auto target = Join(part);
    Join(other);
    EXPECT_EQ(FormatPartDiagramList(*part), QStringLiteral("TBD")) << "before the first optimization";

    // Stack of 3 with the part twice, then a stack of 1 with it; the other
    // part lies only on a third stack with less waste.
    const StackPtr three = StackFor(target, {part, part}, 3);
    const StackPtr one = StackFor(target, {part, other, other}, 1);
    const StackPtr otherOnly = StackFor(target, {other}, 2);
    GetDiagramIndex().AddTargetResults(target, {one, three});
    target->SetOptimized(true);
    part->SetOptimizerPlacedCopies(7);

    struct Case { bool hideDupes; int maxListed; const char* text; };
    const Case cases[] = {
        {false, 5, "A1, A2, A3, A4"},
        {true, 5, "A1, A2"},
        {false, 2, "A1, A2, ..."},
        {false, 4, "A1, A2, A3, A4"},
    };
    for (const Case& c : cases) {
        m_prefs.prefs->SetFlag(2034, c.hideDupes);
        m_prefs.prefs->SetInt(3086, c.maxListed);
        EXPECT_EQ(FormatPartDiagramList(*part), QString::fromLatin1(c.text)) << c.hideDupes << " " << c.maxListed;
    }
    m_prefs.prefs->SetInt(3086, 5);
    m_prefs.prefs->SetFlag(2034, false);
    EXPECT_EQ(GetDiagramIndex().GetDiagramLabel(one), QStringLiteral("A"));
    EXPECT_EQ(GetDiagramIndex().GetStackTarget(one), target);
    EXPECT_EQ(FormatPartDiagramList(*other), QStringLiteral("Skipped")) << "nothing placed in an optimized target";

    // The stacks change after a manual edit: the part keeps no label of the
    // stack taken out.
    GetDiagramIndex().AddTargetResults(target, {otherOnly, one});
    EXPECT_EQ(FormatPartDiagramList(*part), QStringLiteral("A3"));
    EXPECT_TRUE(GetDiagramIndex().FindDiagramLabel(three).isEmpty());
    EXPECT_THROW(GetDiagramIndex().GetDiagramLabel(three), std::out_of_range);

    StackList stacks {three, otherOnly, one};
    KeepStacksOfSameTarget(stacks, one);
    EXPECT_EQ(stacks, (StackList {otherOnly, one}));

    auto noCopies = MakePart(99, 1, 1, 0, oak);
    EXPECT_TRUE(FormatPartDiagramList(*noCopies).isEmpty());
    auto unspecified = MakePart(98, 1, 1, 3);
    EXPECT_TRUE(FormatPartDiagramList(*unspecified).isEmpty());
}
