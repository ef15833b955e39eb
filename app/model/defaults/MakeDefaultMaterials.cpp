// kwl_defmats: writes the shipped default materials library (DefMats.KWDE)
// from its readable description, with the library's own code, so that the
// file the program ships always has the current format.
//
//   kwl_defmats <description.txt> <output DefMats.KWDE>

#include "foundation/FileNames.h"
#include "foundation/SheetDimensions.h"
#include "model/CMaterials.h"
#include "model/CSGSizeCost.h"
#include "model/CSheetGoodEx.h"
#include "model/SafeFileWrite.h"
#include "model/SheetGoodSizeCost.h"
#include "model/SizeCostFactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {
int Fail(const QString& message)
{
    std::fprintf(stderr, "kwl_defmats: %s\n", qUtf8Printable(message));
    return 1;
}

// "3/4 in", "0.75 in", "1 1/2 in", "18 mm".
std::optional<CDimension> ParseLength(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(?:(\d+(?:\.\d+)?)\s+)?(\d+(?:\.\d+)?)(?:/(\d+))?\s*(in|mm)\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    double value = match.captured(2).toDouble();
    if (!match.captured(3).isEmpty()) {
        const double denominator = match.captured(3).toDouble();
        if (denominator <= 0)
            return std::nullopt;
        value /= denominator;
    }
    value += match.captured(1).isEmpty() ? 0.0 : match.captured(1).toDouble();
    if (match.captured(4) == QStringLiteral("mm"))
        value /= 25.4;
    if (value <= 0 || value > CDimension::MaxInches)
        return std::nullopt;
    return CDimension::FromInches(value);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return Fail(QStringLiteral("usage: kwl_defmats <description> <output>"));
    const QString descriptionPath = DecodeFileName(argv[1]);
    const QString outputPath = DecodeFileName(argv[2]);

    RegisterSheetGoodServices();
    InstallSizeCostFactory(std::make_unique<SizeCostFactory<SheetGoodSizeCost, CSGSizeCost>>());

    QFile description(descriptionPath);
    if (!description.open(QIODevice::ReadOnly | QIODevice::Text))
        return Fail(descriptionPath + QStringLiteral(": ") + description.errorString());

    CMaterials library(false);
    std::shared_ptr<CSheetGoodEx> current;
    QTextStream in(&description);
    for (int lineNumber = 1; !in.atEnd(); ++lineNumber) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype colon = line.indexOf(u':');
        const QString key = line.left(colon).trimmed();
        const QString value = colon < 0 ? QString() : line.mid(colon + 1).trimmed();
        auto bad = [&](const QString& what) {
            return Fail(QStringLiteral("%1:%2: %3").arg(descriptionPath).arg(lineNumber).arg(what));
        };
        if (key == QStringLiteral("material")) {
            if (value.isEmpty())
                return bad(QStringLiteral("a material needs a name"));
            if (library.FindMaterial(value))
                return bad(QStringLiteral("the name is used twice"));
            current = std::make_shared<CSheetGoodEx>(value);
            library.GetMaterials().push_back(current);
        } else if (!current) {
            return bad(QStringLiteral("\"material:\" must come first"));
        } else if (key == QStringLiteral("kerf")) {
            const auto kerf = ParseLength(value);
            if (!kerf)
                return bad(QStringLiteral("bad length: ") + value);
            current->GetSawSetupForEdit().SetKerf(*kerf);
        } else if (key == QStringLiteral("size")) {
            const QStringList parts = value.split(u'x');
            std::optional<CDimension> sizes[3];
            if (parts.size() != 3)
                return bad(QStringLiteral("a size is <thickness> x <width> x <length>"));
            for (int i = 0; i < 3; ++i)
                if (!(sizes[i] = ParseLength(parts[i])))
                    return bad(QStringLiteral("bad length: ") + parts[i].trimmed());
            auto row = MakeSheetGoodSizeCost();
            row->SetThickness(*sizes[0]);
            SheetDimensions sheet = row->GetSheetDimensions();
            sheet.SetWidth(*sizes[1]);
            sheet.SetLength(*sizes[2]);
            row->SetSheetDimensions(sheet);
            // The rows share the library's empty-named vendor.
            row->SetVendor(library.GetVendors().front());
            current->GetSizeCosts().push_back(row);
        } else {
            return bad(QStringLiteral("unknown key: ") + key);
        }
    }
    if (library.GetMaterials().empty())
        return Fail(descriptionPath + QStringLiteral(": no materials"));

    // Flushed before it takes the name: a full disk keeps the old file.
    QString error;
    if (!WriteFileThroughTemporary(outputPath, library.ToBytes(), {}, &error))
        return Fail(error);
    return 0;
}
