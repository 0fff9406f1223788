#pragma once

#include <QStringList>

class QDropEvent;
class QDragMoveEvent;

namespace platform {

// Drops of files on a list: a drag that carries URLs is accepted (enter and
// move alike); the drop gives the local paths in the order the platform
// reports them, files and folders alike.
void acceptFileDrag(QDragMoveEvent *event);
QStringList takeDroppedPaths(QDropEvent *event);

} // namespace platform
