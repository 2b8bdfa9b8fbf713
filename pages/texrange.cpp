#include "pages/texrange.h"

#include "pages/pagechart.h"
#include "pages/rangefield.h"
#include "scheme/rangetext.h"
#include "scheme/samplelookup.h"
#include "util/numbertext.h"
#include "widgets/enterkey.h"
#include "widgets/iconbutton.h"
#include "widgets/userinteraction.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <exception>

namespace {

constexpr const char* kProblemInRange = "Problem in range";

QPlainTextEdit* ResultBox(QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    // The results are only shown: what the user typed there would be lost at the next lookup.
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    // Wide enough for the widest first column, "(100.00,", and a gap.
    box->setTabStopDistance(box->fontMetrics().horizontalAdvance(QStringLiteral("(100.00,  ")));
    return box;
}

QString NumberText(double v) {
    return QString::number(v, 'g', 15);
}

} // namespace

CTexRange::CTexRange(UserInteraction& interaction, QWidget* parent)
    : QWidget(parent), mInteraction(interaction), mScheme(interaction),
      mSchemeLabel(new QLabel(this)), mCountLabel(new QLabel(this)), mClassBox(ResultBox(this)),
      mCoordBox(ResultBox(this)) {
    auto* details = new IconButton(":/icons/scheme-details.svg", "Scheme Details", this);
    auto* lookUp = new IconButton(":/icons/look-up.svg", "Look Up", this);
    auto* chart = new IconButton(":/icons/chart-plot.svg", "Chart Plot", this);
    connect(details, &QToolButton::clicked, this, &CTexRange::ShowSchemeDetails);
    connect(lookUp, &QToolButton::clicked, this, &CTexRange::LookupRange);
    connect(chart, &QToolButton::clicked, this, &CTexRange::PlotChart);

    auto* top = new QHBoxLayout;
    top->addWidget(details);
    top->addWidget(new QLabel("Current soil scheme:", this));
    top->addWidget(mSchemeLabel, 1);
    top->addWidget(lookUp);
    top->addWidget(chart);

    // Room for the longer class names and for four vertices without scrolling.
    mClassBox->setMinimumWidth(mClassBox->fontMetrics().averageCharWidth() * 24);
    mCoordBox->setMinimumHeight(mCoordBox->fontMetrics().lineSpacing() * 4 +
                                2 * mCoordBox->frameWidth() + 8);

    auto* classes = new QVBoxLayout;
    classes->addWidget(mCountLabel);
    classes->addWidget(mClassBox, 1);

    auto* ranges = new QVBoxLayout;
    ranges->addWidget(BuildRangeBox(kX, &CTexRange::ResetXRange));
    ranges->addWidget(BuildRangeBox(kY, &CTexRange::ResetYRange));
    ranges->addWidget(BuildRangeBox(kZ, &CTexRange::ResetZRange));
    ranges->addSpacing(6);
    ranges->addWidget(new QLabel("Coordinates of polygon enclosing range (x, y, z):", this));
    ranges->addWidget(mCoordBox, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(classes, 1);
    body->addSpacing(12);
    body->addLayout(ranges, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);

    // Tab order as on the page: the ranges from x to z, minimum before maximum.
    QWidget* previous = mRanges[kX].minField;
    for (const Range& range : mRanges) {
        for (QWidget* field :
             {static_cast<QWidget*>(range.minField), static_cast<QWidget*>(range.maxField)}) {
            if (field != previous)
                setTabOrder(previous, field);
            previous = field;
        }
    }

    // Enter looks up from any control of the page, the result boxes included, which would
    // otherwise keep the key for themselves.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    // The label's own text until a lookup or a reset gives a count.
    mCountLabel->setText("0 texture class(es):");
    ShowScheme();
    WriteFields();
}

QGroupBox* CTexRange::BuildRangeBox(Axis axis, void (CTexRange::*reset)()) {
    Range& range = mRanges[axis];
    range.box = new QGroupBox(this);
    range.minField = new RangeField(range.box);
    range.maxField = new RangeField(range.box);
    auto* resetButton = new IconButton(":/icons/reset-range.svg", "Reset Range", range.box);
    resetButton->setIconSize(QSize(16, 16));
    connect(resetButton, &QToolButton::clicked, this, reset);

    auto* row = new QHBoxLayout(range.box);
    row->addWidget(resetButton);
    row->addSpacing(6);
    row->addWidget(range.minField, 1);
    row->addWidget(new QLabel("to", range.box));
    row->addWidget(range.maxField, 1);
    return range.box;
}

PageScheme& CTexRange::Scheme() {
    return mScheme;
}

RangeField& CTexRange::MinField(Axis axis) const {
    return *mRanges[axis].minField;
}

RangeField& CTexRange::MaxField(Axis axis) const {
    return *mRanges[axis].maxField;
}

QString CTexRange::ClassText() const {
    return mClassBox->toPlainText();
}

QString CTexRange::CoordText() const {
    return mCoordBox->toPlainText();
}

QString CTexRange::CountText() const {
    QString text = mCountLabel->text();
    text.chop(1); // the colon that introduces the list
    return text;
}

QString CTexRange::SchemeNameText() const {
    return mSchemeLabel->text();
}

QString CTexRange::RangeTitle(Axis axis) const {
    return mRanges[axis].box->title();
}

QString CTexRange::AxisName(Axis axis) const {
    switch (axis) {
    case kX:
        return mScheme.XName();
    case kY:
        return mScheme.YName();
    case kZ:
        break;
    }
    return mScheme.ZName();
}

void CTexRange::ShowScheme() {
    mSchemeLabel->setText(mScheme.SchemeName());
    for (Axis axis : {kX, kY, kZ})
        mRanges[axis].box->setTitle(AxisName(axis) + " (range)");
}

void CTexRange::Activate() {
    if (!mLoaded) {
        mLoaded = true;
        mScheme.LoadAtStartup(this);
        ShowScheme();
        Lookup();
    }
    mRanges[kX].minField->setFocus();
}

bool CTexRange::ReadField(RangeField& field, Axis axis, const char* bound, double* value) {
    const QByteArray text = field.Text().trimmed().toLatin1();
    double number = 0;
    // ParseWhole takes an empty text as 0, but an emptied field is no limit.
    const bool isNumber = !text.isEmpty() && numbertext::ParseWhole(text.toStdString(), &number);
    if (isNumber && number >= 0 && number <= 100) {
        *value = number;
        return true;
    }
    const QString why = isNumber ? "must be between 0 and 100" : "must be a number";
    mInteraction.ShowMessage(this, kProblemInRange,
                             QString("The %1 of the %2 range %3.").arg(bound, AxisName(axis), why),
                             MessageIcon::None);
    field.setFocus();
    field.selectAll();
    return false;
}

bool CTexRange::ReadFields() {
    // Read into copies, so that a refused field leaves every limit as it was.
    std::array<Range, 3> read = mRanges;
    for (Axis axis : {kY, kX, kZ})
        if (!ReadField(*read[axis].maxField, axis, "maximum", &read[axis].max))
            return false;
    for (Axis axis : {kY, kX, kZ})
        if (!ReadField(*read[axis].minField, axis, "minimum", &read[axis].min))
            return false;
    mRanges = read;
    return true;
}

void CTexRange::WriteFields() {
    for (const Range& range : mRanges) {
        range.minField->SetText(NumberText(range.min));
        range.maxField->SetText(NumberText(range.max));
    }
}

void CTexRange::ShowResults(const QStringList& classes, const QStringList& coordinates,
                            const QString& count) {
    mClassBox->setPlainText(classes.join('\n'));
    mCoordBox->setPlainText(coordinates.join('\n'));
    mCountLabel->setText(count + ":");
}

void CTexRange::ClearResults() {
    ShowResults({}, {}, QString::fromStdString(RangeCountText(0)));
}

bool CTexRange::Lookup() {
    const soiltex& scheme = mScheme.Scheme();
    if (scheme.GetClassCount() == 0 || !ReadFields())
        return false;
    const Range &x = mRanges[kX], &y = mRanges[kY], &z = mRanges[kZ];
    const int unordered = FirstUnorderedAxis({x.min, y.min, z.min}, {x.max, y.max, z.max});
    if (unordered >= 0) {
        const Axis axis = static_cast<Axis>(unordered);
        // The results of the previous range would read as this one's.
        mRangePolygon = polygon();
        ClearResults();
        mInteraction.ShowMessage(
            this, kProblemInRange,
            QString::fromStdString(RangeOrderMessage(AxisName(axis).toStdString())),
            MessageIcon::None);
        mRanges[axis].minField->setFocus();
        mRanges[axis].minField->selectAll();
        return false;
    }
    std::vector<TextureClass> found;
    try {
        found = scheme.RangeLookup(x.min, x.max, y.min, y.max, z.min, z.max);
        mRangePolygon = scheme.RangePolygon(x.min, x.max, y.min, y.max, z.min, z.max);
    } catch (const std::exception&) {
        // A geometry failure finds nothing, as a scheme that fails its check does.
        found.clear();
        mRangePolygon = polygon();
    }
    QStringList classes, coordinates;
    for (const TextureClass& c : found)
        classes << QString::fromStdString(c.name);
    for (const std::string& line : RangeCoordinateLines(mRangePolygon))
        coordinates << QString::fromStdString(line);
    if (coordinates.isEmpty())
        coordinates << QString::fromUtf8(kFailText.data(), int(kFailText.size()));
    WriteFields();
    ShowResults(classes, coordinates, QString::fromStdString(RangeCountText(found.size())));
    return mRangePolygon.Size() > 0;
}

void CTexRange::LookupRange() {
    Lookup();
}

void CTexRange::PlotChart() {
    if (!Lookup())
        return;
    RunPageChart(mInteraction, this, mScheme, {mRangePolygon.Vertices(), {}, false});
    mRanges[kX].minField->setFocus();
}

void CTexRange::ResetRanges(std::initializer_list<Axis> axes) {
    // The fields are checked once however many axes go back to 0 to 100.
    if (!ReadFields())
        return;
    for (Axis axis : axes) {
        mRanges[axis].min = 0;
        mRanges[axis].max = 100;
    }
    ClearResults();
    WriteFields();
}

void CTexRange::ResetXRange() {
    ResetRanges({kX});
}

void CTexRange::ResetYRange() {
    ResetRanges({kY});
}

void CTexRange::ResetZRange() {
    ResetRanges({kZ});
}

void CTexRange::ResetAllRanges() {
    ResetRanges({kY, kX, kZ});
}

void CTexRange::LoadSchemeFromDialog() {
    mScheme.LoadFromDialog(this, [this] { RefreshScheme(); });
    ShowScheme();
}

void CTexRange::LoadScheme(const QString& path) {
    mScheme.LoadFrom(this, path, [this] { RefreshScheme(); });
    ShowScheme();
}

void CTexRange::RefreshScheme() {
    ShowScheme();
    WriteFields();
    Lookup();
}

void CTexRange::ShowSchemeDetails() {
    mScheme.ShowDetails(this);
    mRanges[kX].minField->setFocus();
}

bool CTexRange::eventFilter(QObject* watched, QEvent* event) {
    if (IsEnterKey(event)) {
        LookupRange();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CTexRange::keyPressEvent(QKeyEvent* event) {
    // Escape stays with the control it was meant for: it never acts as Cancel on the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
