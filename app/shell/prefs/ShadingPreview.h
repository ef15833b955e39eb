#pragma once

#include <QWidget>

#include <cstdint>

// A rectangle filled as parts or waste will be: the colour solid (pattern
// 0xFFFF), white (0xFFFFFFFF, no fill) or hatched in the colour, framed in
// black. A hidden preview draws nothing and leaves its place blank.
class ShadingPreview : public QWidget
{
    Q_OBJECT

public:
    explicit ShadingPreview(QWidget* parent = nullptr);

    void SetShading(std::uint32_t color, std::uint32_t pattern, bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t m_color = 0xFFFFFF;
    std::uint32_t m_pattern = 0xFFFF;
    bool m_shown = true;
};
