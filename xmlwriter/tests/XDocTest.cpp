#include <qzXml/XDoc.h>

#include "FailingAllocator.h"
#include "TempFolderTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using qzXml::XDoc;
using qzXml::XElement;

namespace {

class XDocTest : public qzXml::test::TempFolderTest
{
protected:
    std::u16string path(const char* name) const { return (m_dir / name).u16string(); }

    static std::string readAll(const std::u16string& file)
    {
        std::ifstream in(fs::path(file), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
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

// XML 1.0 allows no other control character, not even as a reference: a
// strict reader would refuse the file.
TEST_F(XDocTest, CharactersXmlForbidsAreDropped)
{
    XDoc doc;
    doc.AddChild(u"Notes")
        .WithAttribute(u"Memo", std::u16string(u"a\u0001b\u001Fc\uFFFEd\0e", 9))
        .WithValue(u"x\u0008y\u000Bz\uFFFF\r");
    ASSERT_TRUE(doc.Save(path("forbidden.xml")));
    EXPECT_EQ(readAll(path("forbidden.xml")),
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
        "<Notes Memo=\"abcde\">xyz&#x0D;</Notes>\r\n");
}

// A bad element or attribute name would make the file unreadable: the
// document refuses to save instead.
TEST_F(XDocTest, InvalidNamesAreRefusedWhenAdded)
{
    const std::u16string badNames[] = { u"", u"1st", u"two words", u"a<b", u"-x", u"a\u00D7" };
    for (const auto& name : badNames) {
        SCOPED_TRACE(fs::path(name).string());
        XDoc element;
        element.AddChild(u"Root").AddChild(name);
        EXPECT_FALSE(element.Save(path("bad.xml")));
        XDoc attribute;
        attribute.AddChild(u"Root").WithAttribute(name, u"v");
        EXPECT_FALSE(attribute.Save(path("bad.xml")));
    }
    XDoc good;
    good.AddChild(u"ns:Gr\u00F6\u00DFe_1.a-b").WithAttribute(u"\U00010000x", u"v");
    EXPECT_TRUE(good.Save(path("good.xml")));
}

TEST_F(XDocTest, SaveFailsWithoutWritableTarget)
{
    XDoc doc;
    doc.AddChild(u"Root");
    const std::u16string targets[] = {
        path("missing-folder/out.xml"), // folder does not exist
        m_dir.u16string(), // a folder, not a file (fails for root too)
        u"",
        path("out.xml") + u'\0' + u".bak", // the part before the NUL is not the file asked for
    };
    for (const auto& target : targets) {
        SCOPED_TRACE(fs::path(target).string());
        EXPECT_FALSE(doc.Save(target));
        EXPECT_FALSE(doc.GetErrorMsg().empty());
    }
    EXPECT_FALSE(fs::exists(m_dir / "out.xml"));
    // The tree is intact: a good target still works.
    EXPECT_TRUE(doc.Save(path("ok.xml")));
    EXPECT_TRUE(doc.GetErrorMsg().empty());
}

// A folder named in Latin-1: its name's bytes are not UTF-8, so no text
// names it; the system's bytes do.
TEST_F(XDocTest, SaveTakesAFileNameAsTheSystemsOwnBytes)
{
    const std::string folder = m_dir.string() + "/caf\xe9";
    ASSERT_TRUE(fs::create_directory(folder));
    XDoc doc;
    doc.AddChild(u"Root");
    ASSERT_TRUE(doc.Save(folder + "/out.xml"));
    std::ifstream in(folder + "/out.xml", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<Root />\r\n");
    // A NUL inside the name would name another file.
    EXPECT_FALSE(doc.Save(folder + "/other.xml" + '\0' + ".bak"));
    EXPECT_FALSE(fs::exists(folder + "/other.xml"));
}

TEST_F(XDocTest, SaveReportsAFullDevice)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    XDoc doc;
    doc.AddChild(u"Root");
    EXPECT_FALSE(doc.Save(u"/dev/full"));
}

// The document itself comes from the non-throwing new: when that fails the
// document is empty and refuses to save. (The test allocator must replace
// that form too, or a sanitizer's runtime hands out the memory instead.)
TEST_F(XDocTest, DocumentWithoutMemoryRefusesToSave)
{
    const std::u16string target = path("none.xml");
    kwl::testing::FailAllocation(0);
    XDoc doc;
    const bool failed = kwl::testing::StopFailingAllocations();
    EXPECT_TRUE(failed);
    EXPECT_FALSE(doc.Save(target));
    EXPECT_FALSE(fs::exists(fs::path(target)));
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

// Every allocation of building and saving may fail: none lets an exception
// out, and a document that lost content refuses to save rather than write a
// partial file. (A typed setter once built its number text outside its guard.)
TEST_F(XDocTest, RunningOutOfMemoryNeverThrowsNorSavesAPartialDocument)
{
    const std::u16string root = u"QxPackage", part = u"PartWithALongEnoughName", id = u"Identity",
                         name = u"Name", qty = u"Qty", width = u"Width", flag = u"Grain",
                         desc = u"Description",
                         text = u"Ahorn \u00E9 & a text long enough to live on the heap";
    const auto build = [&](XDoc& doc) {
        XElement r = doc.AddChild(root);
        r.WithAttribute(id, std::uint64_t { 18446744073709551615u }).WithAttribute(name, text);
        XElement p = r.AddChild(part);
        XElement copy(p);
        copy.WithAttribute(qty, std::int32_t { -7 }).WithAttribute(width, 12.5).WithAttribute(flag, true);
        p.AddChild(desc, text).WithValue(text);
        p = r.AddChild(part);
        p.WithAttribute(id, -9000000000000000000L).WithAttribute(qty, std::uint32_t { 4000000000u });
    };
    XDoc whole;
    build(whole);
    const std::u16string wholePath = path("whole.xml"), outPath = path("out.xml");
    ASSERT_TRUE(whole.Save(wholePath));
    const std::string expected = readAll(wholePath);

    int escaped = 0, partial = 0;
    bool saved = false;
    const auto runs = kwl::testing::ForEachFailingAllocation(
        [&] {
            try {
                XDoc doc;
                build(doc);
                saved = doc.Save(outPath);
            } catch (...) {
                ++escaped;
            }
        },
        [&] {
            if (saved && readAll(outPath) != expected)
                ++partial;
            saved = false;
            fs::remove(fs::path(outPath));
        });
    EXPECT_GT(runs, 10u);
    EXPECT_EQ(escaped, 0);
    EXPECT_EQ(partial, 0);
}

} // namespace
