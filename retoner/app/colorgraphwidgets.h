#pragma once

#include "core/colorgraphs.h"

#include <ui/mygraph.h>

// The colour dialog's graphs. Both paint the state they are pointed at and
// send a select-point signal when a click hits a point other than the
// selected one; the dialog decides whether to take it.

// Hue-saturation disc of the selected level.
class CHSGraph : public CMyGraph {
    Q_OBJECT
public:
    CHSGraph(const retoner::ColorCorrectionTable &table, const retoner::PointSelection &selection,
             const bool &correctionEnabled, int margin, QWidget *parent = nullptr);
    // The client rectangle less the border of width m.
    QRect innerRect() const { return rect().adjusted(m_margin, m_margin, -m_margin, -m_margin); }

signals:
    void selectPoint(int level, int saturation, int hue);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void paintGraph(QPainter &painter, const QRect &rect);

    const retoner::ColorCorrectionTable &m_table;
    const retoner::PointSelection &m_selection;
    const bool &m_enabled;
    int m_margin;
};

// Saturation-value plane of the selected hue; only level 3 can be chosen.
class CSVGraph : public CMyGraph {
    Q_OBJECT
public:
    CSVGraph(const retoner::ColorCorrectionTable &table, const retoner::PointSelection &selection,
             const bool &correctionEnabled, int margin, QWidget *parent = nullptr);
    QRect innerRect() const { return rect().adjusted(m_margin, m_margin, -m_margin, -m_margin); }

signals:
    void selectPoint(int level, int saturation, int hue);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void paintGraph(QPainter &painter, const QRect &rect);

    const retoner::ColorCorrectionTable &m_table;
    const retoner::PointSelection &m_selection;
    const bool &m_enabled;
    int m_margin;
};

// The shared drawing of both graphs: a marker of the strip scaled to 2m x 2m
// around a point, and a shift line (light grey m/2 wide, then black m/4).
void drawMarker(QPainter &painter, retoner::MarkerIcon icon, QPoint centre, int margin);
void drawShiftLine(QPainter &painter, QPoint from, QPoint to, int margin);
// A colour sample: filled, framed black, with the yellow square when limited.
void paintSample(QPainter &painter, const QRect &rect, const QColor &colour, bool limited);
