// somnexa: the clinic program. Reads no arguments; its files live in the
// program folder beside the executable.

#include <QApplication>

#include "app/program.h"
#include "app/program_style.h"
#include "charts/opt_diagram.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    somnexa::app::applyProgramStyle(application);
    somnexa::app::ProgramOptions options;
    options.programDir = QCoreApplication::applicationDirPath();
    somnexa::app::Program program(std::move(options));
    switch (program.start()) {
        case somnexa::app::Program::Start::AlreadyRunning: return 0;
        case somnexa::app::Program::Start::Failed: return 1;
        case somnexa::app::Program::Start::Running: break;
    }
    somnexa::charts::registerDiagramOptionPage(*program.context());
    return program.exec();
}
