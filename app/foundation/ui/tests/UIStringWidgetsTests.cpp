#include "foundation/ui/UIStringWidgets.h"

#include "foundation/TCPResource.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const StringResource kTable[] = {
    { 1, u"Dlg_Title_Open %1" },
    { 2, u"Files_Kind_Project_Files" },
    { 4539, u"Buttons_Cancel_Abbrechen" },
    { 4543, u"Buttons_Help_Hilfe" },
    { 4549, u"Buttons_OK_Gut" },
};

class UIStringWidgetsTest : public ::testing::Test
{
protected:
    void SetUp() override { InitUIStrings(QStringLiteral("/nonexistent"), { kTable }); }
    void TearDown() override { InstallResources(nullptr); }
};

} // namespace

TEST_F(UIStringWidgetsTest, WidgetTexts)
{
    QLabel label;
    SetWindowTextById(&label, 1);
    EXPECT_EQ(label.text(), QStringLiteral("Open %1"));
    SetWindowTextWithPrefix(&label, QStringLiteral("> "), 1);
    EXPECT_EQ(label.text(), QStringLiteral("> Open %1"));
    SetWindowTextFormatted(&label, 1, 2); // the argument is the raw, unsplit resource
    EXPECT_EQ(label.text(), QStringLiteral("Open Files_Kind_Project_Files"));

    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    SetOkCancelTexts(&buttons);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text(), QStringLiteral("Gut"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    EXPECT_NE(buttons.button(QDialogButtonBox::Help)->text(), QStringLiteral("Hilfe"));
    SetOkCancelHelpTexts(&buttons);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Help)->text(), QStringLiteral("Hilfe"));
}
