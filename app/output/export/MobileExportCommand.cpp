#include "output/export/MobileExportCommand.h"

#include "output/export/DocumentExportSource.h"
#include "output/export/ExportDataBuilder.h"
#include "output/export/ExportPackageWriter.h"
#include "output/export/ExportStrings.h"

#include "foundation/FileNames.h"
#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"

#include <QStringList>

namespace iDeviceExport {

bool MobileExportJob::Run(const QString& path, QString* reason) const
{
    ExportPackage package;
    const DocumentExportSource source(m_document);
    ExportDataBuilder(source, package).Build();
    return ExportPackageWriter().Write(package, path, reason);
}

bool SaveMobilePackage(const IOptimizationDoc& document, const QString& path, QString* reason)
{
    const bool saved = MobileExportJob(document).Run(path, reason);
    if (!saved)
        SessionLog::Instance().Write(SessionLog::Error, QStringLiteral("Export for iDevice error saving file."));
    return saved;
}

void MobileExportCommand::ExportToMobileDevice()
{
    m_host.FinishEditing();
    if (!m_host.OptimizeForExport()) {
        m_host.ShowExportMessage(QStringLiteral("The project must be optimized before it can be exported."),
            ExportMessageKind::Information);
        return;
    }
    QString path;
    if (!m_host.AskPackageFileName(path))
        return;
    QString reason;
    if (SaveMobilePackage(m_host.GetExportDocument(), path, &reason)) {
        m_host.ShowExportMessage(LoadUIString(kStrExportSucceeded), ExportMessageKind::Information);
        return;
    }
    // Which file, and the system's reason, so that the user can choose a
    // place that takes it.
    QStringList lines { LoadUIString(kStrExportFailed), DisplayFileName(path) };
    if (!reason.isEmpty())
        lines << reason;
    m_host.ShowExportMessage(lines.join(QStringLiteral("\n\n")), ExportMessageKind::Warning);
}

} // namespace iDeviceExport
