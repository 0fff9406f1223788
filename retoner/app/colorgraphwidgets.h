#pragma once

#include "core/colorgraphs.h"

#include <ui/mygraph.h>

#include <optional>
#include <vector>

// The colour correction graphs. Both paint the table, selection and switch
// they were last given and send a select-point signal when a click hits a
// point other than the selected one; whoever shows them decides whether to
// take it and hands the new state back.
class CPointGraph : public CMyGraph {
    Q_OBJECT
public:
    explicit CPointGraph(int margin, QWidget *parent = nullptr);
    // What to show; repaints.
    void setState(const retoner::ColorCorrectionTable &table, const retoner::PointSelection &selection,
                  bool correctionEnabled);
    // The client rectangle less the border of width m.
    QRect innerRect() const { return rect().adjusted(m_margin, m_margin, -m_margin, -m_margin); }

signals:
    void selectPoint(int level, int saturation, int hue);

protected:
    // The background picture, the points with their icons and shift lines.
    virtual const QImage &background() const = 0;
    virtual std::vector<int> shownPoints() const = 0;
    virtual retoner::MarkerIcon iconOf(int index) const;
    virtual QPoint positionOf(const retoner::ControlPoint &point) const = 0;
    virtual QPoint shiftEndOf(const retoner::ControlPoint &point) const = 0;
    virtual std::optional<retoner::PointSelection> hit(QPoint click) const = 0;

    void mousePressEvent(QMouseEvent *event) override;

    int innerMargin() const { return m_margin; }

    retoner::ColorCorrectionTable m_table;
    retoner::PointSelection m_selection;

private:
    void paintGraph(QPainter &painter, const QRect &rect);

    bool m_enabled = false;
    int m_margin;
};

// Hue-saturation disc of the selected level.
class CHSGraph : public CPointGraph {
    Q_OBJECT
public:
    using CPointGraph::CPointGraph;

protected:
    const QImage &background() const override;
    std::vector<int> shownPoints() const override;
    QPoint positionOf(const retoner::ControlPoint &point) const override;
    QPoint shiftEndOf(const retoner::ControlPoint &point) const override;
    std::optional<retoner::PointSelection> hit(QPoint click) const override;
};

// Saturation-value plane of the selected hue; only level 3 can be chosen,
// the other levels' points are shown as inactive.
class CSVGraph : public CPointGraph {
    Q_OBJECT
public:
    using CPointGraph::CPointGraph;

protected:
    const QImage &background() const override;
    std::vector<int> shownPoints() const override;
    retoner::MarkerIcon iconOf(int index) const override;
    QPoint positionOf(const retoner::ControlPoint &point) const override;
    QPoint shiftEndOf(const retoner::ControlPoint &point) const override;
    std::optional<retoner::PointSelection> hit(QPoint click) const override;
};

// The shared drawing of both graphs: a marker of the strip scaled to 2m x 2m
// around a point, and a shift line (light grey m/2 wide, then black m/4).
void drawMarker(QPainter &painter, retoner::MarkerIcon icon, QPoint centre, int margin);
void drawShiftLine(QPainter &painter, QPoint from, QPoint to, int margin);
// A colour sample: filled, framed black, with the yellow square when limited.
void paintSample(QPainter &painter, const QRect &rect, const QColor &colour, bool limited);
