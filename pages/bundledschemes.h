#pragma once

#include <QString>
#include <functional>
#include <vector>

class PageScheme;
class QMenu;

// A scheme shipped with the program, as the pages offer it.
struct BundledScheme {
    QString id;    // the file name without ".dat"
    QString path;  // "schemes/<id>.dat": what a page loads and the settings keep
    QString file;  // the file itself
    QString label; // "Name (country)" from the file's key lines, or the id without them
};

// The folder of the bundled schemes: "schemes" in the first data folder that has one, or an
// empty text when none has.
QString BundledSchemeFolder();

// The bundled schemes (BundledSchemeFiles), sorted by label (case-insensitive, then by id).
std::vector<BundledScheme> BundledSchemes();

// Fills menu with one item per bundled scheme (the label, "&" shown as itself). Each time the
// menu opens, the item of the page's current scheme is checked; picking an item calls load with
// the scheme's path. Without bundled schemes the menu holds one greyed item that says so.
void FillBundledSchemeMenu(QMenu& menu, const PageScheme& scheme,
                           const std::function<void(const QString&)>& load);
