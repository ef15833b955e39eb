#include "document/DocumentErrorRecord.h"
#include "document/DocumentStrings.h"
#include "FakeDocumentShell.h"

#include "foundation/FutureSchemaException.h"
#include "foundation/TCPResource.h"
#include "model/ModelStrings.h"
#include "model/ModelUiHook.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DocumentErrorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitUIStrings(m_languageFolder.path(),
                      {FoundationStringResources(), ModelStringResources(), DocumentStringResources()});
        m_previous = SetModelMessageHook([this](const QString& text) { m_shown.push_back(text); });
        TheDocumentErrorRecord().Reset();
    }
    void TearDown() override { SetModelMessageHook(m_previous); }

    QTemporaryDir m_languageFolder;
    ModelMessageHook m_previous;
    QStringList m_shown;
};

TEST_F(DocumentErrorTest, NewerFileNamesBothVersionsAndIsNotDowngradedByALaterFailure)
{
    DocumentErrorRecord& record = TheDocumentErrorRecord();
    record.RecordNewerFile(FutureSchemaException(QStringLiteral("9.2"), QStringLiteral("8.1"), QString()),
                           QStringLiteral("Kerfwell"));
    record.RecordReadError();  // the same load breaks off afterwards
    EXPECT_EQ(record.kind, DocumentErrorKind::NewerFile);
    ReportDocumentError();
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown.front(),
              QStringLiteral("The file you are trying to open was created with Kerfwell Plus version 9.2.\n"
                             "You currently have installed Kerfwell Plus version 8.1.\n"
                             "In order to open this document, please install an updated version of the program."));
}

TEST_F(DocumentErrorTest, ReadErrorShowsAR101AndNoErrorShowsNothing)
{
    ReportDocumentError();
    EXPECT_TRUE(m_shown.isEmpty());
    TheDocumentErrorRecord().RecordReadError();
    ReportDocumentError();
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown.front(),
              QStringLiteral("AR-101: Error reading document: file is either corrupted or has an unknown version number."));
}

TEST_F(DocumentErrorTest, DeliveryIsQueuedToTheMainFrameOrShownAtOnceWithoutOne)
{
    TheDocumentErrorRecord().RecordReadError();
    FakeDocumentShell shell;
    DeliverDocumentError(&shell);
    EXPECT_TRUE(m_shown.isEmpty());  // the frame shows it once the load has unwound
    EXPECT_EQ(shell.events, QStringList{QStringLiteral("postError")});

    shell.hasMainFrame = false;
    DeliverDocumentError(&shell);
    DeliverDocumentError(nullptr);
    EXPECT_EQ(m_shown.size(), 2);
}

}  // namespace
