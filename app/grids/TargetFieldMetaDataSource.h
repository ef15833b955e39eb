#pragma once
// What paste and text import need to know of a field they may write.

#include <QString>

namespace kwlImport {

class TargetFieldMetaDataSource
{
public:
    virtual ~TargetFieldMetaDataSource() = default;
    virtual bool IsImportTarget() const { return false; }
    virtual int GetFieldId() const = 0;
    virtual QString GetFieldName() const = 0;
};

} // namespace kwlImport
