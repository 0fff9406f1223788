#include "prompt.h"

#include "commandline.h"
#include "filenames.h"

namespace platform {

namespace {

PromptAnswer firstAnswer(PromptButtons buttons)
{
    if (buttons == PromptButtons::RetryCancel)
        return PromptAnswer::Retry;
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel
                   || buttons == PromptButtons::OkCancelDefaultCancel
               ? PromptAnswer::Ok
               : PromptAnswer::Yes;
}

} // namespace

PromptAnswer ScriptedPrompt::message(const QString &text, PromptIcon icon, PromptButtons buttons,
                                     const QString &caption)
{
    m_shown.push_back({text, icon, buttons, caption});
    if (m_answers.empty())
        return firstAnswer(buttons);
    const PromptAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QStringList ScriptedPrompt::nextFiles(const QString &kind, const QString &caption,
                                      const QString &start, const QString &filter)
{
    m_dialogs.push_back({kind, caption, start, filter});
    if (m_files.empty())
        return {};
    QStringList files = m_files.front();
    m_files.pop_front();
    return files;
}

QStringList ScriptedPrompt::openFiles(const QString &caption, const QString &folder,
                                      const QString &filter)
{
    return nextFiles(QStringLiteral("openFiles"), caption, folder, filter);
}

QString ScriptedPrompt::openFile(const QString &caption, const QString &folder,
                                 const QString &filter)
{
    return nextFiles(QStringLiteral("openFile"), caption, folder, filter).value(0);
}

QString ScriptedPrompt::saveFile(const QString &caption, const QString &proposedPath,
                                 const QString &filter)
{
    return nextFiles(QStringLiteral("saveFile"), caption, proposedPath, filter).value(0);
}

QString ScriptedPrompt::folder(const QString &caption, const QString &startFolder)
{
    return nextFiles(QStringLiteral("folder"), caption, startFolder, {}).value(0);
}

QStringList ScriptedPrompt::texts() const
{
    QStringList out;
    for (const Shown &s : m_shown)
        out << s.text;
    return out;
}

void ScriptedPrompt::clear()
{
    m_answers.clear();
    m_files.clear();
    m_shown.clear();
    m_dialogs.clear();
    m_beeps = 0;
}

PromptAnswer UnattendedPrompt::message(const QString &text, PromptIcon icon, PromptButtons buttons,
                                       const QString &caption)
{
    // Line breaks of the message stay; anything else that could steer the
    // terminal is shown escaped.
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        line = escapedText(line);
    writeText(stderr, lines.join(u'\n') + u'\n');
    const PromptAnswer answer = ScriptedPrompt::message(text, icon, buttons, caption);
    return buttons == PromptButtons::RetryCancel ? PromptAnswer::Cancel : answer;
}

} // namespace platform
