#pragma once

#include "platform/prompt.h"

class QWidget;

namespace platform {

// Shows real dialogs, parented to the given window.
class WidgetPrompt : public Prompt {
public:
    explicit WidgetPrompt(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

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
    QWidget *m_parent;
};

} // namespace platform
