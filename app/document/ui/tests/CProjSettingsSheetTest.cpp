#include "document/ui/CProjSettingsSheet.h"

#include "FakeOptimizationDoc.h"
#include "ProjectDocumentFixture.h"

#include "foundation/CmdHistory.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class ProjSettingsSheetTest : public ProjectDocumentTest
{
protected:
    // OK as the button gives it: the pages' OK steps, then the commands; the
    // undo step closes with the sheet.
    void PressOk(CProjSettingsSheet& sheet)
    {
        sheet.accept();
        sheet.RecordCommands();
    }
};

TEST_F(ProjSettingsSheetTest, OkRecordsOneStepThatUndoesExactly)
{
    GetCmdHistory()->Clear();
    const ProjectSettings before = m_doc->GetProjectSettings();
    {
        CProjSettingsSheet sheet(*m_doc);
        sheet.GetGeneralPage().findChild<QLineEdit*>()->setText(QStringLiteral("Workbench"));
        sheet.GetOptimizationPage().ObjectiveButton(2)->setChecked(true);
        sheet.GetOptimizationPage().PackingButton(3)->setChecked(true);
        PressOk(sheet);
    }
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    EXPECT_EQ(GetUndoMenuText(), QStringLiteral("&Undo Edit Project Settings\tCtrl+Z"));
    EXPECT_EQ(m_doc->GetProjectSettings().GetProjectName(), QStringLiteral("Workbench"));
    EXPECT_EQ(m_doc->GetProjectSettings().GetOptimizationSettings().objective, 2U);
    EXPECT_EQ(m_doc->GetProjectSettings().GetOptimizationSettings().packing, 3U);
    HistoryUndo();
    EXPECT_EQ(m_doc->GetProjectSettings(), before);

    // Without a change OK still makes one step; Cancel makes none.
    GetCmdHistory()->Clear();
    {
        CProjSettingsSheet sheet(*m_doc);
        PressOk(sheet);
    }
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    {
        CProjSettingsSheet sheet(*m_doc);
        sheet.reject();
    }
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
}

TEST_F(ProjSettingsSheetTest, ALockedProjectShowsItsSettingsReadOnly)
{
    FakeOptimizationDoc locked;
    locked.locked = true;
    locked.settings.SetProjectName(QStringLiteral("Kept"));
    m_shown.clear();
    CProjSettingsSheet sheet(locked);
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(sheet.IsReadOnly());
    EXPECT_FALSE(sheet.GetGeneralPage().isEnabled());
    EXPECT_FALSE(sheet.GetOptimizationPage().isEnabled());
    sheet.GetGeneralPage().findChild<QLineEdit*>()->setText(QStringLiteral("Changed"));
    sheet.accept();
    EXPECT_EQ(sheet.GetWorkingSettings().GetProjectName(), QStringLiteral("Kept"));
}

TEST_F(ProjSettingsSheetTest, TheSheetRendersItsPages)
{
    CProjSettingsSheet sheet(*m_doc, 1);
    sheet.show();
    const QImage image = sheet.grab().toImage();
    ASSERT_FALSE(image.isNull());
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(dark, 500); // captions, choices and buttons
    EXPECT_TRUE(sheet.GetOptimizationPage().isVisible());
    EXPECT_EQ(sheet.GetOptimizationPage().PackingButton(0)->text().left(4), QStringLiteral(" 1  "));
}

} // namespace
