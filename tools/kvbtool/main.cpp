// kvbtool: the command-line face of the book library, for people who script
// their libraries. Exit status: 0 success, 1 a book that is not well formed or
// an operation that failed, 2 a usage error.
#include "book/coverpicture.h"
#include "book/kvbfile.h"
#include "book/pagecollect.h"
#include "book/principalattributes.h"
#include "picture/picture.h"
#include "platform/safefile.h"
#include "platform/textcompare.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

using namespace kvb;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

void out(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

int fail(const QString &reason)
{
    std::fprintf(stderr, "kvbtool: %s\n", reason.toUtf8().constData());
    return kFailed;
}

int usage(const QString &reason = {})
{
    if (!reason.isEmpty())
        std::fprintf(stderr, "kvbtool: %s\n", reason.toUtf8().constData());
    std::fputs(
        "usage: kvbtool info [--json] [--decode] BOOK\n"
        "       kvbtool pack [--cover] [--bind-right] [--spread] [--thumbnail] [--title T]\n"
        "                    [--subtitle S] [--author A]... [--publisher P]... [--circle C]...\n"
        "                    [--date Y[-M[-D]]] [--item NAME=VALUE]... OUT.kvb INPUT...\n"
        "       kvbtool unpack BOOK DIR\n"
        "       kvbtool thumbnail [--size N] BOOK OUT.png\n"
        "       kvbtool page BOOK N OUT.png\n"
        "       kvbtool verify BOOK...\n",
        stderr);
    return kUsage;
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
    QSize size;
};

Decoded decodePage(const PageEntry &page)
{
    QImage picture;
    Decoded d;
    d.ok = loadPagePicture(page, picture);
    d.size = picture.size();
    return d;
}

int cmdInfo(const QStringList &args)
{
    bool json = false, decode = false;
    QString path;
    for (const QString &a : args) {
        if (a == QLatin1String("--json"))
            json = true;
        else if (a == QLatin1String("--decode"))
            decode = true;
        else if (a.startsWith(QLatin1String("--")) || !path.isEmpty())
            return usage(QStringLiteral("info: unexpected argument %1").arg(a));
        else
            path = a;
    }
    if (path.isEmpty())
        return usage(QStringLiteral("info: no book given"));

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
            }
            s += u'}';
        }
        s += QStringLiteral("]}\n");
        out(s);
    } else {
        QString s;
        s += QStringLiteral("path:        %1\n").arg(path);
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
                s += QStringLiteral("  %1: %2 = %3\n").arg(typeName(a.type), a.name, a.text);
            else
                s += QStringLiteral("  %1: %2\n").arg(typeName(a.type), a.text);
        }
        s += QStringLiteral("pages:\n");
        for (size_t i = 0; i < c.pages.size(); ++i) {
            const PageEntry &p = c.pages[i];
            s += QStringLiteral("  %1 %2 offset %3 size %4").arg(i + 1, 5).arg(kindName(p.kind), -4).arg(p.offset).arg(p.size);
            if (decode) {
                const Decoded d = decodePage(p);
                s += d.ok ? QStringLiteral(" %1x%2").arg(d.size.width()).arg(d.size.height())
                          : QStringLiteral(" decode failed");
            }
            s += u'\n';
        }
        out(s);
    }
    if (!c.valid) {
        std::fprintf(stderr, "kvbtool: %s is not a well-formed book\n", path.toUtf8().constData());
        return kFailed;
    }
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
    uint8_t flags = 0;
    bool thumbnail = false;
    PrincipalAttributes principal;
    AttributeList further;
    QStringList positional;

    auto takeValue = [&](qsizetype &i, const QString &option, QString &value) -> bool {
        if (i + 1 >= args.size())
            return false;
        value = args[++i];
        (void)option;
        return true;
    };

    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString value;
        if (a == QLatin1String("--cover")) {
            flags |= Cover;
        } else if (a == QLatin1String("--bind-right")) {
            flags |= BindR;
        } else if (a == QLatin1String("--spread")) {
            flags |= PageSpread;
        } else if (a == QLatin1String("--thumbnail")) {
            thumbnail = true;
        } else if (a == QLatin1String("--title") || a == QLatin1String("--subtitle")
                   || a == QLatin1String("--author") || a == QLatin1String("--publisher")
                   || a == QLatin1String("--circle")) {
            if (!takeValue(i, a, value))
                return usage(QStringLiteral("%1 needs a value").arg(a));
            const QString why = checkText(value, kMaxTextChars);
            if (!why.isEmpty())
                return usage(QStringLiteral("%1: the value %2").arg(a, why));
            const uint8_t type = a == QLatin1String("--title")       ? Title
                                 : a == QLatin1String("--subtitle")  ? Subtitle
                                 : a == QLatin1String("--author")    ? Author
                                 : a == QLatin1String("--publisher") ? Publisher
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
        } else if (a == QLatin1String("--date")) {
            if (!takeValue(i, a, value))
                return usage(QStringLiteral("--date needs a value"));
            principal.date = parseDate(value);
            if (!principal.date)
                return usage(QStringLiteral("--date: %1 is not a valid date (Y[-M[-D]], 0 leaves a part open)").arg(value));
        } else if (a == QLatin1String("--item")) {
            if (!takeValue(i, a, value))
                return usage(QStringLiteral("--item needs NAME=VALUE"));
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
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage(QStringLiteral("pack: unknown option %1").arg(a));
        } else {
            positional << a;
        }
    }
    if (positional.size() < 2)
        return usage(QStringLiteral("pack: needs OUT.kvb and at least one input"));
    const QString target = positional.takeFirst();

    QStringList paths;
    for (const QString &input : positional) {
        const QFileInfo info(input);
        if (info.isDir())
            paths << folderPictureEntries(input);
        else if (info.exists())
            paths << input;
        else
            return fail(QStringLiteral("%1: no such file or folder").arg(input));
    }
    bool problems = false;
    PageList pages = collectPages(paths, [&](CollectProblem problem, const QString &path) {
        problems = true;
        std::fprintf(stderr, "kvbtool: %s: %s\n", path.toUtf8().constData(),
                     problem == CollectProblem::BookUnreadable ? "not a well-formed book"
                                                               : "empty, unreadable or 4 GiB or larger");
    });
    if (pages.empty())
        return fail(QStringLiteral("no pages to pack (pictures are .jpg, .jpeg, .png, .bmp; books .kvb)"));
    if (problems)
        return fail(QStringLiteral("some inputs could not be used; nothing was written"));
    if (pages.size() > size_t(kMaxPages))
        return fail(QStringLiteral("%1 pages: a book holds at most %2").arg(pages.size()).arg(kMaxPages));

    if (!KVBFile::writeBook(target, flags, thumbnail, bookAttributeList(principal, further), pages))
        return fail(thumbnail ? QStringLiteral("could not write %1 (or decode its first page for the thumbnail)").arg(target)
                              : QStringLiteral("could not write %1").arg(target));
    return kOk;
}

int cmdUnpack(const QStringList &args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("unpack: needs BOOK DIR"));
    PageList pages;
    if (!KVBFile::readBook(args[0], nullptr, nullptr, &pages))
        return fail(QStringLiteral("%1 is not a well-formed book").arg(args[0]));
    if (!QDir().mkpath(args[1]))
        return fail(QStringLiteral("cannot create %1").arg(args[1]));
    for (size_t i = 0; i < pages.size(); ++i) {
        const QString name = QString::asprintf("Img%04d", int(i)) + extensionForKind(pages[i].kind);
        if (!KVBFile::copyPageData(pages[i], QDir(args[1]).filePath(name)))
            return fail(QStringLiteral("cannot write %1").arg(QDir(args[1]).filePath(name)));
    }
    return kOk;
}

int cmdThumbnail(QStringList args)
{
    // --size N: a picture for a file manager, at most N x N, made from the
    // first page when the book stores no thumbnail.
    std::optional<int> size;
    const qsizetype sizeAt = args.indexOf(QStringLiteral("--size"));
    if (sizeAt >= 0) {
        bool isNumber = false;
        const int n = sizeAt + 1 < args.size() ? args[sizeAt + 1].toInt(&isNumber) : 0;
        if (!isNumber || n < 1 || n > kMaxCoverPictureSize)
            return usage(QStringLiteral("thumbnail: --size takes a number from 1 to %1").arg(kMaxCoverPictureSize));
        size = n;
        args.remove(sizeAt, 2);
    }
    if (args.size() != 2)
        return usage(QStringLiteral("thumbnail: needs BOOK OUT.png"));
    QImage picture;
    if (size) {
        if (!bookCoverPicture(args[0], *size, picture))
            return fail(QStringLiteral("%1 is not a well-formed book or its first page does not decode").arg(args[0]));
    } else {
        BookHeader header;
        std::vector<uint8_t> thumb(kThumbnailBytes);
        if (!KVBFile::readBook(args[0], KVBFile::ReadOptions{&header, nullptr, nullptr, thumb.data()}))
            return fail(QStringLiteral("%1 is not a well-formed book").arg(args[0]));
        if (!(header.thumbnailFlag & 1))
            return fail(QStringLiteral("%1 has no thumbnail").arg(args[0]));
        picture = bookThumbnailImage(thumb.data());
    }
    if (!writePng(picture, args[1]))
        return fail(QStringLiteral("cannot write %1").arg(args[1]));
    return kOk;
}

int cmdPage(const QStringList &args)
{
    if (args.size() != 3)
        return usage(QStringLiteral("page: needs BOOK N OUT.png"));
    bool isNumber = false;
    const int n = args[1].toInt(&isNumber);
    if (!isNumber || n < 1)
        return usage(QStringLiteral("page: N is a page number from 1"));
    PageList pages;
    if (!KVBFile::readBook(args[0], nullptr, nullptr, &pages))
        return fail(QStringLiteral("%1 is not a well-formed book").arg(args[0]));
    if (size_t(n) > pages.size())
        return fail(QStringLiteral("%1 has %2 pages").arg(args[0]).arg(pages.size()));
    QImage picture;
    if (!loadPagePicture(pages[size_t(n - 1)], picture))
        return fail(QStringLiteral("page %1 cannot be decoded").arg(n));
    if (!writePng(picture, args[2]))
        return fail(QStringLiteral("cannot write %1").arg(args[2]));
    return kOk;
}

int cmdVerify(const QStringList &args)
{
    if (args.isEmpty())
        return usage(QStringLiteral("verify: no book given"));
    bool allGood = true;
    for (const QString &path : args) {
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
            out(QStringLiteral("%1: not well formed: %2\n").arg(path, why));
            continue;
        }
        int failed = 0;
        QString first;
        for (size_t i = 0; i < c.pages.size(); ++i) {
            if (!decodePage(c.pages[i]).ok) {
                if (!failed)
                    first = QString::number(i + 1);
                ++failed;
            }
        }
        if (failed) {
            allGood = false;
            out(QStringLiteral("%1: well formed, %2 of %3 pages do not decode (first: page %4)\n")
                    .arg(path).arg(failed).arg(c.pages.size()).arg(first));
        } else {
            out(QStringLiteral("%1: well formed, all %2 pages decode\n").arg(path).arg(c.pages.size()));
        }
    }
    return allGood ? kOk : kFailed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("info"))
        return cmdInfo(args);
    if (command == QLatin1String("pack"))
        return cmdPack(args);
    if (command == QLatin1String("unpack"))
        return cmdUnpack(args);
    if (command == QLatin1String("thumbnail"))
        return cmdThumbnail(args);
    if (command == QLatin1String("page"))
        return cmdPage(args);
    if (command == QLatin1String("verify"))
        return cmdVerify(args);
    return usage(QStringLiteral("unknown command %1").arg(command));
}
