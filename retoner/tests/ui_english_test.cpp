// The window in English: with the English texts loaded, nothing a user reads
// in the window, the dialogs it opens or the messages it shows is Japanese.
#include "app/coloreditdlg.h"
#include "app/loadsettingdlg.h"
#include "app/retonerdlg.h"
#include "app/settingcolordlg.h"
#include "app/settingmonodlg.h"
#include "app/settingoutputdlg.h"

#include "visibletexts.h"

#include <platform/prompt.h>
#include <tests/englishtexts.h>

#include "qtprint.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

using namespace retoner;


TEST(EnglishWindow, WindowDialogsAndMessagesHoldNoJapanese)
{
    const testsupport::EnglishTexts english(u"retoner");
    ASSERT_TRUE(english.loaded);
    QTemporaryDir dir;
    QStringList pictures;
    for (const char *name : {"a.png", "b.jpg"}) {
        pictures << dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(cv::imwrite(QFile::encodeName(pictures.last()).toStdString(),
                                cv::Mat(120, 160, CV_8UC3, cv::Scalar(40, 90, 200))));
    }

    platform::ScriptedPrompt prompt;
    CRetonerDlg window(prompt);
    window.setModeChooser([] { return RegistrationMode::AutoSaturatedIsColor; });
    window.start(nullptr);
    window.show();
    window.registerPaths(pictures);
    ASSERT_TRUE(window.waitForPreview());
    ASSERT_FALSE(window.convertedImage().isNull());
    EXPECT_EQ(testsupport::japaneseTexts(&window), QStringList());

    ToneSettings settings = window.session().settings();
    CSettingColorDlg color(settings, prompt, &window);
    CSettingMonoDlg mono(settings, prompt, &window);
    CSettingOutputDlg output(settings, prompt, &window);
    CLoadSettingDlg registration(&window);
    CColorEditDlg edit(settings.correction[1], false, &window);
    for (QWidget *dialog : std::initializer_list<QWidget *>{&color, &mono, &output, &registration, &edit})
        EXPECT_EQ(testsupport::japaneseTexts(dialog), QStringList()) << dialog->objectName().toStdString();

    // The messages and file dialogs: a file dialog cancelled, a settings file
    // that cannot be read, one saved, a conversion without its folder, About.
    window.onCommand(CmdRegister);
    prompt.planPath(dir.filePath(QStringLiteral("missing.tnp")));
    window.onCommand(CmdOpenSettings);
    prompt.planPath(dir.filePath(QStringLiteral("saved.tnp")));
    window.onCommand(CmdSaveSettings);
    settings.outputFolder = dir.filePath(QStringLiteral("gone"));
    window.session().applySettings(settings);
    window.onCommand(CmdConvert);
    window.onCommand(CmdAbout);
    ASSERT_EQ(prompt.shown().size(), 4u);
    ASSERT_EQ(prompt.dialogs().size(), 3u);
    QStringList japanese;
    for (const auto &shown : prompt.shown())
        for (const QString &text : {shown.text, shown.caption})
            if (testsupport::containsJapanese(text))
                japanese << text;
    for (const auto &dialog : prompt.dialogs())
        if (testsupport::containsJapanese(dialog.caption))
            japanese << dialog.caption;
    EXPECT_EQ(japanese, QStringList());
}
