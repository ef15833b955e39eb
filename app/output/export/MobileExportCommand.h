#pragma once
// Export for Mobile: the project optimized, a file chosen, the package built
// and written, and the outcome told.

#include <QString>

class IOptimizationDoc;

namespace iDeviceExport {

// How a message box shows its message.
enum class ExportMessageKind { Information, Warning };

// What the command needs of the program window.
class IMobileExportHost
{
public:
    virtual ~IMobileExportHost() = default;
    // Ends any grid edit, so that the project holds the committed values.
    virtual void FinishEditing() = 0;
    virtual IOptimizationDoc& GetExportDocument() = 0;
    // The document's optimization of whatever needs it; false when cancelled.
    virtual bool OptimizeForExport() = 0;
    // The save dialog for a package; false when cancelled or refused.
    virtual bool AskPackageFileName(QString& path) = 0;
    virtual void ShowExportMessage(const QString& text, ExportMessageKind kind) = 0;
};

// Builds the package of the document and writes it to path.
class MobileExportJob
{
public:
    explicit MobileExportJob(const IOptimizationDoc& document) : m_document(document) { }
    // False when the file could not be written; reason (when given) says why.
    bool Run(const QString& path, QString* reason = nullptr) const;

private:
    const IOptimizationDoc& m_document;
};

// One job; a failure is written to the session log.
bool SaveMobilePackage(const IOptimizationDoc& document, const QString& path, QString* reason = nullptr);

class MobileExportCommand
{
public:
    explicit MobileExportCommand(IMobileExportHost& host) : m_host(host) { }
    void ExportToMobileDevice();

private:
    IMobileExportHost& m_host;
};

} // namespace iDeviceExport
