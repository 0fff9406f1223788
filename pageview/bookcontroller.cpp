#include "bookcontroller.h"

#include "mediakeys.h"

#include "zoomnav.h"

#include "book/bookrecords.h"

#include <QElapsedTimer>

#include <cstdlib>

namespace leafreader {

int64_t BookController::now() const
{
    if (clock)
        return clock();
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

void BookController::changed()
{
    if (onRepaint)
        onRepaint();
}

bool BookController::pageMove(const std::function<bool()> &move)
{
    const bool moved = move();
    if (moved)
        changed();
    return moved;
}

void BookController::setZoom(int zoom)
{
    const int old = m_session.zoom();
    m_session.setZoom(zoom);
    if (onStatus) {
        if (old == 0 && zoom != 0)
            onStatus(kZoomOnText);
        else if (old != 0 && zoom == 0)
            onStatus(kZoomOffText);
    }
    m_session.refreshResolution();
    changed();
}

void BookController::setAutoTurn(bool on, int64_t time)
{
    if (on)
        m_autoTurn.switchOn(time);
    else
        m_autoTurn.switchOff();
    if (onStatus)
        onStatus(on ? kAutoTurnOnText : kAutoTurnOffText);
}

void BookController::tick(int64_t time)
{
    if (!m_session.isOpen() || !m_autoTurn.due(time, m_settings.interval))
        return;
    if (pageMove([this] { return m_session.nextPage(); }))
        return;
    // The last page is reached.
    if (m_settings.loop)
        pageMove([this] { return m_session.firstPage(); });
    else
        m_autoTurn.switchOff();
}

bool BookController::onCommand(int id)
{
    PageSession &s = m_session;
    if (!s.isOpen())
        return false;
    const auto rotate = [&](int r) {
        s.setRotation(r);
        s.refreshResolution();
        changed();
    };
    const auto singlePage = [&](bool single) {
        if (s.setSinglePage(single))
            changed();
    };
    const auto zoomTo = [&](int zoom) {
        if (zoom != s.zoom())
            setZoom(zoom);
    };
    switch (id) {
    case CmdNextPage: pageMove([&] { return s.nextPage(); }); return true;
    case CmdPreviousPage: pageMove([&] { return s.previousPage(); }); return true;
    case CmdSkipForward: pageMove([&] { return s.skipForward(m_settings.skipForward); }); return true;
    case CmdSkipBack: pageMove([&] { return s.skipBack(m_settings.skipBack); }); return true;
    case CmdFirstPage: pageMove([&] { return s.firstPage(); }); return true;
    case CmdLastPage: pageMove([&] { return s.lastPage(); }); return true;
    case CmdAutoTurn: setAutoTurn(!m_autoTurn.isOn(), now()); return true;
    case CmdSinglePage: singlePage(true); return true;
    case CmdSpread: singlePage(false); return true;
    case CmdSinglePageToggle: singlePage(!s.singlePage()); return true;
    case CmdZoomOff: zoomTo(0); return true;
    case CmdZoomToggle: setZoom(s.zoom() == 0 ? 5 : 0); return true;
    case CmdZoomUp:
        zoomTo(zoomUp(s.zoom(), [&] { return pageMove([&] { return s.previousPage(); }); }));
        return true;
    case CmdZoomDown:
        zoomTo(zoomDown(s.zoom(), [&] { return pageMove([&] { return s.nextPage(); }); }));
        return true;
    case CmdZoomLeft: zoomTo(zoomLeft(s.zoom())); return true;
    case CmdZoomRight: zoomTo(zoomRight(s.zoom())); return true;
    case CmdRotate0: rotate(0); return true;
    case CmdRotate1: rotate(1); return true;
    case CmdRotate2: rotate(2); return true;
    case CmdRotate3: rotate(3); return true;
    case CmdRotationToggle: rotate((s.rotation() + 1) & 3); return true;
    default:
        if (id >= CmdZoom1 && id <= CmdZoom9) {
            setZoom(id - CmdZoomOff);
            return true;
        }
        return false;
    }
}

ItemState pageItemState(int id, const PageSession &s)
{
    const int p = s.position(), n = s.pageCount();
    switch (id) {
    case CmdNextPage:
    case CmdSkipForward:
    case CmdLastPage: return {p < n, false};
    case CmdPreviousPage:
    case CmdSkipBack:
    case CmdFirstPage: return {p >= 2, false};
    default:
        if (id >= CmdZoomOff && id <= CmdZoom9)
            return {true, s.zoom() == id - CmdZoomOff};
        return {};
    }
}

ItemState BookController::itemState(int id) const
{
    const PageSession &s = m_session;
    const bool spreadBook = (s.layoutFlags() & kvb::PageSpread) != 0;
    switch (id) {
    case CmdAutoTurn: return {true, m_autoTurn.isOn()};
    case CmdSinglePage: return {spreadBook, s.singlePage()};
    case CmdSpread: return {spreadBook, !s.singlePage()};
    case CmdRotate0: return {true, s.rotation() == 0};
    case CmdRotate1: return {true, s.rotation() == 1};
    case CmdRotate2: return {true, s.rotation() == 2};
    case CmdRotate3: return {true, s.rotation() == 3};
    default: return pageItemState(id, s);
    }
}

int bookKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const bool plain = !ctrl && !shift;

    switch (mediaKey(key)) {
    case MediaKey::Next: return CmdLastPage;
    case MediaKey::Previous: return CmdFirstPage;
    case MediaKey::Stop: return CmdCloseOverwrite;
    case MediaKey::PlayPause: return CmdCloseAdd;
    case MediaKey::Volume: return -1;
    case MediaKey::None: break;
    }
    // With Alt held the keys belong to the window (system keys); only
    // Alt+Enter is the view's.
    if (alt)
        return (key == Qt::Key_Return || key == Qt::Key_Enter) && plain ? CmdEnterFullScreen : 0;
    // Any other modifiers.
    switch (key) {
    case Qt::Key_PageUp: return CmdSkipBack;
    case Qt::Key_PageDown: return CmdSkipForward;
    case Qt::Key_Home: return CmdFirstPage;
    case Qt::Key_End: return CmdLastPage;
    case Qt::Key_Up: return CmdZoomUp;
    case Qt::Key_Down: return CmdZoomDown;
    default: break;
    }
    if (ctrl && !shift) {
        switch (key) {
        case Qt::Key_C: return CmdCloseOverwrite;
        case Qt::Key_S: return CmdCloseAdd;
        case Qt::Key_N: return CmdNextPage;
        case Qt::Key_P: return CmdPreviousPage;
        case Qt::Key_O: return CmdRotationToggle;
        case Qt::Key_F: return CmdFullScreen;
        case Qt::Key_I: return CmdFileInfo;
        case Qt::Key_3: return CmdLeaveFullScreen;
        case Qt::Key_B: return CmdFirstPage;
        case Qt::Key_E: return CmdLastPage;
        case Qt::Key_R: return CmdSkipBack;
        case Qt::Key_T: return CmdSkipForward;
        default: return 0;
        }
    }
    if (!plain)
        return 0;
    switch (key) {
    case Qt::Key_Backspace: return CmdAutoTurn;
    case Qt::Key_Tab: return CmdSinglePageToggle;
    case Qt::Key_Return:
    case Qt::Key_Enter: return CmdZoomToggle;
    case Qt::Key_Escape: return CmdCloseNoRegister;
    case Qt::Key_Left: return CmdZoomLeft;
    case Qt::Key_Right: return CmdZoomRight;
    case Qt::Key_0: return CmdZoomOff;
    default: break;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return zoomCommand(keypadRegion(key - Qt::Key_0));
    return 0;
}

int gridCell(QPoint point, const Box &client)
{
    const int w = std::max(1, client.width()), h = std::max(1, client.height());
    const int column = std::clamp((point.x() - client.left) * 3 / w, 0, 2);
    const int row = std::clamp((point.y() - client.top) * 3 / h, 0, 2);
    return column + 3 * row;
}

int bookCellCommand(int cell, bool zoomed)
{
    switch (cell) {
    case 0: return CmdSinglePageToggle;
    case 2: return CmdControlPad;
    case 6: return CmdRotationToggle;
    case 8: return CmdAutoTurn;
    default: break;
    }
    if (!zoomed) {
        switch (cell) {
        case 1: return CmdPreviousPage;
        case 4: return zoomCommand(5);
        case 7: return CmdNextPage;
        default: return 0;
        }
    }
    switch (cell) {
    case 4: return CmdZoomOff;
    case 1: return CmdZoomUp;
    case 3: return CmdZoomLeft;
    case 5: return CmdZoomRight;
    case 7: return CmdZoomDown;
    default: return 0;
    }
}

int bookWheelCommand(int delta, bool zoomed)
{
    if (delta == 0)
        return 0;
    if (zoomed)
        return delta > 0 ? CmdZoomUp : CmdZoomDown;
    return delta > 0 ? CmdPreviousPage : CmdNextPage;
}

int bookHorizontalWheelCommand(int delta)
{
    if (delta == 0)
        return 0;
    return delta > 0 ? CmdZoomLeft : CmdZoomRight;
}

std::vector<int> WheelNotches::commands(QPoint delta, bool zoomed)
{
    constexpr int kNotch = 120;
    const bool vertical = delta.y() != 0;
    const int step = vertical ? delta.y() : delta.x();
    int &sum = vertical ? m_sum.ry() : m_sum.rx();
    if ((sum > 0 && step < 0) || (sum < 0 && step > 0))
        sum = 0;
    sum += step;
    std::vector<int> out;
    while (std::abs(sum) >= kNotch) {
        const int notch = sum > 0 ? kNotch : -kNotch;
        sum -= notch;
        const int command = vertical ? bookWheelCommand(notch, zoomed) : bookHorizontalWheelCommand(notch);
        if (command)
            out.push_back(command);
    }
    return out;
}

int bookPadCommand(int button)
{
    switch (button) {
    case 0: return CmdExit;
    case 2: return CmdHidePad;
    case 3: return CmdFirstPage;
    case 4: return CmdLastPage;
    case 5: return CmdFullScreen;
    case 6:
    case 15: return CmdZoomLeft;
    case 7:
    case 17: return CmdZoomRight;
    case 8: return CmdSkipBack;
    case 9: return CmdCloseAdd;
    case 10: return CmdCloseOverwrite;
    case 11: return CmdSkipForward;
    case 12: return CmdSinglePageToggle;
    case 13: return CmdZoomUp;
    case 14: return CmdAutoTurn;
    case 16: return CmdZoomToggle;
    case 18: return CmdRotationToggle;
    case 19: return CmdZoomDown;
    case 20: return CmdCloseNoRegister;
    default: return 0;
    }
}

} // namespace leafreader
