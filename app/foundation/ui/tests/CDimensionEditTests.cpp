#include "foundation/ui/CDimensionEdit.h"

#include "foundation/DimensionFormatSettings.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class CDimensionEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetDimensionFormatSettings(DimensionFormatSettings());
    }

    void typeAndLeave(const QString& text)
    {
        m_edit.setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&m_edit, &out);
    }

    CDimensionEdit m_edit;
};

} // namespace

TEST_F(CDimensionEditTest, CommitsOnLosingTheFocus)
{
    struct Case
    {
        const char* typed;
        bool modified;
        double inches;
        const char* shown;
    };
    const Case cases[] = {
        { "5' 6 1/2\"", true, 66.5, "66 1/2\"" }, { "3-1/2", true, 3.5, "3 1/2\"" },
        { "garbage", false, 10, "10\"" }, // dropped without a message
        { "200", false, 10, "10\"" }, // above the maximum
        { "1/2", false, 10, "10\"" }, // below the minimum
        { "10.0001", false, 10, "10\"" }, // equal within the tolerance: unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_edit.SetMinimum(CDimension::FromInches(1));
        m_edit.SetMaximum(CDimension::FromInches(100));
        m_edit.SetValue(CDimension::FromInches(10));
        EXPECT_FALSE(m_edit.IsModified());
        typeAndLeave(QString::fromUtf8(c.typed));
        EXPECT_EQ(m_edit.IsModified(), c.modified);
        EXPECT_NEAR(m_edit.GetValue().GetInches(), c.inches, 1e-4);
        EXPECT_EQ(m_edit.text(), QString::fromUtf8(c.shown));
    }
}

TEST_F(CDimensionEditTest, ZeroAndBusy)
{
    m_edit.SetValue(CDimension::FromInches(4));
    typeAndLeave(QStringLiteral("0"));
    EXPECT_EQ(m_edit.GetValue().GetUnits(), 0); // minimum zero and show-zero on: zero allowed
    EXPECT_EQ(m_edit.text(), QStringLiteral("0\""));

    m_edit.SetShowZero(false);
    m_edit.SetValue(CDimension());
    EXPECT_EQ(m_edit.text(), QString());
    typeAndLeave(QStringLiteral("0"));
    EXPECT_EQ(m_edit.text(), QString());

    m_edit.SetBusy(true);
    typeAndLeave(QStringLiteral("7"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("7"));
    EXPECT_FALSE(m_edit.IsModified());
}

TEST_F(CDimensionEditTest, TabGoesToTheOwner)
{
    QSignalSpy spy(&m_edit, &CDimensionEdit::tabPressed);
    m_edit.setText(QStringLiteral("12"));
    QTest::keyClick(&m_edit, Qt::Key_Tab);
    QTest::keyClick(&m_edit, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_FALSE(spy[0][1].toBool());
    EXPECT_TRUE(spy[1][1].toBool());
    EXPECT_EQ(m_edit.text(), QStringLiteral("12")); // no tab character typed
}

TEST_F(CDimensionEditTest, GettingTheFocusSelectsTheWholeText)
{
    m_edit.SetValue(CDimension::FromInches(12.5));
    m_edit.setCursorPosition(0);
    // A click is no tab step: the line edit itself would select nothing.
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(&m_edit, &in);
    EXPECT_EQ(m_edit.selectedText(), QStringLiteral("12 1/2\""));
    EXPECT_EQ(m_edit.cursorPosition(), m_edit.text().size()); // caret at the end, in view
}

TEST_F(CDimensionEditTest, TabKeepsTheFocusAndGetValueTakesTheTypedText)
{
    QWidget window;
    auto* edit = new CDimensionEdit(&window);
    auto* next = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(next);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());

    edit->setText(QStringLiteral("7"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(edit->hasFocus()); // the owner decides where a tab leads
    EXPECT_DOUBLE_EQ(edit->GetValue().GetInches(), 7); // committed without losing the focus
    EXPECT_TRUE(edit->IsModified());
    EXPECT_EQ(edit->text(), QStringLiteral("7\""));
}
