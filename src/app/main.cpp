// Zerantix, module KAPA21: comparison of two samples.
#include "core/AnalysisRecord.h"
#include "core/ProgramDirectory.h"
#include "core/NumberText.h"
#include "ui/Controls.h"
#include "ui/QtDialogs.h"
#include "ui/StartWindow.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Without a display Qt stops with a message about platform plugins that tells
// a user nothing; say what is missing and how to start the program anyway.
bool displayMissing()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return !set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM");
#else
    return false;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    if (displayMissing()) {
        std::fprintf(stderr,
            "Zerantix: Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt).\n"
            "Starten Sie das Programm in einer grafischen Sitzung oder unter Xvfb:\n"
            "  xvfb-run -a %s%s\n",
            argv[0], argc > 1 ? " <Verzeichnis>" : "");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zerantix");
    if (!zx::InstallGermanTranslations(app))
        std::fprintf(stderr, "Zerantix: Qts deutsche Übersetzungen fehlen (Paket qt6-translations-l10n); "
                             "die Standarddialoge erscheinen englisch.\n");

    const QString point = QLocale::system().decimalPoint();
    zx::SetDecimalSeparator(point.isEmpty() ? '.' : point.at(0).toLatin1());

    zx::StartOptions options;
    options.parameterFile = zx::ParameterFilePath();
    const QStringList args = QApplication::arguments();
    if (args.size() == 2)
        options.argumentFolder = QDir(args.at(1)).absolutePath().toStdString();
    options.exampleFolder = zx::FindExampleFolder(QApplication::applicationDirPath().toStdString(), ZX_EXAMPLES_DIR);
    options.currentFolder = QDir::currentPath().toStdString();

    // One analysis record for the whole run, handed to every window.
    auto record = std::make_unique<zx::AnalysisRecord>();
    zx::QtDialogs dialogs;
    zx::StartWindow start(*record, dialogs, options);
    start.show();
    return QApplication::exec();
}
