#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>

class QWidget;

namespace testsupport {

// Whether a text holds Japanese: kana, CJK ideographs, Japanese punctuation
// (、。「」) or full-width forms (２倍, （）).
bool containsJapanese(QStringView text);

// Every text a user can read in `window` and the widgets, menus and actions
// under it: titles, labels, buttons, group and tab titles, combo box items,
// placeholders, tool tips, status tips, list and table headers, the text of
// read-only text views, and every menu item down the submenus. Each entry is
// "where: text". Texts a widget paints itself are not seen.
QStringList visibleTexts(QWidget *window);

// The entries of visibleTexts(window) that hold Japanese.
QStringList japaneseTexts(QWidget *window);
// The same one a line, as a test's failure shows it best ("" when none).
std::string japaneseReport(QWidget *window);

} // namespace testsupport
