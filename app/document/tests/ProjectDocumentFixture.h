#pragma once
// A project document over the target tests' world: a library with Oak and
// Ash, the document's strings, and a shell without windows.

#include "FakeDocumentShell.h"
#include "TargetTestFixture.h"

#include "document/CKWLDoc.h"
#include "document/DocumentErrorRecord.h"
#include "document/DocumentStrings.h"
#include "foundation/TCPResource.h"
#include "model/ModelStrings.h"
#include "model/ModelUiHook.h"
#include "model/CSheetGoodEx.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/OptimizationStrings.h"

#include <QFile>
#include <QTemporaryDir>

class ProjectDocumentTest : public TargetTest
{
protected:
    void SetUp() override
    {
        TargetTest::SetUp();
        InitUIStrings(m_languageFolder.path(), {FoundationStringResources(), ModelStringResources(),
                                                OptimizationStringResources(), DocumentStringResources()});
        m_previousHook = SetModelMessageHook([this](const QString& text) { m_shown.push_back(text); });
        m_oak = AddMaterial(QStringLiteral("Oak"));
        AddRow(*m_oak, 0.75, 48, 96)->SetUnlimited();
        m_ash = AddMaterial(QStringLiteral("Ash"));
        AddRow(*m_ash, 0.75, 48, 96)->SetUnlimited();
        m_doc = std::make_unique<CKWLDoc>();
        m_doc->SetShell(&m_shell);
        m_doc->OnNewDocument();
        TheDocumentErrorRecord().Reset();
    }

    void TearDown() override
    {
        m_doc.reset();
        SetModelMessageHook(m_previousHook);
        TargetTest::TearDown();
    }

    CMilledPart* Append(const std::shared_ptr<CSheetGoodEx>& material, double width, double length,
                        std::uint32_t copies, const QString& description)
    {
        auto part = MakePart(1, width, length, copies, material);
        part->SetDescription(description);
        CMilledPart* raw = part.release();
        m_doc->AppendPart(raw);
        return raw;
    }

    // What the run does, without its dialog: every pending target's job,
    // made here and run at once.
    void RunJobs(CKWLDoc& doc)
    {
        OptTargetList pending;
        doc.GetBOMOptMgr()->CollectPendingJobs(kCollectPendingTargets, pending);
        for (const auto& target : pending) {
            const auto job = doc.GetBOMOptMgr()->MakeOptimizationJob(
                std::dynamic_pointer_cast<OptimizationTarget>(target), doc);
            ASSERT_TRUE(job);
            BOMOptMgr::RunOptimizationJob(*job);
        }
        doc.GetBOMOptMgr()->AfterOptimizationRun();
    }

    QString PathOf(const QString& name) const { return m_files.filePath(name); }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void WriteAll(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir m_languageFolder;
    QTemporaryDir m_files;
    ModelMessageHook m_previousHook;
    QStringList m_shown;
    FakeDocumentShell m_shell;
    std::shared_ptr<CSheetGoodEx> m_oak;
    std::shared_ptr<CSheetGoodEx> m_ash;
    std::unique_ptr<CKWLDoc> m_doc;
};
