#pragma once

#include "uitext.h"

namespace platform {

// What a number field outside its range says, with the range's ends: the
// dialogs' number fields and Bindery's date and number attributes share it.
inline constexpr UiText NumberRangeFormat{"NumberField",
    QT_TRANSLATE_NOOP("NumberField", "%1 から %2 までの整数を入力してください。")};

} // namespace platform
