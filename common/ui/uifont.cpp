#include "uifont.h"

#include <QApplication>
#include <QFont>

namespace platform {

QStringList uiFontFamilies()
{
    return {QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")};
}

void applyUiFont(QApplication &app)
{
    QFont font = app.font();
    font.setFamilies(uiFontFamilies());
    font.setPointSize(9);
    app.setFont(font);
}

} // namespace platform
