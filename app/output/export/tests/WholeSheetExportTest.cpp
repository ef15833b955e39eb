// Export for Mobile with "Pro-Rate Costs" on: the package counts and prices
// whole sheets exactly as with it off, and the preference is the user's
// again afterwards. A real optimization over the real preferences store.
#include "output/export/DocumentExportSource.h"
#include "output/export/ExportDataBuilder.h"
#include "output/export/MobileExportCommand.h"

#include "FakeOptimizationDoc.h"
#include "ProjectTestFixture.h"
#include "foundation/CUserPrefs.h"
#include "model/CPricingScheme.h"
#include "optimization/OptimizationTarget.h"

#include <platform/IniFile.h>

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <stdexcept>

namespace {

using namespace iDeviceExport;

// What the package says of one line item, by the identity of its stock row.
struct PackagedLine
{
    std::string qty;
    std::string qtyFromInventory;
    std::string totalCost;
};

std::map<std::uint64_t, PackagedLine> PackagedLines(const QByteArray& package)
{
    std::map<std::uint64_t, PackagedLine> lines;
    QXmlStreamReader xml(package);
    PackagedLine current;
    std::uint64_t row = 0;
    auto text = [&xml](const char* name) {
        return xml.attributes().value(QLatin1String(name)).toString().toStdString();
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("BomLineItem")) {
            current = { text("Qty"), text("QtyFromInv"), {} };
        } else if (xml.name() == QLatin1String("StockSpec")) {
            row = xml.attributes().value(QLatin1String("SCID")).toULongLong();
        } else if (xml.name() == QLatin1String("CostPrice")) {
            current.totalCost = text("TotalCost");
            lines[row] = current;
        } else if (xml.name() == QLatin1String("Parts")) {
            break;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return lines;
}

// A source whose parts cannot be read: the build fails part-way.
class FailingSource : public DocumentExportSource
{
public:
    using DocumentExportSource::DocumentExportSource;
    std::vector<CMilledPart*> GetParts() const override { throw std::runtime_error("parts unreadable"); }
};

// Birch priced by the sheet (50.00 a 48" x 96" sheet, one in stock) and
// Maple by the square foot (2.40, a 30" x 60" sheet is 12.5 sq. ft.), each
// cut by the optimizer: two sheets of Birch, five of Maple.
class WholeSheetExportTest : public ProjectTest
{
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        auto* store = new CUserPrefs;
        store->Init(m_files.filePath(QStringLiteral("prefs")), m_files.filePath(QStringLiteral("docs")));
        SetUserPrefs(store);
        m_prefs.prefs = nullptr;
        m_store = store;
        // From here on, any write of a preference brings the file back.
        ASSERT_TRUE(QFile::remove(m_store->GetPrefsFilePath()));

        auto birch = AddMaterial(QStringLiteral("Birch"));
        m_birchRow = PricedRow(*birch, 48, 96, std::make_unique<CSGPSSheet>(), 50.0);
        m_birchRow->SetInventory(1);
        auto maple = AddMaterial(QStringLiteral("Maple"));
        m_mapleRow = PricedRow(*maple, 30, 60, std::make_unique<CSGPSSquareFoot>(), 2.40);
        m_mapleRow->SetUnlimited();
        CMilledPart* shelf = AddPart(birch, Inches(0.75), 8);
        shelf->SetWidth(Inches(23));
        shelf->SetLength(Inches(47));
        CMilledPart* panel = AddPart(maple, Inches(0.75), 5);
        panel->SetWidth(Inches(29));
        panel->SetLength(Inches(59));
        m_doc.bom = m_bom;
        m_doc.parts = Parts();
        ASSERT_NO_FATAL_FAILURE(Optimize());
    }

    static std::shared_ptr<ISGSC> PricedRow(CSheetGoodEx& material, double width, double length,
        std::unique_ptr<CSheetGoodPS> scheme, double price)
    {
        auto row = AddRow(material, 0.75, width, length);
        row->SetPricingScheme(std::move(scheme));
        const CMoney cost = CMoney::FromReal(price);
        row->SetUnitCost(&cost);
        return row;
    }

    void Optimize()
    {
        m_bom->AddParts(Parts());
        OptTargetList pending;
        m_bom->CollectPendingJobs(kCollectPendingTargets, pending);
        ASSERT_EQ(pending.size(), 2U);
        for (const auto& target : pending) {
            const auto job
                = m_bom->MakeOptimizationJob(std::dynamic_pointer_cast<OptimizationTarget>(target), m_doc);
            ASSERT_TRUE(job);
            BOMOptMgr::RunOptimizationJob(*job);
        }
        m_bom->AfterOptimizationRun();
        ASSERT_TRUE(m_bom->IsFullyOptimized());
    }

    QByteArray Export(const char* name)
    {
        const QString path = m_files.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(MobileExportJob(m_doc).Run(path));
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The preference as the file holds it; empty when the file does not
    // hold it (or is not there).
    QString ProRateInFile() const
    {
        return QString::fromStdU16String(platform::IniFile::ReadString(
            m_store->GetPrefsFilePath().toStdString(), u"Pick List Options", u"Pro-Rate Costs", u""));
    }

    QTemporaryDir m_files;
    CUserPrefs* m_store = nullptr;
    FakeOptimizationDoc m_doc;
    std::shared_ptr<ISGSC> m_birchRow;
    std::shared_ptr<ISGSC> m_mapleRow;
};

TEST_F(WholeSheetExportTest, ProRatingOnGivesTheSamePackageOfWholeSheetsAsOff)
{
    const QByteArray off = Export("off.ikwx");
    EXPECT_FALSE(m_store->GetFlag(PrefId::ProRateCosts));
    EXPECT_FALSE(QFile::exists(m_store->GetPrefsFilePath())) << "a preference that was off is not written";

    m_store->SetFlag(PrefId::ProRateCosts, true);
    // The bill itself answers pro-rated while the preference is on.
    const OptimizedLineItemPtr mapleItem
        = BillOf(QStringLiteral("Maple"))->GetResultsList().front()->GetLineItems().front();
    ASSERT_NE(mapleItem->GetTotalCost(), CMoney::FromReal(150));
    const QByteArray on = Export("on.ikwx");
    EXPECT_TRUE(m_store->GetFlag(PrefId::ProRateCosts));
    EXPECT_EQ(ProRateInFile(), QStringLiteral("1"));

    ASSERT_FALSE(off.isEmpty());
    EXPECT_EQ(on.toStdString(), off.toStdString());
    const std::map<std::uint64_t, PackagedLine> lines = PackagedLines(on);
    const struct
    {
        const char* name;
        std::uint64_t row;
        PackagedLine expected;
    } cases[] = {
        // Two sheets, one of them the sheet in stock, at 50.00 a sheet.
        { "priced by the sheet", m_birchRow->GetIdentity(), { "2", "1", "100" } },
        // Five sheets, all from unlimited stock, at 12.5 x 2.40 = 30.00 a sheet.
        { "priced by the square foot", m_mapleRow->GetIdentity(), { "5", "5", "150" } },
    };
    ASSERT_EQ(lines.size(), std::size(cases));
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_EQ(lines.count(test.row), 1U);
        const PackagedLine& line = lines.at(test.row);
        EXPECT_EQ(line.qty, test.expected.qty);
        EXPECT_EQ(line.qtyFromInventory, test.expected.qtyFromInventory);
        EXPECT_EQ(line.totalCost, test.expected.totalCost);
    }
}

TEST_F(WholeSheetExportTest, ABuildThatFailsStillTurnsProRatingBackOn)
{
    m_store->SetFlag(PrefId::ProRateCosts, true);
    const FailingSource source(m_doc);
    ExportPackage package;
    EXPECT_THROW(ExportDataBuilder(source, package).Build(), std::runtime_error);
    EXPECT_TRUE(m_store->GetFlag(PrefId::ProRateCosts));
    EXPECT_EQ(ProRateInFile(), QStringLiteral("1"));
    // It was off while the bill was read.
    ASSERT_FALSE(package.BomLineItems.empty());
    EXPECT_EQ(package.BomLineItems.front().Qty, 2.0);
}

} // namespace
