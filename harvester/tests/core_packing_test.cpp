// Packing image folders into books and unpacking books into image folders.
#include "testfixtures.h"

#include "core/bookunpacker.h"
#include "core/imagefolderpacker.h"
#include "core/messages.h"
#include "core/namedate.h"

#include <book/kvbfile.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <array>

using namespace harvester;
using harvestertest::Workspace;
using harvestertest::exists;
using harvestertest::pageBytes;
using harvestertest::readAll;
using platform::PromptAnswer;
using platform::ScriptedPrompt;

namespace {

struct Packer {
    ScriptedPrompt prompt;
    QStringList log;
    ImageFolderPacker packer{prompt, [this](const QString &line) { log.append(line); }};
};

struct Book {
    bool valid = false;
    kvb::BookHeader header;
    kvb::AttributeList attributes;
    kvb::PageList pages;
};

Book readBook(const QString &path)
{
    Book book;
    book.valid = kvb::KVBFile::readBook(path, &book.header, &book.attributes, &book.pages);
    return book;
}

kvb::AttributeEntry textEntry(uint8_t type, const QString &value)
{
    kvb::AttributeEntry e;
    e.type = type;
    e.text = value;
    return e;
}

kvb::AttributeEntry dateEntry(int y, int m, int d)
{
    kvb::AttributeEntry e;
    e.type = kvb::PublicationDate;
    e.year = uint16_t(y);
    e.month = uint8_t(m);
    e.day = uint8_t(d);
    return e;
}

} // namespace

TEST(ImageFolderToKVB, PacksThePicturesOfAFolderInNameOrderByteForByte)
{
    Workspace ws;
    const QByteArray a = Workspace::jpeg(1), b = Workspace::jpeg(2), c = Workspace::png(3), d = Workspace::bmp(4);
    ws.file(QStringLiteral("lib/Vol.1/a.JPG"), a);
    ws.file(QStringLiteral("lib/Vol.1/b.jpeg"), b);
    ws.file(QStringLiteral("lib/Vol.1/c.png"), c);
    ws.file(QStringLiteral("lib/Vol.1/d.bmp"), d);
    ws.file(QStringLiteral("lib/Vol.1/e.gif"), "GIF89a");
    ws.file(QStringLiteral("lib/Vol.1/f.jpg"), QByteArray());
    ws.jpegFile(QStringLiteral("lib/Vol.1/sub/g.jpg"), 7);

    Packer p;
    p.packer.options.cover = false;
    p.packer.options.bindR = true;
    p.packer.options.spread = true;
    p.packer.options.thumb = true;
    const QString folder = ws.path(QStringLiteral("lib/Vol.1"));
    ASSERT_EQ(p.packer.ImageFolderToKVB(folder, folder), ImageFolderPacker::Written);

    const Book book = readBook(ws.path(QStringLiteral("lib/Vol.1.kvb")));
    ASSERT_TRUE(book.valid);
    EXPECT_EQ(book.header.layoutFlags, kvb::BindR | kvb::PageSpread);
    EXPECT_EQ(book.header.thumbnailFlag, 1);
    EXPECT_TRUE(book.attributes.empty()); // name as title is off
    ASSERT_EQ(book.pages.size(), 4u);
    const std::array<uint8_t, 4> kinds{kvb::Jpeg, kvb::Jpeg, kvb::Png, kvb::Bmp};
    const std::array<QByteArray, 4> bytes{a, b, c, d};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(book.pages[i].kind, kinds[i]);
        EXPECT_EQ(pageBytes(book.pages[i]), bytes[i]) << i;
    }
    EXPECT_TRUE(p.prompt.texts().isEmpty());
    EXPECT_TRUE(p.log.isEmpty());
}

TEST(ImageFolderToKVB, BookNamesComeFromTheFolderOrThePdf)
{
    EXPECT_EQ(ImageFolderPacker::bookNameFor(QStringLiteral("/a/Vol.pdf")).bookPath, QStringLiteral("/a/Vol.kvb"));
    EXPECT_EQ(ImageFolderPacker::bookNameFor(QStringLiteral("/a/Vol.PDF")).name, QStringLiteral("Vol"));
    EXPECT_EQ(ImageFolderPacker::bookNameFor(QStringLiteral("/a/Vol.1")).bookPath, QStringLiteral("/a/Vol.1.kvb"));
    EXPECT_EQ(ImageFolderPacker::bookNameFor(QStringLiteral("/a/Vol.1/")).bookPath, QStringLiteral("/a/Vol.1.kvb"));
    // A name that is only ".pdf" keeps it.
    EXPECT_EQ(ImageFolderPacker::bookNameFor(QStringLiteral(".pdf")).bookPath, QStringLiteral(".pdf.kvb"));
}

TEST(ImageFolderToKVB, NamesGiveTitleDateAndTheTargetFolderAsAuthorPublisherOrCircle)
{
    ScriptedPrompt prompt;
    ImageFolderPacker packer(prompt, [](const QString &) {});
    packer.options.nameAsTitle = true;
    packer.options.numberAsDate = true;
    packer.targetFolderName = QStringLiteral("Shelf");

    using List = kvb::AttributeList;
    EXPECT_EQ(packer.attributesFor(QStringLiteral("20240315 Spring issue")),
              (List{textEntry(kvb::Title, QStringLiteral("Spring issue")), dateEntry(2024, 3, 15)}));
    EXPECT_EQ(packer.attributesFor(QStringLiteral("202403 Issue")),
              (List{textEntry(kvb::Title, QStringLiteral("Issue")), dateEntry(2024, 3, 0)}));
    EXPECT_EQ(packer.attributesFor(QStringLiteral("20240230 X")), (List{textEntry(kvb::Title, QStringLiteral("20240230 X"))}));
    EXPECT_EQ(packer.attributesFor(QStringLiteral("12345 X")), (List{textEntry(kvb::Title, QStringLiteral("12345 X"))}));
    EXPECT_EQ(packer.attributesFor(QStringLiteral("20240315")), (List{dateEntry(2024, 3, 15)}));
    EXPECT_EQ(packer.attributesFor(QStringLiteral("2024 Annual")),
              (List{textEntry(kvb::Title, QStringLiteral("Annual")), dateEntry(2024, 0, 0)}));

    packer.options.targetName = 3;
    EXPECT_EQ(packer.attributesFor(QStringLiteral("Book")),
              (List{textEntry(kvb::Title, QStringLiteral("Book")), textEntry(kvb::Circle, QStringLiteral("Shelf"))}));
    packer.options.targetName = 1;
    EXPECT_EQ(packer.attributesFor(QStringLiteral("2020 Book")),
              (List{textEntry(kvb::Title, QStringLiteral("Book")), textEntry(kvb::Author, QStringLiteral("Shelf")),
                    dateEntry(2020, 0, 0)}));

    // Without the title box, neither title nor date, whatever the date box says.
    packer.options.nameAsTitle = false;
    packer.options.targetName = 2;
    EXPECT_EQ(packer.attributesFor(QStringLiteral("20240315 Spring issue")),
              (List{textEntry(kvb::Publisher, QStringLiteral("Shelf"))}));

    // A name longer than a book's texts may be is cut at the limit, which
    // readers keep, instead of being written whole and skipped by them.
    packer.options.nameAsTitle = true;
    packer.options.targetName = 0;
    const kvb::AttributeList longName = packer.attributesFor(QString(200, u'n'));
    ASSERT_EQ(longName.size(), 1u);
    EXPECT_EQ(longName[0].text.size(), kvb::kMaxTextChars);
}

TEST(ImageFolderToKVB, DatePolicyChecksTheDayAgainstTheMonthButTakesAnyMonthAbove12)
{
    auto dateOf = [](const char *name) { return publicationDateFromName(QString::fromUtf8(name)).date; };
    EXPECT_EQ(dateOf("20240229 Leap"), (kvb::BookDate{2024, 2, 29}));
    EXPECT_FALSE(dateOf("20230229 Not leap"));
    EXPECT_EQ(dateOf("20000229 x"), (kvb::BookDate{2000, 2, 29}));
    EXPECT_FALSE(dateOf("19000229 x"));
    EXPECT_FALSE(dateOf("20240431 x"));
    EXPECT_EQ(dateOf("20241345 x"), (kvb::BookDate{2024, 13, 45}));
    EXPECT_EQ(dateOf("20240031 x"), (kvb::BookDate{2024, 0, 31}));
    EXPECT_FALSE(dateOf("20240032 x"));
    EXPECT_FALSE(dateOf("123 x"));
    EXPECT_EQ(publicationDateFromName(QStringLiteral("2024\t  Tabbed")).rest, QStringLiteral("Tabbed"));
    EXPECT_EQ(publicationDateFromName(QStringLiteral("20240230 X")).rest, QStringLiteral("20240230 X"));
}

TEST(ImageFolderToKVB, NoPicturesLogsAndWritesNothing)
{
    Workspace ws;
    ws.file(QStringLiteral("only/readme.txt"), "x");
    ws.jpegFile(QStringLiteral("only/sub/a.jpg"), 1);
    Packer p;
    const QString folder = ws.path(QStringLiteral("only"));
    EXPECT_EQ(p.packer.ImageFolderToKVB(folder, folder), ImageFolderPacker::NoImageFiles);
    EXPECT_EQ(p.log, QStringList{text::PackNoImagesLog});
    EXPECT_FALSE(exists(ws.path(QStringLiteral("only.kvb"))));
}

TEST(ImageFolderToKVB, AnExistingBookIsReplacedOnlyAfterOkAndKeptWhenWritingFails)
{
    Workspace ws;
    ws.jpegFile(QStringLiteral("b/1.jpg"), 1);
    const QString folder = ws.path(QStringLiteral("b"));
    const QString bookPath = ws.file(QStringLiteral("b.kvb"), "old book");

    Packer refused;
    refused.prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(refused.packer.ImageFolderToKVB(folder, folder), ImageFolderPacker::StopRun);
    EXPECT_EQ(refused.prompt.texts(), QStringList{text::BookExists});
    EXPECT_EQ(refused.log, QStringList{text::PackCancelLog});
    EXPECT_EQ(readAll(bookPath), "old book");

    // A first page that cannot be decoded makes the thumbnail, and so the
    // write, fail: the old book stays as it was and nothing is left beside it.
    ws.file(QStringLiteral("b/0.jpg"), "not a jpeg");
    Packer failing;
    failing.packer.options.thumb = true;
    EXPECT_EQ(failing.packer.ImageFolderToKVB(folder, folder), ImageFolderPacker::StopRun);
    EXPECT_EQ(failing.prompt.texts(), (QStringList{text::BookExists, text::BookWriteFailed}));
    EXPECT_EQ(failing.log, QStringList{text::PackFailedLog});
    EXPECT_EQ(readAll(bookPath), "old book");
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files).size(), 1);

    Packer replacing;
    replacing.packer.options.thumb = false;
    EXPECT_EQ(replacing.packer.ImageFolderToKVB(folder, folder), ImageFolderPacker::Written);
    EXPECT_EQ(readBook(bookPath).pages.size(), 2u);
}

TEST(ImageFolderToKVB, ExtractorImagesKeepTheirNumberOrderPastAThousand)
{
    Workspace ws;
    for (int n : {998, 999, 1000, 1001, 10})
        ws.jpegFile(QStringLiteral("w/Img-%1.jpg").arg(n, 3, 10, QLatin1Char('0')), n);
    const kvb::PageList byPath = ImageFolderPacker::collectPages(ws.path(QStringLiteral("w")), PageOrder::ByPath);
    const kvb::PageList byNumber =
        ImageFolderPacker::collectPages(ws.path(QStringLiteral("w")), PageOrder::ByExtractorNumber);
    auto names = [](const kvb::PageList &pages) {
        QStringList list;
        for (const auto &page : pages)
            list.append(page.sourcePath.section(u'/', -1));
        return list;
    };
    EXPECT_EQ(names(byPath), (QStringList{"Img-010.jpg", "Img-1000.jpg", "Img-1001.jpg", "Img-998.jpg", "Img-999.jpg"}));
    EXPECT_EQ(names(byNumber), (QStringList{"Img-010.jpg", "Img-998.jpg", "Img-999.jpg", "Img-1000.jpg", "Img-1001.jpg"}));
}

TEST(ImageFolderToKVB, APictureChangedAfterItWasFoundFailsTheWrite)
{
    Workspace ws;
    ws.jpegFile(QStringLiteral("w/1.jpg"), 1);
    const QString second = ws.jpegFile(QStringLiteral("w/2.jpg"), 2);
    kvb::PageList pages = ImageFolderPacker::collectPages(ws.path(QStringLiteral("w")), PageOrder::ByPath);
    ASSERT_EQ(pages.size(), 2u);
    // Another program rewrites the picture, longer, before the book is
    // written: its first bytes alone would make a cut-off page.
    ws.file(QStringLiteral("w/2.jpg"), readAll(second) + QByteArray(64, 'x'));
    const QString bookPath = ws.path(QStringLiteral("w.kvb"));
    EXPECT_FALSE(kvb::KVBFile::writeBook(bookPath, 0, false, {}, pages));
    EXPECT_FALSE(exists(bookPath));
}

TEST(KVBToImageFolder, WritesNumberedFilesBesideTheBook)
{
    Workspace ws;
    const QByteArray jpeg = Workspace::jpeg(1), png = Workspace::png(2);
    kvb::PageList pages{{kvb::Jpeg, ws.file(QStringLiteral("src/1.jpg"), jpeg), 0, uint32_t(jpeg.size()), {}},
                        {kvb::Png, ws.file(QStringLiteral("src/2.png"), png), 0, uint32_t(png.size()), {}}};
    const QString bookPath = ws.path(QStringLiteral("B.kvb"));
    ASSERT_TRUE(kvb::KVBFile::writeBook(bookPath, 0, false, {}, pages));

    ScriptedPrompt prompt;
    BookUnpacker unpacker(prompt);
    EXPECT_EQ(unpacker.KVBToImageFolder(bookPath), BookUnpacker::GoOn);
    EXPECT_EQ(readAll(ws.path(QStringLiteral("B/Img0000.jpg"))), jpeg);
    EXPECT_EQ(readAll(ws.path(QStringLiteral("B/Img0001.png"))), png);
    EXPECT_EQ(QDir(ws.path(QStringLiteral("B"))).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_TRUE(prompt.texts().isEmpty());

    // Again: the folder exists, OK writes over the files; a link in a page's
    // place is replaced, never written through.
    const QString outside = ws.file(QStringLiteral("outside.jpg"), "keep me");
    QFile::remove(ws.path(QStringLiteral("B/Img0000.jpg")));
    QFile::link(outside, ws.path(QStringLiteral("B/Img0000.jpg")));
    EXPECT_EQ(unpacker.KVBToImageFolder(bookPath), BookUnpacker::GoOn);
    EXPECT_EQ(prompt.texts(), QStringList{text::OutputFolderExists});
    EXPECT_EQ(readAll(outside), "keep me");
    EXPECT_FALSE(QFileInfo(ws.path(QStringLiteral("B/Img0000.jpg"))).isSymLink());
    EXPECT_EQ(readAll(ws.path(QStringLiteral("B/Img0000.jpg"))), jpeg);

    prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(unpacker.KVBToImageFolder(bookPath), BookUnpacker::StopRun);
}

TEST(KVBToImageFolder, PageNamesHaveAtLeastFourDigits)
{
    EXPECT_EQ(BookUnpacker::pageFileName(QStringLiteral("/b/B"), 0, kvb::Jpeg), QStringLiteral("/b/B/Img0000.jpg"));
    EXPECT_EQ(BookUnpacker::pageFileName(QStringLiteral("/b/B"), 9999, kvb::Bmp), QStringLiteral("/b/B/Img9999.bmp"));
    EXPECT_EQ(BookUnpacker::pageFileName(QStringLiteral("/b/B"), 10000, kvb::Png), QStringLiteral("/b/B/Img10000.png"));
    EXPECT_EQ(BookUnpacker::pageFileName(QStringLiteral("/b/B"), 5, 0x83), QStringLiteral("/b/B/Img0005.xxx"));
}

TEST(KVBToImageFolder, FailuresAskWhetherToGoOn)
{
    Workspace ws;
    std::vector<QByteArray> bytes;
    kvb::PageList pages;
    for (int i = 0; i < 10; ++i) {
        bytes.push_back(Workspace::jpeg(i));
        pages.push_back({kvb::Jpeg, ws.file(QStringLiteral("src/%1.jpg").arg(i), bytes.back()), 0,
                         uint32_t(bytes.back().size()), {}});
    }
    const QString book = ws.path(QStringLiteral("ten.kvb"));
    ASSERT_TRUE(kvb::KVBFile::writeBook(book, 0, false, {}, pages));

    // Page 3 cannot be written (a folder holds its name): pages 0 to 2 are
    // written, OK goes on with the next book without the rest of this one.
    ws.folder(QStringLiteral("ten/Img0003.jpg"));
    ScriptedPrompt prompt;
    BookUnpacker unpacker(prompt);
    prompt.planAnswer(PromptAnswer::Ok);
    prompt.planAnswer(PromptAnswer::Ok);
    EXPECT_EQ(unpacker.KVBToImageFolder(book), BookUnpacker::PassedOver);
    EXPECT_EQ(prompt.texts(), (QStringList{text::OutputFolderExists, text::PageNotWritten}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(readAll(ws.path(QStringLiteral("ten/Img%1.jpg").arg(i, 4, 10, QLatin1Char('0')))), bytes[size_t(i)]);
    EXPECT_FALSE(exists(ws.path(QStringLiteral("ten/Img0004.jpg"))));
    EXPECT_EQ(QDir(ws.path(QStringLiteral("ten"))).entryList(QDir::Files | QDir::Hidden).size(), 3); // no temporary left

    prompt.clear();
    prompt.planAnswer(PromptAnswer::Ok);
    prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(unpacker.KVBToImageFolder(book), BookUnpacker::StopRun);

    // A book that is not well formed: OK goes on, the folder made stays empty.
    const QString broken = ws.file(QStringLiteral("broken.kvb"), "\x05KVB\x01\x00\x00\x00");
    prompt.clear();
    EXPECT_EQ(unpacker.KVBToImageFolder(broken), BookUnpacker::PassedOver);
    EXPECT_EQ(prompt.texts(), QStringList{text::BookUnreadable});
    EXPECT_TRUE(QDir(ws.path(QStringLiteral("broken"))).isEmpty());
    prompt.planAnswer(PromptAnswer::Ok);
    prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(unpacker.KVBToImageFolder(broken), BookUnpacker::StopRun);

    // A file where the folder would go.
    const QString blocked = ws.path(QStringLiteral("blocked.kvb"));
    QFile::copy(book, blocked);
    ws.file(QStringLiteral("blocked"), "a file");
    prompt.clear();
    EXPECT_EQ(unpacker.KVBToImageFolder(blocked), BookUnpacker::PassedOver);
    EXPECT_EQ(prompt.texts(), QStringList{text::OutputFolderNotMade});
    prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(unpacker.KVBToImageFolder(blocked), BookUnpacker::StopRun);
}
