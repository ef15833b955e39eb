// The optimization state in a project file: stored and loaded again it is the
// same state, and a damaged file is refused without touching the state held.
#include "ArchiveProbe.h"
#include "TargetTestFixture.h"

#include "foundation/IdentityMapper.h"
#include "model/CPartID.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/OptimizationStateArchive.h"
#include "optimization/PartNumberLists.h"
#include "optimization/SGBOMLineItem.h"
#include "optimization/TopLevelBOM.h"

#include <platform/ArchiveError.h>

#include <iomanip>
#include <set>
#include <sstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

// What the bill-of-materials manager owns.
struct State
{
    SheetGoodsBOM bom;
    OptTargetsMgr targets;
    PinnedUsage usage;
};

struct Stored
{
    Bytes bytes;
    std::vector<std::size_t> identityOffsets;
};

struct Damage
{
    std::size_t word = 0;
    std::uint32_t value = 0;
};

using WordReads = std::vector<ArchiveProbe::WordRead>;

// Loading numbers what it reads; a state loaded only to look at it must not
// leave its stacks in the program's numbering.
class KeepNumbering
{
public:
    ~KeepNumbering() { GetDiagramIndex() = m_saved; }

private:
    DiagramIndex m_saved = GetDiagramIndex();
};

void DescribeStack(std::ostream& out, const StackPtr& stack)
{
    out << "  stack x" << stack->GetCount() << " style " << stack->GetCurrentGeoStyle() << " pinned "
        << stack->IsPinned() << " label '" << GetDiagramIndex().FindDiagramLabel(stack).toStdString()
        << "' flags";
    for (const DrawnPartFlags& flags : stack->GetAllCopyFlags())
        out << ' ' << flags.IsChecked() << flags.IsOverrideRotation() << flags.IsFancyAnnotationStyle();
    const Diagram& diagram = *stack->GetDiagram();
    const StockSpec& stock = diagram.GetStockSpec();
    const FixedStats& fixed = diagram.GetFixedStats();
    out << "\n   stock " << stock.GetMaterialName().toStdString() << ' ' << stock.GetThickness().GetUnits()
        << ' ' << stock.GetRoughWidth().GetUnits() << 'x' << stock.GetRoughLength().GetUnits() << " type "
        << stock.matType << " fixed " << fixed.GetPartsArea() << ' ' << fixed.GetSheetArea() << ' '
        << fixed.GetPartsPerimeter() << ' ' << fixed.GetStockLength() << '\n';
    for (const auto& [style, parts] : *diagram.GetAltGeometries()) {
        out << "   style " << style << ':';
        for (const DrawnPartPtr& drawn : parts) {
            const platform::Rect& r = drawn->GetSheetRect();
            out << " #" << drawn->GetPart()->GetID().GetNumber() << '(' << r.left << ',' << r.top << ','
                << r.right << ',' << r.bottom << (drawn->IsRotated() ? ",r)" : ")");
        }
        out << '\n';
    }
    for (const auto& [style, stats] : diagram.GetGeoStatsList()) {
        out << "   stats " << style << ':';
        for (bool padded : { true, false })
            out << ' ' << stats.GetCuts(padded).valid << '/' << stats.GetCuts(padded).value << ' '
                << stats.GetCutLength(padded).valid << '/' << stats.GetCutLength(padded).value;
        out << '\n';
    }
}

std::string DescribeTarget(const std::shared_ptr<OptTargetBase>& base)
{
    std::ostringstream out;
    auto target = std::dynamic_pointer_cast<OptimizationTarget>(base);
    out << target->GetCriteria()->GetDisplayText().toStdString() << " optimized " << target->IsOptimized()
        << " parts";
    for (const CMilledPart* part : target->GetParts())
        out << ' ' << part->GetID().GetNumber();
    out << " stock " << target->GetStockList().size() << " pinned " << target->GetPinnedLayouts().size();
    return out.str();
}

// Everything the tests compare, in the state's own order.
std::string Describe(const State& state, const std::vector<CMilledPart*>& parts)
{
    std::ostringstream out;
    out << std::setprecision(17);
    for (unsigned i = 0; i < state.bom.GetCount(); ++i) {
        const MaterialBOMPtr bill = state.bom.GetMaterialBOM(static_cast<int>(i));
        out << "bill " << bill->GetName().toStdString() << " total " << (*bill->GetTotals())[0].AsReal()
            << '\n';
        for (unsigned j = 0; j < bill->GetLineItemCount(); ++j) {
            const auto line = std::dynamic_pointer_cast<SGBOMLineItem>(bill->GetLineItem(j));
            out << " line " << line->GetSizeCost()->GetRoughWidth().GetUnits() << " needed "
                << line->GetQuantityNeeded() << " stock " << line->GetQuantityInStock() << " buy "
                << line->GetQuantityToBuy() << " sheets " << line->GetSheetsNeeded() << '/'
                << line->GetSheetsFromStock() << " layouts " << line->GetLayouts().size() << '\n';
        }
        for (const OptimizationResultsPtr& entry : bill->GetResultsList()) {
            out << " results " << entry->GetName().toStdString() << " of "
                << DescribeTarget(entry->GetTarget()) << " lines " << entry->GetLineItems().size() << '\n';
            for (const StackPtr& stack : entry->GetStacks())
                DescribeStack(out, stack);
        }
    }
    for (const auto& target : state.targets.GetTargetList()) {
        out << "target " << DescribeTarget(target) << '\n';
        for (const StackPtr& stack :
            std::dynamic_pointer_cast<OptimizationTarget>(target)->GetPinnedLayouts())
            DescribeStack(out, stack);
    }
    for (const CMilledPart* part : parts) {
        const auto target = GetDiagramIndex().FindPartTarget(part);
        out << "part " << part->GetID().GetNumber() << " of '"
            << GetDiagramIndex().FindTargetLetter(target.get()).toStdString() << "':";
        if (const DiagramPartEntry* entry = GetDiagramIndex().FindPartEntry(part))
            for (const DiagramStackEntry& e : *entry)
                out << ' ' << GetDiagramIndex().FindDiagramLabel(e.stack).toStdString() << e.ordinal << '@'
                    << e.firstSheet << 'x' << e.copies;
        out << '\n';
    }
    return out.str();
}

class OptimizationStateArchiveTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        m_prefs.prefs->SetFlag(2026, true); // pro-rated line items
        auto birch = AddMaterial(QStringLiteral("Birch"));
        auto maple = AddMaterial(QStringLiteral("Maple"));
        AddRow(*birch, 0.75, 48, 96);
        AddRow(*birch, 0.5, 48, 96);
        AddRow(*maple, 0.75, 48, 96);
        AddRow(*maple, 0.75, 60, 120);
        for (CMilledPart* part : { AddPart(birch, Inches(0.75)), AddPart(birch, Inches(0.75)),
                 AddPart(birch, Inches(0.5)), AddPart(maple, Inches(0.75)), AddPart(maple, Inches(0.75)) })
            m_context->push_back(part);
        CMilledPart* const* p = m_context->data();
        // A part numbered 0, in no target: a damaged part number of 0 still
        // names a part, so that only version words are refused at once.
        AddPart(birch, Inches(2))->GetIDForEdit().SetNumber(0);
        m_context->push_back(m_parts.back().get());

        // Three targets of two materials, every one optimized.
        auto& state = m_state;
        OptimizationTargetPtr a = state.targets.FindOrCreateTargetForPart(*p[0], state.usage);
        a->AddPart(p[0]);
        a->AddPart(p[1]);
        OptimizationTargetPtr b = state.targets.FindOrCreateTargetForPart(*p[2], state.usage);
        b->AddPart(p[2]);
        OptimizationTargetPtr c = state.targets.FindOrCreateTargetForPart(*p[3], state.usage);
        c->AddPart(p[3]);
        c->AddPart(p[4]);

        const StockSpec stockA { a->GetMaterial(), a->GetStockList().at(0), 0 };
        const StockSpec stockB { b->GetMaterial(), b->GetStockList().at(0), 0 };
        const StockSpec stockC { c->GetMaterial(), c->GetStockList().at(0), 0 };
        const StockSpec stockC2 { c->GetMaterial(), c->GetStockList().at(1), 0 };

        // A: a plain stack in two styles, a pinned stack, and a hand-edited one
        // with a part added by hand and per-copy flags of its own.
        StackPtr plain = MakeStack(stockA, { Drawn(p[0], 0, 0, 10, 20) }, 2, { 0, 2 });
        m_pinned = MakeStack(stockA, { Drawn(p[1], 0, 0, 10, 20, true) }, 1);
        m_pinned->Pin(state.usage);
        a->AddPinnedLayout(m_pinned);
        m_edited = MakeStack(stockA, { Drawn(p[0], 0, 0, 10, 20) }, 3, { 0, 2 });
        m_edited->GetDiagram()->PrepareManualGeometry(2);
        m_edited->SetCurrentGeoStyle(GeometryStyles::ManualEdit);
        m_edited->AddDrawnPart(Drawn(p[1], 30, 0, 10, 20));
        m_edited->FindCopyFlags(1)->SetChecked(true);
        m_edited->FindCopyFlags(2)->ToggleOverrideRotation();
        // C: two stacks of one diagram, and a second stock size.
        StackPtr first
            = MakeStack(stockC, { Drawn(p[3], 0, 0, 10, 20), Drawn(p[4], 12, 0, 10, 20) }, 2, { 0 }, true);
        m_sharing = { first,
            std::make_shared<IdenticalDiagramStack>(
                first->GetDiagram(), 1, DrawnPartFlags(true, false, false), 0) };
        StackPtr large = MakeStack(stockC2, { Drawn(p[4], 0, 0, 10, 20) }, 1);

        StoreResults(a, { plain, m_edited, m_pinned });
        StoreResults(b, { MakeStack(stockB, { Drawn(p[2], 0, 0, 10, 20) }, 4) });
        StoreResults(c, { m_sharing[0], m_sharing[1], large });
        for (const auto& target : state.targets.GetTargetList())
            target->SetOptimized(true);
        state.targets.PublishToDiagramIndex();
        state.bom.RegisterResultsForNumbering();
    }

    void StoreResults(const OptimizationTargetPtr& target, const StackList& stacks)
    {
        m_state.bom.GetMaterialBOMForTarget(*target)->SetResults(ResultsFor(target, stacks));
    }

    // The library's materials and rows are known to the mapper, as the
    // project's own copies are once the project file's materials are read.
    void RegisterLibrary(IdentityMapper& mapper) const
    {
        for (const auto& material : m_library->GetMaterials()) {
            mapper.Register(material);
            for (const auto& row : material->GetSizeCosts())
                mapper.Register(row);
        }
    }

    Stored Store(State& state, bool locked, bool libraryKnown = true)
    {
        std::ostringstream out;
        platform::BinaryArchive archive = platform::BinaryArchive::storing(out, "project.kwxe");
        ArchiveProbe ar(archive, &m_doc, &out);
        auto mapper = IdentityMapper::ConstructWithArchive(m_context, ar);
        if (libraryKnown)
            RegisterLibrary(*mapper);
        SerializeOptimizationState(ar, locked, mapper, state.bom, state.targets, state.usage);
        archive.flush();
        const std::string text = out.str();
        return { Bytes(text.begin(), text.end()), ar.Wide() };
    }

    WordReads Load(
        const Bytes& bytes, State& state, bool libraryKnown = true, std::optional<Damage> damage = {})
    {
        platform::BinaryArchive archive = platform::BinaryArchive::loading(bytes, "project.kwxe");
        ArchiveProbe ar(archive, &m_doc);
        if (damage)
            ar.DamageWord(damage->word, damage->value);
        auto mapper = IdentityMapper::ConstructWithArchive(m_context, ar);
        if (libraryKnown)
            RegisterLibrary(*mapper);
        SerializeOptimizationState(ar, true, mapper, state.bom, state.targets, state.usage);
        if (libraryKnown)
            ResolveOptimizationStateReferences(mapper, state.bom, state.targets);
        return ar.WordReads();
    }

    struct Refusal
    {
        platform::ArchiveError::Cause cause = platform::ArchiveError::None;
        std::string fileName;
        bool readAfterDamage = false;
    };
    // Loads into a state of its own; the cause is None when the load went through.
    Refusal TryLoad(const Bytes& bytes, Damage damage)
    {
        const KeepNumbering numbering;
        Refusal refusal;
        State state;
        platform::BinaryArchive archive = platform::BinaryArchive::loading(bytes, "project.kwxe");
        ArchiveProbe ar(archive, &m_doc);
        ar.DamageWord(damage.word, damage.value);
        try {
            auto mapper = IdentityMapper::ConstructWithArchive(m_context, ar);
            RegisterLibrary(*mapper);
            SerializeOptimizationState(ar, true, mapper, state.bom, state.targets, state.usage);
        } catch (const platform::ArchiveError& error) {
            refusal.cause = error.cause();
            refusal.fileName = error.fileName();
        }
        refusal.readAfterDamage = ar.ReadAfterDamage();
        return refusal;
    }

    std::string Describe(const State& state) const { return ::Describe(state, *m_context); }

    // The words a reader checks as versions, counted from the state's objects.
    std::size_t CountSchemaWords() const
    {
        std::set<const void*> lines, targets, stacks, diagrams;
        std::size_t words = 1 + 4 + 1; // the state; the project's bill; the targets' record
        auto addStack = [&](const StackPtr& stack) {
            if (!stacks.insert(stack.get()).second)
                return;
            words += 1 + stack->GetAllCopyFlags().size();
            const Diagram& diagram = *stack->GetDiagram();
            if (!diagrams.insert(&diagram).second)
                return;
            words += 2 + 5 * diagram.GetGeoStatsList().size();
            for (const auto& [style, parts] : *diagram.GetAltGeometries())
                words += parts.size();
        };
        auto addTarget = [&](const OptimizationTargetPtr& target) {
            if (targets.insert(target.get()).second)
                words += 2 + 2; // its own two words, the criteria's and the thickness's
            for (const StackPtr& stack : target->GetPinnedLayouts())
                addStack(stack);
        };
        for (unsigned i = 0; i < m_state.bom.GetCount(); ++i) {
            const MaterialBOMPtr bill = m_state.bom.GetMaterialBOM(static_cast<int>(i));
            words += 4;
            for (unsigned j = 0; j < bill->GetLineItemCount(); ++j)
                if (lines.insert(bill->GetLineItem(j).get()).second)
                    words += 1;
            for (const OptimizationResultsPtr& entry : bill->GetResultsList()) {
                words += 1;
                addTarget(entry->GetTarget());
                for (const StackPtr& stack : entry->GetStacks())
                    addStack(stack);
            }
        }
        for (const auto& target : m_state.targets.GetTargetList())
            addTarget(std::dynamic_pointer_cast<OptimizationTarget>(target));
        return words;
    }

    std::shared_ptr<ProjectPartList> m_context = std::make_shared<ProjectPartList>();
    QuietDoc m_doc;
    State m_state;
    StackPtr m_pinned;
    StackPtr m_edited;
    StackList m_sharing;
};

TEST_F(OptimizationStateArchiveTest, StoredLockedAndLoadedTheStateComparesEqual)
{
    const std::string original = Describe(m_state);
    ASSERT_NE(original.find("style 5: #1(0,0,163840,327680) #2(491520,0,655360,327680)"), std::string::npos)
        << original;
    const Stored stored = Store(m_state, true);

    GetDiagramIndex().Clear(); // as a project is reset before it is read
    State loaded;
    Load(stored.bytes, loaded);
    loaded.targets.PublishToDiagramIndex();
    EXPECT_EQ(Describe(loaded), original);

    // C's first two stacks share one diagram again.
    const StackList& stacksC = loaded.bom.GetMaterialBOM(1)->GetResultsList().at(0)->GetStacks();
    ASSERT_EQ(stacksC.size(), 3u);
    std::set<const Diagram*> diagramsC;
    for (const StackPtr& stack : stacksC)
        diagramsC.insert(stack->GetDiagram().get());
    EXPECT_EQ(diagramsC.size(), 2u);
    // The pinned stack is one object in the results, its line and its target.
    const auto targetA = std::dynamic_pointer_cast<OptimizationTarget>(loaded.targets.GetTargetList().at(0));
    const StackPtr pinned = targetA->GetPinnedLayouts().at(0);
    const auto& stacksA = loaded.bom.GetMaterialBOM(0)->GetResultsList().at(0)->GetStacks();
    EXPECT_NE(std::find(stacksA.begin(), stacksA.end(), pinned), stacksA.end());
    // Storing again writes the same bytes; only the identities differ.
    Stored again = Store(loaded, true);
    ASSERT_EQ(again.bytes.size(), stored.bytes.size());
    ASSERT_EQ(again.identityOffsets, stored.identityOffsets);
    Bytes masked = stored.bytes;
    for (std::size_t offset : stored.identityOffsets)
        for (std::size_t i = 0; i < 8; ++i)
            masked[offset + i] = again.bytes[offset + i];
    const auto differs = std::mismatch(masked.begin(), masked.end(), again.bytes.begin());
    EXPECT_EQ(differs.first, masked.end()) << "first difference at byte " << (differs.first - masked.begin());

    // Each pinned sheet is counted once, after loading and after the restore
    // the document runs on a locked project.
    const IOptimizableSize* pinnedRow = m_pinned->GetStockSpec().size.get();
    EXPECT_EQ(loaded.usage.GetPinnedCount(pinnedRow), 1u);
    loaded.targets.RestoreAfterLoad(loaded.usage, true);
    EXPECT_EQ(loaded.usage, m_state.usage);
}

// A file's own materials and rows are replaced by the mapper's canonical
// objects, and every holder of one object ends up holding the same canonical
// one, however many paths lead to it (a shared diagram, a pinned stack).
TEST_F(OptimizationStateArchiveTest, ResolvedReferencesStayShared)
{
    const Stored stored = Store(m_state, true, false);
    const KeepNumbering numbering;
    State loaded;
    Load(stored.bytes, loaded, false);
    auto mapper = std::make_shared<IdentityMapper>(m_context);
    ResolveOptimizationStateReferences(mapper, loaded.bom, loaded.targets);
    ResolveOptimizationStateReferences(mapper, loaded.bom, loaded.targets);

    for (unsigned i = 0; i < loaded.bom.GetCount(); ++i) {
        const MaterialBOMPtr bill = loaded.bom.GetMaterialBOM(static_cast<int>(i));
        const std::shared_ptr<IOptimizableMaterial> material = bill->GetMaterial();
        EXPECT_NE(material, m_state.bom.GetMaterialBOM(static_cast<int>(i))->GetMaterial());
        for (const OptimizationResultsPtr& entry : bill->GetResultsList()) {
            EXPECT_EQ(entry->GetTarget()->GetMaterial(), material);
            for (const OptimizedLineItemPtr& line : entry->GetLineItems())
                for (const StackPtr& stack : line->GetLayouts()) {
                    EXPECT_EQ(stack->GetStockSpec().material, material);
                    EXPECT_EQ(stack->GetStockSpec().size, line->GetSizeCost());
                }
        }
    }
}

TEST_F(OptimizationStateArchiveTest, StoredUnlockedTheRecordListsOnlyThePinnedTarget)
{
    const Stored stored = Store(m_state, false);
    State loaded;
    Load(stored.bytes, loaded);
    ASSERT_EQ(loaded.targets.GetTargetList().size(), 1u);
    EXPECT_EQ(DescribeTarget(loaded.targets.GetTargetList()[0]),
        DescribeTarget(m_state.targets.GetTargetList()[0]));
    EXPECT_EQ(loaded.bom.GetCount(), 2u) << "the bill is stored all the same";
}

TEST_F(OptimizationStateArchiveTest, EverySchemaWordChangedIsRefused)
{
    const Stored stored = Store(m_state, true);
    State clean;
    const WordReads words = Load(stored.bytes, clean);
    std::size_t schemaWords = 0;
    for (std::size_t k = 0; k < words.size(); ++k) {
        // Refused at once (no further read) as a bad schema: a version word.
        // Anything else is refused later, or read.
        const Refusal zero = TryLoad(stored.bytes, Damage { k, 0 });
        if (zero.cause != platform::ArchiveError::BadSchema || zero.readAfterDamage)
            continue;
        ++schemaWords;
        EXPECT_EQ(zero.fileName, "project.kwxe");
        const std::int64_t version = words[k].value;
        EXPECT_TRUE(version == 1 || version == 2) << "word " << k;
        const Refusal above = TryLoad(stored.bytes, Damage { k, static_cast<std::uint32_t>(version + 1) });
        EXPECT_EQ(above.cause, platform::ArchiveError::BadSchema) << "word " << k;
        EXPECT_FALSE(above.readAfterDamage) << "word " << k;
    }
    EXPECT_EQ(schemaWords, CountSchemaWords());
}

TEST_F(OptimizationStateArchiveTest, DamagedOrTruncatedRecordsAreRefusedAndTheStateIsKept)
{
    const std::string original = Describe(m_state);
    // Every truncation, with the materials and rows written into the record too.
    const Stored full = Store(m_state, true, false);
    {
        const KeepNumbering numbering;
        State scratch;
        Load(full.bytes, scratch, false);
    }
    for (std::size_t size = 0; size < full.bytes.size(); ++size) {
        const Bytes truncated(full.bytes.begin(), full.bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(Load(truncated, m_state, false), platform::ArchiveError) << size << " bytes";
    }
    EXPECT_EQ(Describe(m_state), original);

    // Every count of the record's lists damaged to 2^31, and any other word
    // so damaged refused or read, never anything worse.
    const Stored stored = Store(m_state, true);
    WordReads words;
    {
        const KeepNumbering numbering;
        State scratch;
        words = Load(stored.bytes, scratch);
    }
    std::size_t counts = 0;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const Damage damage { k, 0x80000000u };
        if (words[k].isCount) {
            ++counts;
            EXPECT_THROW(Load(stored.bytes, m_state, true, damage), platform::ArchiveError) << "word " << k;
        } else {
            TryLoad(stored.bytes, damage);
        }
    }
    EXPECT_GE(counts, 20u);
    EXPECT_EQ(Describe(m_state), original);
}

// A target names its parts by number; a number that names no part of the
// project is a damaged file, refused before the state held is touched.
TEST_F(OptimizationStateArchiveTest, ATargetNamingAnUnknownPartIsRefused)
{
    const Stored stored = Store(m_state, true);
    const std::string original = Describe(m_state);
    CMilledPart* part = m_context->at(4); // in target C only
    part->GetIDForEdit().SetNumber(50);
    const KeepNumbering numbering;
    State loaded;
    try {
        Load(stored.bytes, loaded);
        ADD_FAILURE() << "a target naming part 5 was loaded without it";
    } catch (const platform::ArchiveError& error) {
        EXPECT_EQ(error.cause(), platform::ArchiveError::BadSchema);
        EXPECT_EQ(error.fileName(), "project.kwxe");
    }
    part->GetIDForEdit().SetNumber(5);
    EXPECT_EQ(Describe(m_state), original);

    // The same record loads once the part is back.
    State again;
    EXPECT_NO_THROW(Load(stored.bytes, again));
}

} // namespace

namespace {

// The manager stores its state as above and takes the lock flag over from
// the file, both ways.
TEST_F(OptimizationStateArchiveTest, TheManagerTakesTheLockFlagFromItsRecord)
{
    for (const std::uint8_t locked : {std::uint8_t(1), std::uint8_t(0)}) {
        SCOPED_TRACE(int(locked));
        const KeepNumbering numbering;
        BOMOptMgr stored;
        std::ostringstream out;
        {
            platform::BinaryArchive archive = platform::BinaryArchive::storing(out, "project.kwxe");
            ArchiveProbe ar(archive, &m_doc, &out);
            stored.Serialize(ar, locked, IdentityMapper::ConstructWithArchive(m_context, ar));
            archive.flush();
        }
        EXPECT_EQ(stored.IsProjectLocked(), locked != 0);
        const std::string text = out.str();
        const Bytes bytes(text.begin(), text.end());

        BOMOptMgr loaded;
        if (!locked)
            loaded.RemapReferences(std::make_shared<IdentityMapper>()); // starts locked
        platform::BinaryArchive archive = platform::BinaryArchive::loading(bytes, "project.kwxe");
        ArchiveProbe ar(archive, &m_doc);
        loaded.Serialize(ar, locked, IdentityMapper::ConstructWithArchive(m_context, ar));
        EXPECT_EQ(loaded.IsProjectLocked(), locked != 0);
    }
}

} // namespace
