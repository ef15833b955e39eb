// A stock size edited after the layouts were made: the B.O.M. page, the Cost
// Summary and the mobile package count the new stock, in whole sheets and
// pro-rated, as the arithmetic on the layouts says; undo brings back what
// each showed.
#include "JourneyTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/ShellCommands.h"
#include "shell/prefs/CPickListPrefsPg.h"

#include "document/CKWLDoc.h"
#include "foundation/CmdHistory.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/ui/CUserPrefsPropSheet.h"
#include "model/CMilledPart.h"
#include "model/CPricingScheme.h"
#include "model/CSheetGoodEx.h"
#include "model/ISGSC.h"
#include "model/SizeCostRowCommands.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IdenticalDiagramStack.h"
#include "output/reports/ReportCreatorRegistry.h"
#include "output/reports/ReportsCreatorBase.h"

#include <QFile>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <functional>

namespace {

double Number(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[^0-9.\\-]")));
    return text.toDouble();
}

void SetPrice(ISGSC& row, double price)
{
    const CMoney cost = CMoney::FromReal(price);
    row.SetUnitCost(&cost);
}

// What the layouts say the bill must hold for the one stock row they use.
struct Expected
{
    double sheets = 0;
    double sheetCost = 0;
    double proRated = 0; // units of the row's pricing unit the parts take
    double unitCost = 0;
};

// What one output says of the row: quantity and total cost.
struct Said
{
    double quantity = -1;
    double total = -1;
};

class StockEditJourney : public JourneyTest
{
protected:
    // Birch 48" x 96" at 64.00 a sheet, unlimited; six 20" x 40" doors.
    void SetUpProject()
    {
        m_birch = AddBirch();
        ASSERT_TRUE(m_birch);
        m_row = m_birch->GetSizeCosts().front();
        SetPrice(*m_row, 64);
        auto* part = new CMilledPart();
        part->SetDescription(QStringLiteral("Door"));
        part->SetMaterial(m_birch);
        part->SetThickness(CDimension::FromInches(0.75));
        part->SetWidth(CDimension::FromInches(20));
        part->SetLength(CDimension::FromInches(40));
        part->SetCopies(6);
        m_app->GetDocument()->AppendPart(part);
        GetCmdHistory()->Clear();
    }

    Expected FromLayouts() const
    {
        Expected e;
        StackList stacks;
        m_app->GetDocument()->GetBOMOptMgr()->GetAllDiagrams(stacks);
        const SheetDimensions sheet = m_row->GetSheetDimensions();
        const double width = sheet.GetWidth().GetInches();
        const double length = sheet.GetLength().GetInches();
        const double trimmed = (width - 2 * sheet.GetTopBottomTrim().GetInches())
            * (length - 2 * sheet.GetLeftRightTrim().GetInches());
        const bool perSquareFoot = dynamic_cast<const CSGPSSquareFoot*>(m_row->GetPricingScheme()) != nullptr;
        e.unitCost = m_row->GetUnitCost().AsReal();
        e.sheetCost = perSquareFoot ? e.unitCost * width * length / 144 : e.unitCost;
        for (const StackPtr& stack : stacks) {
            EXPECT_EQ(stack->GetStockSpec().size.get(), static_cast<IOptimizableSize*>(m_row.get()));
            e.sheets += stack->GetCount();
            std::vector<CMilledPart*> parts;
            stack->CollectPlacedParts(parts);
            double area = 0;
            for (const CMilledPart* part : parts)
                area += part->GetWidth().GetInches() * part->GetLength().GetInches();
            e.proRated += stack->GetCount() * (perSquareFoot ? area / 144 : area / trimmed);
        }
        return e;
    }

    // The B.O.M. page's row of Birch.
    Said FromBomPage()
    {
        ClickTab(CKWLView::PartsPage);
        ClickTab(CKWLView::BOMPage);
        const QStringList rows = BomRows();
        Said said;
        if (rows.size() != 2) {
            ADD_FAILURE() << rows.join(u'\n').toStdString();
            return said;
        }
        const QStringList headings = rows[0].split(QStringLiteral(" | "));
        const QStringList cells = rows[1].split(QStringLiteral(" | "));
        said.quantity = Number(cells.value(headings.indexOf(QStringLiteral("Quantity"))));
        said.total = Number(cells.value(headings.indexOf(QStringLiteral("Total Cost"))));
        m_toBuy = Number(cells.value(headings.indexOf(QStringLiteral("To Buy"))));
        return said;
    }

    // The Cost Summary's line of the row; its totals must be the sum of its lines.
    Said FromCostSummary()
    {
        const SimpleReportPtr report
            = ReportCreatorRegistry(*m_app->GetDocument()).GetCreator(kReportCostSummary)->Build();
        Said said;
        double lines = 0;
        int lineCount = 0;
        for (const SimpleReportRow& row : report->GetRows()) {
            if (row.cells.size() < 5)
                continue;
            if (row.indent == 1 && row.ruleFrom < 0 && !row.cells[4].isEmpty()) {
                said.quantity = Number(row.cells[3]);
                said.total = Number(row.cells[4]);
                lines += said.total;
                ++lineCount;
            } else if (row.cells[0].trimmed() == QStringLiteral("Total") || row.cells[0].trimmed() == QStringLiteral("Project Total")) {
                EXPECT_NEAR(Number(row.cells[4]), lines, 0.005) << row.cells[0].toStdString();
            }
        }
        EXPECT_EQ(lineCount, 1);
        return said;
    }

    // The mobile package's line item of the row: always whole sheets.
    Said FromPackage()
    {
        m_chosenPath = m_folder.filePath(QStringLiteral("Doors.ikwx"));
        QFile::remove(m_chosenPath);
        m_messages.clear();
        EXPECT_TRUE(Choose(ShellCommand::ExportForMobile));
        EXPECT_EQ(m_messages, QStringList{QStringLiteral("Export was successful.")});
        QFile file(m_chosenPath);
        Said said;
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "no package";
            return said;
        }
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("BomLineItem"))
                said.quantity = xml.attributes().value(QLatin1String("Qty")).toDouble();
            else if (xml.name() == QLatin1String("CostPrice") && said.total < 0)
                said.total = xml.attributes().value(QLatin1String("TotalCost")).toDouble();
        }
        return said;
    }

    void SetProRating(bool on)
    {
        if (GetUserPrefs()->GetFlag(PrefId::ProRateCosts) == on)
            return;
        ASSERT_TRUE(RunPreferences([on](CUserPrefsPropSheet& sheet) {
            auto* page = dynamic_cast<CPickListPrefsPg*>(sheet.GetPage(PrefsPage::PickList));
            ASSERT_TRUE(page);
            (on ? page->ProRateButton() : page->RoundUpButton())->click();
        }));
        ASSERT_EQ(GetUserPrefs()->GetFlag(PrefId::ProRateCosts), on);
    }

    // Every output against the arithmetic on the layouts, in the form the
    // preferences ask for. Returns what they said, to compare two moments.
    QString CheckOutputs()
    {
        const bool proRating = GetUserPrefs()->GetFlag(PrefId::ProRateCosts);
        const Said bom = FromBomPage();
        const Expected e = FromLayouts();
        EXPECT_GT(e.sheets, 0);
        const double quantity = proRating ? e.proRated : e.sheets;
        const double total = proRating ? e.proRated * e.unitCost : e.sheets * e.sheetCost;
        EXPECT_NEAR(bom.quantity, quantity, 0.006);
        EXPECT_NEAR(bom.total, total, 0.006 * e.unitCost + 0.006);
        const Said summary = FromCostSummary();
        EXPECT_NEAR(summary.quantity, quantity, 0.006);
        EXPECT_NEAR(summary.total, total, 0.006 * e.unitCost + 0.006);
        const Said package = FromPackage();
        EXPECT_EQ(package.quantity, e.sheets);
        EXPECT_NEAR(package.total, e.sheets * e.sheetCost, 0.006);
        if (!m_row->IsUnlimited() && !m_row->CanBuyMore()) {
            EXPECT_LE(e.sheets, m_row->GetInventory());
            EXPECT_EQ(m_toBuy, 0);
        }
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(bom.quantity)
            .arg(bom.total)
            .arg(summary.total)
            .arg(package.quantity)
            .arg(package.total);
    }

    QTemporaryDir m_folder;
    std::shared_ptr<CSheetGoodEx> m_birch;
    std::shared_ptr<ISGSC> m_row;
    double m_toBuy = -1;
};

TEST_F(StockEditJourney, TheBillTheCostSummaryAndThePackageCountTheEditedStock)
{
    StartProgram();
    ASSERT_NO_FATAL_FAILURE(SetUpProject());

    const auto setSheet = [](double width, double trim) {
        return [width, trim](ISGSC& row) {
            SheetDimensions sheet = row.GetSheetDimensions();
            sheet.SetWidth(CDimension::FromInches(width));
            sheet.SetTopBottomTrim(CDimension::FromInches(trim));
            sheet.SetLeftRightTrim(CDimension::FromInches(trim));
            row.SetSheetDimensions(sheet);
        };
    };
    const struct
    {
        const char* name;
        std::function<void(ISGSC&)> edit;
        bool skips; // parts are left off for want of stock
    } cases[] = {
        { "width 48 to 36", setSheet(36, 0), false },
        { "trims 0 to 5", setSheet(48, 5), false },
        { "one sheet in stock, none to buy",
            [](ISGSC& row) {
                row.SetInventory(1);
                row.SetCanBuyMore(false);
            },
            true },
        { "price 64 to 80", [](ISGSC& row) { SetPrice(row, 80); }, false },
        { "Sheets at 64 to Sq. Ft. at 2.50",
            [](ISGSC& row) {
                row.SetPricingScheme(std::make_unique<CSGPSSquareFoot>());
                SetPrice(row, 2.5);
            },
            false },
    };
    for (const bool proRating : { false, true }) {
        SCOPED_TRACE(proRating ? "pro-rated" : "whole sheets");
        ASSERT_NO_FATAL_FAILURE(SetProRating(proRating));
        const QString before = CheckOutputs();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            m_skippedPartsExpected = c.skips;
            std::shared_ptr<ISGSC> after = m_row->Clone();
            c.edit(*after);
            GetCmdHistory()->Add(std::make_shared<SheetGoodRowEditCmd>(m_birch, m_row, after));
            const QString edited = CheckOutputs();
            EXPECT_NE(edited, before);
            HistoryUndo();
            m_skippedPartsExpected = false;
            EXPECT_EQ(CheckOutputs(), before);
            HistoryRedo();
            m_skippedPartsExpected = c.skips;
            EXPECT_EQ(CheckOutputs(), edited);
            HistoryUndo();
            m_skippedPartsExpected = false;
        }
    }
}

} // namespace
