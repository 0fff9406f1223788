// Every writer of the suite, run with one file-system call below its folder
// failing (EIO, then ENOSPC), for every call the run makes: a run that reports
// success leaves every output whole; one that reports failure leaves each old
// file as it was (or none), no temporary file, and every source it did not
// finish with.
#include "book/kvbfile.h"
#include "picture/picture.h"
#include "pdfwriter.h"
#include "testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>

namespace {

// Path below the run's folder -> bytes; a folder's path ends with '/'.
using Files = QMap<QString, QByteArray>;

Files snapshot(const QString &root)
{
    Files files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isDir())
            files.insert(name + u'/', QByteArray());
        else
            files.insert(name, testsupport::readFile(path));
    }
    return files;
}

void restore(const QString &root, const Files &files)
{
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString path = root + u'/' + it.key();
        if (it.key().endsWith(u'/')) {
            QDir().mkpath(path);
        } else {
            testsupport::writeFile(path, it.value());
            // One time for every run, so outputs that carry their sources'
            // times (a CBZ's entries) come out the same in each.
            QFile file(path);
            if (file.open(QIODevice::ReadWrite))
                file.setFileTime(QDateTime::fromSecsSinceEpoch(1600000000), QFileDevice::FileModificationTime);
        }
    }
}

struct FaultRun {
    int status = -1; // -1: crashed or hung
    QString call;    // the call that was made to fail, empty when none was
    QString path;
    QString err;
};

// A writer as the campaign runs it: its program and words, run in its
// folder, and what it finds there.
struct Writer {
    QString program;
    QStringList arguments;
    std::function<void(const QString &root)> prepare = [](const QString &) {};
    // Checks the outputs of a run without faults: books and pictures whole.
    std::function<void(const QString &root)> validate = [](const QString &) {};
    // One output: a failed run must leave the old one.
    bool allOrNothing = false;
    // The outputs that must be complete before `source` may be gone (a
    // folder's path ending with '/' stands for everything in it).
    std::function<QStringList(const QString &source)> outputsOf = [](const QString &) { return QStringList(); };
};

FaultRun runWriter(const Writer &w, const QString &root, long at, const char *error, const QString &calls = {})
{
    const QString report = root + QStringLiteral(".fault");
    QFile::remove(report);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAULTINJECT_PATH));
    env.insert(QStringLiteral("VELLORAN_FAULT_FOLDER"), root);
    env.insert(QStringLiteral("VELLORAN_FAULT_AT"), QString::number(at));
    env.insert(QStringLiteral("VELLORAN_FAULT_ERROR"), QString::fromLatin1(error));
    env.insert(QStringLiteral("VELLORAN_FAULT_REPORT"), report);
    if (!calls.isEmpty())
        env.insert(QStringLiteral("VELLORAN_FAULT_CALLS"), calls);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // A sanitized build's runtime would refuse a library loaded before it.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0:detect_leaks=0"));

    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(root);
    process.start(w.program, w.arguments);
    FaultRun run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("did not finish");
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.err = QString::fromUtf8(process.readAllStandardError()).trimmed();
    const QString line = QString::fromUtf8(testsupport::readFile(report)).trimmed();
    run.call = line.section(u' ', 0, 0);
    run.path = line.section(u' ', 1);
    QFile::remove(report);
    return run;
}

QString describe(const Files &files, const QString &path)
{
    return files.contains(path) ? QStringLiteral("%1 bytes").arg(files[path].size()) : QStringLiteral("absent");
}

// What a run with a fault left, against the files before any run and after
// a run without faults. Returns the faults found, one a line.
QString judge(const Writer &w, const QString &root, const Files &before, const Files &after, const Files &now,
              const FaultRun &run)
{
    QStringList broken;
    if (run.status < 0)
        return QStringLiteral("crashed or hung: ") + run.err;
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (!before.contains(it.key()) && !after.contains(it.key()))
            broken << QStringLiteral("%1 left behind").arg(it.key());
    }
    // Only a flush of the folder, or of a file by its final name, comes after
    // the new file took its place: the run then reports it with the new file
    // there.
    const QString faulted = QDir(root).relativeFilePath(run.path);
    const bool afterRename = (run.call == QLatin1String("fsync") || run.call == QLatin1String("fdatasync"))
                             && (QFileInfo(run.path).isDir() || after.contains(faulted));
    QStringList paths = before.keys() + after.keys();
    paths.removeDuplicates();
    for (const QString &path : paths) {
        const bool isOld = now.contains(path) == before.contains(path) && now.value(path) == before.value(path);
        const bool isNew = now.contains(path) == after.contains(path) && now.value(path) == after.value(path);
        if (run.status == 0) {
            if (!isNew)
                broken << QStringLiteral("success, but %1 is %2 instead of %3")
                              .arg(path, describe(now, path), describe(after, path));
            continue;
        }
        if (isOld)
            continue;
        if (!isNew) {
            broken << QStringLiteral("failure, and %1 is %2: neither the old %3 nor the new %4")
                          .arg(path, describe(now, path), describe(before, path), describe(after, path));
        } else if (!after.contains(path)) {
            // A source the run removes: only once what it became is whole.
            const QStringList outputs = w.outputsOf(path);
            if (outputs.isEmpty())
                broken << QStringLiteral("failure, and the source %1 is gone").arg(path);
            for (auto it = after.begin(); it != after.end(); ++it) {
                const bool made = std::any_of(outputs.begin(), outputs.end(), [&](const QString &output) {
                    return it.key() == output || (output.endsWith(u'/') && it.key().startsWith(output));
                });
                if (made && (!now.contains(it.key()) || now.value(it.key()) != it.value()))
                    broken << QStringLiteral("%1 is gone, but %2 is not whole").arg(path, it.key());
            }
        } else if (w.allOrNothing && !afterRename) {
            broken << QStringLiteral("failure, but %1 was replaced").arg(path);
        }
    }
    return broken.join(u'\n');
}

struct Tally {
    int faults = 0;
    int runs = 0;
};

Tally g_tally[2]; // EIO, ENOSPC
constexpr const char *kErrors[2] = {"EIO", "ENOSPC"};

struct TallyAtExit {
    ~TallyAtExit()
    {
        if (g_tally[0].runs + g_tally[1].runs > 0)
            std::cout << "[ campaign ] " << g_tally[0].faults << " EIO and " << g_tally[1].faults
                      << " ENOSPC faults injected in " << g_tally[0].runs + g_tally[1].runs << " runs\n";
    }
} g_tallyAtExit;

// Runs `w` once without faults, then once for every call it makes below its
// folder with that call failing, for each error.
void campaign(const Writer &w)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("w"));
    QDir().mkpath(root);
    w.prepare(root);
    const Files before = snapshot(root);
    restore(root, before);
    const FaultRun clean = runWriter(w, root, 0, "EIO");
    ASSERT_EQ(clean.status, 0) << clean.err.toStdString();
    const Files after = snapshot(root);
    w.validate(root);
    ASSERT_NE(before, after) << "the run wrote nothing";

    QElapsedTimer timer;
    timer.start();
    int faults[2] = {0, 0};
    for (int e = 0; e < 2; ++e) {
        for (long n = 1;; ++n) {
            restore(root, before);
            const FaultRun run = runWriter(w, root, n, kErrors[e]);
            ++g_tally[e].runs;
            if (run.call.isEmpty()) {
                // The run made fewer calls than n: nothing failed.
                EXPECT_EQ(run.status, 0) << run.err.toStdString();
                const QString broken = judge(w, root, before, after, snapshot(root), run);
                EXPECT_TRUE(broken.isEmpty()) << broken.toStdString();
                break;
            }
            ++g_tally[e].faults;
            ++faults[e];
            const QString broken = judge(w, root, before, after, snapshot(root), run);
            EXPECT_TRUE(broken.isEmpty()) << kErrors[e] << " on call " << n << " (" << run.call.toStdString() << " "
                                          << run.path.toStdString() << "), exit " << run.status << ":\n"
                                          << broken.toStdString() << "\n" << run.err.toStdString();
            if (n > 500) {
                ADD_FAILURE() << "more than 500 calls";
                break;
            }
        }
    }
    std::cout << "[ campaign ] " << QFileInfo(w.program).fileName().toStdString() << " "
              << w.arguments.join(u' ').toStdString() << ": " << faults[0] << " EIO and " << faults[1]
              << " ENOSPC faults, " << timer.elapsed() << " ms\n";
}

// ---- Inputs ----

QByteArray jpeg(int seed, int width = 48, int height = 64)
{
    QImage image = testsupport::cornerPicture(width, height);
    image.setPixelColor(width / 2, height / 2, QColor::fromHsv(seed * 40 % 360, 200, 200));
    return testsupport::encode(image, "JPG", 90);
}

QByteArray png(int seed)
{
    QImage image = testsupport::cornerPicture(40, 30);
    image.setPixelColor(5, 5, QColor::fromHsv(seed * 40 % 360, 200, 200));
    return testsupport::encode(image, "PNG");
}

void put(const QString &root, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(root + u'/' + name).path());
    ASSERT_TRUE(testsupport::writeFile(root + u'/' + name, bytes));
}

// A book of `pages` as kvbtool packs it.
QByteArray book(const QList<QByteArray> &pages)
{
    QTemporaryDir dir;
    QStringList inputs;
    for (int i = 0; i < pages.size(); ++i) {
        inputs << dir.filePath(QStringLiteral("%1.jpg").arg(i));
        testsupport::writeFile(inputs.back(), pages[i]);
    }
    const QString out = dir.filePath(QStringLiteral("b.kvb"));
    const testsupport::ProgramRun run =
        testsupport::runProgram(QStringLiteral(KVBTOOL_PATH), QStringList{"pack", "--thumbnail", out} + inputs);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return testsupport::readFile(out);
}

// The book at `path` walks and holds exactly `pages`.
void expectBook(const QString &path, const QList<QByteArray> &pages)
{
    kvb::PageList read;
    ASSERT_TRUE(kvb::KVBFile::readBook(path, nullptr, nullptr, &read)) << path.toStdString();
    ASSERT_EQ(read.size(), size_t(pages.size())) << path.toStdString();
    const QByteArray bytes = testsupport::readFile(path);
    for (size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(bytes.mid(qsizetype(read[i].offset), qsizetype(read[i].size)), pages[qsizetype(i)]);
}

// The picture at `path` decodes whole.
void expectPicture(const QString &path)
{
    QByteArray bytes = testsupport::readFile(path);
    QImage image;
    kvb::LoadOptions options;
    bool damaged = false;
    options.damaged = &damaged;
    EXPECT_TRUE(kvb::decodePagePicture(bytes, kvb::pageKindFromExtension(path), image, options)) << path.toStdString();
    EXPECT_FALSE(damaged) << path.toStdString();
}

void expectPictures(const QString &folder, int count)
{
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    EXPECT_EQ(files.size(), count) << folder.toStdString();
    for (const QFileInfo &file : files)
        expectPicture(file.filePath());
}

QString kvbtool() { return QStringLiteral(KVBTOOL_PATH); }

const QList<QByteArray> kPages{jpeg(1), jpeg(2)};
const QByteArray kOldBook = book({jpeg(7, 30, 30)});

} // namespace

// The book writer lost its buffer when a write failed and took the failure
// for "nothing copied in the kernel": the pack said success and the old book
// was replaced by page data without a header.
TEST(WriteFaults, PackOverABookKeepsItWhenAWriteFails)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("w"));
    long n = 1;
    for (;; ++n) {
        SCOPED_TRACE(n);
        QDir(root).removeRecursively();
        put(root, QStringLiteral("in/a.jpg"), kPages[0]);
        put(root, QStringLiteral("in/b.jpg"), kPages[1]);
        put(root, QStringLiteral("out.kvb"), kOldBook);
        Writer pack{.program = kvbtool(), .arguments = {"pack", "out.kvb", "in"}};
        const FaultRun run = runWriter(pack, root, n, "EIO", QStringLiteral("write"));
        if (run.call.isEmpty())
            break;
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(testsupport::readFile(root + QStringLiteral("/out.kvb")), kOldBook);
    }
    EXPECT_GT(n, 2); // the head and each page's record head
}

#ifdef HARVESTER_PATH
// The same fault in Harvester: the folder whose book failed was deleted.
TEST(WriteFaults, HarvesterKeepsAFolderWhoseBookFailed)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("w"));
    put(root, QStringLiteral("books/Vol 1/a.jpg"), kPages[0]);
    put(root, QStringLiteral("books/Vol 1/b.jpg"), kPages[1]);
    Writer harvest{.program = QStringLiteral(HARVESTER_PATH), .arguments = {"--run", "2", "--post", "2", "--yes", "books"}};
    const FaultRun run = runWriter(harvest, root, 1, "ENOSPC", QStringLiteral("write"));
    ASSERT_EQ(run.call, QStringLiteral("write"));
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(testsupport::readFile(root + QStringLiteral("/books/Vol 1/a.jpg")), kPages[0]);
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/books/Vol 1.kvb")));
}
#endif

TEST(WriteFaultCampaign, KvbtoolPack)
{
    campaign({.program = kvbtool(),
              .arguments = {"pack", "--thumbnail", "--title", "T", "out.kvb", "in"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("in/a.jpg"), kPages[0]);
                      put(root, QStringLiteral("in/b.jpg"), kPages[1]);
                      put(root, QStringLiteral("out.kvb"), kOldBook);
                  },
              .validate = [](const QString &root) { expectBook(root + QStringLiteral("/out.kvb"), kPages); },
              .allOrNothing = true});
}

TEST(WriteFaultCampaign, KvbtoolUnpack)
{
    campaign({.program = kvbtool(),
              .arguments = {"unpack", "b.kvb", "out"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("b.kvb"), book(kPages));
                      put(root, QStringLiteral("out/Img0001.jpg"), jpeg(9));
                  },
              .validate =
                  [](const QString &root) {
                      EXPECT_EQ(testsupport::readFile(root + QStringLiteral("/out/Img0000.jpg")), kPages[0]);
                      EXPECT_EQ(testsupport::readFile(root + QStringLiteral("/out/Img0001.jpg")), kPages[1]);
                  }});
}

TEST(WriteFaultCampaign, KvbtoolPageAndThumbnail)
{
    for (const QStringList &arguments : {QStringList{"page", "b.kvb", "2", "out.png"},
                                         QStringList{"thumbnail", "b.kvb", "out.png"},
                                         QStringList{"thumbnail", "--size", "32", "b.kvb", "out.png"}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        campaign({.program = kvbtool(),
                  .arguments = arguments,
                  .prepare =
                      [](const QString &root) {
                          put(root, QStringLiteral("b.kvb"), book(kPages));
                          put(root, QStringLiteral("out.png"), png(3));
                      },
                  .validate = [](const QString &root) { expectPicture(root + QStringLiteral("/out.png")); },
                  .allOrNothing = true});
    }
}

TEST(WriteFaultCampaign, KvbtoolExportAndImport)
{
    // A CBZ over an older one, and a book from it over an older book.
    campaign({.program = kvbtool(),
              .arguments = {"export", "b.kvb", "out.cbz"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("b.kvb"), book(kPages));
                      put(root, QStringLiteral("out.cbz"), "PK\x05\x06" + QByteArray(18, '\0'));
                  },
              .validate =
                  [](const QString &root) {
                      const QByteArray zip = testsupport::readFile(root + QStringLiteral("/out.cbz"));
                      EXPECT_TRUE(zip.startsWith("PK") && zip.contains(kPages[0]) && zip.contains(kPages[1]));
                  },
              .allOrNothing = true});
    campaign({.program = kvbtool(),
              .arguments = {"import", "in.cbz", "out.kvb"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("b.kvb"), book(kPages));
                      ASSERT_EQ(testsupport::runProgram(kvbtool(), {"export", root + QStringLiteral("/b.kvb"),
                                                                    root + QStringLiteral("/in.cbz")}).status,
                                0);
                      QFile::remove(root + QStringLiteral("/b.kvb"));
                      put(root, QStringLiteral("out.kvb"), kOldBook);
                  },
              .validate = [](const QString &root) { expectBook(root + QStringLiteral("/out.kvb"), kPages); },
              .allOrNothing = true});
}

#ifdef RETONER_PATH
TEST(WriteFaultCampaign, RetonerBatchAndDefaultSettings)
{
    campaign({.program = QStringLiteral(RETONER_PATH),
              .arguments = {"--batch", "--output", "out", "--", "in/a.jpg", "in/b.png"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("in/a.jpg"), kPages[0]);
                      put(root, QStringLiteral("in/b.png"), png(1));
                      put(root, QStringLiteral("out/a.jpg"), jpeg(5));
                  },
              .validate = [](const QString &root) { expectPictures(root + QStringLiteral("/out"), 2); }});
    campaign({.program = QStringLiteral(RETONER_PATH),
              .arguments = {"--write-default-settings", "s.tnp"},
              .prepare = [](const QString &root) { put(root, QStringLiteral("s.tnp"), "old settings\n"); },
              .allOrNothing = true});
}
#endif

#ifdef RETOUCH_PATH
TEST(WriteFaultCampaign, RetouchApply)
{
    campaign({.program = QStringLiteral(RETOUCH_PATH),
              .arguments = {"--apply", "p.csv", "--output", "out", "in/a.jpg", "in/b.png"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("in/a.jpg"), kPages[0]);
                      put(root, QStringLiteral("in/b.png"), png(1));
                      put(root, QStringLiteral("out/b.png"), png(4));
                      put(root, QStringLiteral("p.csv"), "column,all,r,g,b\n3,10,0,0,0\n");
                  },
              .validate = [](const QString &root) { expectPictures(root + QStringLiteral("/out"), 2); }});
}
#endif

#ifdef HARVESTER_PATH
TEST(WriteFaultCampaign, HarvesterFoldersAndBooks)
{
    // Image folders to books, the folders deleted.
    campaign({.program = QStringLiteral(HARVESTER_PATH),
              .arguments = {"--run", "2", "--post", "2", "--yes", "--thumbnail", "books"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("books/A/a.jpg"), kPages[0]);
                      put(root, QStringLiteral("books/A/b.jpg"), kPages[1]);
                      put(root, QStringLiteral("books/B/c.jpg"), jpeg(3));
                      put(root, QStringLiteral("books/B.kvb"), kOldBook);
                  },
              .validate =
                  [](const QString &root) {
                      expectBook(root + QStringLiteral("/books/A.kvb"), kPages);
                      expectBook(root + QStringLiteral("/books/B.kvb"), {jpeg(3)});
                  },
              .outputsOf = [](const QString &source) { return QStringList{source.section(u'/', 0, 1) + ".kvb"}; }});
    // Books to image folders, the books deleted.
    campaign({.program = QStringLiteral(HARVESTER_PATH),
              .arguments = {"--run", "3", "--post", "2", "--yes", "books"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("books/A.kvb"), book(kPages));
                      put(root, QStringLiteral("books/B.kvb"), book({jpeg(3)}));
                  },
              .validate =
                  [](const QString &root) {
                      EXPECT_EQ(testsupport::readFile(root + QStringLiteral("/books/A/Img0001.jpg")), kPages[1]);
                  },
              .outputsOf =
                  [](const QString &source) { return QStringList{source.chopped(4) + u'/'}; }});
}

TEST(WriteFaultCampaign, HarvesterArchives)
{
    // Archives to books, the archives deleted; one book over an older one.
    campaign({.program = QStringLiteral(HARVESTER_PATH),
              .arguments = {"--run", "4", "--post", "2", "--yes", "--thumbnail", "books"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("A.kvb"), book(kPages));
                      put(root, QStringLiteral("B.kvb"), book({jpeg(3)}));
                      QDir().mkpath(root + QStringLiteral("/books"));
                      for (const char *name : {"A", "B"}) {
                          const QString base = root + u'/' + QLatin1String(name);
                          ASSERT_EQ(testsupport::runProgram(kvbtool(), {"export", base + QStringLiteral(".kvb"),
                                                                        root + QStringLiteral("/books/") + QLatin1String(name) + QStringLiteral(".cbz")})
                                        .status,
                                    0);
                          QFile::remove(base + QStringLiteral(".kvb"));
                      }
                      put(root, QStringLiteral("books/B.kvb"), kOldBook);
                  },
              .validate =
                  [](const QString &root) {
                      expectBook(root + QStringLiteral("/books/A.kvb"), kPages);
                      expectBook(root + QStringLiteral("/books/B.kvb"), {jpeg(3)});
                  },
              .outputsOf = [](const QString &source) { return QStringList{source.chopped(4) + ".kvb"}; }});
}

TEST(WriteFaultCampaign, HarvesterPdfs)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
        GTEST_SKIP() << "pdfimages is not installed";
    campaign({.program = QStringLiteral(HARVESTER_PATH),
              .arguments = {"--run", "0", "--post", "2", "--yes", "--work", "work", "pdfs"},
              .prepare =
                  [](const QString &root) {
                      QDir().mkpath(root + QStringLiteral("/work"));
                      for (int i = 0; i < 2; ++i) {
                          const auto picture = pdfwriter::jpegPicture(kPages[i]);
                          ASSERT_TRUE(picture);
                          QDir().mkpath(root + QStringLiteral("/pdfs"));
                          ASSERT_TRUE(pdfwriter::writePdf(root + QStringLiteral("/pdfs/%1.pdf").arg(i), {*picture}));
                      }
                  },
              .validate =
                  [](const QString &root) {
                      expectBook(root + QStringLiteral("/pdfs/0.kvb"), {kPages[0]});
                      expectBook(root + QStringLiteral("/pdfs/1.kvb"), {kPages[1]});
                  },
              .outputsOf = [](const QString &source) { return QStringList{source.chopped(4) + ".kvb"}; }});
}
#endif

// The window programs' saves, through their libraries.
#ifdef BINDERYDRIVER_PATH
TEST(WriteFaultCampaign, BinderySaveAndExport)
{
    campaign({.program = QStringLiteral(BINDERYDRIVER_PATH),
              .arguments = {"save", "b.kvb", "in/a.jpg", "in/b.jpg"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("in/a.jpg"), kPages[0]);
                      put(root, QStringLiteral("in/b.jpg"), kPages[1]);
                      put(root, QStringLiteral("b.kvb"), kOldBook);
                  },
              .validate = [](const QString &root) { expectBook(root + QStringLiteral("/b.kvb"), kPages); },
              .allOrNothing = true});
    campaign({.program = QStringLiteral(BINDERYDRIVER_PATH),
              .arguments = {"export", "b.kvb", "out"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("b.kvb"), book(kPages));
                      put(root, QStringLiteral("out/0002.jpg"), jpeg(9));
                  },
              .validate = [](const QString &root) { expectPictures(root + QStringLiteral("/out"), 2); }});
}
#endif

#ifdef RETOUCHDRIVER_PATH
TEST(WriteFaultCampaign, RetouchSave)
{
    campaign({.program = QStringLiteral(RETOUCHDRIVER_PATH),
              .arguments = {"save", "a.png", "a.png"},
              .prepare = [](const QString &root) { put(root, QStringLiteral("a.png"), png(2)); },
              .validate = [](const QString &root) { expectPicture(root + QStringLiteral("/a.png")); },
              .allOrNothing = true});
}
#endif

#ifdef RETONERDRIVER_PATH
TEST(WriteFaultCampaign, RetonerWindowConversion)
{
    campaign({.program = QStringLiteral(RETONERDRIVER_PATH),
              .arguments = {"convert", "out", "in/a.jpg"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("in/a.jpg"), kPages[0]);
                      put(root, QStringLiteral("config/Velloran/Retoner.ini"), "[Settings]\nImageFolder=/old\n");
                      put(root, QStringLiteral("data/Velloran/Retoner/$LastSetting.tnp"), "old\n");
                      QDir().mkpath(root + QStringLiteral("/out"));
                  },
              .validate = [](const QString &root) { expectPictures(root + QStringLiteral("/out"), 1); }});
}
#endif

#ifdef LEAFREADERDRIVER_PATH
TEST(WriteFaultCampaign, ResumeList)
{
    campaign({.program = QStringLiteral(LEAFREADERDRIVER_PATH),
              .arguments = {"resume", "b.kvb"},
              .prepare =
                  [](const QString &root) {
                      put(root, QStringLiteral("b.kvb"), kOldBook);
                      put(root, QStringLiteral("config/Velloran/Leafreader.ini"), "[Settings]\nSortModeF=1\n");
                  },
              .allOrNothing = true});
}
#endif
