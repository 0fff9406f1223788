#pragma once

#include <QWidget>

#include <functional>

// A plain control that paints through one callback set by its owner. The
// callback receives the painter, the control's client rectangle, the parent
// window and the control's id; without a callback nothing is painted.
class CMyGraph : public QWidget {
    Q_OBJECT
public:
    using PaintCallback = std::function<void(QPainter &, const QRect &, QWidget *parent, int id)>;

    explicit CMyGraph(QWidget *parent = nullptr, int id = 0) : QWidget(parent), m_id(id) {}

    void setPaintCallback(PaintCallback callback)
    {
        m_callback = std::move(callback);
        update();
    }
    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PaintCallback m_callback;
    int m_id;
};
