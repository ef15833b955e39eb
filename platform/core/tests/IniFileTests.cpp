#include <platform/IniFile.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace platform;

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path()
            / ("kwl_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        m_file = m_dir / "Prefs.ini";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void put(const std::string& bytes) { std::ofstream(m_file, std::ios::binary) << bytes; }
    std::string bytes() const
    {
        std::ifstream in(m_file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path m_dir;
    fs::path m_file;
};

} // namespace

TEST_F(IniFileTest, ReadsCaseInsensitivelyWithDefaults)
{
    put("; comment\r\n[General]\r\nMRU Count = 12 \r\nName=\"  spaced  \"\r\nEmpty=\r\n[Other]\nmru "
        "count=3\n");
    struct Case
    {
        std::u16string section, key, def, expected;
    };
    const Case cases[] = {
        { u"general", u"mru count", u"x", u"12" },
        { u"GENERAL", u"Name", u"x", u"  spaced  " },
        { u"General", u"Empty", u"x", u"" },
        { u"General", u"Missing", u"dflt", u"dflt" },
        { u"Nowhere", u"MRU Count", u"dflt", u"dflt" },
        { u"Other", u"MRU COUNT", u"", u"3" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniFile::ReadString(m_file, c.section, c.key, c.def), c.expected);
    EXPECT_EQ(IniFile::ReadString(m_dir / "absent.ini", u"General", u"MRU Count", u"d"), u"d");
    EXPECT_EQ(IniFile::ReadString(m_file, u"General", u"Name", u"", 4), u"  sp");
}

TEST_F(IniFileTest, IntegersFromLeadingDigits)
{
    put("[S]\r\na=42\r\nb=17abc\r\nc=abc\r\nd=-5\r\ne=\r\nf=0x1F\r\ng= 8 \r\n");
    struct Case
    {
        const char16_t* key;
        int expected;
    };
    const Case cases[] = { { u"a", 42 }, { u"b", 17 }, { u"c", 0 }, { u"d", -5 }, { u"e", 99 }, { u"f", 31 },
        { u"g", 8 }, { u"zz", 99 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key)));
        EXPECT_EQ(IniFile::ReadInt(m_file, u"s", c.key, 99), c.expected);
    }
}

TEST_F(IniFileTest, WritesOneKeyInPlaceAndKeepsTheRest)
{
    put("; keep me\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    ASSERT_TRUE(IniFile::WriteString(m_file, u"a", u"X", u"10"));
    ASSERT_TRUE(IniFile::WriteString(m_file, u"A", u"new", u"n"));
    ASSERT_TRUE(IniFile::WriteString(m_file, u"C", u"k", u"v"));
    ASSERT_TRUE(IniFile::WriteString(m_file, u"B", u"z", std::nullopt));
    EXPECT_EQ(bytes(), "; keep me\r\n[A]\r\nX=10\r\ny=2\r\nnew=n\r\n\r\n[B]\r\n[C]\r\nk=v\r\n");
}

TEST_F(IniFileTest, CreatesMissingFile)
{
    ASSERT_TRUE(IniFile::WriteString(m_file, u"General", u"Display WxL", u"1"));
    EXPECT_EQ(bytes(), "[General]\r\nDisplay WxL=1\r\n");
    EXPECT_FALSE(IniFile::WriteString(m_dir / "no" / "such" / "x.ini", u"S", u"k", u"v"));
}

TEST_F(IniFileTest, KeepsUtf16FileUtf16)
{
    put(std::string("\xFF\xFE", 2)); // an empty Unicode text file
    ASSERT_TRUE(IniFile::WriteString(m_file, u"S", u"k", u"\u00E9"));
    const std::string expected("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0", 22);
    EXPECT_EQ(bytes(), expected);
    EXPECT_EQ(IniFile::ReadString(m_file, u"s", u"K", u""), u"\u00E9");
}
