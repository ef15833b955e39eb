// A choice from the Material drop list that the program answers with a
// message box: the box is the program's own, modal over the main window,
// and the user reads it before clicking OK. The program goes on, and the
// part keeps its material.
#include "JourneyTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"

#include "document/CKWLDoc.h"
#include "gridctrl/CUGDropListType.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CGridColumnInfo.h"
#include "grids/CKerfwellGDM.h"
#include "grids/PartsGridColumns.h"
#include "model/CMilledPart.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

class DropListJourney : public JourneyTest
{
protected:
    void SetUp() override
    {
        JourneyTest::SetUp();
        // A box that came up is read, and answered OK once it has the focus
        // and its event loop has done what it does while the user reads.
        m_answerer.setInterval(10);
        QObject::connect(&m_answerer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->objectName() == QLatin1String(kAnsweredByTheTest))
                return;
            box->setObjectName(QLatin1String(kAnsweredByTheTest));
            m_boxes << box->text();
            EXPECT_TRUE(QTest::qWaitForWindowActive(box));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            ASSERT_TRUE(ok) << box->text().toStdString();
            ok->click();
        });
    }

    void TearDown() override
    {
        if (m_answerer.isActive()) {
            m_answerer.stop();
            SetQuestionFunction(m_testsAnswers);
        }
        JourneyTest::TearDown();
    }

    // From now on the program shows its own message boxes, as a user meets
    // them, instead of handing their texts to the test.
    void ShowTheProgramsOwnBoxes()
    {
        m_testsAnswers = SetQuestionFunction({});
        m_answerer.start();
    }

    CUGRowMode& Grid() const { return *View().GetPartsGrid(); }

    // A click on the first part's Material cell, left of its button.
    void ClickMaterialCell()
    {
        int column = View().GetPartsGridMgr()->GetColumn(kPartColMaterial)->GetGridPosition();
        int row = 0;
        platform::Rect cell;
        ASSERT_EQ(Grid().GetCellRectangle(&column, &row, &cell), 0);
        QTest::mouseClick(
            Grid().GetGridArea(), Qt::LeftButton, {}, QPoint(cell.left + 10, (cell.top + cell.bottom) / 2));
        Settle();
    }

    CUGLstBox* OpenList() const { return Grid().GetGridArea()->findChild<CUGLstBox*>(); }

    QTimer m_answerer;
    QuestionFunction m_testsAnswers;
    QStringList m_boxes;
};

TEST_F(DropListJourney, AMaterialChosenInALockedProjectIsRefusedAndTheProgramGoesOn)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(TypeParts());
    ClickTab(CKWLView::LayoutsPage);
    ASSERT_TRUE(Choose(ShellCommand::LockProject));
    ASSERT_TRUE(m_app->GetDocument()->IsProjectLocked());
    ClickTab(CKWLView::PartsPage);
    const QStringList rows = PartsRows();
    const CMilledPart& side = *m_app->GetDocument()->GetPartList().front();
    const QString material = side.GetMaterialName();
    ShowTheProgramsOwnBoxes();
    // The window the user works in has the focus, as on a desktop.
    m_app->GetMainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_app->GetMainFrame()));

    // Opened by Alt+Down and chosen by Enter, then by F4 and a click.
    struct Way
    {
        const char* name;
        QKeyCombination opening;
        bool click;
    };
    for (const Way& way : { Way { "Alt+Down, Enter", QKeyCombination(Qt::AltModifier, Qt::Key_Down), false },
             Way { "F4, a click", QKeyCombination(Qt::Key_F4), true } }) {
        SCOPED_TRACE(way.name);
        m_boxes.clear();
        ASSERT_NO_FATAL_FAILURE(ClickMaterialCell());
        QTest::keyClick(Grid().GetGridArea(), way.opening.key(), way.opening.keyboardModifiers());
        Settle();
        CUGLstBox* list = OpenList();
        ASSERT_TRUE(list && list->isVisible());
        // "P" moves to the first plywood, another than the part's.
        QTest::keyClick(list, Qt::Key_P);
        ASSERT_NE(list->currentItem()->text(), material);
        if (way.click)
            QTest::mouseClick(
                list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->currentItem()).center());
        else
            QTest::keyClick(list, Qt::Key_Return);
        Settle();

        ASSERT_EQ(m_boxes.size(), 1);
        EXPECT_TRUE(m_boxes.front().startsWith(QStringLiteral("This operation is not possible")))
            << m_boxes.front().toStdString();
        EXPECT_EQ(OpenList(), nullptr);
        EXPECT_TRUE(m_app->GetMainFrame()->isVisible());
        EXPECT_EQ(side.GetMaterialName(), material);
        EXPECT_EQ(PartsRows(), rows);
    }
    // The grid still takes the user's keys: the list opens and closes again.
    QTest::keyClick(Grid().GetGridArea(), Qt::Key_F4);
    Settle();
    ASSERT_NE(OpenList(), nullptr);
    QTest::keyClick(OpenList(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(OpenList(), nullptr);
    EXPECT_EQ(PartCount(), 3);
    EXPECT_EQ(m_boxes.size(), 1);
}

} // namespace
