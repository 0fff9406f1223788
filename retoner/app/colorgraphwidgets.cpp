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

CHSGraph::CHSGraph(const ColorCorrectionTable &table, const PointSelection &selection, const bool &correctionEnabled,
                   int margin, QWidget *parent)
    : CMyGraph(parent), m_table(table), m_selection(selection), m_enabled(correctionEnabled), m_margin(margin)
{
    setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) { paintGraph(p, r); });
}

void CHSGraph::paintGraph(QPainter &p, const QRect &client)
{
    p.fillRect(client, Qt::black);
    const QRect r = innerRect();
    const int level = m_selection.level;
    if (level < 1 || level > ColorCorrectionTable::Levels)
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, BackgroundPictures::instance().disc(level));
    if (!m_enabled)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const int selected = pointIndex(m_selection);
    std::vector<int> indices{ColorCorrectionTable::greyIndex(level)};
    for (int s = 1; s <= ColorCorrectionTable::Saturations; ++s)
        for (int h = 0; h < ColorCorrectionTable::Hues; ++h)
            indices.push_back(ColorCorrectionTable::colouredIndex(level, s, h));
    for (int index : indices) {
        const ControlPoint &point = m_table[index];
        drawMarker(p, markerIcon(point, index == selected), hsPosition(r, point.hue, point.saturation), m_margin);
    }
    for (int index : indices) {
        const ControlPoint &point = m_table[index];
        if (hasShift(point))
            drawShiftLine(p, hsPosition(r, point.hue, point.saturation), hsShiftEnd(r, point), m_margin);
    }
}

void CHSGraph::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const auto hit = hsHit(innerRect(), m_selection.level, event->position().toPoint(), m_margin);
    if (hit && pointIndex(*hit) != pointIndex(m_selection))
        emit selectPoint(hit->level, hit->saturation, hit->hue);
}

CSVGraph::CSVGraph(const ColorCorrectionTable &table, const PointSelection &selection, const bool &correctionEnabled,
                   int margin, QWidget *parent)
    : CMyGraph(parent), m_table(table), m_selection(selection), m_enabled(correctionEnabled), m_margin(margin)
{
    setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) { paintGraph(p, r); });
}

void CSVGraph::paintGraph(QPainter &p, const QRect &client)
{
    p.fillRect(client, Qt::black);
    const QRect r = innerRect();
    const int hue = m_selection.hue;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, BackgroundPictures::instance().plane(hue));
    if (!m_enabled)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const int selected = pointIndex(m_selection);
    std::vector<int> indices;
    for (int level = 1; level <= ColorCorrectionTable::Levels; ++level) {
        indices.push_back(ColorCorrectionTable::greyIndex(level));
        for (int s = 1; s <= ColorCorrectionTable::Saturations; ++s)
            indices.push_back(ColorCorrectionTable::colouredIndex(level, s, hue));
    }
    for (int index : indices) {
        const ControlPoint &point = m_table[index];
        const bool levelThree = (index - 1) / ColorCorrectionTable::PointsPerLevel == 2;
        const MarkerIcon icon = levelThree ? markerIcon(point, index == selected) : IconInactive;
        drawMarker(p, icon, svPosition(r, point.saturation, point.value), m_margin);
    }
    for (int index : indices) {
        const ControlPoint &point = m_table[index];
        if (hasShift(point))
            drawShiftLine(p, svPosition(r, point.saturation, point.value), svShiftEnd(r, point, hue), m_margin);
    }
}

void CSVGraph::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const auto hit = svHit(innerRect(), m_selection.hue, event->position().toPoint(), m_margin);
    if (hit && pointIndex(*hit) != pointIndex(m_selection))
        emit selectPoint(hit->level, hit->saturation, hit->hue);
}
