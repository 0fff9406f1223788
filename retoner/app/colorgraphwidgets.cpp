#include "colorgraphwidgets.h"

#include "core/backgroundpictures.h"

#include <QMouseEvent>
#include <QPainter>

using namespace retoner;

void drawMarker(QPainter &painter, MarkerIcon icon, QPoint centre, int margin)
{
    const QImage &markers = BackgroundPictures::instance().markers();
    const int side = BackgroundPictures::MarkerSide;
    painter.drawImage(QRect(centre.x() - margin, centre.y() - margin, 2 * margin, 2 * margin), markers,
                      QRect(icon * side, 0, side, side));
}

void drawShiftLine(QPainter &painter, QPoint from, QPoint to, int margin)
{
    QPen light(QColor(0xE0, 0xE0, 0xE0), margin / 2.0);
    light.setCapStyle(Qt::RoundCap);
    painter.setPen(light);
    painter.drawLine(from, to);
    QPen dark(Qt::black, margin / 4.0);
    dark.setCapStyle(Qt::RoundCap);
    painter.setPen(dark);
    painter.drawLine(from, to);
}

void paintSample(QPainter &painter, const QRect &rect, const QColor &colour, bool limited)
{
    painter.fillRect(rect, colour);
    if (limited)
        painter.fillRect(limitWarningRect(rect), QColor(255, 255, 0));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

CPointGraph::CPointGraph(int margin, QWidget *parent) : CMyGraph(parent), m_margin(margin)
{
    setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) { paintGraph(p, r); });
}

void CPointGraph::setState(const ColorCorrectionTable &table, const PointSelection &selection, bool correctionEnabled)
{
    m_table = table;
    m_selection = selection;
    m_enabled = correctionEnabled;
    update();
}

MarkerIcon CPointGraph::iconOf(int index) const
{
    return markerIcon(m_table[index], index == pointIndex(m_selection));
}

void CPointGraph::paintGraph(QPainter &p, const QRect &client)
{
    p.fillRect(client, Qt::black);
    const QImage &picture = background();
    if (picture.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(innerRect(), picture);
    if (!m_enabled)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const std::vector<int> indices = shownPoints();
    for (int index : indices)
        drawMarker(p, iconOf(index), positionOf(m_table[index]), m_margin);
    for (int index : indices)
        if (hasShift(m_table[index]))
            drawShiftLine(p, positionOf(m_table[index]), shiftEndOf(m_table[index]), m_margin);
}

void CPointGraph::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const auto point = hit(event->position().toPoint());
    if (point && pointIndex(*point) != pointIndex(m_selection))
        emit selectPoint(point->level, point->saturation, point->hue);
}

const QImage &CHSGraph::background() const
{
    static const QImage none;
    const int level = m_selection.level;
    return level >= 1 && level <= ColorCorrectionTable::Levels ? BackgroundPictures::instance().disc(level) : none;
}

std::vector<int> CHSGraph::shownPoints() const
{
    const int level = m_selection.level;
    std::vector<int> indices{ColorCorrectionTable::greyIndex(level)};
    for (int s = 1; s <= ColorCorrectionTable::Saturations; ++s)
        for (int h = 0; h < ColorCorrectionTable::Hues; ++h)
            indices.push_back(ColorCorrectionTable::colouredIndex(level, s, h));
    return indices;
}

QPoint CHSGraph::positionOf(const ControlPoint &point) const
{
    return hsPosition(innerRect(), point.hue, point.saturation);
}

QPoint CHSGraph::shiftEndOf(const ControlPoint &point) const
{
    return hsShiftEnd(innerRect(), point);
}

std::optional<PointSelection> CHSGraph::hit(QPoint click) const
{
    return hsHit(innerRect(), m_selection.level, click, innerMargin());
}

const QImage &CSVGraph::background() const
{
    return BackgroundPictures::instance().plane(m_selection.hue);
}

std::vector<int> CSVGraph::shownPoints() const
{
    std::vector<int> indices;
    for (int level = 1; level <= ColorCorrectionTable::Levels; ++level) {
        indices.push_back(ColorCorrectionTable::greyIndex(level));
        for (int s = 1; s <= ColorCorrectionTable::Saturations; ++s)
            indices.push_back(ColorCorrectionTable::colouredIndex(level, s, m_selection.hue));
    }
    return indices;
}

MarkerIcon CSVGraph::iconOf(int index) const
{
    const bool levelThree = (index - 1) / ColorCorrectionTable::PointsPerLevel == 2;
    return levelThree ? CPointGraph::iconOf(index) : IconInactive;
}

QPoint CSVGraph::positionOf(const ControlPoint &point) const
{
    return svPosition(innerRect(), point.saturation, point.value);
}

QPoint CSVGraph::shiftEndOf(const ControlPoint &point) const
{
    return svShiftEnd(innerRect(), point, m_selection.hue);
}

std::optional<PointSelection> CSVGraph::hit(QPoint click) const
{
    return svHit(innerRect(), m_selection.hue, click, innerMargin());
}
