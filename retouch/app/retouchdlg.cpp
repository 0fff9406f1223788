#include "retouchdlg.h"

#include "jpegqdlg.h"
#include "offsetspin.h"

#include "core/messages.h"
#include "core/curvechoices.h"
#include "core/viewrender.h"

#include <ui/mygraph.h>

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace retouch;

namespace {

constexpr QSize kInitialSize(1000, 720);
constexpr int kMagnifierSide = 205; // 41 pixels of 5 x 5

QLabel *makeField(QWidget *parent)
{
    auto *field = new QLabel(parent);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setMinimumWidth(56);
    return field;
}

} // namespace

CRetouchDlg::CRetouchDlg(platform::Prompt &prompt, QWidget *parent) : QDialog(parent), m_editor(prompt)
{
    m_editor.setProgress(m_progress);
    setObjectName(QStringLiteral("CRetouchDlg"));
    setWindowTitle(QStringLiteral("Retouch"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    buildControls();
    buildMenu();
    resize(kInitialSize);

    m_editor.setQualityAsker([this](int current) -> std::optional<int> {
        CJPEG_Q_Dlg dialog(current, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.quality();
    });
    refresh();
}

QPushButton *CRetouchDlg::button(int id) const
{
    for (const auto &[buttonId, button] : m_buttons)
        if (buttonId == id)
            return button;
    return id == CmdDisplaySwitch ? m_displaySwitch : nullptr;
}

void CRetouchDlg::buildControls()
{
    size_t buttonCount = 0;
    auto makeButton = [this, &buttonCount](int id, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setDefault(false);
        m_buttons[buttonCount++] = {id, b};
        connect(b, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        return b;
    };

    auto *top = new QHBoxLayout;
    m_path = new QLineEdit(this);
    m_path->setReadOnly(true);
    top->addWidget(m_path, 1);
    top->addWidget(makeButton(CmdOpen, tr("ファイルを開く...")));
    top->addWidget(makeButton(CmdSave, tr("上書き保存")));
    top->addWidget(makeButton(CmdSaveAs, tr("名前を付けて保存...")));

    auto *viewGrid = new QGridLayout;
    viewGrid->setSpacing(0);
    m_mainView = new CMyGraph(this, IdMainView);
    m_mainView->setMinimumSize(320, 240);
    m_mainView->installEventFilter(this);
    m_mainView->setMouseTracking(false);
    m_vScroll = new QScrollBar(Qt::Vertical, this);
    m_hScroll = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar *bar : {m_hScroll, m_vScroll}) {
        bar->setSingleStep(kScrollLine);
        bar->setPageStep(kScrollPage);
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (m_refreshing)
                return;
            m_editor.moveCursorTo(m_hScroll->value(), m_vScroll->value());
            refresh();
        });
    }
    viewGrid->addWidget(m_mainView, 0, 0);
    viewGrid->addWidget(m_vScroll, 0, 1);
    viewGrid->addWidget(m_hScroll, 1, 0);

    auto *side = new QVBoxLayout;
    m_magnifier = new CMyGraph(this, IdMagnifier);
    m_magnifier->setFixedSize(kMagnifierSide, kMagnifierSide);
    side->addWidget(m_magnifier);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("位置"), this), 0, 0);
    m_position = makeField(this);
    fields->addWidget(m_position, 0, 1);
    auto *moves = new QHBoxLayout;
    QPushButton *left = makeButton(CmdLeft, QStringLiteral("<"));
    QPushButton *right = makeButton(CmdRight, QStringLiteral(">"));
    for (QPushButton *b : {left, right}) {
        b->setAutoRepeat(true);
        b->setFixedWidth(32);
        moves->addWidget(b);
    }
    fields->addLayout(moves, 0, 2);
    const std::array<QString, 4> names{QStringLiteral("All"), QStringLiteral("R"), QStringLiteral("G"),
                                       QStringLiteral("B")};
    for (int i = 0; i < 4; ++i) {
        const auto channel = static_cast<Channel>(i);
        fields->addWidget(new QLabel(names[size_t(i)], this), i + 1, 0);
        m_offsetFields[size_t(i)] = makeField(this);
        fields->addWidget(m_offsetFields[size_t(i)], i + 1, 1);
        m_spins[size_t(i)] = new COffsetSpin(this);
        m_spins[size_t(i)]->setObjectName(QStringLiteral("spin") + names[size_t(i)]);
        fields->addWidget(m_spins[size_t(i)], i + 1, 2, Qt::AlignLeft);
        connect(m_spins[size_t(i)], &COffsetSpin::stepped, this,
                [this, channel](SpinStep s) { step(channel, s); });
    }
    fields->addWidget(new QLabel(tr("想定ガンマ"), this), 5, 0);
    m_curve = new QComboBox(this);
    for (const CurveChoice &choice : curveChoices())
        m_curve->addItem(choice.label);
    fields->addWidget(m_curve, 5, 1, 1, 2);
    connect(m_curve, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_refreshing || index < 0)
            return;
        m_editor.setCurve(index);
        refresh();
    });
    side->addLayout(fields);

    m_displaySwitch = new QPushButton(this);
    m_displaySwitch->setCheckable(true);
    m_displaySwitch->setAutoDefault(false);
    connect(m_displaySwitch, &QPushButton::clicked, this, [this] { onCommand(CmdDisplaySwitch); });
    side->addWidget(m_displaySwitch);
    side->addStretch(1);

    auto *middle = new QHBoxLayout;
    middle->addLayout(viewGrid, 1);
    middle->addLayout(side);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);

    m_mainView->setPaintCallback(
        [this](QPainter &painter, const QRect &rect, QWidget *, int id) { paintView(painter, rect, id); });
    m_magnifier->setPaintCallback(
        [this](QPainter &painter, const QRect &rect, QWidget *, int id) { paintView(painter, rect, id); });
}

void CRetouchDlg::buildMenu()
{
    auto addCommand = [this](const QString &text, int id) {
        auto *action = new QAction(text, this);
        connect(action, &QAction::triggered, this, [this, id] { onCommand(id); });
        addAction(action);
    };
    addCommand(QStringLiteral("Save offsets..."), CmdSaveOffsets);
    addCommand(QStringLiteral("Load offsets..."), CmdLoadOffsets);
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    addCommand(tr("Retouchについて(&A)..."), CmdAbout);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CRetouchDlg::loadSettings(const QSettings &store)
{
    m_editor.loadSettings(store);
    refresh();
}

void CRetouchDlg::onCommand(int id)
{
    m_editor.runCommand(id);
    refresh();
}

void CRetouchDlg::openFile(const QString &path)
{
    m_editor.openImage(path);
    refresh();
}

void CRetouchDlg::step(Channel channel, SpinStep s)
{
    m_editor.stepOffset(channel, s);
    refresh();
}

void CRetouchDlg::refresh()
{
    m_refreshing = true;
    const bool open = m_editor.hasImage();
    const QPoint cursor = m_editor.cursor();
    m_path->setText(m_editor.path());
    m_position->setText(open ? QString::asprintf(" %d", cursor.x()) : QString());
    const ColumnOffsets offsets = m_editor.currentOffsets();
    for (int i = 0; i < 4; ++i) {
        const int value = offsets.value(static_cast<Channel>(i));
        m_offsetFields[size_t(i)]->setText(open ? QString::asprintf(" %d", value) : QString());
        m_spins[size_t(i)]->setEnabled(open);
    }
    m_hScroll->setRange(0, open ? m_editor.image().width() - 1 : 0);
    m_vScroll->setRange(0, open ? m_editor.image().height() - 1 : 0);
    m_hScroll->setValue(cursor.x());
    m_vScroll->setValue(cursor.y());
    m_hScroll->setEnabled(open);
    m_vScroll->setEnabled(open);
    for (const auto &[id, b] : m_buttons)
        if (id != CmdOpen)
            b->setEnabled(open);
    m_curve->setCurrentIndex(m_editor.curve());
    m_displaySwitch->setChecked(m_editor.showsSource());
    m_displaySwitch->setText(m_editor.showsSource() ? text::SourceLabel : text::EditedLabel);
    m_mainView->setCursor(open ? (m_dragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor) : Qt::ArrowCursor);
    m_refreshing = false;
    m_mainView->update();
    m_magnifier->update();
}

void CRetouchDlg::paintView(QPainter &painter, const QRect &rect, int id)
{
    QImage canvas(rect.size(), QImage::Format_RGB32);
    const QPoint cursor = m_editor.cursor();
    const cv::Mat &shown = m_editor.hasImage() ? m_editor.shownImage() : cv::Mat();
    if (id == IdMagnifier)
        paintMagnifier(canvas, shown, cursor.x(), cursor.y());
    else
        paintMainView(canvas, shown, cursor.x(), cursor.y());
    painter.drawImage(rect.topLeft(), canvas);
}

bool CRetouchDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_mainView)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_editor.hasImage()) {
            m_dragging = true;
            m_lastMouse = mouse->position().toPoint();
            m_mainView->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        if (!m_dragging)
            break;
        const QPoint mouse = static_cast<QMouseEvent *>(event)->position().toPoint();
        // Leaving the view ends the drag.
        if (!m_mainView->rect().contains(mouse)) {
            endDrag();
            return true;
        }
        m_editor.drag(m_lastMouse, mouse);
        m_lastMouse = mouse;
        refresh();
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragging && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            endDrag();
            return true;
        }
        break;
    case QEvent::Leave: endDrag(); break;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

void CRetouchDlg::endDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    m_mainView->setCursor(m_editor.hasImage() ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void CRetouchDlg::reject()
{
    // Closing drops corrections not yet saved only when the user agrees.
    if (!m_editor.confirmDiscard())
        return;
    QDialog::reject();
}
