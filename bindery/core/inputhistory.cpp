#include "inputhistory.h"

#include "bookdocument.h"

namespace bindery {

const char *InputHistories::storeName(Kind kind)
{
    static const char *const names[Count] = {"HistTitle", "HistSubt", "HistAuth", "HistPub",
                                             "HistCir",   "HistUsItem", "HistUsVal"};
    return names[kind];
}

void InputHistories::merge(QStringList &history, const QStringList &values)
{
    for (const QString &value : values) {
        const qsizetype later = history.indexOf(value);
        if (later >= 0)
            history.removeAt(later);
        history.prepend(value);
    }
    while (history.size() > kDepth)
        history.removeLast();
}

void InputHistories::mergeDocument(const BookDocument &doc)
{
    std::array<QStringList, Count> values;
    for (int k = Title; k <= Circle; ++k) {
        const QString &text = doc.principalText(uint8_t(kvb::Title + k));
        if (!text.isEmpty())
            values[k] << text;
    }
    for (const kvb::AttributeEntry &a : doc.otherAttributes) {
        if (a.type >= kvb::Title && a.type <= kvb::Circle) {
            values[a.type - 1] << a.text;
        } else if (a.type == kvb::UserDefined) {
            values[ItemName] << a.name;
            values[ItemValue] << a.text;
        }
    }
    for (int k = 0; k < Count; ++k)
        merge(m_lists[k], values[k]);
}

void InputHistories::load(QSettings &store)
{
    for (int k = 0; k < Count; ++k) {
        m_lists[k].clear();
        for (int i = 0; i < kDepth; ++i) {
            const QString value = store.value(QString::asprintf("%s%d", storeName(Kind(k)), i)).toString();
            if (!value.isEmpty())
                m_lists[k] << value;
        }
    }
}

void InputHistories::save(QSettings &store) const
{
    for (int k = 0; k < Count; ++k) {
        for (int i = 0; i < kDepth; ++i)
            store.setValue(QString::asprintf("%s%d", storeName(Kind(k)), i), m_lists[k].value(i));
    }
}

} // namespace bindery
