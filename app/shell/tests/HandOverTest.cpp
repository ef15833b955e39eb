// A later start hands its project to the running program: the message, the
// socket beside the session's lock, and when the running program opens it.
#include "LaterStart.h"
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/HandOverMessage.h"
#include "shell/SingleInstance.h"

#include "foundation/FileNames.h"

#include "optimization/RunProgressDialog.h"

#include <platform/ui/RecentFileList.h>

#include <QDialog>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace {

const QString kInstance = QStringLiteral("KwlHandOverTest");

// Events are served until done answers true or about two seconds passed.
bool WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 100 && !done(); ++i)
        QTest::qWait(20);
    return done();
}

bool SessionLogHolds(const QString& text)
{
    QFile log(SessionLog::Instance().GetPath());
    return log.open(QIODevice::ReadOnly) && QString::fromUtf8(log.readAll()).contains(text);
}

// A second start of the program with a project on its command line.
std::unique_ptr<LaterStart> StartSecond(const QString& path)
{
    return std::make_unique<LaterStart>(kInstance, QStringList {path});
}

class HandOverTest : public ShellTest
{
protected:
    // A saved project of one part with the description, then File New.
    QString SaveProject(CKerfwellPlusApp& app, const QString& name, const QString& description)
    {
        auto* part = new CMilledPart();
        part->SetDescription(description);
        app.GetDocument()->AppendPart(part);
        m_chosenPath = m_folder.filePath(name);
        EXPECT_TRUE(app.OnFileSaveAs());
        const QString path = m_chosenPath;
        m_chosenPath.clear();
        app.OnFileNew();
        return path;
    }

    // Whether the project file holds the text (texts are stored as UTF-16).
    static bool FileHolds(const QString& path, const QString& text)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        return file.readAll().contains(utf16);
    }

    static QString FirstDescription(CKerfwellPlusApp& app)
    {
        const auto& parts = app.GetDocument()->GetPartList();
        return parts.empty() ? QString() : parts.front()->GetDescription();
    }

    QTemporaryDir m_folder;
};

TEST(HandOverMessageTest, NamesTravelWholeWithTheirLengths)
{
    QStringList fifty;
    for (int i = 0; i < 50; ++i)
        fifty << QStringLiteral("/projects/Part %1.kwxe").arg(i);
    const QStringList cases[] = {
        {DecodeFileName("/projects/Caf\xe9\nShelf.kwxe")},
        fifty,
    };
    for (const QStringList& names : cases) {
        const QByteArray message = HandOverMessage::Encode(names);
        QStringList decoded;
        // Any part of the message waits for the rest.
        for (qsizetype cut = 0; cut < message.size(); ++cut)
            ASSERT_EQ(HandOverMessage::Decode(message.left(cut), decoded), HandOverMessage::Status::Incomplete)
                << cut;
        ASSERT_EQ(HandOverMessage::Decode(message, decoded), HandOverMessage::Status::Complete);
        EXPECT_EQ(decoded, names);
        for (qsizetype i = 0; i < names.size(); ++i)
            EXPECT_EQ(EncodeFileName(decoded[i]), EncodeFileName(names[i]));
    }

    // What no start of this program sends.
    const QByteArray refused[] = {
        QByteArray::fromHex("ffffffff"),                 // a count beyond any start
        QByteArray::fromHex("0000000100000000"),         // an empty name
        QByteArray::fromHex("0000000100100000"),         // a name beyond any path
        QByteArray::fromHex("00000001000000022f00"),     // a NUL in a name
        HandOverMessage::Encode({QStringLiteral("/a")}) + 'x', // bytes after the message
    };
    for (const QByteArray& bytes : refused) {
        QStringList decoded;
        EXPECT_EQ(HandOverMessage::Decode(bytes, decoded), HandOverMessage::Status::Invalid) << bytes.toHex().data();
    }
}

// A message of the largest size, arriving in pieces as a socket gives it:
// its names are read once, when it is whole, not again with every piece; a
// count beyond any message is refused with the piece that holds it.
TEST(HandOverMessageTest, AMessageInPiecesHasItsNamesReadOnceWhenItIsWhole)
{
    QStringList names;
    for (quint32 i = 0; i < HandOverMessage::kMaxNames; ++i)
        names << QStringLiteral("/%1/").arg(i) + QString(4000, QLatin1Char('a' + i % 26));
    const QByteArray message = HandOverMessage::Encode(names);
    ASSERT_GT(message.size(), 4'000'000);
    int reads = 0;
    HandOverMessage::Reader reader([&reads](const QByteArray& whole, QStringList& paths) {
        ++reads;
        return HandOverMessage::Decode(whole, paths);
    });
    constexpr qsizetype kPiece = 4096;
    QStringList decoded;
    HandOverMessage::Status status = HandOverMessage::Status::Incomplete;
    for (qsizetype at = 0; at < message.size(); at += kPiece) {
        ASSERT_EQ(status, HandOverMessage::Status::Incomplete) << at;
        status = reader.Append(message.mid(at, kPiece), decoded);
    }
    EXPECT_EQ(status, HandOverMessage::Status::Complete);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(decoded, names);

    // The first piece of what no sender writes, the rest never sent.
    const QByteArray refused[] = {
        QByteArray::fromHex("00000401"),                 // one name more than any message holds
        QByteArray::fromHex("0000000200001001"),         // a first name beyond any path
        QByteArray::fromHex("00000002000000016100000000"), // an empty second name
    };
    for (const QByteArray& bytes : refused) {
        HandOverMessage::Reader early;
        QStringList paths;
        EXPECT_EQ(early.Append(bytes, paths), HandOverMessage::Status::Invalid) << bytes.toHex().data();
    }
}

// A name with a line break is one name; a message of many names opens the
// first and reports the others in one message.
TEST_F(HandOverTest, ANameWithALineBreakOpensAndManyNamesOpenTheFirst)
{
    CKerfwellPlusApp& app = Start({}, kInstance);
    const QString odd = SaveProject(app, DecodeFileName("Caf\xe9\nShelf.kwxe"), QStringLiteral("Odd"));
    // Qt's own file functions cannot name it: the bytes are not UTF-8.
    const std::filesystem::path oddFile(EncodeFileName(odd).toStdString());
    ASSERT_TRUE(std::filesystem::is_regular_file(oddFile));
    struct RemoveAtEnd {
        std::filesystem::path file;
        ~RemoveAtEnd() { std::filesystem::remove(file); }
    } removeAtEnd {oddFile};

    EXPECT_TRUE(StartSecond(odd)->HandedOver());
    ASSERT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == odd; }));
    EXPECT_EQ(FirstDescription(app), QStringLiteral("Odd"));
    EXPECT_EQ(app.GetRecentFileList()->Files().front(), odd);
    EXPECT_TRUE(m_messages.isEmpty());

    const QString first = SaveProject(app, QStringLiteral("First.kwxe"), QStringLiteral("First"));
    QStringList names {first};
    for (int i = 1; i < 50; ++i)
        names << m_folder.filePath(QStringLiteral("Other %1.kwxe").arg(i));
    ASSERT_EQ(HandOverBeside(kInstance, names), SingleInstance::HandOverResult::Delivered);
    ASSERT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == first; }));
    QTest::qWait(200);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("Other 1.kwxe")));
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("Other 49.kwxe")));
    EXPECT_FALSE(m_messages[0].contains(QStringLiteral("First.kwxe")));
}

// The save question of a handed-over project runs outside the socket's
// handler: a further hand-over during the question waits for its answer
// and never asks inside it.
TEST_F(HandOverTest, TheSaveQuestionIsAnsweredBeforeAnythingElseIsHandedOver)
{
    struct Case
    {
        QMessageBox::StandardButton answer;
        const char* shown; // the project shown at the end
        int questions;
    };
    const Case cases[] = {
        {QMessageBox::Yes, "Later", 1},
        {QMessageBox::No, "Later", 1},
        // The later project asks again, and is cancelled again.
        {QMessageBox::Cancel, "Work changed", 2},
    };
    CKerfwellPlusApp& app = Start({}, kInstance);
    const QString handed = SaveProject(app, QStringLiteral("Handed.kwxe"), QStringLiteral("Handed"));
    const QString later = SaveProject(app, QStringLiteral("Later.kwxe"), QStringLiteral("Later"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        const QString work = SaveProject(app, QStringLiteral("Work.kwxe"), QStringLiteral("Work"));
        ASSERT_TRUE(app.OpenDocumentFile(work));
        app.GetDocument()->GetPartList().front()->SetDescription(QStringLiteral("Work changed"));
        app.GetDocument()->SetModified();

        int depth = 0;
        int deepest = 0;
        int questions = 0;
        std::vector<std::unique_ptr<LaterStart>> starts;
        SetQuestionFunction([&](const QString&, QMessageBox::StandardButtons, QMessageBox::Icon) {
            ++questions;
            deepest = std::max(deepest, ++depth);
            if (questions == 1)
                starts.push_back(StartSecond(later));
            // A modal box runs its own event loop until the user answers.
            QTest::qWait(150);
            --depth;
            return c.answer;
        });
        starts.push_back(StartSecond(handed));
        ASSERT_TRUE(WaitFor([&] { return questions == c.questions && depth == 0; }));
        QTest::qWait(300);
        for (const auto& start : starts)
            EXPECT_TRUE(start->HandedOver());
        EXPECT_EQ(deepest, 1);
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(FirstDescription(app), QString::fromLatin1(c.shown));

        EXPECT_EQ(FileHolds(work, QStringLiteral("Work changed")), c.answer == QMessageBox::Yes);
        SetQuestionFunction([this](const QString& text, QMessageBox::StandardButtons, QMessageBox::Icon) {
            m_messages << text;
            return QMessageBox::No;
        });
        app.OnFileNew();
    }
}

// A hand-over while a run or a modal dialog runs its own event loop waits
// until that loop has ended, then opens.
TEST_F(HandOverTest, AHandOverWaitsForARunAndForAModalDialog)
{
    CKerfwellPlusApp& app = Start({}, kInstance);
    const QString handed = SaveProject(app, QStringLiteral("Handed.kwxe"), QStringLiteral("Handed"));
    m_answer = QMessageBox::No;

    // During a run.
    CMilledPart* part = AddBirchPart(app);
    ASSERT_TRUE(part);
    RunProgressDialogMaker real = SetRunProgressDialogMaker(nullptr);
    std::unique_ptr<LaterStart> duringRun;
    SetRunProgressDialogMaker([&](RunStartLatch& start, TaskProgressRows rows) {
        duringRun = StartSecond(handed);
        return real(start, std::move(rows));
    });
    EXPECT_TRUE(app.GetDocument()->Optimize(-1));
    SetRunProgressDialogMaker(real);
    EXPECT_TRUE(app.GetDocument()->PathName().isEmpty());
    EXPECT_EQ(part->GetOptimizerPlacedCopies(), 2U);
    EXPECT_TRUE(m_messages.isEmpty());
    ASSERT_TRUE(duringRun);
    EXPECT_TRUE(duringRun->HandedOver());
    ASSERT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == handed; }));
    EXPECT_EQ(FirstDescription(app), QStringLiteral("Handed"));

    // During a modal dialog.
    app.OnFileNew();
    QDialog dialog(app.GetMainFrame());
    QString shownInside = QStringLiteral("not looked");
    std::unique_ptr<LaterStart> duringDialog;
    QTimer::singleShot(0, &dialog, [&] { duringDialog = StartSecond(handed); });
    QTimer::singleShot(400, &dialog, [&] {
        shownInside = app.GetDocument()->PathName();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(shownInside.isEmpty());
    ASSERT_TRUE(duringDialog);
    EXPECT_TRUE(duringDialog->HandedOver());
    EXPECT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == handed; }));
}

// The socket lies beside the lock in the session's runtime folder: a
// session's starts reach that session's program, and a socket is removed
// only when no program answers on it.
TEST(SingleInstanceTest, TheSocketBelongsToTheSessionOfTheLock)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir sessionA;
    QTemporaryDir sessionB;
    for (const QTemporaryDir* folder : {&sessionA, &sessionB})
        QFile::setPermissions(folder->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString name = QStringLiteral("KwlSessionTest");
    auto enter = [](const QTemporaryDir& session) { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(session.path())); };

    enter(sessionA);
    SingleInstance first(name);
    ASSERT_TRUE(first.TryAcquire());
    EXPECT_EQ(QFileInfo(first.ServerName()).absolutePath(), QFileInfo(first.LockFilePath()).absolutePath());
    QStringList toFirst;
    first.Listen([&](const QStringList& paths) { toFirst << paths; });

    enter(sessionB);
    SingleInstance other(name);
    ASSERT_TRUE(other.TryAcquire());
    QStringList toOther;
    other.Listen([&](const QStringList& paths) { toOther << paths; });

    enter(sessionA);
    SingleInstance laterA(name);
    EXPECT_FALSE(laterA.TryAcquire());
    EXPECT_EQ(HandOverBeside(name, {QStringLiteral("/a.kwxe")}), SingleInstance::HandOverResult::Delivered);
    enter(sessionB);
    SingleInstance laterB(name);
    EXPECT_FALSE(laterB.TryAcquire());
    EXPECT_EQ(HandOverBeside(name, {QStringLiteral("/b.kwxe")}), SingleInstance::HandOverResult::Delivered);
    EXPECT_TRUE(WaitFor([&] { return toFirst.size() + toOther.size() == 2; }));
    EXPECT_EQ(toFirst, QStringList {QStringLiteral("/a.kwxe")});
    EXPECT_EQ(toOther, QStringList {QStringLiteral("/b.kwxe")});

    // A program that answers on the socket keeps it, and the failure to
    // listen is in the session log; a socket left by a program that died is
    // taken over.
    QTemporaryDir sessionC;
    QFile::setPermissions(sessionC.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    enter(sessionC);
    const QString socketName = SingleInstance(name).ServerName();
    QLocalServer answering;
    ASSERT_TRUE(answering.listen(socketName));
    {
        SingleInstance third(name);
        EXPECT_FALSE(third.Listen([](const QStringList&) { }));
        QLocalSocket probe;
        probe.connectToServer(socketName);
        EXPECT_TRUE(probe.waitForConnected(1000));
        // Its own look whether someone answers, and the test's probe.
        for (int connection = 0; connection < 2; ++connection) {
            EXPECT_TRUE(answering.waitForNewConnection(1000));
            delete answering.nextPendingConnection();
        }
    }
    answering.close();
    EXPECT_TRUE(SessionLogHolds(QStringLiteral("Hand-over socket cannot listen at \"%1\"").arg(socketName)));

    const QByteArray socketPath = QFile::encodeName(socketName);
    const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(left, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), static_cast<std::size_t>(socketPath.size()));
    ASSERT_EQ(::bind(left, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(left);
    ASSERT_TRUE(QFileInfo::exists(socketName));
    SingleInstance fourth(name);
    QStringList toFourth;
    fourth.Listen([&](const QStringList& paths) { toFourth << paths; });
    EXPECT_EQ(HandOverBeside(name, {QStringLiteral("/c.kwxe")}), SingleInstance::HandOverResult::Delivered);
    EXPECT_TRUE(WaitFor([&] { return !toFourth.isEmpty(); }));
    EXPECT_EQ(toFourth, QStringList {QStringLiteral("/c.kwxe")});

    qputenv("XDG_RUNTIME_DIR", runtime);
}

} // namespace
