#include "previewview.h"

#include <QMouseEvent>

CPreviewView::CPreviewView(QWidget *parent, int id) : CMyGraph(parent, id)
{
    setCursor(Qt::OpenHandCursor);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPreviewView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_last = event->position().toPoint();
}

void CPreviewView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPoint now = event->position().toPoint();
    // Leaving the view ends the drag, as releasing the button does.
    if (!rect().contains(now)) {
        m_dragging = false;
        return;
    }
    emit dragged(m_last.x(), m_last.y(), now.x(), now.y());
    m_last = now;
}

void CPreviewView::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void CPreviewView::leaveEvent(QEvent *event)
{
    m_dragging = false;
    CMyGraph::leaveEvent(event);
}

void CPreviewView::resizeEvent(QResizeEvent *event)
{
    CMyGraph::resizeEvent(event);
    emit resized();
}
