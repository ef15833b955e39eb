#include "model/VendorCommands.h"

#include "foundation/UpdateMasks.h"
#include "model/MaterialsBase.h"

namespace {
void AddToLibrary(const std::shared_ptr<CVendor>& vendor)
{
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->AddVendor(vendor);
}

void RemoveFromLibrary(const std::shared_ptr<CVendor>& vendor)
{
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->RemoveVendor(vendor);
    else
        vendor->SetDeleted(true);
}

// A renamed vendor must not keep its old name in the list the grids offer.
void RefreshLibraryNames()
{
    if (MaterialsBase* library = GetMaterialsLibrary())
        library->RebuildVendorNameList();
}
} // namespace

CVendorNew::CVendorNew(std::shared_ptr<CVendor> vendor)
    : MaterialCmd(UpdateMask::Change1000, 0, std::make_shared<VendorUpdateInfo>())
    , m_vendor(std::move(vendor))
{ }

void CVendorNew::Execute()
{
    MaterialCmd::Execute();
    AddToLibrary(m_vendor);
}

void CVendorNew::Undo()
{
    MaterialCmd::Undo();
    RemoveFromLibrary(m_vendor);
}

void CVendorNew::Redo()
{
    MaterialCmd::Redo();
    m_vendor->SetDeleted(false);
    AddToLibrary(m_vendor);
}

CVendorDelete::CVendorDelete(std::shared_ptr<CVendor> vendor)
    : MaterialCmd(UpdateMask::Change1000, 0, std::make_shared<VendorUpdateInfo>())
    , m_vendor(std::move(vendor))
{
    AddDetailFlags(UpdateMask::Detail0080);
    AddChangeFlags(UpdateMask::Change0040);
}

void CVendorDelete::Execute()
{
    MaterialCmd::Execute();
    RemoveFromLibrary(m_vendor);
}

void CVendorDelete::Undo()
{
    MaterialCmd::Undo();
    m_vendor->SetDeleted(false);
    AddToLibrary(m_vendor);
}

void CVendorDelete::Redo()
{
    MaterialCmd::Redo();
    RemoveFromLibrary(m_vendor);
}

CVendorEdit::CVendorEdit(std::shared_ptr<CVendor> vendor, std::shared_ptr<CVendor> newValues)
    : MaterialCmd(UpdateMask::Change1000, 0, std::make_shared<VendorUpdateInfo>())
    , m_vendor(std::move(vendor))
    , m_newValues(std::move(newValues))
    , m_oldValues(std::make_shared<CVendor>(*m_vendor))
{
    AddDetailFlags(UpdateMask::Detail0080);
    AddChangeFlags(UpdateMask::Change0040);
}

void CVendorEdit::Execute()
{
    MaterialCmd::Execute();
    *m_vendor = *m_newValues;
    RefreshLibraryNames();
}

void CVendorEdit::Undo()
{
    MaterialCmd::Undo();
    *m_vendor = *m_oldValues;
    RefreshLibraryNames();
}

void CVendorEdit::Redo()
{
    MaterialCmd::Redo();
    *m_vendor = *m_newValues;
    RefreshLibraryNames();
}
