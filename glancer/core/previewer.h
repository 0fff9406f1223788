#pragma once

#include "glancersettings.h"
#include "previewrow.h"

#include "pageview/bookcontroller.h"
#include "pageview/pagesession.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace glancer {

// What the file-name popup shows: in layout 1 the left slot's file name over
// the whole width; in a spread the left and the right slot's names in the
// two halves. A slot without a picture shows nothing.
struct FileNameTexts {
    bool spread = false;
    QString whole, left, right;
};

// Preview mode without a window: the images of one folder shown as pages of
// a book through the shared page session, with Glancer's layouts 1 to 3,
// bindings 0 and 1, its page moves and zoom commands. The view paints what
// the session holds and forwards commands here.
class Previewer {
public:
    enum class OpenResult { Opened, CannotOpen };

    Previewer(leafreader::PageSession &session, const GlancerSettings &settings);

    // Opens an image row: the page list of its folder, the image's place in
    // it, the layout for the page count, the binding from the settings, no
    // zoom. CannotOpen when the image is not in the page list or its pages
    // cannot be shown.
    OpenResult open(const PreviewRow &row);
    void close();
    bool isOpen() const { return m_session.isOpen(); }

    // The opened row with the position, count, layout, binding and zoom of now.
    PreviewRow current() const;
    int layout() const { return m_layout; }
    int binding() const { return m_binding; }
    // The image's path at opening (the list selects it after closing).
    const QString &pathAtOpening() const { return m_pathAtOpening; }

    // The preview commands: moves, layout, binding, zoom and the file-name
    // popup. False for a command that is not one of them.
    bool onCommand(int id);
    // Menu item states.
    leafreader::ItemState itemState(int id) const;

    bool fileNamesShown() const { return m_fileNamesShown; }
    void setFileNamesShown(bool shown) { m_fileNamesShown = shown; }
    FileNameTexts fileNameTexts() const;

    // Called when the pages must be painted again, and after every move,
    // zoom or layout change (the file-name popup follows).
    std::function<void()> onRepaint;
    std::function<void()> onFileNamesChanged;

private:
    bool nextPage();
    bool previousPage();
    // Skips, first and last page decode the pages again when they move.
    void jump(int position, bool forward, bool evenWithoutMove);
    void setLayout(int layout);
    void setBinding(int binding);
    void setZoom(int zoom);
    void changed();

    leafreader::PageSession &m_session;
    const GlancerSettings &m_settings;
    PreviewRow m_row;
    QString m_pathAtOpening;
    int m_layout = 0;
    int m_binding = -1;
    bool m_fileNamesShown = false;
};

} // namespace glancer
