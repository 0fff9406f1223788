// Archives in: listing, order, names, bytes and the refusals; ComicInfo.xml
// both ways.
#include "archive/archivepages.h"
#include "archive/comicinfo.h"
#include "archivefixtures.h"
#include "platform/safefile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kvb;
using archivefixtures::Item;
using archivefixtures::ZipBytes;

namespace {

QByteArray scratchBytes(const PageEntry &page)
{
    QFile f(page.sourcePath);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(qint64(page.offset)))
        return {};
    return f.read(page.size);
}

class ArchiveTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString put(const QString &name, const QByteArray &bytes) const
    {
        EXPECT_TRUE(testsupport::writeFile(path(name), bytes));
        return path(name);
    }
    // Reads an archive whole into a scratch file of its own folder.
    ArchiveContents read(const QString &archive, const ArchiveLimits &limits = {})
    {
        m_scratch = std::make_unique<platform::ScratchFile>(m_scratchDir.path(), QStringLiteral("$KA"));
        EXPECT_TRUE(m_scratch->open());
        return readArchivePages(archive, *m_scratch, limits);
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_scratchDir;
    std::unique_ptr<platform::ScratchFile> m_scratch;
};

} // namespace

TEST_F(ArchiveTest, PagesComeInLogicalOrderFolderByFolderWithTheirBytesInEveryFormat)
{
    const QByteArray jpeg = testsupport::encode(testsupport::cornerPicture(8, 6), "JPG");
    const QByteArray png = testsupport::encode(testsupport::cornerPicture(5, 5), "PNG");
    const QByteArray bmp = testsupport::encode(testsupport::cornerPicture(4, 4), "BMP");
    const std::vector<Item> items = {
        {QStringLiteral("ComicInfo.xml"), "<ComicInfo><Title>T</Title></ComicInfo>"},
        {QStringLiteral("vol10/1.jpg"), jpeg + "a"},
        {QStringLiteral("vol2"), {}, Item::Folder},
        {QStringLiteral("vol2/10.jpg"), jpeg + "b"},
        // A PNG named .JPG: the kind comes from the bytes.
        {QStringLiteral("vol2/9.JPG"), png},
        {QStringLiteral("1.bmp"), bmp},
        {QStringLiteral("notes.txt"), "text"},
        {QStringLiteral("__MACOSX/vol2/._9.JPG"), "fork"},
        {QStringLiteral("vol2/.hidden.jpg"), jpeg},
        {QStringLiteral("empty.jpg"), {}},
        {QStringLiteral("sub/other.kvb"), "book"},
        {QStringLiteral("latest"), "vol10", Item::Symlink},
    };
    for (const char *format : {"zip", "7zip", "ustar"}) {
        SCOPED_TRACE(format);
        const QString archive = path(QStringLiteral("book.") + QLatin1String(format));
        // Without the link first: a link refuses the whole archive.
        ASSERT_TRUE(archivefixtures::writeArchive(archive, format, {items.begin(), items.end() - 1}));
        const ArchiveContents contents = read(archive);
        ASSERT_FALSE(contents.problem) << describeProblem(contents.problem).toStdString();
        ASSERT_EQ(contents.pages.size(), 4u);
        const std::vector<std::pair<uint8_t, QByteArray>> expected = {
            {Bmp, bmp}, {Png, png}, {Jpeg, jpeg + "b"}, {Jpeg, jpeg + "a"}};
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(contents.pages[i].kind, expected[i].first) << i;
            EXPECT_EQ(scratchBytes(contents.pages[i]), expected[i].second) << i;
        }
        EXPECT_TRUE(contents.hasComicInfo);
        EXPECT_EQ(contents.comicInfo, items[0].bytes);
        QStringList others;
        for (const ArchiveEntry &e : contents.others)
            others << e.name + u'=' + (e.role == EntryRole::ComicInfo ? QStringLiteral("info") : describeLeftOut(e.leftOut));
        others.sort();
        EXPECT_EQ(others.join(u'|'), QStringLiteral("ComicInfo.xml=info|__MACOSX/vol2/._9.JPG=a hidden entry|"
                                                    "empty.jpg=an empty picture|notes.txt=not a page picture|"
                                                    "sub/other.kvb=not a page picture|vol2/.hidden.jpg=a hidden entry|"
                                                    "vol2=a folder"))
            << format;

        // The listing alone gives the same order without reading a byte.
        const ArchiveListing listing = listArchive(archive);
        ASSERT_EQ(listing.pages.size(), 4u);
        EXPECT_EQ(listing.pages[0].name, QStringLiteral("1.bmp"));
        EXPECT_EQ(listing.pages[3].name, QStringLiteral("vol10/1.jpg"));

        ASSERT_TRUE(archivefixtures::writeArchive(archive, format, items));
        EXPECT_EQ(read(archive).problem.error, ArchiveError::Link);
    }
}

TEST_F(ArchiveTest, UnmarkedNamesAreUtf8WhereValidElseCp932)
{
    // "表紙/ソ10.jpg" and "表紙/ソ9.jpg" in CP932 (0x5C as a second byte), and
    // "表紙/ソ1.jpg" marked as UTF-8.
    ZipBytes zip;
    zip.add(ZipBytes::stored("\x95\x5c\x8e\x86/\x83\x5c" "10.jpg", "ten"));
    zip.add(ZipBytes::stored("\x95\x5c\x8e\x86/\x83\x5c" "9.jpg", "nine"));
    ZipBytes::Entry marked = ZipBytes::stored(QStringLiteral("表紙/ソ1.jpg").toUtf8(), "one");
    marked.flags = 0x800;
    zip.add(marked);
    zip.add(ZipBytes::stored(QStringLiteral("表紙/ソ2.jpg").toUtf8(), "two")); // UTF-8, unmarked
    const ArchiveListing listing = listArchive(put(QStringLiteral("jp.cbz"), zip.bytes()));
    ASSERT_FALSE(listing.problem) << describeProblem(listing.problem).toStdString();
    QStringList names;
    for (const ArchiveEntry &e : listing.pages)
        names << e.name;
    EXPECT_EQ(names, (QStringList{QStringLiteral("表紙/ソ1.jpg"), QStringLiteral("表紙/ソ2.jpg"),
                                  QStringLiteral("表紙/ソ9.jpg"), QStringLiteral("表紙/ソ10.jpg")}));
}

TEST_F(ArchiveTest, HostileArchivesAreRefusedWithNothingLeftBehind)
{
    const QByteArray jpeg = testsupport::encode(testsupport::cornerPicture(8, 6), "JPG");
    auto zipOf = [](std::vector<ZipBytes::Entry> entries) {
        ZipBytes zip;
        for (const ZipBytes::Entry &e : entries)
            zip.add(e);
        return zip.bytes();
    };
    ZipBytes::Entry link = ZipBytes::stored("latest.jpg", "../../etc/passwd");
    link.unixMode = 0120777;
    ZipBytes::Entry encrypted = ZipBytes::stored("1.jpg", jpeg);
    encrypted.flags = 1;
    ZipBytes::Entry huge = ZipBytes::stored("1.jpg", jpeg);
    huge.uncompressedSize = 0xF0000000u;
    // An overlapping-entry bomb claims its size in many entries at once: 50
    // of 1500 MiB are more than any book may hold together.
    std::vector<ZipBytes::Entry> bomb;
    for (int i = 0; i < 50; ++i)
        bomb.push_back(ZipBytes::deflated(QByteArray::number(i) + ".jpg", QByteArray(1024, '\0'), int64_t(1500) << 20));
    // A stream that inflates to 16 MiB behind a claim of 1000 bytes.
    const QByteArray liar = zipOf({ZipBytes::deflated("1.jpg", QByteArray(16 << 20, '\0'), 1000)});
    std::vector<ZipBytes::Entry> many;
    for (int i = 0; i < 70000; ++i)
        many.push_back(ZipBytes::stored(QByteArray::number(i) + ".jpg", "x"));

    const QString whole = path(QStringLiteral("whole.cbz"));
    ASSERT_TRUE(archivefixtures::writeArchive(whole, "zip", {{QStringLiteral("1.jpg"), jpeg.repeated(40)},
                                                            {QStringLiteral("2.jpg"), jpeg.repeated(40)}}));
    const QByteArray wholeZip = testsupport::readFile(whole);
    const QString whole7z = path(QStringLiteral("whole.cb7"));
    ASSERT_TRUE(archivefixtures::writeArchive(whole7z, "7zip", {{QStringLiteral("1.jpg"), jpeg.repeated(40)}}));
    const QByteArray wholeTar = archivefixtures::tarHeader("1.jpg", 5000) + QByteArray(5120, 'j');

    const std::vector<std::tuple<const char *, QByteArray, ArchiveError>> cases = {
        {"an entry claiming 10 GB", archivefixtures::tarHeader("big.jpg", uint64_t(10) << 30) + QByteArray(1024, 'j'),
         ArchiveError::PageTooLarge},
        {"an entry claiming 3.75 GB", zipOf({huge}), ArchiveError::PageTooLarge},
        {"a zip bomb of overlapping claims", zipOf(bomb), ArchiveError::TooLarge},
        {"data beyond its claim", liar, ArchiveError::Damaged},
        {"../evil.jpg", zipOf({ZipBytes::stored("pages/../../evil.jpg", jpeg)}), ArchiveError::UnsafePath},
        {"an absolute path", zipOf({ZipBytes::stored("/tmp/evil.jpg", jpeg)}), ArchiveError::UnsafePath},
        {"a drive path", zipOf({ZipBytes::stored("C:\\evil.jpg", jpeg)}), ArchiveError::UnsafePath},
        {"a symbolic link", zipOf({link}), ArchiveError::Link},
        {"a hard link", archivefixtures::tarHeader("2.jpg", 0, '1', "1.jpg") + QByteArray(1024, '\0'),
         ArchiveError::Link},
        {"an encrypted entry", zipOf({encrypted}), ArchiveError::Encrypted},
        {"a truncated ZIP", wholeZip.left(wholeZip.size() / 2), ArchiveError::Damaged},
        {"a truncated 7z", testsupport::readFile(whole7z).chopped(40), ArchiveError::Damaged},
        {"a truncated tar", wholeTar.left(2000), ArchiveError::Damaged},
        {"70000 entries", zipOf(many), ArchiveError::TooManyPages},
        {"no archive", jpeg, ArchiveError::Unreadable},
    };
    for (const auto &[what, bytes, expected] : cases) {
        SCOPED_TRACE(what);
        const QString archive = put(QStringLiteral("hostile.cbz"), bytes);
        const ArchiveContents contents = read(archive);
        EXPECT_EQ(contents.problem.error, expected) << describeProblem(contents.problem).toStdString();
        EXPECT_TRUE(contents.pages.empty());
        // A stream that inflates beyond its claim is stopped there.
        EXPECT_LE(m_scratch->size(), uint64_t(1) << 20);
        m_scratch.reset();
        EXPECT_TRUE(QDir(m_scratchDir.path()).isEmpty());
    }
    // The 10 GB claim in a well-formed archive is refused by the listing too,
    // before any data is read.
    const QString claim = put(QStringLiteral("claim.cbt"), std::get<1>(cases[0]));
    EXPECT_EQ(listArchive(claim).problem.error, ArchiveError::PageTooLarge);
}

TEST(ComicInfo, ReadsTheMappingWithinTheBookLimits)
{
    const QString longValue(200, u'v');
    const QByteArray xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<ComicInfo xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "  <Title>  The\n  Title </Title><Series>Saga</Series><Number>12</Number>\n"
        "  <Summary>%1</Summary><Year>2021</Year><Month>2</Month><Day>30</Day>\n"
        "  <Writer>Ann, Bob</Writer><Penciller>Bob</Penciller><Artist>Cy</Artist>\n"
        "  <Publisher>Pub</Publisher><Imprint>Imp</Imprint><Genre>SF</Genre>\n"
        "  <Manga>YesAndRightToLeft</Manga><AVeryLongElementName>x</AVeryLongElementName>\n"
        "  <Notes></Notes><Pages><Page Image=\"0\" Type=\"FrontCover\"/></Pages>\n"
        "</ComicInfo>\n").arg(longValue).toUtf8();
    QString error;
    const std::optional<ComicInfo> info = readComicInfo(xml, &error);
    ASSERT_TRUE(info) << error.toStdString();
    EXPECT_EQ(info->principal.text(Title), QStringLiteral("The Title"));
    EXPECT_EQ(info->principal.text(Subtitle), QStringLiteral("Saga #12"));
    EXPECT_EQ(info->principal.text(Author), QStringLiteral("Ann"));
    EXPECT_EQ(info->principal.text(Publisher), QStringLiteral("Pub"));
    // February has no 30th: the day stays open.
    EXPECT_EQ(info->principal.date, (BookDate{2021, 2, 0}));
    EXPECT_TRUE(info->bindRight);
    QStringList further;
    for (const AttributeEntry &a : info->further)
        further << QStringLiteral("%1:%2=%3").arg(a.type).arg(a.name, a.text.size() > 20 ? a.text.right(3) : a.text);
    EXPECT_EQ(further, (QStringList{QStringLiteral("3:=Bob"), QStringLiteral("3:=Cy"), QStringLiteral("4:=Imp"),
                                    QStringLiteral("7:Summary=vv…"), QStringLiteral("7:Genre=SF"),
                                    QStringLiteral("7:AVeryLongElement=x")}));
    EXPECT_EQ(info->further[3].text.size(), kMaxTextChars);

    // A number alone; a year out of range leaves the date open.
    const std::optional<ComicInfo> number =
        readComicInfo("<ComicInfo><Number>3</Number><Year>-1</Year><Manga>Yes</Manga></ComicInfo>");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->principal.text(Subtitle), QStringLiteral("#3"));
    EXPECT_FALSE(number->principal.date);
    EXPECT_FALSE(number->bindRight);

    for (const char *bad : {"<ComicInfo><Title>T</ComicInfo>", "<Other/>", "", "<ComicInfo/><ComicInfo/>"}) {
        error.clear();
        EXPECT_FALSE(readComicInfo(bad, &error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}

TEST(ComicInfo, WritingReversesTheMappingAndReadsBackTheSame)
{
    auto text = [](uint8_t type, const QString &t) {
        AttributeEntry e;
        e.type = type;
        e.text = t;
        return e;
    };
    auto item = [](const QString &name, const QString &value) {
        AttributeEntry e;
        e.type = UserDefined;
        e.name = name;
        e.text = value;
        return e;
    };
    PrincipalAttributes principal;
    principal.text(Title) = QStringLiteral("Title & <more>");
    principal.text(Subtitle) = QStringLiteral("Saga #12");
    principal.text(Author) = QStringLiteral("Ann");
    principal.text(Publisher) = QStringLiteral("Pub");
    principal.text(Circle) = QStringLiteral("Club");
    principal.date = BookDate{2024, 2, 0};
    const AttributeList further = {text(Author, QStringLiteral("Bob")), text(Publisher, QStringLiteral("Imp")),
                                   item(QStringLiteral("Genre"), QStringLiteral("SF")),
                                   item(QStringLiteral("作画"), QStringLiteral("Cy")),
                                   item(QStringLiteral("My item"), QStringLiteral("no element")),
                                   item(QStringLiteral("Summary"), QStringLiteral("Long")),
                                   // A control character XML cannot hold.
                                   item(QStringLiteral("Notes"), QStringLiteral("a\u0001b"))};
    QStringList leftOut;
    const QByteArray xml = writeComicInfo(bookAttributeList(principal, further), BindR | PageSpread, &leftOut);
    EXPECT_EQ(leftOut, (QStringList{QStringLiteral("circle Club"), QStringLiteral("item My item")}));
    // The schema's order: Summary before Year, Genre after Publisher.
    const QString s = QString::fromUtf8(xml);
    EXPECT_LT(s.indexOf(QLatin1String("<Number>12")), s.indexOf(QLatin1String("<Summary>")));
    EXPECT_LT(s.indexOf(QLatin1String("<Summary>")), s.indexOf(QLatin1String("<Year>2024")));
    EXPECT_LT(s.indexOf(QLatin1String("<Imprint>")), s.indexOf(QLatin1String("<Genre>")));
    EXPECT_TRUE(s.contains(QLatin1String("<Manga>YesAndRightToLeft</Manga>")));
    EXPECT_FALSE(s.contains(QLatin1String("<Day>")));

    QString error;
    const std::optional<ComicInfo> back = readComicInfo(xml, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_TRUE(back->bindRight);
    principal.text(Circle).clear();
    PrincipalAttributes read = back->principal;
    EXPECT_EQ(read.texts, principal.texts);
    EXPECT_EQ(read.date, principal.date);
    // Items come back in the schema's order.
    EXPECT_EQ(back->further, (AttributeList{further[0], further[1], further[5], item(QStringLiteral("Notes"), QStringLiteral("ab")),
                                            further[2], further[3]}));
}
