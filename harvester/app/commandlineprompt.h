#pragma once

#include <platform/prompt.h>

#include <cstdio>

// The prompt of a run without a window: every message is written to a
// stream (standard error), a question with the answer it got. With `yes`
// questions are answered OK, Yes or Retry, and a Retry at most kMaxRetries
// times for the same question at the same place of the run, then Cancel;
// without it, Cancel (No). File dialogs are cancelled.
class CommandLinePrompt : public platform::Prompt {
public:
    static constexpr int kMaxRetries = 3;

    explicit CommandLinePrompt(bool yes, FILE *stream = stderr) : m_yes(yes), m_stream(stream) {}

    // Where the run stands (status line and progress position): a question
    // asked again at the same place is the same question.
    void setContext(const QString &context) { m_context = context; }

    platform::PromptAnswer message(const QString &text, platform::PromptIcon icon = platform::PromptIcon::Stop,
                                   platform::PromptButtons buttons = platform::PromptButtons::Ok,
                                   const QString &caption = {}) override;
    QStringList openFiles(const QString &, const QString &, const QString &) override { return {}; }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
    QString folder(const QString &, const QString &) override { return {}; }
    void beep() override {}

private:
    bool m_yes;
    FILE *m_stream;
    QString m_context;
    QString m_retryKey;
    int m_retries = 0;
};
