#include "inqresumedeletedlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace leafreader {

CInqResumeDeleteDlg::CInqResumeDeleteDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Resume Delete"));
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto *text = new QLabel(tr("Resume登録を削除しますか？"), this);
    auto *yes = new QPushButton(tr("はい(&Y)"), this);
    auto *no = new QPushButton(tr("いいえ(&N)"), this);
    no->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

} // namespace leafreader
