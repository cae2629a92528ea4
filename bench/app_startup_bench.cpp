// Start-up to the shown main window with every window of the program
// created, offscreen, and the program's end; the program folder is a copy
// of the built one.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "app/program.h"
#include "app/program_style.h"
#include "storage/recording_presenter.h"

namespace {

using namespace somnexa;

bool copyProgramFolder(const QString& to) {
    for (const char* name : {"DBQorvel.mdb", "Patient.mdb", "face.rcc", "help.html", "Loading1.gif"}) {
        const QString file = QString::fromLatin1(name);
        if (!QFile::copy(QDir(QStringLiteral(SOMNEXA_PROGRAM_DIR)).filePath(file), QDir(to).filePath(file))) {
            return false;
        }
    }
    return true;
}

void BM_StartToShownMainWindow(benchmark::State& state) {
    QTemporaryDir folder;
    if (!folder.isValid() || !copyProgramFolder(folder.path())) {
        state.SkipWithError("cannot prepare the program folder");
        return;
    }
    storage::RecordingPresenter boxes;
    for (auto _ : state) {
        app::ProgramOptions options;
        options.programDir = folder.path();
        options.lockFolder = folder.path();
        options.presenter = &boxes;
        app::Program program(options);
        if (program.start() != app::Program::Start::Running) {
            state.SkipWithError("start-up failed");
            return;
        }
        QApplication::processEvents();  // the first paint of the shown window
        benchmark::DoNotOptimize(program.mainWindow()->isVisible());
    }
}
// The first start of a process also loads the fonts and the style: once.
BENCHMARK(BM_StartToShownMainWindow)->Name("FirstStartInProcess")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StartToShownMainWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::applyProgramStyle(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
