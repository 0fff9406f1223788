#include "qttexts.h"

namespace ui {

bool loadQtTexts(QStringView)
{
    return false;
}

} // namespace ui
