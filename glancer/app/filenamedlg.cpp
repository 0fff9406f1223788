#include "filenamedlg.h"

#include "core/previewer.h"

#include <QHBoxLayout>
#include <QLabel>

namespace glancer {

namespace {

// 145 x 12 dialog units.
constexpr QSize kSize{254, 24};

QLabel *makeField(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

CFileNameDlg::CFileNameDlg(QWidget *view) : QWidget(view)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 128));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    QFont font(QStringList{QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(13);
    setFont(font);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    m_whole = makeField(this);
    m_left = makeField(this);
    m_right = makeField(this);
    layout->addWidget(m_whole);
    layout->addWidget(m_left);
    layout->addWidget(m_right);
    setFixedSize(kSize);
    hide();
}

QLabel *CFileNameDlg::field(int id) const
{
    switch (id) {
    case FieldWhole: return m_whole;
    case FieldLeft: return m_left;
    case FieldRight: return m_right;
    default: return nullptr;
    }
}

void CFileNameDlg::showTexts(const FileNameTexts &texts)
{
    m_whole->setVisible(!texts.spread);
    m_left->setVisible(texts.spread);
    m_right->setVisible(texts.spread);
    m_whole->setText(texts.whole);
    m_left->setText(texts.left);
    m_right->setText(texts.right);
    place();
    show();
    raise();
}

void CFileNameDlg::place()
{
    if (parentWidget())
        move((parentWidget()->width() - width()) / 2, 0);
}

} // namespace glancer
