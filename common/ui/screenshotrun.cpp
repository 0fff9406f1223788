#include "screenshotrun.h"

#include "picture/picture.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace ui {

void finishScreenshotRun(QWidget &window, const QString &file)
{
    QWidget *target = &window;
    QTimer::singleShot(300, target, [target, file] {
        const bool ok = kvb::writePngFile(target->grab().toImage(), file);
        QApplication::exit(ok ? 0 : 1);
    });
}

} // namespace ui
