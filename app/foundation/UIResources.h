#pragma once

#include <QFont>
#include <QPen>

#include <boost/noncopyable.hpp>

#include <memory>

// The grid fonts as the grid control reads them, without knowing the rest.
class UIResourcesBase
{
public:
    virtual ~UIResourcesBase() = default;
    virtual const QFont& GetItalicGridFont() const = 0;
    virtual const QFont& GetGridFont() const = 0;
};

// The fonts and the pen every window draws with, built from the font
// preferences ("Grid Face"/"Grid Height", "Diagram Face"/"Diagram Height",
// ...; heights in tenths of a point) and rebuilt when they change.
class UIResources : public UIResourcesBase, private boost::noncopyable
{
public:
    UIResources(); // builds every font and the pen

    const QFont& GetDefaultGuiFont() const { return m_defaultGuiFont; }
    const QFont& GetTabFont() const { return m_tabFont; }
    const QFont& GetStandardFont() const { return m_standardFont; }
    const QFont& GetDiagramFont() const { return m_diagramFont; }
    const QFont& GetSmallPartsFont() const { return m_smallPartsFont; }
    const QFont& GetDiagramStatsFont() const { return m_diagramStatsFont; }
    const QFont& GetBoldDimensionsFont() const { return m_boldDimensionsFont; }
    float GetDiagramFontSize() const { return m_diagramFontSize; } // points
    const QFont& GetGridFont() const override { return m_gridFont; }
    const QFont& GetBoldGridFont() const { return m_boldGridFont; }
    const QFont& GetItalicGridFont() const override { return m_italicGridFont; }
    float GetGridFontSize() const { return m_gridFontSize; } // points
    const QPen& GetGridPen() const { return m_gridPen; }

    void BuildDiagramFonts();
    void BuildGridFonts();

private:
    QFont m_defaultGuiFont;
    QFont m_tabFont;
    QFont m_standardFont;
    QFont m_diagramFont;
    QFont m_smallPartsFont;
    QFont m_diagramStatsFont;
    QFont m_boldDimensionsFont;
    float m_diagramFontSize = 0.0f;
    QFont m_gridFont;
    QFont m_boldGridFont;
    QFont m_italicGridFont;
    float m_gridFontSize = 0.0f;
    QPen m_gridPen;
};

// The one object, made on first call; it then also answers GetUIResourcesBase.
std::shared_ptr<UIResources> GetUIResources();
// Null until GetUIResources made the object.
std::shared_ptr<UIResourcesBase> GetUIResourcesBase();
// Rebuilds the diagram fonts, then the grid fonts, from the current
// preferences (after a change of the font preferences).
void RefreshUIFonts();

// A font of the face at a size in tenths of a point.
QFont MakePointFont(const QString& face, int tenthsOfPoint, int weight = 400, bool italic = false);

// The dialogs' own font ("Tahoma", 8.5 points), made on first request and
// released at exit.
const QFont& GetDialogFont();
void ReleaseDialogFont();
bool IsDialogFontCreated();
