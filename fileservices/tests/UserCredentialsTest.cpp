#include <shareguard/UserCredentials.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace shareguard {
namespace {

TEST(UserCredentialsTest, CleansUserNames)
{
    struct Case
    {
        std::u16string input, name, safe;
    } const cases[] = {
        { u"   ", u"user", u"user" },
        { u"", u"user", u"user" },
        { u"Ann Lee", u"Ann Lee", u"Ann_Lee" },
        { u"  Ann\tLee \r\n", u"AnnLee", u"AnnLee" },
        { u"a<b>:c\"d/e\\f|g?h*i", u"a<b>:c\"d/e\\f|g?h*i", u"abcdefghi" },
        { u"???", u"???", u"user" },
        { u"J\u00FCrgen M\u00FCller", u"J\u00FCrgen M\u00FCller", u"J\u00FCrgen_M\u00FCller" },
        // At most 30 characters, trimmed again after cutting.
        { u"123456789012345678901234567 9012345", u"123456789012345678901234567 90",
            u"123456789012345678901234567_90" },
        { u"12345678901234567890123456789 12", u"12345678901234567890123456789",
            u"12345678901234567890123456789" },
        // A character outside the basic plane is never cut in half.
        { u"12345678901234567890123456789\U0001F332", u"12345678901234567890123456789",
            u"12345678901234567890123456789" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input.begin(), c.input.end()));
        const UserCredentials credentials(c.input, u"{UID}");
        EXPECT_EQ(credentials.GetUsername(), c.name);
        EXPECT_EQ(credentials.GetSafeUsername(), c.safe);
        EXPECT_EQ(credentials.GetUID(), u"{UID}");
    }
}

TEST(UserCredentialsTest, FromUsernameMakesAFreshGuid)
{
    const UserCredentials first = UserCredentials::FromUsername(u"Ann");
    const UserCredentials second = UserCredentials::FromUsername(u"Ann");
    const std::u16string& uid = first.GetUID();
    const std::string narrow(uid.begin(), uid.end());
    EXPECT_TRUE(std::regex_match(
        narrow, std::regex("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}")))
        << narrow;
    EXPECT_NE(first.GetUID(), second.GetUID());
    EXPECT_EQ(first.GetUsername(), u"Ann");
}

TEST(UserCredentialsTest, DescriptorsMatchByUidOnly)
{
    const UserCredentials ann(u"Ann", u"{abc}");
    const CheckoutDescriptor descriptor = ann.GetCheckoutDescriptor(u"PC-1", u"POP");
    EXPECT_EQ(descriptor.GetUserName(), u"Ann");
    EXPECT_EQ(descriptor.GetUID(), u"{abc}");
    EXPECT_EQ(descriptor.GetTimeStamp(), 0);
    EXPECT_EQ(descriptor.GetPCSerialNumber(), u"PC-1");
    EXPECT_EQ(descriptor.GetPOP(), u"POP");
    EXPECT_TRUE(ann.DoesDescriptorMatch(descriptor));
    EXPECT_TRUE(ann.DoesDescriptorMatch(CheckoutDescriptor(u"Somebody", u"{abc}", u"", u"")));
    EXPECT_FALSE(ann.DoesDescriptorMatch(CheckoutDescriptor(u"Ann", u"{ABC}", u"", u"")));
}

} // namespace
} // namespace shareguard
