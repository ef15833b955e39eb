#pragma once
// Copies the project into the export records, in fixed steps whose order
// decides the order of the package's lists.

#include "output/export/ExportRecords.h"

#include <cstdint>
#include <map>
#include <set>

class CMilledPart;
class CSheetGoodEx;
class IOptimizableMaterial;

namespace iDeviceExport {

class IExportSource;

// Lives for one build. Its tables carry facts from one step to a later one;
// a lookup of a missing key gives identity 0.
class ExportDataBuilder
{
public:
    // Neither is owned; the package starts empty.
    ExportDataBuilder(const IExportSource& source, ExportPackage& package);

    // With "Pro-Rate Costs" off while it runs, so that every quantity and
    // cost of the bill of materials is for whole sheets.
    void Build();
    // Each material once, with its size/cost rows; other kinds add nothing.
    void AddMaterialWithSizes(const IOptimizableMaterial& material);

private:
    void AddTargets();
    void AddBillOfMaterials();
    void AddDiagrams();
    void AddParts();
    void AddComponents();
    void AddProjectSettings();
    void AddSheetGood(const CSheetGoodEx& material);

    const IExportSource& m_source;
    ExportPackage& m_package;
    // Keyed by the part itself: parts may share a number.
    std::map<const CMilledPart*, std::uint64_t> m_partTargets;
    std::map<std::uint64_t, std::uint64_t> m_stackTargets;
    std::set<std::uint64_t> m_addedMaterials;
};

} // namespace iDeviceExport
