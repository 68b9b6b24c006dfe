// The program's start on a demo yearly file: from the splash to the main
// window after its activation sequence (settings, database, definitions,
// version check, date labels, logo), without a login.

#include "app/program.h"
#include "app/tfrmmenu.h"
#include "core/prompter.h"
#include "db/database.h"
#include "db/schema.h"
#include "tools/demodata.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace {

// A start on a sound file asks nothing; anything shown is a fault here.
class NoPrompts : public core::Prompter {
public:
    void message(const QString& text) override { throw std::runtime_error(text.toStdString()); }
    bool question(const QString& text) override { throw std::runtime_error(text.toStdString()); }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    bool printDialog(QPrinter&, bool) override { return false; }
    int runModal(QDialog&) override { throw std::runtime_error("unexpected screen"); }
};

QTemporaryDir* folder = nullptr;

void makeDemoFile()
{
    const int year = QDate::currentDate().year();
    db::Database database;
    db::createYearFile(database, folder->filePath(QStringLiteral("DORPAK%1.GDB").arg(year)),
                       db::SchemaVersion::Current);
    tools::fillDemoData(database, year);
    database.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->filePath("settings"));
    QSettings settings(QStringLiteral("VELOR"), QStringLiteral("DORPAK"));
    settings.setValue(QStringLiteral("YIL"), QString::number(year));
    settings.setValue(QStringLiteral("YOL"), folder->path());
}

void StartToMainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        app::Program program({folder->filePath("run"), [] {}, true});
        if (!program.build())
            state.SkipWithError("the program did not start");
        program.show();
        TFRMMENU& window = program.mainWindow();
        while (!window.activationRan())
            QApplication::processEvents(QEventLoop::AllEvents);
        if (window.endRequested())
            state.SkipWithError("the program ended during its start");
        state.PauseTiming();
        window.programSonu();
        state.ResumeTiming();
    }
}
BENCHMARK(StartToMainWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    makeDemoFile();
    NoPrompts prompts;
    core::Prompter::install(&prompts);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
