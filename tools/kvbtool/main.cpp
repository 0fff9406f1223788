// kvbtool: the command-line face of the book library, for people who script
// their libraries. Exit status: 0 success, 1 a book that is not well formed or
// an operation that failed, 2 a usage error.
#include "book/coverpicture.h"
#include "book/kvbfile.h"
#include "book/pagecollect.h"
#include "book/principalattributes.h"
#include "picture/picture.h"
#include "platform/safefile.h"
#include "platform/commandline.h"
#include "platform/filenames.h"
#include "platform/progressline.h"
#include "platform/textcompare.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QRegularExpression>

#include <cstdio>
#include <optional>
#include <utility>

using namespace kvb;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const platform::ProgramInfo kTool{
    QStringLiteral("kvbtool"), QStringLiteral("kvbtool"),
    QStringLiteral(
        "usage: kvbtool info [--json] [--decode] [--] BOOK\n"
        "       kvbtool pack [--cover] [--bind-right] [--spread] [--thumbnail] [--title T]\n"
        "                    [--subtitle S] [--author A]... [--publisher P]... [--circle C]...\n"
        "                    [--date Y[-M[-D]]] [--item NAME=VALUE]... [--quiet] [--] OUT.kvb INPUT...\n"
        "       kvbtool unpack [--] BOOK DIR\n"
        "       kvbtool thumbnail [--size N] [--] BOOK OUT.png\n"
        "       kvbtool page [--] BOOK N OUT.png\n"
        "       kvbtool verify [--decode] [--quiet] [--] BOOK...\n"
        "       kvbtool --help | --version\n"
        "\n"
        "-- ends the options: every word after it is a file name, even one that starts with '-'.\n"
        "Text output shows control characters escaped (\\u001b); --json output is JSON.\n"
        "While standard error is a terminal, pack and verify show a progress line; --quiet leaves it out.\n"
        "Exit status: 0 success, 1 a book that is not well formed or an operation that failed,\n"
        "2 a usage error.\n")};

// Text output: book contents and file names go through `shown`, so no title
// can end the output early or send escape sequences to the terminal.
void out(const QString &text)
{
    platform::writeText(stdout, text);
}

QString shown(const QString &text)
{
    return platform::escapedText(text);
}

int fail(const QString &reason)
{
    platform::writeText(stderr, QStringLiteral("kvbtool: %1\n").arg(shown(reason)));
    return kFailed;
}

QCommandLineOption flag(const char *name)
{
    return QCommandLineOption(QString::fromLatin1(name));
}

QCommandLineOption valued(const char *name, const char *valueName)
{
    return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(valueName));
}

QString jsonString(const QString &s)
{
    QString r = QStringLiteral("\"");
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': r += QStringLiteral("\\\""); break;
        case '\\': r += QStringLiteral("\\\\"); break;
        case '\n': r += QStringLiteral("\\n"); break;
        case '\r': r += QStringLiteral("\\r"); break;
        case '\t': r += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                r += QString::asprintf("\\u%04x", c.unicode());
            else
                r += c;
        }
    }
    return r + u'"';
}

QString kindName(uint8_t kind)
{
    switch (kind) {
    case Jpeg: return QStringLiteral("JPEG");
    case Png: return QStringLiteral("PNG");
    case Bmp: return QStringLiteral("BMP");
    default: return QStringLiteral("?");
    }
}

QString typeName(uint8_t type)
{
    switch (type) {
    case Title: return QStringLiteral("Title");
    case Subtitle: return QStringLiteral("Subtitle");
    case Author: return QStringLiteral("Author");
    case Publisher: return QStringLiteral("Publisher");
    case Circle: return QStringLiteral("Circle");
    case PublicationDate: return QStringLiteral("PublicationDate");
    case UserDefined: return QStringLiteral("UserDefined");
    default: return QStringLiteral("Type%1").arg(type);
    }
}

struct BookContents {
    bool valid = false;
    BookHeader header;
    bool headerRead = false;
    AttributeList attributes;
    PageList pages;
};

BookContents readContents(const QString &path)
{
    BookContents c;
    c.header.pageCount = 0;
    c.header.layoutFlags = 0;
    c.header.thumbnailFlag = 0;
    c.header.magic[0] = 0;
    c.valid = KVBFile::readBook(path, &c.header, &c.attributes, &c.pages);
    c.headerRead = c.header.magic[0] == 0x05;
    return c;
}

// Encodes a picture as PNG and puts the file in place whole: a failed write
// (a full disk) leaves no file behind, and a link at the path is replaced.
bool writePng(const QImage &image, const QString &path)
{
    QByteArray png;
    QBuffer buffer(&png);
    return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG") && platform::writeNewFile(path, png);
}

struct Decoded {
    bool ok = false;
    // The data is cut short or corrupt; a damaged page may still decode.
    bool damaged = false;
    QSize size;
};

Decoded decodePage(const PageEntry &page)
{
    QImage picture;
    Decoded d;
    LoadOptions options;
    options.damaged = &d.damaged;
    d.ok = loadPagePicture(page, picture, options);
    d.size = picture.size();
    return d;
}

// Each command is handed its words after "kvbtool COMMAND", that pair first.
int cmdInfo(const QStringList &args)
{
    platform::ProgramCommandLine line(kTool, {flag("json"), flag("decode")});
    if (const std::optional<int> status = line.read(args))
        return *status;
    const bool json = line.isSet(QStringLiteral("json"));
    const bool decode = line.isSet(QStringLiteral("decode"));
    const QStringList files = line.positionalArguments();
    if (files.isEmpty())
        return line.usageError(QStringLiteral("info: no book given"));
    if (files.size() > 1)
        return line.usageError(QStringLiteral("info: unexpected argument %1").arg(files[1]));
    const QString path = files.front();

    const BookContents c = readContents(path);
    const uint8_t flags = c.header.layoutFlags;
    if (json) {
        QString s = QStringLiteral("{\"path\":%1,\"valid\":%2,\"pageCount\":%3,\"layoutFlags\":%4,"
                                   "\"cover\":%5,\"bindRight\":%6,\"spread\":%7,\"thumbnail\":%8,")
                        .arg(jsonString(path), c.valid ? "true" : "false")
                        .arg(c.header.pageCount)
                        .arg(flags)
                        .arg(flags & Cover ? "true" : "false", flags & BindR ? "true" : "false",
                             flags & PageSpread ? "true" : "false",
                             c.header.thumbnailFlag & 1 ? "true" : "false");
        s += QStringLiteral("\"attributes\":[");
        for (size_t i = 0; i < c.attributes.size(); ++i) {
            const AttributeEntry &a = c.attributes[i];
            if (i)
                s += u',';
            if (a.type == PublicationDate)
                s += QStringLiteral("{\"type\":6,\"year\":%1,\"month\":%2,\"day\":%3}").arg(a.year).arg(a.month).arg(a.day);
            else if (a.type == UserDefined)
                s += QStringLiteral("{\"type\":7,\"name\":%1,\"value\":%2}").arg(jsonString(a.name), jsonString(a.text));
            else
                s += QStringLiteral("{\"type\":%1,\"text\":%2}").arg(a.type).arg(jsonString(a.text));
        }
        s += QStringLiteral("],\"pages\":[");
        for (size_t i = 0; i < c.pages.size(); ++i) {
            const PageEntry &p = c.pages[i];
            if (i)
                s += u',';
            s += QStringLiteral("{\"kind\":%1,\"offset\":%2,\"size\":%3").arg(p.kind).arg(p.offset).arg(p.size);
            if (decode) {
                const Decoded d = decodePage(p);
                if (d.ok)
                    s += QStringLiteral(",\"width\":%1,\"height\":%2").arg(d.size.width()).arg(d.size.height());
                else
                    s += QStringLiteral(",\"decodeError\":true");
                if (d.damaged)
                    s += QStringLiteral(",\"damaged\":true");
            }
            s += u'}';
        }
        s += QStringLiteral("]}\n");
        out(s);
    } else {
        QString s;
        s += QStringLiteral("path:        %1\n").arg(shown(path));
        s += QStringLiteral("well formed: %1\n").arg(c.valid ? "yes" : "no");
        s += QStringLiteral("page count:  %1 (%2 page records read)\n").arg(c.header.pageCount).arg(c.pages.size());
        QStringList names;
        if (flags & Cover)
            names << QStringLiteral("cover");
        names << (flags & BindR ? QStringLiteral("right binding") : QStringLiteral("left binding"));
        names << (flags & PageSpread ? QStringLiteral("spread") : QStringLiteral("single pages"));
        s += QStringLiteral("layout:      0x%1 (%2)\n").arg(flags, 2, 16, QChar(u'0')).arg(names.join(QStringLiteral(", ")));
        s += QStringLiteral("thumbnail:   %1\n").arg(c.header.thumbnailFlag & 1 ? "yes" : "no");
        s += QStringLiteral("attributes:  %1\n").arg(c.attributes.size());
        for (const AttributeEntry &a : c.attributes) {
            if (a.type == PublicationDate)
                s += QStringLiteral("  %1: %2-%3-%4\n").arg(typeName(a.type)).arg(a.year, 4, 10, QChar(u'0'))
                         .arg(a.month, 2, 10, QChar(u'0')).arg(a.day, 2, 10, QChar(u'0'));
            else if (a.type == UserDefined)
                s += QStringLiteral("  %1: %2 = %3\n").arg(typeName(a.type), shown(a.name), shown(a.text));
            else
                s += QStringLiteral("  %1: %2\n").arg(typeName(a.type), shown(a.text));
        }
        s += QStringLiteral("pages:\n");
        for (size_t i = 0; i < c.pages.size(); ++i) {
            const PageEntry &p = c.pages[i];
            s += QStringLiteral("  %1 %2 offset %3 size %4").arg(i + 1, 5).arg(kindName(p.kind), -4).arg(p.offset).arg(p.size);
            if (decode) {
                const Decoded d = decodePage(p);
                s += d.ok ? QStringLiteral(" %1x%2").arg(d.size.width()).arg(d.size.height())
                          : QStringLiteral(" decode failed");
                if (d.damaged)
                    s += QStringLiteral(" damaged");
            }
            s += u'\n';
        }
        out(s);
    }
    if (!c.valid)
        return fail(QStringLiteral("%1 is not a well-formed book").arg(path));
    return kOk;
}

// Checks a text option as the book editor does; returns the reason or empty.
QString checkText(const QString &value, int limit)
{
    if (value.size() > limit)
        return QStringLiteral("longer than %1 characters").arg(limit);
    if (platform::hasControlCharacter(value))
        return QStringLiteral("contains a control character");
    return {};
}

std::optional<BookDate> parseDate(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,4})(?:-(\\d{1,2})(?:-(\\d{1,2}))?)?$"));
    const QRegularExpressionMatch m = form.match(value);
    if (!m.hasMatch())
        return std::nullopt;
    const int y = m.captured(1).toInt();
    const int mo = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    const int d = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (!isValidBookDate(y, mo, d))
        return std::nullopt;
    return BookDate{y, mo, d};
}

int cmdPack(const QStringList &args)
{
    platform::ProgramCommandLine line(
        kTool, {flag("cover"), flag("bind-right"), flag("spread"), flag("thumbnail"), valued("title", "T"),
                valued("subtitle", "S"), valued("author", "A"), valued("publisher", "P"), valued("circle", "C"),
                valued("date", "Y-M-D"), valued("item", "NAME=VALUE"), flag("quiet")});
    if (const std::optional<int> status = line.read(args))
        return *status;
    const QCommandLineParser &parser = line.parser();
    auto usage = [&line](const QString &reason) { return line.usageError(reason); };

    uint8_t flags = 0;
    bool thumbnail = false;
    PrincipalAttributes principal;
    AttributeList further;
    QStringList positional = line.positionalArguments();

    // The options in the order given: further authors, publishers, circles
    // and items keep their order among one another.
    QHash<QString, qsizetype> taken;
    for (const QString &name : parser.optionNames()) {
        const QString a = QStringLiteral("--") + name;
        const QStringList values = parser.values(name);
        const QString value = values.value(taken[name]++);
        if (name == QLatin1String("cover")) {
            flags |= Cover;
        } else if (name == QLatin1String("bind-right")) {
            flags |= BindR;
        } else if (name == QLatin1String("spread")) {
            flags |= PageSpread;
        } else if (name == QLatin1String("thumbnail")) {
            thumbnail = true;
        } else if (name == QLatin1String("title") || name == QLatin1String("subtitle")
                   || name == QLatin1String("author") || name == QLatin1String("publisher")
                   || name == QLatin1String("circle")) {
            const QString why = checkText(value, kMaxTextChars);
            if (!why.isEmpty())
                return usage(QStringLiteral("%1: the value %2").arg(a, why));
            const uint8_t type = name == QLatin1String("title")       ? Title
                                 : name == QLatin1String("subtitle")  ? Subtitle
                                 : name == QLatin1String("author")    ? Author
                                 : name == QLatin1String("publisher") ? Publisher
                                                                      : Circle;
            // The last title or subtitle counts; the first author, publisher
            // or circle leads and later ones follow as further attributes.
            if (type == Title || type == Subtitle) {
                principal.text(type) = value;
            } else if (principal.text(type).isEmpty()) {
                principal.text(type) = value;
            } else if (!value.isEmpty()) {
                AttributeEntry e;
                e.type = type;
                e.text = value;
                further.push_back(e);
            }
        } else if (name == QLatin1String("date")) {
            principal.date = parseDate(value);
            if (!principal.date)
                return usage(QStringLiteral("--date: %1 is not a valid date (Y[-M[-D]], 0 leaves a part open)").arg(value));
        } else if (name == QLatin1String("item")) {
            const qsizetype eq = value.indexOf(u'=');
            if (eq <= 0)
                return usage(QStringLiteral("--item: %1 is not NAME=VALUE").arg(value));
            AttributeEntry e;
            e.type = UserDefined;
            e.name = value.left(eq);
            e.text = value.mid(eq + 1);
            QString why = checkText(e.name, kMaxItemNameChars);
            if (why.isEmpty())
                why = checkText(e.text, kMaxTextChars);
            if (!why.isEmpty())
                return usage(QStringLiteral("--item: %1").arg(why));
            further.push_back(e);
        }
    }
    if (positional.size() < 2)
        return usage(QStringLiteral("pack: needs OUT.kvb and at least one input"));
    const QString target = positional.takeFirst();

    QStringList paths;
    bool problems = false;
    for (const QString &input : positional) {
        const QFileInfo info(input);
        if (info.isDir()) {
            paths << folderPictureEntries(input);
            // A picture whose name Qt cannot represent would otherwise be
            // left out of the book without a word.
            for (const QString &unusable : unusablePictureEntries(input)) {
                problems = true;
                fail(QStringLiteral("%1: the name is not valid UTF-8 and cannot be used").arg(unusable));
            }
        } else if (info.exists()) {
            paths << input;
        } else {
            return fail(QStringLiteral("%1: no such file or folder").arg(input));
        }
    }
    PageList pages = collectPages(paths, [&](CollectProblem problem, const QString &path) {
        problems = true;
        fail(QStringLiteral("%1: %2").arg(path, problem == CollectProblem::BookUnreadable
                                                    ? QStringLiteral("not a well-formed book")
                                                    : QStringLiteral("empty, unreadable or 4 GiB or larger")));
    });
    if (pages.empty())
        return fail(QStringLiteral("no pages to pack (pictures are .jpg, .jpeg, .png, .bmp; books .kvb)"));
    if (problems)
        return fail(QStringLiteral("some inputs could not be used; nothing was written"));
    if (pages.size() > size_t(kMaxPages))
        return fail(QStringLiteral("%1 pages: a book holds at most %2").arg(pages.size()).arg(kMaxPages));

    platform::ProgressLine progress(line.isSet(QStringLiteral("quiet")));
    if (!KVBFile::writeBook(target, flags, thumbnail, bookAttributeList(principal, further), pages, &progress))
        return fail(thumbnail ? QStringLiteral("could not write %1 (or decode its first page for the thumbnail)").arg(target)
                              : QStringLiteral("could not write %1").arg(target));
    return kOk;
}

int cmdUnpack(const platform::ProgramCommandLine &line, const QStringList &files)
{
    if (files.size() != 2)
        return line.usageError(QStringLiteral("unpack: needs BOOK DIR"));
    PageList pages;
    if (!KVBFile::readBook(files[0], nullptr, nullptr, &pages))
        return fail(QStringLiteral("%1 is not a well-formed book").arg(files[0]));
    if (!QDir().mkpath(files[1]))
        return fail(QStringLiteral("cannot create %1").arg(files[1]));
    for (size_t i = 0; i < pages.size(); ++i) {
        const QString name = QString::asprintf("Img%04d", int(i)) + extensionForKind(pages[i].kind);
        if (!KVBFile::copyPageData(pages[i], QDir(files[1]).filePath(name)))
            return fail(QStringLiteral("cannot write %1").arg(QDir(files[1]).filePath(name)));
    }
    return kOk;
}

int cmdThumbnail(const QStringList &args)
{
    // --size N: a picture for a file manager, at most N x N, made from the
    // first page when the book stores no thumbnail.
    platform::ProgramCommandLine line(kTool, {valued("size", "N")});
    if (const std::optional<int> status = line.read(args))
        return *status;
    const QStringList files = line.positionalArguments();
    std::optional<int> size;
    if (line.isSet(QStringLiteral("size"))) {
        bool isNumber = false;
        const int n = line.value(QStringLiteral("size")).toInt(&isNumber);
        if (!isNumber || n < 1 || n > kMaxCoverPictureSize)
            return line.usageError(
                QStringLiteral("thumbnail: --size takes a number from 1 to %1").arg(kMaxCoverPictureSize));
        size = n;
    }
    if (files.size() != 2)
        return line.usageError(QStringLiteral("thumbnail: needs BOOK OUT.png"));
    QImage picture;
    if (size) {
        if (!bookCoverPicture(files[0], *size, picture))
            return fail(QStringLiteral("%1 is not a well-formed book or its first page does not decode").arg(files[0]));
    } else {
        BookHeader header;
        std::vector<uint8_t> thumb(kThumbnailBytes);
        if (!KVBFile::readBook(files[0], KVBFile::ReadOptions{&header, nullptr, nullptr, thumb.data()}))
            return fail(QStringLiteral("%1 is not a well-formed book").arg(files[0]));
        if (!(header.thumbnailFlag & 1))
            return fail(QStringLiteral("%1 has no thumbnail").arg(files[0]));
        picture = bookThumbnailImage(thumb.data());
    }
    if (!writePng(picture, files[1]))
        return fail(QStringLiteral("cannot write %1").arg(files[1]));
    return kOk;
}

int cmdPage(const platform::ProgramCommandLine &line, const QStringList &files)
{
    if (files.size() != 3)
        return line.usageError(QStringLiteral("page: needs BOOK N OUT.png"));
    bool isNumber = false;
    const int n = files[1].toInt(&isNumber);
    if (!isNumber || n < 1)
        return line.usageError(QStringLiteral("page: N is a page number from 1"));
    PageList pages;
    if (!KVBFile::readBook(files[0], nullptr, nullptr, &pages))
        return fail(QStringLiteral("%1 is not a well-formed book").arg(files[0]));
    if (size_t(n) > pages.size())
        return fail(QStringLiteral("%1 has %2 pages").arg(files[0]).arg(pages.size()));
    QImage picture;
    if (!loadPagePicture(pages[size_t(n - 1)], picture))
        return fail(QStringLiteral("page %1 cannot be decoded").arg(n));
    if (!writePng(picture, files[2]))
        return fail(QStringLiteral("cannot write %1").arg(files[2]));
    return kOk;
}

// How verify finds a page: every byte is read and the picture's structure
// walked; a page whose structure breaks off is decoded to tell whether it is
// damaged (a JPEG that lacks only its end marker shows whole). With `decode`
// every page is decoded, which also finds corrupt data inside a whole
// structure.
Decoded checkPage(QFile &book, const PageEntry &page, bool decode)
{
    Decoded d;
    QByteArray bytes;
    if (!readPageBytes(book, page.offset, page.size, bytes))
        return d;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const PictureHeader header = readPictureHeader(buffer);
    if (!decode && header.size.isValid() && fitsDecodeLimit(header.size)
        && pictureStructureOf(bytes) == PictureStructure::Complete) {
        d.ok = true;
        return d;
    }
    QImage picture;
    LoadOptions options;
    options.damaged = &d.damaged;
    d.ok = decodePagePicture(bytes, page.kind, picture, options);
    return d;
}

int cmdVerify(const QStringList &args)
{
    platform::ProgramCommandLine line(kTool, {flag("decode"), flag("quiet")});
    if (const std::optional<int> status = line.read(args))
        return *status;
    const bool decode = line.isSet(QStringLiteral("decode"));
    const QStringList files = line.positionalArguments();
    if (files.isEmpty())
        return line.usageError(QStringLiteral("verify: no book given"));
    // One book's line is its progress; several get a progress line.
    platform::ProgressLine progress(line.isSet(QStringLiteral("quiet")) || files.size() == 1);
    platform::ProgressScope scope(progress, QString(), int(files.size()));
    bool allGood = true;
    int done = 0;
    for (const QString &path : files) {
        progress.setText(path);
        const BookContents c = readContents(path);
        if (!c.valid) {
            allGood = false;
            QString why;
            if (!QFileInfo(path).isFile())
                why = QStringLiteral("cannot be opened");
            else if (!c.headerRead)
                why = QStringLiteral("not a book (header missing or wrong magic)");
            else if (c.pages.size() != c.header.pageCount)
                why = QStringLiteral("ends early or has %1 of %2 pages").arg(c.pages.size()).arg(c.header.pageCount);
            else
                why = QStringLiteral("ends inside a record");
            progress.setPosition(++done);
            out(QStringLiteral("%1: not well formed: %2\n").arg(shown(path), why));
            continue;
        }
        // Damaged pages are counted apart from pages that do not decode for
        // other reasons (not a picture, too large), whether they show or not.
        int failed = 0, damaged = 0;
        QString firstFailed, firstDamaged;
        QFile book(path);
        const bool opened = book.open(QIODevice::ReadOnly);
        for (size_t i = 0; i < c.pages.size(); ++i) {
            const Decoded d = opened ? checkPage(book, c.pages[i], decode) : Decoded{};
            if (d.damaged) {
                if (!damaged++)
                    firstDamaged = QString::number(i + 1);
            } else if (!d.ok) {
                if (!failed++)
                    firstFailed = QString::number(i + 1);
            }
        }
        progress.setPosition(++done);
        if (failed || damaged) {
            allGood = false;
            QStringList problems;
            if (failed)
                problems << QStringLiteral("%1 of %2 pages do not decode (first: page %3)")
                                .arg(failed).arg(c.pages.size()).arg(firstFailed);
            if (damaged)
                problems << QStringLiteral("%1 of %2 pages are damaged (first: page %3)")
                                .arg(damaged).arg(c.pages.size()).arg(firstDamaged);
            out(QStringLiteral("%1: well formed, %2\n").arg(shown(path), problems.join(QStringLiteral(", "))));
        } else {
            out(QStringLiteral("%1: well formed, all %2 pages %3\n")
                    .arg(shown(path))
                    .arg(c.pages.size())
                    .arg(decode ? QStringLiteral("decode") : QStringLiteral("read whole")));
        }
    }
    return allGood ? kOk : kFailed;
}

} // namespace

int main(int argc, char **argv)
{
    const platform::ProgramArguments arguments = platform::programArguments(argc, argv);
    QCoreApplication app(argc, argv);
    // A name that is not valid UTF-8 would reach the files as another name:
    // an input missed, an output written under an altered name.
    if (!arguments.unusable.isEmpty())
        return platform::ProgramCommandLine(kTool).refuseUnusable(arguments.unusable);
    const QStringList &args = arguments.usable;
    if (args.size() < 2) {
        platform::writeText(stderr, kTool.usage);
        return kUsage;
    }
    const QString command = args[1];
    const QStringList rest = QStringList{args[0] + u' ' + command} + args.mid(2);
    if (command == QLatin1String("info"))
        return cmdInfo(rest);
    if (command == QLatin1String("pack"))
        return cmdPack(rest);
    if (command == QLatin1String("thumbnail"))
        return cmdThumbnail(rest);
    if (command == QLatin1String("verify"))
        return cmdVerify(rest);
    // The commands without options of their own take only files.
    using FilesCommand = int (*)(const platform::ProgramCommandLine &, const QStringList &);
    const std::pair<const char *, FilesCommand> filesCommands[] = {
        {"unpack", cmdUnpack}, {"page", cmdPage}};
    for (const auto &[name, run] : filesCommands) {
        if (command != QLatin1String(name))
            continue;
        platform::ProgramCommandLine line(kTool);
        if (const std::optional<int> status = line.read(rest))
            return *status;
        return run(line, line.positionalArguments());
    }
    // --help, --version, or a word that is neither an option nor a command.
    platform::ProgramCommandLine line(kTool);
    if (const std::optional<int> status = line.read(args))
        return *status;
    return line.usageError(QStringLiteral("unknown command %1").arg(command));
}
