#pragma once

#include <QLabel>
#include <QString>
#include <QUrl>

// A label showing text as a link; a click (or Enter when it has focus) opens its URL in the
// desktop's browser or mail program through QDesktopServices. The text is shown as given, never
// interpreted as markup.
class HyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    HyperlinkLabel(const QString& text, const QUrl& url, QWidget* parent = nullptr);

    QUrl Url() const { return mUrl; }

private:
    QUrl mUrl;
};
