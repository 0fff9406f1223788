#pragma once

#include <book/bookrecords.h>

#include <QSettings>
#include <QStringList>

#include <array>

namespace bindery {

struct BookDocument;

// The seven input histories of the attribute fields, most recent first, at
// most five entries each.
class InputHistories {
public:
    enum Kind { Title, Subtitle, Author, Publisher, Circle, ItemName, ItemValue, Count };
    static constexpr int kDepth = 5;

    const QStringList &list(Kind kind) const { return m_lists[kind]; }
    QStringList &list(Kind kind) { return m_lists[kind]; }

    // Puts the values at the front in turn (an equal later entry goes away),
    // then cuts the list to its depth.
    static void merge(QStringList &history, const QStringList &values);
    // After a save: the document's principal texts and further attributes.
    void mergeDocument(const BookDocument &document);

    void load(QSettings &store);
    void save(QSettings &store) const;

    static const char *storeName(Kind kind);

private:
    std::array<QStringList, Count> m_lists;
};

} // namespace bindery
