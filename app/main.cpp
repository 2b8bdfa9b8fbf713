// granum: the desktop program. Opens the sample file named on the command line, if any.
#include "app/sheet.h"
#include "pages/texpoint.h"
#include "widgets/qtuserinteraction.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Agrodesk");
    QApplication::setApplicationName("Granum");
    QApplication::setApplicationVersion(GRANUM_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Soil texture classification");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A sample file (.csv) to open.", "[file]");
    parser.process(application);

    QtUserInteraction interaction;
    CSheet sheet(interaction);
    if (!parser.positionalArguments().isEmpty())
        sheet.PointPage().OpenPath(parser.positionalArguments().first());
    sheet.show();
    return application.exec();
}
