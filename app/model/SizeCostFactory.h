#pragma once

#include "model/ISGSC.h"

#include <cstdint>
#include <memory>

// Makes the rows of one kind, so that loading, pasting and copying all
// create the same class of row.
template <class Row>
class ISizeCostFactory
{
public:
    virtual ~ISizeCostFactory() = default;
    virtual std::shared_ptr<Row> CreateCopy(const Row& row) const = 0;
    virtual std::shared_ptr<Row> Create() const = 0;
};

template <class Concrete, class Record>
class SizeCostFactory : public ISizeCostFactory<ISGSC>
{
public:
    std::shared_ptr<ISGSC> CreateCopy(const ISGSC& row) const override { return row.Clone(); }
    std::shared_ptr<ISGSC> Create() const override { return std::make_shared<Concrete>(); }
};

// The one global factory, installed at start-up before the library loads.
// Installing replaces (and deletes) an earlier one.
void InstallSizeCostFactory(std::unique_ptr<ISizeCostFactory<ISGSC>> factory);
ISizeCostFactory<ISGSC>* GetSizeCostFactory();

// A new default row from the installed factory (a plain sheet-good row when
// none is installed).
std::shared_ptr<ISGSC> MakeSheetGoodSizeCost();
// Type code 1 makes a sheet-good row; any other code an empty pointer.
std::shared_ptr<ISGSC> MakeSizeCostByTypeCode(std::uint32_t typeCode);
