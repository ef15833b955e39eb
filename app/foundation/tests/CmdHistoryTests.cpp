#include "foundation/CmdHistory.h"
#include "foundation/IDoc.h"
#include "foundation/TCPResource.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A document that keeps one value list and records what the history asked of it.
class FakeDoc : public IDoc
{
public:
    std::vector<int> values;
    bool locked = false;
    int flushes = 0;
    std::vector<uint64_t> flushedChangeMasks;
    std::vector<std::string> calls;
    UpdateHint pending { 0, 0 };

    bool IsProjectLocked() const override { return locked; }
    void FlushPendingUpdate() override
    {
        ++flushes;
        flushedChangeMasks.push_back(pending.GetChangeFlags());
        pending.Clear();
    }
    void AddPendingUpdate(const UpdateHint& hint) override { pending.Merge(hint); }
    void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo>) override { calls.push_back("freeze"); }
    void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo>) override { calls.push_back("material"); }
    void RefreshBOM() override { calls.push_back("refresh"); }
    bool SyncMaterialsLibrary() override { return true; }
};

// Appends a value; undo takes it off again.
class AppendCmd : public CommandBase
{
public:
    AppendCmd(int value, QString name = QStringLiteral("Append"), uint64_t changeMask = 0x1)
        : CommandBase(changeMask, 0)
        , m_value(value)
        , m_name(std::move(name))
    { }

    QString GetName() const override { return m_name; }
    void Execute() override
    {
        if (failExecute)
            throw std::runtime_error("refused");
        Doc().values.push_back(m_value);
        if (nested) {
            try {
                GetCmdHistory()->Add(nested);
            } catch (const std::runtime_error&) {
                if (!swallowNestedFailure)
                    throw;
            }
        }
    }
    void Undo() override
    {
        auto& values = Doc().values;
        values.erase(std::find(values.rbegin(), values.rend(), m_value).base() - 1);
        if (addedOnUndo)
            GetCmdHistory()->Add(addedOnUndo);
    }
    void Redo() override
    {
        Doc().values.push_back(m_value);
        if (addedOnRedo)
            GetCmdHistory()->Add(addedOnRedo);
    }
    bool CanUndo() const override { return undoable; }

    bool failExecute = false;
    bool undoable = true;
    bool swallowNestedFailure = false;
    std::shared_ptr<CommandBase> nested;
    std::shared_ptr<CommandBase> addedOnUndo;
    std::shared_ptr<CommandBase> addedOnRedo;

private:
    FakeDoc& Doc() { return *static_cast<FakeDoc*>(GetTarget()); }
    int m_value;
    QString m_name;
};

std::shared_ptr<AppendCmd> Append(int value, QString name = QStringLiteral("Append"))
{
    return std::make_shared<AppendCmd>(value, std::move(name));
}

class CmdHistoryTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateCmdHistory(&doc); }
    void TearDown() override { CreateCmdHistory(nullptr); }
    CmdHistory& history() { return *GetCmdHistory(); }

    FakeDoc doc;
};

} // namespace

TEST_F(CmdHistoryTest, DoUndoRedoOneCommand)
{
    auto cmd = Append(7);
    history().Add(cmd);
    EXPECT_EQ(doc.values, std::vector<int> { 7 });
    EXPECT_EQ(cmd->GetState(), CommandBase::Executed);
    EXPECT_EQ(cmd->GetTarget(), &doc);
    EXPECT_TRUE(history().CanUndo());
    EXPECT_FALSE(history().CanRedo());

    HistoryUndo();
    EXPECT_TRUE(doc.values.empty());
    EXPECT_EQ(cmd->GetState(), CommandBase::Undone);
    EXPECT_FALSE(history().CanUndo());
    EXPECT_TRUE(history().CanRedo());

    HistoryRedo();
    EXPECT_EQ(doc.values, std::vector<int> { 7 });
    EXPECT_EQ(cmd->GetState(), CommandBase::Redone);
    EXPECT_EQ(doc.flushes, 3);
}

TEST_F(CmdHistoryTest, AddAfterUndoDropsRedoTail)
{
    history().Add(Append(1));
    history().Add(Append(2));
    HistoryUndo();
    HistoryUndo();
    history().Add(Append(3));
    EXPECT_EQ(doc.values, std::vector<int> { 3 });
    EXPECT_EQ(history().GetStepCount(), 1u);
    EXPECT_FALSE(history().CanRedo());
    HistoryRedo(); // nothing left to redo
    EXPECT_EQ(doc.values, std::vector<int> { 3 });
}

TEST_F(CmdHistoryTest, NamedScopeIsOneStepAndOneUpdate)
{
    history().Add(Append(1));
    const int flushesBefore = doc.flushes;
    {
        auto scope = history().OpenNamedScope(QStringLiteral("Paste Rows"));
        history().Add(std::make_shared<AppendCmd>(2, QStringLiteral("a"), 0x8));
        history().Add(std::make_shared<AppendCmd>(3, QStringLiteral("b"), 0x40));
        EXPECT_TRUE(history().IsExecuting());
        EXPECT_EQ(doc.flushes, flushesBefore);
    }
    EXPECT_FALSE(history().IsExecuting());
    ASSERT_EQ(doc.flushes, flushesBefore + 1);
    EXPECT_EQ(doc.flushedChangeMasks.back(), 0x48u);
    EXPECT_EQ(history().GetStepCount(), 2u);
    EXPECT_EQ(history().GetOpenCompound()->GetName(), QStringLiteral("Paste Rows"));

    HistoryUndo();
    EXPECT_EQ(doc.values, std::vector<int> { 1 });
    EXPECT_EQ(doc.flushes, flushesBefore + 2); // children each dispatch, views updated once
    HistoryRedo();
    EXPECT_EQ(doc.values, (std::vector<int> { 1, 2, 3 }));
}

TEST_F(CmdHistoryTest, CommandAddedDuringExecuteJoinsOpenStep)
{
    auto outer = Append(1, QStringLiteral("Outer"));
    outer->nested = Append(2, QStringLiteral("Inner"));
    history().Add(outer);
    EXPECT_EQ(doc.values, (std::vector<int> { 1, 2 }));
    EXPECT_EQ(history().GetStepCount(), 1u);
    EXPECT_EQ(history().GetOpenCompound()->GetChildren().size(), 2u);
    EXPECT_EQ(doc.flushes, 1);
    HistoryUndo();
    EXPECT_TRUE(doc.values.empty());
}

// The step being undone or redone is the open compound, so a command added by
// a child joins it while the step walks its children.
TEST_F(CmdHistoryTest, CommandAddedDuringUndoOrRedoDoesNotBreakTheWalk)
{
    auto first = Append(1);
    auto second = Append(2);
    {
        auto scope = history().OpenNamedScope(QStringLiteral("Group"));
        history().Add(first);
        history().Add(second);
    }
    second->addedOnUndo = Append(8, QStringLiteral("Side"));
    HistoryUndo();
    EXPECT_EQ(doc.values, std::vector<int> { 8 });
    EXPECT_EQ(history().GetOpenCompound()->GetChildren().size(), 3u);
    EXPECT_FALSE(history().IsExecuting());

    first->addedOnRedo = Append(9, QStringLiteral("Side"));
    HistoryRedo();
    EXPECT_EQ(doc.values, (std::vector<int> { 8, 1, 9, 2, 8 }));
    EXPECT_EQ(history().GetOpenCompound()->GetChildren().size(), 4u);
}

TEST_F(CmdHistoryTest, NotRecordedCommandLeavesHistoryAlone)
{
    history().Add(Append(1, QStringLiteral("First")));
    auto quiet = Append(2);
    quiet->SetNotRecorded();
    const QString undoText = GetUndoMenuText();
    history().Add(quiet);
    EXPECT_EQ(doc.values, (std::vector<int> { 1, 2 }));
    EXPECT_EQ(history().GetStepCount(), 1u);
    EXPECT_FALSE(history().CanRedo());
    EXPECT_EQ(GetUndoMenuText(), undoText);
    EXPECT_EQ(history().GetOpenCompound()->GetChildren().size(), 1u);
}

TEST_F(CmdHistoryTest, StepThatCannotUndoStaysPut)
{
    auto stubborn = Append(1);
    stubborn->undoable = false;
    history().Add(stubborn);
    HistoryUndo();
    EXPECT_EQ(doc.values, std::vector<int> { 1 });
    EXPECT_TRUE(history().CanUndo());
    EXPECT_FALSE(history().CanRedo());
}

TEST_F(CmdHistoryTest, FailingCommandLeavesNoStepOfItsOwn)
{
    history().Add(Append(1));
    auto bad = Append(2);
    bad->failExecute = true;
    const int flushesBefore = doc.flushes;
    EXPECT_THROW(history().Add(bad), std::runtime_error);
    EXPECT_FALSE(history().IsExecuting());
    EXPECT_EQ(doc.flushes, flushesBefore + 1); // the outermost run still flushed
    EXPECT_EQ(bad->GetState(), CommandBase::New);
    EXPECT_EQ(history().GetStepCount(), 1u);

    HistoryUndo(); // undoes the edit before, not the failed one
    EXPECT_TRUE(doc.values.empty());
    EXPECT_FALSE(history().CanUndo());
}

TEST_F(CmdHistoryTest, FailureInsideNamedScopeKeepsEarlierEditsUndoable)
{
    {
        auto scope = history().OpenNamedScope(QStringLiteral("Group"));
        history().Add(Append(1));
        auto bad = Append(2);
        bad->failExecute = true;
        EXPECT_THROW(history().Add(bad), std::runtime_error);
        EXPECT_EQ(history().GetDepth(), 1);
        history().Add(Append(3));
    }
    ASSERT_EQ(history().GetStepCount(), 1u);
    EXPECT_EQ(history().GetOpenCompound()->GetChildren().size(), 2u);
    HistoryUndo();
    EXPECT_TRUE(doc.values.empty());
    HistoryRedo();
    EXPECT_EQ(doc.values, (std::vector<int> { 1, 3 }));
}

TEST_F(CmdHistoryTest, NamedScopeWhoseOnlyCommandFailedLeavesNoStep)
{
    history().Add(Append(1, QStringLiteral("Before")));
    {
        auto scope = history().OpenNamedScope(QStringLiteral("Group"));
        auto bad = Append(2);
        bad->failExecute = true;
        EXPECT_THROW(history().Add(bad), std::runtime_error);
    }
    EXPECT_EQ(history().GetStepCount(), 1u);
    HistoryUndo(); // acts on "Before"
    EXPECT_TRUE(doc.values.empty());

    // A scope that simply ran nothing keeps its (empty) step as before.
    {
        auto scope = history().OpenNamedScope(QStringLiteral("Nothing"));
    }
    EXPECT_EQ(history().GetStepCount(), 1u);
    EXPECT_TRUE(history().CanUndo());
}

TEST_F(CmdHistoryTest, FailingNestedCommandLeavesOnlyWhatSucceeded)
{
    struct Case
    {
        bool outerSurvives;
        size_t steps;
        size_t children;
    };
    for (const Case c : { Case { true, 1, 1 }, Case { false, 0, 0 } }) {
        SCOPED_TRACE(c.outerSurvives);
        CreateCmdHistory(&doc);
        doc.values.clear();
        auto outer = Append(1, QStringLiteral("Outer"));
        auto inner = Append(2);
        inner->failExecute = true;
        outer->nested = inner;
        outer->swallowNestedFailure = c.outerSurvives;
        if (c.outerSurvives) {
            history().Add(outer);
        } else {
            EXPECT_THROW(history().Add(outer), std::runtime_error);
        }
        EXPECT_EQ(history().GetStepCount(), c.steps);
        if (c.steps != 0) {
            EXPECT_EQ(history().GetOpenCompound()->GetChildren().size(), c.children);
        }
        HistoryUndo();
        EXPECT_EQ(doc.values.empty(), c.outerSurvives);
    }
}

TEST_F(CmdHistoryTest, DropOpenCompoundRemovesLastStepAndRedoTail)
{
    history().Add(Append(1, QStringLiteral("One")));
    history().Add(Append(2, QStringLiteral("Two")));
    history().Add(Append(3, QStringLiteral("Three")));
    HistoryUndo(); // "Three" is now in the redo tail and the open compound
    history().Add(Append(4, QStringLiteral("Four")));
    history().DropOpenCompound();
    EXPECT_EQ(history().GetStepCount(), 2u);
    EXPECT_FALSE(history().CanRedo());
    HistoryUndo(); // acts on "Two"
    EXPECT_EQ(history().GetOpenCompound()->GetName(), QStringLiteral("Two"));
    EXPECT_TRUE(history().CanUndo());
    EXPECT_TRUE(history().CanRedo());
}

TEST_F(CmdHistoryTest, UnrecordedScopeRunsButRecordsNothing)
{
    history().Add(Append(1, QStringLiteral("Kept")));
    auto info = std::make_shared<DefaultUpdateInfo>();
    {
        auto scope = history().OpenUnrecordedScope(0x800009, 0x2, info);
        history().Add(Append(2));
        history().Add(Append(3));
    }
    EXPECT_EQ(doc.values, (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(history().GetStepCount(), 1u);
    EXPECT_EQ(doc.flushedChangeMasks.back(), 0x800009u | 0x1u);
    // The scope's payload reaches the document when the scope ends.
    EXPECT_EQ(doc.calls, (std::vector<std::string> { "freeze", "refresh" }));

    history().Add(Append(4, QStringLiteral("Next")));
    EXPECT_EQ(history().GetStepCount(), 2u);
    EXPECT_EQ(history().GetOpenCompound()->GetChildren().size(), 1u);
}

TEST_F(CmdHistoryTest, PayloadReachesDocumentAsLockAllows)
{
    struct Case
    {
        bool locked;
        bool flag1;
        bool flag12;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        { false, true, false, { "freeze" } },
        { true, true, false, {} },
        { false, false, true, { "refresh" } },
        { true, false, true, { "refresh" } },
        { false, true, true, { "freeze", "refresh" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.locked) + std::to_string(c.flag1) + std::to_string(c.flag12));
        doc.calls.clear();
        doc.locked = c.locked;
        auto info = std::make_shared<ManualUpdateInfo>();
        info->SetFlag1(c.flag1);
        info->SetFlag12(c.flag12);
        auto cmd = Append(0);
        cmd->SetUpdateInfo(info);
        history().Add(cmd);
        EXPECT_EQ(doc.calls, c.calls);
    }
}

TEST_F(CmdHistoryTest, ClearRemovesEverySteps)
{
    history().Add(Append(1));
    history().Add(Append(2));
    HistoryUndo();
    history().Clear();
    EXPECT_EQ(history().GetStepCount(), 0u);
    EXPECT_FALSE(history().CanUndo());
    EXPECT_FALSE(history().CanRedo());
}

TEST_F(CmdHistoryTest, MenuTextsNameTheStepUndoOrRedoWouldActOn)
{
    InitUIStrings(QString(), { FoundationStringResources() });

    auto texts = [this] { return std::pair(GetUndoMenuText(), GetRedoMenuText()); };
    using Texts = std::pair<QString, QString>;
    EXPECT_EQ(texts(), Texts(QStringLiteral("Can't Undo"), QStringLiteral("Can't Redo")));

    history().Add(Append(1, QStringLiteral("Delete Part")));
    {
        auto scope = history().OpenNamedScope(QStringLiteral("Paste Rows"));
        history().Add(Append(2, QStringLiteral("ignored")));
    }
    EXPECT_EQ(texts(), Texts(QStringLiteral("&Undo Paste Rows\tCtrl+Z"), QStringLiteral("Can't Redo")));
    HistoryUndo();
    EXPECT_EQ(texts(),
        Texts(QStringLiteral("&Undo Delete Part\tCtrl+Z"), QStringLiteral("&Redo Paste Rows\tCtrl+Y")));
    HistoryUndo();
    EXPECT_EQ(texts(), Texts(QStringLiteral("Can't Undo"), QStringLiteral("&Redo Delete Part\tCtrl+Y")));
    history().Add(Append(3, QStringLiteral("Move")));
    EXPECT_EQ(texts(), Texts(QStringLiteral("&Undo Move\tCtrl+Z"), QStringLiteral("Can't Redo")));

    InstallResources(nullptr);
}

TEST(ComposeMenuText, PutsNameBeforeTheTab)
{
    struct Case
    {
        const char* menuTemplate;
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        { "&Undo\tCtrl+Z", "Delete Part", "&Undo Delete Part\tCtrl+Z" },
        { "&Redo\tCtrl+Y", "", "&Redo \tCtrl+Y" },
        { "Undo", "Move", "Undo Move" },
        { "A\tB\tC", "N", "A N\tB\tC" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menuTemplate);
        EXPECT_EQ(ComposeMenuText(QString::fromUtf8(c.menuTemplate), QString::fromUtf8(c.name)),
            QString::fromUtf8(c.expected));
    }
}

TEST(DocConverter, NullUntilInstalled)
{
    struct Converter : IDynamicDocConverter
    {
        IDoc* doc = nullptr;
        IDoc* Convert(QObject*) override { return doc; }
        IDoc* ConvertDocument(QObject*) override { return doc; }
    };
    SetDocConverter(nullptr);
    EXPECT_EQ(InvokeDocConverter(nullptr), nullptr);
    FakeDoc doc;
    auto converter = std::make_shared<Converter>();
    converter->doc = &doc;
    SetDocConverter(converter);
    EXPECT_EQ(InvokeDocConverter(nullptr), &doc);
    SetDocConverter(nullptr);
}
