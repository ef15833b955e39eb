#include "model/CPricingScheme.h"

#include "foundation/SheetDimensions.h"
#include "model/CMoney.h"
#include "model/ISheetPriceable.h"
#include "model/ModelStrings.h"

#include "ArchiveTestUtil.h"

#include <platform/ArchiveError.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

CDimension Inches(double inches)
{
    return CDimension::FromInches(inches);
}

class PricedRow : public ISheetPriceable
{
public:
    PricedRow(std::int64_t unitCost, double width, double length, double topBottomTrim = 0.0,
              double leftRightTrim = 0.0)
        : m_cost(CMoney::FromCount(unitCost))
    {
        m_sheet.SetWidth(Inches(width));
        m_sheet.SetLength(Inches(length));
        m_sheet.SetTopBottomTrim(Inches(topBottomTrim));
        m_sheet.SetLeftRightTrim(Inches(leftRightTrim));
    }
    CMoney GetUnitCost() const override { return m_cost; }
    SheetDimensions GetSheetDimensions() const override { return m_sheet; }

private:
    CMoney m_cost;
    SheetDimensions m_sheet;
};

struct SchemeCase
{
    const char* name;
    std::function<std::unique_ptr<CSheetGoodPS>()> make;
    QString unitText;
    int unitCode;
};

const SchemeCase kSchemes[] = {
    {"sheet", [] { return std::make_unique<CSGPSSheet>(); }, QStringLiteral("Sheets"), 14},
    {"square foot", [] { return std::make_unique<CSGPSSquareFoot>(); }, QStringLiteral("Sq. Ft."), 15},
    {"square metre", [] { return std::make_unique<CSGPSSquareMeter>(); }, QStringLiteral("Sq. M."), 16},
    {"board", [] { return std::make_unique<CSGPSBoard>(); }, QStringLiteral("Boards"), 18},
    {"lineal metre", [] { return std::make_unique<CSGPSLinealMeter>(); }, QStringLiteral("Lineal M."), 19},
};

} // namespace

TEST(PricingScheme, SheetCostOfEveryUnit)
{
    // A 48 x 96 inch sheet with trims (which the sheet cost ignores).
    struct Case
    {
        const char* name;
        std::unique_ptr<CSheetGoodPS> scheme;
        std::int64_t unitCost;
        std::int64_t sheetCost;
    };
    Case cases[] = {
        {"sheet", std::make_unique<CSGPSSheet>(), 425000, 425000},
        {"square foot: 32 sq ft", std::make_unique<CSGPSSquareFoot>(), 10000, 320000},
        {"square metre: 2.97290 sq m", std::make_unique<CSGPSSquareMeter>(), 10000, 29729},
        {"board", std::make_unique<CSGPSBoard>(), 77700, 77700},
        {"lineal metre: 2.4384 m", std::make_unique<CSGPSLinealMeter>(), 100000, 243840},
        {"base scheme", std::make_unique<CSheetGoodPS>(), 10000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PricedRow row(c.unitCost, 48, 96, 0.5, 0.25);
        EXPECT_EQ(c.scheme->GetSheetCost(row).GetCount(), c.sheetCost);
    }
}

TEST(PricingScheme, QuantityOfAPieceForEveryUnit)
{
    // Trimmed sheet 47 x 95 (trims 1/2 across the width, 1/2 across the length).
    const PricedRow row(10000, 48, 96, 0.5, 0.5);
    const CDimension width = Inches(23.5);
    const CDimension length = Inches(95);
    struct Case
    {
        const char* name;
        std::unique_ptr<CSheetGoodPS> scheme;
        double quantity;
    };
    Case cases[] = {
        {"sheet: half the trimmed area", std::make_unique<CSGPSSheet>(), 0.5},
        {"board: half the trimmed area", std::make_unique<CSGPSBoard>(), 0.5},
        {"square foot", std::make_unique<CSGPSSquareFoot>(), 23.5 * 95 / 144},
        {"square metre", std::make_unique<CSGPSSquareMeter>(), 23.5 * 95 / 1550},
        {"lineal metre", std::make_unique<CSGPSLinealMeter>(), 0.5 * (95 / 0.393700787 / 100)},
        {"base scheme", std::make_unique<CSheetGoodPS>(), 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.scheme->GetQuantity(width, length, row), c.quantity, 1e-9);
    }
}

TEST(PricingScheme, QuantityOnASheetTrimmedAwayIsZeroNotInfinity)
{
    // Trims that take the whole width leave no trimmed area or width.
    const PricedRow row(10000, 48, 96, 30, 0);
    for (const SchemeCase& c : kSchemes) {
        SCOPED_TRACE(c.name);
        const double quantity = c.make()->GetQuantity(Inches(10), Inches(20), row);
        EXPECT_TRUE(std::isfinite(quantity));
        if (c.unitCode == 14 || c.unitCode == 18 || c.unitCode == 19) {
            EXPECT_DOUBLE_EQ(quantity, 0.0);
        }
    }
}

TEST(PricingScheme, UnitTextsCodesAndCopies)
{
    for (const SchemeCase& c : kSchemes) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CSheetGoodPS> scheme = c.make();
        EXPECT_EQ(scheme->GetUnitText(), c.unitText);
        EXPECT_EQ(scheme->GetUnitCode(), c.unitCode);
        const std::unique_ptr<CPricingScheme> copy = scheme->CreateCopy();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetUnitCode(), c.unitCode);

        const std::unique_ptr<CSheetGoodPS> byText = CreatePricingScheme(c.unitText.toLower());
        ASSERT_NE(byText, nullptr);
        EXPECT_EQ(byText->GetUnitCode(), c.unitCode);
    }
    EXPECT_EQ(CSheetGoodPS().CreateCopy(), nullptr);
    EXPECT_EQ(CSheetGoodPS().GetUnitCode(), 0);
}

TEST(PricingScheme, CreateFromUnitText)
{
    const std::unique_ptr<CSheetGoodPS> empty = CreatePricingScheme(QString());
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetUnitCode(), 14);
    const std::unique_ptr<CSheetGoodPS> defaultUnit = CreatePricingScheme(UiText(kStrDefaultSheetUnit));
    ASSERT_NE(defaultUnit, nullptr);
    EXPECT_EQ(defaultUnit->GetUnitCode(), 14);
    EXPECT_EQ(CreatePricingScheme(UiText(kStrUnitLinealFeet)), nullptr);
    EXPECT_EQ(CreatePricingScheme(QStringLiteral("per bag")), nullptr);
}

TEST(PricingSchemeArchive, ClassTagOnFirstUseThenFurtherObjectTag)
{
    CSGPSSquareFoot first;
    CSGPSSquareFoot second;
    CSGPSSheet third;
    const Bytes bytes = StoreBytes([&](ArchiveWrapper& ar) {
        StorePricingScheme(ar, first);
        StorePricingScheme(ar, second);
        StorePricingScheme(ar, third);
    });
    // FFFF, schema 15, length 15, "CSGPSSquareFoot"; then 0x8001 (class 1);
    // then FFFF, 15, 10, "CSGPSSheet".
    Bytes expected = {0xFF, 0xFF, 0x0F, 0x00, 0x0F, 0x00};
    for (char c : std::string("CSGPSSquareFoot"))
        expected.push_back(static_cast<std::uint8_t>(c));
    expected.insert(expected.end(), {0x01, 0x80, 0xFF, 0xFF, 0x0F, 0x00, 0x0A, 0x00});
    for (char c : std::string("CSGPSSheet"))
        expected.push_back(static_cast<std::uint8_t>(c));
    EXPECT_EQ(bytes, expected);

    LoadBytes(bytes, [](ArchiveWrapper& ar) {
        EXPECT_EQ(LoadPricingScheme(ar)->GetUnitCode(), 15);
        EXPECT_EQ(LoadPricingScheme(ar)->GetUnitCode(), 15);
        EXPECT_EQ(LoadPricingScheme(ar)->GetUnitCode(), 14);
    });
}

TEST(PricingSchemeArchive, RefusesNullBaseAndForeignObjects)
{
    const auto classRecord = [](const std::string& name) {
        Bytes bytes = {0xFF, 0xFF, 0x0F, 0x00, static_cast<std::uint8_t>(name.size()), 0x00};
        for (char c : name)
            bytes.push_back(static_cast<std::uint8_t>(c));
        return bytes;
    };
    struct Case
    {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"null object", {0x00, 0x00}},
        {"bare sheet-good scheme", classRecord("CSheetGoodPS")},
        {"bare root scheme", classRecord("CPricingScheme")},
        {"another class", classRecord("CVendor")},
        {"reference to nothing read", {0x05, 0x00}},
        {"truncated", {0xFF, 0xFF, 0x0F}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(LoadBytes(c.bytes, [](ArchiveWrapper& ar) { LoadPricingScheme(ar); }), platform::ArchiveError);
    }
}
