#include "core/commandlinepictures.h"

#include "qtprint.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace retoner;

TEST(CommandLinePictures, TakesExistingPicturesByTheCommandLineRules)
{
    QTemporaryDir dir;
    const QString spaced = dir.filePath(QStringLiteral("a b.JPG"));
    const QString plain = dir.filePath(QStringLiteral("c.png"));
    const QString text = dir.filePath(QStringLiteral("d.txt"));
    const QString folder = dir.filePath(QStringLiteral("e.png"));
    for (const QString &path : {spaced, plain, text})
        ASSERT_TRUE(testsupport::writeFile(path, "x"));
    ASSERT_TRUE(QDir().mkdir(folder));

    EXPECT_EQ(commandLinePictures({spaced, QStringLiteral("/S"), plain, text, folder,
                                   dir.filePath(QStringLiteral("missing.jpg"))}),
              (QStringList{spaced, plain}));
    // A star or a vertical bar ends the word: what follows is not read.
    EXPECT_EQ(commandLinePictures({plain + QStringLiteral("*junk"), plain + QStringLiteral("|x.bmp")}),
              (QStringList{plain, plain}));

    // Relative names are taken from the current folder.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(commandLinePictures({QStringLiteral("c.png")}), QStringList{plain});
    QDir::setCurrent(before);
}
