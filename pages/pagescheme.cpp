#include "pages/pagescheme.h"

#include "pages/schemedetailsdialog.h"
#include "scheme/schemefile.h"
#include "widgets/userinteraction.h"

#include <QFile>


namespace {

constexpr const char* kProblem = "Problem";
constexpr const char* kTextureWord = "[texture]";

} // namespace

PageScheme::PageScheme(UserInteraction& interaction) : mInteraction(interaction) {
    ClearScheme();
}

void PageScheme::ReadScheme(const QString& path) {
    const SchemeLoadStatus status = LoadSchemeFile(path.toStdString(), &mScheme);
    if (status != SchemeLoadStatus::Loaded)
        throw LoadFailure{status};
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

void PageScheme::ShowProblem(QWidget* parent, SchemeLoadStatus status) {
    mInteraction.ShowMessage(parent, kProblem, QString::fromStdString(SchemeLoadMessage(status)),
                             MessageIcon::Error);
}

bool PageScheme::LoadAtStartup(QWidget* parent) {
    try {
        ReadScheme(mSchemePath);
        return true;
    } catch (const LoadFailure& e) {
        ClearScheme();
        ShowProblem(parent, e.status);
        return false;
    }
}

bool PageScheme::LoadFromDialog(QWidget* parent, const std::function<void()>& refresh) {
    const QString chosen = mInteraction.OpenFileName(
        parent, "Load Scheme", "Scheme files (*.dat);;All files (*)", "dat");
    if (chosen.isEmpty())
        return false;

    const soiltex oldScheme = mScheme;
    const QString oldPath = mSchemePath, oldName = mSchemeName;
    const QString oldX = mXName, oldY = mYName, oldZ = mZName;
    SchemeLoadStatus failure = SchemeLoadStatus::Unreadable;
    try {
        mSchemePath = chosen;
        ReadScheme(chosen);
        if (refresh)
            refresh();
        return true;
    } catch (const LoadFailure& e) {
        failure = e.status;
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
    QFile file(QString::fromStdString(ResolveDataFile(path.toStdString())));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString text;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r')) // CR LF files: the CR is part of the line end
            line.chop(1);
        const int word = line.indexOf(kTextureWord);
        if (word >= 0) {
            text += QString::fromUtf8(line.left(word));
            break;
        }
        text += QString::fromUtf8(line) + "\r\n";
    }
    return text;
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
