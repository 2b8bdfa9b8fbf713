// The Point Lookup page at full size on Qt's offscreen platform: opening a 1000-row sample file
// (reading it and classifying every row), loading another scheme over 1000 rows, and pasting a
// 1000x4 block from the clipboard and undoing it.
#include "pages/samplefile.h"
#include "pages/samplegrid.h"
#include "pages/texpoint.h"
#include "widgets/userinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <deque>

namespace {

// Answers the open dialogs from a queue and nothing else.
class QuietInteraction : public UserInteraction {
public:
    std::deque<QString> openFileNames;

    void ShowMessage(QWidget*, const QString&, const QString&, MessageIcon,
                     const QString&) override {}
    Answer AskYesNoCancel(QWidget*, const QString&, const QString&) override { return Answer::No; }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&,
                         const QString&) override {
        QString path = openFileNames.front();
        openFileNames.pop_front();
        return path;
    }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&,
                         const QString&) override {
        return QString();
    }
    bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
    int RunDialog(QDialog&) override { return QDialog::Rejected; }
};

// A 1000-row file of compositions spread over the triangle.
QString WriteSamples(const QTemporaryDir& folder) {
    std::vector<std::array<QString, 5>> rows;
    for (int i = 0; i < 1000; ++i) {
        const int x = (i * 37) % 100, y = (i * 53) % (100 - x);
        rows.push_back({"S" + QString::number(i), QString::number(x), QString::number(y),
                        QString::number(100 - x - y), QString()});
    }
    const QString path = folder.filePath("samples.csv");
    WriteSampleFile(path, rows);
    return path;
}

// The page with the USDA scheme, shown at the window's size.
void ShowPage(CTexPoint& page) {
    page.Scheme().SetSchemePath(GRANUM_SCHEMES_DIR "/usda.dat");
    page.Initialise();
    page.resize(640, 560);
    page.show();
}

void OpenThousandRows(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = WriteSamples(folder);
    QuietInteraction user;
    CTexPoint page(user);
    ShowPage(page);
    for (auto _ : state) {
        page.OpenPath(path);
        QApplication::processEvents(); // the grid repaints
    }
    if (page.Sheet().Text(1000, SampleSheet::kTexture).isEmpty())
        state.SkipWithError("rows were not classified");
}
BENCHMARK(OpenThousandRows)->Unit(benchmark::kMillisecond);

void LoadSchemeOverThousandRows(benchmark::State& state) {
    QTemporaryDir folder;
    QuietInteraction user;
    CTexPoint page(user);
    ShowPage(page);
    page.OpenPath(WriteSamples(folder));
    for (auto _ : state) {
        user.openFileNames.push_back(GRANUM_SCHEMES_DIR "/usda.dat");
        page.LoadSchemeFromDialog();
        QApplication::processEvents();
    }
}
BENCHMARK(LoadSchemeOverThousandRows)->Unit(benchmark::kMillisecond);

// A spreadsheet's 1000 rows of Sample ID, x, y and z, CR LF line ends.
QString ThousandRowBlock() {
    QString text;
    for (int i = 0; i < 1000; ++i) {
        const int x = (i * 37) % 100, y = (i * 53) % (100 - x);
        text += QString("P%1\t%2\t%3\t%4\r\n").arg(i).arg(x).arg(y).arg(100 - x - y);
    }
    return text;
}

// Paste (parse, check, store, classify 1000 rows and repaint), then Undo, timed apart.
void PasteAndUndoThousandRows(benchmark::State& state) {
    const bool undo = state.range(0) != 0;
    QuietInteraction user;
    CTexPoint page(user);
    ShowPage(page);
    QApplication::clipboard()->setText(ThousandRowBlock());
    for (auto _ : state) {
        if (undo) {
            state.PauseTiming();
            page.Grid().SelectCells(1, SampleSheet::kSampleId, 1, SampleSheet::kSampleId);
            page.Paste();
            QApplication::processEvents();
            state.ResumeTiming();
            page.Undo();
        } else {
            page.Grid().SelectCells(1, SampleSheet::kSampleId, 1, SampleSheet::kSampleId);
            page.Paste();
        }
        QApplication::processEvents();
        state.PauseTiming();
        if (!undo)
            page.Undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (page.Sheet().LastDataRow() != 0 ||
        !page.Sheet().Text(1000, SampleSheet::kTexture).isEmpty())
        state.SkipWithError("the paste was not undone");
}
BENCHMARK(PasteAndUndoThousandRows)->ArgName("undo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
