#pragma once

#include <QDialog>
#include <QString>

// Help > About: the program's icon, name, version and platform, who made it, its licence with a
// link to the licence's text, and where the settings are kept. Closed with OK.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// The name of the system the program runs on, as users know it: "Linux", "Windows", "macOS".
QString PlatformName();

// "Granum for Linux ver. 4.2": the program, the platform and the version.
QString AboutVersionText();

// The licence, as the About box names it and where its link leads.
constexpr const char* kLicenceName = "GNU General Public License, version 3 or later";
constexpr const char* kLicenceAddress = "https://www.gnu.org/licenses/gpl-3.0.html";
