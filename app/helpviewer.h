#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;
class UserInteraction;

// The value of the "Help" setting when nobody has set it. It names the Windows help file of
// earlier versions; like an empty value, it stands for the HTML help that ships with the program.
constexpr const char* kDefaultHelpSetting = "Granum.hlp";

// The shipped help, below a data folder (installed in share/granum/help/).
constexpr const char* kShippedHelpFile = "help/index.html";

// The help file that Help > Contents opens for a "Help" setting. The default or an empty value
// gives the shipped help; an http or https address is kept as it is; any other value is a file
// path, found like a scheme path: as given when absolute, else in the current folder, then in the
// data folders. Found files come back absolute; a file found nowhere comes back as asked, so that
// the message names it.
QString HelpFileLocation(const QString& setting);

// Opens a URL in the desktop's browser; false when that failed.
using UrlOpener = std::function<bool(const QUrl&)>;

// Help > Contents: reads "Help" from the settings group "Granum/Settings" (default "Granum.hlp")
// and opens HelpFileLocation of it with open (QDesktopServices::openUrl when empty). A help file
// that does not exist, or that the desktop could not open, is reported through interaction as
// "Unable to open the help file" and its path, caption "Problem". Returns the location handed to
// the desktop, or "" after the message.
QString OpenHelpContents(UserInteraction& interaction, QWidget* parent, const UrlOpener& open = {});
