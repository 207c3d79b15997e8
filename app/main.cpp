#include "app/ActivationToken.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/FormData.h"
#include "app/FormMain.h"
#include "app/FormMainView.h"
#include "app/ProgramPlaces.h"
#include "app/SignalCloser.h"
#include "app/SingleInstance.h"
#include "platform/KeyFileWriter.h"
#include "store/TableFile.h"
#include "study/CommonTexts.h"
#include "study/ErrorReport.h"
#include "ui/FontConfigReader.h"
#include "ui/FormLook.h"

#include <QApplication>
#include <QMessageBox>

#include <iostream>

// The build says where the word list goes: beside a portable program, always at home for a package.
constexpr TableFolderRule kTableFolderRule = TableFolderRule::DORORI_TABLE_FOLDER_RULE;

int main(int argc, char** argv)
{
    const Command command = ParseCommandLine(argc, argv);
    if (command.action == CommandAction::Refuse) {
        std::cerr << command.refusal << '\n';
        return 2;
    }
    const ProgramPlaces places = FindProgramPlaces(RunningProgramFile(), kTableFolderRule);
    if (command.action != CommandAction::Start)
        return RunCommand(command.action, places, std::cout);

    SignalCloser::CatchSignals();
    const QByteArray activationToken = LauncherActivationToken();
    FontConfigReader fontConfig; // meanwhile the toolkit connects to the display
    Application app(argc, argv);
    SingleInstance instance(SignalCloser::Received);
    if (instance.Claim(activationToken) == SingleInstance::Claimed::HandedOver)
        return 0; // the running instance restores itself
    // Registry keys go to disk on a thread of their own; it ends after the window, once they are
    // there. Nothing is put in place before the window is on the screen.
    KeyFileWriter registryWriter(KeyFileWriter::Start::Held);

    fontConfig.Wait();
    // The program's own font for every text, also where no form sets one (tooltips, file dialogs):
    // a new edit box lays out its empty text in the application's font before it takes the form's,
    // and another font would cost the start a font engine of its own.
    QApplication::setFont(FormFont());
    const StudyPaths paths{places.titlesFile.string(), places.programFile.parent_path().string(),
                           places.gradedListsFolder.string()};

    // The main window first (it reads the titles and must not touch the table), then the data form.
    TFormData data;
    TFormMain form(data.DictTable, paths);
    app.reportError = [&form](const QString& text) { form.ShowErrorReport(text); };
    QObject::connect(&instance, &SingleInstance::restoreRequested, &form, [&form](const QByteArray& token) {
        UseActivationToken(token);
        form.WMRestoreApp();
    });
    // A start while the window closes finds no instance and opens a window of its own.
    form.beforeClose = [&instance] { instance.StopListening(); };
    SignalCloser closer(&form);

    // False when the program must end.
    const auto openTable = [&] {
        const OpenResult opened = data.FormCreate(places.wordListFolder);
        if (opened.outcome == OpenOutcome::TableMissing) {
            QMessageBox::critical(nullptr, QStringLiteral("警告"), QStringLiteral("词典数据库调用失败"));
            return false;
        }
        // One message that names the file and what to do; the features say so again only when used.
        if (opened.outcome == OpenOutcome::Failed)
            form.View().MessageBox(StartRefusalText(opened), Common().warning, Question::Notice);
        return true;
    };
    // The first run makes its table once the window is on the screen, so that nothing is written
    // to disk before the window shows.
    const bool firstRun = TableToCreate(places.wordListFolder);
    if (!firstRun && !openTable())
        return 0;
    // A signal during the start ends the program before its window shows.
    if (SignalCloser::Received())
        return 0;

    form.afterFirstPaint = [&] {
        registryWriter.Release();
        if (firstRun && !openTable())
            QCoreApplication::exit(0);
    };
    form.show();
    return app.exec();
}
