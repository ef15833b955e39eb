#pragma once

#include <shareguard/CheckoutDescriptor.h>
#include <shareguard/GuardStatus.h>
#include <shareguard/IFileServices.h>
#include <shareguard/UserCredentials.h>
#include <shareguard_export.h>

#include <memory>
#include <string>

namespace shareguard {

// Lets several users share one master file in a shared folder while each
// works on a local copy. Checking out creates a sidecar file beside the
// master ("<master base>.cko") that names the holder; only the holder may
// replace the master with the local copy, and anybody may copy the master
// over their local copy while nobody holds it. Replacements go through a
// temporary (".tmp") and a backup (".bkd") file so that a failed step can be
// rolled back. Used from one thread; all file access goes through the file
// services.
class SHAREGUARD_EXPORT FileShareguard
{
public:
    // Without file services (or with none given) the guard works on the
    // local file systems. When memory runs out while the names are derived,
    // the guard has no paths and every operation fails.
    FileShareguard(const std::u16string& masterPath, const std::u16string& localPath);
    FileShareguard(const std::u16string& masterPath, const std::u16string& localPath,
        std::shared_ptr<IFileServices> fileServices);

    bool IsMasterAvailable() const;
    bool IsMasterCheckedOut() const;
    bool IsCheckoutPossibleAndAllowed() const;
    // Master and local copy have the same modification time.
    bool HasLatestVersion() const;

    GuardStatus CheckoutFile(const CheckoutDescriptor& descriptor) const;
    GuardStatus CheckinFile() const;
    GuardStatus CancelCheckout() const;
    GuardStatus GetCheckoutData(CheckoutDescriptor& descriptor) const;
    GuardStatus IsFileCheckedOutToUser(const UserCredentials& credentials) const;
    // Replaces the master with the local copy and checks it in.
    GuardStatus UpdateMaster(const UserCredentials& credentials) const;
    // Replaces the local copy with the master; the old local copy stays as
    // the local backup.
    GuardStatus GetLatestVersion() const;
    // Creates the master from the local copy when there is none yet.
    GuardStatus EstablishMasterFile() const;
    bool ReplaceLocalWithMaster() const;

    // Milliseconds that check-out and reading the sidecar keep retrying.
    static int GetTimeout() { return 500; }

private:
    SHAREGUARD_NO_EXPORT GuardStatus UpdateMasterSteps(const UserCredentials& credentials) const;
    SHAREGUARD_NO_EXPORT GuardStatus GetLatestVersionSteps() const;
    SHAREGUARD_NO_EXPORT GuardStatus EstablishMasterFileSteps() const;

    std::shared_ptr<IFileServices> m_fileServices;
    std::u16string m_masterPath;
    std::u16string m_localPath;
    std::u16string m_sidecarPath;
    std::u16string m_masterBase;
    std::u16string m_localBase;
};

} // namespace shareguard
