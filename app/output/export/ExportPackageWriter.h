#pragma once
// Writes the export records as the mobile companion package: an XML document
// with the root QxPackage and its eight sections in fixed order.

#include "output/export/ExportRecords.h"

#include <QString>

namespace iDeviceExport {

// Holds nothing between writes: each Write builds one document and frees it.
class ExportPackageWriter
{
public:
    // True when the whole package reached the file. A failed write leaves no
    // partial file, and a file already at the path stays as it was; reason
    // (when given) then says why, in the system's words.
    bool Write(const ExportPackage& package, const QString& path, QString* reason = nullptr) const;
};

} // namespace iDeviceExport
