// Attributes a program derives for a book: their order in the file, and the
// date a leading number of a name gives.
#include "book/leadingdate.h"
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

TEST(LeadingDate, FourSixOrEightDigitsAsTheyStand)
{
    // Month and day are not limited: each program decides what it accepts.
    LeadingDate d = readLeadingDate(QStringLiteral("20241340\u3000 Spring issue"));
    EXPECT_TRUE(d.dated);
    EXPECT_EQ(d.digits, 8);
    EXPECT_EQ(d.date, (BookDate{2024, 13, 40}));
    EXPECT_EQ(d.rest, QStringLiteral("Spring issue"));

    d = readLeadingDate(QStringLiteral("202403 Issue"));
    EXPECT_EQ(d.date, (BookDate{2024, 3, 0}));
    EXPECT_EQ(d.rest, QStringLiteral("Issue"));

    d = readLeadingDate(QStringLiteral("20240315"));
    EXPECT_EQ(d.date, (BookDate{2024, 3, 15}));
    EXPECT_TRUE(d.rest.isEmpty());

    // Other counts give no date and keep the name whole.
    for (const QString &name : {QStringLiteral("12345 X"), QStringLiteral("123 X"), QStringLiteral("X 2024")}) {
        d = readLeadingDate(name);
        EXPECT_FALSE(d.dated) << name.toStdString();
        EXPECT_EQ(d.rest, name);
    }
    EXPECT_EQ(readLeadingDate(QStringLiteral("12345 X")).digits, 5);
}
