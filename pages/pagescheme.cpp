#include "pages/pagescheme.h"

#include "pages/bundledschemes.h"
#include "pages/schemedetailsdialog.h"
#include "scheme/schemefile.h"
#include "scheme/schememetadata.h"
#include "util/pathkind.h"
#include "widgets/userinteraction.h"

#include <QFileInfo>
#include <fstream>

namespace {

constexpr const char* kProblem = "Problem";

} // namespace

PageScheme::PageScheme(UserInteraction& interaction) : mInteraction(interaction) {
    ClearScheme();
}

void PageScheme::ReadScheme(const QString& path) {
    std::string reason;
    const SchemeLoadStatus status = LoadSchemeFile(path.toStdString(), &mScheme, &reason);
    if (status != SchemeLoadStatus::Loaded)
        throw LoadFailure{status, reason};
    mSchemeName = QString::fromStdString(mScheme.GetName());
    mXName = QString::fromStdString(mScheme.GetXName());
    mYName = QString::fromStdString(mScheme.GetYName());
    mZName = QString::fromStdString(mScheme.GetZName());
}

void PageScheme::ClearScheme() {
    mScheme.Clear();
    mSchemeName = kNoScheme;
    mXName = "x";
    mYName = "y";
    mZName = "z";
}

void PageScheme::ShowProblem(QWidget* parent, const LoadFailure& failure) {
    QString detail = QString::fromStdString(failure.reason);
    if (!detail.isEmpty())
        detail = detail.left(1).toUpper() + detail.mid(1) + ".";
    mInteraction.ShowMessage(parent, kProblem,
                             QString::fromStdString(SchemeLoadMessage(failure.status)),
                             MessageIcon::Error, detail);
}

bool PageScheme::LoadAtStartup(QWidget* parent) {
    try {
        ReadScheme(mSchemePath);
        return true;
    } catch (const LoadFailure& e) {
        ClearScheme();
        ShowProblem(parent, e);
        return false;
    }
}

bool PageScheme::LoadFromDialog(QWidget* parent, const std::function<void()>& refresh) {
    const QString chosen = mInteraction.OpenFileName(
        parent, "Load Scheme", "Scheme files (*.dat);;All files (*)", "dat", DialogFolder());
    if (chosen.isEmpty())
        return false;
    return LoadFrom(parent, chosen, refresh);
}

bool PageScheme::LoadFrom(QWidget* parent, const QString& path,
                          const std::function<void()>& refresh) {
    const soiltex oldScheme = mScheme;
    const QString oldPath = mSchemePath, oldName = mSchemeName;
    const QString oldX = mXName, oldY = mYName, oldZ = mZName;
    LoadFailure failure{SchemeLoadStatus::Unreadable, std::string()};
    try {
        mSchemePath = path;
        ReadScheme(path);
        if (refresh)
            refresh();
        return true;
    } catch (const LoadFailure& e) {
        failure = e;
    } catch (const std::exception&) {
        // A refresh that fails is a load that fails.
    }
    mScheme = oldScheme;
    mSchemePath = oldPath;
    mSchemeName = oldName;
    mXName = oldX;
    mYName = oldY;
    mZName = oldZ;
    ShowProblem(parent, failure);
    return false;
}

QString PageScheme::DialogFolder() const {
    const QFileInfo current(QString::fromStdString(ResolveDataFile(mSchemePath.toStdString())));
    if (!mSchemePath.isEmpty() && current.isFile())
        return current.absolutePath();
    return BundledSchemeFolder();
}

bool PageScheme::IsSchemeFile(const QString& file) const {
    if (!HasScheme())
        return false;
    const QString current =
        QFileInfo(QString::fromStdString(ResolveDataFile(mSchemePath.toStdString())))
            .canonicalFilePath();
    return !current.isEmpty() && current == QFileInfo(file).canonicalFilePath();
}

QString PageScheme::DetailsText(const QString& path) {
    const std::string file = ResolveDataFile(path.toStdString());
    if (!pathkind::NotRegularReason(file).empty())
        return QString();
    std::ifstream in(file, std::ios::binary);
    return QString::fromStdString(ReadSchemeDetails(in));
}

void PageScheme::ShowDetails(QWidget* parent) {
    if (!HasScheme())
        return;
    QString text = DetailsText(mSchemePath);
    const SchemeMetadata metadata = ParseSchemeMetadata(text.toStdString());
    if (text.isEmpty())
        text = "No scheme details found in file.";
    SchemeDetailsDialog dialog(text, metadata, mScheme.Classes(), parent, {mXName, mYName, mZName});
    mInteraction.RunDialog(dialog);
}
