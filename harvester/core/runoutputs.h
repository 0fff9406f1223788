#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace harvester {

// Where the items of one run put their results (a book or an image folder
// beside each source), and the rules that keep every result in its place.
// Planned before the first item: an item is refused when its output
// - is not a named entry in its source's own folder (a source named only
//   ".pdf" or ".kvb" would give the folder itself, or a book beside it);
// - is also another item's output (X.pdf and X.PDF both give X.kvb; the
//   folders Vol and Vol.pdf both give Vol.kvb): every such item is refused;
// - is a source of the run;
// - holds a source, another output or a protected folder (the work folder)
//   below it, which writing or replacing it would touch.
// While the run goes, an output is written only where nothing stands that
// this run wrote or reads (compared by device and inode, so a link, or a
// name that a file system ignoring case takes for another, is found too).
class RunOutputs {
public:
    enum class Refusal { None, Outside, Shared, IsSource, HoldsRunPath };

    void plan(const QStringList &sources, const QStringList &outputs, const QStringList &protectedFolders);

    Refusal refusal(int item) const;
    // The log line of a refused item; empty when it is not refused.
    QString refusalLog(int item) const;

    // False when `output` now names (itself, or through links) an entry this
    // run wrote or one of its sources.
    bool mayReplace(const QString &output) const;
    // `output` was written (or put in place) by this run.
    void recordWritten(const QString &output);
    // The log line for an output that may not be replaced.
    static QString writtenLog(const QString &output, const QString &source);

private:
    using Identity = std::pair<uint64_t, uint64_t>;
    static std::vector<Identity> identitiesOf(const QString &path);

    QStringList m_sources;
    QStringList m_outputs;
    std::vector<Refusal> m_refusals;
    std::set<Identity> m_taken;
};

} // namespace harvester
