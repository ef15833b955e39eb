#include "document/ProjectFile.h"

#include "document/DocumentStrings.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/FutureSchemaException.h"
#include "foundation/IdentityMapper.h"
#include "foundation/UserPrefsBase.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/ModelStrings.h"
#include "optimization/BOMOptMgr.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <QList>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr std::int32_t kPartsListVersion = 2;
constexpr std::int32_t kContainerVersion = 0;
constexpr int kPrefProRateCosts = 2026;
// The least a stored part takes: its schema words, texts' lengths and counts.
constexpr std::uint64_t kLeastPartBytes = 16;

const QString kFirstText = QStringLiteral("Kerfwell Plus Solo project");

[[noreturn]] void ThrowBadSchema(ArchiveWrapper& ar)
{
    throw platform::ArchiveError(platform::ArchiveError::BadSchema, ar.GetFilePath().toStdString());
}

// The default material is stored under its fixed English name whatever the
// user's language; the name shown comes back when the body is written.
class LiteralDefaultMaterialName
{
public:
    LiteralDefaultMaterialName() { UseLiteralDefaultMaterialName(); }
    ~LiteralDefaultMaterialName() { UseLocalizedDefaultMaterialName(); }
    LiteralDefaultMaterialName(const LiteralDefaultMaterialName&) = delete;
    LiteralDefaultMaterialName& operator=(const LiteralDefaultMaterialName&) = delete;
};

// A newer program writes its version as a number a user can read: ASCII
// digits and dots, perhaps with a short ASCII suffix such as "-rc1" or
// " beta 2". Anything else in that place (digits of other scripts, letters
// of any language) is damage that happens to look like a newer file, and
// calling it newer would send the user after an update that does not exist.
bool IsReadableVersionText(const QString& text)
{
    static const QRegularExpression version(
        QStringLiteral("^[0-9]{1,6}(\\.[0-9]{1,6}){0,5}([ ._+-]?[A-Za-z0-9][A-Za-z0-9 ._+()-]{0,19})?\\z"));
    return text.isValidUtf16() && version.match(text).hasMatch();
}

bool ProRatePreference()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs && prefs->GetFlag(kPrefProRateCosts);
}

} // namespace

QString ProgramVersionText()
{
    const QString text = UiText(kStrProgramVersion);
    return text.isEmpty() ? QStringLiteral("1.0") : text;
}

void WriteProjectFile(ArchiveWrapper& ar, const ProjectSettings& settings, const std::vector<CMilledPart*>& parts,
                      std::int32_t locked, BOMOptMgr& bom)
{
    ar << kProjectFileGeneration << kProjectFileSecondWord;
    // The parts in list order are the context in which stored layouts name them.
    auto context = std::make_shared<std::vector<CMilledPart*>>(parts);
    const auto mapper = IdentityMapper::ConstructWithArchive(context, ar);
    ar << kProjectBodySchema << kFirstText << ProgramVersionText() << true;
    const LiteralDefaultMaterialName literalName;
    ar << locked << ProRatePreference();
    ProjectSettings copy = settings;
    copy.Serialize(ar);
    ar << kPartsListVersion << kContainerVersion << static_cast<std::int32_t>(parts.size());
    for (CMilledPart* part : parts) {
        ar << static_cast<std::int32_t>(CMilledPart::kTypeTag);
        part->Serialize(ar, mapper);
    }
    bom.Serialize(ar, static_cast<std::uint8_t>(locked == 1), mapper);
}

ProjectFileContents ReadProjectFile(ArchiveWrapper& ar, BOMOptMgr& bom)
{
    ProjectFileContents contents;
    std::uint32_t generation = 0;
    ar >> generation;
    if (generation <= kOldestRefusedGeneration)
        ThrowBadSchema(ar);
    ar.GetArchive().setObjectSchema(generation);
    std::uint32_t secondWord = 0;
    ar >> secondWord;
    if (secondWord != kProjectFileSecondWord)
        ThrowBadSchema(ar);

    auto context = std::make_shared<std::vector<CMilledPart*>>();
    const auto mapper = IdentityMapper::ConstructWithArchive(context, ar);
    std::int32_t schema = 0;
    ar >> schema;
    if (schema <= 0)
        ThrowBadSchema(ar);
    if (schema > 9) {
        bool flag = false;
        ar >> contents.firstText >> contents.versionText >> flag;
    }
    if (schema > kProjectBodySchema) {
        if (!IsReadableVersionText(contents.versionText))
            ThrowBadSchema(ar);
        throw FutureSchemaException(contents.versionText, ProgramVersionText(), ar.GetFilePath());
    }

    ar >> contents.locked >> contents.proRateCosts;
    if (contents.locked != 0 && contents.locked != 1)
        ThrowBadSchema(ar);
    contents.settings.Serialize(ar);

    std::int32_t listVersion = 0;
    std::int32_t containerVersion = 0;
    std::int32_t count = 0;
    ar >> listVersion >> containerVersion >> count;
    if (listVersion != kPartsListVersion || containerVersion != kContainerVersion || count < 0)
        ThrowBadSchema(ar);
    // A damaged count is refused before anything is made for it.
    ar.GetArchive().requireBytes(static_cast<std::uint64_t>(count), kLeastPartBytes);
    contents.parts.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t typeTag = 0;
        ar >> typeTag;
        auto part = std::make_unique<CMilledPart>();
        part->Serialize(ar, mapper);
        context->push_back(part.get());
        contents.parts.push_back(std::move(part));
    }
    bom.Serialize(ar, static_cast<std::uint8_t>(contents.locked), mapper);
    return contents;
}
