#pragma once

#include <ui/mygraph.h>

// The preview: a painted control that also reports dragging with the left
// button (the hand cursor is shown over it).
class CPreviewView : public CMyGraph {
    Q_OBJECT
public:
    explicit CPreviewView(QWidget *parent = nullptr, int id = 0);

signals:
    // The mouse moved from (lastX, lastY) to (x, y) with the button held.
    void dragged(int lastX, int lastY, int x, int y);
    void resized();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_dragging = false;
    QPoint m_last;
};
