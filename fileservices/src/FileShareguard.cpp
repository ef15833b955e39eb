#include <shareguard/FileServices.h>
#include <shareguard/FileShareguard.h>

#include "PosixFile_p.h"

#include <platform/SecureRandom.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>
#include <utility>

namespace shareguard {

namespace {

// Between attempts to take or read the sidecar, so that a retry loop does not
// hammer a shared folder.
constexpr auto kRetryPause = std::chrono::milliseconds(5);

// The path without its extension; a leading dot names a file, not an extension.
std::u16string WithoutExtension(const std::u16string& path)
{
    const std::size_t slash = path.rfind(u'/');
    const std::size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string::npos || dot <= nameStart)
        return path;
    return path.substr(0, dot);
}

// The path without its file name.
std::u16string FolderOf(const std::u16string& path)
{
    const std::size_t slash = path.rfind(u'/');
    if (slash == std::u16string::npos)
        return {};
    return slash == 0 ? u"/" : path.substr(0, slash);
}

char16_t FoldCase(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualIgnoringCase(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

// Two spellings of one folder: equal ignoring case (file servers of shared
// folders often ignore it), or one folder reached by two paths (links, "..").
bool IsSameFolder(const std::u16string& a, const std::u16string& b)
{
    if (EqualIgnoringCase(a, b))
        return true;
    std::error_code error;
    const std::filesystem::path pa(detail::NativePath(a.empty() ? u"." : a));
    const std::filesystem::path pb(detail::NativePath(b.empty() ? u"." : b));
    return std::filesystem::equivalent(pa, pb, error) && !error;
}

// The services of a guard that was given none. They hold no data, so one
// instance serves every guard, and handing it out allocates nothing.
std::shared_ptr<IFileServices> DefaultFileServices() noexcept
{
    static FileServices services;
    return std::shared_ptr<IFileServices>(std::shared_ptr<IFileServices>(), &services);
}

// Eight hexadecimal digits that no other user picks at the same moment.
std::u16string UniqueSuffix()
{
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::uint32_t value = platform::SecureRandom32();
    std::u16string text(8, u'0');
    for (auto it = text.rbegin(); it != text.rend(); ++it, value >>= 4)
        *it = kDigits[value & 0xF];
    return text;
}

template <typename Attempt> GuardStatus RetryUntilTimeout(Attempt attempt, GuardStatus onTimeout)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(FileShareguard::GetTimeout());
    for (;;) {
        if (std::optional<GuardStatus> result = attempt())
            return *result;
        if (Clock::now() >= deadline)
            return onTimeout;
        std::this_thread::sleep_for(kRetryPause);
    }
}

} // namespace

FileShareguard::FileShareguard(const std::u16string& masterPath, const std::u16string& localPath)
    : FileShareguard(masterPath, localPath, nullptr)
{ }

FileShareguard::FileShareguard(const std::u16string& masterPath, const std::u16string& localPath,
    std::shared_ptr<IFileServices> fileServices)
    : m_fileServices(fileServices ? std::move(fileServices) : DefaultFileServices())
{
    try {
        m_masterPath = masterPath;
        m_localPath = localPath;
        m_masterBase = WithoutExtension(masterPath);
        m_localBase = WithoutExtension(localPath);
        m_sidecarPath = m_masterBase + u".cko";
    } catch (...) {
        // Out of memory: a guard without paths, whose every operation fails
        // without touching a file.
        for (std::u16string* path :
            { &m_masterPath, &m_localPath, &m_masterBase, &m_localBase, &m_sidecarPath })
            path->clear();
    }
}

bool FileShareguard::IsMasterAvailable() const
{
    try {
        return m_fileServices->DoesFileExist(m_masterPath);
    } catch (...) {
        return false;
    }
}

bool FileShareguard::IsMasterCheckedOut() const
{
    try {
        return m_fileServices->DoesFileExist(m_sidecarPath);
    } catch (...) {
        return false;
    }
}

bool FileShareguard::IsCheckoutPossibleAndAllowed() const
{
    return IsMasterAvailable() && !IsMasterCheckedOut();
}

bool FileShareguard::HasLatestVersion() const
{
    try {
        std::int64_t masterTime = 0;
        std::int64_t localTime = 0;
        return m_fileServices->GetLastModTime(m_masterPath, masterTime)
            && m_fileServices->GetLastModTime(m_localPath, localTime) && masterTime == localTime;
    } catch (...) {
        return false;
    }
}

GuardStatus FileShareguard::CheckoutFile(const CheckoutDescriptor& descriptor) const
{
    try {
        // Taking the sidecar is one exclusive create: of two users racing for
        // the master, the loser finds the winner's sidecar on its next round.
        // A sidecar that names its holder is never overridden; one that
        // cannot be read may be the empty debris of a crashed check-out,
        // which the exclusive create replaces.
        return RetryUntilTimeout(
            [&]() -> std::optional<GuardStatus> {
                if (!m_fileServices->DoesFileExist(m_masterPath))
                    return MasterUnavailable;
                if (m_fileServices->DoesFileExist(m_sidecarPath)) {
                    CheckoutDescriptor holder;
                    if (m_fileServices->ReadFileWithData(m_sidecarPath, holder))
                        return CheckedOut;
                }
                if (m_fileServices->CreateNewFileWithData(m_sidecarPath, descriptor))
                    return Success;
                if (m_fileServices->DoesFileExist(m_sidecarPath))
                    return CheckedOut;
                return std::nullopt;
            },
            CheckoutFailed);
    } catch (...) {
        return CheckoutFailed;
    }
}

GuardStatus FileShareguard::CheckinFile() const
{
    try {
        return m_fileServices->Delete(m_sidecarPath) ? Success : CheckinFailed;
    } catch (...) {
        return CheckinFailed;
    }
}

GuardStatus FileShareguard::CancelCheckout() const
{
    return CheckinFile();
}

GuardStatus FileShareguard::GetCheckoutData(CheckoutDescriptor& descriptor) const
{
    try {
        return RetryUntilTimeout(
            [&]() -> std::optional<GuardStatus> {
                if (!m_fileServices->DoesFileExist(m_masterPath))
                    return MasterUnavailable;
                if (!m_fileServices->DoesFileExist(m_sidecarPath))
                    return NotCheckedOut;
                if (m_fileServices->ReadFileWithData(m_sidecarPath, descriptor))
                    return Success;
                return std::nullopt;
            },
            ReadCheckoutFailed);
    } catch (...) {
        return ReadCheckoutFailed;
    }
}

GuardStatus FileShareguard::IsFileCheckedOutToUser(const UserCredentials& credentials) const
{
    try {
        CheckoutDescriptor descriptor;
        const GuardStatus status = GetCheckoutData(descriptor);
        if (status != Success)
            return status;
        return credentials.DoesDescriptorMatch(descriptor) ? Success : CheckedOut;
    } catch (...) {
        return ReadCheckoutFailed;
    }
}

GuardStatus FileShareguard::UpdateMaster(const UserCredentials& credentials) const
{
    try {
        return UpdateMasterSteps(credentials);
    } catch (...) {
        return MasterUnavailable;
    }
}

GuardStatus FileShareguard::UpdateMasterSteps(const UserCredentials& credentials) const
{
    const GuardStatus holder = IsFileCheckedOutToUser(credentials);
    if (holder != Success)
        return holder;

    IFileServices& files = *m_fileServices;
    const std::u16string userPart = u"_" + credentials.GetSafeUsername();
    const std::u16string masterTemp = m_masterBase + userPart + u".tmp";
    const std::u16string masterBackup = m_masterBase + userPart + u".bkd";
    for (const auto& leftover : { masterTemp, masterBackup })
        if (files.DoesFileExist(leftover) && !files.Delete(leftover))
            return MasterUnavailable;

    if (!files.Copy(m_localPath, masterTemp))
        return MasterUnavailable;
    if (!files.Rename(m_masterPath, masterBackup))
        return MasterUnavailable;
    if (!files.Rename(masterTemp, m_masterPath))
        return files.Rename(masterBackup, m_masterPath) ? MasterUnavailable : RecoveryFailed;

    for (const auto& leftover : { masterTemp, masterBackup })
        if (files.DoesFileExist(leftover))
            files.Delete(leftover);
    return CheckinFile();
}

GuardStatus FileShareguard::GetLatestVersion() const
{
    try {
        return GetLatestVersionSteps();
    } catch (...) {
        return GetLatestFailed;
    }
}

GuardStatus FileShareguard::GetLatestVersionSteps() const
{
    IFileServices& files = *m_fileServices;
    if (files.DoesFileExist(m_sidecarPath))
        return CheckedOut;
    // Without a master nothing can replace the local copy: keep the local
    // backup, the only copy of the version before the last replacement.
    if (!files.DoesFileExist(m_masterPath))
        return MasterUnavailable;

    const std::u16string localTemp = m_localBase + u".tmp";
    const std::u16string localBackup = m_localBase + u".bkd";
    for (const auto& leftover : { localTemp, localBackup })
        if (files.DoesFileExist(leftover) && !files.Delete(leftover))
            return GetLatestFailed;

    if (!files.Copy(m_masterPath, localTemp))
        return files.DoesFileExist(m_masterPath) ? GetLatestFailed : MasterUnavailable;

    bool madeBackup = false;
    if (files.DoesFileExist(m_localPath)) {
        if (!files.Rename(m_localPath, localBackup))
            return GetLatestFailed;
        madeBackup = true;
    }
    if (files.Rename(localTemp, m_localPath))
        return Success;
    if (!madeBackup)
        return GetLatestFailed;
    return files.Rename(localBackup, m_localPath) ? GetLatestFailed : RecoveryFailed;
}

GuardStatus FileShareguard::EstablishMasterFile() const
{
    try {
        return EstablishMasterFileSteps();
    } catch (...) {
        return EstablishFailed;
    }
}

GuardStatus FileShareguard::EstablishMasterFileSteps() const
{
    const std::u16string masterFolder = FolderOf(m_masterPath);
    if (IsSameFolder(FolderOf(m_localPath), masterFolder))
        return SameFolder;
    if (!m_fileServices->DoesFolderExist(masterFolder))
        return MasterUnavailable;
    if (m_fileServices->DoesFileExist(m_masterPath))
        return MasterExists;
    // The copy goes to a name of its own and becomes the master by a rename
    // that never replaces: of two users establishing the master at the same
    // moment, the second finds the first one's master instead of overwriting it.
    IFileServices& files = *m_fileServices;
    const std::u16string temp = m_masterBase + u"_" + UniqueSuffix() + u".tmp";
    if (!files.Copy(m_localPath, temp)) {
        if (files.DoesFileExist(temp))
            files.Delete(temp);
        return EstablishFailed;
    }
    if (files.Rename(temp, m_masterPath))
        return MasterEstablished;
    files.Delete(temp);
    return files.DoesFileExist(m_masterPath) ? MasterExists : EstablishFailed;
}

bool FileShareguard::ReplaceLocalWithMaster() const
{
    try {
        return m_fileServices->Copy(m_masterPath, m_localPath);
    } catch (...) {
        return false;
    }
}

} // namespace shareguard
