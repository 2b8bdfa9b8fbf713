// The About box: what it says and where its links lead.
#include "app/aboutdialog.h"

#include "widgets/hyperlinklabel.h"

#include <QLabel>
#include <QStringList>

#include <gtest/gtest.h>

TEST(AboutBox, NamesProgramPlatformVersionAuthorsAndBothLinks) {
    const AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "About Granum");
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
#if defined(Q_OS_LINUX)
    EXPECT_TRUE(texts.contains("Granum for Linux ver. 4.2")) << texts.join('|').toStdString();
#endif
    EXPECT_TRUE(texts.contains(AboutVersionText()));
    EXPECT_TRUE(texts.join('\n').contains("Granum developers"));

    QStringList urls;
    for (const HyperlinkLabel* link : dialog.findChildren<HyperlinkLabel*>())
        urls << link->Url().toString();
    EXPECT_EQ(urls, QStringList({"https://granum.example.org", "mailto:granum@example.org"}));
}
