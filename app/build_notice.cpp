#include "app/build_notice.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace morvane::app {

BuildNotice::BuildNotice(QLabel& label, int shown_ms) : QObject(&label), label_(label) {
    label_.hide();
    label_.setAttribute(Qt::WA_TransparentForMouseEvents);  // whatever lies below stays usable
    timer_.setSingleShot(true);
    timer_.setInterval(shown_ms);
    connect(&timer_, &QTimer::timeout, this, [this] {
        hide();
        if (on_hidden_) on_hidden_();
    });
}

void BuildNotice::show_text(const QString& text) {
    said_ = text;
    const QFontMetrics metrics(label_.font());
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideMiddle, label_.width());
    label_.setText(lines.join(QLatin1Char('\n')));
    label_.show();
    timer_.start();
}

void BuildNotice::hide() {
    timer_.stop();
    label_.hide();
}

bool BuildNotice::shown() const { return !label_.isHidden(); }  // also in a window not on screen yet

QString BuildNotice::text() const { return label_.text(); }

}  // namespace morvane::app
