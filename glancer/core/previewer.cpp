#include "previewer.h"

#include "folderlisting.h"
#include "glancercommands.h"
#include "glancerpagesource.h"
#include "pagemoves.h"

#include "pageview/zoomnav.h"
#include "platform/filenames.h"
#include "platform/paths.h"

namespace glancer {

using leafreader::PageSession;

Previewer::Previewer(PageSession &session, const GlancerSettings &settings)
    : m_session(session), m_settings(settings)
{
}

Previewer::OpenResult Previewer::open(const PreviewRow &row)
{
    const QString folder = platform::folderOf(row.path);
    const QStringList names = pageNames(folder, m_settings.picExt);
    const int position = pagePosition(names, platform::fileNameOf(row.path));
    if (position == 0)
        return OpenResult::CannotOpen;
    const int layout = openingLayout(int(names.size()), m_settings.layout2);
    const int binding = m_settings.bind;
    PageSession::Start start;
    start.position = position;
    start.layoutFlags = kvb::layoutFlagsFor(layout, binding);
    if (m_session.open(std::make_unique<GlancerPageSource>(folder, names), start) != PageSession::OpenResult::Opened)
        return OpenResult::CannotOpen;
    m_row = row;
    m_pathAtOpening = row.path;
    m_layout = layout;
    m_binding = binding;
    return OpenResult::Opened;
}

void Previewer::close()
{
    m_session.close();
    m_fileNamesShown = false;
}

PreviewRow Previewer::current() const
{
    PreviewRow row = m_row;
    row.position = m_session.position();
    row.count = m_session.pageCount();
    row.layout = m_layout;
    row.binding = m_binding;
    row.zoom = m_session.zoom();
    return row;
}

void Previewer::changed()
{
    if (onRepaint)
        onRepaint();
    if (onFileNamesChanged)
        onFileNamesChanged();
}

bool Previewer::nextPage()
{
    const int to = nextPosition(m_session.position(), m_session.pageCount(), m_layout);
    const bool moved = m_session.moveTo(to, true, PageSession::Move::Step);
    changed();
    return moved;
}

bool Previewer::previousPage()
{
    const bool moved = m_session.moveTo(previousPosition(m_session.position(), m_layout), false,
                                        PageSession::Move::Step);
    changed();
    return moved;
}

void Previewer::jump(int position, bool forward, bool evenWithoutMove)
{
    if (!m_session.moveTo(position, forward, PageSession::Move::Reload) && evenWithoutMove) {
        m_session.setForward(forward);
        m_session.loadCurrentPages();
    }
    changed();
}

void Previewer::setLayout(int layout)
{
    m_layout = layout;
    m_session.setLayoutFlags(kvb::layoutFlagsFor(m_layout, m_binding));
    changed();
}

void Previewer::setBinding(int binding)
{
    // One page at a time has no binding side.
    if (m_layout == 1)
        return;
    m_binding = binding;
    m_session.setLayoutFlags(kvb::layoutFlagsFor(m_layout, m_binding));
    changed();
}

void Previewer::setZoom(int zoom)
{
    if (zoom == m_session.zoom())
        return;
    m_session.setZoom(zoom);
    m_session.refreshResolution();
    changed();
}

bool Previewer::onCommand(int id)
{
    if (!isOpen())
        return false;
    const int n = m_session.pageCount(), p = m_session.position();
    switch (id) {
    case CmdNextPage: nextPage(); return true;
    case CmdPreviousPage: previousPage(); return true;
    case CmdSkipForward: jump(std::min(n, p + m_settings.skipForward), true, false); return true;
    case CmdSkipBack: jump(std::max(1, p - m_settings.skipBack), false, false); return true;
    case CmdFirstPage: jump(1, false, true); return true;
    case CmdLastPage: jump(n, true, true); return true;
    case CmdLayout1:
    case CmdLayout2:
    case CmdLayout3: setLayout(id - CmdLayout1 + 1); return true;
    case CmdLayoutCycle: setLayout(m_layout % 3 + 1); return true;
    case CmdBindRight: setBinding(0); return true;
    case CmdBindLeft: setBinding(1); return true;
    case CmdBindingToggle: setBinding(1 - m_binding); return true;
    case CmdZoomToggle: setZoom(m_session.zoom() == 0 ? 5 : 0); return true;
    case CmdZoomUp: setZoom(leafreader::zoomUp(m_session.zoom(), [this] { return previousPage(); })); return true;
    case CmdZoomDown: setZoom(leafreader::zoomDown(m_session.zoom(), [this] { return nextPage(); })); return true;
    case CmdZoomLeft: setZoom(leafreader::zoomLeft(m_session.zoom())); return true;
    case CmdZoomRight: setZoom(leafreader::zoomRight(m_session.zoom())); return true;
    case CmdFileNames:
        m_fileNamesShown = !m_fileNamesShown;
        if (onFileNamesChanged)
            onFileNamesChanged();
        return true;
    default:
        if (id >= CmdZoomOff && id <= CmdZoom9) {
            setZoom(id - CmdZoomOff);
            return true;
        }
        return false;
    }
}

leafreader::ItemState Previewer::itemState(int id) const
{
    switch (id) {
    case CmdFileNames: return {true, m_fileNamesShown};
    case CmdLayout1:
    case CmdLayout2:
    case CmdLayout3: return {true, m_layout == id - CmdLayout1 + 1};
    case CmdBindRight: return {m_layout != 1, m_binding == 0};
    case CmdBindLeft: return {m_layout != 1, m_binding == 1};
    default: return leafreader::pageItemState(id, m_session);
    }
}

FileNameTexts Previewer::fileNameTexts() const
{
    FileNameTexts texts;
    const auto name = [this](const leafreader::SlotPicture &slot) {
        if (slot.isEmpty() || !m_session.source())
            return QString();
        return platform::shownName(platform::fileNameOf(m_session.source()->pageFile(slot.page)));
    };
    texts.spread = m_layout != 1;
    if (texts.spread) {
        texts.left = name(m_session.leftSlot());
        texts.right = name(m_session.rightSlot());
    } else {
        texts.whole = name(m_session.leftSlot());
    }
    return texts;
}

} // namespace glancer
