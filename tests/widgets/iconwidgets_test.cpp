// The icons the program ships, and the link label that opens its URL.
#include "widgets/hyperlinklabel.h"

#include <QDesktopServices>
#include <QIcon>
#include <QImage>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

// Records the URLs the desktop would have opened, instead of starting a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.push_back(url); }
};

TEST(Icons, EachResourceDrawsAtEverySize) {
    for (const char* path : {":/icons/granum.svg", ":/icons/scheme-details.svg",
                             ":/icons/chart-plot.svg", ":/icons/look-up.svg",
                             ":/icons/reset-range.svg"}) {
        for (int size : {16, 24, 48}) {
            const QImage image = QIcon(path).pixmap(size, size).toImage();
            ASSERT_EQ(image.size(), QSize(size, size)) << path << " at " << size;
            // Loaded but drawn empty (an unreadable SVG) would leave every pixel transparent.
            int drawn = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
            EXPECT_GT(drawn, size * size / 5) << path << " at " << size;
        }
    }
}

TEST(Hyperlinks, ActivatingOpensTheGivenUrlAndShowsTheTextAsPlainText) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
    const QUrl urls[] = {QUrl("https://granum.example.org/a?b=1&c=2"),
                         QUrl("mailto:lab@example.org")};
    for (const QUrl& url : urls) {
        HyperlinkLabel label("R&D <lab>", url);
        catcher.urls.clear();
        emit label.linkActivated(label.text());
        EXPECT_EQ(catcher.urls, std::vector<QUrl>{url});
        EXPECT_TRUE(label.text().contains("R&amp;D &lt;lab&gt;")) << label.text().toStdString();
    }
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");
}

#include "iconwidgets_test.moc"
