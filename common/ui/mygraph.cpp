#include "mygraph.h"

#include <QPainter>

void CMyGraph::paintEvent(QPaintEvent *)
{
    if (!m_callback)
        return;
    QPainter painter(this);
    m_callback(painter, rect(), parentWidget(), m_id);
}
