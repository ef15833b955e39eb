#include "output/export/DocumentExportSource.h"
#include "output/export/ExportStrings.h"
#include "output/export/MobileExportCommand.h"

#include "FakeOptimizationDoc.h"
#include "ProjectTestFixture.h"
#include "foundation/FileNames.h"
#include "foundation/SessionLog.h"
#include "foundation/TCPResource.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

namespace {

using namespace iDeviceExport;

class ExportDoc : public FakeOptimizationDoc
{
public:
    std::shared_ptr<BOMOptMgr> GetBOMOptMgr() const override { return manager; }
    std::shared_ptr<BOMOptMgr> manager;
};

// The program window as the command sees it, answering from the test.
class FakeHost : public IMobileExportHost
{
public:
    explicit FakeHost(ExportDoc& document) : m_document(document) { }
    void FinishEditing() override { events << QStringLiteral("finish"); }
    IOptimizationDoc& GetExportDocument() override { return m_document; }
    bool OptimizeForExport() override
    {
        events << QStringLiteral("optimize");
        return optimized;
    }
    bool AskPackageFileName(QString& path) override
    {
        events << QStringLiteral("dialog");
        path = chosenPath;
        return !chosenPath.isEmpty();
    }
    void ShowExportMessage(const QString& text, ExportMessageKind kind) override
    {
        messages << text;
        kinds << kind;
    }

    bool optimized = true;
    QString chosenPath;
    QStringList events;
    QStringList messages;
    QList<ExportMessageKind> kinds; // one per message

private:
    ExportDoc& m_document;
};

// One Oak target optimized by hand: two sheets of two parts.
class MobileExportTest : public ProjectTest
{
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        InitUIStrings(m_languageFolder.path(), {FoundationStringResources(), ModelStringResources(),
                                                OptimizationStringResources(), ExportStringResources()});
        m_oak = AddMaterial(QStringLiteral("Oak"));
        m_row = AddRow(*m_oak, 0.75, 48, 96);
        m_row->SetUnlimited();
        const CMoney cost = CMoney::FromReal(50);
        m_row->SetUnitCost(&cost);
        CMilledPart* door = AddPart(m_oak, Inches(0.75), 4);
        door->SetWidth(Inches(24));
        door->SetLength(Inches(48));
        m_bom->AddParts(Parts());
        Optimized(TargetOf(door), {StackFor(TargetOf(door), {door, door}, 2)});
        m_doc.manager = m_bom;
        m_doc.parts = Parts();
    }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_languageFolder;
    QTemporaryDir m_files;
    std::shared_ptr<CSheetGoodEx> m_oak;
    std::shared_ptr<ISGSC> m_row;
    ExportDoc m_doc;
};

TEST_F(MobileExportTest, AnOptimizedProjectGoesToTheDialogAndIsWritten)
{
    FakeHost host(m_doc);
    host.chosenPath = m_files.filePath(QStringLiteral("Bench.ikwx"));
    MobileExportCommand(host).ExportToMobileDevice();
    EXPECT_EQ(host.events, (QStringList {QStringLiteral("finish"), QStringLiteral("optimize"), QStringLiteral("dialog")}));
    EXPECT_EQ(host.messages, QStringList {QStringLiteral("Export was successful.")});
    EXPECT_EQ(host.kinds, QList {ExportMessageKind::Information});
    EXPECT_TRUE(ReadAll(host.chosenPath).contains("<QxPackage"));
}

TEST_F(MobileExportTest, ACancelledOptimizationOrDialogWritesNothing)
{
    FakeHost host(m_doc);
    host.optimized = false;
    host.chosenPath = m_files.filePath(QStringLiteral("Bench.ikwx"));
    MobileExportCommand(host).ExportToMobileDevice();
    EXPECT_FALSE(host.events.contains(QStringLiteral("dialog")));
    EXPECT_EQ(host.messages, QStringList {QStringLiteral("The project must be optimized before it can be exported.")});
    host.optimized = true;
    host.chosenPath.clear();
    host.messages.clear();
    MobileExportCommand(host).ExportToMobileDevice();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(QDir(m_files.path()).isEmpty());
}

// A place that cannot take the file (for root too): the failure is logged,
// and the warning names the file, escaped as every message shows a name, and
// the system's reason.
TEST_F(MobileExportTest, AnUnwritableFolderIsLoggedAndReportedWithTheFileAndTheReason)
{
    QFile notAFolder(m_files.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const struct
    {
        const char* name;
        const char* file;
        int error;
    } cases[] = {
        { "a folder that is a file", "notes.txt/Bench\tTop.ikwx", ENOTDIR },
        { "a folder that is missing", "missing/Bench.ikwx", ENOENT },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FakeHost host(m_doc);
        host.chosenPath = m_files.filePath(QString::fromLatin1(test.file));
        MobileExportCommand(host).ExportToMobileDevice();
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages.front().toStdString(),
                  QStringLiteral("Kerfwell Plus could not export the data.\n\n"
                                 "There was a problem saving the file to disk.\n\n%1\n\n%2")
                      .arg(DisplayFileName(host.chosenPath), QString::fromLocal8Bit(std::strerror(test.error)))
                      .toStdString());
        EXPECT_FALSE(host.messages.front().contains(QLatin1Char('\t')));
        EXPECT_EQ(host.kinds, QList {ExportMessageKind::Warning});
    }
    EXPECT_EQ(QDir(m_files.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList {QStringLiteral("notes.txt")});
    QFile log(SessionLog::Instance().GetPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Export for iDevice error saving file."));
}

// A folder named in Latin-1 beside one whose name is what a UTF-8
// conversion makes of it (the byte replaced by U+FFFD): the package goes
// into the folder the user chose, and success is said only when it is there.
TEST_F(MobileExportTest, APackageIntoAFolderNamedInLatin1IsWrittenThere)
{
    const QByteArray root = QFile::encodeName(m_files.path());
    const QByteArray chosen = root + QByteArrayLiteral("/caf\xe9");
    const QByteArray mangled = root + QByteArrayLiteral("/caf\xef\xbf\xbd");
    ASSERT_EQ(::mkdir(chosen.constData(), 0700), 0);
    ASSERT_EQ(::mkdir(mangled.constData(), 0700), 0);
    FakeHost host(m_doc);
    host.chosenPath = DecodeFileName(chosen + QByteArrayLiteral("/Bench.ikwx"));
    MobileExportCommand(host).ExportToMobileDevice();
    EXPECT_EQ(host.messages, QStringList { QStringLiteral("Export was successful.") });
    std::ifstream written(std::string(chosen.constData()) + "/Bench.ikwx", std::ios::binary);
    const std::string package { std::istreambuf_iterator<char>(written), {} };
    EXPECT_NE(package.find("<QxPackage"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(mangled.toStdString())));
    // QTemporaryDir cannot remove what Qt cannot name.
    std::filesystem::remove_all(std::filesystem::path(chosen.toStdString()));
}

TEST_F(MobileExportTest, TheDocumentGivesItsLineItemsDiagramsAndParts)
{
    const DocumentExportSource source(m_doc);
    const auto bills = source.GetSheetGoodsBills();
    ASSERT_EQ(bills.size(), 1U);
    ASSERT_EQ(bills[0].results.size(), 1U);
    ASSERT_EQ(bills[0].results[0].lineItems.size(), 1U);
    const ExportLineItem& line = bills[0].results[0].lineItems[0];
    EXPECT_EQ(line.quantityNeeded, 2.0);
    EXPECT_EQ(line.quantityInStock, 2.0);
    EXPECT_EQ(line.totalCost, CMoney::FromReal(100));
    EXPECT_EQ(line.sizeCostIdentity, m_row->GetIdentity());
    EXPECT_EQ(source.GetAllDiagramsInOrder().size(), 1U);
    EXPECT_EQ(source.GetParts().size(), 1U);
}

} // namespace
