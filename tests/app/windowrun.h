#pragma once
// A window on the simulated programmer (virtual clock) with a flash and an EEPROM image
// loaded and the program options set, ready for a program run; every log line is kept.
#include "windowfixture.h"

#include "core/messagelog.h"
#include "sim/simport.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>

struct WindowRun {
    WindowFixture f;
    SimPort* sim = nullptr;
    std::unique_ptr<MainWindow> w;
    QStringList logged;

    template <typename T> T* child(const QString& name) const {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }

    // options: ten "0"/"1", CheckPRO(0) first.
    explicit WindowRun(const QString& options = QStringLiteral("1111011111"),
                       const SimFaults& faults = SimFaults()) {
        SimConfig config;
        config.chip = QStringLiteral("ATMEGA8");
        config.faults = faults;
        auto port = std::make_unique<SimPort>(config);
        sim = port.get();
        w = f.make(std::move(port));
        QObject::connect(&w->session().log, &MessageLog::messageLogged, w.get(),
                         [this](const QString& t) { logged << t; });
        w->chipMenu()->findChild<QAction*>(QStringLiteral("Chip_ATMEGA8"))->trigger();
        QByteArray flash(1000, '\0');
        for (int i = 0; i < flash.size(); ++i)
            flash[i] = char(i * 7 + 3);
        write(QStringLiteral("app.bin"), flash);
        write(QStringLiteral("data.bin"), QByteArray::fromHex("0102A5FF5A"));
        QString next;
        w->fileChooser().open = [&next](QWidget*, const QString&, const QString&) { return next; };
        next = f.file(QStringLiteral("app.bin"));
        child<QPushButton>(QStringLiteral("OpenFFile"))->click();
        next = f.file(QStringLiteral("data.bin"));
        child<QPushButton>(QStringLiteral("OpenEFile"))->click();
        w->fileChooser().open = [](QWidget*, const QString&, const QString&) { return QString(); };
        for (int i = 0; i < 10; ++i) {
            auto* box = child<QCheckBox>(QStringLiteral("CheckPRO_%1").arg(i));
            if (box->isChecked() != (options[i] == u'1'))
                box->click();
        }
        sim->clearSent();
        logged.clear();
    }

    void write(const QString& name, const QByteArray& bytes) {
        QFile out(f.file(name));
        if (!out.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(name));
        out.write(bytes);
    }

    void program() { child<QPushButton>(QStringLiteral("ProCommand"))->click(); }
};
