#include "output/export/ExportPackageWriter.h"

#include "OptimizationTestSupport.h"
#include "optimization/PinnedUsage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace iDeviceExport;

namespace {

// Identities come from a process-wide counter; the expected file needs the
// stock of a diagram to carry known ones.
class FixedIdentitySheetGood : public CSheetGoodEx
{
public:
    FixedIdentitySheetGood(const QString& name, std::uint64_t identity)
        : CSheetGoodEx(name), m_identity(identity)
    { }
    std::uint64_t GetMaterialIdentity() const override { return m_identity; }

private:
    std::uint64_t m_identity;
};

class FixedIdentityRow : public SheetGoodSizeCost
{
public:
    FixedIdentityRow(std::uint64_t identity, double width, double length)
        : m_identity(identity)
    {
        SheetDimensions sheet = GetSheetDimensions();
        sheet.SetWidth(CDimension::FromInches(width));
        sheet.SetLength(CDimension::FromInches(length));
        SetSheetDimensions(sheet);
    }
    std::uint64_t GetIdentity() const override { return m_identity; }

private:
    std::uint64_t m_identity;
};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class ExportPackageWriterTest : public ::testing::Test
{
protected:
    QString PathOf(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QStringList FilesInFolder() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_dir;
};

// The package of a small optimized project, every record filled by hand.
class HandBuiltPackage
{
public:
    HandBuiltPackage()
    {
        OptTgtDTO target;
        target.ID = 201;
        target.MaterialID = 101;
        target.EncStockThick = Units(0.75);
        target.DisplayName = QStringLiteral("Birch Ply 3/4");
        package.OptTargets.push_back(target);

        XMaterialWithSizes birch;
        birch.ID = 101;
        birch.MatType = kSheetGoodMatType;
        birch.Name = QStringLiteral("Birch Ply");
        birch.HasGrain = true;
        birch.ForcePartRot = true;
        birch.EncKerf = Units(0.125);
        birch.EncPartPad = Units(0.0625);
        birch.FCD = 1;
        birch.PrefStyle = 2;
        XSizeCost offCut;
        offCut.ID = 301;
        offCut.MatID = 101;
        offCut.EncActualT = Units(0.75);
        offCut.EncActualW = Units(48);
        offCut.EncL = Units(96);
        offCut.UnitCost = 54.95;
        offCut.Units = 1;
        offCut.Inv = 4;
        offCut.OC = true;
        offCut.EncLRTrim = Units(0.5);
        offCut.EncTBTrim = Units(0.25);
        offCut.Vendor = QStringLiteral("Acme Lumber");
        offCut.Bin = QStringLiteral("B-12");
        birch.SizeCosts.push_back(offCut);
        package.MaterialsWithSizes.push_back(birch);

        XMaterialWithSizes mdf;
        mdf.ID = 102;
        mdf.MatType = kSheetGoodMatType;
        mdf.Name = QStringLiteral("MDF");
        mdf.EncKerf = Units(0.125);
        mdf.PrefStyle = 4;
        XSizeCost unlimited;
        unlimited.ID = 302;
        unlimited.MatID = 102;
        unlimited.EncActualT = Units(0.5);
        unlimited.EncActualW = Units(49);
        unlimited.EncL = Units(97);
        unlimited.UnitCost = 1234.5678;
        unlimited.Units = 2;
        unlimited.Unlimited = true;
        unlimited.CBM = true;
        unlimited.Notes = QStringLiteral("Keep dry & flat");
        mdf.SizeCosts.push_back(unlimited);
        package.MaterialsWithSizes.push_back(mdf);

        XBomLineItemDTO line;
        line.ID = 401;
        line.StockSpec = {kSheetGoodMatType, 101, 301};
        line.Qty = 3;
        line.QtyFromInv = 2;
        line.OptTgtID = 201;
        // Each amount distinct, so a swapped or misplaced one shows; the
        // third and sixth have no place in the package.
        const double amounts[] = {164.85, 1.5, 9.99, 2.25, 3.75, 8.88};
        for (int i = 0; i < CostPriceDTO::kAmounts; ++i)
            line.CostPrice[i] = CMoney::FromReal(amounts[i]);
        package.BomLineItems.push_back(line);

        package.Parts.push_back(PartRecord(1, 201, QStringLiteral("1"), QStringLiteral("Side"), 2, 0.75, 12, 30, 0, 101, 0));
        package.Parts.back().Info = QStringLiteral("left & right");
        package.Parts.back().Notes = QStringLiteral("Edge band front");
        package.Parts.push_back(PartRecord(2, 0, QStringLiteral("A-2"), QStringLiteral("Shelf"), 1, 1, 5.5, 7.25, 4, 102, 1));
        package.Parts.push_back(PartRecord(3, 201, QStringLiteral("3"), QStringLiteral("Block"), 4, 0.75, 3, 3, 8, 101, 1));

        package.DiagramStacks.push_back({PinnedStack(), 201});
        package.DiagramStacks.push_back({EmptyStack(), 0});

        XComponent component;
        component.Name = QStringLiteral("(Current Project)");
        component.Qty = 1;
        package.Components.push_back(component);

        package.Settings.Name = QStringLiteral("Kitchen & Bath");
        package.Settings.PrimaryObj = 2;
        package.Settings.PackingStratSecondary = 3;
        package.Settings.PackaingStratOther = 2;
        package.Settings.UseOffCutsFirst = true;
    }

    ExportPackage package;

private:
    static XPart PartRecord(std::uint32_t number, std::uint64_t target, const QString& userId,
                            const QString& description, std::uint32_t copies, double thickness, double width,
                            double length, std::int32_t skipReason, std::uint64_t material, std::uint32_t skipped)
    {
        XPart part;
        part.Ord = number;
        part.OptTgtID = target;
        part.UserID = userId;
        part.Description = description;
        part.ExtQty = copies;
        part.Copies = copies;
        part.NestedCompQty = 1;
        part.T = Units(thickness);
        part.FinishedW = part.RoughW = Units(width);
        part.FinishedL = part.RoughL = Units(length);
        part.SkipReason = skipReason;
        part.MatID = material;
        part.CR = true;
        part.SkipCount = skipped;
        return part;
    }

    // Two sheets of 48 x 96 in, pinned, shown in style 2; part 1 (12 x 30)
    // lies rotated in the sheet's corner in both styles.
    StackPtr PinnedStack()
    {
        const StockSpec stock {m_birch, m_birchRow, 0};
        auto geometries = std::make_shared<AltGeometries>();
        (*geometries)[0] = {Drawn(m_side.get(), 0, 0, 30, 12, true), Drawn(m_side.get(), 30.125, 0, 30, 12),
                            Drawn(m_block.get(), 0, 12.125, 3, 3)};
        (*geometries)[2] = {Drawn(m_side.get(), 0, 0, 30, 12, true), Drawn(m_side.get(), 0, 12.125, 30, 12),
                            Drawn(m_block.get(), 60.25, 24.25, 3, 3)};
        GeoStatsList stats;
        stats[0] = GeometryBasedStats(3, 96.0, 2, 90.5);
        // Cut length with padding not computed, no cuts without padding.
        stats[2] = GeometryBasedStats(UsageCount {true, 4}, UsageMeasure {false, 123.0}, UsageCount {true, 0},
                                      UsageMeasure {true, 130.5});
        auto stack = std::make_shared<IdenticalDiagramStack>(std::make_shared<Diagram>(stock, geometries, stats), 2,
                                                             DrawnPartFlags(true, false, true), 2);
        stack->Pin(m_pinned);
        return stack;
    }

    // One 49 x 97 in sheet with nothing on it, in style 0, not pinned.
    StackPtr EmptyStack()
    {
        const StockSpec stock {m_mdf, m_mdfRow, 0};
        auto geometries = std::make_shared<AltGeometries>();
        (*geometries)[0] = {};
        GeoStatsList stats;
        stats[0] = GeometryBasedStats();
        return std::make_shared<IdenticalDiagramStack>(std::make_shared<Diagram>(stock, geometries, stats), 1,
                                                       DrawnPartFlags(), 0);
    }

    std::shared_ptr<CSheetGoodEx> m_birch = std::make_shared<FixedIdentitySheetGood>(QStringLiteral("Birch Ply"), 101);
    std::shared_ptr<CSheetGoodEx> m_mdf = std::make_shared<FixedIdentitySheetGood>(QStringLiteral("MDF"), 102);
    std::shared_ptr<ISGSC> m_birchRow = std::make_shared<FixedIdentityRow>(301, 48, 96);
    std::shared_ptr<ISGSC> m_mdfRow = std::make_shared<FixedIdentityRow>(302, 49, 97);
    std::unique_ptr<CMilledPart> m_side = MakePart(1, 12, 30, 4);
    std::unique_ptr<CMilledPart> m_block = MakePart(3, 3, 3, 4);
    PinnedUsage m_pinned;
};

} // namespace

TEST_F(ExportPackageWriterTest, WritesHandBuiltProjectAsExpectedPackage)
{
    const HandBuiltPackage project;
    const QString path = PathOf("project.ikwx");
    ASSERT_TRUE(ExportPackageWriter().Write(project.package, path));
    const QByteArray expected = ReadFile(QStringLiteral(KWL_EXPORT_TEST_DATA "/package.ikwx"));
    ASSERT_TRUE(expected.startsWith("<?xml")) << "expected file missing";
    EXPECT_EQ(ReadFile(path).toStdString(), expected.toStdString());
    EXPECT_EQ(FilesInFolder(), QStringList {QStringLiteral("project.ikwx")}) << "no temporary file left";
}

// Kinds this program never fills, written all the same for the companion
// application: a priced material and part edges.
TEST_F(ExportPackageWriterTest, WritesPricedMaterialsAndPartEdges)
{
    ExportPackage package;
    XMaterialWithCost glue;
    glue.ID = 7;
    glue.MatType = 1;
    glue.Name = QStringLiteral("Glue");
    glue.UnitCost = 2.5;
    glue.Units = 5;
    glue.Vendor = QStringLiteral("V");
    glue.Bin = QStringLiteral("B");
    glue.Markup = QStringLiteral("10%");
    glue.Taxable = true;
    glue.Code = QStringLiteral("G1");
    glue.EncBandingTD = 1;
    glue.EncBandingOH = 2;
    glue.EncBandingH = -3;
    glue.EncBandingT = 4;
    glue.Roll = true;
    glue.Category = QStringLiteral("Adhesive");
    glue.Notes = QStringLiteral("n");
    package.MaterialsWithCosts.push_back(glue);
    XPart part;
    part.Front = {1, 7};
    part.Right = {-2, 0};
    package.Parts.push_back(part);

    const QString path = PathOf("edges.ikwx");
    ASSERT_TRUE(ExportPackageWriter().Write(package, path));
    EXPECT_EQ(ReadFile(path).toStdString(),
              "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
              "<QxPackage Schema=\"1\">\r\n"
              "    <OptTargets />\r\n"
              "    <MaterialsWithSizes />\r\n"
              "    <MaterialsWithCosts>\r\n"
              "        <MaterialWithCost ID=\"7\" MatType=\"1\" Name=\"Glue\" UnitCost=\"2.5\" Units=\"5\" Vendor=\"V\""
              " Bin=\"B\" Markup=\"10%\" Taxable=\"1\" Code=\"G1\" EncBandingTD=\"1\" EncBandingOH=\"2\""
              " EncBandingH=\"-3\" EncBandingT=\"4\" Roll=\"1\" Category=\"Adhesive\">\r\n"
              "            <Notes>n</Notes>\r\n"
              "        </MaterialWithCost>\r\n"
              "    </MaterialsWithCosts>\r\n"
              "    <BomLineItems />\r\n"
              "    <Parts>\r\n"
              "        <Part>\r\n"
              "            <Front Status=\"1\" MatID=\"7\" />\r\n"
              "            <Right Status=\"-2\" />\r\n"
              "        </Part>\r\n"
              "    </Parts>\r\n"
              "    <Diagrams />\r\n"
              "    <Components />\r\n"
              "    <ProjectSettings />\r\n"
              "</QxPackage>\r\n");
}

TEST_F(ExportPackageWriterTest, ReplacesAnExistingFileAndFailsCleanlyWithoutAFolder)
{
    const QString path = PathOf("old.ikwx");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older package that is much longer than the new one will be, " + QByteArray(4096, 'x'));
    }
    ASSERT_TRUE(ExportPackageWriter().Write(ExportPackage(), path));
    // A project without anything: every list empty, settings without values.
    EXPECT_EQ(ReadFile(path).toStdString(),
              "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
              "<QxPackage Schema=\"1\">\r\n"
              "    <OptTargets />\r\n"
              "    <MaterialsWithSizes />\r\n"
              "    <MaterialsWithCosts />\r\n"
              "    <BomLineItems />\r\n"
              "    <Parts />\r\n"
              "    <Diagrams />\r\n"
              "    <Components />\r\n"
              "    <ProjectSettings />\r\n"
              "</QxPackage>\r\n");

    EXPECT_FALSE(ExportPackageWriter().Write(ExportPackage(), PathOf("missing/x.ikwx")));
    EXPECT_FALSE(ExportPackageWriter().Write(ExportPackage(), QString()));
    EXPECT_EQ(FilesInFolder(), QStringList {QStringLiteral("old.ikwx")});
}

TEST_F(ExportPackageWriterTest, WritesATargetWhoseNameIsAtTheLengthLimit)
{
    const QString name = QString(250, QLatin1Char('n')) + QStringLiteral(".ikwx");
    ASSERT_TRUE(ExportPackageWriter().Write(ExportPackage(), m_dir.filePath(name)));
    EXPECT_EQ(FilesInFolder(), QStringList {name});
}

// A write that fails part-way (here: the file size limit is hit, as on a
// full disk) leaves the file that was there untouched and no partial file.
TEST_F(ExportPackageWriterTest, WriteFailingPartWayKeepsTheOldFile)
{
    const QString path = PathOf("kept.ikwx");
    const QByteArray oldContent = "the package written last time";
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(oldContent);
    }
    HandBuiltPackage project;
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::alarm(30); // a child stuck on a lock inherited from another thread ends
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {200, 200};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(ExportPackageWriter().Write(project.package, path) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must report failure";
    EXPECT_EQ(ReadFile(path).toStdString(), oldContent.toStdString());
    EXPECT_EQ(FilesInFolder(), QStringList {QStringLiteral("kept.ikwx")});
}
