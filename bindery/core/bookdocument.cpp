#include "bookdocument.h"

#include "messages.h"

#include <book/principalattributes.h>
#include <platform/sharedtexts.h>
#include <platform/textcompare.h>

#include <QtGlobal>

#include <algorithm>
#include <utility>

namespace bindery {

const QString &BookDocument::principalText(uint8_t type) const
{
    switch (type) {
    case kvb::Title: return title;
    case kvb::Subtitle: return subtitle;
    case kvb::Author: return author;
    case kvb::Publisher: return publisher;
    default: Q_ASSERT(type == kvb::Circle); return circle;
    }
}

QString &BookDocument::principalText(uint8_t type)
{
    return const_cast<QString &>(std::as_const(*this).principalText(type));
}

bool BookDocument::isSelected(int index) const
{
    return std::binary_search(selection.begin(), selection.end(), index);
}

uint8_t BookDocument::layoutFlags() const
{
    return uint8_t((cover ? kvb::Cover : 0) | (bindRight ? kvb::BindR : 0)
                   | (pageSpread ? kvb::PageSpread : 0));
}

kvb::AttributeList bookAttributes(const BookDocument &doc)
{
    kvb::PrincipalAttributes principal;
    for (uint8_t type = kvb::Title; type <= kvb::Circle; ++type)
        principal.text(type) = doc.principalText(type);
    if (doc.datePresent)
        principal.date = kvb::BookDate{doc.year, doc.month, doc.day};
    return kvb::bookAttributeList(principal, doc.otherAttributes);
}

Validation validateDocument(const BookDocument &doc, bool rangesOnly)
{
    struct TextField {
        const QString *text;
        Field field;
        const platform::UiText *controlMessage;
    };
    const TextField texts[] = {
        {&doc.title, Field::Title, &text::TitleControl},
        {&doc.subtitle, Field::Subtitle, &text::SubtitleControl},
        {&doc.author, Field::Author, &text::AuthorControl},
        {&doc.publisher, Field::Publisher, &text::PublisherControl},
        {&doc.circle, Field::Circle, &text::CircleControl},
    };
    for (const TextField &t : texts) {
        if (t.text->size() > kvb::kMaxTextChars)
            return {false, text::TooLongFormat.arg(kvb::kMaxTextChars), t.field};
    }
    struct NumberField {
        int value;
        int limit;
        Field field;
    };
    const NumberField numbers[] = {
        {doc.year, 9999, Field::Year}, {doc.month, 12, Field::Month}, {doc.day, 31, Field::Day}};
    for (const NumberField &n : numbers) {
        if (n.value < 0 || n.value > n.limit)
            return {false, platform::NumberRangeFormat.arg(0).arg(n.limit), n.field};
    }
    if (rangesOnly)
        return {};
    for (const TextField &t : texts) {
        if (platform::hasControlCharacter(*t.text))
            return {false, *t.controlMessage, t.field};
    }
    if (doc.day > kvb::lastAllowedDay(doc.year, doc.month))
        return {false, text::BadDate, Field::Day};
    return {};
}

} // namespace bindery
