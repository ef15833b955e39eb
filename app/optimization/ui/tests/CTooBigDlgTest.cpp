// The skipped-parts warning: its picture and what each way of closing it
// does to the "Skipped Parts" alert preference.
#include "FakePrefs.h"

#include "optimization/ui/CTooBigDlg.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kSkippedPartsAlert = 2047;

// Pixels clearly darker than the dialog's background inside the widget.
int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 100)
                ++dark;
        }
    }
    return dark;
}

TEST(TooBigDlg, RendersItsTextsOffscreen)
{
    CTooBigDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Warning: Skipped Parts"));
    EXPECT_EQ(dialog.GetDontShowAgain()->text(), QStringLiteral("Don't show this warning again"));
    EXPECT_EQ(dialog.GetOkButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(dialog.GetMessage()->text().startsWith(QStringLiteral(
        "One or more parts could not be placed on a layout diagram or in the Bill of Materials.\n\nSee ")));
    EXPECT_TRUE(dialog.GetOkButton()->hasFocus() || dialog.GetOkButton()->isDefault());

    // Glyphs are drawn only when a real font was found.
    ASSERT_FALSE(QFontInfo(dialog.GetMessage()->font()).family().isEmpty());
    const QImage picture = dialog.grab().toImage();
    ASSERT_FALSE(picture.isNull());
    const QLabel* message = dialog.GetMessage();
    const QRect text(message->mapTo(&dialog, QPoint(0, 0)), message->size());
    EXPECT_GT(DarkPixels(picture, text), 200);
    const QRect box(
        dialog.GetDontShowAgain()->mapTo(&dialog, QPoint(0, 0)), dialog.GetDontShowAgain()->size());
    EXPECT_GT(DarkPixels(picture, box), 30);
}

TEST(TooBigDlg, OnlyOkWithTheBoxCheckedTurnsTheAlertOff)
{
    enum class Way { Ok, Escape, Close };
    struct Case
    {
        bool checked;
        Way way;
        bool alertAfter;
    };
    const Case cases[] = {
        { true, Way::Ok, false },
        { false, Way::Ok, true },
        { true, Way::Escape, true },
        { false, Way::Escape, true },
        { true, Way::Close, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "checked " << c.checked << ", way " << static_cast<int>(c.way));
        ScopedFakePrefs prefs;
        prefs.prefs->SetFlag(kSkippedPartsAlert, true);
        CTooBigDlg dialog;
        dialog.show();
        if (c.checked)
            QTest::mouseClick(dialog.GetDontShowAgain(), Qt::LeftButton);
        ASSERT_EQ(dialog.GetDontShowAgain()->isChecked(), c.checked);
        if (c.way == Way::Ok)
            QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
        else if (c.way == Way::Escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(prefs.prefs->GetFlag(kSkippedPartsAlert), c.alertAfter);
    }
}

} // namespace
