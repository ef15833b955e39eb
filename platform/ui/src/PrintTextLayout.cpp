#include "PrintTextLayout.h"

#include <QFontMetricsF>
#include <QImage>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr double kTwipsPerPoint = 20.0;

// 1440 dots per inch expressed per metre, as images keep their resolution.
QImage MakeTwipsImage()
{
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(1440.0 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// Horizontal part of an alignment code: 0 left, 1 centre, 2 right.
int HorizontalPart(int alignment)
{
    return alignment % 3;
}

double PlaceLine(double lineWidth, double width, int alignment)
{
    if (width <= 0.0)
        return 0.0;
    switch (HorizontalPart(alignment)) {
    case 1:
        return (width - lineWidth) / 2.0;
    case 2:
        return width - lineWidth;
    default:
        return 0.0;
    }
}

QString TrimEnd(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1).isSpace() || text.at(end - 1) == QChar::LineSeparator))
        --end;
    return text.left(end);
}

std::vector<QString> WrapLine(const QFont& font, const QString& text, double width)
{
    std::vector<QString> lines;
    QTextLayout layout(text, font, const_cast<QPaintDevice*>(TwipsDevice()));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.push_back(TrimEnd(text.mid(line.textStart(), line.textLength())));
    }
    layout.endLayout();
    if (lines.empty())
        lines.emplace_back();
    return lines;
}
} // namespace

QFont TwipsFont(const PrintFont& font)
{
    QFont qfont(font.family);
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * kTwipsPerPoint))));
    qfont.setBold(font.bold);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}

const QPaintDevice* TwipsDevice()
{
    static const QImage device = MakeTwipsImage();
    return &device;
}

double TwipsTextWidth(const PrintFont& font, const QString& text)
{
    const QFontMetricsF metrics(TwipsFont(font), TwipsDevice());
    double widest = 0.0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double TwipsLineHeight(const PrintFont& font)
{
    return QFontMetricsF(TwipsFont(font), TwipsDevice()).height();
}

double TwipsAscent(const PrintFont& font)
{
    return QFontMetricsF(TwipsFont(font), TwipsDevice()).ascent();
}

std::vector<LaidOutLine> LayOutText(
    const PrintFont& font, const QString& text, double width, bool wrap, int alignment)
{
    const QFont qfont = TwipsFont(font);
    const QFontMetricsF metrics(qfont, TwipsDevice());
    const double lineHeight = metrics.height();
    std::vector<LaidOutLine> laidOut;
    QString source = text;
    source.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& paragraph : source.split(QLatin1Char('\n'))) {
        std::vector<QString> lines;
        if (width <= 0.0)
            lines.push_back(paragraph);
        else if (wrap)
            lines = WrapLine(qfont, paragraph, width);
        else
            lines.push_back(metrics.elidedText(paragraph, Qt::ElideRight, width));
        for (const QString& line : lines) {
            LaidOutLine out;
            out.text = line;
            out.x = PlaceLine(metrics.horizontalAdvance(line), width, alignment);
            out.top = static_cast<double>(laidOut.size()) * lineHeight;
            laidOut.push_back(out);
        }
    }
    return laidOut;
}

} // namespace platform
