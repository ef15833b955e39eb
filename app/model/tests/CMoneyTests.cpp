#include "model/CMoney.h"
#include "model/CostPriceDTO.h"

#include "ArchiveTestUtil.h"

#include <platform/ArchiveError.h>

#include <QLocale>

#include <gtest/gtest.h>

namespace {

// Pins the user's locale for one test.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);
const QLocale kGermany(QLocale::German, QLocale::Germany);

CMoney Money(std::int64_t count)
{
    return CMoney::FromCount(count);
}

} // namespace

TEST(CMoney, FormatsAndParsesInTheUserLocale)
{
    struct Case
    {
        const char* name;
        QLocale locale;
        std::int64_t count;
        QString shown;
    };
    const Case cases[] = {
        {"en_US", kUnitedStates, 12345000, QStringLiteral("$1,234.50")},
        {"en_US small", kUnitedStates, 3, QStringLiteral("$0.00")},
        {"de_DE", kGermany, 12345000, QStringLiteral("1.234,50\u00A0€")},
        {"de_DE negative", kGermany, -30000, QStringLiteral("-3,00\u00A0€")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocaleScope scope(c.locale);
        EXPECT_EQ(Money(c.count).FormatText(), c.shown);

        // What the program shows reads back (to the shown cents).
        CMoney parsed;
        ASSERT_TRUE(parsed.ParseCurrency(c.shown, CMoney::AllowZero | CMoney::AllowNegative));
        EXPECT_EQ(parsed.GetCount(), c.count / 100 * 100);
    }
}

TEST(CMoney, ParsesPlainAndGroupedNumbersOfTheLocale)
{
    struct Case
    {
        const char* name;
        QLocale locale;
        QString text;
        std::int64_t count;
    };
    const Case cases[] = {
        {"en plain", kUnitedStates, QStringLiteral("12.5"), 125000},
        {"en grouped", kUnitedStates, QStringLiteral("1,234.5678"), 12345678},
        {"en fifth decimal rounds", kUnitedStates, QStringLiteral("0.00005"), 1},
        {"de comma decimal", kGermany, QStringLiteral("12,5"), 125000},
        {"de grouped", kGermany, QStringLiteral("1.234,56"), 12345600},
        {"de with symbol", kGermany, QStringLiteral("7,25 €"), 72500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocaleScope scope(c.locale);
        CMoney money;
        ASSERT_TRUE(money.ParseCurrency(c.text, CMoney::AllowZero));
        EXPECT_EQ(money.GetCount(), c.count);
    }
}

TEST(CMoney, ParseFlagsRefuseAndKeepTheOldAmount)
{
    LocaleScope scope(kUnitedStates);
    struct Case
    {
        const char* name;
        QString text;
        unsigned flags;
        bool answer;
        std::int64_t count; // after the call; the old amount is 10000
    };
    const Case cases[] = {
        {"negative refused", QStringLiteral("-2.00"), CMoney::AllowZero, false, 10000},
        {"negative allowed", QStringLiteral("-2.00"), CMoney::AllowNegative, true, -20000},
        {"zero refused", QStringLiteral("0"), CMoney::AllowNegative, false, 10000},
        {"empty is zero", QString(), CMoney::AllowZero, true, 0},
        {"unparsable fails", QStringLiteral("abc"), CMoney::AllowZero, false, 10000},
        {"unparsable counts as success", QStringLiteral("abc"), CMoney::UnparsableIsSuccess, true, 10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMoney money = Money(10000);
        EXPECT_EQ(money.ParseCurrency(c.text, c.flags), c.answer);
        EXPECT_EQ(money.GetCount(), c.count);
    }
}

TEST(CMoney, ExchangesItselfWithFields)
{
    LocaleScope scope(kUnitedStates);
    struct Case
    {
        const char* name;
        bool hasNumber;
        double number;
        QString text;
        bool answer;
        std::int64_t count; // old amount 50000
    };
    const Case cases[] = {
        {"number truncates", true, 12.34567, QString(), true, 123456},
        {"number wins over text", true, 1.0, QStringLiteral("$9.00"), true, 10000},
        {"negative number refused", true, -1.0, QString(), false, 50000},
        {"decimal noise is no lost cent", true, 0.57, QString(), true, 5700},
        {"decimal noise of a larger amount", true, 1.13, QString(), true, 11300},
        {"decimal noise of a sum", true, 4.35, QString(), true, 43500},
        {"text", false, 0.0, QStringLiteral("$2.50"), true, 25000},
        {"negative text refused", false, 0.0, QStringLiteral("-2.50"), false, 50000},
        {"zero text allowed", false, 0.0, QStringLiteral("0"), true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CParseField field;
        if (!c.text.isEmpty())
            field.SetText(c.text);
        if (c.hasNumber)
            field.SetNumber(c.number);
        CMoney money = Money(50000);
        EXPECT_EQ(money.FromField(field), c.answer);
        EXPECT_EQ(money.GetCount(), c.count);
    }
    EXPECT_FALSE(CMoney().FromField(CParseField())) << "a field with neither";

    CParseField out;
    EXPECT_TRUE(Money(12345).ToField(out, CParseField::TextSet | CParseField::NumberSet));
    EXPECT_EQ(out.GetText(), QStringLiteral("$1.23"));
    EXPECT_DOUBLE_EQ(out.GetNumber(), 1.2345);
    EXPECT_EQ(out.GetFlags(), CParseField::TextSet | CParseField::NumberSet);
}

TEST(CMoney, MultiplicationTruncatesToTenThousandths)
{
    EXPECT_EQ(Money(10000).MultiplyBy(48.0 * 96.0 / 1550.0).GetCount(), 29729);
    EXPECT_EQ(Money(100000).MultiplyBy(2.4384).GetCount(), 243840);
    EXPECT_EQ(Money(-10000).MultiplyBy(0.33333).GetCount(), -3333);
    EXPECT_FALSE(Money(10000).MultiplyBy(1e300).IsValid()) << "beyond the count: invalid, not wrapped";
}

TEST(CostPriceDTO, AddsClearsAndRefusesAnUnknownVersion)
{
    CostPriceDTO a;
    CostPriceDTO b;
    for (int i = 0; i < CostPriceDTO::kAmounts; ++i) {
        a[i] = Money(i + 1);
        b[i] = Money(100 * (i + 1));
    }
    a += b;
    for (int i = 0; i < CostPriceDTO::kAmounts; ++i)
        EXPECT_EQ(a[i].GetCount(), 101 * (i + 1));

    const Bytes stored = StoreBytes([&](ArchiveWrapper& ar) { a.Serialize(ar); });
    EXPECT_EQ(stored.size(), 4u + 6u * 12u);
    CostPriceDTO loaded;
    LoadBytes(stored, [&](ArchiveWrapper& ar) { loaded.Serialize(ar); });
    for (int i = 0; i < CostPriceDTO::kAmounts; ++i)
        EXPECT_EQ(loaded[i], a[i]);

    Bytes version2 = stored;
    version2[0] = 2;
    try {
        LoadBytes(version2, [&](ArchiveWrapper& ar) { loaded.Serialize(ar); });
        FAIL() << "version 2 accepted";
    } catch (const platform::ArchiveError& error) {
        EXPECT_EQ(error.cause(), platform::ArchiveError::BadSchema);
        EXPECT_EQ(error.fileName(), "test.kwde");
    }

    a.Clear();
    for (int i = 0; i < CostPriceDTO::kAmounts; ++i)
        EXPECT_EQ(a[i].GetCount(), 0);
}
