#include "widgets/hyperlinklabel.h"

#include <QDesktopServices>

HyperlinkLabel::HyperlinkLabel(const QString& text, const QUrl& url, QWidget* parent)
    : QLabel(parent), mUrl(url) {
    setTextFormat(Qt::RichText);
    setText(QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), text.toHtmlEscaped()));
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setToolTip(url.toString());
    setAccessibleName(text);
    // Open our own URL rather than the label's href text, so that what is opened is what was
    // given, whatever the escaping did to the shown markup.
    connect(this, &QLabel::linkActivated, this, [this] { QDesktopServices::openUrl(mUrl); });
}
