// The material information strip over a real library and project: kerf,
// grain and first-cut edits as commands, the pinned-material refusal, the
// rebuild after hiding, and the window's picture.
#include "RawMaterialsTestSupport.h"
#include "ScopedProgramHelp.h"

#include "grids/CtrlFactory.h"
#include "grids/MatInfoCtrl.h"
#include "grids/MatInfoPresenter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class MatInfoStripTest : public RawMaterialsTest
{
protected:
    void SetUp() override
    {
        RawMaterialsTest::SetUp();
        m_parent = std::make_unique<QWidget>();
        m_parent->resize(600, 400);
        m_presenter = std::make_unique<MatInfoPresenter>(
            &m_host, m_doc.get(), std::make_unique<RealCtrlFactory>(), m_parent.get());
        m_presenter->Show(true, m_oak);
        GetCmdHistory()->Clear();
        m_library->SetModified(false);
    }
    void TearDown() override
    {
        m_presenter.reset();
        m_parent.reset();
        RawMaterialsTest::TearDown();
    }

    MatInfoCtrl* Strip() const { return dynamic_cast<MatInfoCtrl*>(m_presenter->GetControl()); }
    template <class Widget> Widget* Child(int id) const
    {
        return Strip()->findChild<Widget*>(QString::number(id));
    }
    QLineEdit* Kerf() const { return Child<QLineEdit>(MatInfoCtrl::kKerfEditId); }
    // Types into the kerf and moves the focus away.
    void TypeKerf(const QString& text)
    {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(Kerf(), &in);
        Kerf()->selectAll();
        QTest::keyClicks(Kerf(), text);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(Kerf(), &out);
    }
    double KerfInches() const { return m_oak->GetSawSetup().GetKerf().GetInches(); }

    std::unique_ptr<QWidget> m_parent;
    std::unique_ptr<MatInfoPresenter> m_presenter;
};

TEST_F(MatInfoStripTest, ATypedKerfAppliesWhenTheEditLosesTheFocus)
{
    ASSERT_TRUE(Strip());
    EXPECT_EQ(Kerf()->text(), Inches(0.125).FormatDimension());
    TypeKerf(QStringLiteral("0.0625"));
    EXPECT_EQ(m_host.events.front(), QStringLiteral("finish"));
    EXPECT_DOUBLE_EQ(KerfInches(), 0.0625);
    EXPECT_EQ(Steps(), 1u);
    EXPECT_EQ(Kerf()->text(), Inches(0.0625).FormatDimension());
    // The same value again makes no command.
    TypeKerf(QStringLiteral("0.0625"));
    EXPECT_EQ(Steps(), 1u);
    HistoryUndo();
    EXPECT_DOUBLE_EQ(KerfInches(), 0.125);
}

TEST_F(MatInfoStripTest, KerfsFromZeroToTenInchesAreTaken)
{
    struct Case
    {
        const char* typed;
        double kerf;
    };
    const Case cases[] = { { "0", 0.0 }, { "10", 10.0 }, { "10.5", 10.0 }, { "wide", 10.0 }, { "-1", 10.0 },
        { "0.25", 0.25 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeKerf(QString::fromUtf8(c.typed));
        EXPECT_DOUBLE_EQ(KerfInches(), c.kerf);
        EXPECT_EQ(Kerf()->text(), Inches(c.kerf).FormatDimension());
    }
    EXPECT_EQ(Steps(), 3u);
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(MatInfoStripTest, ClearingHasGrainClearsTheDirection)
{
    m_oak->GetGrainInfoForEdit().SetHasGrain(true);
    m_oak->GetGrainInfoForEdit().SetGrainDirection(true);
    m_presenter->ShowMaterial(m_oak);
    auto* hasGrain = Child<QCheckBox>(MatInfoCtrl::kHasGrainId);
    ASSERT_TRUE(hasGrain->isChecked());
    hasGrain->click();
    EXPECT_FALSE(m_oak->GetGrainInfo().GetHasGrain());
    EXPECT_FALSE(m_oak->GetGrainInfo().GetGrainDirection());
    EXPECT_EQ(Steps(), 1u);
    HistoryUndo();
    EXPECT_TRUE(m_oak->GetGrainInfo().GetHasGrain());
    EXPECT_TRUE(m_oak->GetGrainInfo().GetGrainDirection());

    Child<QCheckBox>(MatInfoCtrl::kLongSideHorizontalId)->click();
    EXPECT_EQ(m_oak->GetGrainInfo().GetLongSideHorizontal(),
        Child<QCheckBox>(MatInfoCtrl::kLongSideHorizontalId)->isChecked());
}

TEST_F(MatInfoStripTest, TheStoredFirstCutDirectionMakesNoCommand)
{
    auto* doesntMatter = Child<QRadioButton>(MatInfoCtrl::kDoesntMatterId);
    auto* withGrain = Child<QRadioButton>(MatInfoCtrl::kWithGrainId);
    ASSERT_EQ(m_oak->GetSawSetup().GetFirstCutMode(), 0);
    EXPECT_TRUE(doesntMatter->isChecked());
    doesntMatter->click();
    EXPECT_EQ(Steps(), 0u);
    EXPECT_TRUE(doesntMatter->isChecked());
    withGrain->click();
    EXPECT_EQ(Steps(), 1u);
    EXPECT_EQ(m_oak->GetSawSetup().GetFirstCutMode(), 1);
    EXPECT_TRUE(withGrain->isChecked());
    EXPECT_FALSE(doesntMatter->isChecked());

    auto* styles = Child<QComboBox>(MatInfoCtrl::kLayoutStyleId);
    ASSERT_EQ(styles->count(), 5);
    Q_EMIT styles->activated(2);
    EXPECT_EQ(m_oak->GetSawSetup().GetLayoutStyle(), 2);
    EXPECT_EQ(Steps(), 2u);
}

TEST_F(MatInfoStripTest, AMaterialOfAPinnedDiagramKeepsItsGeometryUnlessLocked)
{
    Append(m_oak, 10, 20, 1, QStringLiteral("Rail"));
    PinFirstDiagram();
    m_presenter->ShowMaterial(m_oak);
    auto* hasGrain = Child<QCheckBox>(MatInfoCtrl::kHasGrainId);
    const bool grain = m_oak->GetGrainInfo().GetHasGrain();
    hasGrain->click();
    EXPECT_EQ(hasGrain->isChecked(), grain);
    TypeKerf(QStringLiteral("0.25"));
    EXPECT_DOUBLE_EQ(KerfInches(), 0.125);
    Child<QRadioButton>(MatInfoCtrl::kAgainstGrainId)->click();
    EXPECT_TRUE(Child<QRadioButton>(MatInfoCtrl::kDoesntMatterId)->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(MatInfoCtrl::kAgainstGrainId)->isChecked());
    EXPECT_TRUE(m_host.events.contains(QStringLiteral("focus")));
    EXPECT_EQ(Steps(), 0u);
    ASSERT_EQ(m_shown.size(), 3);
    EXPECT_TRUE(
        m_shown.front().startsWith(QStringLiteral("This material is used by a pinned layout diagram.")));
    EXPECT_TRUE(m_shown.front().contains(QStringLiteral("geometry")));
    // The layout style is no geometry.
    Q_EMIT Child<QComboBox>(MatInfoCtrl::kLayoutStyleId)->activated(1);
    EXPECT_EQ(Steps(), 1u);

    ASSERT_TRUE(m_doc->LockProject());
    m_shown.clear();
    TypeKerf(QStringLiteral("0.25"));
    EXPECT_DOUBLE_EQ(KerfInches(), 0.25);
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(MatInfoStripTest, HidingAndShowingRebuildsTheStrip)
{
    m_oak->GetSawSetupForEdit().SetLayoutStyle(3);
    m_presenter->Show(false, nullptr);
    EXPECT_EQ(m_presenter->GetControl(), nullptr);
    EXPECT_TRUE(m_parent->findChildren<MatInfoCtrl*>().isEmpty());
    m_presenter->SetPosition(40, 20);
    m_presenter->Show(true, m_oak);
    ASSERT_TRUE(Strip());
    EXPECT_EQ(Strip()->geometry(), QRect(20, 40, 386, 154));
    auto* styles = Child<QComboBox>(MatInfoCtrl::kLayoutStyleId);
    EXPECT_EQ(styles->count(), 5);
    EXPECT_EQ(styles->currentText(), QStringLiteral("Max. Side Off-Cut"));
    EXPECT_EQ(Kerf()->text(), Inches(0.125).FormatDimension());
    EXPECT_TRUE(Strip()->IsGrainGroupEnabled());
    // Without a material both groups are disabled.
    m_presenter->ShowMaterial(nullptr);
    EXPECT_FALSE(Strip()->IsGrainGroupEnabled());
    EXPECT_FALSE(Kerf()->isEnabled());
}

TEST_F(MatInfoStripTest, TheStripDrawsItsControls)
{
    m_parent->show();
    const QImage picture = Strip()->grab().toImage();
    ASSERT_EQ(picture.size(), QSize(386, 154));
    auto* hasGrain = Child<QCheckBox>(MatInfoCtrl::kHasGrainId);
    EXPECT_FALSE(QFontInfo(hasGrain->font()).family().isEmpty());
    EXPECT_EQ(hasGrain->geometry(), QRect(6, 49, 188, 19));
    // The caption of "Has grain" draws dark pixels on the face.
    const QColor face = picture.pixelColor(300, 140);
    int dark = 0;
    for (int y = 49; y < 68; ++y)
        for (int x = 6; x < 194; ++x)
            dark += picture.pixelColor(x, y).lightness() < face.lightness() - 80 ? 1 : 0;
    EXPECT_GT(dark, 20);
    // Help opens the materials topic of the help.
    ScopedProgramHelp help(true, { MatInfoPresenter::kHelpContext });
    auto* helpButton = Child<QPushButton>(MatInfoCtrl::kHelpId);
    helpButton->hide();
    helpButton->show();
    helpButton->click();
    EXPECT_EQ(help.opened, QStringList { help.Page(MatInfoPresenter::kHelpContext) });
}

} // namespace

namespace {

TEST_F(MatInfoStripTest, EveryCaptionFitsItsControl)
{
    // The captions must show whole in the boxes of the strip's fixed layout.
    int checked = 0;
    for (const QAbstractButton* button : Strip()->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<const QCheckBox*>(button) && !qobject_cast<const QRadioButton*>(button))
            continue;
        SCOPED_TRACE(button->text().toStdString());
        ++checked;
        const QSize needed = button->sizeHint();
        EXPECT_LE(needed.width(), button->width());
        EXPECT_LE(needed.height(), button->height());
    }
    EXPECT_EQ(checked, 5);
    // A caption broken over lines keeps its words.
    EXPECT_EQ(Child<QCheckBox>(MatInfoCtrl::kLongSideHorizontalId)
                  ->text()
                  .replace(QLatin1Char('\n'), QLatin1Char(' ')),
        QStringLiteral("Always draw with longer side horizontal"));
}

} // namespace
