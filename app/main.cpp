// granum: the desktop program. Opens the sample file named on the command line, if any.
#include "app/sheet.h"
#include "pages/texpoint.h"
#include "widgets/qtuserinteraction.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

void NameApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Agrodesk"));
    QCoreApplication::setApplicationName(QStringLiteral("Granum"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GRANUM_VERSION));
}

// Reads the command line before any window system is touched, so that --help and --version work
// without a display (over SSH, or for the manual page). Exits on those and on unknown options.
QStringList FilesToOpen(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    NameApplication();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Granum classifies soil samples into soil texture classes and draws them "
                       "on the texture triangle. Command-line work is done by granum-cli."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A sample file (.csv) to open on the Point Lookup "
                                                "page."),
                                 QStringLiteral("[file]"));
    // The window system's own options are read later by QApplication: known here, not listed.
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                             "geometry", "style", "stylesheet", "name", "title"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.process(core);
    return parser.positionalArguments();
}

// Qt's own words for a display it cannot open end in an abort that suggests reinstalling. While
// the application starts, its messages are held back; a fatal one becomes our one line instead.
std::vector<std::pair<QtMsgType, QString>> gStartMessages;
QtMessageHandler gPreviousHandler = nullptr;

void StartMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        gStartMessages.emplace_back(type, message);
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr,
                 "granum: no usable display%s; start it under a virtual one (xvfb-run -a granum) "
                 "or use granum-cli\n",
                 display.isEmpty() ? "" : (" at DISPLAY=" + display).constData());
    std::_Exit(1);
}

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    gPreviousHandler = qInstallMessageHandler(StartMessageHandler);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(gPreviousHandler);
    for (const auto& [type, message] : gStartMessages)
        qt_message_output(type, QMessageLogContext(), message);
    gStartMessages.clear();
    NameApplication();
    return application;
}

} // namespace

int main(int argc, char** argv) {
    const QStringList files = FilesToOpen(argc, argv);
    const std::unique_ptr<QApplication> application = StartApplication(argc, argv);

    QtUserInteraction interaction;
    CSheet sheet(interaction);
    if (!files.isEmpty())
        sheet.PointPage().OpenPath(files.first());
    sheet.show();
    return QApplication::exec();
}
