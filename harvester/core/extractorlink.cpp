#include "extractorlink.h"

#include <platform/paths.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#include <utility>

namespace harvester {

QString locateExtractor(const QString &programFolder)
{
    const QString name = QStringLiteral("pdfimages");
    if (!programFolder.isEmpty()) {
        const QFileInfo beside(platform::joinPath(programFolder, name));
        if (beside.isFile() && beside.isExecutable())
            return beside.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

ExtractorLink::ExtractorLink(QObject *parent) : QObject(parent) {}

ExtractorLink::~ExtractorLink()
{
    terminate();
}

bool ExtractorLink::LaunchExtractor(const ExtractorCommand &command)
{
    return start(command, false);
}

bool ExtractorLink::ListImages(const ExtractorCommand &command)
{
    return start(command, true);
}

bool ExtractorLink::start(const ExtractorCommand &command, bool listing)
{
    terminate();
    m_waitingLines.clear();
    m_exitCode.reset();
    m_assembler = LineAssembler();
    m_listing = listing;
    m_listOutput.clear();

    auto process = std::make_unique<QProcess>();
    if (listing)
        process->setStandardErrorFile(QProcess::nullDevice());
    else
        process->setProcessChannelMode(QProcess::MergedChannels);
    const pid_t harvester = ::getpid();
    process->setChildProcessModifier([harvester] {
        // A group of its own: Ctrl-C in a terminal stops the run between
        // PDFs instead of killing the extractor halfway through one.
        ::setpgid(0, 0);
        // Killed when Harvester ends, also when it is killed itself; if it
        // has already ended, the extractor does not start at all.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != harvester)
            ::_exit(127);
    });
    connect(process.get(), &QProcess::readyReadStandardOutput, this, &ExtractorLink::readOutput);
    connect(process.get(), &QProcess::finished, this, &ExtractorLink::onFinished);
    process->start(command.program, command.arguments, listing ? QIODevice::ReadOnly : QIODevice::ReadWrite);
    if (!process->waitForStarted(-1)) {
        process->disconnect(this);
        return false;
    }
    m_process = std::move(process);
    m_readerActive = true;
    return true;
}

void ExtractorLink::terminate()
{
    m_readerActive = false;
    if (!m_process)
        return;
    QProcess *process = m_process.release();
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(-1);
    }
    // It may be the sender of the signal being handled now.
    process->deleteLater();
}

void ExtractorLink::readOutput()
{
    if (!m_process)
        return;
    const QByteArray bytes = m_process->readAllStandardOutput();
    if (m_listing) {
        m_listOutput += bytes;
        return;
    }
    for (const char byte : bytes) {
        std::optional<QString> line = m_assembler.feed(byte);
        if (line && m_waitingLines.size() < size_t(kMaxWaitingLines))
            m_waitingLines.push_back(std::move(*line));
    }
    if (!m_waitingLines.empty())
        scheduleDelivery();
}

void ExtractorLink::onFinished()
{
    if (!m_process)
        return;
    readOutput();
    const bool crashed = m_process->exitStatus() == QProcess::CrashExit;
    m_exitCode = crashed ? 128 + m_process->exitCode() : m_process->exitCode();
    QProcess *process = m_process.release();
    process->disconnect(this);
    process->deleteLater();
    scheduleDelivery();
}

void ExtractorLink::scheduleDelivery()
{
    if (m_deliveryQueued)
        return;
    m_deliveryQueued = true;
    QTimer::singleShot(0, this, &ExtractorLink::deliver);
}

void ExtractorLink::deliverWaitingLines()
{
    while (!m_waitingLines.empty()) {
        const QString line = std::move(m_waitingLines.front());
        m_waitingLines.pop_front();
        emit lineReady(line);
    }
}

void ExtractorLink::deliver()
{
    m_deliveryQueued = false;
    deliverWaitingLines();
    if (m_exitCode && m_readerActive) {
        m_readerActive = false;
        const int code = *m_exitCode;
        m_exitCode.reset();
        if (m_listing)
            emit listed(code, std::exchange(m_listOutput, QByteArray()));
        else
            emit exited(code);
    }
}

} // namespace harvester
