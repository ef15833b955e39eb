#include <platform/IniFile.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A line break in a value would start a line of its own that sets or hides
// another key: such a write is refused and the file stays as it was.
TEST_F(IniFileTest, RefusesLineBreaksThatWouldWriteASecondLine)
{
    put("[S]\r\nFolder=/home\r\n");
    const std::u16string values[] = { u"x\r\nFolder=/elsewhere", u"x\nFolder=/elsewhere", u"x\r" };
    for (const auto& value : values) {
        EXPECT_FALSE(IniFile::WriteString(m_file, u"S", u"Other", value));
        EXPECT_FALSE(IniFile::WriteString(m_file, u"S", value, u"v"));
    }
    EXPECT_EQ(bytes(), "[S]\r\nFolder=/home\r\n");
}

// A file in an 8-bit encoding (or with a stray byte) keeps its other lines
// byte for byte when one key is written; such a line reads as Latin-1.
TEST_F(IniFileTest, KeepsLinesThatAreNotUtf8ByteForByte)
{
    put("[S]\r\nName=M\xFCller\r\nBad=\xC3(\nk=1\r\n");
    ASSERT_TRUE(IniFile::WriteString(m_file, u"S", u"k", u"2"));
    EXPECT_EQ(bytes(), "[S]\r\nName=M\xFCller\r\nBad=\xC3(\nk=2\r\n");
    EXPECT_EQ(IniFile::ReadString(m_file, u"S", u"Name", u""), u"M\u00FCller");
}

TEST_F(IniFileTest, ReadsAndKeepsBigEndianUtf16)
{
    put(std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0a\0=\0\xE9\0\r\0\n", 22));
    EXPECT_EQ(IniFile::ReadString(m_file, u"S", u"a", u""), u"\u00E9");
    ASSERT_TRUE(IniFile::WriteString(m_file, u"S", u"b", u"1"));
    EXPECT_EQ(bytes(), std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0a\0=\0\xE9\0\r\0\n\0b\0=\0\x31\0\r\0\n", 32));
}

// Processes writing one file take turns: every key each of them wrote is there.
TEST_F(IniFileTest, WritersInSeveralProcessesLoseNoUpdate)
{
    constexpr int kProcesses = 3, kKeys = 30;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = fork();
        if (child == 0) {
            bool ok = true;
            for (int k = 0; k < kKeys; ++k) {
                const std::string key = "p" + std::to_string(p) + "k" + std::to_string(k);
                ok = IniFile::WriteString(m_file, u"S", std::u16string(key.begin(), key.end()), u"1") && ok;
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int missing = 0;
    for (int p = 0; p < kProcesses; ++p)
        for (int k = 0; k < kKeys; ++k) {
            const std::string key = "p" + std::to_string(p) + "k" + std::to_string(k);
            missing += IniFile::ReadInt(m_file, u"S", std::u16string(key.begin(), key.end()), 0) != 1;
        }
    EXPECT_EQ(missing, 0);
}

// A pipe would make every read wait for a writer, a device never end: such a
// name, and a file larger than any settings file, reads as missing at once,
// and no write replaces it.
TEST_F(IniFileTest, ANameThatIsNoRegularFileOrTooLargeReadsAsMissingAndIsNotReplaced)
{
    const fs::path pipe = m_dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct
    {
        const char* name;
        std::function<void()> make;
        fs::file_type kind;
    } cases[] = {
        {"a named pipe", [&] { ASSERT_EQ(::mkfifo(m_file.c_str(), 0600), 0); }, fs::file_type::fifo},
        {"a link to a named pipe", [&] { fs::create_symlink(pipe, m_file); }, fs::file_type::symlink},
        {"a folder", [&] { fs::create_directory(m_file); }, fs::file_type::directory},
        {"a file over the size",
         [&] {
             put("[Prefs]\r\nUnits=2\r\n");
             fs::resize_file(m_file, IniFile::kMaxFileBytes + 1);
         },
         fs::file_type::regular},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_file);
        ASSERT_NO_FATAL_FAILURE(c.make());
        EXPECT_EQ(IniFile::ReadInt(m_file, u"Prefs", u"Units", 7), 7);
        EXPECT_EQ(IniFile::ReadString(m_file, u"Prefs", u"Units", u"none"), u"none");
        EXPECT_FALSE(IniFile::WriteString(m_file, u"Prefs", u"Units", u"3"));
        EXPECT_EQ(fs::symlink_status(m_file).type(), c.kind);
    }
    EXPECT_EQ(fs::file_size(m_file), std::uintmax_t(IniFile::kMaxFileBytes + 1));
}
