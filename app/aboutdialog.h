#pragma once

#include <QDialog>
#include <QString>

// Help > About: the program's icon, name, version and platform, who made it, and links to the
// web site and the mail address. Closed with OK.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// The name of the system the program runs on, as users know it: "Linux", "Windows", "macOS".
QString PlatformName();

// "Granum for Linux ver. 4.2": the program, the platform and the version (major.minor).
QString AboutVersionText();

// Where the About box's links lead.
constexpr const char* kWebAddress = "https://granum.example.org";
constexpr const char* kMailAddress = "granum@example.org";
