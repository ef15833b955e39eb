#include "document/DocumentStrings.h"
#include "document/SaveModified.h"
#include "FakeDocumentShell.h"

#include "foundation/TCPResource.h"
#include "model/ModelStrings.h"

#include <platform/ui/Document.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SaveModifiedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitUIStrings(m_languageFolder.path(),
                      {FoundationStringResources(), ModelStringResources(), DocumentStringResources()});
    }
    QTemporaryDir m_languageFolder;
};

TEST_F(SaveModifiedTest, AnswersDecideWhetherTheCallerGoesOn)
{
    const struct {
        IDocumentShell::Answer answer;
        bool saveSucceeds;
        bool goesOn;
        int saves;
    } cases[] = {
        {IDocumentShell::Answer::Yes, true, true, 1},
        {IDocumentShell::Answer::Yes, false, false, 1},
        {IDocumentShell::Answer::No, true, true, 0},
        {IDocumentShell::Answer::Cancel, true, false, 0},
    };
    for (const auto& c : cases) {
        platform::Document doc;
        doc.SetPathName(QStringLiteral("/tmp/shop/Bench.kwxe"), false);
        doc.SetModifiedFlag();
        FakeDocumentShell shell;
        shell.answer = c.answer;
        int saves = 0;
        EXPECT_EQ(AskToSaveChanges(doc, &shell, [&] { ++saves; return c.saveSucceeds; }), c.goesOn);
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(shell.questions, QStringList{QStringLiteral("Save changes to Bench.kwxe?")});
    }
}

TEST_F(SaveModifiedTest, UnmodifiedAsksNothingAndUntitledIsNamed)
{
    platform::Document doc;
    FakeDocumentShell shell;
    EXPECT_TRUE(AskToSaveChanges(doc, &shell, [] { return false; }));
    EXPECT_TRUE(shell.questions.isEmpty());

    doc.SetModifiedFlag();
    EXPECT_FALSE(AskToSaveChanges(doc, nullptr, [] { return true; }));  // nobody to ask: keep it open
    AskToSaveChanges(doc, &shell, {});
    doc.SetTitle(QStringLiteral("A #1"));
    AskToSaveChanges(doc, &shell, {});
    EXPECT_EQ(shell.questions,
              (QStringList{QStringLiteral("Save changes to Untitled?"), QStringLiteral("Save changes to A #1?")}));
}

}  // namespace
