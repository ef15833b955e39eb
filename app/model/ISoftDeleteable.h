#pragma once

#include <QString>

// An object that is marked deleted instead of being destroyed while others
// still refer to it; its name then reads as "<Deleted>".
class ISoftDeleteable
{
public:
    virtual ~ISoftDeleteable() = default;
    virtual QString GetSoftDeletedName() const = 0;

    bool IsDeleted() const { return m_deleted != 0; }
    void SetDeleted(bool deleted) { m_deleted = deleted ? 1 : 0; }

protected:
    ISoftDeleteable() = default;
    ISoftDeleteable(const ISoftDeleteable&) = default;
    ISoftDeleteable& operator=(const ISoftDeleteable&) = default;

private:
    unsigned char m_deleted = 0;
};
