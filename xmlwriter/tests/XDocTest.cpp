#include <qzXml/XDoc.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using qzXml::XDoc;
using qzXml::XElement;

namespace {

class XDocTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qzxml-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::u16string path(const char* name) const { return (m_dir / name).u16string(); }

    static std::string readAll(const std::u16string& file)
    {
        std::ifstream in(fs::path(file), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

TEST_F(XDocTest, WritesDeclarationIndentEscapingAndUtf8)
{
    XDoc doc;
    XElement root = doc.AddChild(u"QxPackage");
    root.WithAttribute(u"Version", 2).WithAttribute(u"Name", u"Tisch \u00ABOrsted\u00BB & S\u00F6hne");
    root.AddChild(u"Empty");
    root.AddChild(u"Note", u"a<b>\"c\"'d'");
    XElement part = root.AddChild(u"Part");
    part.WithAttribute(u"Qty", 0).WithAttribute(u"Width", 12.5).WithAttribute(u"Quote", u"say \"hi\"");
    part.AddChild(u"Desc", u"Gr\u00F6\u00DFe 3/4\" \u2013 Ahorn \U0001F332");
    part.AddChild(u"Blank", u"");

    ASSERT_TRUE(doc.Save(path("out.ikwx")));
    const std::string expected
        = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
          "<QxPackage Version=\"2\" Name=\"Tisch \u00ABOrsted\u00BB &amp; S\u00F6hne\">\r\n"
          "    <Empty />\r\n"
          "    <Note>a&lt;b&gt;&quot;c&quot;&apos;d&apos;</Note>\r\n"
          "    <Part Width=\"12.5\" Quote='say &quot;hi&quot;'>\r\n"
          "        <Desc>Gr\u00F6\u00DFe 3/4&quot; \u2013 Ahorn \U0001F332</Desc>\r\n"
          "        <Blank></Blank>\r\n"
          "    </Part>\r\n"
          "</QxPackage>\r\n";
    EXPECT_EQ(readAll(path("out.ikwx")), expected);
}

TEST_F(XDocTest, ControlCharactersBecomeCharacterReferences)
{
    XDoc doc;
    doc.AddChild(u"Notes").WithAttribute(u"Memo", u"x\ny").WithValue(u"one\ntwo\tthree");
    ASSERT_TRUE(doc.Save(path("ctl.xml")));
    EXPECT_EQ(readAll(path("ctl.xml")),
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
        "<Notes Memo=\"x&#x0A;y\">one&#x0A;two&#x09;three</Notes>\r\n");
}

TEST_F(XDocTest, SaveFailsWithoutWritableTarget)
{
    XDoc doc;
    doc.AddChild(u"Root");
    const std::u16string targets[] = {
        path("missing-folder/out.xml"), // folder does not exist
        m_dir.u16string(), // a folder, not a file (fails for root too)
        u"",
    };
    for (const auto& target : targets) {
        SCOPED_TRACE(fs::path(target).string());
        EXPECT_FALSE(doc.Save(target));
        EXPECT_FALSE(doc.GetErrorMsg().empty());
    }
    // The tree is intact: a good target still works.
    EXPECT_TRUE(doc.Save(path("ok.xml")));
    EXPECT_TRUE(doc.GetErrorMsg().empty());
}

TEST_F(XDocTest, SaveReportsAFullDevice)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    XDoc doc;
    doc.AddChild(u"Root");
    EXPECT_FALSE(doc.Save(u"/dev/full"));
}

TEST_F(XDocTest, MovingLeavesTheSourceEmpty)
{
    XDoc source;
    source.AddChild(u"Moved");
    XDoc target(std::move(source));
    EXPECT_FALSE(source.Save(path("source.xml")));
    EXPECT_FALSE(fs::exists(path("source.xml")));

    XDoc assigned;
    assigned.AddChild(u"Dropped");
    assigned = std::move(target);
    ASSERT_TRUE(assigned.Save(path("assigned.xml")));
    EXPECT_EQ(readAll(path("assigned.xml")), "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<Moved />\r\n");
}

} // namespace
