// The picture a file manager shows for a book.
#include "book/coverpicture.h"
#include "book/kvbfile.h"
#include "testsupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kvb;
using testsupport::BookBytes;

namespace {

class ThumbnailCoverTest : public ::testing::Test {
protected:
    QString put(const QString &name, const QByteArray &bytes) const
    {
        const QString p = m_dir.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(p, bytes));
        return p;
    }
    static QImage cover(const QString &path, int size)
    {
        QImage picture;
        return bookCoverPicture(path, size, picture) ? picture : QImage();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ThumbnailCoverTest, StoredThumbnailIsScaledDownToTheBoxAndNeverUp)
{
    // The first page is a picture that does not decode: the stored thumbnail
    // is used without touching it.
    const QString book = put("t.kvb", BookBytes().header(1, 0, 1).thumbnail(0x40).page(Jpeg, "not a picture").bytes());
    const QImage small = cover(book, 100);
    EXPECT_EQ(small.size(), QSize(80, 100));
    EXPECT_EQ(QColor(small.pixel(40, 50)), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(cover(book, 512).size(), QSize(160, 200));
    EXPECT_EQ(cover(book, 200).size(), QSize(160, 200));
}

TEST_F(ThumbnailCoverTest, WithoutThumbnailTheFirstPageIsDecodedUprightAndFitted)
{
    // 2000 x 1000 stored, Exif orientation 6: upright it is 1000 x 2000.
    const QByteArray turned = testsupport::jpegWithOrientation(testsupport::cornerPicture(2000, 1000), 6);
    const QByteArray second = testsupport::encode(testsupport::cornerPicture(10, 10), "PNG");
    const QString book = put("p.kvb", BookBytes().header(2).page(Jpeg, turned).page(Png, second).bytes());
    const QImage picture = cover(book, 128);
    ASSERT_EQ(picture.size(), QSize(64, 128));
    // Turned a quarter clockwise: the stored bottom-left (blue) is now top-left.
    const QColor topLeft(picture.pixel(3, 3));
    EXPECT_GT(topLeft.blue(), 200);
    EXPECT_LT(topLeft.red(), 60);

    // A first page smaller than the box is kept at its size.
    const QString tiny = put("tiny.kvb", BookBytes().header(1).page(Png, second).bytes());
    EXPECT_EQ(cover(tiny, 64).size(), QSize(10, 10));
}

TEST_F(ThumbnailCoverTest, BrokenBooksAndBadSizesGiveNothing)
{
    const QByteArray page = testsupport::encode(testsupport::cornerPicture(40, 60), "JPG");
    const QByteArray good = BookBytes().header(1, 0, 1).thumbnail().page(Jpeg, page).bytes();
    const QString book = put("good.kvb", good);
    const QString cut = put("cut.kvb", good.left(good.size() - 1));
    const QString undecodable = put("bad.kvb", BookBytes().header(1).page(Jpeg, "garbage").bytes());

    QImage picture(7, 7, QImage::Format_RGB32);
    for (const QString &path : {cut, undecodable, m_dir.filePath("missing.kvb")})
        EXPECT_FALSE(bookCoverPicture(path, 128, picture)) << path.toStdString();
    EXPECT_FALSE(bookCoverPicture(book, 0, picture));
    EXPECT_FALSE(bookCoverPicture(book, kMaxCoverPictureSize + 1, picture));
    EXPECT_EQ(picture.size(), QSize(7, 7));
    EXPECT_TRUE(bookCoverPicture(book, kMaxCoverPictureSize, picture));
}
