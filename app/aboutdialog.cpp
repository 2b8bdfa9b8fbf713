#include "app/aboutdialog.h"

#include "widgets/hyperlinklabel.h"
#include "widgets/settings.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QSysInfo>
#include <QVBoxLayout>

QString PlatformName() {
#if defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#else
    // Other systems (the BSDs, ...) name themselves well enough.
    return QSysInfo::productType();
#endif
}

QString AboutVersionText() {
    return QStringLiteral("Granum for %1 ver. %2")
        .arg(PlatformName(), QStringLiteral(GRANUM_VERSION));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Granum"));

    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/granum.svg")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* version = new QLabel(AboutVersionText(), this);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);

    auto* purpose = new QLabel(QStringLiteral("Soil texture classification"), this);
    auto* authors = new QLabel(QStringLiteral("Granum developers\nCopyright \u00A9 2026"), this);

    auto* licence = new QLabel(QStringLiteral("Free software: you may share and change it under "
                                              "the terms of the"),
                               this);
    auto* licenceLink =
        new HyperlinkLabel(QString::fromLatin1(kLicenceName), QUrl(kLicenceAddress), this);
    auto* settingsFile =
        new QLabel(QStringLiteral("Settings: %1\n(the name that the settings file has had since "
                                  "version 4.0, so that no setting is lost)")
                       .arg(QDir::toNativeSeparators(settings::Open(QString())->fileName())),
                   this);
    settingsFile->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(purpose);
    text->addSpacing(8);
    text->addWidget(authors);
    text->addSpacing(8);
    text->addWidget(licence);
    text->addWidget(licenceLink);
    text->addSpacing(8);
    text->addWidget(settingsFile);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(picture);
    body->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
