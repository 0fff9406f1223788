// kvbtool end to end: the built program run on generated files.
#include "archivefixtures.h"
#include "book/kvbfile.h"
#include "platform/filenames.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

using ToolRun = testsupport::ProgramRun;

// fileSizeLimit > 0 runs the tool as on a full disk (see runProgram).
ToolRun kvbtool(const QStringList &args, qint64 fileSizeLimit = 0, const QString &workingFolder = {})
{
    return testsupport::runProgram(QStringLiteral(KVBTOOL_PATH), args, fileSizeLimit, workingFolder);
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
    EXPECT_TRUE(lines[0].contains("well formed, all 3 pages read whole"));
    EXPECT_TRUE(lines[1].contains("not well formed"));
    EXPECT_TRUE(lines[2].contains("1 of 2 pages do not decode"));
    EXPECT_TRUE(lines[3].contains("cannot be opened"));
    const ToolRun decoded = kvbtool({"verify", "--decode", good, bad});
    EXPECT_EQ(decoded.status, 1);
    EXPECT_TRUE(decoded.out.contains("well formed, all 3 pages decode")) << decoded.out.toStdString();
    EXPECT_TRUE(decoded.out.contains("1 of 2 pages do not decode")) << decoded.out.toStdString();

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
    const QString cbz = path(QStringLiteral("t.cbz"));
    ASSERT_EQ(kvbtool({"export", book, cbz}).status, 0);
    const QList<QStringList> runs{{"thumbnail", book, thumb}, {"page", book, "1", page}, {"pack", packed, pages},
                                  {"export", book, path(QStringLiteral("full.cbz"))},
                                  {"import", cbz, path(QStringLiteral("imported.kvb"))}};
    for (const QStringList &args : runs) {
        const ToolRun r = kvbtool(args, 64);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("cannot write") || r.err.contains("could not write")) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(args.last() == pages ? packed : args.last()));
    }
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("$K*")}, QDir::Files | QDir::Hidden).isEmpty());
    // Without the limit the same runs write.
    EXPECT_EQ(kvbtool(runs[1]).status, 0);
    EXPECT_EQ(QImage(page).size(), QSize(30, 40));
}

TEST_F(KvbtoolTest, HelpAndVersionAnswerAndUnknownOptionsAreOneLine)
{
    for (const QStringList &args : {QStringList{"--help"}, QStringList{"pack", "--help"}, QStringList{"info", "-h"}}) {
        const ToolRun r = kvbtool(args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.startsWith("usage: kvbtool info")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("[--] OUT.kvb INPUT..."));
    }
    const ToolRun v = kvbtool({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, QStringLiteral("kvbtool 1.0.0.0\n"));

    const ToolRun bad = kvbtool({"info", "--bogus", pages});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, QStringLiteral("kvbtool: unknown option --bogus\n"));
    EXPECT_EQ(kvbtool({"--bogus"}).status, 2);
}

TEST_F(KvbtoolTest, DoubleDashMakesOptionLikeNamesFiles)
{
    // What a shell's "*" gives in a folder holding such names.
    put(QStringLiteral("--title.png"), testsupport::encode(testsupport::cornerPicture(8, 8), "PNG"));
    const ToolRun packed = kvbtool({"pack", "--spread", "--", "--output=x.kvb", "--title.png"}, 0, m_dir.path());
    ASSERT_EQ(packed.status, 0) << packed.err.toStdString();
    const ToolRun shownInfo = kvbtool({"info", "--json", "--", "--output=x.kvb"}, 0, m_dir.path());
    ASSERT_EQ(shownInfo.status, 0) << shownInfo.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(shownInfo.out.toUtf8()).object();
    EXPECT_TRUE(o["spread"].toBool());
    EXPECT_EQ(o["pages"].toArray().size(), 1);
    EXPECT_TRUE(o["attributes"].toArray().isEmpty());
    EXPECT_EQ(kvbtool({"verify", "--", "--output=x.kvb"}, 0, m_dir.path()).status, 0);
}

TEST_F(KvbtoolTest, InfoShowsControlCharactersEscapedAndNeverStopsAtANul)
{
    const QString title = QStringLiteral("Cut") + QChar(0) + QStringLiteral("\x1b[2Jafter");
    const QString book = put(QStringLiteral("hostile.kvb"),
                             testsupport::BookBytes()
                                 .header(1)
                                 .text(kvb::Title, title)
                                 .item(QStringLiteral("k\x1b"), QStringLiteral("v\x07"))
                                 .page(kvb::Png, testsupport::encode(testsupport::cornerPicture(4, 4), "PNG"))
                                 .bytes());
    const ToolRun r = kvbtool({"info", book});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Title: Cut\\u0000\\u001b[2Jafter\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("UserDefined: k\\u001b = v\\u0007\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("pages:\n")));
    EXPECT_FALSE(r.out.contains(QChar(0x1b)));
    // JSON stays JSON: the text itself, escaped by JSON's rules.
    const QJsonObject o = info(book);
    EXPECT_EQ(o["attributes"].toArray()[0].toObject()["text"].toString(), title);
}

namespace {

// Runs a shell script with $0 = kvbtool, so names can carry bytes that are
// not UTF-8 (printf's octal escapes); QProcess would re-encode them.
ToolRun shell(const QString &script, const QString &workingFolder)
{
    QProcess p;
    p.setWorkingDirectory(workingFolder);
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, QStringLiteral(KVBTOOL_PATH)});
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST_F(KvbtoolTest, NamesThatAreNotUtf8AreReportedAndNothingIsWritten)
{
    // A folder holding such a picture: packing it would lose a page.
    const auto cleanup = qScopeGuard([this] { testsupport::removeRawNamedEntries(pages); });
    ASSERT_TRUE(testsupport::writeRawNamedFile(pages, "bad\xff.png", testsupport::readFile(pages + "/A.png")));
    const ToolRun folder = kvbtool({"pack", path(QStringLiteral("f.kvb")), pages});
    EXPECT_EQ(folder.status, 1);
    EXPECT_TRUE(folder.err.contains(QStringLiteral("pages/bad\\xff.png"))) << folder.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("f.kvb"))));

    // Such an input or output name on the command line.
    const QString good = path(QStringLiteral("good.kvb"));
    ASSERT_EQ(kvbtool({"pack", good, pages + "/A.png"}).status, 0);
    const ToolRun input = shell(QStringLiteral("\"$0\" pack in.kvb \"pages/x$(printf '\\376').jpg\" pages/A.png"), m_dir.path());
    EXPECT_EQ(input.status, 1);
    EXPECT_TRUE(input.err.contains(QStringLiteral("pages/x\\xfe.jpg"))) << input.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("in.kvb"))));
    const ToolRun output = shell(QStringLiteral("\"$0\" pack \"out$(printf '\\376').kvb\" pages/A.png"), m_dir.path());
    EXPECT_EQ(output.status, 1);
    const ToolRun unpacked = shell(QStringLiteral("\"$0\" unpack good.kvb \"dir$(printf '\\376')\""), m_dir.path());
    EXPECT_EQ(unpacked.status, 1);
    const ToolRun page = shell(QStringLiteral("\"$0\" page good.kvb 1 \"p$(printf '\\376').png\""), m_dir.path());
    EXPECT_EQ(page.status, 1);
    // Nothing was written under an altered name, nor under the name itself.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"good.kvb", "pages"}));
    const QList<platform::UnrepresentableEntry> raw = platform::unrepresentableEntries(m_dir.path());
    EXPECT_TRUE(raw.isEmpty());
}

TEST_F(KvbtoolTest, PagesCutShortAreReportedDamagedNotDecoded)
{
    // A few hundred bytes claiming 20000 x 20000 pixels, and a real page cut
    // off near its end: both damaged; the second still shows.
    QDir().mkpath(path(QStringLiteral("cut")));
    const QByteArray whole = testsupport::encode(testsupport::cornerPicture(64, 256), "JPG");
    put(QStringLiteral("cut/a.jpg"), testsupport::jpegClaiming(QSize(20000, 20000), 8));
    put(QStringLiteral("cut/b.jpg"), whole.left(whole.size() * 9 / 10));
    put(QStringLiteral("cut/c.jpg"), whole.chopped(2)); // only the end marker missing
    const QString book = path(QStringLiteral("cut.kvb"));
    ASSERT_EQ(kvbtool({"pack", book, path(QStringLiteral("cut"))}).status, 0);

    const QJsonArray p = info(book, true)["pages"].toArray();
    ASSERT_EQ(p.size(), 3);
    EXPECT_TRUE(p[0].toObject()["damaged"].toBool());
    EXPECT_TRUE(p[0].toObject()["decodeError"].toBool());
    EXPECT_TRUE(p[1].toObject()["damaged"].toBool());
    EXPECT_EQ(p[1].toObject()["height"].toInt(), 256);
    EXPECT_FALSE(p[2].toObject().contains("damaged"));
    EXPECT_EQ(p[2].toObject()["height"].toInt(), 256);

    // Cut short pages are found by reading alone, as by decoding.
    for (const char *mode : {"--decode", "--"}) {
        const ToolRun v = kvbtool({"verify", mode, book});
        EXPECT_EQ(v.status, 1);
        EXPECT_TRUE(v.out.contains("2 of 3 pages are damaged (first: page 1)")) << v.out.toStdString();
        EXPECT_FALSE(v.out.contains("do not decode")) << v.out.toStdString();
    }
    // Data cut short inside a structure that ends properly is found by
    // decoding only.
    QDir().mkpath(path(QStringLiteral("ended")));
    put(QStringLiteral("ended/a.jpg"), testsupport::jpegClaiming(QSize(2000, 2000), 8) + "\xFF\xD9");
    const QString ended = path(QStringLiteral("ended.kvb"));
    ASSERT_EQ(kvbtool({"pack", ended, path(QStringLiteral("ended"))}).status, 0);
    EXPECT_EQ(kvbtool({"verify", ended}).status, 0);
    EXPECT_EQ(kvbtool({"verify", "--decode", ended}).status, 1);
}

TEST_F(KvbtoolTest, ExportThenImportGivesBackEveryPageByteForByteAndTheAttributes)
{
    const QString book = path(QStringLiteral("book.kvb"));
    ASSERT_EQ(kvbtool({"pack", "--cover", "--bind-right", "--title", "T", "--subtitle", "Saga #2", "--author", "A1",
                       "--author", "A2", "--publisher", "P1", "--circle", "C", "--date", "2024-2-29", "--item",
                       "Genre=SF", "--item", "My item=x", book, pages})
                  .status,
              0);
    const QString cbz = path(QStringLiteral("book.cbz"));
    const ToolRun out = kvbtool({"export", book, cbz});
    ASSERT_EQ(out.status, 0) << out.err.toStdString();
    EXPECT_EQ(out.errLines(), (QStringList{"kvbtool: " + cbz + ": circle C has no place in ComicInfo.xml and was left out",
                                           "kvbtool: " + cbz + ": item My item has no place in ComicInfo.xml and was left out"}));
    // Stored: every page's bytes stand in the archive as they are.
    const QByteArray zip = testsupport::readFile(cbz);
    const QStringList originals{pages + "/A.png", pages + "/a.bmp", pages + "/b.jpg"};
    for (const char *name : {"ComicInfo.xml", "0001.png", "0002.bmp", "0003.jpg"})
        EXPECT_TRUE(zip.contains(name)) << name;
    for (const QString &original : originals)
        EXPECT_TRUE(zip.contains(testsupport::readFile(original))) << original.toStdString();

    const QString back = path(QStringLiteral("back.kvb"));
    const ToolRun in = kvbtool({"import", "--spread", cbz, back});
    ASSERT_EQ(in.status, 0) << in.err.toStdString();
    EXPECT_EQ(in.errLines(), QStringList{"kvbtool: " + cbz + ": ComicInfo.xml: left out (attributes, not a page)"});
    const QJsonObject o = info(back);
    // Right binding comes back from Manga; the cover is the import's own flag.
    EXPECT_EQ(o["layoutFlags"].toInt(), kvb::BindR | kvb::PageSpread);
    QStringList attrs;
    for (const QJsonValue &v : o["attributes"].toArray()) {
        const QJsonObject a = v.toObject();
        attrs << (a["type"].toInt() == 6 ? QStringLiteral("6:%1-%2-%3").arg(a["year"].toInt()).arg(a["month"].toInt()).arg(a["day"].toInt())
                  : a["type"].toInt() == 7 ? QStringLiteral("7:%1=%2").arg(a["name"].toString(), a["value"].toString())
                                           : QStringLiteral("%1:%2").arg(a["type"].toInt()).arg(a["text"].toString()));
    }
    EXPECT_EQ(attrs, (QStringList{"1:T", "2:Saga #2", "3:A1", "4:P1", "6:2024-2-29", "3:A2", "7:Genre=SF"}));
    kvb::PageList read;
    ASSERT_TRUE(kvb::KVBFile::readBook(back, nullptr, nullptr, &read));
    ASSERT_EQ(read.size(), 3u);
    for (size_t i = 0; i < read.size(); ++i) {
        QByteArray bytes;
        ASSERT_TRUE(kvb::KVBFile::readPageData(read[i], [&](const char *data, size_t size) {
            bytes.append(data, qsizetype(size));
            return true;
        }));
        EXPECT_EQ(bytes, testsupport::readFile(originals[int(i)])) << i;
    }
    EXPECT_EQ(kvbtool({"import", cbz}).status, 2);
}

TEST_F(KvbtoolTest, HostileArchivesWriteNothingAnywhere)
{
    using archivefixtures::ZipBytes;
    const QByteArray jpeg = testsupport::readFile(pages + "/b.jpg");
    ZipBytes::Entry locked = ZipBytes::stored("1.jpg", jpeg);
    locked.flags = 1;
    // 16 MiB of zeros behind a claim of 1000 bytes, beside a good page.
    const ZipBytes bomb = ZipBytes().add(ZipBytes::stored("0.jpg", jpeg)).add(
        ZipBytes::deflated("1.jpg", QByteArray(16 << 20, '\0'), 1000));
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {ZipBytes().add(ZipBytes::stored("1.jpg", jpeg)).add(ZipBytes::stored("../evil.jpg", jpeg)).bytes(),
         "never followed: ../evil.jpg"},
        {ZipBytes().add(locked).bytes(), "encrypted archives are not supported"},
        {bomb.bytes(), "the archive is damaged: 1.jpg"},
        {bomb.bytes().chopped(30), "the archive is damaged"},
    };
    const QString work = path(QStringLiteral("work"));
    ASSERT_TRUE(QDir().mkpath(work));
    for (const auto &[bytes, reason] : cases) {
        const QString archive = put(QStringLiteral("work/in.cbz"), bytes);
        const ToolRun r = kvbtool({"import", archive, path(QStringLiteral("work/out.kvb"))});
        EXPECT_EQ(r.status, 1) << reason.toStdString();
        EXPECT_TRUE(r.err.contains(reason)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("nothing was written")) << r.err.toStdString();
        EXPECT_EQ(QDir(work).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"in.cbz"});
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("evil.jpg"))));
    }
    // No run held more than a few of its own buffers.
    struct rusage usage {};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 200 * 1024) << "kB";
}
