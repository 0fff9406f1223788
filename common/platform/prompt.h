#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace platform {

enum class PromptIcon { None, Stop, Information, Question, Warning };

// OkCancelDefaultCancel and YesNoDefaultNo: the second button is the
// default, for questions whose safe answer is to leave things as they are.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, OkCancelDefaultCancel, YesNoDefaultNo };

enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

// Every message box and file dialog of the suite goes through this interface,
// so a test can answer them and read what would have been shown. The
// implementation that shows real dialogs is WidgetPrompt (ui/widgetprompt.h);
// code that only asks takes a Prompt& and needs no widgets.
class Prompt {
public:
    virtual ~Prompt() = default;

    virtual PromptAnswer message(const QString &text, PromptIcon icon = PromptIcon::Stop,
                                 PromptButtons buttons = PromptButtons::Ok,
                                 const QString &caption = {}) = 0;

    // File dialogs return an empty result when cancelled. filter uses Qt's
    // syntax ("Books (*.kvb);;All files (*)").
    virtual QStringList openFiles(const QString &caption, const QString &folder,
                                  const QString &filter) = 0;
    virtual QString openFile(const QString &caption, const QString &folder,
                             const QString &filter) = 0;
    // Asks before overwriting an existing file.
    virtual QString saveFile(const QString &caption, const QString &proposedPath,
                             const QString &filter) = 0;
    virtual QString folder(const QString &caption, const QString &startFolder) = 0;

    // The default beep for a command that cannot act now.
    virtual void beep() = 0;
};

// Records everything that would have been shown and gives planned answers.
// Unplanned questions get the first button's answer (Ok or Yes); unplanned
// file dialogs are cancelled.
class ScriptedPrompt : public Prompt {
public:
    struct Shown {
        QString text;
        PromptIcon icon;
        PromptButtons buttons;
        QString caption;
    };
    struct Dialog {
        QString kind; // "openFiles", "openFile", "saveFile" or "folder"
        QString caption;
        QString start; // the folder or proposed path handed in
        QString filter;
    };

    void planAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    void planFiles(const QStringList &files) { m_files.push_back(files); }
    void planPath(const QString &path) { m_files.push_back(QStringList{path}); }

    PromptAnswer message(const QString &text, PromptIcon icon = PromptIcon::Stop,
                         PromptButtons buttons = PromptButtons::Ok,
                         const QString &caption = {}) override;
    QStringList openFiles(const QString &caption, const QString &folder,
                          const QString &filter) override;
    QString openFile(const QString &caption, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &proposedPath,
                     const QString &filter) override;
    QString folder(const QString &caption, const QString &startFolder) override;
    void beep() override { ++m_beeps; }

    const std::vector<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    const std::vector<Dialog> &dialogs() const { return m_dialogs; }
    int beeps() const { return m_beeps; }
    void clear();

private:
    QStringList nextFiles(const QString &kind, const QString &caption, const QString &start,
                          const QString &filter);

    std::deque<PromptAnswer> m_answers;
    std::deque<QStringList> m_files;
    std::vector<Shown> m_shown;
    std::vector<Dialog> m_dialogs;
    int m_beeps = 0;
};

// For runs nobody watches (screenshots): every message is answered at once
// as ScriptedPrompt answers it, except that a question to retry gets Cancel,
// so a missing folder cannot keep the run asking; each message is written to
// standard error as it comes. File dialogs are cancelled.
class UnattendedPrompt : public ScriptedPrompt {
public:
    PromptAnswer message(const QString &text, PromptIcon icon = PromptIcon::Stop,
                         PromptButtons buttons = PromptButtons::Ok,
                         const QString &caption = {}) override;
};

} // namespace platform
