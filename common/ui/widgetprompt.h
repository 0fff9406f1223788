#pragma once

#include "platform/prompt.h"

class QWidget;

namespace platform {

// Shows real dialogs, parented to the given window.
class WidgetPrompt : public Prompt {
public:
    explicit WidgetPrompt(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    // The extension (without '.') that file dialogs add to a name typed
    // without one, before the save dialog asks about an existing file.
    void setDefaultSuffix(const QString &suffix) { m_defaultSuffix = suffix; }

    PromptAnswer message(const QString &text, PromptIcon icon = PromptIcon::Stop,
                         PromptButtons buttons = PromptButtons::Ok,
                         const QString &caption = {}) override;
    QStringList openFiles(const QString &caption, const QString &folder,
                          const QString &filter) override;
    QString openFile(const QString &caption, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &proposedPath,
                     const QString &filter) override;
    QString folder(const QString &caption, const QString &startFolder) override;
    void beep() override;

private:
    // One file to open or save: the dialog of Qt's own (so the default
    // suffix applies), starting in a folder or at a proposed file.
    QString runFileDialog(int acceptMode, const QString &caption, const QString &start, const QString &filter);

    QWidget *m_parent;
    QString m_defaultSuffix;
};

} // namespace platform
