#include "foundation/UIResources.h"

#include "foundation/UserPrefsBase.h"

#include <platform/ui/ColorRef.h>

#include <QFontDatabase>

#include <optional>

namespace {

constexpr int kGridFace = 1008;
constexpr int kDiagramFace = 1009;
constexpr int kDiagramStatsFace = 1035;
constexpr int kMainTabFace = 1044;
constexpr int kGridHeight = 3002;
constexpr int kDiagramHeight = 3003;
constexpr int kSmallPartsHeight = 3004;
constexpr int kBoldDiagramDimsHeight = 3059;

constexpr int kGridPenWidth = 5;
constexpr platform::ColorRef kGridPenColor = platform::MakeColorRef(200, 200, 200);

QString PrefText(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetString(id) : QString();
}

int PrefInt(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetInt(id) : 0;
}

std::shared_ptr<UIResources>& TheResources()
{
    static std::shared_ptr<UIResources> resources;
    return resources;
}

std::shared_ptr<UIResourcesBase>& TheResourcesBase()
{
    static std::shared_ptr<UIResourcesBase> resources;
    return resources;
}

std::optional<QFont>& TheDialogFont()
{
    static std::optional<QFont> font;
    return font;
}

} // namespace

QFont MakePointFont(const QString& face, int tenthsOfPoint, int weight, bool italic)
{
    QFont font(face);
    // Without a stored height (no preferences yet) the face's own size stands.
    if (tenthsOfPoint > 0)
        font.setPointSizeF(tenthsOfPoint / 10.0);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    return font;
}

UIResources::UIResources()
    : m_defaultGuiFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont))
    , m_tabFont(MakePointFont(PrefText(kMainTabFace), 85))
    , m_standardFont(MakePointFont(QStringLiteral("Verdana"), 80))
    , m_gridPen(platform::ToQColor(kGridPenColor), kGridPenWidth, Qt::SolidLine)
{
    BuildDiagramFonts();
    BuildGridFonts();
}

void UIResources::BuildDiagramFonts()
{
    const QString face = PrefText(kDiagramFace);
    const int height = PrefInt(kDiagramHeight);
    m_diagramFont = MakePointFont(face, height);
    m_smallPartsFont = MakePointFont(face, PrefInt(kSmallPartsHeight));
    m_diagramStatsFont = MakePointFont(PrefText(kDiagramStatsFace), 85);
    m_boldDimensionsFont = MakePointFont(face, PrefInt(kBoldDiagramDimsHeight));
    m_diagramFontSize = static_cast<float>(height) / 10.0f;
}

void UIResources::BuildGridFonts()
{
    const QString face = PrefText(kGridFace);
    const int height = PrefInt(kGridHeight);
    m_gridFont = MakePointFont(face, height);
    m_boldGridFont = MakePointFont(face, height, 700);
    m_italicGridFont = MakePointFont(face, height, 400, true);
    m_gridFontSize = static_cast<float>(height) / 10.0f;
}

std::shared_ptr<UIResources> GetUIResources()
{
    if (!TheResources()) {
        TheResources() = std::make_shared<UIResources>();
        TheResourcesBase() = TheResources();
    }
    return TheResources();
}

std::shared_ptr<UIResourcesBase> GetUIResourcesBase()
{
    return TheResourcesBase();
}

void RefreshUIFonts()
{
    const std::shared_ptr<UIResources> resources = GetUIResources();
    resources->BuildDiagramFonts();
    resources->BuildGridFonts();
}

const QFont& GetDialogFont()
{
    if (!TheDialogFont())
        TheDialogFont() = MakePointFont(QStringLiteral("Tahoma"), 85);
    return *TheDialogFont();
}

void ReleaseDialogFont()
{
    TheDialogFont().reset();
}

bool IsDialogFontCreated()
{
    return TheDialogFont().has_value();
}
