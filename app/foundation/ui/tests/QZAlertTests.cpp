#include "foundation/ui/PinnedEditAlert.h"
#include "foundation/ui/QZAlert.h"

#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

class QZAlertTest : public ::testing::Test
{
protected:
    void SetUp() override { InitUIStrings(QStringLiteral("/nonexistent"), { FoundationStringResources() }); }
    void TearDown() override { InstallResources(nullptr); }
};

// Pixels of the widget that differ from its background colour.
int InkPixels(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    const QRgb background = image.pixel(0, 0);
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != background ? 1 : 0;
    return ink;
}

} // namespace

TEST_F(QZAlertTest, PinnedEditAlertOffersToUnpinWithCancelAsTheDefault)
{
    PinnedEditAlert alert(UIStringId::PinnedEditNeedsUnpin);
    alert.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&alert));
    EXPECT_EQ(alert.windowTitle(), QStringLiteral("Alert"));
    EXPECT_EQ(alert.GetMessageLabel()->text(),
        QStringLiteral("This edit would change a part on a pinned layout diagram. The edit can only be made "
                       "if the affected diagrams are unpinned.\n\nWould you like to have those diagrams "
                       "unpinned for you now?"));
    EXPECT_EQ(alert.GetOkButton()->text(), QStringLiteral("Unpin Diagram(s)"));
    EXPECT_TRUE(alert.GetOkButton()->isVisible());
    EXPECT_TRUE(alert.GetCancelButton()->isVisible());
    EXPECT_EQ(alert.GetCancelButton()->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(alert.GetDontRemindBox()->isVisible());
    EXPECT_TRUE(alert.GetCancelButton()->isDefault());
    EXPECT_FALSE(alert.GetOkButton()->isDefault());
    EXPECT_EQ(alert.focusWidget(), alert.GetCancelButton());
    EXPECT_FALSE(QFontInfo(alert.GetMessageLabel()->font()).family().isEmpty());
    EXPECT_GT(InkPixels(*alert.GetMessageLabel()), 200) << "the message is drawn";

    // Enter answers Cancel; only the first button agrees to unpin.
    QTest::keyClick(&alert, Qt::Key_Return);
    EXPECT_EQ(alert.result(), QDialog::Rejected);
    PinnedEditAlert second(UIStringId::PinnedEditCopiesNeedUnpin);
    second.show();
    second.GetOkButton()->click();
    EXPECT_EQ(second.result(), QDialog::Accepted);
    EXPECT_EQ(second.GetMessageLabel()->text(),
        QStringLiteral("This edit would change a part on a pinned layout diagram. To reduce the number of "
                       "copies that far, the affected diagrams must be unpinned.\n\nWould you like to have "
                       "those diagrams unpinned for you now?"));
}

TEST_F(QZAlertTest, TheBoxCountsOnlyWhenOkClosesTheAlert)
{
    struct Case
    {
        bool ok;
        bool ticked;
        bool dontRemind;
    };
    const Case cases[] = { { true, true, true }, { true, false, false }, { false, true, false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ok);
        QZAlert alert(QStringLiteral("Careful"));
        alert.show();
        EXPECT_EQ(alert.GetOkButton()->text(), QStringLiteral("OK"));
        EXPECT_FALSE(alert.GetCancelButton()->isVisible()) << "Cancel is hidden unless a caller shows it";
        EXPECT_EQ(alert.GetDontRemindBox()->text(), QStringLiteral("Don't remind me again"));
        EXPECT_TRUE(alert.GetDontRemindBox()->isVisible());
        alert.GetDontRemindBox()->setChecked(c.ticked);
        if (c.ok)
            alert.GetOkButton()->click();
        else
            alert.reject();
        EXPECT_EQ(alert.result(), c.ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(alert.GetDontRemind(), c.dontRemind);
    }
}

// The alert sizes itself from its texts: the whole message and its buttons
// lie inside the window, however long the message is.
TEST_F(QZAlertTest, EveryAlertShowsItsWholeText)
{
    const QString longLine = QStringLiteral("A rather long line of an alert that must wrap more than once. ").repeated(6);
    const std::vector<std::function<std::unique_ptr<QZAlert>()>> alerts {
        [] { return std::make_unique<PinnedEditAlert>(UIStringId::PinnedEditCopiesNeedUnpin); },
        [] { return std::make_unique<PinnedEditAlert>(UIStringId::PinnedEditNeedsUnpin); },
        [&] { return std::make_unique<QZAlert>(longLine + QStringLiteral("\n\nAnd a question at the end?")); },
        [] { return std::make_unique<QZAlert>(QStringLiteral("Short.")); },
    };
    for (std::size_t i = 0; i < alerts.size(); ++i) {
        SCOPED_TRACE(i);
        const std::unique_ptr<QZAlert> alert = alerts[i]();
        alert->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(alert.get()));
        QLabel* label = alert->GetMessageLabel();
        const QRect inside = alert->rect();
        EXPECT_TRUE(inside.contains(label->geometry())) << "the message lies inside the alert";
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << "no line of the message is cut";
        EXPECT_TRUE(inside.contains(alert->GetOkButton()->geometry()));
        EXPECT_GE(alert->GetOkButton()->geometry().top(), label->geometry().bottom());
        EXPECT_GE(alert->GetOkButton()->height(), alert->GetOkButton()->sizeHint().height());
    }
}
