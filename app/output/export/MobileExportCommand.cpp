#include "output/export/MobileExportCommand.h"

#include "output/export/DocumentExportSource.h"
#include "output/export/ExportDataBuilder.h"
#include "output/export/ExportPackageWriter.h"
#include "output/export/ExportStrings.h"

#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"

namespace iDeviceExport {

bool MobileExportJob::Run(const QString& path) const
{
    ExportPackage package;
    const DocumentExportSource source(m_document);
    ExportDataBuilder(source, package).Build();
    return ExportPackageWriter().Write(package, path);
}

bool SaveMobilePackage(const IOptimizationDoc& document, const QString& path)
{
    const bool saved = MobileExportJob(document).Run(path);
    if (!saved)
        SessionLog::Instance().Write(SessionLog::Error, QStringLiteral("Export for iDevice error saving file."));
    return saved;
}

void MobileExportCommand::ExportToMobileDevice()
{
    m_host.FinishEditing();
    if (!m_host.OptimizeForExport()) {
        m_host.ShowExportMessage(QStringLiteral("The project must be optimized before it can be exported."));
        return;
    }
    QString path;
    if (!m_host.AskPackageFileName(path))
        return;
    const bool saved = SaveMobilePackage(m_host.GetExportDocument(), path);
    m_host.ShowExportMessage(LoadUIString(saved ? kStrExportSucceeded : kStrExportFailed));
}

} // namespace iDeviceExport
