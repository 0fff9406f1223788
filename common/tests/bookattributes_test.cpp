// Attributes a program derives for a book: their order in the file.
#include "book/principalattributes.h"

#include <gtest/gtest.h>

using namespace kvb;

namespace {

QStringList summary(const AttributeList &list)
{
    QStringList parts;
    for (const AttributeEntry &a : list) {
        if (a.type == PublicationDate)
            parts << QStringLiteral("6:%1-%2-%3").arg(a.year).arg(a.month).arg(a.day);
        else
            parts << QStringLiteral("%1:%2%3").arg(a.type).arg(a.name.isEmpty() ? QString() : a.name + u'=', a.text);
    }
    return parts;
}

} // namespace

TEST(PrincipalAttributes, LeadInTypeOrderThenTheDateThenTheFurtherOnes)
{
    PrincipalAttributes principal;
    principal.text(Circle) = QStringLiteral("C");
    principal.text(Author) = QStringLiteral("A");
    principal.text(Title) = QStringLiteral("T");
    principal.date = BookDate{2024, 3, 0};
    // Fields: type, year, month, day, name, text.
    const AttributeList further{{UserDefined, 0, 0, 0, QStringLiteral("K"), QStringLiteral("V")},
                                {PublicationDate, 1999, 1, 1, {}, {}},
                                {Author, 0, 0, 0, {}, QStringLiteral("B")}};
    // The empty subtitle and publisher are left out; the further date too.
    EXPECT_EQ(summary(bookAttributeList(principal, further)),
              (QStringList{"1:T", "3:A", "5:C", "6:2024-3-0", "7:K=V", "3:B"}));
    // Without a date or texts only the further attributes remain.
    EXPECT_EQ(summary(bookAttributeList({}, further)), (QStringList{"7:K=V", "3:B"}));
    EXPECT_TRUE(bookAttributeList({}).empty());
}
