#include "platform/cp932.h"
#include "platform/settingsreaders.h"

#include <QFile>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A store read back from its file, so values come back as text the way a
// program finds them at start.
class SettingsReaders : public testing::Test {
protected:
    std::unique_ptr<QSettings> storeWith(const QList<std::pair<QString, QVariant>> &values)
    {
        const QString path = m_dir.filePath(QStringLiteral("Readers.ini"));
        QFile::remove(path);
        {
            QSettings writer(path, QSettings::IniFormat);
            writer.beginGroup(QStringLiteral("Settings"));
            for (const auto &[name, value] : values)
                writer.setValue(name, value);
        }
        auto store = std::make_unique<QSettings>(path, QSettings::IniFormat);
        store->beginGroup(QStringLiteral("Settings"));
        return store;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsReaders, NumbersAreRefusedAlikeByEveryReader)
{
    for (const QString &bad : {QStringLiteral("12x"), QStringLiteral("12 x"), QString(),
                               QStringLiteral("  "), QStringLiteral("abc"), QStringLiteral("1.5"),
                               QStringLiteral("0x10"), QStringLiteral("99999999999")}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(parseInt(bad));
        auto store = storeWith({{QStringLiteral("Value"), bad}});
        EXPECT_FALSE(readInt(*store, "Value"));
        EXPECT_FALSE(readClampedInt(*store, "Value", 1, 600));
        EXPECT_FALSE(readIntInRange(*store, "Value", 0, 100));
        EXPECT_FALSE(readFlag(*store, "Value"));
    }
    auto store = storeWith({});
    EXPECT_FALSE(readInt(*store, "Missing"));
    EXPECT_FALSE(readFlag(*store, "Missing"));

    EXPECT_EQ(parseInt(u" 12 "), 12);
    EXPECT_EQ(parseInt(u"+7"), 7);
    EXPECT_EQ(parseInt(u"-3"), -3);
}

TEST_F(SettingsReaders, ClampingBringsIntoRangeWhileRangeCheckingRefuses)
{
    auto store = storeWith({{QStringLiteral("Low"), 0},
                            {QStringLiteral("High"), 1000},
                            {QStringLiteral("GammaSel"), 7},
                            {QStringLiteral("JQ"), 100},
                            {QStringLiteral("Off"), 0},
                            {QStringLiteral("On"), -2}});
    EXPECT_EQ(readClampedInt(*store, "Low", 1, 600), 1);
    EXPECT_EQ(readClampedInt(*store, "High", 1, 600), 600);
    EXPECT_FALSE(readIntInRange(*store, "GammaSel", 0, 6));
    EXPECT_EQ(readIntInRange(*store, "GammaSel", 0, 6).value_or(4), 4);
    EXPECT_EQ(readIntInRange(*store, "JQ", 0, 100), 100);
    EXPECT_EQ(readFlag(*store, "Off"), false);
    EXPECT_EQ(readFlag(*store, "On"), true);

    // A value written in this run comes back as an int, not text.
    store->setValue(QStringLiteral("Fresh"), 42);
    EXPECT_EQ(readInt(*store, "Fresh"), 42);
}

TEST_F(SettingsReaders, NumberListsNeedTheirCountAndNothingElse)
{
    using Numbers = std::vector<int>;
    EXPECT_EQ(parseNumbers(u"1:3", u':', 2, 3), (Numbers{1, 3}));
    EXPECT_EQ(parseNumbers(u"1:3:60", u':', 2, 3), (Numbers{1, 3, 60}));
    EXPECT_EQ(parseNumbers(u" 2021; 3 ;-1", u';', 3, 3), (Numbers{2021, 3, -1}));
    EXPECT_FALSE(parseNumbers(u"7", u':', 2, 3));         // too few
    EXPECT_FALSE(parseNumbers(u"1:2:3:4", u':', 2, 3));   // too many
    EXPECT_FALSE(parseNumbers(u"1:2:3x", u':', 2, 3));    // trailing junk
    EXPECT_FALSE(parseNumbers(u"1:2:", u':', 2, 3));      // empty last part
    EXPECT_FALSE(parseNumbers(u"1::3", u':', 2, 3));
    EXPECT_FALSE(parseNumbers(u"", u':', 2, 3));
    EXPECT_FALSE(parseNumbers(u"1;2;3", u':', 2, 3));     // other separator

    auto store = storeWith({{QStringLiteral("FontSize"), QStringLiteral("1:3")},
                            {QStringLiteral("Date"), QStringLiteral("2021;13")}});
    EXPECT_EQ(readNumbers(*store, "FontSize", u':', 2, 3), (Numbers{1, 3}));
    EXPECT_FALSE(readNumbers(*store, "Date", u';', 3, 3));
    EXPECT_FALSE(readNumbers(*store, "Missing", u';', 1, 3));
}

TEST_F(SettingsReaders, WindowRectangleAndExistingFolder)
{
    const QRect rect(-8, 20, 900, 700);
    EXPECT_EQ(windowRectText(rect), QStringLiteral("-8;20;900;700"));
    EXPECT_EQ(parseWindowRect(windowRectText(rect)), rect);
    EXPECT_FALSE(parseWindowRect(u"10;20;300;400junk"));
    EXPECT_FALSE(parseWindowRect(u"10;20;300;400;5"));
    EXPECT_FALSE(parseWindowRect(u"1;2;3"));
    EXPECT_FALSE(parseWindowRect(u""));

    QTemporaryDir folders;
    const QString file = folders.filePath(QStringLiteral("file.txt"));
    QFile(file).open(QIODevice::WriteOnly);
    auto store = storeWith({{QStringLiteral("WinPos"), QStringLiteral("10;20;300;400")},
                            {QStringLiteral("Here"), folders.path()},
                            {QStringLiteral("Gone"), folders.filePath(QStringLiteral("gone"))},
                            {QStringLiteral("File"), file}});
    EXPECT_EQ(readWindowRect(*store, "WinPos"), QRect(10, 20, 300, 400));
    EXPECT_EQ(readExistingFolder(*store, "Here"), folders.path());
    EXPECT_TRUE(readExistingFolder(*store, "Gone").isEmpty());
    EXPECT_TRUE(readExistingFolder(*store, "File").isEmpty());
    EXPECT_TRUE(readExistingFolder(*store, "Missing").isEmpty());
}

TEST(Cp932, BothConvertersReadTheCodePageAlikeAndStrictRefusesStrayBytes)
{
    // Backslash stays a backslash.
    const QByteArray legacy("C:\\\x8f\x6f\x97\xcd\x87\x40\x81\x60", 11);
    EXPECT_EQ(decodeCp932WithIconv(legacy), QStringLiteral("C:\\出力①～"));
    EXPECT_EQ(decodeCp932(legacy), decodeCp932WithIconv(legacy));
    EXPECT_EQ(strictCp932(legacy), QStringLiteral("C:\\出力①～"));
    // Printable ASCII skips the converter and must read as the converters do.
    QByteArray ascii;
    for (int c = 0x20; c < 0x7F; ++c)
        ascii.append(char(c));
    EXPECT_EQ(decodeCp932(ascii), decodeCp932WithIconv(ascii));
    if (QStringDecoder converter("CP932"); converter.isValid()) {
        EXPECT_EQ(decodeCp932(ascii), QString(converter.decode(ascii)));
    }
    EXPECT_EQ(decodeCp932WithIconv("a\x82"), QStringLiteral("a\uFFFD"));
    for (const char *stray : {"a\x82", "\xff", "\x80x", "b\xff\xfe.kvb", "\x85\x40"})
        EXPECT_EQ(strictCp932(stray), std::nullopt) << stray;
    EXPECT_EQ(strictCp932("\xb1\x93\xfa"), QStringLiteral("ｱ日"));
}
