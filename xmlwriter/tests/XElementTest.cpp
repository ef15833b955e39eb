#include <qzXml/XDoc.h>

#include "TempFolderTest.h"

#include <gtest/gtest.h>

#include <tinyxml.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;
using qzXml::XDoc;
using qzXml::XElement;

namespace {

// Saves the document and reads it back with the parser, so that tests look
// at what a reader of the file sees.
class XElementTest : public qzXml::test::TempFolderTest
{
protected:
    // The first top-level element of the saved document.
    const TiXmlElement* saveAndParse(const XDoc& doc)
    {
        const fs::path file = m_dir / "doc.xml";
        EXPECT_TRUE(doc.Save(file.u16string()));
        EXPECT_TRUE(m_parsed.LoadFile(file.string()));
        return m_parsed.FirstChildElement();
    }

    static int attributeCount(const TiXmlElement* element)
    {
        int count = 0;
        for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
            ++count;
        return count;
    }

    TiXmlDocument m_parsed;
};

struct AttributeCase
{
    const char* label;
    std::function<void(XElement&)> set;
    const char* expected; // nullptr: the attribute must be absent
};

TEST_F(XElementTest, TypedAttributesAndTheirZeroValues)
{
    const AttributeCase cases[] = {
        { "text", [](XElement& e) { e.WithAttribute(u"v", u"Birch \u00E9"); }, "Birch \u00E9" },
        { "empty text", [](XElement& e) { e.WithAttribute(u"v", u""); }, nullptr },
        { "empty u16string", [](XElement& e) { e.WithAttribute(u"v", std::u16string()); }, nullptr },
        { "int", [](XElement& e) { e.WithAttribute(u"v", std::int32_t { -42 }); }, "-42" },
        { "int zero", [](XElement& e) { e.WithAttribute(u"v", std::int32_t { 0 }); }, nullptr },
        { "bool true", [](XElement& e) { e.WithAttribute(u"v", true); }, "1" },
        { "bool false", [](XElement& e) { e.WithAttribute(u"v", false); }, nullptr },
        { "long", [](XElement& e) { e.WithAttribute(u"v", -2147483647L - 1); }, "-2147483648" },
        { "long zero", [](XElement& e) { e.WithAttribute(u"v", 0L); }, nullptr },
        { "unsigned", [](XElement& e) { e.WithAttribute(u"v", std::uint32_t { 4294967295u }); },
            "4294967295" },
        { "unsigned zero", [](XElement& e) { e.WithAttribute(u"v", std::uint32_t { 0 }); }, nullptr },
        { "uint64", [](XElement& e) { e.WithAttribute(u"v", std::uint64_t { 18446744073709551615u }); },
            "18446744073709551615" },
        { "uint64 zero", [](XElement& e) { e.WithAttribute(u"v", std::uint64_t { 0 }); }, nullptr },
        { "real", [](XElement& e) { e.WithAttribute(u"v", 0.75); }, "0.75" },
        { "real %g precision", [](XElement& e) { e.WithAttribute(u"v", 1234567.0); }, "1.23457e+06" },
        { "real small", [](XElement& e) { e.WithAttribute(u"v", 0.0001); }, "0.0001" },
        { "real negative", [](XElement& e) { e.WithAttribute(u"v", -3.0); }, "-3" },
        { "real zero", [](XElement& e) { e.WithAttribute(u"v", 0.0); }, nullptr },
        { "real negative zero", [](XElement& e) { e.WithAttribute(u"v", -0.0); }, nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        XDoc doc;
        XElement element = doc.AddChild(u"E");
        c.set(element);
        const TiXmlElement* parsed = saveAndParse(doc);
        ASSERT_NE(parsed, nullptr);
        if (c.expected) {
            ASSERT_NE(parsed->Attribute("v"), nullptr);
            EXPECT_STREQ(parsed->Attribute("v"), c.expected);
        } else {
            EXPECT_EQ(attributeCount(parsed), 0);
        }
    }
}

TEST_F(XElementTest, SettingAnAttributeAgainKeepsItsPlace)
{
    XDoc doc;
    doc.AddChild(u"E").WithAttribute(u"a", 1).WithAttribute(u"b", 2).WithAttribute(u"a", u"again");
    const TiXmlElement* parsed = saveAndParse(doc);
    ASSERT_NE(parsed, nullptr);
    const TiXmlAttribute* first = parsed->FirstAttribute();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->Name(), "a");
    EXPECT_STREQ(first->Value(), "again");
    ASSERT_NE(first->Next(), nullptr);
    EXPECT_STREQ(first->Next()->Name(), "b");
    EXPECT_EQ(first->Next()->Next(), nullptr);
}

TEST_F(XElementTest, HandlesShareTheirElementAndNeverFreeIt)
{
    XDoc doc;
    XElement root = doc.AddChild(u"Root");
    {
        XElement copy(root);
        XElement other = doc.AddChild(u"Other");
        other = root; // now a second handle on Root
        copy.AddChild(u"FromCopy");
        other.AddChild(u"FromAssigned");
    } // the handles die, the elements stay
    root.AddChild(u"FromRoot");

    const TiXmlElement* parsed = saveAndParse(doc);
    ASSERT_NE(parsed, nullptr);
    EXPECT_STREQ(parsed->Value(), "Root");
    const char* expected[] = { "FromCopy", "FromAssigned", "FromRoot" };
    const TiXmlElement* child = parsed->FirstChildElement();
    for (const char* name : expected) {
        ASSERT_NE(child, nullptr);
        EXPECT_STREQ(child->Value(), name);
        child = child->NextSiblingElement();
    }
    EXPECT_EQ(child, nullptr);
    ASSERT_NE(parsed->NextSiblingElement(), nullptr);
    EXPECT_STREQ(parsed->NextSiblingElement()->Value(), "Other");
}

TEST_F(XElementTest, TextsReadBackExactly)
{
    // Markup characters, what looks like a reference, and text outside the BMP.
    const std::u16string texts[] = {
        u"Pl\u00E4tte & Co <3>",
        u"&#x41; stays literal",
        u"&#x",
        u"\u65E5\u672C\u8A9E \U0001F332",
        u"line1\nline2",
    };
    for (const auto& text : texts) {
        XDoc doc;
        XElement root = doc.AddChild(u"R");
        root.WithAttribute(u"a", text);
        root.AddChild(u"T", text);
        root.AddChild(u"V").WithValue(text);
        const TiXmlElement* parsed = saveAndParse(doc);
        ASSERT_NE(parsed, nullptr);
        const std::string utf8 = fs::path(text).string();
        SCOPED_TRACE(utf8);
        EXPECT_STREQ(parsed->Attribute("a"), utf8.c_str());
        EXPECT_STREQ(parsed->FirstChildElement("T")->GetText(), utf8.c_str());
        EXPECT_STREQ(parsed->FirstChildElement("V")->GetText(), utf8.c_str());
    }
}

} // namespace
