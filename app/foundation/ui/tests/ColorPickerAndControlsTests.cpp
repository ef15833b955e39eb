#include "foundation/ui/ColorPickerSetup.h"
#include "foundation/ui/ControlFactory.h"

#include "foundation/TCPResource.h"
#include "foundation/UIResources.h"
#include "foundation/UIStringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class RecordingPicker : public IColorPickerButton
{
public:
    void SetDefaultColor(platform::ColorRef value) override { defaultColor = value; }
    void SetColor(platform::ColorRef value, bool redraw) override
    {
        color = value;
        redrawn = redraw;
    }
    platform::ColorRef GetColor() const override { return color; }
    bool EnableToolTip(bool on) override
    {
        toolTip = on;
        return true;
    }
    bool SetTrackLook(bool on) override
    {
        trackLook = on;
        return true;
    }
    void SetPopupFlags(unsigned value) override { flags = value; }
    void SetDefaultButtonText(const QString& text) override { defaultText = text; }
    void SetCustomButtonText(const QString& text) override { customText = text; }
    void SetToolTipTexts(const std::vector<std::pair<platform::ColorRef, QString>>& value) override { texts = value; }
    void SetCellSize(int width, int height) override { cell = QSize(width, height); }

    platform::ColorRef defaultColor = 0, color = 0;
    bool redrawn = false, toolTip = false, trackLook = false;
    unsigned flags = 0;
    QString defaultText, customText;
    std::vector<std::pair<platform::ColorRef, QString>> texts;
    QSize cell;
};

class StringsTest : public ::testing::Test
{
protected:
    void SetUp() override { InitUIStrings(QStringLiteral("/nonexistent"), { FoundationStringResources() }); }
    void TearDown() override { InstallResources(nullptr); }
};

} // namespace

TEST_F(StringsTest, ColorPickerGetsTheNamedColoursAndTexts)
{
    NamedColorList colors;
    BuildNamedColorList(colors);
    RecordingPicker picker;
    SetUpColorPicker(colors, picker, kDefaultColorValue, 0xFEDCD3);
    EXPECT_EQ(picker.defaultColor, 0xFEDCD3u);
    EXPECT_EQ(picker.color, kDefaultColorValue);
    EXPECT_TRUE(picker.redrawn);
    EXPECT_TRUE(picker.toolTip);
    EXPECT_TRUE(picker.trackLook);
    EXPECT_EQ(picker.flags, 0x10u);
    EXPECT_EQ(picker.defaultText, QStringLiteral("Default"));
    EXPECT_EQ(picker.customText, QStringLiteral("Custom..."));
    ASSERT_EQ(picker.texts.size(), 40u);
    EXPECT_EQ(picker.texts[9], std::make_pair(platform::ColorRef { 0x2068FF }, QStringLiteral("Orange")));
    EXPECT_EQ(picker.cell, QSize(18, 18));
}

TEST_F(StringsTest, ControlsTakeTheirPlaceIdCaptionAndFont)
{
    QWidget parent;
    parent.resize(300, 200);
    const QFont guiFont = GetUIResources()->GetDefaultGuiFont();
    QGroupBox* group = CreateGroupBoxControl(&parent, platform::Rect(5, 5, 205, 105), 454, UIStringId::ColorBlack);
    QCheckBox* check = CreateCheckBoxControl(&parent, platform::Rect(10, 20, 110, 40), 78, UIStringId::ColorRed);
    QLabel* label = CreateStaticTextControl(&parent, platform::Rect(10, 50, 110, 70), 457, UIStringId::ColorTan);
    QLineEdit* edit = CreateEditControl(&parent, platform::Rect(10, 80, 110, 100), 25);
    QComboBox* combo = CreateComboBoxControl(&parent, platform::Rect(10, 110, 110, 130), 26);

    EXPECT_EQ(group->geometry(), QRect(5, 5, 200, 100)) << "the right and bottom edges lie outside";
    EXPECT_EQ(group->title(), QStringLiteral("Black"));
    EXPECT_EQ(check->text(), QStringLiteral("Red"));
    EXPECT_EQ(label->text(), QStringLiteral("Tan"));
    EXPECT_TRUE(label->alignment() & Qt::AlignVCenter);
    EXPECT_FALSE(combo->isEditable());
    for (QWidget* control : std::initializer_list<QWidget*> { group, check, label, edit, combo })
        EXPECT_EQ(control->font(), guiFont);
    EXPECT_EQ(GetControlId(edit), 25);
    EXPECT_EQ(FindControl(&parent, 78), check);
    EXPECT_EQ(FindControl(&parent, 999), nullptr);
}
