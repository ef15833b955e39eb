#pragma once
// A small world for the model's tests: a temporary library folder, the
// library installed as the program's one library, a command history over a
// document that only counts updates, and the messages the model raised.

#include "foundation/CmdHistory.h"
#include "foundation/IDoc.h"
#include "foundation/SheetDimensions.h"
#include "model/CMaterials.h"
#include "model/CSGSizeCost.h"
#include "model/CSheetGoodEx.h"
#include "model/CVendor.h"
#include "model/MaterialsFiles.h"
#include "model/ModelUiHook.h"
#include "model/SheetGoodSizeCost.h"
#include "model/SizeCostFactory.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class CountingDoc : public IDoc
{
public:
    bool IsProjectLocked() const override { return false; }
    void FlushPendingUpdate() override { ++flushes; }
    void AddPendingUpdate(const UpdateHint&) override { }
    void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo>) override { }
    void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo>) override { }
    void RefreshBOM() override { }
    bool SyncMaterialsLibrary() override { return true; }
    int flushes = 0;
};

class LibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        RegisterSheetGoodServices();
        InstallSizeCostFactory(std::make_unique<SizeCostFactory<SheetGoodSizeCost, CSGSizeCost>>());
        m_library = new CMaterials(false);
        SetMaterialsLibrary(m_library);
        m_library->SetFolder(Folder());
        // No shipped defaults unless a test puts some there.
        MaterialsFiles::SetProgramFolder(m_dir.filePath(QStringLiteral("program")));
        CreateCmdHistory(&m_doc);
        SetModelMessageHook([this](const QString& text) { m_messages << text; });
    }

    void TearDown() override
    {
        SetModelMessageHook({});
        CreateCmdHistory(nullptr);
        SetMaterialsLibrary(nullptr);
        MaterialsFiles::SetProgramFolder(QString());
    }

    QString Folder() const { return m_dir.path(); }
    QString PathOf(const char* name) const { return MaterialsFiles::PathIn(Folder(), name); }

    static std::shared_ptr<ISGSC> MakeRow(
        double thickness, double width, double length, const std::shared_ptr<CVendor>& vendor)
    {
        auto row = MakeSheetGoodSizeCost();
        row->SetThickness(CDimension::FromInches(thickness));
        SheetDimensions sheet = row->GetSheetDimensions();
        sheet.SetWidth(CDimension::FromInches(width));
        sheet.SetLength(CDimension::FromInches(length));
        row->SetSheetDimensions(sheet);
        if (vendor)
            row->SetVendor(vendor);
        return row;
    }

    std::shared_ptr<CSheetGoodEx> AddSheetGood(const QString& name)
    {
        auto material = std::make_shared<CSheetGoodEx>(name);
        m_library->GetMaterials().push_back(material);
        return material;
    }

    QTemporaryDir m_dir;
    CMaterials* m_library = nullptr;
    CountingDoc m_doc;
    QStringList m_messages;
};
