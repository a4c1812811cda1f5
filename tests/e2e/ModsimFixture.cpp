#include "tests/e2e/ModsimFixture.h"

#include "apps/brelund/BrelundProfile.h"
#include "apps/quorvex/QuorvexProfile.h"

#include <QDeadlineTimer>
#include <QTest>

namespace orvane::test {

namespace {

std::string toStd(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

Modsim::~Modsim() {
    stop();
}

QStringList Modsim::typeOptions(Program which) {
    return {QStringLiteral("--type"), which == Program::Quorvex ? QStringLiteral("T") : QStringLiteral("R")};
}

bool Modsim::start(const QStringList& options, int timeoutMs) {
    stop();
    m_devicePath.clear();
    m_error.clear();
    m_stderr.clear();
    QStringList arguments = options;
    arguments << QStringLiteral("--exit-on-stdin-eof");
    m_process.start(QStringLiteral(ORVANE_MODSIM_PATH), arguments);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = "modsim did not start: " + m_process.errorString().toStdString();
        return false;
    }
    // The first line on standard output is the device path.
    QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine() && !deadline.hasExpired()) {
        if (!m_process.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)))) {
            if (m_process.state() == QProcess::NotRunning) break;
        }
    }
    if (!m_process.canReadLine()) {
        m_error = "modsim named no device: " + diagnostics();
        stop();
        return false;
    }
    m_devicePath = toStd(m_process.readLine().trimmed());
    return true;
}

void Modsim::stop() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool Modsim::waitForExit(int timeoutMs) {
    if (m_process.state() == QProcess::NotRunning) return true;
    return QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
}

std::string Modsim::diagnostics() {
    m_stderr += toStd(m_process.readAllStandardError());
    return m_stderr;
}

QtProgram::QtProgram(Program program) : which(program) {
    appInfo.folder = folder.str();
    appInfo.baseName = nameOf(program);
    if (program == Program::Quorvex)
        app = std::make_unique<App>(quorvex::profile(), transmitterModel, platform);
    else
        app = std::make_unique<App>(brelund::profile(), receiverModel, platform);
}

QtProgram::~QtProgram() {
    timers.reset();
    if (port.isOpen()) port.close();
}

void QtProgram::start() {
    app->Form_Load();
    timers = std::make_unique<TimerDriver>(app->form(), loop);
    timers->start();
}

bool QtProgram::openDevice(const std::string& path) {
    form().Combo1.setText(path);
    if (!port.isOpen()) form().ComStart.click();
    return port.isOpen();
}

void ModsimFixture::startAndOpen(Program which, const QStringList& options) {
    ASSERT_TRUE(modsim.start(Modsim::typeOptions(which) + options)) << modsim.errorText();
    program = std::make_unique<QtProgram>(which);
    program->start();
    ASSERT_TRUE(program->openDevice(modsim.devicePath()))
        << modsim.devicePath() << ": " << program->form().P_Message.caption() << " "
        << program->form().P_Message.toolTip();
}

bool ModsimFixture::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

}  // namespace orvane::test
