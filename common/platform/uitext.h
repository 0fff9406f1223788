#pragma once

#include <QCoreApplication>
#include <QString>

#include <utility>

namespace platform {

// A text of the interface kept as a constant: its Japanese source and the
// context its translation is filed under. Write it with the context twice,
// so the translation tools find it:
//   inline constexpr UiText SaveFailed{"Bindery", QT_TRANSLATE_NOOP("Bindery", "保存に失敗しました。")};
// Wherever a QString is wanted it becomes the text in the language in use;
// with no translation loaded that is the Japanese source itself.
struct UiText {
    const char *context;
    const char *source;

    QString text() const { return QCoreApplication::translate(context, source); }
    operator QString() const { return text(); }

    friend QString operator+(const UiText &text, const QString &rest) { return text.text() + rest; }
    friend QString operator+(const QString &rest, const UiText &text) { return rest + text.text(); }

    template <typename... Args>
    QString arg(Args &&...args) const
    {
        return text().arg(std::forward<Args>(args)...);
    }
};

} // namespace platform
