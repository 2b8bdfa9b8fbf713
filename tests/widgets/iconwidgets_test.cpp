// The icons the program ships, and the link label that opens its URL.
#include "widgets/hyperlinklabel.h"

#include <QDesktopServices>
#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

// Records the URLs the desktop would have opened, instead of starting a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.push_back(url); }
};

// Without the resources or the SVG plugin the icons load but draw nothing.
TEST(Icons, EachResourceDraws) {
    for (const char* name : {"granum", "scheme-details", "chart-plot", "look-up", "reset-range"}) {
        const QImage image = QIcon(QString(":/icons/%1.svg").arg(name)).pixmap(24, 24).toImage();
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        EXPECT_GT(drawn, 24 * 24 / 5) << name;
    }
}

TEST(Hyperlinks, ActivatingOpensTheGivenUrlAndShowsTheTextAsPlainText) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    const QUrl url("https://granum.example.org/a?b=1&c=2");
    HyperlinkLabel label("R&D <lab>", url);
    emit label.linkActivated(label.text());
    EXPECT_EQ(catcher.urls, std::vector<QUrl>{url});
    EXPECT_TRUE(label.text().contains("R&amp;D &lt;lab&gt;")) << label.text().toStdString();
    QDesktopServices::unsetUrlHandler("https");
}

#include "iconwidgets_test.moc"
