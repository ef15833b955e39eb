#include "platform/ui/PrintControl.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <vector>

using namespace platform;

namespace {

// Runs a call and answers the status it failed with (0 when it did not).
template <typename Call>
std::int32_t StatusOf(Call call, PrintInterface* where = nullptr)
{
    try {
        call();
    } catch (const PrintControlError& error) {
        if (where)
            *where = error.Interface();
        return error.Status();
    }
    return 0;
}

} // namespace

TEST(PrintLengthTest, ReadsLengthTextsInTwips)
{
    struct Case {
        const char* text;
        double twips;
    };
    const Case cases[] = {
        {"", 0.0}, {"5mm", 5 * 1440 / 25.4}, {"0.6mm", 0.6 * 1440 / 25.4}, {"1cm", 1440 / 2.54},
        {"0.25in", 360.0}, {"10pt", 200.0}, {"100tw", 100.0}, {"72", 72.0}, {" 3MM ", 3 * 1440 / 25.4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto length = PrintLength::FromText(QString::fromLatin1(c.text));
        ASSERT_TRUE(length.has_value());
        EXPECT_NEAR(length->twips, c.twips, 1e-9);
    }
    for (const char* bad : {"5 furlongs", "-3mm", "mm", "1.2.3in"})
        EXPECT_FALSE(PrintLength::FromText(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(PrintControlTest, FailuresCarryTheirStatusAndInterface)
{
    PrintControl control;
    EXPECT_EQ(StatusOf([&] { control.PrintParagraph(QStringLiteral("x")); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.NewPage(); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.DrawLine(0, 0, 1, 1); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.EndDoc(); }), StatusNoDocument);
    EXPECT_EQ(StatusOf([&] { control.SetTextAlign(9); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetOrientation(2); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetFontSize(0.0F); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetBrushStyle(8); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetPaperSize(0); }), StatusInvalidArgument);
    EXPECT_EQ(StatusOf([&] { control.SetMarginTop(-1.0); }), StatusInvalidArgument);

    PrintInterface where = PrintInterface::Control;
    EXPECT_EQ(StatusOf([&] { control.Styles().Apply(QStringLiteral("Nowhere")); }, &where), StatusInvalidArgument);
    EXPECT_EQ(where, PrintInterface::Styles);

    control.StartDoc();
    EXPECT_EQ(StatusOf([&] { control.StartDoc(); }), StatusFailed);
    // Measuring needs no page, but drawing a measured box does.
    control.EndDoc();
    EXPECT_GT(control.PrintTextBox(QStringLiteral("x"), 0, 0, 1000, 0, true, true, false), 0.0);
    EXPECT_EQ(StatusOf([&] { control.PrintTextBox(QStringLiteral("x"), 0, 0, 1000, 0, true, false, false); }),
              StatusNoDocument);
}
