#include "cli/cli.h"
#include "core/language.h"
#include "core/unixsignals.h"
#include "link/link.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTextStream>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// One line from standard input. On POSIX systems the line is awaited in the event loop, so
// that Ctrl-C during a question is seen at once (it answers "no").
QString readAnswer(QTextStream& in, const UnixSignals& signalWatch) {
#ifdef Q_OS_UNIX
    (void)in;
    QByteArray line;
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1)
        return {}; // no input at all: no answer
    QEventLoop loop;
    QSocketNotifier notifier(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
        char c = 0;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return; // nothing after all: wait for the next character
        if (n <= 0 || c == '\n')
            loop.quit();
        else
            line += c;
    });
    QObject::connect(&signalWatch, &UnixSignals::received, &loop, [&] {
        line.clear();
        loop.quit();
    });
    if (signalWatch.lastSignal() == 0)
        loop.exec();
    return QString::fromLocal8Bit(line);
#else
    (void)signalWatch;
    return in.readLine();
#endif
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hvpp-cli"));
    QStringList arguments = app.arguments();
    QString language;
    QString error;
    if (!Language::take(&arguments, &language, &error)) {
        QTextStream(stderr) << error << Qt::endl;
        return 2;
    }
    Language::install(&app, language);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);

    // SIGINT and SIGTERM stop the running operation at its next step; the command then prints
    // what it has (a production run its totals) and ends with 128 + the signal's number. A
    // second Ctrl-C ends the program at once.
    UnixSignals signalWatch({SIGINT, SIGTERM}, UnixSignals::SecondOneKills);
#ifdef Q_OS_UNIX
    // A reader that goes away (| head) must not end a run in the middle of a write: what
    // is printed to a closed pipe is dropped, and the run goes on to its end.
    ::signal(SIGPIPE, SIG_IGN);
#endif
    QObject::connect(&signalWatch, &UnixSignals::received, &app, [](int signalNumber) {
        setCliStopSignal(signalNumber);
        Link::requestStopAll();
    });

    auto ask = [&](const QString& question) {
        err << question << QStringLiteral(" [y/N] ") << Qt::flush;
        const QString answer = readAnswer(in, signalWatch).trimmed().toLower();
        return answer == u"y" || answer == u"yes" || answer == u"是";
    };
    const int code = runCli(arguments, out, err, ask);
    out.flush();
    QCoreApplication::processEvents(); // a signal that came after the last wait
    if (signalWatch.lastSignal() != 0)
        return 128 + signalWatch.lastSignal(); // as a shell reports a program a signal ended
    return code;
}
