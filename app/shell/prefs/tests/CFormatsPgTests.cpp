#include "shell/prefs/CFormatsPg.h"

#include "shell/controls/COXColorPickerButton.h"

#include "PrefsPageTest.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QTest>

namespace {

class FontsPageTest : public PrefsPageTest
{
protected:
    void SetUp() override
    {
        PrefsPageTest::SetUp();
        record.gridFace = QStringLiteral("DejaVu Sans");
        record.diagramFace = QStringLiteral("DejaVu Sans");
    }

    // Offered faces, unsorted and with a repeat.
    const QStringList faces { QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Sans Mono"),
        QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana Pro"), QStringLiteral("DejaVu Sans") };
};

void TypeSize(QComboBox* box, const QString& text)
{
    box->clearEditText();
    QTest::keyClicks(box->lineEdit(), text);
}

} // namespace

TEST_F(FontsPageTest, FacesSortedAndTheStoredFaceSelected)
{
    record.diagramFace = QStringLiteral("Verdana");
    CFormatsPg page(&record, nullptr, faces);
    ASSERT_EQ(page.ListFaceList()->count(), 4);
    EXPECT_EQ(page.ListFaceList()->itemText(0), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(page.DiagramFaceList()->itemText(3), QStringLiteral("Verdana Pro"));
    EXPECT_EQ(page.ListFaceList()->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(page.DiagramFaceList()->currentText(), QStringLiteral("Verdana Pro"))
        << "first that begins with it";
    page.CommitToRecord();
    EXPECT_EQ(record.diagramFace, QStringLiteral("Verdana Pro"));
}

TEST_F(FontsPageTest, FaceWithoutAnyMatchShowsItsStandInAndIsKept)
{
    // A face that is not installed: the list shows the face the system
    // draws instead, and the stored face stays until the user picks one.
    const QString missing = QStringLiteral("Arial Not Installed");
    const QString standIn = QFontInfo(QFont(missing)).family();
    ASSERT_NE(standIn, missing);
    record.gridFace = missing;
    CFormatsPg page(&record, nullptr, faces + QStringList { standIn });
    EXPECT_EQ(page.ListFaceList()->currentText(), standIn);
    page.CommitToRecord();
    EXPECT_EQ(record.gridFace, missing);
    EXPECT_EQ(record.diagramFace, QStringLiteral("DejaVu Sans"));

    // Picking a face stores it, the stand-in too.
    const int index = page.ListFaceList()->findText(standIn);
    page.ListFaceList()->setCurrentIndex(index);
    Q_EMIT page.ListFaceList()->activated(index);
    page.CommitToRecord();
    EXPECT_EQ(record.gridFace, standIn);
}

TEST_F(FontsPageTest, InstalledFacesOpenThePage)
{
    const QStringList installed = CFormatsPg::InstalledFaces();
    ASSERT_FALSE(installed.isEmpty());
    EXPECT_EQ(installed.size(), QSet<QString>(installed.begin(), installed.end()).size());
    CFormatsPg page(&record);
    EXPECT_EQ(page.ListFaceList()->count(), installed.size());
    EXPECT_GT(ColourCount(page), 2);
}

TEST_F(FontsPageTest, TypedSizes)
{
    const struct
    {
        const char* typed;
        int stored; // tenths of a point; 85 kept
    } cases[] = {
        { "9,5", 95 },
        { "9.5", 95 },
        { "3", 30 },
        { "20", 200 },
        { "8.3", 83 },
        { "12.37", 123 },
        { "2.9", 85 },
        { "20.1", 85 },
        { "nine", 85 },
        { "nan", 85 },
        { "", 85 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        record.gridHeight = 85;
        CFormatsPg page(&record, nullptr, faces);
        EXPECT_EQ(page.ListSizeBox()->currentText(), QStringLiteral("8.5"));
        TypeSize(page.ListSizeBox(), QString::fromUtf8(c.typed));
        page.CommitToRecord();
        EXPECT_EQ(record.gridHeight, c.stored);
    }
}

TEST_F(FontsPageTest, SmallPartsNoLargerThanDiagramText)
{
    CFormatsPg page(&record, nullptr, faces);
    TypeSize(page.SmallPartsSizeBox(), QStringLiteral("12"));
    TypeSize(page.DiagramSizeBox(), QStringLiteral("10"));
    page.CommitToRecord();
    EXPECT_EQ(record.diagramHeight, 100);
    EXPECT_EQ(record.smallPartsHeight, 100);
}

TEST_F(FontsPageTest, BoldPartColourPicker)
{
    record.boldPartColor = 0x0000FF;
    CFormatsPg page(&record, nullptr, faces);
    COXColorPickerButton* picker = page.BoldPartColorPicker();
    EXPECT_EQ(picker->GetColor(), 0x0000FFu);
    EXPECT_EQ(picker->ColorBar().DefaultValue(), 0x808080u);
    EXPECT_EQ(picker->ColorBar().DefaultButtonText(), QStringLiteral("Default"));
    picker->SetColor(0x00FF00, true);
    page.CommitToRecord();
    EXPECT_EQ(record.boldPartColor, 0x00FF00);
}
