#include "profilerun.h"

#include "messages.h"
#include "offsetprofile.h"
#include "retoucheditor.h"

#include <platform/paths.h>
#include <platform/progress.h>

#include <QFileInfo>
#include <QSet>

namespace retouch {

namespace {

QString lastMessage(const platform::ScriptedPrompt &prompt)
{
    const QStringList texts = prompt.texts();
    return texts.isEmpty() ? QString() : texts.last();
}

} // namespace

int runProfile(const ProfileRun &run,
               const std::function<void(const QString &path, const QString &message)> &report,
               platform::Progress *progress)
{
    const ProfileReadResult read = readOffsetProfile(run.profilePath);
    if (read.status != ProfileReadResult::Ok) {
        report(run.profilePath, read.message(run.profilePath));
        return 1;
    }

    int failures = 0;
    const QString outputFolder = QFileInfo(run.outputFolder).canonicalFilePath();
    QSet<QString> written;
    platform::Progress unseen;
    platform::Progress &shown = progress ? *progress : unseen;
    platform::ProgressScope scope(shown, QString(), int(run.images.size()));
    int done = 0;
    // Each picture's line goes out with the count that includes it.
    const auto finished = [&](const QString &image, const QString &message) {
        shown.setPosition(++done);
        report(image, message);
    };
    for (const QString &image : run.images) {
        shown.setText(image);
        const QString name = platform::fileNameOf(image);
        const QString target = platform::joinPath(run.outputFolder, name);
        // The result takes the picture's own name, so the output folder must
        // not be the picture's folder under any spelling.
        const QString imageFolder = QFileInfo(QFileInfo(image).absolutePath()).canonicalFilePath();
        if (!outputFolder.isEmpty() && outputFolder == imageFolder) {
            finished(image, text::OutputIsSource.arg(target));
            ++failures;
            continue;
        }
        if (written.contains(name)) {
            finished(image, text::OutputNameTaken.arg(target));
            ++failures;
            continue;
        }

        // Messages are recorded instead of shown and reported per picture.
        platform::ScriptedPrompt prompt;
        RetouchEditor editor(prompt);
        editor.settings().jq = run.quality;
        if (editor.openImage(image) != OpenResult::Opened
            || !editor.applyProfile(read.profile, run.profilePath)
            || editor.saveTo(target, platform::FileRole::Output) != SaveResult::Saved) {
            finished(image, lastMessage(prompt));
            ++failures;
            continue;
        }
        written.insert(name);
        finished(image, QString());
    }
    return failures;
}

} // namespace retouch
