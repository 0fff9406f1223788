#include "droplistbox.h"

#include "platform/filenames.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QUrl>

CDropListBox::CDropListBox(int deleteCommand, int selectAllCommand, QWidget *parent)
    : QListWidget(parent), m_deleteCommand(deleteCommand), m_selectAllCommand(selectAllCommand)
{
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void CDropListBox::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->key() == Qt::Key_Delete && !(mods & (Qt::ControlModifier | Qt::ShiftModifier))) {
        emit commandRequested(m_deleteCommand);
        return;
    }
    if (event->key() == Qt::Key_A && (mods & Qt::ControlModifier) && !(mods & Qt::ShiftModifier)) {
        emit commandRequested(m_selectAllCommand);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CDropListBox::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void CDropListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CDropListBox::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << platform::localPathOf(url);
    event->acceptProposedAction();
    if (!paths.isEmpty())
        emit filesDropped(paths);
}

void drawItemFocus(QPainter &painter, const QStyleOptionViewItem &option)
{
    if (!(option.state & QStyle::State_HasFocus))
        return;
    QPen pen(option.state & QStyle::State_Selected ? Qt::white : Qt::black);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(option.rect.adjusted(0, 0, -1, -1));
}
