#include "pages/schemedetailsdialog.h"

#include "scheme/classlimits.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <set>

namespace {

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// "clay < 2 µm, silt 2–50 µm, sand 50–2000 µm"
QString LimitsText(const ParticleLimits& l) {
    const auto n = [](double v) { return QString::number(v, 'g', 10); };
    return QString("clay < %1 µm, silt %1–%2 µm, sand %2–%3 µm")
        .arg(n(l.clay), n(l.silt), n(l.sand));
}

// The summary's fields in the order a reader looks for them; empty ones are left out.
std::vector<std::pair<QString, QString>> SummaryFields(const SchemeMetadata& m) {
    std::vector<std::pair<QString, QString>> all = {
        {"Name", FromStd(m.name)},
        {"Country", FromStd(m.country)},
        {"Source", FromStd(m.source)},
        {"Vertices", FromStd(m.vertices)},
        {"Limits", m.limits ? LimitsText(*m.limits) : QString()},
        {"Boundaries", FromStd(m.boundaries)},
    };
    QStringList problems;
    for (const std::string& p : m.problems)
        problems << FromStd(p);
    all.emplace_back("Problems", problems.join('\n'));
    std::vector<std::pair<QString, QString>> shown;
    for (const auto& field : all) {
        if (!field.second.isEmpty())
            shown.push_back(field);
    }
    return shown;
}

QWidget* SummaryPage(const std::vector<std::pair<QString, QString>>& fields, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* form = new QFormLayout(page);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    for (const auto& [field, value] : fields) {
        auto* label = new QLabel(value, page);
        label->setObjectName(field);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(field + ":", label);
    }
    return page;
}

// A read-only table of whole rows, as compact as a list.
QTableWidget* NewTable(const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    return table;
}

// One row per class id, in the order of the file: a class of several polygons shows once.
QTableWidget* ClassTable(const std::vector<TextureClass>& classes,
                         const std::map<int32_t, std::string>& abbreviations, QWidget* parent) {
    QTableWidget* table = NewTable({"Id", "Name", "Abbreviation"}, parent);
    std::set<int32_t> seen;
    for (const TextureClass& c : classes) {
        if (!seen.insert(c.id).second)
            continue;
        const int row = table->rowCount();
        table->insertRow(row);
        const auto found = abbreviations.find(c.id);
        const QString cells[] = {QString::number(c.id), FromStd(c.name),
                                 found != abbreviations.end() ? FromStd(found->second) : QString()};
        for (int column = 0; column < 3; ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    return table;
}

QString Percent(double v, double unit) {
    return QString::number(std::round(v / unit) * unit + 0.0, 'g', 10);
}

QString Triple(const AxisValues& v, double unit) {
    return "(" + Percent(v[0], unit) + ", " + Percent(v[1], unit) + ", " + Percent(v[2], unit) +
           ")";
}

// One row per class name: the range of each axis, the central composition (found to 0.01 %,
// so shown to that) and the vertices of each polygon.
QTableWidget* LimitTable(const std::vector<TextureClass>& classes, const QStringList& axes,
                         QWidget* parent) {
    const QString order = "(" + axes.join(", ") + ")";
    QTableWidget* table = NewTable({"Class", axes.value(0), axes.value(1), axes.value(2),
                                    "Centre " + order, "Vertices " + order},
                                   parent);
    for (const ClassLimits& l : SchemeClassLimits(classes)) {
        const int row = table->rowCount();
        table->insertRow(row);
        QStringList parts;
        for (const std::vector<AxisValues>& part : l.parts) {
            QStringList vertices;
            for (const AxisValues& v : part)
                vertices << Triple(v, 1e-4);
            parts << vertices.join(' ');
        }
        QStringList cells{FromStd(l.name)};
        for (std::size_t k = 0; k < 3; ++k)
            cells << Percent(l.min[k], 1e-4) + "–" + Percent(l.max[k], 1e-4);
        cells << Triple(l.centre, kCentrePrecision) << parts.join("; ");
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    return table;
}

} // namespace

SchemeDetailsDialog::SchemeDetailsDialog(const QString& text, const SchemeMetadata& metadata,
                                         const std::vector<TextureClass>& classes, QWidget* parent,
                                         const QStringList& axisNames)
    : QDialog(parent), mTabs(new QTabWidget(this)), mText(new QPlainTextEdit(this)),
      mClasses(ClassTable(classes, metadata.abbreviations, this)),
      mLimits(LimitTable(classes, axisNames, this)) {
    setWindowTitle("Scheme Details");
    // Scheme headers are laid out with spaces, as in a text editor.
    mText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mText->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString shown = text;
    shown.replace("\r\n", "\n");
    mText->setPlainText(shown);

    const auto fields = SummaryFields(metadata);
    if (!fields.empty()) {
        mSummary = SummaryPage(fields, this);
        mTabs->addTab(mSummary, "&Summary");
    }
    mTabs->addTab(mClasses, "&Classes");
    mTabs->addTab(mLimits, "&Limits");
    mTabs->addTab(mText, "&Text");
    // Without key lines the free text is what the file has to say.
    mTabs->setCurrentWidget(mSummary != nullptr ? mSummary : static_cast<QWidget*>(mText));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mTabs);
    layout->addWidget(buttons);
    resize(640, 420);
}

QString SchemeDetailsDialog::Text() const {
    return mText->toPlainText();
}

QStringList SchemeDetailsDialog::TabTitles() const {
    QStringList titles;
    for (int i = 0; i < mTabs->count(); ++i)
        titles << mTabs->tabText(i).remove('&');
    return titles;
}

QString SchemeDetailsDialog::CurrentTab() const {
    return mTabs->tabText(mTabs->currentIndex()).remove('&');
}

QStringList SchemeDetailsDialog::SummaryLines() const {
    QStringList lines;
    if (mSummary == nullptr)
        return lines;
    for (const QLabel* label : mSummary->findChildren<QLabel*>()) {
        if (!label->objectName().isEmpty())
            lines << label->objectName() + ": " + label->text();
    }
    return lines;
}

QStringList SchemeDetailsDialog::ClassLines() const {
    QStringList lines;
    for (int row = 0; row < mClasses->rowCount(); ++row) {
        lines << QStringList({mClasses->item(row, 0)->text(), mClasses->item(row, 1)->text(),
                              mClasses->item(row, 2)->text()})
                     .join('|');
    }
    return lines;
}

QStringList SchemeDetailsDialog::LimitLines() const {
    QStringList lines;
    for (int row = 0; row < mLimits->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < mLimits->columnCount(); ++column)
            cells << mLimits->item(row, column)->text();
        lines << cells.join('|');
    }
    return lines;
}
