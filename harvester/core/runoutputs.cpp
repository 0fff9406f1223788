#include "runoutputs.h"

#include "messages.h"

#include <platform/filenames.h>
#include <platform/paths.h>

#include <QFile>
#include <QHash>
#include <QSet>

#include <sys/stat.h>

namespace harvester {

namespace {

// Whether a path of `paths` (sorted) lies below `folder`.
bool holdsAny(const std::set<QString> &paths, const QString &folder)
{
    const QString below = folder + u'/';
    const auto it = paths.lower_bound(below);
    return it != paths.end() && it->startsWith(below);
}

} // namespace

void RunOutputs::plan(const QStringList &sources, const QStringList &outputs, const QStringList &protectedPaths)
{
    QStringList protectedFolders;
    for (const QString &folder : protectedPaths)
        protectedFolders.append(platform::withoutTrailingSlash(folder));
    m_sources = sources;
    m_outputs = outputs;
    m_refusals.assign(size_t(sources.size()), Refusal::None);
    m_taken.clear();

    QHash<QString, int> outputCount;
    for (const QString &output : outputs)
        ++outputCount[output];
    const QSet<QString> sourceSet(sources.begin(), sources.end());
    std::set<QString> runPaths(sources.begin(), sources.end());
    runPaths.insert(outputs.begin(), outputs.end());
    runPaths.insert(protectedFolders.begin(), protectedFolders.end());

    for (qsizetype i = 0; i < sources.size(); ++i) {
        const QString &source = sources[i];
        const QString &output = outputs.value(i);
        Refusal &refusal = m_refusals[size_t(i)];
        if (output.isEmpty() || platform::fileNameOf(output).isEmpty()
            || platform::folderOf(output) != platform::folderOf(source))
            refusal = Refusal::Outside;
        else if (outputCount.value(output) > 1)
            refusal = Refusal::Shared;
        else if (sourceSet.contains(output))
            refusal = Refusal::IsSource;
        else if (holdsAny(runPaths, output) || protectedFolders.contains(output))
            refusal = Refusal::HoldsRunPath;
        for (const Identity &identity : identitiesOf(source))
            m_taken.insert(identity);
    }
    for (const QString &folder : protectedFolders) {
        for (const Identity &identity : identitiesOf(folder))
            m_taken.insert(identity);
    }
}

RunOutputs::Refusal RunOutputs::refusal(int item) const
{
    return item >= 0 && size_t(item) < m_refusals.size() ? m_refusals[size_t(item)] : Refusal::None;
}

QString RunOutputs::refusalLog(int item) const
{
    const QString source = m_sources.value(item);
    const QString output = m_outputs.value(item);
    switch (refusal(item)) {
    case Refusal::None: return {};
    case Refusal::Outside: return text::OutputOutsideLog.arg(source);
    case Refusal::Shared: return text::OutputSharedLog.arg(output, source);
    case Refusal::IsSource: return text::OutputIsSourceLog.arg(output, source);
    case Refusal::HoldsRunPath: return text::OutputHoldsRunLog.arg(output, source);
    }
    return {};
}

std::vector<RunOutputs::Identity> RunOutputs::identitiesOf(const QString &path)
{
    std::vector<Identity> identities;
    const QByteArray native = platform::nameBytes(path);
    struct stat st;
    if (::lstat(native.constData(), &st) == 0) {
        identities.emplace_back(uint64_t(st.st_dev), uint64_t(st.st_ino));
        if (S_ISLNK(st.st_mode) && ::stat(native.constData(), &st) == 0)
            identities.emplace_back(uint64_t(st.st_dev), uint64_t(st.st_ino));
    }
    return identities;
}

bool RunOutputs::mayReplace(const QString &output) const
{
    for (const Identity &identity : identitiesOf(output)) {
        if (m_taken.count(identity))
            return false;
    }
    return true;
}

void RunOutputs::recordWritten(const QString &output)
{
    for (const Identity &identity : identitiesOf(output))
        m_taken.insert(identity);
}

QString RunOutputs::writtenLog(const QString &output, const QString &source)
{
    return text::OutputWrittenLog.arg(output, source);
}

} // namespace harvester
