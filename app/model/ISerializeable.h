#pragma once

class ArchiveWrapper;

// An object that reads and writes its own plain record.
class ISerializeable
{
public:
    virtual ~ISerializeable() = default;
    virtual void Serialize(ArchiveWrapper& ar) = 0;
    virtual int GetSerializeCode() const { return 0; }
};
