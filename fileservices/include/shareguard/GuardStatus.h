#pragma once

namespace shareguard {

// The result of a check-out operation; the numbers are stable.
enum GuardStatus : int {
    Success = 0,
    MasterUnavailable = 1, // master missing, or an update step failed and was rolled back
    CheckedOut = 2, // a sidecar exists (or names another user)
    NotCheckedOut = 3, // no sidecar exists
    SameFolder = 4, // master and local copy are in one folder
    CheckoutFailed = 5, // the sidecar could not be created within the time-out
    CheckinFailed = 6, // the sidecar could not be deleted
    ReadCheckoutFailed = 7, // the sidecar could not be read within the time-out
    RecoveryFailed = 8, // restoring from the backup failed: the content is in the backup file
    GetLatestFailed = 9, // the local copy could not be replaced (the master exists)
    EstablishFailed = 10, // the first copy of the local file to the master path failed
    MasterEstablished = 11, // the master was created from the local file
    MasterExists = 12, // a master file already exists
};

} // namespace shareguard
