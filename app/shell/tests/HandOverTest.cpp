// A later start hands its project to the running program: the message, the
// socket beside the session's lock, and when the running program opens it.
#include "HandOverTestSupport.h"
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/HandOverMessage.h"
#include "shell/HandOverQueue.h"
#include "shell/SingleInstance.h"

#include "foundation/FileNames.h"

#include "optimization/RunProgressDialog.h"

#include <platform/ui/RecentFileList.h>

#include <QDialog>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMessageBox>
#include <QScreen>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

const QString kInstance = QStringLiteral("KwlHandOverTest");

// A second start of the program with a project on its command line.
std::unique_ptr<LaterStart> StartSecond(const QString& path)
{
    return std::make_unique<LaterStart>(kInstance, QStringList { path });
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

    // Saved projects, named as given, by a program that is gone afterwards.
    QStringList MakeProjects(const QStringList& names)
    {
        CKerfwellPlusApp& maker = Start({}, QStringLiteral("KwlProjectMaker"));
        QStringList paths;
        for (const QString& name : names)
            paths << SaveProject(maker, name, QFileInfo(name).baseName());
        m_app.reset();
        return paths;
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
        { DecodeFileName("/projects/Caf\xe9\nShelf.kwxe") },
        fifty,
    };
    for (const QStringList& names : cases) {
        const QByteArray message = HandOverMessage::Encode(names);
        QStringList decoded;
        // Any part of the message waits for the rest.
        for (qsizetype cut = 0; cut < message.size(); ++cut)
            ASSERT_EQ(
                HandOverMessage::Decode(message.left(cut), decoded), HandOverMessage::Status::Incomplete)
                << cut;
        ASSERT_EQ(HandOverMessage::Decode(message, decoded), HandOverMessage::Status::Complete);
        EXPECT_EQ(decoded, names);
        for (qsizetype i = 0; i < names.size(); ++i)
            EXPECT_EQ(EncodeFileName(decoded[i]), EncodeFileName(names[i]));
    }

    // What no start of this program sends.
    const QByteArray refused[] = {
        QByteArray::fromHex("ffffffff"), // a count beyond any start
        QByteArray::fromHex("0000000100000000"), // an empty name
        QByteArray::fromHex("0000000100100000"), // a name beyond any path
        QByteArray::fromHex("00000001000000022f00"), // a NUL in a name
        HandOverMessage::Encode({ QStringLiteral("/a") }) + 'x', // bytes after the message
    };
    for (const QByteArray& bytes : refused) {
        QStringList decoded;
        EXPECT_EQ(HandOverMessage::Decode(bytes, decoded), HandOverMessage::Status::Invalid)
            << bytes.toHex().data();
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
        QByteArray::fromHex("00000401"), // one name more than any message holds
        QByteArray::fromHex("0000000200001001"), // a first name beyond any path
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
    struct RemoveAtEnd
    {
        std::filesystem::path file;
        ~RemoveAtEnd() { std::filesystem::remove(file); }
    } removeAtEnd { oddFile };

    EXPECT_TRUE(StartSecond(odd)->HandedOver());
    ASSERT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == odd; }));
    EXPECT_EQ(FirstDescription(app), QStringLiteral("Odd"));
    EXPECT_EQ(app.GetRecentFileList()->Files().front(), odd);
    EXPECT_TRUE(m_messages.isEmpty());

    const QString first = SaveProject(app, QStringLiteral("First.kwxe"), QStringLiteral("First"));
    QStringList names { first };
    for (int i = 1; i < 50; ++i)
        names << m_folder.filePath(QStringLiteral("Other %1.kwxe").arg(i));
    ASSERT_EQ(HandOverBeside(kInstance, names), SingleInstance::HandOverResult::Delivered);
    ASSERT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == first; }));
    QTest::qWait(200);
    // The first ten are named, the others counted.
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("Other 1.kwxe")));
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("Other 10.kwxe")));
    EXPECT_FALSE(m_messages[0].contains(QStringLiteral("Other 11.kwxe")));
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("and 39 more")));
    EXPECT_FALSE(m_messages[0].contains(QStringLiteral("First.kwxe")));
}

// The list of names not opened: ten named at most, a long name shortened in
// the middle without halving a character, and the others counted.
TEST(HandOverNotOpenedTest, AFewNamesAreListedAndTheOthersCounted)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // two units
    const QString straddling = QString(39, u'a') + emoji + QString(100, u'b') + emoji + QString(39, u'c');
    QStringList eleven;
    for (int i = 1; i <= 11; ++i)
        eleven << QStringLiteral("/p/%1.kwxe").arg(i);
    struct Case
    {
        const char* what;
        QStringList names;
        QString text;
    };
    const Case cases[] = {
        { "a few", { QStringLiteral("/a.kwxe"), QStringLiteral("/b\n.kwxe") },
            QStringLiteral("/a.kwxe\n/b\\n.kwxe") },
        { "eleven", eleven, QStringList(eleven.mid(0, 10)).join(u'\n') + QStringLiteral("\nmore: 1") },
        { "as long as is kept whole", { QString(81, u'x') }, QString(81, u'x') },
        { "one more", { QString(82, u'x') }, QString(40, u'x') + QChar(0x2026) + QString(40, u'x') },
        { "a character on each cut", { straddling }, QString(39, u'a') + QChar(0x2026) + QString(39, u'c') },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString text = NotOpenedNamesText(c.names, QStringLiteral("more: %1"));
        EXPECT_EQ(text, c.text) << text.toStdString();
        EXPECT_TRUE(QStringView(text).isValidUtf16());
    }
}

// A message of the most names a start sends, each as long as a path may
// be: the first opens, and the real box that reports the others fits the
// screen: it lists a few, each escaped and shortened, and counts the rest.
TEST_F(HandOverTest, TheLargestHandOverIsReportedInABoxThatFitsTheScreen)
{
    CKerfwellPlusApp& app = Start({}, kInstance);
    const QString first = SaveProject(app, QStringLiteral("First.kwxe"), QStringLiteral("First"));
    QStringList names { first };
    for (quint32 i = 1; i < HandOverMessage::kMaxNames; ++i)
        names << QStringLiteral("/%1\n/").arg(i) + QString(4000, QLatin1Char('a' + i % 26));
    ASSERT_LE(EncodeFileName(names.back()).size(), qsizetype(HandOverMessage::kMaxNameBytes));

    QString shownText;
    QSize shownSize;
    SetQuestionFunction(nullptr);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            shownSize = box->frameGeometry().size();
            box->accept();
        }
    });
    look.start(10);
    ASSERT_EQ(HandOverBeside(kInstance, names), SingleInstance::HandOverResult::Delivered);
    ASSERT_TRUE(WaitFor([&] { return !shownText.isEmpty(); }, std::chrono::seconds(60)));
    EXPECT_EQ(app.GetDocument()->PathName(), first);

    const QSize screen = app.GetMainFrame()->screen()->availableGeometry().size();
    EXPECT_LE(shownSize.height(), screen.height()) << shownSize.height();
    EXPECT_LE(shownSize.width(), screen.width()) << shownSize.width();
    EXPECT_TRUE(shownText.contains(QStringLiteral("/1\\n/bbbb"))) << shownText.left(500).toStdString();
    EXPECT_TRUE(shownText.contains(QStringLiteral("and 1013 more"))) << shownText.right(200).toStdString();
    EXPECT_FALSE(shownText.contains(QStringLiteral("/11\\n/")));
    EXPECT_LT(shownText.size(), 2000);
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
        { QMessageBox::Yes, "Later", 1 },
        { QMessageBox::No, "Later", 1 },
        // The later project asks again, and is cancelled again.
        { QMessageBox::Cancel, "Work changed", 2 },
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

// Starting two projects at once: the later start comes the moment the first
// has its lock, long before that one's window is up. The first already
// listens then; it answers once its event loop runs, and opens the handed
// project once its window is up and its own project is open.
TEST_F(HandOverTest, AStartWhileTheFirstIsStillStartingHandsItsProjectOver)
{
    const QStringList projects
        = MakeProjects({ QStringLiteral("First.kwxe"), QStringLiteral("Second.kwxe") });
    const std::string lock = EncodeFileName(SingleInstance(kInstance).LockFilePath()).toStdString();
    // The first start's services are on their way: it has logged the first.
    const QString servicesStarting = QStringLiteral("Factories initialized");
    auto startsLogged = [&servicesStarting] {
        QFile log(SessionLog::Instance().GetPath());
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).count(servicesStarting) : 0;
    };
    const qsizetype earlierStarts = startsLogged();
    bool listenedWhileStarting = false;
    bool lockTaken = true;
    SingleInstance::HandOverResult result = SingleInstance::HandOverResult::NotDelivered;
    Beside later([&] {
        for (int i = 0; i < 10000 && !std::filesystem::exists(lock); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        for (int i = 0; i < 10000 && startsLogged() == earlierStarts; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        SingleInstance start(kInstance);
        lockTaken = !start.TryAcquire();
        QLocalSocket probe;
        probe.connectToServer(start.ServerName());
        listenedWhileStarting = probe.waitForConnected(0);
        probe.abort();
        result = start.HandOver({ projects[1] });
    });
    CKerfwellPlusApp& app = Start({ projects[0] }, kInstance);
    later.Finish();
    EXPECT_TRUE(lockTaken);
    EXPECT_TRUE(listenedWhileStarting);
    EXPECT_EQ(result, SingleInstance::HandOverResult::Delivered);
    ASSERT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == projects[1]; }));
    EXPECT_EQ(FirstDescription(app), QStringLiteral("Second"));
    EXPECT_EQ(app.GetRecentFileList()->Files().mid(0, 2), (QStringList { projects[1], projects[0] }));
}

// A message of the start (here: the library is damaged and the shipped
// materials are used) runs an event loop before the window is up. A project
// handed over meanwhile waits for the window before it is opened.
TEST_F(HandOverTest, AProjectHandedOverWhileTheStartShowsAMessageWaitsForTheWindow)
{
    const QString handed = m_folder.filePath(QStringLiteral("Not there.kwxe"));
    const QString libraryFolder = QFile::decodeName(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/KWL Solo");
    ASSERT_TRUE(QDir().mkpath(libraryFolder));
    QFile damaged(libraryFolder + QStringLiteral("/Matls.KWDE"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("damaged");
    damaged.close();
    bool started = false;
    bool handedOver = false;
    QStringList messagesAfterTheStart;
    SetQuestionFunction([&](const QString& text, QMessageBox::StandardButtons, QMessageBox::Icon) {
        if (started)
            messagesAfterTheStart << text;
        else if (!handedOver) {
            handedOver = StartSecond(handed)->HandedOver();
            // As long as a user takes to read it.
            QTest::qWait(300);
        }
        return QMessageBox::Ok;
    });
    Start({}, kInstance);
    started = true;
    EXPECT_TRUE(handedOver);
    // The handed project is looked for, and reported missing, only now.
    ASSERT_TRUE(WaitFor([&] { return !messagesAfterTheStart.isEmpty(); }));
    EXPECT_TRUE(messagesAfterTheStart.front().contains(QStringLiteral("Not there.kwxe")))
        << messagesAfterTheStart.front().toStdString();
}

// A later start that cannot hand its project over says so on the error
// output and ends with a failure, leaving the running program's log alone.
// What reaches the running program after its sender gave up is not opened.
TEST_F(HandOverTest, ALaterStartThatCannotHandOverSaysSoAndFails)
{
    struct Case
    {
        const char* running;
        bool listens;
    };
    const Case cases[] = {
        { "holds the lock and does not listen", false },
        { "listens and does not answer", true },
    };
    SingleInstanceTiming quick;
    quick.handOver = std::chrono::milliseconds(300);
    quick.retry = std::chrono::milliseconds(20);
    const QString lost = m_folder.filePath(QStringLiteral("Lost.kwxe"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.running);
        SingleInstance running(kInstance);
        ASSERT_TRUE(running.TryAcquire());
        QStringList received;
        if (c.listens) {
            ASSERT_TRUE(running.Listen([&](const QStringList& paths) { received << paths; }));
        }
        QFile log(SessionLog::Instance().GetPath());
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QByteArray logBefore = log.readAll();

        // Here the running program's event loop waits for the later start.
        CKerfwellPlusApp later(kInstance, quick);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(later.InitInstance({ lost }));
        const QString errors = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_TRUE(later.IsRefusedSecondInstance());
        EXPECT_NE(later.ExitInstance(), 0);
        EXPECT_TRUE(errors.contains(QStringLiteral("could not be handed over"))) << errors.toStdString();
        EXPECT_TRUE(errors.contains(lost)) << errors.toStdString();
        log.seek(0);
        EXPECT_EQ(log.readAll(), logBefore);

        QTest::qWait(200);
        EXPECT_TRUE(received.isEmpty());
    }

    // Without a project on its command line it has nothing to say.
    SingleInstance running(kInstance);
    ASSERT_TRUE(running.TryAcquire());
    CKerfwellPlusApp later(kInstance, quick);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(later.InitInstance({}));
    EXPECT_TRUE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(later.ExitInstance(), 0);
}

// The running program ends while a later start tries to hand over: the
// later start takes its place, with its own project and window, and in turn
// takes the projects of later starts.
TEST_F(HandOverTest, WhenTheRunningProgramEndsALaterStartTakesItsPlace)
{
    const QStringList projects = MakeProjects({ QStringLiteral("Mine.kwxe"), QStringLiteral("Later.kwxe") });
    QLockFile running(SingleInstance(kInstance).LockFilePath());
    ASSERT_TRUE(running.tryLock(0));
    Beside ending([&running] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        running.unlock();
    });
    CKerfwellPlusApp& app = Start({ projects[0] }, kInstance);
    ending.Finish();
    EXPECT_FALSE(app.IsRefusedSecondInstance());
    EXPECT_EQ(app.GetDocument()->PathName(), projects[0]);
    EXPECT_TRUE(app.GetMainFrame()->isVisible());

    EXPECT_TRUE(StartSecond(projects[1])->HandedOver());
    EXPECT_TRUE(WaitFor([&] { return app.GetDocument()->PathName() == projects[1]; }));
}

// The real program, started with folders of its own beside the test's.
class ProgramRun
{
public:
    explicit ProgramRun(const QTemporaryDir& root)
        : m_root(root.path())
    {
        for (const char* name : { "home", "data", "config", "runtime", "tmp" })
            QDir(m_root).mkdir(QString::fromLatin1(name));
        QFile::setPermissions(
            Folder("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_environment.insert(QStringLiteral("HOME"), Folder("home"));
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), Folder("data"));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Folder("config"));
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Folder("runtime"));
        m_environment.insert(QStringLiteral("TMPDIR"), Folder("tmp"));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    QString Folder(const char* name) const { return m_root + QLatin1Char('/') + QString::fromLatin1(name); }
    QProcessEnvironment& Environment() { return m_environment; }

    void Start(QProcess& program, const QStringList& arguments) const
    {
        program.setProcessEnvironment(m_environment);
        program.start(QStringLiteral(KWL_PROGRAM), arguments);
    }

    QByteArray Read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray SessionLog() const
    {
        return Read(Folder("data") + QStringLiteral("/KWL Solo/kwls_session.log"));
    }
    QByteArray Settings() const
    {
        return Read(Folder("config") + QStringLiteral("/Marrowby Design/Kerfwell Plus Solo.conf"));
    }

private:
    QString m_root;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

// Time enough for a program that starts slowly.
constexpr std::chrono::seconds kProgramStart(20);

// Two projects started at once, as a file manager does for a selection: one
// program runs and opens both, one after the other; the other start hands
// its project over and ends quietly.
TEST_F(HandOverTest, TwoProgramsStartedAtOnceEndInOneWindowWithBothProjects)
{
    const QStringList projects
        = MakeProjects({ QStringLiteral("AtOnceA.kwxe"), QStringLiteral("AtOnceB.kwxe") });
    QTemporaryDir root;
    ProgramRun run(root);
    QProcess a;
    QProcess b;
    run.Start(a, { projects[0] });
    run.Start(b, { projects[1] });
    ASSERT_TRUE(
        WaitFor([&] { return a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning; },
            kProgramStart));
    QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
    QProcess& running = &ended == &a ? b : a;
    EXPECT_EQ(ended.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ended.exitCode(), 0) << ended.readAllStandardError().toStdString();
    // Each project opened puts itself at the top of the recent-file list.
    EXPECT_TRUE(WaitFor(
        [&] {
            const QByteArray settings = run.Settings();
            return settings.contains("AtOnceA.kwxe") && settings.contains("AtOnceB.kwxe");
        },
        kProgramStart))
        << run.Settings().toStdString();
    EXPECT_EQ(running.state(), QProcess::Running);
    running.kill();
    running.waitForFinished();
}

// When no socket path can be had (the runtime folder lies too deep and the
// folder for a shorter name is not the user's own) nothing can be handed
// over, so there is no single instance: a later program with a project is
// not refused but opens it in a window of its own, and the session log says
// why.
TEST_F(HandOverTest, WithoutASocketPathEveryProgramOpensItsOwnWindow)
{
    const QString project = MakeProjects({ QStringLiteral("OwnWindow.kwxe") }).front();
    QTemporaryDir root;
    ProgramRun run(root);
    QString deep = run.Folder("runtime");
    while (QFile::encodeName(deep).size() <= kLongestSocketPath)
        deep += QStringLiteral("/deeper");
    ASSERT_TRUE(QDir().mkpath(deep));
    QFile::setPermissions(deep, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    run.Environment().insert(QStringLiteral("XDG_RUNTIME_DIR"), deep);
    const QString openToAll = run.Folder("tmp") + QStringLiteral("/kwlsolo-") + QString::number(::geteuid());
    ASSERT_TRUE(QDir().mkdir(openToAll));
    ASSERT_TRUE(QFile::setPermissions(openToAll,
        QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser | QFileDevice::WriteOther
            | QFileDevice::ExeOther));
    // The start's last step is logged.
    auto started = [&run] {
        const QByteArray log = run.SessionLog();
        return log.contains("After printer control initialization")
            || log.contains("Postponed printer control initialization");
    };

    QProcess first;
    run.Start(first, {});
    ASSERT_TRUE(WaitFor(started, kProgramStart));
    const QByteArray log = run.SessionLog();
    EXPECT_TRUE(log.contains("no socket path fits")) << log.toStdString();
    EXPECT_TRUE(log.contains("Single instance off")) << log.toStdString();

    // Each start begins the session log anew.
    QProcess later;
    run.Start(later, { project });
    EXPECT_TRUE(WaitFor([&] { return run.Settings().contains("OwnWindow.kwxe"); }, kProgramStart))
        << later.readAllStandardError().toStdString();
    EXPECT_TRUE(WaitFor(started, kProgramStart));
    EXPECT_TRUE(run.SessionLog().contains("Single instance off")) << run.SessionLog().toStdString();
    EXPECT_EQ(later.state(), QProcess::Running) << later.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(QDir(deep).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
    for (QProcess* program : { &first, &later }) {
        program->kill();
        program->waitForFinished();
    }
}

// The first start takes its lock before it listens: a later start in
// between tries again until it can hand over.
TEST(SingleInstanceTest, ALaterStartTriesAgainUntilTheRunningProgramListens)
{
    const QString name = QStringLiteral("KwlNotYetListening");
    SingleInstance first(name);
    ASSERT_TRUE(first.TryAcquire());
    SingleInstanceTiming timing;
    timing.retry = std::chrono::milliseconds(10);
    SingleInstance later(name, timing);
    later.ServerName();
    SingleInstance::HandOverResult result = SingleInstance::HandOverResult::NotDelivered;
    Beside trying([&] { result = later.HandOver({ QStringLiteral("/early.kwxe") }); });
    QTest::qWait(100);
    QStringList received;
    ASSERT_TRUE(first.Listen([&](const QStringList& paths) { received << paths; }));
    trying.Finish();
    EXPECT_EQ(result, SingleInstance::HandOverResult::Delivered);
    EXPECT_EQ(received, QStringList { QStringLiteral("/early.kwxe") });
}

// The socket lies beside the lock in the session's runtime folder: a
// session's starts reach that session's program, and a socket is removed
// only when no program answers on it.
TEST(SingleInstanceTest, TheSocketBelongsToTheSessionOfTheLock)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir sessionA;
    QTemporaryDir sessionB;
    for (const QTemporaryDir* folder : { &sessionA, &sessionB })
        QFile::setPermissions(
            folder->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString name = QStringLiteral("KwlSessionTest");
    auto enter
        = [](const QTemporaryDir& session) { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(session.path())); };

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
    EXPECT_EQ(HandOverBeside(name, { QStringLiteral("/a.kwxe") }), SingleInstance::HandOverResult::Delivered);
    enter(sessionB);
    SingleInstance laterB(name);
    EXPECT_FALSE(laterB.TryAcquire());
    EXPECT_EQ(HandOverBeside(name, { QStringLiteral("/b.kwxe") }), SingleInstance::HandOverResult::Delivered);
    EXPECT_TRUE(WaitFor([&] { return toFirst.size() + toOther.size() == 2; }));
    EXPECT_EQ(toFirst, QStringList { QStringLiteral("/a.kwxe") });
    EXPECT_EQ(toOther, QStringList { QStringLiteral("/b.kwxe") });

    // A program that answers on the socket keeps it, and the failure to
    // listen is in the session log; a socket left by a program that died is
    // taken over.
    QTemporaryDir sessionC;
    QFile::setPermissions(
        sessionC.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    enter(sessionC);
    const QString socketName = SingleInstance(name).ServerName();
    QLocalServer answering;
    ASSERT_TRUE(answering.listen(socketName));
    {
        SingleInstance third(name);
        EXPECT_FALSE(third.Listen([](const QStringList&) {}));
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

    ASSERT_TRUE(LeaveDeadSocket(socketName));
    ASSERT_TRUE(QFileInfo::exists(socketName));
    SingleInstance fourth(name);
    QStringList toFourth;
    fourth.Listen([&](const QStringList& paths) { toFourth << paths; });
    EXPECT_EQ(HandOverBeside(name, { QStringLiteral("/c.kwxe") }), SingleInstance::HandOverResult::Delivered);
    EXPECT_TRUE(WaitFor([&] { return !toFourth.isEmpty(); }));
    EXPECT_EQ(toFourth, QStringList { QStringLiteral("/c.kwxe") });

    qputenv("XDG_RUNTIME_DIR", runtime);
}

// A pipe at the session log's name would hold the start for ever, the lock
// taken, so that every later start failed too. The log is not written; the
// program starts and takes the projects of later starts.
TEST_F(HandOverTest, APipeAtTheSessionLogsNameHoldsNeitherTheStartNorLaterOnes)
{
    const QString project = MakeProjects({ QStringLiteral("PastThePipe.kwxe") }).front();
    QTemporaryDir root;
    ProgramRun run(root);
    const QString logFolder = run.Folder("data") + QStringLiteral("/KWL Solo");
    ASSERT_TRUE(QDir().mkpath(logFolder));
    const QByteArray log = QFile::encodeName(logFolder + QStringLiteral("/kwls_session.log"));
    ASSERT_EQ(::mkfifo(log.constData(), 0600), 0);

    QProcess first;
    QProcess later;
    run.Start(first, {});
    // The first start has taken the lock once the later one finds it.
    const QDir runtime(run.Folder("runtime"));
    ASSERT_TRUE(WaitFor(
        [&] { return !runtime.isEmpty(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot); },
        kProgramStart));
    run.Start(later, { project });
    ASSERT_TRUE(WaitFor([&] { return later.state() == QProcess::NotRunning; }, kProgramStart));
    EXPECT_EQ(later.exitCode(), 0) << later.readAllStandardError().toStdString();
    EXPECT_TRUE(WaitFor([&] { return run.Settings().contains("PastThePipe.kwxe"); }, kProgramStart))
        << run.Settings().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
    struct stat kept
    {
    };
    EXPECT_TRUE(::lstat(log.constData(), &kept) == 0 && S_ISFIFO(kept.st_mode));
}

} // namespace
