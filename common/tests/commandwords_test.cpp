#include <platform/commandwords.h>

#include <gtest/gtest.h>

using platform::joinArguments;
using platform::splitCommandLine;

TEST(CommandLineWords, SplittingRules)
{
    const auto none = [](const QString &) { return false; };
    platform::CommandWords c = splitCommandLine(QStringLiteral("  a.jpg \"b c.png\"x  /d /Q d<e.jpg \"\" f"), none);
    EXPECT_EQ(c.options, (QStringList{"/d", "/Q"}));
    EXPECT_EQ(c.paths, (QStringList{"a.jpg", "b c.png", "d", "f"}));

    c = splitCommandLine(QStringLiteral("/X \"quoted*rest\" /Dfolder a?b|c"), none);
    EXPECT_EQ(c.options, (QStringList{"/X", "/Dfolder"}));
    EXPECT_EQ(c.paths, (QStringList{"quoted", "a"}));

    // A word starting with '/' that names a path is a path, not an option.
    const auto exists = [](const QString &p) { return p == QStringLiteral("/d.kvb"); };
    c = splitCommandLine(QStringLiteral("/d.kvb /d"), exists);
    EXPECT_EQ(c.options, QStringList{"/d"});
    EXPECT_EQ(c.paths, QStringList{"/d.kvb"});
    // A missing absolute path stays a path (dropped later by its user).
    c = splitCommandLine(QStringLiteral("/data/missing \"/data/x y.png\" /data/a.png|b /d.kvb*"), exists);
    EXPECT_TRUE(c.options.isEmpty());
    EXPECT_EQ(c.paths, (QStringList{"/data/missing", "/data/x y.png", "/data/a.png", "/d.kvb"}));
}

TEST(CommandLineWords, JoinedArgumentsSplitBackIntoThemselves)
{
    const QStringList arguments{QStringLiteral("/a b/c.kvb"), QStringLiteral("/D"), QStringLiteral("x")};
    EXPECT_EQ(joinArguments(arguments), QStringLiteral("\"/a b/c.kvb\" /D x"));
    const platform::CommandWords c = splitCommandLine(joinArguments(arguments), nullptr);
    EXPECT_EQ(c.paths, (QStringList{"/a b/c.kvb", "x"}));
    EXPECT_EQ(c.options, QStringList{"/D"});
}
