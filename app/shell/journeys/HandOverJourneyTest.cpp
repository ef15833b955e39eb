// A second start hands its file to the running program over the
// single-instance socket while the project there has unsaved changes, or
// while an optimization runs. The save prompt is a real message box with its
// own event loop, answered by a click, as the user answers it.
#include "JourneyTestSupport.h"
#include "HandOverTestSupport.h"
#include "PrintTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"
#include "shell/SingleInstance.h"

#include "document/CKWLDoc.h"
#include "optimization/RunProgressDialog.h"
#include "output/print/ui/CPrintCommands.h"
#include "output/print/ui/CTPPrintPreviewBar.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFile>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <ostream>

namespace {

class HandOverJourney : public JourneyTest
{
protected:
    void SetUp() override
    {
        JourneyTest::SetUp();
        SetQuestionFunction([this](const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
            m_messages << text;
            m_askedInsideAnotherDialog = m_askedInsideAnotherDialog || QApplication::activeModalWidget() != nullptr;
            m_askedDuringRun = m_askedDuringRun || (m_app && m_app->GetDocument()->GetProgressDialog());
            QMessageBox box(icon, QStringLiteral("Kerfwell Plus Solo"), text, buttons);
            box.setObjectName(QLatin1String(kAnsweredByTheTest));
            const QMessageBox::StandardButton answer = m_answer;
            QTimer::singleShot(100, &box, [&box, answer] {
                if (QAbstractButton* button = box.button(answer))
                    button->click();
            });
            box.exec();
            return answer;
        });
    }

    void TearDown() override
    {
        if (m_realMaker)
            SetRunProgressDialogMaker(m_realMaker);
        JourneyTest::TearDown();
    }

    // The project to hand over, saved with the three typed parts; the same
    // project saved again as the current one, and a fourth part typed that
    // is not saved.
    void PrepareProjects()
    {
        StartProgram();
        ASSERT_NO_FATAL_FAILURE(TypeParts());
        m_chosenPath = m_handed;
        ASSERT_TRUE(Choose(ShellCommand::FileSaveAs));
        m_chosenPath = m_current;
        ASSERT_TRUE(Choose(ShellCommand::FileSaveAs));
        m_saved = ReadFile(m_current);
        ASSERT_NO_FATAL_FAILURE(TypePart(QStringLiteral("Door\t1\t1/2\t20\t30\tP\n")));
        ASSERT_EQ(PartCount(), 4);
        ASSERT_TRUE(m_app->GetDocument()->IsModified());
        m_chosenPath.clear();
        m_messages.clear();
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // What a second start does with a file on its command line. It waits
    // for the running program's answer, which this test's event loop gives.
    void HandOverFromASecondStart() { m_secondStart = std::make_unique<LaterStart>(InstanceName(), QStringList {m_handed}); }

    // Until the prompt was answered and the program settled, at most 5 s.
    void WaitForThePrompt(bool fileChanges)
    {
        ASSERT_TRUE(m_secondStart);
        EXPECT_TRUE(m_secondStart->HandedOver());
        for (int i = 0; i < 250 && m_messages.isEmpty(); ++i)
            QTest::qWait(20);
        for (int i = 0; i < 100 && fileChanges && m_app->GetDocument()->PathName() != m_handed; ++i)
            QTest::qWait(20);
        QTest::qWait(50);
    }

    QTemporaryDir m_folder;
    const QString m_handed = m_folder.filePath(QStringLiteral("Handed.kwxe"));
    const QString m_current = m_folder.filePath(QStringLiteral("Current.kwxe"));
    QByteArray m_saved;
    bool m_askedInsideAnotherDialog = false;
    bool m_askedDuringRun = false;
    RunProgressDialogMaker m_realMaker;
    std::unique_ptr<LaterStart> m_secondStart;
};

struct PromptCase
{
    const char* name;
    QMessageBox::StandardButton answer;
    bool opensTheHandedFile;
    bool savesTheProject;
};

// The CTest name shows the answer, not the bytes of the case.
void PrintTo(const PromptCase& c, std::ostream* out)
{
    *out << c.name;
}

class HandOverPromptJourney : public HandOverJourney, public ::testing::WithParamInterface<PromptCase>
{
};

INSTANTIATE_TEST_SUITE_P(Answers, HandOverPromptJourney,
                         ::testing::Values(PromptCase{"Yes", QMessageBox::Yes, true, true},
                                           PromptCase{"No", QMessageBox::No, true, false},
                                           PromptCase{"Cancel", QMessageBox::Cancel, false, false}),
                         [](const ::testing::TestParamInfo<PromptCase>& param) { return std::string(param.param.name); });

TEST_P(HandOverPromptJourney, TheAnswerToTheSavePromptDecidesWhichProjectIsShown)
{
    const PromptCase c = GetParam();
    ASSERT_NO_FATAL_FAILURE(PrepareProjects());
    m_answer = c.answer;
    HandOverFromASecondStart();
    WaitForThePrompt(c.opensTheHandedFile);

    ASSERT_EQ(m_messages.size(), 1) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_messages.front().contains(QStringLiteral("Current"))) << m_messages.front().toStdString();
    CKWLDoc& document = *m_app->GetDocument();
    if (c.opensTheHandedFile) {
        EXPECT_EQ(document.PathName(), m_handed);
        EXPECT_EQ(PartCount(), 3);
        EXPECT_FALSE(document.IsModified());
    } else {
        EXPECT_EQ(document.PathName(), m_current);
        EXPECT_EQ(PartCount(), 4);
        EXPECT_TRUE(document.IsModified());
    }
    EXPECT_EQ(ReadFile(m_current) != m_saved, c.savesTheProject);

    // The program goes on: the project shown can be saved.
    m_chosenPath = m_folder.filePath(QStringLiteral("Afterwards.kwxe"));
    EXPECT_TRUE(Choose(ShellCommand::FileSaveAs));
    EXPECT_TRUE(QFile::exists(m_chosenPath));
}

TEST_F(HandOverJourney, AHandOverDuringARunWaitsForTheRunToEnd)
{
    ASSERT_NO_FATAL_FAILURE(PrepareProjects());
    m_answer = QMessageBox::No;
    // The file arrives while the progress dialog stands.
    m_realMaker = SetRunProgressDialogMaker(nullptr);
    SetRunProgressDialogMaker([this](RunStartLatch& start, TaskProgressRows rows) {
        HandOverFromASecondStart();
        return m_realMaker(start, std::move(rows));
    });
    ClickTab(CKWLView::LayoutsPage);
    SetRunProgressDialogMaker(m_realMaker);
    WaitForThePrompt(true);

    EXPECT_FALSE(m_askedDuringRun) << "the save prompt came up while the optimization ran";
    EXPECT_FALSE(m_askedInsideAnotherDialog);
    ASSERT_EQ(m_messages.size(), 1) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(m_app->GetDocument()->PathName(), m_handed);
    EXPECT_EQ(PartCount(), 3);
    // The handed project optimizes as any other.
    ClickTab(CKWLView::LayoutsPage);
    EXPECT_TRUE(m_app->GetDocument()->IsFullyOptimized());
}

// A project handed over while the print preview stands waits until the
// preview is closed: what the preview prints is the project the title names.
TEST_F(HandOverJourney, AHandOverDuringAPrintPreviewOpensWhenThePreviewCloses)
{
    ASSERT_NO_FATAL_FAILURE(PrepareProjects());
    m_answer = QMessageBox::No;
    PrintEverySectionToPdf();
    ASSERT_TRUE(Choose(ShellCommand::FilePrintPreview));
    CPrintCommands& print = View().GetPrintCommands();
    ASSERT_TRUE(print.IsPreviewing());
    auto* bar = print.GetPreviewPane()->findChild<CTPPrintPreviewBar*>();
    ASSERT_TRUE(bar);

    HandOverFromASecondStart();
    EXPECT_TRUE(m_secondStart->HandedOver());
    QTest::qWait(300); // the running program looks more than once meanwhile
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(m_app->GetDocument()->PathName(), m_current);
    EXPECT_EQ(PartCount(), 4);

    const QString pdf = m_folder.filePath(QStringLiteral("Preview.pdf"));
    m_chosenPath = pdf;
    bar->PrintButton()->click();
    const QString cover = PdfPageText(pdf, 1);
    EXPECT_TRUE(cover.contains(QStringLiteral("Current.kwxe"))) << cover.toStdString();
    EXPECT_FALSE(cover.contains(QStringLiteral("Handed.kwxe"))) << cover.toStdString();

    bar->CloseButton()->click();
    WaitForThePrompt(true);
    ASSERT_EQ(m_messages.size(), 1) << m_messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(m_app->GetDocument()->PathName(), m_handed);
    EXPECT_EQ(PartCount(), 3);
}


// The window's close box during a print preview closes the preview and
// nothing else, as the preview's Close button does, and so does Escape: a
// project handed over meanwhile then opens after one save prompt, and the
// program goes on.
TEST_F(HandOverJourney, TheCloseBoxOrEscapeDuringAPrintPreviewClosesItAndTheHandedProjectOpens)
{
    ASSERT_NO_FATAL_FAILURE(PrepareProjects());
    m_answer = QMessageBox::No;
    PrintEverySectionToPdf();
    CMainFrame& frame = *m_app->GetMainFrame();
    CPrintCommands& print = View().GetPrintCommands();
    const struct
    {
        const char* name;
        std::function<void()> close;
    } ways[] = {
        { "the close box",
            [&] {
                // As the window system delivers a click on it.
                QCloseEvent close;
                QCoreApplication::sendEvent(frame.windowHandle(), &close);
            } },
        { "Escape",
            [&] {
                frame.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus ? focus : &frame, Qt::Key_Escape);
            } },
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        if (m_app->GetDocument()->PathName() != m_current) {
            m_chosenPath = m_current;
            ASSERT_TRUE(Choose(ShellCommand::FileOpen));
            ASSERT_NO_FATAL_FAILURE(TypePart(QStringLiteral("Door\t1\t1/2\t20\t30\tP\n")));
        }
        ASSERT_TRUE(m_app->GetDocument()->IsModified());
        m_messages.clear();
        ASSERT_TRUE(Choose(ShellCommand::FilePrintPreview));
        ASSERT_TRUE(print.IsPreviewing());
        HandOverFromASecondStart();
        EXPECT_TRUE(m_secondStart->HandedOver());
        QTest::qWait(300); // the running program looks more than once meanwhile
        EXPECT_EQ(m_app->GetDocument()->PathName(), m_current);

        way.close();
        WaitForThePrompt(true);
        EXPECT_FALSE(print.IsPreviewing());
        EXPECT_TRUE(frame.isVisible());
        ASSERT_EQ(m_messages.size(), 1) << m_messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(m_app->GetDocument()->PathName(), m_handed);
        EXPECT_EQ(PartCount(), 3);
    }
}

} // namespace
