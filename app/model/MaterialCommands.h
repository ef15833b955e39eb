#pragma once
// The undoable changes of the library's sheet goods: a new material, a new
// size/cost row, an edit of a material's data and its grain; the unique-name
// rule; and the matching of a project's materials against the library.

#include "model/CSheetGoodEx.h"
#include "model/GrainInfo.h"
#include "model/MaterialCmd.h"
#include "model/MaterialUpdateInfo.h"
#include "model/MaterialsBase.h"

template <class Material, class Added> class CMaterialNew;
template <class Material, class Row> class CMaterialSCNew;
template <class Material, class Values> class CMaterialEdit;
template <class Material, class Data> class MaterialDataEdit;

template <> class CMaterialNew<CSheetGoodEx, CSheetGoodEx> : public MaterialCmd
{
public:
    explicit CMaterialNew(std::shared_ptr<CSheetGoodEx> material);
    QString GetName() const override;
    void Execute() override;
    void Undo() override;
    void Redo() override;
    const std::shared_ptr<CSheetGoodEx>& GetMaterial() const { return m_material; }

private:
    void Append();
    std::shared_ptr<CSheetGoodEx> m_material;
};

template <> class CMaterialSCNew<CSheetGoodEx, ISGSC> : public MaterialCmd
{
public:
    CMaterialSCNew(std::shared_ptr<CSheetGoodEx> material, std::shared_ptr<ISGSC> row);
    QString GetName() const override;
    void Execute() override;
    void Undo() override;
    void Redo() override;

private:
    void Append();
    std::shared_ptr<CSheetGoodEx> m_material;
    std::shared_ptr<ISGSC> m_row;
};

template <> class CMaterialEdit<CSheetGoodEx, CSheetGoodEx> : public MaterialCmd
{
public:
    // newValues holds the edited data; the old data is cloned now.
    CMaterialEdit(std::shared_ptr<CSheetGoodEx> material, std::shared_ptr<CSheetGoodEx> newValues,
        std::uint64_t changeMask, std::uint64_t detailMask, bool updateInBOM);
    QString GetName() const override;
    void Execute() override;
    void Undo() override;
    void Redo() override;

private:
    std::shared_ptr<CSheetGoodEx> m_material;
    std::shared_ptr<CSheetGoodEx> m_newValues;
    std::shared_ptr<CSheetGoodEx> m_oldValues;
};

template <> class MaterialDataEdit<CSheetGoodEx, GrainInfo> : public MaterialCmd
{
public:
    MaterialDataEdit(std::shared_ptr<CSheetGoodEx> material, const GrainInfo& newFlags);
    QString GetName() const override;
    void Execute() override;
    void Undo() override;
    void Redo() override;

private:
    std::shared_ptr<CSheetGoodEx> m_material;
    GrainInfo m_newFlags;
    GrainInfo m_oldFlags;
};

using SheetGoodNewCmd = CMaterialNew<CSheetGoodEx, CSheetGoodEx>;
using SheetGoodRowNewCmd = CMaterialSCNew<CSheetGoodEx, ISGSC>;
using SheetGoodEditCmd = CMaterialEdit<CSheetGoodEx, CSheetGoodEx>;
using SheetGoodGrainEditCmd = MaterialDataEdit<CSheetGoodEx, GrainInfo>;

// wanted, or wanted followed by " (n)" with the smallest n >= 1 that no other
// material of the list bears (ignoring case). A name only material itself
// bears is free.
QString MakeUniqueName(const SheetGoodList& list, const CSheetGoodEx* material, const QString& wanted);

// A sheet good named "New" (made unique) added to the library by a recorded
// command; with a row, a default size/cost row of 48 x 96 in (1200 x 2400 mm
// in metric styles) is added by a second command.
std::shared_ptr<CSheetGoodEx> AddNewMaterial();
std::shared_ptr<CSheetGoodEx> AddNewMaterialWithRow();

// The edit that renames material, or, when another material of the list
// bears the name (ignoring case), an empty pointer after the message box.
std::shared_ptr<CommandBase> MakeRenameCommand(
    const std::shared_ptr<CSheetGoodEx>& material, const SheetGoodList& list, const QString& newName);

// The library's sheet good that matches a project material (by stamp, else by
// name) and has the same cutting data; empty when none.
std::shared_ptr<CSheetGoodEx> FindLibraryTwin(const std::shared_ptr<CSheetGoodEx>& material);
// The twin, or the material itself after it joined the library (renamed unique).
std::shared_ptr<CSheetGoodEx> ResolvePartMaterial(const std::shared_ptr<CSheetGoodEx>& material);
// The library's material of the same name, the default material for an empty
// name or "Not Specified", or the material itself after it joined the library.
std::shared_ptr<CSheetGoodEx> ResolveMaterialByName(const std::shared_ptr<CSheetGoodEx>& material);
std::shared_ptr<IOptimizableSize> FindLibrarySizeCost(
    const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row);
std::shared_ptr<ISGSC> ResolveSizeCostRow(
    const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row);
