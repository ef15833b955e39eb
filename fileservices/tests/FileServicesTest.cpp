#include <shareguard/FileServices.h>
#include <shareguard/IFileServicesData.h>

#include "TestFolder.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace shareguard::test {
namespace {

using namespace std::string_literals;

// A small block of data: a number and a text.
struct Record : IFileServicesData
{
    std::uint32_t number = 0;
    std::u16string text;
    bool failStore = false;

    void Store(platform::BinaryArchive& archive) const override
    {
        if (failStore)
            throw std::runtime_error("store failed");
        archive.write<std::uint32_t>(number);
        archive.writeText(text);
    }
    void Load(platform::BinaryArchive& archive) override
    {
        const auto n = archive.read<std::uint32_t>();
        if (n == 0)
            throw platform::ArchiveError(platform::ArchiveError::BadSchema, archive.filePath());
        std::u16string t = archive.readText();
        number = n;
        text = std::move(t);
    }
};

class FileServicesTest : public ::testing::Test
{
protected:
    FileServicesTest()
    {
        WriteBytes(m_dir.path("file.txt"), "content");
        fs::create_directory(m_dir.root() / "folder");
    }

    FileServices m_files;
    TestFolder m_dir;
};

// Test folders follow TMPDIR, so that a run can keep its files where the
// person running it chose.
TEST(TestFolderTest, LivesUnderTmpdirWhenSet)
{
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved ? saved : "";
    const fs::path chosen = kwl::testing::MakeTempFolder("chosen");
    ASSERT_FALSE(chosen.empty());
    setenv("TMPDIR", chosen.c_str(), 1);
    fs::path made;
    {
        TestFolder folder;
        made = folder.root();
    }
    saved ? setenv("TMPDIR", previous.c_str(), 1) : unsetenv("TMPDIR");
    EXPECT_EQ(made.parent_path(), chosen);
    fs::remove_all(chosen);
}

TEST_F(FileServicesTest, TellsFilesFromFolders)
{
    struct Case
    {
        std::string name;
        bool file, folder;
    } const cases[] = {
        { "file.txt", true, false }, { "folder", false, true }, { "missing", false, false },
        { "missing/inner.txt", false, false },
        { "file.txt/inner.txt", false, false }, // a file is not a folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_files.DoesFileExist(m_dir.path(c.name)), c.file);
        EXPECT_EQ(m_files.DoesFolderExist(m_dir.path(c.name)), c.folder);
    }
    EXPECT_FALSE(m_files.DoesFileExist(u""));
    EXPECT_FALSE(m_files.DoesFolderExist(u""));
}

TEST_F(FileServicesTest, ModificationTimeOfFilesOnly)
{
    const auto file = m_dir.path("file.txt");
    fs::last_write_time(fs::path(file),
        fs::file_time_type::clock::from_sys(
            std::chrono::sys_seconds { std::chrono::seconds { 1700000000 } }));
    std::int64_t time = 0;
    ASSERT_TRUE(m_files.GetLastModTime(file, time));
    EXPECT_EQ(time, 1700000000);
    time = 7;
    EXPECT_FALSE(m_files.GetLastModTime(m_dir.path("missing"), time));
    EXPECT_EQ(time, 7);
}

TEST_F(FileServicesTest, DataRoundTripsAndReplacesOldContent)
{
    const auto path = m_dir.path("file.txt"); // already holds other bytes
    Record out;
    out.number = 0x01020304;
    out.text = u"Sp\u00E4ne";
    ASSERT_TRUE(m_files.CreateFileWithData(path, out));
    EXPECT_EQ(ReadBytes(path), "\x04\x03\x02\x01\xFF\xFE\xFF\x05S\0p\0\xE4\0n\0e\0"s);

    Record in;
    ASSERT_TRUE(m_files.ReadFileWithData(path, in));
    EXPECT_EQ(in.number, out.number);
    EXPECT_EQ(in.text, out.text);
}

TEST_F(FileServicesTest, DataWriteFailuresLeaveFilesAlone)
{
    Record record;
    record.number = 1;
    EXPECT_FALSE(m_files.CreateFileWithData(m_dir.path("missing/data.bin"), record));
    EXPECT_FALSE(m_files.CreateFileWithData(m_dir.path("folder"), record));
    EXPECT_FALSE(m_files.CreateFileWithData(u"", record));

    record.failStore = true;
    EXPECT_FALSE(m_files.CreateFileWithData(m_dir.path("file.txt"), record));
    EXPECT_EQ(ReadBytes(m_dir.path("file.txt")), "content");
}

TEST_F(FileServicesTest, CreateNewRefusesAnExistingFile)
{
    Record record;
    record.number = 9;
    EXPECT_FALSE(m_files.CreateNewFileWithData(m_dir.path("file.txt"), record));
    EXPECT_EQ(ReadBytes(m_dir.path("file.txt")), "content");

    ASSERT_TRUE(m_files.CreateNewFileWithData(m_dir.path("new.bin"), record));
    Record in;
    ASSERT_TRUE(m_files.ReadFileWithData(m_dir.path("new.bin"), in));
    EXPECT_EQ(in.number, 9u);

    // A new file whose data failed is not left behind as if it were valid.
    record.failStore = true;
    EXPECT_FALSE(m_files.CreateNewFileWithData(m_dir.path("failed.bin"), record));
    EXPECT_FALSE(fs::exists(m_dir.root() / "failed.bin"));
}

TEST_F(FileServicesTest, DamagedDataReadsAsFailureAndChangesNothing)
{
    const auto path = m_dir.path("data.bin");
    struct Case
    {
        const char* label;
        std::string bytes;
    } const cases[] = {
        { "empty", "" },
        { "short number", "\x01\x00"s },
        { "refused version", "\x00\x00\x00\x00\xFF\xFE\xFF\x01x\0"s },
        { "text cut short", "\x01\x00\x00\x00\xFF\xFE\xFF\x05S\0p\0"s },
        { "text longer than the file", "\x01\x00\x00\x00\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x7F"s },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        WriteBytes(path, c.bytes);
        Record record;
        record.number = 42;
        record.text = u"kept";
        EXPECT_FALSE(m_files.ReadFileWithData(path, record));
        EXPECT_EQ(record.number, 42u);
        EXPECT_EQ(record.text, u"kept");
    }
    Record record;
    EXPECT_FALSE(m_files.ReadFileWithData(m_dir.path("missing.bin"), record));
    EXPECT_FALSE(m_files.ReadFileWithData(m_dir.path("folder"), record));
}

// A path with a NUL inside names no file: the system would act on the part
// before the NUL, another file than the one asked for.
TEST_F(FileServicesTest, PathWithNulNamesNoFile)
{
    const std::u16string cut = m_dir.path("file.txt") + u'\0' + u".bak";
    std::int64_t time = 0;
    std::vector<std::u16string> lines;
    Record record;
    EXPECT_FALSE(m_files.DoesFileExist(cut));
    EXPECT_FALSE(m_files.GetLastModTime(cut, time));
    EXPECT_FALSE(m_files.ReadTextFile(cut, lines));
    EXPECT_FALSE(m_files.ReadFileWithData(cut, record));
    EXPECT_FALSE(m_files.CreateAnsiTextFile(cut, u"x"));
    EXPECT_FALSE(m_files.Copy(m_dir.path("file.txt"), cut));
    EXPECT_FALSE(m_files.Rename(cut, m_dir.path("moved.txt")));
    EXPECT_FALSE(m_files.Delete(cut));
    EXPECT_EQ(ReadBytes(m_dir.path("file.txt")), "content");
    EXPECT_FALSE(m_files.DoesFolderExist(m_dir.path("folder") + u'\0'));
}

TEST_F(FileServicesTest, DeleteRemovesFilesOnly)
{
    EXPECT_TRUE(m_files.Delete(m_dir.path("file.txt")));
    EXPECT_FALSE(fs::exists(m_dir.root() / "file.txt"));
    EXPECT_FALSE(m_files.Delete(m_dir.path("file.txt")));
    EXPECT_FALSE(m_files.Delete(m_dir.path("folder")));
    EXPECT_TRUE(fs::exists(m_dir.root() / "folder"));
}

TEST_F(FileServicesTest, CopyOverwritesAndKeepsTheModificationTime)
{
    const auto source = m_dir.path("file.txt");
    const auto stamp = fs::file_time_type::clock::from_sys(
        std::chrono::sys_seconds { std::chrono::seconds { 1600000000 } });
    fs::last_write_time(fs::path(source), stamp);
    WriteBytes(m_dir.path("target.txt"), "older and longer content");

    ASSERT_TRUE(m_files.Copy(source, m_dir.path("target.txt")));
    EXPECT_EQ(ReadBytes(m_dir.path("target.txt")), "content");
    std::int64_t sourceTime = 0, targetTime = 0;
    ASSERT_TRUE(m_files.GetLastModTime(source, sourceTime));
    ASSERT_TRUE(m_files.GetLastModTime(m_dir.path("target.txt"), targetTime));
    EXPECT_EQ(targetTime, sourceTime);

    struct Case
    {
        const char* label;
        std::string source, target;
    } const failures[] = {
        { "missing source", "missing.txt", "copy.txt" },
        { "missing target folder", "file.txt", "missing/copy.txt" },
        { "folder as source", "folder", "copy.txt" },
        { "folder as target", "file.txt", "folder" },
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(m_files.Copy(m_dir.path(c.source), m_dir.path(c.target)));
    }
    EXPECT_FALSE(fs::exists(m_dir.root() / "copy.txt"));
}

TEST_F(FileServicesTest, RenameNeverReplacesATarget)
{
    WriteBytes(m_dir.path("other.txt"), "other");
    EXPECT_FALSE(m_files.Rename(m_dir.path("file.txt"), m_dir.path("other.txt")));
    EXPECT_EQ(ReadBytes(m_dir.path("file.txt")), "content");
    EXPECT_EQ(ReadBytes(m_dir.path("other.txt")), "other");

    EXPECT_FALSE(m_files.Rename(m_dir.path("missing.txt"), m_dir.path("new.txt")));
    EXPECT_FALSE(m_files.Rename(m_dir.path("file.txt"), m_dir.path("missing/new.txt")));
    EXPECT_TRUE(fs::exists(m_dir.root() / "file.txt"));

    ASSERT_TRUE(m_files.Rename(m_dir.path("file.txt"), m_dir.path("folder/moved.txt")));
    EXPECT_FALSE(fs::exists(m_dir.root() / "file.txt"));
    EXPECT_EQ(ReadBytes(m_dir.path("folder/moved.txt")), "content");
}

TEST_F(FileServicesTest, WriteOperationsFailOnAReadOnlyFile)
{
    const auto path = m_dir.path("readonly.txt");
    WriteBytes(path, "keep");
    fs::permissions(fs::path(path), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const FileServices& files = m_files;
    const auto source = m_dir.path("file.txt");
    const std::optional<bool> refused = RunUnprivileged([&] {
        Record record;
        record.number = 1;
        return !files.CreateFileWithData(path, record) && !files.CreateUnicodeTextFile(path)
            && !files.CreateAnsiTextFile(path, u"x") && !files.Copy(source, path);
    });
    if (!refused)
        GTEST_SKIP() << "running as root and cannot drop privileges: permissions do not apply";
    EXPECT_TRUE(*refused);
    EXPECT_EQ(ReadBytes(path), "keep");

    // The same user can write a writable file: the refusals above come from
    // the permission, not from the way the check runs.
    const auto writable = m_dir.path("writable.txt");
    WriteBytes(writable, "old");
    fs::permissions(fs::path(writable), fs::perms::all);
    EXPECT_EQ(RunUnprivileged([&] { return files.CreateAnsiTextFile(writable, u"new"); }), true);
    EXPECT_EQ(ReadBytes(writable), "new");
}

// A write that fails half-way (a full disk) is a failure, never a success.
TEST_F(FileServicesTest, WriteErrorsAreFailures)
{
    const FileServices& files = m_files;
    const std::u16string big(200, u'x');
    WriteBytes(m_dir.path("big.txt"), std::string(200, 'x'));
    const auto path = m_dir.path("out.bin");
    Record record;
    record.number = 1;
    record.text = big;
    struct Case
    {
        const char* label;
        std::function<bool()> write;
    } const cases[] = {
        { "data", [&] { return files.CreateFileWithData(path, record); } },
        { "new data", [&] { return files.CreateNewFileWithData(path, record); } },
        { "unicode lines", [&] { return files.CreateUnicodeTextFile(path, std::vector { big }); } },
        { "unicode text", [&] { return files.CreateUnicodeTextFile(path, big); } },
        { "ansi lines", [&] { return files.CreateAnsiTextFile(path, std::vector { big }); } },
        { "ansi text", [&] { return files.CreateAnsiTextFile(path, big); } },
        { "copy", [&] { return files.Copy(m_dir.path("big.txt"), path); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(fs::path(path));
        EXPECT_EQ(RunWithFileSizeLimit(64, c.write), false);
        EXPECT_EQ(RunWithFileSizeLimit(1024, c.write), true); // the limit is what fails
    }
    // A new file that did not get all its data is not left to pass for a valid one.
    fs::remove(fs::path(path));
    EXPECT_EQ(RunWithFileSizeLimit(64, cases[1].write), false);
    EXPECT_FALSE(fs::exists(fs::path(path)));
}

struct TextWriteCase
{
    const char* label;
    std::function<bool(const FileServices&, const std::u16string&)> write;
    std::string bytes;
};

TEST_F(FileServicesTest, TextFilesHaveTheirExactBytes)
{
    const TextWriteCase cases[] = {
        { "unicode lines",
            [](auto& f, auto& p) {
                return f.CreateUnicodeTextFile(p, std::vector<std::u16string> { u"a", u"\u00DF" });
            },
            "\xFF\xFE"
            "a\0\r\0\n\0\xDF\0\r\0\n\0"s },
        { "unicode no lines",
            [](auto& f, auto& p) { return f.CreateUnicodeTextFile(p, std::vector<std::u16string> {}); },
            "\xFF\xFE \0\r\0\n\0"s },
        { "unicode text",
            [](auto& f, auto& p) { return f.CreateUnicodeTextFile(p, std::u16string(u"a\nb")); },
            "\xFF\xFE"
            "a\0\r\0\n\0b\0"s },
        { "unicode mark only", [](auto& f, auto& p) { return f.CreateUnicodeTextFile(p); }, "\xFF\xFE"s },
        { "ansi lines",
            [](auto& f, auto& p) {
                return f.CreateAnsiTextFile(p, std::vector<std::u16string> { u"Z\u00FCrich", u"" });
            },
            "Z\xC3\xBCrich\r\n\r\n"s },
        { "ansi no lines",
            [](auto& f, auto& p) { return f.CreateAnsiTextFile(p, std::vector<std::u16string> {}); },
            " \r\n"s },
        { "ansi text",
            [](auto& f, auto& p) { return f.CreateAnsiTextFile(p, std::u16string(u"x\ny \u20AC")); },
            "x\r\ny \xE2\x82\xAC"s },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto path = m_dir.path("file.txt"); // replaces the old content each time
        ASSERT_TRUE(c.write(m_files, path));
        EXPECT_EQ(ReadBytes(path), c.bytes);
        EXPECT_FALSE(c.write(m_files, m_dir.path("missing/file.txt")));
        EXPECT_FALSE(c.write(m_files, m_dir.path("folder")));
    }
}

TEST_F(FileServicesTest, ReadsEveryLineOfBothTextKinds)
{
    struct Case
    {
        const char* label;
        std::string bytes;
        std::vector<std::u16string> lines;
    } const cases[] = {
        { "empty file", "", {} },
        { "byte-order mark only", "\xFF\xFE"s, {} },
        { "ansi CR LF", "one\r\ntwo\r\n", { u"one", u"two" } },
        { "ansi LF, last line open", "one\ntwo", { u"one", u"two" } },
        { "ansi empty lines kept", "a\n\nb\n", { u"a", u"", u"b" } },
        { "ansi text after CR CR", "a\r\rb\r\n", { u"a", u"", u"b" } },
        { "ansi lone CR", "a\rb", { u"a", u"b" } },
        { "ansi UTF-8",
            "Gr\xC3\xB6\xC3\x9F"
            "e\r\n",
            { u"Gr\u00F6\u00DFe" } },
        { "ansi damaged UTF-8",
            "a\xFF"
            "b",
            { u"a\uFFFDb" } },
        { "unicode CR LF",
            "\xFF\xFE"
            "a\0\r\0\n\0\xDF\0\r\0\n\0"s,
            { u"a", u"\u00DF" } },
        { "unicode blank line",
            "\xFF\xFE"
            "a\0\r\0\n\0\r\0\n\0b\0"s,
            { u"a", u"", u"b" } },
        { "unicode text after CR CR",
            "\xFF\xFE"
            "a\0\r\0\r\0b\0\r\0\n\0"s,
            { u"a", u"", u"b" } },
        { "unicode odd last byte",
            "\xFF\xFE"
            "a\0b"s,
            { u"a" } },
    };
    const auto path = m_dir.path("read.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        WriteBytes(path, c.bytes);
        std::vector<std::u16string> lines { u"before" };
        ASSERT_TRUE(m_files.ReadTextFile(path, lines));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), u"before");
        EXPECT_EQ(std::vector<std::u16string>(lines.begin() + 1, lines.end()), c.lines);
    }
}

TEST_F(FileServicesTest, TextFilesRoundTrip)
{
    const std::vector<std::u16string> lines { u"Maple 3/4\"", u"", u"\u6728\u6750 \U0001F332", u"last" };
    ASSERT_TRUE(m_files.CreateUnicodeTextFile(m_dir.path("u.txt"), lines));
    ASSERT_TRUE(m_files.CreateAnsiTextFile(m_dir.path("a.txt"), lines));
    for (const char* name : { "u.txt", "a.txt" }) {
        SCOPED_TRACE(name);
        std::vector<std::u16string> read;
        ASSERT_TRUE(m_files.ReadTextFile(m_dir.path(name), read));
        EXPECT_EQ(read, lines);
    }
    std::vector<std::u16string> untouched { u"x" };
    EXPECT_FALSE(m_files.ReadTextFile(m_dir.path("missing.txt"), untouched));
    EXPECT_FALSE(m_files.ReadTextFile(m_dir.path("folder"), untouched));
    EXPECT_EQ(untouched, std::vector<std::u16string> { u"x" });
}

} // namespace
} // namespace shareguard::test
