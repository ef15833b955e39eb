#pragma once
// What the export reads, taken from the project document and its bills; the
// line items through their own queries.

#include "output/export/ExportSource.h"

class IOptimizationDoc;

namespace iDeviceExport {

class DocumentExportSource : public IExportSource
{
public:
    explicit DocumentExportSource(const IOptimizationDoc& document) : m_document(document) { }

    const OptTargetList& GetTargetList() const override;
    std::vector<ExportMaterialBill> GetSheetGoodsBills() const override;
    StackList GetAllDiagramsInOrder() const override;
    std::vector<CMilledPart*> GetParts() const override;
    const ProjectSettings& GetProjectSettings() const override;

private:
    const IOptimizationDoc& m_document;
};

} // namespace iDeviceExport
