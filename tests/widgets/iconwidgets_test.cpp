// The icons the program ships and the two small widgets that show them and open links.
#include "widgets/hyperlinklabel.h"
#include "widgets/iconbutton.h"

#include <QDesktopServices>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts the pixels that are not fully transparent, so an icon that loads but draws nothing fails.
int DrawnPixels(const QIcon& icon, int size) {
    const QImage image = icon.pixmap(size, size).toImage();
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return drawn;
}

} // namespace

// Records the URLs the desktop would have opened, instead of starting a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.push_back(url); }
};

TEST(Icons, EachResourceDrawsAtEverySize) {
    const char* const paths[] = {":/icons/granum.svg", ":/icons/scheme-details.svg",
                                 ":/icons/chart-plot.svg", ":/icons/look-up.svg",
                                 ":/icons/reset-range.svg"};
    for (const char* path : paths) {
        ASSERT_TRUE(QFile::exists(path)) << path;
        const QIcon icon(path);
        ASSERT_FALSE(icon.isNull()) << path;
        for (int size : {16, 24, 48}) {
            EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << path << " at " << size;
            // A well-drawn icon covers a good part of its square, but not all of it.
            const int drawn = DrawnPixels(icon, size);
            EXPECT_GT(drawn, size * size / 5) << path << " at " << size;
            EXPECT_LT(drawn, size * size) << path << " at " << size;
        }
    }
}

TEST(Icons, ButtonShowsItsIconAt24PixelsAndIsNamedByItsToolTip) {
    const IconButton button(":/icons/chart-plot.svg", "Chart Plot");
    EXPECT_EQ(button.iconSize(), QSize(24, 24));
    EXPECT_GT(DrawnPixels(button.icon(), 24), 0);
    EXPECT_FALSE(button.autoRaise());
    EXPECT_EQ(button.toolTip(), "Chart Plot");
    EXPECT_EQ(button.accessibleName(), "Chart Plot");
}

TEST(Hyperlinks, ActivatingOpensTheGivenUrlAndShowsTheTextAsPlainText) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");

    const struct {
        const char* text;
        const char* url;
    } cases[] = {
        {"granum.example.org", "https://granum.example.org/a?b=1&c=2"},
        {"R&D <lab>", "mailto:lab@example.org"},
    };
    for (const auto& c : cases) {
        HyperlinkLabel label(c.text, QUrl(c.url));
        catcher.urls.clear();
        emit label.linkActivated(label.text());
        ASSERT_EQ(catcher.urls.size(), 1u) << c.url;
        EXPECT_EQ(catcher.urls[0], QUrl(c.url));
        EXPECT_EQ(label.Url(), QUrl(c.url));
        EXPECT_TRUE(label.text().contains(QString(c.text).toHtmlEscaped())) << label.text().toStdString();
    }
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");
}

#include "iconwidgets_test.moc"
