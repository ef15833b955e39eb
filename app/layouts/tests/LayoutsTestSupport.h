#pragma once
// Preferences with the registered defaults, held in memory, and a drawing
// surface that records what the painters ask of it.

#include "FakePrefs.h"
#include "foundation/PrefsTable.h"
#include "layouts/IDeviceDriver.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

#include <functional>
#include <map>

// The in-memory preferences, filled with the registered defaults, with texts
// and reals too.
class DefaultPrefs final : public FakePrefs
{
public:
    DefaultPrefs()
    {
        for (const PrefDefinition& d : GetPrefDefinitions()) {
            if (d.type == PrefType::Text)
                texts[d.id] = QString::fromUtf8(d.text);
            else if (d.type == PrefType::Real)
                reals[d.id] = d.realDefault;
            else
                ints[d.id] = d.intDefault;
        }
    }
    std::map<int, QString> texts;
    std::map<int, double> reals;

    QString GetString(int id) const override { return texts.count(id) ? texts.at(id) : QString(); }
    double GetReal(int id) const override { return reals.count(id) ? reals.at(id) : 0.0; }
    void SetReal(int id, double value) override { reals[id] = value; }
    void SetString(int id, const QString& value) override { texts[id] = value; }
};

// Installs DefaultPrefs for one test; the diagram fonts use a face the test
// machine has.
class ScopedDefaultPrefs
{
public:
    ScopedDefaultPrefs();
    ~ScopedDefaultPrefs();
    DefaultPrefs* prefs;
};

// Records every text and line it is asked to draw; texts fit when the
// predicate says so (by default when they have at most `fitLength` characters).
class RecordingDriver : public IDeviceDriver
{
public:
    struct Call
    {
        QString op;
        QString text;
        platform::Rect rect;
        bool vertical = false;
    };
    std::vector<Call> calls;

    std::vector<Call> Of(const QString& op) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.op == op)
                out.push_back(c);
        return out;
    }
    std::function<bool(const QString&, const platform::Rect&, bool)> fits
        = [](const QString&, const platform::Rect&, bool) { return true; };

    QStringList Ops() const
    {
        QStringList ops;
        for (const Call& c : calls)
            ops << c.op;
        return ops;
    }

    // The painters still select fonts, pens and brushes on a real painter.
    QImage image { 400, 400, QImage::Format_ARGB32_Premultiplied };
    QPainter painter { &image };

    QPainter* GetDeviceContext() override { return &painter; }
    int GetTextMarginX() override { return 5; }
    int GetTextMarginY() override { return 3; }
    int GetTextHeight() override { return 10; }
    int GetSmallTextHeight() override { return 8; }
    int GetTextWidth(const QString& text) override { return 6 * static_cast<int>(text.size()) + 10; }
    void DrawFramedText(platform::Rect rect, const QString& text) override
    {
        calls.push_back({ "framed", text, rect });
    }
    void DrawLabel(const QString& text, const platform::Rect& rect, bool vertical, int) override
    {
        calls.push_back({ "label", text, rect, vertical });
    }
    bool TextFitsHeight(const QString& text, const platform::Rect& rect, bool vertical) override
    {
        calls.push_back({ "fits", text, rect, vertical });
        return fits(text, rect, vertical);
    }
    bool TextFitsWidth(const QString&, const platform::Rect&) override { return true; }
    void DrawRectangle(const platform::Rect& rect) override { calls.push_back({ "rect", {}, rect }); }
    void DrawLine(int x1, int y1, int x2, int y2) override
    {
        calls.push_back({ "line", {}, { x1, y1, x2, y2 } });
    }
    void DrawFittedLabel(const QString& text, const platform::Rect& rect, int) override
    {
        calls.push_back({ "number", text, rect });
    }
    void DrawRightText(const QString& text, const platform::Rect& rect, bool) override
    {
        calls.push_back({ "top", text, rect });
    }
    void DrawVerticalLabel(const QString& text, const platform::Rect& rect, bool) override
    {
        calls.push_back({ "left", text, rect, true });
    }
    void DrawAlignedText(const QString& text, int, const platform::Rect& rect) override
    {
        calls.push_back({ "aligned", text, rect });
    }
    void DrawTextInRect(const QString& text, const platform::Rect& rect, bool vertical) override
    {
        calls.push_back({ "dim", text, rect, vertical });
    }
    void DrawVerticalText(const QString& text, const platform::Rect& rect) override
    {
        calls.push_back({ "vtext", text, rect, true });
    }
    void DrawRightCentredText(const QString& text, const platform::Rect& rect) override
    {
        calls.push_back({ "rtext", text, rect });
    }
};
