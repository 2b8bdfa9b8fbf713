// The About box: what it says and where its links lead.
#include "app/aboutdialog.h"

#include "widgets/hyperlinklabel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

TEST(AboutBox, NamesProgramPlatformVersionAuthorsAndBothLinks) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "About Granum");

    QStringList texts;
    bool hasPicture = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
        hasPicture = hasPicture || !label->pixmap().isNull();
    }
    const QString all = texts.join('\n');
#if defined(Q_OS_LINUX)
    EXPECT_TRUE(texts.contains("Granum for Linux ver. 4.2")) << all.toStdString();
#endif
    EXPECT_TRUE(texts.contains(AboutVersionText())) << all.toStdString();
    EXPECT_TRUE(AboutVersionText().contains(" " + PlatformName() + " "));
    EXPECT_TRUE(all.contains("Granum developers")) << all.toStdString();
    EXPECT_TRUE(hasPicture) << "the application icon is missing";

    QStringList urls;
    for (const HyperlinkLabel* link : dialog.findChildren<HyperlinkLabel*>())
        urls << link->Url().toString();
    EXPECT_EQ(urls, QStringList({"https://granum.example.org", "mailto:granum@example.org"}));
}

TEST(AboutBox, OkClosesItAccepted) {
    AboutDialog dialog;
    dialog.show();
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}
