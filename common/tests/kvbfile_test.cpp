#include "book/kvbfile.h"
#include "book/pagecollect.h"
#include "platform/paths.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

using namespace kvb;
using platform::fileNameOf;
using testsupport::BookBytes;

static QByteArray utf16(const QString &s) { return testsupport::utf16le(s); }

namespace {

class KvbTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString put(const QString &name, const QByteArray &bytes) const
    {
        const QString p = path(name);
        EXPECT_TRUE(testsupport::writeFile(p, bytes));
        return p;
    }
    QStringList leftovers() const
    {
        return QDir(m_dir.path()).entryList({QStringLiteral("$KV*")}, QDir::Files);
    }
    QByteArray jpeg() const { return testsupport::encode(testsupport::cornerPicture(40, 60), "JPG"); }
    QByteArray png() const { return testsupport::encode(testsupport::cornerPicture(30, 20), "PNG"); }

    QTemporaryDir m_dir;
};

struct Read {
    bool ok = false;
    BookHeader header;
    AttributeList attributes;
    PageList pages;
};

Read readAll(const QString &path)
{
    Read r;
    r.ok = KVBFile::readBook(path, &r.header, &r.attributes, &r.pages);
    return r;
}

AttributeEntry text(uint8_t type, const QString &t)
{
    AttributeEntry e;
    e.type = type;
    e.text = t;
    return e;
}

} // namespace

TEST_F(KvbTest, BooksWithoutPageRecordsAreNotBooks)
{
    EXPECT_FALSE(readAll(put("h.kvb", BookBytes().header(0).bytes())).ok);
    EXPECT_FALSE(readAll(put("a.kvb", BookBytes().header(0).text(Title, "T").date(2020, 1, 2).bytes())).ok);
    EXPECT_FALSE(readAll(put("short.kvb", QByteArray("\x05KVB\x01", 5))).ok);
    EXPECT_FALSE(readAll(put("magic.kvb", QByteArray(BookBytes().header(1).page(Jpeg, jpeg()).bytes()).replace(1, 1, "X"))).ok);
    EXPECT_FALSE(readAll(path("missing.kvb")).ok);
    // A thumbnail flag whose block is missing ends in the "attribute section".
    EXPECT_FALSE(readAll(put("t.kvb", BookBytes().header(1, 0, 1).bytes())).ok);
}

TEST_F(KvbTest, OtherPageKindsAreSkippedAndNotCounted)
{
    const QString p = put("k.kvb", BookBytes().header(2).page(0x80, "aaa").page(0x83, "bbbb").page(0x81, "cc").bytes());
    const Read r = readAll(p);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(r.pages[0].kind, Jpeg);
    EXPECT_EQ(r.pages[0].offset, 8u + 5u);
    EXPECT_EQ(r.pages[0].size, 3u);
    EXPECT_EQ(r.pages[1].kind, Png);
    EXPECT_EQ(r.pages[1].offset, 8u + 8u + 9u + 5u);
    EXPECT_EQ(r.pages[1].sourcePath, p);

    // After the first page every record is a page head, even one that looks
    // like an attribute type.
    const Read low = readAll(put("low.kvb", BookBytes().header(2).page(0x80, "a").page(0x01, "zz").page(0x82, "b").bytes()));
    EXPECT_TRUE(low.ok);
    EXPECT_EQ(low.pages.size(), 2u);

    // A pageCount that counted the skipped record makes the book fail.
    EXPECT_FALSE(readAll(put("c.kvb", BookBytes().header(3).page(0x80, "a").page(0x83, "b").page(0x81, "c").bytes())).ok);
}

TEST_F(KvbTest, OversizedAndReservedAttributesAreSkippedNotFatal)
{
    const QString longTitle(128, QChar(u'x')); // L = 256
    const QString p = put("attr.kvb", BookBytes()
                                          .header(1)
                                          .text(Title, longTitle)
                                          .text(Title, "Second")
                                          .rawAttribute(PublicationDate, QByteArray(6, '\1'))
                                          .rawAttribute(0, "zz")
                                          .rawAttribute(0x40, "zzz")
                                          .item(QString(17, QChar(u'n')), "dropped")
                                          .item(QString(16, QChar(u'n')), "kept")
                                          .rawAttribute(Author, utf16("Odd") + "!") // odd length
                                          .date(0, 0, 0)
                                          .page(0x80, "x")
                                          .bytes());
    const Read r = readAll(p);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.attributes.size(), 4u);
    EXPECT_EQ(r.attributes[0], text(Title, "Second"));
    EXPECT_EQ(r.attributes[1].type, UserDefined);
    EXPECT_EQ(r.attributes[1].name.size(), 16);
    EXPECT_EQ(r.attributes[1].text, QStringLiteral("kept"));
    EXPECT_EQ(r.attributes[2], text(Author, "Odd"));
    EXPECT_EQ(r.attributes[3].type, PublicationDate);
    EXPECT_EQ(r.attributes[3].year, 0);

    // Without an attribute list the records are moved over.
    PageList pages;
    EXPECT_TRUE(KVBFile::readBook(p, nullptr, nullptr, &pages));
    EXPECT_EQ(pages.size(), 1u);
}

TEST_F(KvbTest, TruncatedBooksFail)
{
    const QByteArray good = BookBytes().header(2).text(Title, "T").page(0x80, jpeg()).page(0x81, png()).bytes();
    ASSERT_TRUE(readAll(put("good.kvb", good)).ok);
    // Cut inside the last page's data: the record would run past the end.
    EXPECT_FALSE(readAll(put("cut1.kvb", good.left(good.size() - 1))).ok);
    // Cut inside the last record head.
    const qsizetype lastHead = good.size() - png().size() - 5;
    EXPECT_FALSE(readAll(put("cut2.kvb", good.left(lastHead + 3))).ok);
    // Cut inside an attribute record.
    EXPECT_FALSE(readAll(put("cut3.kvb", good.left(8 + 3 + 1))).ok);
    // A size field that claims far more than the file holds.
    EXPECT_FALSE(readAll(put("lie.kvb", BookBytes().header(1).raw(QByteArray("\x80\xff\xff\xff\x7f", 5)).raw("abc").bytes())).ok);
}

TEST_F(KvbTest, ListOptionsReadThumbnailAndStopAtFirstPage)
{
    // pageCount deliberately wrong: without a page list it is not compared.
    const QString p = put("list.kvb", BookBytes().header(9, Cover | PageSpread, 1).thumbnail(0x33).text(Circle, "C").page(0x80, "x").bytes());
    std::vector<uint8_t> thumb(kThumbnailBytes, 0);
    BookHeader header;
    AttributeList attrs;
    ASSERT_TRUE(KVBFile::readBook(p, KVBFile::ReadOptions{&header, &attrs, nullptr, thumb.data()}));
    EXPECT_EQ(header.pageCount, 9);
    EXPECT_EQ(header.layoutFlags, Cover | PageSpread);
    EXPECT_EQ(thumb[0], 0x33);
    EXPECT_EQ(thumb[kThumbnailBytes - 1], 0x33);
    ASSERT_EQ(attrs.size(), 1u);

    // Through a file the caller keeps open; its position is left alone.
    QFile file(p);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    PageList pages;
    EXPECT_FALSE(KVBFile::readBook(file, p, KVBFile::ReadOptions{nullptr, nullptr, &pages, nullptr}));
    EXPECT_EQ(pages.size(), 1u);
    EXPECT_EQ(file.pos(), 0);

    // From memory, the same walk.
    QByteArray bytes = testsupport::readFile(p);
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    PageList fromMemory;
    EXPECT_FALSE(KVBFile::readBook(buffer, p, KVBFile::ReadOptions{nullptr, nullptr, &fromMemory, nullptr}));
    ASSERT_EQ(fromMemory.size(), 1u);
    EXPECT_EQ(fromMemory[0].offset, pages[0].offset);
    EXPECT_EQ(buffer.pos(), 0);
}

TEST_F(KvbTest, WriteAndReadBackEveryAttributeKind)
{
    const QString img = put("p.jpg", jpeg());
    PageList pages(2);
    for (auto &pg : pages) {
        pg.kind = Jpeg;
        pg.sourcePath = img;
        pg.size = uint32_t(jpeg().size());
    }
    AttributeList attrs{text(Title, "題名"), text(Subtitle, ""), text(Author, "A1"), text(Author, "A2")};
    AttributeEntry date;
    date.type = PublicationDate; // 0/0/0: every part open
    attrs.push_back(date);
    AttributeEntry item;
    item.type = UserDefined;
    item.name = QStringLiteral("Series");
    item.text = QStringLiteral("Vol. 1");
    attrs.push_back(item);
    AttributeEntry reserved;
    reserved.type = 9; // not written
    attrs.push_back(reserved);

    const QString book = path("out.kvb");
    ASSERT_TRUE(KVBFile::writeBook(book, Cover | BindR, true, attrs, pages));
    EXPECT_EQ(pages[0].sourcePath, book);
    const Read r = readAll(book);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.header.layoutFlags, Cover | BindR);
    EXPECT_EQ(r.header.thumbnailFlag, 1);
    attrs.pop_back();
    EXPECT_EQ(r.attributes, attrs);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(r.pages[1].offset, pages[1].offset);

    // The date of 0/0/0 is four zero bytes after its record head.
    const QByteArray bytes = testsupport::readFile(book);
    const QByteArray dateRecord("\x06\x04\x00\x00\x00\x00\x00", 7);
    EXPECT_TRUE(bytes.contains(dateRecord));
    EXPECT_EQ(bytes.mid(qsizetype(r.pages[0].offset), jpeg().size()), jpeg());
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(KvbTest, SavingOverTheBookThePagesComeFrom)
{
    const QByteArray a = jpeg(), b = png();
    const QString book = put("self.kvb", BookBytes().header(2).text(Title, "Old").page(Jpeg, a).page(Png, b).bytes());
    Read r = readAll(book);
    ASSERT_TRUE(r.ok);
    std::swap(r.pages[0], r.pages[1]);
    PageEntry extra = r.pages[1];
    r.pages.push_back(extra); // the JPEG twice
    ASSERT_TRUE(KVBFile::writeBook(book, 0, true, {text(Title, "New title, longer")}, r.pages));
    const Read again = readAll(book);
    ASSERT_TRUE(again.ok);
    ASSERT_EQ(again.pages.size(), 3u);
    const QByteArray bytes = testsupport::readFile(book);
    EXPECT_EQ(bytes.mid(qsizetype(again.pages[0].offset), b.size()), b);
    EXPECT_EQ(bytes.mid(qsizetype(again.pages[1].offset), a.size()), a);
    EXPECT_EQ(bytes.mid(qsizetype(again.pages[2].offset), a.size()), a);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.pages[i].offset, again.pages[i].offset);
        EXPECT_EQ(r.pages[i].sourcePath, book);
    }
}

TEST_F(KvbTest, ThumbnailIsMadeFromAMisnamedOrExtremelyShapedFirstPage)
{
    // A PNG saved as .jpg, and a strip 400 times wider than high: both used to
    // fail the thumbnail and with it the whole save.
    QImage strip(4000, 10, QImage::Format_RGB32);
    strip.fill(Qt::red);
    for (const QByteArray &first : {png(), testsupport::encode(strip, "PNG")}) {
        const QString source = put("first.jpg", first);
        PageList pages(1);
        pages[0].kind = pageKindFromExtension(source);
        pages[0].sourcePath = source;
        pages[0].size = uint32_t(first.size());
        const QString book = path("thumb.kvb");
        ASSERT_TRUE(KVBFile::writeBook(book, 0, true, {}, pages));
        std::vector<uint8_t> thumbnail(kThumbnailBytes);
        BookHeader header;
        ASSERT_TRUE(KVBFile::readBook(book, KVBFile::ReadOptions{&header, nullptr, nullptr, thumbnail.data()}));
        EXPECT_EQ(header.thumbnailFlag, 1);
        EXPECT_NE(std::count(thumbnail.begin(), thumbnail.end(), 0), kThumbnailBytes);
    }
}

TEST_F(KvbTest, FailedWritesLeaveTargetPagesAndFolderAsTheyWere)
{
    const QByteArray oldBook = BookBytes().header(1).page(Png, png()).bytes();
    const QString target = put("keep.kvb", oldBook);
    const QString broken = put("broken.jpg", QByteArray("not a jpeg at all"));
    const QString good = put("good.png", png());

    auto entry = [](const QString &src, uint8_t kind, uint32_t size) {
        PageEntry p;
        p.kind = kind;
        p.sourcePath = src;
        p.size = size;
        return p;
    };
    auto unchanged = [&](const PageList &pages, const PageList &before) {
        EXPECT_EQ(testsupport::readFile(target), oldBook);
        EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(',').toStdString();
        ASSERT_EQ(pages.size(), before.size());
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(pages[i].sourcePath, before[i].sourcePath);
            EXPECT_EQ(pages[i].offset, before[i].offset);
        }
    };

    // The first page cannot be decoded for the thumbnail.
    PageList pages{entry(broken, Jpeg, 17), entry(good, Png, uint32_t(png().size()))};
    PageList before = pages;
    EXPECT_FALSE(KVBFile::writeBook(target, 0, true, {}, pages));
    unchanged(pages, before);

    // A source shorter than its recorded size.
    pages = {entry(good, Png, uint32_t(png().size()) + 10)};
    before = pages;
    EXPECT_FALSE(KVBFile::writeBook(target, 0, false, {}, pages));
    unchanged(pages, before);

    // A source that is gone.
    pages = {entry(path("gone.png"), Png, 10)};
    before = pages;
    EXPECT_FALSE(KVBFile::writeBook(target, 0, false, {}, pages));
    unchanged(pages, before);

    // The final rename fails (a folder stands at the target path).
    const QString folderTarget = path("dir.kvb");
    ASSERT_TRUE(QDir().mkpath(folderTarget + "/x"));
    pages = {entry(good, Png, uint32_t(png().size()))};
    before = pages;
    EXPECT_FALSE(KVBFile::writeBook(folderTarget, 0, false, {}, pages));
    unchanged(pages, before);

    // A text too long for its length field is refused before writing.
    pages = {entry(good, Png, uint32_t(png().size()))};
    EXPECT_FALSE(KVBFile::writeBook(target, 0, false, {text(Title, QString(40000, 'x'))}, pages));
    unchanged(pages, pages);
}

TEST_F(KvbTest, MoreThan65535PagesAreRefusedBeforeAnythingIsWritten)
{
    const QString good = put("one.png", png());
    PageEntry p;
    p.kind = Png;
    p.sourcePath = good;
    p.size = uint32_t(png().size());
    PageList pages(65536, p);
    const QString target = path("huge.kvb");
    EXPECT_FALSE(KVBFile::writeBook(target, 0, false, {}, pages));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_EQ(pages.back().sourcePath, good);
}

namespace {

// Stand-ins for the kernel copy. Each is a plain function, as the library
// takes one; what they do is set through these.
int g_refusal = ENOSYS;        // the error refusingCopy reports
uint64_t g_stopAfter = 0;      // bytes stoppingCopy copies before it returns 0
uint64_t g_kernelBytes = 0;    // bytes the stand-ins let the real call copy
int g_kernelCalls = 0;

ssize_t refusingCopy(int, off_t *, int, off_t *, size_t, unsigned)
{
    ++g_kernelCalls;
    errno = g_refusal;
    return -1;
}

// Copies for real up to g_stopAfter bytes in all, a little at a time, then
// reports nothing copied (as a source that ends early, or a file system that
// gives up, does).
ssize_t stoppingCopy(int in, off_t *inOffset, int out, off_t *outOffset, size_t n, unsigned flags)
{
    ++g_kernelCalls;
    const uint64_t left = g_stopAfter - std::min(g_stopAfter, g_kernelBytes);
    const size_t want = size_t(std::min<uint64_t>({n, left, 3001}));
    if (want == 0)
        return 0;
    const ssize_t got = ::copy_file_range(in, inOffset, out, outOffset, want, flags);
    if (got > 0)
        g_kernelBytes += uint64_t(got);
    return got;
}

ssize_t countingCopy(int in, off_t *inOffset, int out, off_t *outOffset, size_t n, unsigned flags)
{
    ++g_kernelCalls;
    const ssize_t got = ::copy_file_range(in, inOffset, out, outOffset, n, flags);
    if (got > 0)
        g_kernelBytes += uint64_t(got);
    return got;
}

// Puts a stand-in in place for one scope.
class KernelCopyAs {
public:
    explicit KernelCopyAs(KVBFile::RangeCopy copy) : m_previous(KVBFile::setRangeCopy(copy))
    {
        g_kernelBytes = 0;
        g_kernelCalls = 0;
    }
    ~KernelCopyAs() { KVBFile::setRangeCopy(m_previous); }

private:
    KVBFile::RangeCopy m_previous;
};

QByteArray patterned(qsizetype n, int seed)
{
    QByteArray bytes(n, Qt::Uninitialized);
    uint32_t x = uint32_t(seed) * 2654435761u + 1;
    for (char &c : bytes) {
        x = x * 1664525u + 1013904223u;
        c = char(x >> 24);
    }
    return bytes;
}

} // namespace

TEST_F(KvbTest, PagesAreCutIn4096BytePiecesByEitherCopy)
{
    QByteArray bytes(4097, 'q');
    bytes[0] = 'a';
    bytes[4096] = 'z';
    const QString src = put("src.bin", QByteArray("HEAD") + bytes);
    for (bool kernel : {true, false}) {
        SCOPED_TRACE(kernel ? "kernel copy" : "copy buffer");
        KernelCopyAs copy(kernel ? &countingCopy : &refusingCopy);
        PageEntry p;
        p.kind = Bmp;
        p.sourcePath = src;
        p.offset = 4;

        p.size = 4096;
        uint64_t before = KVBFile::copyPieceCount();
        ASSERT_TRUE(KVBFile::copyPageData(p, path("one.bmp")));
        EXPECT_EQ(KVBFile::copyPieceCount() - before, 1u);
        EXPECT_EQ(testsupport::readFile(path("one.bmp")), bytes.left(4096));

        p.size = 4097;
        before = KVBFile::copyPieceCount();
        ASSERT_TRUE(KVBFile::copyPageData(p, path("two.bmp")));
        EXPECT_EQ(KVBFile::copyPieceCount() - before, 2u);
        EXPECT_EQ(testsupport::readFile(path("two.bmp")), bytes);

        p.size = 5000; // more than the source holds
        EXPECT_FALSE(KVBFile::copyPageData(p, path("short.bmp")));
        EXPECT_FALSE(QFile::exists(path("short.bmp")));
        p.sourcePath = path("none.bin");
        EXPECT_FALSE(KVBFile::copyPageData(p, path("none.bmp")));
        EXPECT_GT(g_kernelCalls, 0);
    }
}

TEST_F(KvbTest, WhatTheKernelDoesNotCopyTheBufferFinishesWithoutAHole)
{
    // Pages of awkward sizes at awkward offsets, one of them in an old book.
    const QByteArray a = patterned(70001, 1), b = patterned(4097, 2), c = patterned(300000, 3);
    const QString pa = put("a.jpg", a);
    const QString old = put("old.kvb", BookBytes().header(2).page(Png, b).page(Bmp, c).bytes());
    Read r = readAll(old);
    ASSERT_TRUE(r.ok);
    PageList source = collectPages({pa});
    source.insert(source.end(), r.pages.begin(), r.pages.end());
    ASSERT_EQ(source.size(), 3u);
    const QByteArray expected =
        BookBytes().header(3).text(Title, "T").page(Jpeg, a).page(Png, b).page(Bmp, c).bytes();

    auto written = [&](const char *name) {
        PageList pages = source;
        const QString target = path(name);
        EXPECT_TRUE(KVBFile::writeBook(target, 0, false, {text(Title, "T")}, pages));
        EXPECT_TRUE(leftovers().isEmpty());
        return testsupport::readFile(target);
    };

    {
        KernelCopyAs copy(&countingCopy);
        EXPECT_EQ(written("kernel.kvb"), expected);
    }
    for (int error : {EXDEV, ENOSYS, EOPNOTSUPP, EINVAL, EBADF}) {
        SCOPED_TRACE(error);
        g_refusal = error;
        KernelCopyAs copy(&refusingCopy);
        EXPECT_EQ(written("refused.kvb"), expected);
        EXPECT_EQ(g_kernelCalls, 3); // tried once per page, then left alone
    }
    // A copy that reports a failing or full disk fails the book: the buffered
    // copy must not paper over a part the kernel may have half written.
    for (int error : {EIO, ENOSPC}) {
        SCOPED_TRACE(error);
        g_refusal = error;
        KernelCopyAs copy(&refusingCopy);
        PageList pages = source;
        EXPECT_FALSE(KVBFile::writeBook(path("kernel.kvb"), 0, false, {text(Title, "T")}, pages));
        EXPECT_EQ(testsupport::readFile(path("kernel.kvb")), expected);
        EXPECT_TRUE(leftovers().isEmpty());
    }
    // The kernel stops part way into a page (in the first, second and third),
    // not on a piece boundary.
    for (uint64_t stop : {uint64_t(5000), uint64_t(70001 + 100), uint64_t(70001 + 4097 + 123457)}) {
        SCOPED_TRACE(stop);
        g_stopAfter = stop;
        KernelCopyAs copy(&stoppingCopy);
        const QByteArray bytes = written("stopped.kvb");
        EXPECT_EQ(bytes.size(), expected.size());
        EXPECT_EQ(bytes, expected);
        EXPECT_EQ(g_kernelBytes, stop);
    }
    // Saving over the book the pages come from takes the same path.
    {
        g_stopAfter = 200000;
        KernelCopyAs copy(&stoppingCopy);
        PageList pages = r.pages;
        ASSERT_TRUE(KVBFile::writeBook(old, 0, false, {}, pages));
        EXPECT_EQ(testsupport::readFile(old), BookBytes().header(2).page(Png, b).page(Bmp, c).bytes());
    }
}

TEST(KvbKinds, ExtensionsMapToKindsAndBack)
{
    EXPECT_EQ(pageKindFromExtension(u"/a/b.JPG"), Jpeg);
    EXPECT_EQ(pageKindFromExtension(u"b.jpeg"), Jpeg);
    EXPECT_EQ(pageKindFromExtension(u"b.Png"), Png);
    EXPECT_EQ(pageKindFromExtension(u"b.bmp"), Bmp);
    EXPECT_EQ(pageKindFromExtension(u"b.KVB"), BookKind);
    EXPECT_EQ(pageKindFromExtension(u"b.gif"), NotAccepted);
    EXPECT_EQ(pageKindFromExtension(u"noext"), NotAccepted);
    EXPECT_EQ(pageKindFromExtension(u"b.jpg."), NotAccepted);
    EXPECT_EQ(extensionForKind(Png), QStringLiteral(".png"));
    EXPECT_EQ(extensionForKind(0x83), QString());
}

TEST_F(KvbTest, CollectedPagesAreSortedOrdinallyWithBooksKeptTogether)
{
    const QString b = put("b.jpg", jpeg());
    const QString A = put("A.png", png());
    const QString a = put("a.bmp", png());
    const QString empty = put("e.jpg", {});
    const QString other = put("x.txt", "text");
    const QString book = put("m.kvb", BookBytes().header(2).page(Png, png()).page(Jpeg, jpeg()).bytes());
    const QString bad = put("n.kvb", "garbage");

    QStringList problems;
    const PageList pages = collectPages({b, A, other, book, empty, bad, a},
                                        [&](CollectProblem pr, const QString &p) {
                                            problems << QStringLiteral("%1:%2").arg(int(pr)).arg(fileNameOf(p));
                                        });
    QStringList order;
    for (const PageEntry &p : pages)
        order << QStringLiteral("%1@%2").arg(fileNameOf(p.sourcePath)).arg(p.offset);
    const int second = 8 + 5 + int(png().size()) + 5;
    EXPECT_EQ(order, (QStringList{"A.png@0", "a.bmp@0", "b.jpg@0", "m.kvb@13", QStringLiteral("m.kvb@%1").arg(second)}));
    EXPECT_EQ(problems, (QStringList{"1:e.jpg", "0:n.kvb"}));
    EXPECT_EQ(folderPictureEntries(m_dir.path()).size(), 6); // x.txt left out
}

TEST_F(KvbTest, SavingFailsWhenAWalkedSourceWasReplacedOrRewrittenSince)
{
    const QByteArray a = jpeg(), b = png();
    const QString book = put("self.kvb", BookBytes().header(2).page(Jpeg, a).page(Png, b).bytes());
    const QString picture = put("p.png", b);
    const QByteArray other = BookBytes().header(2).text(Title, "Another writer's book").page(Png, b).page(Jpeg, a).bytes();

    auto walked = [&] {
        Read r = readAll(book);
        EXPECT_TRUE(r.ok);
        PageList pages = collectPages({picture});
        pages.insert(pages.end(), r.pages.begin(), r.pages.end());
        return pages;
    };
    auto refused = [&](PageList pages, const QByteArray &bookNow) {
        const PageList before = pages;
        EXPECT_FALSE(KVBFile::writeBook(book, 0, false, {}, pages));
        EXPECT_EQ(testsupport::readFile(book), bookNow);
        EXPECT_TRUE(leftovers().isEmpty());
        for (size_t i = 0; i < pages.size(); ++i)
            EXPECT_EQ(pages[i].offset, before[i].offset);
    };

    // Another writer put a new book in its place (a rename): the later pages
    // would be read at the old offsets from a different file.
    PageList pages = walked();
    const QString replacement = put("other.kvb", other);
    ASSERT_EQ(::rename(QFile::encodeName(replacement).constData(), QFile::encodeName(book).constData()), 0);
    refused(pages, other);

    // The same file rewritten in place to another length.
    pages = walked();
    const QByteArray longer = other + QByteArray("\x83\x01\0\0\0!", 6);
    ASSERT_TRUE(testsupport::writeFile(book, longer));
    refused(pages, longer);

    // A picture changed after it was added.
    pages = walked();
    ASSERT_TRUE(testsupport::writeFile(picture, a));
    refused(pages, longer);

    // Untouched sources save, and the entries then know the new book: saving
    // over it again works.
    pages = walked();
    ASSERT_TRUE(KVBFile::writeBook(book, 0, false, {}, pages));
    ASSERT_TRUE(KVBFile::writeBook(book, 0, false, {}, pages));
    const Read again = readAll(book);
    ASSERT_TRUE(again.ok);
    ASSERT_EQ(again.pages.size(), 3u);
    EXPECT_EQ(testsupport::readFile(book).mid(qsizetype(again.pages[0].offset), a.size()), a);
}

TEST_F(KvbTest, ItemRecordsWhoseInnerLengthsDisagreeWithTheirLengthAreSkippedWhole)
{
    // Each layout reads as a well-formed one-page book both ways if a walk
    // that takes the item resumes after the item's own bytes, but with a
    // different page than the walk that moves over the record by its length.
    const QByteArray real = png();
    const QByteArray item = QByteArray("\x02", 1) + utf16("N") + QByteArray("\x02", 1) + utf16("V");
    auto head = [](uint8_t kind, qsizetype size) { return BookBytes().pageHead(kind, uint32_t(size)).bytes(); };

    // Inner lengths shorter than L: the rest of the record is a page head
    // whose data would swallow the real page record.
    const QByteArray shorter = BookBytes().header(1).rawAttribute(UserDefined, item + head(Jpeg, 5 + real.size()))
                                   .page(Png, real).bytes();
    // Inner lengths longer than L: the value runs 8 bytes into the page
    // record after it, onto a page head hidden in that page's data.
    QByteArray longerItem = item;
    longerItem[3] = char(2 + 8);
    const QByteArray longer = BookBytes().header(1).rawAttribute(UserDefined, longerItem)
                                  .page(Jpeg, QByteArray("pre") + head(Png, real.size()) + real).bytes();

    for (const QByteArray &layout : {shorter, longer}) {
        const QString p = put("hostile.kvb", layout);
        const Read r = readAll(p);
        PageList pagesOnly;
        EXPECT_TRUE(KVBFile::readBook(p, nullptr, nullptr, &pagesOnly));
        EXPECT_TRUE(r.ok);
        ASSERT_EQ(r.pages.size(), 1u);
        ASSERT_EQ(pagesOnly.size(), 1u);
        EXPECT_EQ(r.pages[0].kind, pagesOnly[0].kind);
        EXPECT_EQ(r.pages[0].offset, pagesOnly[0].offset);
        EXPECT_EQ(r.pages[0].size, pagesOnly[0].size);
        EXPECT_TRUE(r.attributes.empty());
    }
    EXPECT_EQ(readAll(put("s.kvb", shorter)).pages[0].kind, Png);
    EXPECT_EQ(readAll(put("l.kvb", longer)).pages[0].kind, Jpeg);
}
