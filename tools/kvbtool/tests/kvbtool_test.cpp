// kvbtool end to end: the built program run on generated files.
#include "book/kvbfile.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// fileSizeLimit > 0 runs the tool with files limited to that many bytes, as
// on a disk that is full: its writes past the limit fail.
ToolRun kvbtool(const QStringList &args, rlim_t fileSizeLimit = 0)
{
    QProcess p;
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            ::signal(SIGXFSZ, SIG_IGN); // a failed write instead of a killed process
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    p.start(QStringLiteral(KVBTOOL_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class KvbtoolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pages = m_dir.filePath(QStringLiteral("pages"));
        QDir().mkpath(pages);
        put(QStringLiteral("pages/b.jpg"), testsupport::jpegWithOrientation(testsupport::cornerPicture(80, 60), 6));
        put(QStringLiteral("pages/A.png"), testsupport::encode(testsupport::cornerPicture(30, 40), "PNG"));
        put(QStringLiteral("pages/a.bmp"), testsupport::encode(testsupport::cornerPicture(20, 20), "BMP"));
        put(QStringLiteral("pages/notes.txt"), "skip me");
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString put(const QString &name, const QByteArray &bytes) const
    {
        EXPECT_TRUE(testsupport::writeFile(path(name), bytes));
        return path(name);
    }
    QJsonObject info(const QString &book, bool decode = false)
    {
        QStringList args{QStringLiteral("info"), QStringLiteral("--json")};
        if (decode)
            args << QStringLiteral("--decode");
        const ToolRun r = kvbtool(args << book);
        last = r;
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    }

    QTemporaryDir m_dir;
    QString pages;
    ToolRun last;
};

} // namespace

TEST_F(KvbtoolTest, PackOrdersPagesAndAttributesAsTheEditorDoes)
{
    const QString book = path(QStringLiteral("out.kvb"));
    const ToolRun r = kvbtool({"pack", "--cover", "--spread", "--item", "K=V", "--author", "A1", "--circle", "C1",
                           "--author", "A2", "--date", "2024-2-29", "--title", "T", "--publisher", "P1",
                           "--circle", "C2", book, pages});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = info(book, true);
    EXPECT_EQ(last.status, 0);
    EXPECT_TRUE(o["valid"].toBool());
    EXPECT_EQ(o["pageCount"].toInt(), 3);
    EXPECT_EQ(o["layoutFlags"].toInt(), 5);
    EXPECT_TRUE(o["cover"].toBool());
    EXPECT_FALSE(o["bindRight"].toBool());
    EXPECT_FALSE(o["thumbnail"].toBool());

    QStringList attrs;
    for (const QJsonValue &v : o["attributes"].toArray()) {
        const QJsonObject a = v.toObject();
        const int type = a["type"].toInt();
        if (type == 6)
            attrs << QStringLiteral("6:%1-%2-%3").arg(a["year"].toInt()).arg(a["month"].toInt()).arg(a["day"].toInt());
        else if (type == 7)
            attrs << QStringLiteral("7:%1=%2").arg(a["name"].toString(), a["value"].toString());
        else
            attrs << QStringLiteral("%1:%2").arg(type).arg(a["text"].toString());
    }
    EXPECT_EQ(attrs, (QStringList{"1:T", "3:A1", "4:P1", "5:C1", "6:2024-2-29", "7:K=V", "3:A2", "5:C2"}));

    // Capitals sort before small letters; the .txt is skipped; the Exif-6
    // JPEG decodes upright.
    const QJsonArray p = o["pages"].toArray();
    ASSERT_EQ(p.size(), 3);
    EXPECT_EQ(p[0].toObject()["kind"].toInt(), 0x81);
    EXPECT_EQ(p[1].toObject()["kind"].toInt(), 0x82);
    EXPECT_EQ(p[2].toObject()["kind"].toInt(), 0x80);
    EXPECT_EQ(p[2].toObject()["width"].toInt(), 60);
    EXPECT_EQ(p[2].toObject()["height"].toInt(), 80);

    // Books as inputs give their pages, in their order, at their path's place.
    const QString merged = path(QStringLiteral("merged.kvb"));
    ASSERT_EQ(kvbtool({"pack", "--thumbnail", merged, pages + "/b.jpg", book}).status, 0);
    const QJsonObject m = info(merged);
    EXPECT_TRUE(m["thumbnail"].toBool());
    ASSERT_EQ(m["pages"].toArray().size(), 4);
    // ".../out.kvb" sorts before ".../pages/b.jpg": the book's pages come first.
    EXPECT_EQ(m["pages"].toArray()[0].toObject()["kind"].toInt(), 0x81);
    EXPECT_EQ(m["pages"].toArray()[3].toObject()["kind"].toInt(), 0x80);
}

TEST_F(KvbtoolTest, UnpackThumbnailAndPageRoundTrip)
{
    const QString book = path(QStringLiteral("t.kvb"));
    ASSERT_EQ(kvbtool({"pack", "--thumbnail", "--date", "0-0-0", book, pages}).status, 0);
    const QString out = path(QStringLiteral("unpacked"));
    ASSERT_EQ(kvbtool({"unpack", book, out}).status, 0);
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{"Img0000.png", "Img0001.bmp", "Img0002.jpg"}));
    EXPECT_EQ(testsupport::readFile(out + "/Img0002.jpg"), testsupport::readFile(pages + "/b.jpg"));

    const QString thumb = path(QStringLiteral("thumb.png"));
    ASSERT_EQ(kvbtool({"thumbnail", book, thumb}).status, 0);
    EXPECT_EQ(QImage(thumb).size(), QSize(160, 200));

    const QString page = path(QStringLiteral("page3.png"));
    ASSERT_EQ(kvbtool({"page", book, "3", page}).status, 0);
    EXPECT_EQ(QImage(page).size(), QSize(60, 80));
    EXPECT_EQ(kvbtool({"page", book, "4", page}).status, 1);

    const QByteArray bytes = testsupport::readFile(book);
    EXPECT_TRUE(bytes.contains(QByteArray("\x06\x04\x00\x00\x00\x00\x00", 7)));

    const QString plain = path(QStringLiteral("plain.kvb"));
    ASSERT_EQ(kvbtool({"pack", plain, pages}).status, 0);
    const ToolRun none = kvbtool({"thumbnail", plain, thumb});
    EXPECT_EQ(none.status, 1);
    EXPECT_FALSE(none.err.isEmpty());
}

TEST_F(KvbtoolTest, ThumbnailSizeMayStandAnywhereAndIsChecked)
{
    // What the picture holds is the library's cover picture, tested there and
    // through the installed thumbnailer; here the command line.
    const QString plain = path(QStringLiteral("plain.kvb"));
    ASSERT_EQ(kvbtool({"pack", plain, pages}).status, 0);
    const QString out = path(QStringLiteral("cover.png"));
    ASSERT_EQ(kvbtool({"thumbnail", "--size", "20", plain, out}).status, 0);
    EXPECT_EQ(QImage(out).size(), QSize(15, 20)); // A.png, 30 x 40
    ASSERT_EQ(kvbtool({"thumbnail", plain, out, "--size", "10"}).status, 0);
    EXPECT_EQ(QImage(out).size(), QSize(7, 10));

    const QString none = path(QStringLiteral("none.png"));
    for (const QStringList &bad : {QStringList{"--size", "0"}, QStringList{"--size", "x"}, QStringList{"--size"},
                                   QStringList{"--size", "5000"}, QStringList{"--size", "20", "extra"}})
        EXPECT_EQ(kvbtool(QStringList{"thumbnail", plain, none} + bad).status, 2) << bad.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(KvbtoolTest, BadValuesAreUsageErrorsNamingTheOption)
{
    const QString book = path(QStringLiteral("u.kvb"));
    auto usage = [&](const QStringList &options, const QString &named) {
        const ToolRun r = kvbtool(QStringList{"pack"} + options + QStringList{book, pages});
        EXPECT_EQ(r.status, 2) << options.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(named)) << r.err.toStdString();
    };
    usage({"--title", QString(128, 'x')}, "--title");
    usage({"--author", "tab\there"}, "--author");
    usage({"--date", "2023-2-29"}, "--date");
    usage({"--date", "2024-4-31"}, "--date");
    usage({"--date", "2024-13"}, "--date");
    usage({"--item", QString(17, 'n') + "=v"}, "--item");
    usage({"--item", "novalue"}, "--item");
    usage({"--bogus"}, "--bogus");
    EXPECT_FALSE(QFile::exists(book));
    EXPECT_EQ(kvbtool({}).status, 2);
    EXPECT_EQ(kvbtool({"frobnicate"}).status, 2);
    EXPECT_EQ(kvbtool({"page", book, "x", "o.png"}).status, 2);
}

TEST_F(KvbtoolTest, BrokenBooksAreReportedAsFarAsTheyWereRead)
{
    const QString good = path(QStringLiteral("good.kvb"));
    ASSERT_EQ(kvbtool({"pack", "--title", "Kept", good, pages}).status, 0);
    QByteArray bytes = testsupport::readFile(good);
    const QString cut = put(QStringLiteral("cut.kvb"), bytes.left(bytes.size() - 10));

    const QJsonObject o = info(cut);
    EXPECT_EQ(last.status, 1);
    EXPECT_FALSE(o["valid"].toBool());
    EXPECT_EQ(o["attributes"].toArray().size(), 1);
    EXPECT_EQ(o["pages"].toArray().size(), 2); // the cut third page is not listed

    // A page that does not decode is reported by --decode and verify.
    const QString garbage = put(QStringLiteral("garbage.jpg"), QByteArray(100, 'g'));
    const QString bad = path(QStringLiteral("bad.kvb"));
    ASSERT_EQ(kvbtool({"pack", bad, garbage, pages + "/A.png"}).status, 0);
    const QJsonObject d = info(bad, true);
    EXPECT_TRUE(d["pages"].toArray()[0].toObject()["decodeError"].toBool()); // ".../garbage.jpg" first
    EXPECT_EQ(d["pages"].toArray()[1].toObject()["width"].toInt(), 30);

    const ToolRun v = kvbtool({"verify", good, cut, bad, path(QStringLiteral("missing.kvb"))});
    EXPECT_EQ(v.status, 1);
    const QStringList lines = v.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains("well formed, all 3 pages decode"));
    EXPECT_TRUE(lines[1].contains("not well formed"));
    EXPECT_TRUE(lines[2].contains("1 of 2 pages do not decode"));
    EXPECT_TRUE(lines[3].contains("cannot be opened"));

    // An input that cannot be used writes nothing.
    const QString none = path(QStringLiteral("none.kvb"));
    EXPECT_EQ(kvbtool({"pack", none, cut}).status, 1);
    EXPECT_EQ(kvbtool({"pack", none, put(QStringLiteral("empty.png"), {}), pages}).status, 1);
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(KvbtoolTest, UnpackReplacesLinksInTheOutputFolderInsteadOfWritingThroughThem)
{
    const QString book = path(QStringLiteral("u.kvb"));
    ASSERT_EQ(kvbtool({"pack", book, pages}).status, 0);
    const QString victim = put(QStringLiteral("victim.txt"), "precious");
    const QString out = path(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(QFile::link(victim, out + "/Img0000.png"));

    ASSERT_EQ(kvbtool({"unpack", book, out}).status, 0);
    EXPECT_EQ(testsupport::readFile(victim), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(out + "/Img0000.png").isSymLink());
    EXPECT_EQ(testsupport::readFile(out + "/Img0000.png"), testsupport::readFile(pages + "/A.png"));
}

TEST_F(KvbtoolTest, WritesOnAFullDiskExitOneAndLeaveNoFile)
{
    const QString book = path(QStringLiteral("t.kvb"));
    ASSERT_EQ(kvbtool({"pack", "--thumbnail", book, pages}).status, 0);
    const QString thumb = path(QStringLiteral("thumb.png"));
    const QString page = path(QStringLiteral("page.png"));
    const QString packed = path(QStringLiteral("packed.kvb"));
    const QList<QStringList> runs{{"thumbnail", book, thumb}, {"page", book, "1", page}, {"pack", packed, pages}};
    for (const QStringList &args : runs) {
        const ToolRun r = kvbtool(args, 64);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("cannot write") || r.err.contains("could not write")) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(args.last() == pages ? packed : args.last()));
    }
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("$KV*")}, QDir::Files | QDir::Hidden).isEmpty());
    // Without the limit the same runs write.
    EXPECT_EQ(kvbtool(runs[1]).status, 0);
    EXPECT_EQ(QImage(page).size(), QSize(30, 40));
}
