#pragma once

#include "foundation/UniqueStamp.h"

class ArchiveWrapper;

// The stamp by which a material or a stock size is found again across the
// library and stored projects (pinned diagrams refer to it). Unset until
// first needed; once assigned it changes only through SetID, Clear or loading.
class PinnableID
{
public:
    PinnableID() = default;
    PinnableID(const PinnableID&) = default;
    PinnableID& operator=(const PinnableID&) = default;
    virtual ~PinnableID() = default;

    UniqueStamp GetID() const { return m_stamp; }
    void SetID(const UniqueStamp& stamp) { m_stamp = stamp; }
    bool IsPinnableIDSet() const { return m_stamp.IsSet(); }
    // Generates the stamp when it is not set.
    void EnsureAssigned();
    // Clears the stamp, then runs the change hook.
    void Clear();
    // Time as 64 bits, then the random word as 32 bits.
    void Serialize(ArchiveWrapper& ar);

protected:
    // Runs after Clear: a material clears the stamps of its rows with it.
    virtual void OnPinnableIDCleared() {}

private:
    UniqueStamp m_stamp;
};
