#pragma once

#include "autoturn.h"
#include "pagesession.h"
#include "commands.h"
#include "readersettings.h"

#include "platform/uitext.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <vector>

namespace leafreader {

// Status popup texts.
inline constexpr platform::UiText kZoomOnText{"BookController", QT_TRANSLATE_NOOP("BookController", "拡大モード: ON")};
inline constexpr platform::UiText kZoomOffText{"BookController", QT_TRANSLATE_NOOP("BookController", "拡大モード: OFF")};
inline constexpr platform::UiText kAutoTurnOnText{"BookController", QT_TRANSLATE_NOOP("BookController", "自動送り: ON")};
inline constexpr platform::UiText kAutoTurnOffText{"BookController",
                                                   QT_TRANSLATE_NOOP("BookController", "自動送り: OFF")};

// State of a menu item: enabled and check mark.
struct ItemState {
    bool enabled = true;
    bool checked = false;
};

// The book-mode commands: page moves, automatic turning, layout, zoom and
// rotation, acting on a PageSession. Commands that concern the window (full
// screen, closing, dialogs) are left to the view: onCommand reports them as
// not handled.
class BookController {
public:
    BookController(PageSession &session, const ReaderSettings &settings)
        : m_session(session), m_settings(settings)
    {
    }

    // Called with a status popup text, and when the picture must be painted again.
    std::function<void(const QString &)> onStatus;
    std::function<void()> onRepaint;

    // True when the command was one of the book-mode commands (acted on, or
    // not possible now); false for commands the view handles itself.
    bool onCommand(int id);

    // After opening: automatic turning off, without a message.
    void bookOpened() { m_autoTurn.switchOff(); }
    void setAutoTurn(bool on, int64_t now);
    bool autoTurnOn() const { return m_autoTurn.isOn(); }
    // One timer tick in book mode: makes a due automatic page turn.
    void tick(int64_t now);
    // Clock for automatic turning (milliseconds); a test may replace it.
    std::function<int64_t()> clock;

    // Book menu item states.
    ItemState itemState(int id) const;

private:
    int64_t now() const;
    void changed();
    void setZoom(int zoom);
    bool pageMove(const std::function<bool()> &move);

    PageSession &m_session;
    const ReaderSettings &m_settings;
    AutoTurn m_autoTurn;
};

// The states of the page-move and zoom menu items of a session: next page,
// skip forward and last page enabled before the last page; previous page,
// skip back and first page from page 2; the current zoom region checked.
// Other ids: enabled, unchecked.
ItemState pageItemState(int id, const PageSession &session);

// Keys of book mode as commands (0 = not a book-mode key). Keys that are
// swallowed without action (volume) give -1.
int bookKeyCommand(int key, Qt::KeyboardModifiers modifiers);
// The cell (0..8, column + 3 x row) of a point in the 3 x 3 grid of the client.
int gridCell(QPoint point, const Box &client);
// A left click on a cell in book mode (0 = nothing).
int bookCellCommand(int cell, bool zoomed);
// The wheel (delta > 0 = away from the user) and the horizontal wheel
// (delta > 0 = to the left).
int bookWheelCommand(int delta, bool zoomed);
int bookHorizontalWheelCommand(int delta);
// The wheels of the page view: one command per notch (120). Touchpads and
// fine-stepping wheels send many small steps, which add up to a notch first;
// turning back starts the sum again.
class WheelNotches {
public:
    // The commands of a wheel event's angle delta (y: the wheel, x: the
    // horizontal wheel).
    std::vector<int> commands(QPoint angleDelta, bool zoomed);
    void reset() { m_sum = {}; }

private:
    QPoint m_sum;
};

// A control-pad button in book mode (0 = nothing).
int bookPadCommand(int button);

} // namespace leafreader
