#pragma once

#include "scheme/schemefile.h"
#include "scheme/soiltex.h"

#include <QString>
#include <functional>
#include <string>

class QWidget;
class UserInteraction;

// A lookup page's own classification scheme with its file path, name and axis names, and the
// commands both pages share: the start-up load, "&Load Scheme..." and "Sch&eme Details". Messages
// go through the user interaction with the caption "Problem" and the error icon.
class PageScheme {
public:
    explicit PageScheme(UserInteraction& interaction);

    const soiltex& Scheme() const { return mScheme; }
    // The scheme file in use, as given (a relative path is resolved when it is read); persisted
    // as "Point scheme" or "Range scheme".
    const QString& SchemePath() const { return mSchemePath; }
    void SetSchemePath(const QString& path) { mSchemePath = path; }
    // "none" while no scheme is loaded.
    const QString& SchemeName() const { return mSchemeName; }
    bool HasScheme() const { return mSchemeName != kNoScheme; }
    // "x", "y", "z" while no scheme is loaded.
    const QString& XName() const { return mXName; }
    const QString& YName() const { return mYName; }
    const QString& ZName() const { return mZName; }

    // Loads the scheme at SchemePath(). On failure shows the message with the reason as its
    // detail ("it is a folder"), leaves an empty scheme named
    // "none" with the axes "x", "y", "z", and keeps the path. True when a scheme is in place.
    bool LoadAtStartup(QWidget* parent);

    // Lets the user pick a scheme file, in the folder of the current scheme file or else in the
    // bundled schemes' folder, and loads it as LoadFrom does. False when cancelled.
    bool LoadFromDialog(QWidget* parent, const std::function<void()>& refresh);

    // Loads the scheme at path, which becomes SchemePath() as given. The page's refresh then runs
    // with the new scheme in place; if the load fails or refresh throws, the previous scheme,
    // name, axes and path come back and the message is shown with its reason. True when the new
    // scheme stays.
    bool LoadFrom(QWidget* parent, const QString& path, const std::function<void()>& refresh);

    // The folder the file dialog of LoadFromDialog opens in.
    QString DialogFolder() const;

    // True when a scheme is loaded and SchemePath() names file (the same file by any path).
    bool IsSchemeFile(const QString& file) const;

    // Shows the text before "[texture]" of the scheme file in the "Scheme Details" dialog, or
    // "No scheme details found in file.", with its key lines laid out and the scheme's classes;
    // nothing while no scheme is loaded.
    void ShowDetails(QWidget* parent);

    // The details text of the file at path: each line before the one holding "[texture]" followed
    // by "\r\n", then the part of that line before "[texture]". Empty when the file cannot be read.
    static QString DetailsText(const QString& path);

    static constexpr const char* kNoScheme = "none";

private:
    struct LoadFailure {
        SchemeLoadStatus status;
        std::string reason;
    };
    // Reads the file at path into mScheme and takes its name and axes; throws LoadFailure when it
    // is unreadable or invalid.
    void ReadScheme(const QString& path);
    void ClearScheme();
    void ShowProblem(QWidget* parent, const LoadFailure& failure);

    UserInteraction& mInteraction;
    soiltex mScheme;
    QString mSchemePath;
    QString mSchemeName;
    QString mXName, mYName, mZName;
};
