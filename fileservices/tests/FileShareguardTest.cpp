#include <shareguard/FileShareguard.h>

#include "FailingAllocator.h"
#include "ScriptedFileServices.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace shareguard::test {
namespace {

// A master in shared/, the local copy in local/, both named Matls.KWDE:
//   shared/Matls.KWDE   master          local/Matls.KWDE   local copy
//   shared/Matls.cko    sidecar         local/Matls.tmp    local temporary
//   shared/Matls_Ann_Lee.tmp/.bkd       local/Matls.bkd    local backup
class FileShareguardTest : public ::testing::Test
{
protected:
    FileShareguardTest()
    {
        fs::create_directory(m_dir.root() / "shared");
        fs::create_directory(m_dir.root() / "local");
    }

    FileShareguard guard() const { return FileShareguard(master, local, files); }
    std::u16string at(const char* name) const { return m_dir.path(name); }
    bool exists(const char* name) const { return fs::exists(m_dir.root() / name); }
    std::string content(const char* name) const { return ReadBytes(at(name)); }
    void checkOut(const UserCredentials& user) const
    {
        ASSERT_EQ(guard().CheckoutFile(user.GetCheckoutDescriptor(u"PC", u"POP")), Success);
    }

    TestFolder m_dir;
    std::shared_ptr<ScriptedFileServices> files = std::make_shared<ScriptedFileServices>();
    const std::u16string master = at("shared/Matls.KWDE");
    const std::u16string local = at("local/Matls.KWDE");
    const UserCredentials ann { u"Ann Lee", u"{ANN}" };
    const UserCredentials bob { u"Bob", u"{BOB}" };
};

TEST_F(FileShareguardTest, QueriesFollowTheMasterAndTheSidecar)
{
    struct Case
    {
        bool master, sidecar;
        bool available, checkedOut, possible;
    } const cases[] = {
        { false, false, false, false, false },
        { true, false, true, false, true },
        { true, true, true, true, false },
        { false, true, false, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "master " << c.master << " sidecar " << c.sidecar);
        fs::remove(m_dir.root() / "shared/Matls.KWDE");
        fs::remove(m_dir.root() / "shared/Matls.cko");
        if (c.master)
            WriteBytes(master, "M");
        if (c.sidecar)
            WriteBytes(at("shared/Matls.cko"), "S");
        EXPECT_EQ(guard().IsMasterAvailable(), c.available);
        EXPECT_EQ(guard().IsMasterCheckedOut(), c.checkedOut);
        EXPECT_EQ(guard().IsCheckoutPossibleAndAllowed(), c.possible);
    }
}

TEST_F(FileShareguardTest, CheckoutStatuses)
{
    const CheckoutDescriptor descriptor = ann.GetCheckoutDescriptor(u"PC", u"POP");

    EXPECT_EQ(guard().CheckoutFile(descriptor), MasterUnavailable);
    EXPECT_FALSE(exists("shared/Matls.cko"));

    WriteBytes(master, "M");
    ASSERT_EQ(guard().CheckoutFile(descriptor), Success);
    CheckoutDescriptor read;
    ASSERT_EQ(guard().GetCheckoutData(read), Success);
    EXPECT_EQ(read.GetUID(), u"{ANN}");
    EXPECT_EQ(read.GetUserName(), u"Ann Lee");

    // Held already: answered at once, without trying to create the sidecar.
    files->createNewCalls = 0;
    EXPECT_EQ(guard().CheckoutFile(bob.GetCheckoutDescriptor(u"PC2", u"")), CheckedOut);
    EXPECT_EQ(files->createNewCalls, 0);
    ASSERT_EQ(guard().GetCheckoutData(read), Success);
    EXPECT_EQ(read.GetUID(), u"{ANN}");
}

TEST_F(FileShareguardTest, CheckoutGivesUpAfterTheTimeout)
{
    WriteBytes(master, "M");
    files->fails = [](const std::string& op, auto&, auto&) { return op == "CreateNewFileWithData"; };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(guard().CheckoutFile(ann.GetCheckoutDescriptor(u"", u"")), CheckoutFailed);
    EXPECT_GE(
        std::chrono::steady_clock::now() - start, std::chrono::milliseconds(FileShareguard::GetTimeout()));
    EXPECT_GT(files->createNewCalls, 1);
    EXPECT_FALSE(exists("shared/Matls.cko"));
}

// The worst interleaving of two machines checking out at once: both see no
// sidecar before either creates it, then both try to create it.
struct RaceGate
{
    std::mutex mutex;
    std::condition_variable changed;
    int arrived = 0;
};

class RacingFileServices : public FileServices
{
public:
    explicit RacingFileServices(RaceGate& gate)
        : m_gate(gate)
    { }

    bool DoesFileExist(const std::u16string& path) const override
    {
        const bool exists = FileServices::DoesFileExist(path);
        if (path.ends_with(u".cko") && !m_passedGate) {
            m_passedGate = true;
            std::unique_lock lock(m_gate.mutex);
            ++m_gate.arrived;
            m_gate.changed.notify_all();
            m_gate.changed.wait(lock, [&] { return m_gate.arrived >= 2; });
        }
        return exists;
    }
    // One create at a time, so that a create that does not refuse an
    // existing file lets the second user overwrite the first.
    bool CreateFileWithData(const std::u16string& path, const IFileServicesData& data) const override
    {
        std::lock_guard lock(m_gate.mutex);
        return FileServices::CreateFileWithData(path, data);
    }
    bool CreateNewFileWithData(const std::u16string& path, const IFileServicesData& data) const override
    {
        std::lock_guard lock(m_gate.mutex);
        return FileServices::CreateNewFileWithData(path, data);
    }

private:
    RaceGate& m_gate;
    mutable bool m_passedGate = false;
};

TEST_F(FileShareguardTest, TwoUsersRacingForOneMasterNeverBothHoldIt)
{
    WriteBytes(master, "M");
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        // Each user with file services of their own, as on two machines.
        RaceGate gate;
        const FileShareguard annGuard(master, local, std::make_shared<RacingFileServices>(gate));
        const FileShareguard bobGuard(
            master, at("local/Bob.KWDE"), std::make_shared<RacingFileServices>(gate));
        GuardStatus annStatus {}, bobStatus {};
        std::thread annThread(
            [&] { annStatus = annGuard.CheckoutFile(ann.GetCheckoutDescriptor(u"PC", u"")); });
        std::thread bobThread(
            [&] { bobStatus = bobGuard.CheckoutFile(bob.GetCheckoutDescriptor(u"PC", u"")); });
        annThread.join();
        bobThread.join();

        ASSERT_TRUE((annStatus == Success && bobStatus == CheckedOut)
            || (annStatus == CheckedOut && bobStatus == Success))
            << annStatus << " " << bobStatus;
        const UserCredentials& winner = annStatus == Success ? ann : bob;
        const UserCredentials& loser = annStatus == Success ? bob : ann;
        EXPECT_EQ(guard().IsFileCheckedOutToUser(winner), Success);
        EXPECT_EQ(guard().IsFileCheckedOutToUser(loser), CheckedOut);
        ASSERT_EQ(guard().CheckinFile(), Success);
    }
}

// A check-out killed while it takes the sidecar must not leave an empty one
// that answers "checked out" to everybody for ever; here the kill is the
// signal of a file-size limit of zero, sent at the first write.
TEST_F(FileShareguardTest, KilledCheckoutLeavesNoEmptySidecar)
{
    WriteBytes(master, "M");
    const pid_t child = fork();
    if (child == 0) {
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &limit);
        guard().CheckoutFile(bob.GetCheckoutDescriptor(u"PC", u""));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);

    EXPECT_FALSE(exists("shared/Matls.cko"));
    checkOut(ann);
    EXPECT_EQ(guard().IsFileCheckedOutToUser(ann), Success);
}

// An empty sidecar is debris of a crash (a check-out writes the holder's
// record before the sidecar gets its name), so check-out replaces it; a
// sidecar with content, readable or not, is never overridden.
TEST_F(FileShareguardTest, CheckoutReplacesOnlyAnEmptySidecar)
{
    WriteBytes(master, "M");
    WriteBytes(at("shared/Matls.cko"), "");
    checkOut(ann);
    EXPECT_EQ(guard().IsFileCheckedOutToUser(ann), Success);
    EXPECT_EQ(guard().CheckoutFile(bob.GetCheckoutDescriptor(u"PC", u"")), CheckedOut);
    EXPECT_EQ(guard().IsFileCheckedOutToUser(ann), Success);

    WriteBytes(at("shared/Matls.cko"), "damaged");
    EXPECT_EQ(guard().CheckoutFile(bob.GetCheckoutDescriptor(u"PC", u"")), CheckedOut);
    EXPECT_EQ(content("shared/Matls.cko"), "damaged");
    // No temporary file of the exclusive create stays behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.root() / "shared"), {}), 2);
}

TEST_F(FileShareguardTest, CheckinAndCancelDeleteTheSidecar)
{
    WriteBytes(master, "M");
    for (auto release : { &FileShareguard::CheckinFile, &FileShareguard::CancelCheckout }) {
        checkOut(ann);
        const FileShareguard g = guard();
        EXPECT_EQ((g.*release)(), Success);
        EXPECT_FALSE(exists("shared/Matls.cko"));
        EXPECT_EQ((g.*release)(), CheckinFailed); // nothing left to delete
    }
}

TEST_F(FileShareguardTest, CheckoutDataAndHolderStatuses)
{
    struct Case
    {
        const char* label;
        bool master;
        std::string sidecar; // "" none, "ann" a valid sidecar of Ann, else raw bytes
        GuardStatus data, forAnn, forBob;
    } const cases[] = {
        { "master missing", false, "ann", MasterUnavailable, MasterUnavailable, MasterUnavailable },
        { "not checked out", true, "", NotCheckedOut, NotCheckedOut, NotCheckedOut },
        { "held by Ann", true, "ann", Success, Success, CheckedOut },
        { "empty sidecar", true, "\x01", ReadCheckoutFailed, ReadCheckoutFailed, ReadCheckoutFailed },
        { "damaged sidecar", true, std::string("\x01\0\0\0\xFF\xFE\xFF\x09", 8), ReadCheckoutFailed,
            ReadCheckoutFailed, ReadCheckoutFailed },
        { "future version", true, std::string("\x02\0\0\0", 4), ReadCheckoutFailed, ReadCheckoutFailed,
            ReadCheckoutFailed },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(m_dir.root() / "shared/Matls.cko");
        WriteBytes(master, "M");
        if (c.sidecar == "ann")
            checkOut(ann);
        else if (!c.sidecar.empty())
            WriteBytes(at("shared/Matls.cko"), c.sidecar);
        if (!c.master)
            fs::remove(m_dir.root() / "shared/Matls.KWDE");

        CheckoutDescriptor read(u"unchanged", u"{X}", u"", u"");
        EXPECT_EQ(guard().GetCheckoutData(read), c.data);
        if (c.data != Success) {
            EXPECT_EQ(read.GetUID(), u"{X}");
        }
        EXPECT_EQ(guard().IsFileCheckedOutToUser(ann), c.forAnn);
        EXPECT_EQ(guard().IsFileCheckedOutToUser(bob), c.forBob);
    }
}

TEST_F(FileShareguardTest, UpdateMasterReplacesTheMasterAndChecksIn)
{
    WriteBytes(master, "old");
    WriteBytes(local, "new");
    WriteBytes(at("shared/Matls_Ann_Lee.tmp"), "left over");
    WriteBytes(at("shared/Matls_Ann_Lee.bkd"), "left over");
    checkOut(ann);

    ASSERT_EQ(guard().UpdateMaster(ann), Success);
    EXPECT_EQ(content("shared/Matls.KWDE"), "new");
    EXPECT_FALSE(exists("shared/Matls.cko"));
    EXPECT_FALSE(exists("shared/Matls_Ann_Lee.tmp"));
    EXPECT_FALSE(exists("shared/Matls_Ann_Lee.bkd"));
    EXPECT_NE(std::find(files->calls.begin(), files->calls.end(),
                  u"Copy " + local + u" -> " + at("shared/Matls_Ann_Lee.tmp")),
        files->calls.end());
}

TEST_F(FileShareguardTest, UpdateMasterByAnotherUserChangesNothing)
{
    WriteBytes(master, "old");
    WriteBytes(local, "new");
    checkOut(ann);
    files->calls.clear();
    EXPECT_EQ(guard().UpdateMaster(bob), CheckedOut);
    EXPECT_TRUE(files->calls.empty());
    EXPECT_EQ(content("shared/Matls.KWDE"), "old");
    EXPECT_EQ(guard().IsFileCheckedOutToUser(ann), Success);

    fs::remove(m_dir.root() / "shared/Matls.cko");
    EXPECT_EQ(guard().UpdateMaster(ann), NotCheckedOut);
    EXPECT_EQ(content("shared/Matls.KWDE"), "old");
}

TEST_F(FileShareguardTest, UpdateMasterFailuresRollBack)
{
    const std::u16string masterTemp = at("shared/Matls_Ann_Lee.tmp");
    const std::u16string masterBackup = at("shared/Matls_Ann_Lee.bkd");
    struct Case
    {
        const char* label;
        std::function<bool(const std::string&, const std::u16string&, const std::u16string&)> fails;
        GuardStatus status;
        const char* masterContent; // nullptr: master missing
        const char* backupContent; // nullptr: no backup left
    } const cases[] = {
        { "left-over temporary cannot be removed",
            [&](auto& op, auto& a, auto&) { return op == "Delete" && a == masterTemp; }, MasterUnavailable,
            "old", nullptr },
        { "copy to the temporary fails", [](auto& op, auto&, auto&) { return op == "Copy"; },
            MasterUnavailable, "old", nullptr },
        { "master cannot become the backup",
            [&](auto& op, auto&, auto& b) { return op == "Rename" && b == masterBackup; }, MasterUnavailable,
            "old", nullptr },
        { "temporary cannot become the master, rolled back",
            [&](auto& op, auto& a, auto&) { return op == "Rename" && a == masterTemp; }, MasterUnavailable,
            "old", nullptr },
        { "temporary cannot become the master, roll-back fails",
            [&](auto& op, auto&, auto& b) { return op == "Rename" && b == master; }, RecoveryFailed, nullptr,
            "old" },
        { "check-in fails after the update",
            [&](auto& op, auto& a, auto&) { return op == "Delete" && a == at("shared/Matls.cko"); },
            CheckinFailed, "new", nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        for (const char* name :
            { "shared/Matls.cko", "shared/Matls_Ann_Lee.tmp", "shared/Matls_Ann_Lee.bkd" })
            fs::remove(m_dir.root() / name);
        files->fails = nullptr;
        WriteBytes(master, "old");
        WriteBytes(local, "new");
        WriteBytes(masterTemp, "left over");
        checkOut(ann);

        files->fails = c.fails;
        EXPECT_EQ(guard().UpdateMaster(ann), c.status);
        if (c.masterContent)
            EXPECT_EQ(content("shared/Matls.KWDE"), c.masterContent);
        else
            EXPECT_FALSE(exists("shared/Matls.KWDE"));
        if (c.backupContent)
            EXPECT_EQ(content("shared/Matls_Ann_Lee.bkd"), c.backupContent);
        else
            EXPECT_FALSE(exists("shared/Matls_Ann_Lee.bkd"));
    }
}

TEST_F(FileShareguardTest, GetLatestVersionReplacesTheLocalCopy)
{
    WriteBytes(master, "master");
    WriteBytes(local, "local");
    WriteBytes(at("local/Matls.bkd"), "older backup");
    fs::last_write_time(fs::path(master), fs::last_write_time(fs::path(local)) - std::chrono::hours(1));
    EXPECT_FALSE(guard().HasLatestVersion());

    ASSERT_EQ(guard().GetLatestVersion(), Success);
    EXPECT_EQ(content("local/Matls.KWDE"), "master");
    EXPECT_EQ(content("local/Matls.bkd"), "local"); // kept after success
    EXPECT_FALSE(exists("local/Matls.tmp"));
    EXPECT_TRUE(guard().HasLatestVersion());

    // Without a local copy there is nothing to back up.
    fs::remove(m_dir.root() / "local/Matls.KWDE");
    ASSERT_EQ(guard().GetLatestVersion(), Success);
    EXPECT_EQ(content("local/Matls.KWDE"), "master");
    EXPECT_FALSE(exists("local/Matls.bkd"));
}

TEST_F(FileShareguardTest, GetLatestVersionStatuses)
{
    const std::u16string localTemp = at("local/Matls.tmp");
    const std::u16string localBackup = at("local/Matls.bkd");
    struct Case
    {
        const char* label;
        bool master, sidecar;
        std::function<bool(const std::string&, const std::u16string&, const std::u16string&)> fails;
        GuardStatus status;
        const char* localContent; // nullptr: local copy missing
    } const cases[] = {
        { "checked out", true, true, nullptr, CheckedOut, "local" },
        { "master missing", false, false, nullptr, MasterUnavailable, "local" },
        { "left-over backup cannot be removed", true, false,
            [&](auto& op, auto& a, auto&) { return op == "Delete" && a == localBackup; }, GetLatestFailed,
            "local" },
        { "copy fails", true, false, [](auto& op, auto&, auto&) { return op == "Copy"; }, GetLatestFailed,
            "local" },
        { "local cannot become the backup", true, false,
            [&](auto& op, auto&, auto& b) { return op == "Rename" && b == localBackup; }, GetLatestFailed,
            "local" },
        { "temporary cannot become the local copy, rolled back", true, false,
            [&](auto& op, auto& a, auto&) { return op == "Rename" && a == localTemp; }, GetLatestFailed,
            "local" },
        { "temporary cannot become the local copy, roll-back fails", true, false,
            [&](auto& op, auto&, auto& b) { return op == "Rename" && b == local; }, RecoveryFailed, nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        for (const char* name :
            { "shared/Matls.KWDE", "shared/Matls.cko", "local/Matls.tmp", "local/Matls.bkd" })
            fs::remove(m_dir.root() / name);
        files->fails = nullptr;
        if (c.master)
            WriteBytes(master, "master");
        if (c.sidecar)
            WriteBytes(at("shared/Matls.cko"), "S");
        WriteBytes(local, "local");
        WriteBytes(localBackup, "older backup");

        files->fails = c.fails;
        EXPECT_EQ(guard().GetLatestVersion(), c.status);
        if (c.localContent)
            EXPECT_EQ(content("local/Matls.KWDE"), c.localContent);
        else
            EXPECT_EQ(content("local/Matls.bkd"), "local"); // the old local copy survives in the backup
    }
}

// The local backup is the only copy of the version before the last
// replacement: a master that is gone cannot replace anything, so nothing is
// removed.
TEST_F(FileShareguardTest, GetLatestVersionWithoutMasterKeepsTheLocalBackup)
{
    WriteBytes(local, "local");
    WriteBytes(at("local/Matls.bkd"), "older backup");
    WriteBytes(at("local/Matls.tmp"), "left over");
    EXPECT_EQ(guard().GetLatestVersion(), MasterUnavailable);
    EXPECT_EQ(content("local/Matls.KWDE"), "local");
    EXPECT_EQ(content("local/Matls.bkd"), "older backup");
    EXPECT_EQ(content("local/Matls.tmp"), "left over");
}

TEST_F(FileShareguardTest, EstablishMasterFileStatuses)
{
    fs::create_directory(m_dir.root() / "shared/sub");
    struct Case
    {
        const char* label;
        std::string master, local;
        bool masterExists, localExists;
        GuardStatus status;
    } const cases[] = {
        { "same folder", "shared/Matls.KWDE", "shared/Copy.KWDE", false, true, SameFolder },
        { "same folder, other case", "shared/Matls.KWDE", "SHARED/Copy.KWDE", false, true, SameFolder },
        { "same folder, other spelling", "shared/sub/../Matls.KWDE", "shared/Copy.KWDE", false, true,
            SameFolder },
        { "master folder missing", "missing/Matls.KWDE", "local/Matls.KWDE", false, true, MasterUnavailable },
        { "master exists", "shared/Matls.KWDE", "local/Matls.KWDE", true, true, MasterExists },
        { "local copy missing", "shared/Matls.KWDE", "local/Matls.KWDE", false, false, EstablishFailed },
        { "established", "shared/Matls.KWDE", "local/Matls.KWDE", false, true, MasterEstablished },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(m_dir.root() / "shared/Matls.KWDE");
        fs::remove(m_dir.root() / c.local);
        if (c.masterExists)
            WriteBytes(at(c.master.c_str()), "existing master");
        if (c.localExists)
            WriteBytes(at(c.local.c_str()), "local");
        const FileShareguard g(at(c.master.c_str()), at(c.local.c_str()), files);
        EXPECT_EQ(g.EstablishMasterFile(), c.status);
        if (c.status == MasterEstablished) {
            EXPECT_EQ(content("shared/Matls.KWDE"), "local");
        } else if (c.status == MasterExists) {
            EXPECT_EQ(content("shared/Matls.KWDE"), "existing master");
        }
    }
}

// Another user establishes the master between the check and the copy: the
// first master stays, and no copy is left behind.
TEST_F(FileShareguardTest, EstablishingNeverOverwritesAMasterMadeMeanwhile)
{
    WriteBytes(local, "mine");
    files->fails = [&](const std::string& op, auto&, auto&) {
        if (op == "Copy" && !exists("shared/Matls.KWDE"))
            WriteBytes(master, "theirs");
        return false;
    };
    EXPECT_EQ(guard().EstablishMasterFile(), MasterExists);
    EXPECT_EQ(content("shared/Matls.KWDE"), "theirs");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.root() / "shared"), {}), 1);
}

TEST_F(FileShareguardTest, ReplaceLocalWithMaster)
{
    WriteBytes(local, "local");
    EXPECT_FALSE(guard().ReplaceLocalWithMaster());
    EXPECT_EQ(content("local/Matls.KWDE"), "local");
    WriteBytes(master, "master");
    EXPECT_TRUE(guard().ReplaceLocalWithMaster());
    EXPECT_EQ(content("local/Matls.KWDE"), "master");
    EXPECT_TRUE(guard().HasLatestVersion());
}

// Every allocation of the whole check-out cycle may fail: no exception leaves
// the library, and the master survives with the old or the new content.
TEST_F(FileShareguardTest, RunningOutOfMemoryNeverThrows)
{
    // Arguments built beforehand; the UID, passed by value, is short enough
    // not to allocate in the caller.
    const std::u16string name = u"Ann Lee with a name long enough for the heap",
                         pc = u"PC serial long enough for the heap", pop = u"";
    WriteBytes(master, "old");
    WriteBytes(local, "new");
    int escaped = 0;
    const auto runs = kwl::testing::ForEachFailingAllocation(
        [&] {
            try {
                const FileShareguard g(master, local);
                const UserCredentials user(name, u"{A}");
                const UserCredentials fresh = UserCredentials::FromUsername(name);
                CheckoutDescriptor descriptor = user.GetCheckoutDescriptor(pc, pop);
                CheckoutDescriptor copied(descriptor);
                copied = fresh.GetCheckoutDescriptor(pc, pop);
                g.CheckoutFile(descriptor);
                g.GetCheckoutData(copied);
                g.IsFileCheckedOutToUser(user);
                g.UpdateMaster(user);
                g.GetLatestVersion();
                g.HasLatestVersion();
                g.CancelCheckout();
                g.EstablishMasterFile();
                g.ReplaceLocalWithMaster();
            } catch (...) {
                ++escaped;
            }
        },
        [&] {
            EXPECT_TRUE(
                exists("shared/Matls.KWDE") || exists("shared/Matls_Ann_Lee_with_a_name_long_enoug.bkd"));
            fs::remove(m_dir.root() / "shared/Matls.cko");
            if (!exists("shared/Matls.KWDE"))
                WriteBytes(master, "old");
            WriteBytes(local, "new");
        });
    EXPECT_GT(runs, 10u);
    EXPECT_EQ(escaped, 0);
}

} // namespace
} // namespace shareguard::test
