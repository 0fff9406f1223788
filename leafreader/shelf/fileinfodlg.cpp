#include "fileinfodlg.h"

#include "listtexts.h"
#include "shelfpictures.h"

#include "picture/picture.h"
#include "platform/filenames.h"
#include "ui/mygraph.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace leafreader {

FileInfoDlg::FileInfoDlg(const FileInformation &information, QWidget *parent)
    : QDialog(parent), m_info(information)
{
    setWindowTitle(tr("ファイル情報"));
    if (m_info.showsThumbnail())
        m_thumbnail = kvb::bookThumbnailImage(reinterpret_cast<const uint8_t *>(m_info.thumbnail.constData()));

    m_picture = new CMyGraph(this, IdPicture);
    m_picture->setFixedSize(160, 200);
    m_picture->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) { paintPicture(p, r); });

    auto makeText = [this](int id) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("id%1").arg(id));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    m_path = makeText(IdPath);
    m_path->setWordWrap(true);
    m_path->setText(platform::shownName(m_info.path));
    m_size = makeText(IdSize);
    m_size->setText(fileSizeText(m_info.fileSize));
    m_pages = makeText(IdPageCount);
    m_layout = makeText(IdLayout);
    if (m_info.read) {
        m_pages->setText(QString::asprintf(" %u", unsigned(m_info.header.pageCount)));
        m_layout->setText(layoutText(m_info.header.layoutFlags));
    }

    auto *form = new QFormLayout;
    form->addRow(tr("パス"), m_path);
    form->addRow(tr("サイズ"), m_size);
    form->addRow(tr("ページ数"), m_pages);
    form->addRow(tr("レイアウト"), m_layout);

    m_attributes = new QTreeWidget(this);
    m_attributes->setObjectName(QStringLiteral("id%1").arg(IdAttributes));
    m_attributes->setRootIsDecorated(false);
    m_attributes->setColumnCount(2);
    m_attributes->setHeaderLabels({tr("項目"), tr("内容")});
    m_attributes->setSelectionMode(QAbstractItemView::SingleSelection);
    m_attributes->header()->setStretchLastSection(true);
    // The header is drawn without the desktop theme.
    if (QStyle *plain = QStyleFactory::create(QStringLiteral("Fusion"))) {
        plain->setParent(m_attributes->header());
        m_attributes->header()->setStyle(plain);
    }
    for (const kvb::AttributeEntry &entry : m_info.attributes)
        new QTreeWidgetItem(m_attributes, {attributeItemText(entry), attributeContentText(entry)});

    auto *top = new QHBoxLayout;
    top->addWidget(m_picture, 0, Qt::AlignTop);
    top->addLayout(form, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(tr("閉じる"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_attributes, 1);
    layout->addWidget(buttons);
    resize(560, 520);
}

QString FileInfoDlg::controlText(int id) const
{
    switch (id) {
    case IdPath: return m_path->text();
    case IdSize: return m_size->text();
    case IdPageCount: return m_pages->text();
    case IdLayout: return m_layout->text();
    default: return {};
    }
}

QList<QPair<QString, QString>> FileInfoDlg::attributeRows() const
{
    QList<QPair<QString, QString>> rows;
    for (int i = 0; i < m_attributes->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_attributes->topLevelItem(i);
        rows.append({item->text(0), item->text(1)});
    }
    return rows;
}

void FileInfoDlg::paintPicture(QPainter &painter, const QRect &rect)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // A book without a thumbnail shows the book tile.
    painter.drawImage(rect, m_thumbnail.isNull() ? ShelfPictures::tile(TileBook) : m_thumbnail);
}

void FileInfoDlg::sizeColumns()
{
    const int scrollWidth = m_attributes->verticalScrollBar()->sizeHint().width();
    const int width = m_attributes->viewport()->width();
    m_attributes->setColumnWidth(0, (width - scrollWidth) * 3 / 10);
}

void FileInfoDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    sizeColumns();
}

void FileInfoDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    sizeColumns();
}

} // namespace leafreader
