#include "platform/settings.h"
#include "ui/language.h"

#include <gtest/gtest.h>

namespace {

QProcessEnvironment environment(std::initializer_list<std::pair<const char *, const char *>> variables)
{
    QProcessEnvironment result;
    for (const auto &[name, value] : variables)
        result.insert(QString::fromLatin1(name), QString::fromLatin1(value));
    return result;
}

TEST(Language, TheEnvironmentChoosesJapaneseUnlessItAsksForEnglish)
{
    using ui::Language;
    const struct {
        QProcessEnvironment environment;
        Language expected;
    } cases[] = {
        {environment({}), Language::Japanese},
        {environment({{"LANG", "C"}}), Language::Japanese},
        {environment({{"LANG", "C.UTF-8"}}), Language::Japanese},
        {environment({{"LC_ALL", "POSIX"}, {"LANG", "en_US.UTF-8"}}), Language::Japanese},
        {environment({{"LANG", "ja_JP.UTF-8"}}), Language::Japanese},
        {environment({{"LANG", "en_GB.UTF-8"}}), Language::English},
        {environment({{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}), Language::English},
        {environment({{"LANG", "de_DE.UTF-8"}}), Language::English},
        {environment({{"LANGUAGE", "fr:en"}, {"LANG", "ja_JP.UTF-8"}}), Language::English},
        {environment({{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}), Language::Japanese},
        {environment({{"VELLORAN_LANG", "ja"}, {"LANGUAGE", "en"}, {"LANG", "en_US.UTF-8"}}), Language::Japanese},
        {environment({{"VELLORAN_LANG", "en"}, {"LANG", "ja_JP.UTF-8"}}), Language::English},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ui::languageFromEnvironment(c.environment), c.expected) << c.environment.toStringList().join(u' ').toStdString();
}

TEST(Language, EnglishTextsLoadFromTheBuildAndJapaneseComesBack)
{
    const QStringList folders{QStringLiteral(VELLORAN_BUILD_DIR "/translations")};
    ASSERT_TRUE(ui::loadTexts(u"bindery", ui::Language::English, folders));
    EXPECT_EQ(QString(platform::SettingsWriteFailed), u"The settings could not be saved.");
    ASSERT_TRUE(ui::loadTexts(u"bindery", ui::Language::Japanese, folders));
    EXPECT_EQ(QString(platform::SettingsWriteFailed), u"設定の保存に失敗しました。");
}

} // namespace
