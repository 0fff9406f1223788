#include "core/csvloader.h"
#include "core/settingsfile.h"

#include <platform/prompt.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "qtprint.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

using namespace retoner;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString writeBytes(const QByteArray &bytes, const QString &name = QStringLiteral("s.tnp"))
    {
        EXPECT_TRUE(testsupport::writeFile(path(name), bytes));
        return path(name);
    }
    // Reads the bytes into settings and returns the message shown, if any.
    QString read(ToneSettings &settings, const QByteArray &bytes, bool *ok = nullptr)
    {
        platform::ScriptedPrompt prompt;
        const bool result = readSettings(settings, writeBytes(bytes), prompt);
        if (ok)
            *ok = result;
        EXPECT_EQ(result, prompt.texts().isEmpty());
        return prompt.texts().join(u'|');
    }

    QTemporaryDir m_dir;
};

std::vector<std::vector<QByteArray>> records(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CCSVLoader loader(buffer);
    std::vector<std::vector<QByteArray>> all;
    std::vector<QByteArray> fields;
    while (loader.readRecord(fields))
        all.push_back(fields);
    return all;
}

} // namespace

TEST(CSVLoader, QuotesLineEndsAndEndOfFile)
{
    using R = std::vector<QByteArray>;
    auto all = records("a,b\r\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\r\nlines\",z\rlast,unfinished");
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], (R{"a", "b"}));
    EXPECT_EQ(all[1], (R{"x,y", "say \"hi\""}));
    EXPECT_EQ(all[2], (R{"two\r\nlines", "z"}));
    // End of file inside the record: the unfinished field is dropped.
    EXPECT_EQ(all[3], (R{"last"}));

    all = records("k,,\n\n\"a\"b\",c\n");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], (R{"k", "", ""}));
    EXPECT_EQ(all[1], (R{""}));
    // A quote followed by anything but a delimiter or a quote is dropped.
    EXPECT_EQ(all[2], (R{"ab", "c"}));
    EXPECT_TRUE(records("").empty());
}

TEST_F(SettingsFileTest, RoundTripGivesTheSameSettingsAndNoMessage)
{
    ToneSettings written;
    written.color = {1, 4, 77, 1};
    written.mono = {0, 12, 200, -35, 4, 1, 99};
    written.output = {2, 150, 1, 640, 480, 2, 80};
    written.outputFolder = m_dir.path();
    for (int i = 0; i < ColorCorrectionTable::PointCount; ++i) {
        ControlPoint &p = written.correction[i];
        const bool neutral = i == 0 || (i - 1) % ColorCorrectionTable::PointsPerLevel == 0;
        p.hueShift = neutral ? 0.031f * (i % 200) : -2.0943952f + 0.021f * (i % 199);
        p.saturationShift = -0.5f + 0.005f * (i % 200);
        p.valueShift = 0.5f - 0.004f * (i % 200);
    }
    platform::ScriptedPrompt prompt;
    const QString file = path(QStringLiteral("round.tnp"));
    ASSERT_TRUE(writeSettings(written, file, prompt));

    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 201);
    EXPECT_EQ(bytes.count('\n'), 201);
    EXPECT_TRUE(bytes.startsWith("ColorParam,1,4,77,1\r\nColorCC:v0,0.000000,-0.500000,0.500000\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nColorCC:v1s1h0,"));
    EXPECT_TRUE(bytes.contains("\r\nColorCC:v4s4h11,"));
    EXPECT_TRUE(bytes.endsWith("OutputParam,2,150,1,640,480,2,80\r\n"));

    ToneSettings read;
    ASSERT_TRUE(readSettings(read, file, prompt));
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_EQ(read.color, written.color);
    EXPECT_EQ(read.mono, written.mono);
    EXPECT_EQ(read.output, written.output);
    EXPECT_EQ(read.outputFolder, written.outputFolder);
    for (int i = 0; i < ColorCorrectionTable::PointCount; ++i) {
        EXPECT_NEAR(read.correction[i].hueShift, written.correction[i].hueShift, 1e-6) << i;
        EXPECT_NEAR(read.correction[i].saturationShift, written.correction[i].saturationShift, 1e-6) << i;
        EXPECT_NEAR(read.correction[i].valueShift, written.correction[i].valueShift, 1e-6) << i;
        EXPECT_EQ(read.correction[i].hue, written.correction[i].hue);
    }
}

TEST_F(SettingsFileTest, TinyNegativeShiftsAreWrittenAsZeroSoASecondSaveIsTheSame)
{
    ToneSettings s;
    s.correction[1].valueShift = -1e-7f;
    s.correction[2].hueShift = -4e-7f;
    const QByteArray first = settingsFileText(s);
    EXPECT_FALSE(first.contains("-0.000000")) << first.left(200).constData();
    ToneSettings again;
    ASSERT_TRUE(readSettingsBytes(again, first).ok());
    EXPECT_EQ(settingsFileText(again), first);
}

TEST_F(SettingsFileTest, RefusedValuesAreCountedAndTheGoodOnesStored)
{
    ToneSettings s;
    bool ok = true;
    EXPECT_EQ(read(s, "ColorParam,5,1,120,1\r\n", &ok),
              QStringLiteral("設定ファイルの読み出しでエラーが発生しました。（2 回）"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(s.color.blurIndex, 3);
    EXPECT_EQ(s.color.sharpenIndex, 1);
    EXPECT_EQ(s.color.sharpenStrength, 40);
    EXPECT_EQ(s.color.correctionEnabled, 1);

    s = ToneSettings();
    EXPECT_EQ(read(s, "ColorCC:v2s0,6.3,0.25,-0.125\r\nMonoParam,-7,0,256,0,0,0,0\r\n"),
              QStringLiteral("設定ファイルの読み出しでエラーが発生しました。（2 回）"));
    const ControlPoint &grey = s.correction[ColorCorrectionTable::greyIndex(2)];
    EXPECT_EQ(grey.hueShift, 0.0f);
    EXPECT_EQ(grey.saturationShift, 0.25f);
    EXPECT_EQ(grey.valueShift, -0.125f);
    EXPECT_EQ(s.mono.grayscale, 1); // flags store 1 for any non-zero number
    EXPECT_EQ(s.mono.whiteLevel, 234);
    EXPECT_EQ(s.mono.blackLevel, 0);

    // Coloured points allow +-120 degrees, neutral points 0 up to 2 pi.
    s = ToneSettings();
    EXPECT_EQ(read(s, "ColorCC:v1s2h3,-2.0943952,0,0\nColorCC:v1s2h4,2.1,0,0\nColorCC:v0,-0.1,0,0\n"),
              QStringLiteral("設定ファイルの読み出しでエラーが発生しました。（2 回）"));
    EXPECT_EQ(s.correction[ColorCorrectionTable::colouredIndex(1, 2, 3)].hueShift, -2.0943952f);
}

TEST_F(SettingsFileTest, UnknownKeysAndShortRecordsAreIgnoredWithoutError)
{
    ToneSettings s;
    bool ok = false;
    EXPECT_EQ(read(s, "", &ok), QString());
    EXPECT_TRUE(ok);
    EXPECT_EQ(read(s, "ColorCC:v5s0,1,0.1,0.1\r\nColorCC:v1s1h12,1,0.1,0.1\r\nColorCC:v1s0h3,9,9,9\r\n"
                      "ColorCC:v1,9,9,9\r\nColorCC:x,9,9,9\r\nOutputParam,0,50,0,100,100,2\r\n"
                      "Whatever,1,2\r\nMonoParam,0\r\nColorParam,0,0,0\r\n",
                   &ok),
              QString());
    EXPECT_TRUE(ok);
    EXPECT_EQ(s, ToneSettings());
}

TEST_F(SettingsFileTest, NumbersOutside32BitsTakeTheOverflowPath)
{
    ToneSettings s;
    EXPECT_EQ(read(s, "ColorParam,1,2,2147483648,1\r\n"),
              QStringLiteral("設定ファイルの読み出しでエラーが発生しました。"));
    EXPECT_EQ(s.color.blurIndex, 1); // stored before the end still stay
    EXPECT_EQ(read(s, "OutputParam,1,36,0,1000,-99999999999999999999,1,95\r\n"),
              QStringLiteral("設定ファイルの読み出しでエラーが発生しました。"));
    EXPECT_EQ(read(s, "ColorCC:v0,1e999,0,0\r\n"),
              QStringLiteral("設定ファイルの読み出しでエラーが発生しました。"));
    // The edges of the 32-bit range themselves only fail their range test.
    EXPECT_EQ(read(s, "ColorParam,2147483647,-2147483648,0,0\r\n"),
              QStringLiteral("設定ファイルの読み出しでエラーが発生しました。（2 回）"));
}

TEST_F(SettingsFileTest, NumberConversionsFollowTheCLibraryRules)
{
    bool overflow = false;
    EXPECT_EQ(settingsInt(QStringLiteral("  -12abc"), overflow), -12);
    EXPECT_EQ(settingsInt(QStringLiteral("+7"), overflow), 7);
    EXPECT_EQ(settingsInt(QStringLiteral("x5"), overflow), 0);
    EXPECT_EQ(settingsInt(QString(), overflow), 0);
    EXPECT_FALSE(overflow);
    EXPECT_DOUBLE_EQ(settingsDouble(QStringLiteral(" 0.25rest"), overflow), 0.25);
    EXPECT_DOUBLE_EQ(settingsDouble(QStringLiteral("-1.5e-1"), overflow), -0.15);
    EXPECT_EQ(settingsDouble(QStringLiteral("none"), overflow), 0.0);
    EXPECT_FALSE(overflow);

    int n[3];
    EXPECT_EQ(scanColorKey(QStringLiteral("ColorCC:v0"), n), 1);
    EXPECT_EQ(scanColorKey(QStringLiteral("ColorCC:v3s0"), n), 2);
    EXPECT_EQ(scanColorKey(QStringLiteral("ColorCC:v3s2h11"), n), 3);
    EXPECT_EQ(n[0] * 100 + n[1] * 10 + n[2], 331);
    EXPECT_EQ(scanColorKey(QStringLiteral("ColorCC:v3x2h11"), n), 1);
    EXPECT_EQ(scanColorKey(QStringLiteral("ColorCC:w3"), n), 0);
}

TEST_F(SettingsFileTest, EveryLineEndIsAccepted)
{
    const QByteArray lines[] = {"ColorParam,1,2,3,1", "MonoParam,0,10,220,-20,1,1,5",
                                "OutputParam,2,50,1,500,400,0,70", ""};
    for (const char *end : {"\r\n", "\n", "\r"}) {
        ToneSettings s;
        bool ok = false;
        EXPECT_EQ(read(s, QByteArrayList(std::begin(lines), std::end(lines)).join(end), &ok), QString());
        EXPECT_TRUE(ok);
        EXPECT_EQ(s.color, (ColorParams{1, 2, 3, 1})) << end;
        EXPECT_EQ(s.mono, (MonoParams{0, 10, 220, -20, 1, 1, 5})) << end;
        EXPECT_EQ(s.output, (OutputParams{2, 50, 1, 500, 400, 0, 70})) << end;
    }
    // A last line without a line end loses its last field, so it is too short.
    ToneSettings s;
    read(s, "OutputParam,0,50,0,100,100,2,80");
    EXPECT_EQ(s.output, OutputParams());
}

TEST_F(SettingsFileTest, OutputFolderQuotesAndEncodings)
{
    const QString folder = path(QStringLiteral("say \"yes\", 出力"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ToneSettings written;
    written.outputFolder = folder;
    platform::ScriptedPrompt prompt;
    const QString file = path(QStringLiteral("q.tnp"));
    ASSERT_TRUE(writeSettings(written, file, prompt));
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray expectedLine =
        "\r\nOutputFolder,\"" + folder.toUtf8().replace("\"", "\"\"") + "\"\r\n";
    EXPECT_TRUE(raw.readAll().contains(expectedLine));

    ToneSettings read;
    ASSERT_TRUE(readSettings(read, file, prompt));
    EXPECT_EQ(read.outputFolder, folder);

    // A file from the older programs, in CP932, still names the folder.
    QStringEncoder cp932("CP932");
    ASSERT_TRUE(cp932.isValid());
    QByteArray bytes = "MonoParam,1,1,2,3,1,1,1\r\nOutputFolder,\"";
    bytes += QByteArray(cp932.encode(folder)).replace("\"", "\"\"");
    bytes += "\"\r\n";
    ToneSettings old;
    EXPECT_EQ(this->read(old, bytes), QString());
    EXPECT_EQ(old.outputFolder, folder);

    // A UTF-8 file that starts with a byte order mark.
    ToneSettings marked;
    EXPECT_EQ(this->read(marked, "\xEF\xBB\xBF" "ColorParam,0,0,0,1\r\n"), QString());
    EXPECT_EQ(marked.color, (ColorParams{0, 0, 0, 1}));

    // A folder that does not exist is ignored silently.
    old.outputFolder = QStringLiteral("/kept");
    EXPECT_EQ(this->read(old, "OutputFolder,\"C:\\Users\\nobody\\out\"\r\n"), QString());
    EXPECT_EQ(old.outputFolder, QStringLiteral("/kept"));
}

TEST_F(SettingsFileTest, OpenAndWriteFailures)
{
    ToneSettings s;
    s.color.blurIndex = 0;
    platform::ScriptedPrompt prompt;
    EXPECT_FALSE(readSettings(s, path(QStringLiteral("missing.tnp")), prompt));
    EXPECT_FALSE(readSettings(s, m_dir.path(), prompt));
    EXPECT_EQ(prompt.texts(), QStringList(2, QStringLiteral("設定ファイルの読み出しに失敗しました。(Open)")));
    EXPECT_EQ(s.color.blurIndex, 0);

    prompt.clear();
    EXPECT_FALSE(writeSettings(s, path(QStringLiteral("no/such/folder/x.tnp")), prompt));
    EXPECT_EQ(prompt.texts(), QStringList(QStringLiteral("設定の保存に失敗しました。(Open)")));

    EXPECT_FALSE(writeSettings(s, m_dir.path(), prompt));

    // An existing file is replaced as a whole, and no temporary file stays.
    const QString file = writeBytes("ColorParam,1,1,1,1\r\n", QStringLiteral("keep.tnp"));
    prompt.clear();
    EXPECT_TRUE(writeSettings(s, file, prompt));
    EXPECT_TRUE(prompt.texts().isEmpty());
    ToneSettings back;
    ASSERT_TRUE(readSettings(back, file, prompt));
    EXPECT_EQ(back.color.blurIndex, 0);
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files), QStringList());
}

// A pipe ("--settings <(...)") cannot be read twice: its settings used to be
// dropped while the read reported success.
TEST_F(SettingsFileTest, SettingsFromAPipeAreReadNotDropped)
{
    const QString fifo = path(QStringLiteral("pipe.tnp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ToneSettings expected;
    expected.color.blurIndex = 1;
    expected.mono.curve = -40;
    expected.output.ratioPercent = 150;
    expected.correction[ColorCorrectionTable::greyIndex(2)].saturationShift = 0.25f;
    std::thread writer([&] {
        QFile out(fifo);
        if (out.open(QIODevice::WriteOnly))
            out.write(settingsFileText(expected));
    });
    ToneSettings settings;
    const SettingsReadReport report = readSettingsFile(settings, fifo);
    writer.join();
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(settings, expected);

    // Something that cannot be read at all is the open failure.
    settings = ToneSettings();
    EXPECT_EQ(readMessage(readSettingsFile(settings, m_dir.path())),
              QStringLiteral("設定ファイルの読み出しに失敗しました。(Open)"));
}
