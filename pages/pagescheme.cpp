#include "pages/pagescheme.h"

#include "pages/schemedetailsdialog.h"
#include "scheme/schemefile.h"
#include "scheme/schememetadata.h"
#include "util/pathkind.h"
#include "widgets/userinteraction.h"

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
    const QString chosen = mInteraction.OpenFileName(parent, "Load Scheme",
                                                     "Scheme files (*.dat);;All files (*)", "dat");
    if (chosen.isEmpty())
        return false;

    const soiltex oldScheme = mScheme;
    const QString oldPath = mSchemePath, oldName = mSchemeName;
    const QString oldX = mXName, oldY = mYName, oldZ = mZName;
    LoadFailure failure{SchemeLoadStatus::Unreadable, std::string()};
    try {
        mSchemePath = chosen;
        ReadScheme(chosen);
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
    if (text.isEmpty())
        text = "No scheme details found in file.";
    SchemeDetailsDialog dialog(text, parent);
    mInteraction.RunDialog(dialog);
}
