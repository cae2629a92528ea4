// somnexa_screens [OUTDIR]: starts the program offscreen on a demo copy of
// the program folder, in English and in Chinese, visits every page and
// dialog that exists and writes a PNG of each into OUTDIR ("screens").

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMovie>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/option_window.h"
#include "app/program.h"
#include "app/program_style.h"
#include "app/qt_presenter.h"
#include "patients/demo_patients.h"
#include "patients/new_patient_window.h"
#include "charts/chart_gallery.h"
#include "device/windows/download_screens.h"
#include "charts/opt_diagram.h"
#include "storage/recording_presenter.h"

namespace {

using namespace somnexa;
using namespace somnexa::app;

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool save(QWidget* widget, const QDir& out, const QString& name) {
    settle();
    const bool ok = widget->grab().save(out.filePath(name + QStringLiteral(".png")), "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(out.filePath(name + QStringLiteral(".png"))));
    return ok;
}

bool prepareDemo(const QString& programDir, const QString& demo, int language) {
    for (const char* name : {"DBQorvel.mdb", "Patient.mdb", "face.rcc", "help.html", "Loading1.gif"}) {
        const QString file = QString::fromLatin1(name);
        if (!QFile::copy(QDir(programDir).filePath(file), QDir(demo).filePath(file))) {
            std::fprintf(stderr, "missing %s in %s\n", name, qPrintable(programDir));
            return false;
        }
    }
    storage::TDM dm;
    dm.MasterDBPath = QDir(demo).filePath(QStringLiteral("DBQorvel.mdb")).toStdString();
    if (!dm.ConnectDatabase(storage::kMasterConnection) || !dm.SetOption("Language", std::to_string(language)))
        return false;
    if (!device::windows::WriteDemoFlash(QDir(demo).filePath(QStringLiteral("flash.bin")).toStdString())) return false;
    return !patients::AddDemoPatients(demo.toStdString(), language).empty();
}

void finishSlide(TfrmMain* main) {
    while (main->sliding()) main->tmrSlideTimer();
}

bool visit(const QString& programDir, const QDir& out, int language, const QString& tag) {
    QTemporaryDir demo;
    if (!demo.isValid() || !prepareDemo(programDir, demo.path(), language)) return false;
    storage::RecordingPresenter boxes;
    ProgramOptions options;
    options.programDir = demo.path();
    options.lockFolder = demo.path();
    options.presenter = &boxes;
    // The download page finds a simulated ventilator, paced as over USB.
    options.simulatedFlash = QDir(demo.path()).filePath(QStringLiteral("flash.bin"));
    options.simulatedLatencyUs = 1000;
    Program program(options);
    if (program.start() != Program::Start::Running) return false;
    AppContext& context = *program.context();
    charts::registerDiagramOptionPage(context);
    boxes.setCatalogue(&context.MessageCatalogue);
    TfrmMain* main = program.mainWindow();
    main->setWindowState(Qt::WindowNoState);
    main->resize(1280, 800);
    finishSlide(main);
    bool ok = save(main, out, tag + QStringLiteral("_main_home"));
    const char* names[] = {"home", "open_patient", "patient_info", "down_data", "data_analysis"};
    for (int item = 1; item < kMenuItemCount; ++item) {
        main->SelectItem(item);
        finishSlide(main);
        if (main->currentItem() == item) ok = save(main, out, tag + "_main_" + names[item]) && ok;
    }
    // A demo patient opened from the patient list, then a new one being entered.
    main->SelectItem(1);
    finishSlide(main);
    if (QWidget* page = main->page(1))
        if (auto* list = page->findChild<QPushButton*>(QStringLiteral("btnSelect"))) list->click();
    settle();
    finishSlide(main);
    ok = save(main, out, tag + QStringLiteral("_main_patient_info_selected")) && ok;
    if (auto* info = dynamic_cast<patients::TfrmNewPatient*>(main->page(2))) {
        info->btnNewClick();
        info->edtName->setText(language == 1 ? QStringLiteral("王芳") : QStringLiteral("Anna Berg"));
        info->edtHeight->setText(QStringLiteral("168"));
        info->edtWeight->setText(QStringLiteral("77"));
        ok = save(main, out, tag + QStringLiteral("_main_patient_info_new")) && ok;
        info->btnCancelClick();
    }
    // The download page with the simulated ventilator: its sessions, then
    // the progress window while the index and then the data are read.
    main->SelectItem(3);
    finishSlide(main);
    if (main->currentItem() == 3)
        ok = device::windows::SaveDownloadScreens(main, main->page(3), tag, [&](QWidget* w, const QString& name) {
                 return save(w, out, name);
             }) && ok;
    main->SelectItem(0);
    finishSlide(main);
    ok = save(main, out, tag + QStringLiteral("_main_patient_selected")) && ok;

    {
        TfrmOption option(context, kSystemPageTag, main);
        option.show();
        ok = save(&option, out, tag + QStringLiteral("_options_system")) && ok;
        option.hoverOver(kSystemPageTag);
        option.close();
    }
    {
        TfrmOption option(context, kDiagramPageTag, main);
        option.show();
        ok = save(&option, out, tag + QStringLiteral("_options_diagram")) && ok;
        option.close();
    }
    ok = charts::writeChartGallery(out.path(), tag, main->font()) && ok;
    const auto box = [&](storage::BoxKind kind, const std::string& text, const QString& name) {
        auto messageBox = makeMessageBox(kind, QString::fromStdString(context.CatalogueText(storage::boxCaption(kind))),
                                         QString::fromStdString(context.CatalogueText(text)), main);
        messageBox->setWindowModality(Qt::NonModal);
        messageBox->show();
        ok = save(messageBox.get(), out, tag + name) && ok;
    };
    box(storage::BoxKind::Question, "Sure you want to exit the system?", QStringLiteral("_box_question"));
    box(storage::BoxKind::Info, "System settings saved successfully!", QStringLiteral("_box_info"));
    std::string longError = context.CatalogueText("Error executing SQL!") + "\n\rno such column: PatientNam\n\r" +
                            "select PatientID, PatientNam from tPatients where PatientID like '2026%'";
    for (int i = 0; i < 30; ++i) longError += " or PatientID = '20261211" + std::to_string(100 + i) + "'";
    box(storage::BoxKind::Info, longError, QStringLiteral("_box_sql_error"));
    {
        // The loading window is see-through where the animation is white:
        // pictured over a white desktop, one frame after the other.
        TfrmLoading loading(demo.path());
        loading.show();
        settle();
        QMovie* movie = loading.picture()->movie();
        const int frames = movie != nullptr ? movie->frameCount() : 0;
        QImage strip(std::max(1, frames) * (loading.width() + 8), loading.height(), QImage::Format_RGB32);
        strip.fill(Qt::white);
        QPainter painter(&strip);
        for (int f = 0; f < frames; ++f) {
            movie->jumpToFrame(f);
            painter.drawPixmap(f * (loading.width() + 8), 0, movie->currentPixmap());
        }
        painter.end();
        const QString file = out.filePath(tag + QStringLiteral("_loading.png"));
        ok = strip.save(file, "PNG") && ok;
        std::printf("wrote %s (%d frames)\n", qPrintable(file), frames);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    applyProgramStyle(application);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens"));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    const QString programDir = QCoreApplication::applicationDirPath();
    const bool english = visit(programDir, out, 3, QStringLiteral("en"));
    const bool chinese = visit(programDir, out, 1, QStringLiteral("zh"));
    return english && chinese ? 0 : 1;
}
