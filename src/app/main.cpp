// somnexa: the clinic program. Its files live in the program folder beside
// the executable. One option, for trying a download without hardware:
//
//   somnexa --simulate FLASH [--latency-us N]
//
// makes the download page find a simulated ventilator holding the flash image
// FLASH (as somnexa-tool sim make-flash writes it) instead of the USB bus,
// answering at N microseconds per report (0, the default: at once).

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

#include "app/program.h"
#include "app/program_style.h"
#include "charts/opt_diagram.h"
#include "devsim/flash_image.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Qorvel Somnexa Management System"));
    parser.addHelpOption();
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Download from a simulated ventilator holding the flash image <flash>."),
                                      QStringLiteral("flash"));
    const QCommandLineOption latency(QStringLiteral("latency-us"),
                                     QStringLiteral("Microseconds per report of the simulated ventilator (default 0)."),
                                     QStringLiteral("n"), QStringLiteral("0"));
    parser.addOption(simulate);
    parser.addOption(latency);
    parser.process(application);

    somnexa::app::applyProgramStyle(application);
    somnexa::app::ProgramOptions options;
    options.programDir = QCoreApplication::applicationDirPath();
    if (parser.isSet(simulate)) {
        const QFileInfo flash(parser.value(simulate));
        std::string error;
        if (!somnexa::devsim::FlashImage::load(flash.absoluteFilePath().toStdString(), &error)) {
            std::fprintf(stderr, "somnexa: cannot use the flash image %s: %s\n", qPrintable(parser.value(simulate)),
                         error.c_str());
            return 2;
        }
        bool number = false;
        const int us = parser.value(latency).toInt(&number);
        if (!number || us < 0) {
            std::fprintf(stderr, "somnexa: --latency-us takes a number >= 0\n");
            return 2;
        }
        options.simulatedFlash = flash.absoluteFilePath();
        options.simulatedLatencyUs = us;
    }
    somnexa::app::Program program(std::move(options));
    switch (program.start()) {
        case somnexa::app::Program::Start::AlreadyRunning: return 0;
        case somnexa::app::Program::Start::Failed: return 1;
        case somnexa::app::Program::Start::Running: break;
    }
    somnexa::charts::registerDiagramOptionPage(*program.context());
    return program.exec();
}
