#pragma once

#include <shareguard_export.h>

namespace platform {
class BinaryArchive;
}

namespace shareguard {

// A block of data that the file services store in a file through the binary
// archive. Load may throw the archive's error (for example for a version it
// refuses); the file services turn that into a failed read.
class SHAREGUARD_EXPORT IFileServicesData
{
public:
    virtual ~IFileServicesData();
    virtual void Store(platform::BinaryArchive& archive) const = 0;
    virtual void Load(platform::BinaryArchive& archive) = 0;
};

} // namespace shareguard
