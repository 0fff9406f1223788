#include "settingoutputdlg.h"

#include <platform/paths.h>
#include <platform/prompt.h>
#include <ui/numberfield.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace retoner;

namespace {

constexpr int MaxFolderLength = 260;

ui::NumberField *sizeBox(QWidget *parent, int value)
{
    auto *box = new ui::NumberField(10, 10000, value, parent);
    box->setSuffix(QStringLiteral(" px"));
    return box;
}

} // namespace

CSettingOutputDlg::CSettingOutputDlg(const ToneSettings &settings, platform::Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompt(prompt)
{
    setObjectName(QStringLiteral("CSettingOutputDlg"));
    setWindowTitle(tr("出力設定"));
    const OutputParams &out = settings.output;
    auto *layout = new QVBoxLayout(this);

    auto *size = new QGroupBox(tr("縦横サイズの変更"), this);
    auto *sizeLayout = new QGridLayout(size);
    m_modes = new QButtonGroup(this);
    const QString modeTexts[] = {tr("変更しない"), tr("倍率を指定"), tr("サイズを指定")};
    for (int i = 0; i < 3; ++i)
        m_modes->addButton(new QRadioButton(modeTexts[i], size), i);
    m_modes->button(out.resizeMode)->setChecked(true);
    m_ratio = makeValueSlider(size, tr("倍率"), 10, 200, out.ratioPercent,
                              [](int v) { return QStringLiteral("%1 %").arg(v); });
    m_uniform = new QCheckBox(tr("全ての画像を同じサイズに（平均値に倍率を適用）"), size);
    m_uniform->setChecked(out.uniformSize != 0);
    m_width = sizeBox(size, out.width);
    m_height = sizeBox(size, out.height);
    sizeLayout->addWidget(m_modes->button(0), 0, 0, 1, 4);
    sizeLayout->addWidget(m_modes->button(1), 1, 0, 1, 4);
    sizeLayout->addLayout(m_ratio.row, 2, 1, 1, 3);
    sizeLayout->addWidget(m_uniform, 3, 1, 1, 3);
    sizeLayout->addWidget(m_modes->button(2), 4, 0, 1, 4);
    sizeLayout->addWidget(new QLabel(tr("幅"), size), 5, 1);
    sizeLayout->addWidget(m_width, 5, 2);
    sizeLayout->addWidget(new QLabel(tr("高さ"), size), 6, 1);
    sizeLayout->addWidget(m_height, 6, 2);
    sizeLayout->setColumnMinimumWidth(0, 16);
    layout->addWidget(size);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(tr("保存フォルダー"), this));
    m_folder = new QLineEdit(settings.outputFolder, this);
    m_folder->setMaxLength(MaxFolderLength);
    m_folder->setMinimumWidth(320);
    folderRow->addWidget(m_folder, 1);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setAutoDefault(false);
    folderRow->addWidget(m_browse);
    layout->addLayout(folderRow);
    connect(m_browse, &QPushButton::clicked, this, [this] {
        const QString folder = m_prompt.folder(QStringLiteral("Save Folder"), m_folder->text());
        if (!folder.isEmpty())
            m_folder->setText(platform::withoutTrailingSlash(folder));
    });

    auto *format = new QGroupBox(tr("保存フォーマット"), this);
    auto *formatLayout = new QVBoxLayout(format);
    auto *formatRow = new QHBoxLayout;
    m_formats = new QButtonGroup(this);
    const QString formatTexts[] = {QStringLiteral("BMP"), QStringLiteral("JPEG"), QStringLiteral("PNG")};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QRadioButton(formatTexts[i], format);
        m_formats->addButton(button, i);
        formatRow->addWidget(button);
    }
    m_formats->button(out.format)->setChecked(true);
    m_quality = makeValueSlider(format, tr("JPEG品質"), 0, 100, out.jpegQuality,
                                [](int v) { return QString::number(v); });
    formatLayout->addLayout(formatRow);
    formatLayout->addLayout(m_quality.row);
    layout->addWidget(format);

    connect(m_modes, &QButtonGroup::idClicked, this, &CSettingOutputDlg::updateEnabling);
    connect(m_formats, &QButtonGroup::idClicked, this, &CSettingOutputDlg::updateEnabling);
    updateEnabling();
    layout->addWidget(makeOkCancel(this));
}

void CSettingOutputDlg::updateEnabling()
{
    const int mode = m_modes->checkedId();
    m_ratio.setEnabled(mode == ScaleByRatio);
    m_uniform->setEnabled(mode == ScaleByRatio);
    m_width->setEnabled(mode == FixedSize);
    m_height->setEnabled(mode == FixedSize);
    m_quality.setEnabled(m_formats->checkedId() == FormatJpeg);
}

void CSettingOutputDlg::accept()
{
    // A typed size beyond 10..10000 is refused, the field keeps the focus.
    if (!ui::numbersInRange({m_width, m_height}, m_prompt, platform::PromptIcon::Stop))
        return;
    OutputParams &out = m_settings.output;
    out.resizeMode = m_modes->checkedId();
    out.ratioPercent = m_ratio.slider->value();
    out.uniformSize = m_uniform->isChecked() ? 1 : 0;
    out.width = m_width->value();
    out.height = m_height->value();
    out.format = m_formats->checkedId();
    out.jpegQuality = m_quality.slider->value();
    m_settings.outputFolder = m_folder->text();
    QDialog::accept();
}
