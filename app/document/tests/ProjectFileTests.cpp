#include "ProjectDocumentFixture.h"

#include "document/ProjectFile.h"
#include "document/ProjectFileBytes.h"
#include "foundation/RealArchive.h"
#include "model/CMilledPart.h"
#include "optimization/PinnedUsage.h"

#include <QDir>
#include <QFileInfo>

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The parts as a user sees them in the list.
std::vector<std::string> DescribeParts(const CKWLDoc& doc)
{
    std::vector<std::string> rows;
    for (const CMilledPart* part : doc.GetPartList())
        rows.push_back(QStringLiteral("%1 %2 %3x%4 x%5 %6")
                           .arg(part->GetID().GetNumber())
                           .arg(part->GetDescription())
                           .arg(part->GetWidth().GetInches())
                           .arg(part->GetLength().GetInches())
                           .arg(part->GetCopies())
                           .arg(part->GetMaterialName())
                           .toStdString());
    return rows;
}

class ProjectFileTest : public ProjectDocumentTest
{
protected:
    // Two materials, parts in both, optimized, one Oak sheet pinned.
    void BuildPinnedProject()
    {
        Append(m_oak, 24, 48, 4, QStringLiteral("Door"));
        Append(m_ash, 10, 20, 2, QStringLiteral("Shelf"));
        Append(m_oak, 12, 30, 1, QStringLiteral("Rail"));
        ProjectSettings settings = m_doc->GetProjectSettings();
        settings.SetProjectName(QStringLiteral("Bench"));
        settings.SetNotes(QStringLiteral("Oil finish"));
        m_doc->SetProjectSettings(settings);
        RunJobs(*m_doc);
        StackList stacks;
        m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
        for (const StackPtr& stack : stacks)
            if (stack->GetStockSpec().GetMaterialName() == QStringLiteral("Oak")) {
                m_doc->GetBOMOptMgr()->PinDiagram(stack);
                m_pinnedSheets = stack->GetCount();
                m_pinnedRow = stack->GetStockSpec().size.get();
                break;
            }
        ASSERT_TRUE(m_pinnedRow);
    }

    // Opens the file in a second document, as a new start of the program would.
    std::unique_ptr<CKWLDoc> Reopen(const QString& path)
    {
        auto doc = std::make_unique<CKWLDoc>();
        doc->SetShell(&m_shell);
        EXPECT_TRUE(doc->OnOpenDocument(path));
        return doc;
    }

    std::uint32_t m_pinnedSheets = 0;
    const IOptimizableSize* m_pinnedRow = nullptr;
};

TEST_F(ProjectFileTest, AnUnlockedProjectWithAPinnedSheetRoundTrips)
{
    BuildPinnedProject();
    const QString path = PathOf(QStringLiteral("Bench.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(m_doc->Title(), QStringLiteral("Bench.kwxe"));
    const auto before = DescribeParts(*m_doc);

    const auto reopened = Reopen(path);
    EXPECT_EQ(DescribeParts(*reopened), before);
    EXPECT_FALSE(reopened->IsModified());
    EXPECT_FALSE(reopened->IsProjectLocked());
    EXPECT_EQ(reopened->GetProjectSettings(), m_doc->GetProjectSettings());
    // The parts use the library's own materials again.
    EXPECT_EQ(reopened->GetPartList()[0]->GetMaterial(), m_oak);
    EXPECT_EQ(reopened->GetPartList()[1]->GetMaterial(), m_ash);

    StackList pinned;
    reopened->GetBOMOptMgr()->GetAllPinnedStacks(pinned);
    ASSERT_EQ(pinned.size(), 1U);
    EXPECT_TRUE(pinned.front()->IsPinned());
    EXPECT_EQ(pinned.front()->GetCount(), m_pinnedSheets);
    EXPECT_EQ(reopened->GetPinnedUsage().GetPinnedCount(pinned.front()->GetStockSpec().size.get()), m_pinnedSheets);
    // The other results are computed again on demand.
    EXPECT_FALSE(reopened->IsFullyOptimized());
    RunJobs(*reopened);
    EXPECT_TRUE(reopened->IsFullyOptimized());
    EXPECT_EQ(reopened->GetPinnedUsage().GetPinnedCount(pinned.front()->GetStockSpec().size.get()), m_pinnedSheets);
}

TEST_F(ProjectFileTest, TheFileStartsWithItsHeaderAndNamesTheDefaultMaterialInEnglish)
{
    Append(nullptr, 10, 20, 1, QStringLiteral("Loose"));
    const QString path = PathOf(QStringLiteral("Loose.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));
    const QByteArray bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 8);
    EXPECT_EQ(bytes.left(8), QByteArray::fromHex("0f00008008000000"));
    EXPECT_EQ(GetDefaultMaterial()->GetName(), UiText(kStrNotSpecified));
    const auto reopened = Reopen(path);
    ASSERT_EQ(reopened->GetPartList().size(), 1U);
    EXPECT_TRUE(reopened->GetPartList()[0]->GetMaterial()->IsDefaultMaterial());
}

class RefusedFileTest : public ProjectFileTest
{
protected:
    // The open fails with the message; the document is untitled, empty and
    // unmodified, and the refused file was not touched.
    void ExpectRefused(const QByteArray& bytes, const QString& message)
    {
        const QString path = PathOf(QStringLiteral("Refused.kwxe"));
        WriteAll(path, bytes);
        Append(m_oak, 10, 20, 1, QStringLiteral("Earlier work"));
        m_shown.clear();
        m_shell.hasMainFrame = false;
        EXPECT_FALSE(m_doc->OnOpenDocument(path));
        ASSERT_EQ(m_shown.size(), 1);
        EXPECT_EQ(m_shown.front(), message);
        EXPECT_TRUE(m_doc->GetPartList().empty());
        EXPECT_TRUE(m_doc->PathName().isEmpty());
        EXPECT_EQ(m_doc->Title(), UiText(kStrUntitled));
        EXPECT_FALSE(m_doc->IsModified());
        EXPECT_EQ(m_doc->GetProjectSettings(), ProjectSettings());
        EXPECT_EQ(ReadAll(path), bytes);
    }

    QByteArray SavedProject()
    {
        BuildPinnedProject();
        const QString path = PathOf(QStringLiteral("Good.kwxe"));
        EXPECT_TRUE(m_doc->DoSave(path, true));
        return ReadAll(path);
    }
};

TEST_F(RefusedFileTest, ANewerFileNamesBothVersions)
{
    QByteArray bytes = SavedProject();
    // The body schema follows the header words and the six preamble words.
    ASSERT_EQ(bytes.mid(56, 4), QByteArray::fromHex("0b000000"));
    bytes[56] = 12;
    ExpectRefused(bytes, UiText(kStrNewerFileVersion).arg(ProgramVersionText(), ProgramVersionText()));
}

// A saved project's header and preamble, then body schema 12 and the two
// texts, as a newer program would begin its file.
QByteArray NewerFileWithVersionText(const QByteArray& savedProject, const QString& versionText)
{
    std::ostringstream out;
    {
        auto archive = platform::BinaryArchive::storing(out, "Newer.kwxe");
        RealArchive ar(archive);
        ar << std::int32_t(12) << QStringLiteral("Kerfwell Plus Solo project") << versionText << true;
        archive.flush();
    }
    const std::string body = out.str();
    return savedProject.left(56) + QByteArray(body.data(), static_cast<qsizetype>(body.size()))
        + QByteArray(64, '\0');
}

TEST_F(RefusedFileTest, ANewerFileIsTakenForOneOnlyWithAReadableVersionText)
{
    const QByteArray good = SavedProject();
    const struct
    {
        const char* name;
        QString versionText;
        bool newer;
    } cases[] = {
        { "a plain version", QStringLiteral("12.4"), true },
        { "a version with a suffix", QStringLiteral("3.1.2-rc1"), true },
        { "a version with a word", QStringLiteral("2.0 beta (2)"), true },
        { "letters of other languages", QStringLiteral("2.0 \u03b2 (\u7248)"), false },
        { "Latin-1 letters after a digit", QStringLiteral("0\u00ff\u00ff\u00ff"), false },
        { "a word then Latin-1 letters", QStringLiteral("version 0\u00ff\u00ff\u00ff"), false },
        { "an ideograph after the dot", QStringLiteral("1.\u5b30"), false },
        { "Mongolian digits", QStringLiteral("\u1818\u1818\u1818"), false },
        { "Arabic-Indic digits", QStringLiteral("\u0661.\u0662"), false },
        { "full-width digits", QStringLiteral("\uff11.\uff10"), false },
        { "no digits", QStringLiteral("version \u00ab"), false },
        { "printable noise ending in a digit", QStringLiteral("S\u00b4\u00a3\u00c8JSM\u0152\u00d0\u00bd0"), false },
        { "digits then noise", QStringLiteral("7\u00a3\u00c8JSM\u0152\u00d0"), false },
        { "a trailing line break", QStringLiteral("12.4\n"), false },
        { "a suffix far too long", QStringLiteral("1.0 ") + QString(40, QLatin1Char('x')), false },
        { "no version text", QString(), false },
        { "a control character", QStringLiteral("12.4\x01"), false },
        { "a line break", QStringLiteral("12\n4"), false },
        { "a lone surrogate half", QString(QChar(0xD800)) + QStringLiteral("1"), false },
        { "an unassigned character", QString(QChar(0x0378)), false },
        { "a private-use character", QString(QChar(0xE000)), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRefused(NewerFileWithVersionText(good, c.versionText),
            c.newer ? UiText(kStrNewerFileVersion).arg(c.versionText, ProgramVersionText())
                    : UiText(kStrDocumentReadError));
    }
}

TEST_F(RefusedFileTest, ASecondHeaderWordOtherThanEightIsDamage)
{
    const QByteArray good = SavedProject();
    for (const char* word : { "00000000", "07000000", "09000000", "08000080", "ffffffff" }) {
        SCOPED_TRACE(word);
        QByteArray damaged = good;
        damaged.replace(4, 4, QByteArray::fromHex(word));
        ExpectRefused(damaged, UiText(kStrDocumentReadError));
    }
}

// Random files, some with the start of a real project before the noise:
// each is refused as damaged; noise after a newer body schema is never taken
// for a version.
TEST_F(RefusedFileTest, RandomFilesAreNeverTakenForNewerOnesWithUnreadableVersions)
{
    const QByteArray good = SavedProject();
    const QString path = PathOf(QStringLiteral("Random.kwxe"));
    std::mt19937 random(57);
    int newer = 0;
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(i);
        QByteArray bytes(4096, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() & 0xFF);
        // A quarter keep the real header, a half the header, preamble and
        // a newer body schema; the texts after it are noise.
        if (i % 4 == 1)
            bytes.replace(0, 8, good.left(8));
        if (i % 4 >= 2) {
            bytes.replace(0, 60, good.left(60));
            bytes[56] = 12;
        }
        WriteAll(path, bytes);
        m_shown.clear();
        m_shell.hasMainFrame = false;
        EXPECT_FALSE(m_doc->OnOpenDocument(path));
        EXPECT_EQ(m_shown.size(), 1);
        const DocumentErrorRecord& record = TheDocumentErrorRecord();
        if (record.kind != DocumentErrorKind::NewerFile)
            continue;
        ++newer;
        // Noise may spell a bare number now and then; never anything else.
        const QString& version = record.fileVersionText;
        EXPECT_TRUE(!version.isEmpty() && version.front().isDigit()
            && std::all_of(version.begin(), version.end(), [](QChar c) { return c.isDigit() || c == u'.'; }))
            << version.toStdString();
    }
    EXPECT_LT(newer, 5);
}

TEST_F(RefusedFileTest, AnOldOrDamagedFileIsAReadError)
{
    const QByteArray good = SavedProject();
    QByteArray old = good;
    old.replace(0, 4, QByteArray::fromHex("06000080"));
    ExpectRefused(old, UiText(kStrDocumentReadError));
    for (qsizetype size = 0; size < good.size(); size += 64) {
        SCOPED_TRACE(size);
        ExpectRefused(good.left(size), UiText(kStrDocumentReadError));
    }
    ExpectRefused(QByteArray(), UiText(kStrDocumentReadError));
}

class UnreadableFileTest : public ProjectFileTest
{
protected:
    void SetUp() override
    {
        ProjectFileTest::SetUp();
        Append(m_oak, 10, 20, 1, QStringLiteral("Earlier work"));
        ASSERT_TRUE(m_doc->DoSave(PathOf(QStringLiteral("Open.kwxe")), true));
        Append(m_ash, 5, 5, 2, QStringLiteral("Unsaved edit"));
        m_shell.hasMainFrame = false;
    }

    // A file of the given size holding only a project's header word: its
    // blocks are never written, so even a huge one takes no room.
    QString SparseProject(const QString& name, qint64 size)
    {
        const QString path = PathOf(name);
        WriteAll(path, QByteArray::fromHex("0f000080"));
        EXPECT_EQ(::truncate(QFile::encodeName(path).constData(), size), 0);
        return path;
    }

    // The open fails with message; the open project, its name and its
    // unsaved edit stay.
    void ExpectKept(const QString& path, const QString& message)
    {
        const auto parts = DescribeParts(*m_doc);
        const QString openPath = m_doc->PathName();
        m_shown.clear();
        m_shell.events.clear();
        EXPECT_FALSE(m_doc->OnOpenDocument(path));
        ASSERT_EQ(m_shown.size(), 1);
        EXPECT_EQ(m_shown.front(), message);
        EXPECT_EQ(DescribeParts(*m_doc), parts);
        EXPECT_EQ(m_doc->PathName(), openPath);
        EXPECT_TRUE(m_doc->IsModified());
        EXPECT_FALSE(m_shell.events.contains(QStringLiteral("reset")));
    }

    static QString FileMessage(int reasonId, const QString& path, const QString& why = QString())
    {
        const QString named = QDir::toNativeSeparators(path);
        return QStringLiteral("The project could not be opened.\n\n")
            + (why.isEmpty() ? UiText(reasonId).arg(named) : UiText(reasonId).arg(named, why));
    }
};

TEST_F(UnreadableFileTest, FilesThatCannotBeReadLeaveTheOpenProject)
{
    const QString pipe = PathOf(QStringLiteral("Pipe.kwxe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString notRegular = UiText(kStrNotARegularFile);
    const QString tooLarge = UiText(kStrFileTooLarge).arg(kMaxProjectFileBytes >> 20);
    const struct
    {
        const char* name;
        QString path;
        QString message;
    } cases[] = {
        { "no such file", PathOf(QStringLiteral("Gone.kwxe")),
          FileMessage(kStrFileNotFound, PathOf(QStringLiteral("Gone.kwxe"))) },
        { "a file where a folder should be", PathOf(QStringLiteral("Open.kwxe/Inner.kwxe")),
          FileMessage(kStrFileNotFound, PathOf(QStringLiteral("Open.kwxe/Inner.kwxe"))) },
        { "a folder", m_files.path(), FileMessage(kStrFileNotReadable, m_files.path(), notRegular) },
        { "a named pipe with no writer", pipe, FileMessage(kStrFileNotReadable, pipe, notRegular) },
        { "an endless device", QStringLiteral("/dev/zero"),
          FileMessage(kStrFileNotReadable, QStringLiteral("/dev/zero"), notRegular) },
        { "a sparse file beyond any project",
          SparseProject(QStringLiteral("Huge.kwxe"), 4 * kMaxProjectFileBytes),
          FileMessage(kStrFileNotReadable, PathOf(QStringLiteral("Huge.kwxe")), tooLarge) },
        { "one byte beyond the limit", SparseProject(QStringLiteral("Over.kwxe"), kMaxProjectFileBytes + 1),
          FileMessage(kStrFileNotReadable, PathOf(QStringLiteral("Over.kwxe")), tooLarge) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectKept(c.path, c.message);
    }
}

TEST_F(UnreadableFileTest, NoMemoryForTheFileIsReportedAndTheProjectStays)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit leaves";
#endif
    // A file within the limit, in a child whose address space has no room
    // for it.
    const QString path = SparseProject(QStringLiteral("Big.kwxe"), kMaxProjectFileBytes);
    const auto parts = DescribeParts(*m_doc);
    const QString message = FileMessage(kStrFileNotReadable, path, QString::fromLocal8Bit(std::strerror(ENOMEM)));
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit limit {};
        ::getrlimit(RLIMIT_AS, &limit);
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly))
            ::_exit(2);
        const rlim_t pages = statm.readAll().split(' ').front().toULongLong();
        limit.rlim_cur = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t(64) << 20);
        ::setrlimit(RLIMIT_AS, &limit);
        m_shown.clear();
        const bool opened = m_doc->OnOpenDocument(path);
        const bool kept = DescribeParts(*m_doc) == parts && m_doc->IsModified();
        ::_exit(!opened && kept && m_shown == QStringList{message} ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(ProjectFileTest, SavingOverALinkWritesTheFileItPointsTo)
{
    ASSERT_TRUE(QDir(m_files.path()).mkpath(QStringLiteral("store")));
    const QString real = PathOf(QStringLiteral("store/Bench.kwxe"));
    const QString link = PathOf(QStringLiteral("Bench.kwxe"));
    ASSERT_EQ(::symlink("store/Bench.kwxe", QFile::encodeName(link).constData()), 0);
    Append(m_oak, 24, 48, 4, QStringLiteral("Door"));
    ASSERT_TRUE(m_doc->DoSave(link, true));
    Append(m_ash, 10, 20, 2, QStringLiteral("Shelf"));
    ASSERT_TRUE(m_doc->DoFileSave());

    EXPECT_EQ(QFileInfo(link).isSymLink(), true);
    EXPECT_EQ(QFile::symLinkTarget(link), real);
    EXPECT_EQ(DescribeParts(*Reopen(real)), DescribeParts(*m_doc));
    EXPECT_EQ(QDir(m_files.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QStringLiteral("Bench.kwxe")});
}

TEST_F(ProjectFileTest, AWriteFailingPartWayKeepsTheOldFile)
{
    BuildPinnedProject();
    const QString path = PathOf(QStringLiteral("Bench.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));
    const QByteArray old = ReadAll(path);
    Append(m_ash, 5, 5, 30, QStringLiteral("Peg"));
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(old.size() / 2);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = m_doc->DoFileSave();
        ::_exit(!saved && m_doc->IsModified() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(m_files.path()).entryList(QDir::Files | QDir::Hidden), QStringList {QStringLiteral("Bench.kwxe")});
}

TEST_F(ProjectFileTest, SavingAReadOnlyFileAsksForANewName)
{
    Append(m_oak, 10, 20, 1, QStringLiteral("Rail"));
    const QString path = PathOf(QStringLiteral("Locked.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));
    const QByteArray old = ReadAll(path);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    m_doc->SetModifiedFlag(true);
    m_shell.events.clear();
    m_shell.chosenPath = PathOf(QStringLiteral("Copy.kwxe"));
    EXPECT_TRUE(m_doc->DoFileSave());
    EXPECT_TRUE(m_shell.events.contains(QStringLiteral("prompt:") + path));
    EXPECT_EQ(m_doc->PathName(), m_shell.chosenPath);
    EXPECT_FALSE(ReadAll(m_shell.chosenPath).isEmpty());
    EXPECT_EQ(ReadAll(path), old);
}

TEST_F(ProjectFileTest, AnUntitledProjectProposesItsTitleCutAtTheFirstMark)
{
    m_doc->SetTitle(QStringLiteral("A #1"));
    m_shell.chosenPath.clear();
    EXPECT_FALSE(m_doc->DoSave(QString(), true));
    EXPECT_TRUE(m_shell.events.contains(QStringLiteral("prompt:A.kwxe")));
}

TEST_F(ProjectFileTest, SaveChangesAnswers)
{
    Append(m_oak, 10, 20, 1, QStringLiteral("Rail"));
    m_shell.answer = IDocumentShell::Answer::Cancel;
    EXPECT_FALSE(m_doc->SaveModified());
    m_shell.answer = IDocumentShell::Answer::No;
    EXPECT_TRUE(m_doc->SaveModified());
    EXPECT_TRUE(m_doc->IsModified());
    m_shell.answer = IDocumentShell::Answer::Yes;
    m_shell.chosenPath = PathOf(QStringLiteral("Answered.kwxe"));
    EXPECT_TRUE(m_doc->SaveModified());
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_TRUE(QFile::exists(m_shell.chosenPath));
    ASSERT_EQ(m_shell.questions.size(), 3);
    EXPECT_EQ(m_shell.questions.front(), QStringLiteral("Save changes to Untitled?"));
}

} // namespace

namespace {

// A view that keeps what each update told it about the parts' rows.
class RowHintRecorder : public platform::DocView
{
public:
    void OnDocUpdate(platform::DocView*, long, void* hintObject) override
    {
        const auto* hint = static_cast<const UpdateHint*>(hintObject);
        rowHints.push_back(hint && hint->PeekPartRows() != nullptr);
        masks.push_back(hint ? hint->GetChangeFlags() : 0);
    }
    std::vector<bool> rowHints;
    std::vector<std::uint64_t> masks;
};

TEST_F(ProjectDocumentTest, AnUpdateSendsItsRowHintsOnce)
{
    RowHintRecorder view;
    m_doc->AddView(&view);
    UpdateHint edit(0x1, 0x1);
    edit.MarkPartRowsChanged();
    m_doc->AddPendingUpdate(edit);
    m_doc->FlushPendingUpdate();
    m_doc->FlushPendingUpdate();
    m_doc->RemoveView(&view);
    EXPECT_EQ(view.rowHints, (std::vector<bool> {true, false}));
    // Each new step starts from the default masks.
    EXPECT_EQ(view.masks.back(), UpdateMask::ChangeDefault);
}

} // namespace
