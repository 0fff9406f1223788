#include "commandlineprompt.h"

#include <platform/commandline.h>

namespace {

QString answerName(platform::PromptAnswer answer)
{
    switch (answer) {
    case platform::PromptAnswer::Ok: return QStringLiteral("OK");
    case platform::PromptAnswer::Yes: return QStringLiteral("Yes");
    case platform::PromptAnswer::No: return QStringLiteral("No");
    case platform::PromptAnswer::Retry: return QStringLiteral("Retry");
    case platform::PromptAnswer::Cancel: break;
    }
    return QStringLiteral("Cancel");
}

} // namespace

platform::PromptAnswer CommandLinePrompt::message(const QString &text, platform::PromptIcon,
                                                  platform::PromptButtons buttons, const QString &)
{
    using platform::PromptAnswer;
    using platform::PromptButtons;
    PromptAnswer answer = PromptAnswer::Ok;
    switch (buttons) {
    case PromptButtons::Ok: break;
    case PromptButtons::OkCancel:
    case PromptButtons::OkCancelDefaultCancel:
        answer = m_yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
        break;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
    case PromptButtons::YesNoDefaultNo:
        answer = m_yes ? PromptAnswer::Yes : PromptAnswer::No;
        break;
    case PromptButtons::RetryCancel: {
        const QString key = text + u'\x1f' + m_context;
        m_retries = key == m_retryKey ? m_retries + 1 : 1;
        m_retryKey = key;
        answer = m_yes && m_retries <= kMaxRetries ? PromptAnswer::Retry : PromptAnswer::Cancel;
        break;
    }
    }
    if (buttons != PromptButtons::RetryCancel) {
        m_retryKey.clear();
        m_retries = 0;
    }
    const QString shown = buttons == PromptButtons::Ok ? text : text + QStringLiteral(" -> ") + answerName(answer);
    platform::printLine(m_stream, shown);
    return answer;
}
