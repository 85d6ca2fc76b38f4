#pragma once
// The word after a build: a few lines of text in a place of the window kept free for them, shown for a few
// seconds. No box to click away, nothing moved or covered; it hides itself.
#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;

namespace morvane::app {

class BuildNotice : public QObject {
public:
    static constexpr int kShownMilliseconds = 6000;

    // `label` is the window's own, placed by its layout; it stays hidden until there is something to say.
    explicit BuildNotice(QLabel& label, int shown_ms = kShownMilliseconds);

    // Shows the text, each line shortened in the middle ("C:\Program Fi...\console") to the label's width.
    void show_text(const QString& text);
    void hide();

    bool shown() const;
    QString text() const;  // what the label shows now

private:
    QLabel& label_;
    QTimer timer_;
};

}  // namespace morvane::app
